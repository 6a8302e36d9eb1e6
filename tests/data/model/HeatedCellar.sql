-- Heated basement with the floor above it, two basement walls and the
-- basement floor; mechanical ventilation with leakage per envelope area,
-- flows per floor area; internal gains given in W.
UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 2, INTGAINUNIT = 1;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'HeatedCellar', 0, 40, 2000, 300, 'Sand', 2.0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundFloor', 'Källarbjälklag', 100, 0, 2, 0, 0),
  ('Hus', 'GroundWall', 'Källarvägg', 50, 0, 2, 0, 0),
  ('Hus', 'GroundWall', 'Källarvägg gavel', 30, 0, 2, 0, 0),
  ('Hus', 'GroundSlab', 'Källargolv', 100, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundFloor', 'Källarbjälklag', 1, 'Parkett', 0.13, 1600, 600, 14, 0, 0, 0, 'Y'),
  ('Hus', 'GroundFloor', 'Källarbjälklag', 2, 'Betong', 1.7, 880, 2300, 200, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Källarvägg', 1, 'Betong', 1.7, 880, 2300, 200, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Källarvägg', 2, 'Cellplast XPS', 0.034, 1450, 33, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Källarvägg gavel', 1, 'Betong', 1.7, 880, 2300, 200, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Källarvägg gavel', 2, 'Cellplast XPS', 0.034, 1450, 33, 50, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Källargolv', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Källargolv', 2, 'Cellplast XPS', 0.034, 1450, 33, 100, 0, 0, 0, 'N');
