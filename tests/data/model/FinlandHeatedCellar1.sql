-- Heated basement whose wall is block choice 1 (w 0.38 m, k 0.18) with
-- 600 mm insulated and 1400 mm plain wall below ground (z = 2.0 m); the
-- wall construction is not computed: its stored U is not used, its stored
-- inner heat capacity is. Mechanical ventilation,
-- leakage as air changes at 50 Pa, flows per floor area, 60 % heat recovery,
-- internal gains in W.
UPDATE Buildings SET VENTTYPE = 2, VENTUNIT = 2, INTGAINUNIT = 1, HEATEX = 60;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH,
  SPECIALVAR1, SPECIALVAR2, SPECIALVAR3)
VALUES ('Hus', 'FinlandHeatedCellar1', 0, 36, 2500, 300, 'Sand', 2.0, 0, 0, 0, 0, 0, 0.7, 0, 0, 1, 600, 1400);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundFloor', 'Källarbjälklag', 80, 0, 2, 0, 0),
  ('Hus', 'GroundWall', 'Källarvägg', 72, 0.3, 1, 20, 50),
  ('Hus', 'GroundSlab', 'Källargolv', 80, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundFloor', 'Källarbjälklag', 1, 'Parkett', 0.13, 1600, 600, 14, 0, 0, 0, 'Y'),
  ('Hus', 'GroundFloor', 'Källarbjälklag', 2, 'Betong', 1.7, 880, 2300, 200, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Källarvägg', 1, 'Lättbetong 500', 0.12, 1000, 500, 380, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Källargolv', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Källargolv', 2, 'Cellplast XPS', 0.034, 1450, 33, 120, 0, 0, 0, 'N');
