-- Slab with the fixed Alba foundation wall: WALLDEPTH, ISOCOND and ISOWIDTH
-- of the row are replaced by 250 mm, 0.18 and 250 mm. Natural ventilation,
-- internal gains in W.
UPDATE Buildings SET VENTTYPE = 0, INTGAINUNIT = 1;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'AlbaSlab', 0, 42, 0, 400, 'Sand', 2.0, 0, 0, 0, 0, 0.5, 0, 100, 900);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundSlab', 'Platta', 105, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast EPS', 0.036, 1450, 20, 200, 0, 0, 0, 'N');
