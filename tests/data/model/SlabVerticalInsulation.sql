-- Slab with vertical edge insulation; mechanical ventilation, leakage per
-- envelope area, flows in l/s.
UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 1;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'SlabVerticalInsulation', 0, 40, 0, 300, 'Sand', 2.0, 0, 0, 0, 0, 0.036, 0, 50, 1000);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundSlab', 'Platta', 100, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast EPS', 0.036, 1450, 20, 100, 0, 0, 0, 'N');
