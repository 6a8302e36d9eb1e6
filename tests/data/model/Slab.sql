-- Slab on ground of two slab constructions; natural ventilation.
UPDATE Buildings SET VENTTYPE = 0;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'Slab', 100, 40, 0, 300, 'Sand', 2.0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundSlab', 'Platta', 60, 0, 2, 0, 0),
  ('Hus', 'GroundSlab', 'Platta 2', 40, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast EPS', 0.036, 1450, 20, 150, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta 2', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta 2', 2, 'Cellplast EPS', 0.036, 1450, 20, 100, 0, 0, 0, 'N');
