-- A house whose every checked value is plausible: 100 m² of floor in
-- 250 m³ (2,5 m room height), 20 °C inside, 80 kWh/m² a year, with an
-- outer wall, a roof of two layers, an inner wall, a ground slab, a window
-- and a door. The plausibility cases each change one value of it.
INSERT INTO Buildings (ID, AREA, VOLUME, TEMPERATURE, HEATUSAGE, VENTTYPE, CALCULATED)
VALUES ('Hus', 100, 250, 20, 8000, 0, 'Y');

INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA) VALUES
  ('Hus', 'OuterWall', 'Vägg', 80),
  ('Hus', 'Roof', 'Tak', 100),
  ('Hus', 'InnerWall', 'Innervägg', 40),
  ('Hus', 'GroundSlab', 'Platta', 100);

INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH) VALUES
  ('Hus', 'OuterWall', 'Vägg', 1, 'Mineralull', 0.037, 840, 28, 195),
  ('Hus', 'Roof', 'Tak', 1, 'Gipsskiva', 0.25, 1090, 900, 13),
  ('Hus', 'Roof', 'Tak', 2, 'Mineralull', 0.037, 840, 28, 400),
  ('Hus', 'InnerWall', 'Innervägg', 1, 'Gipsskiva', 0.25, 1090, 900, 13),
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100);

INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION)
VALUES ('Hus', 'Fönster söder', 1.2, 0.6, 20, 25, 10, 1);

INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES ('Hus', 'Entré', 2, 1.2);
