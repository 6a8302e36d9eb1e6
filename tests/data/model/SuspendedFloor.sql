-- Suspended floor over a ventilated crawl space with its floor, walls and
-- the insulation on the crawl-space base; mechanical ventilation, leakage
-- as air changes at 50 Pa, one facade exposed, sheltered.
UPDATE Buildings SET VENTTYPE = 2, VENTUNIT = 0, FACADES = 1, SHIELDING = 2;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'SuspendedFloor', 0, 40, 500, 300, 'Sand', 2.0, 600, 5, 4, 0, 0, 0, 0, 0);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundFloor', 'Golvbjälklag', 100, 0, 3, 0, 0),
  ('Hus', 'GroundWall', 'Sockel', 12, 0, 2, 0, 0),
  ('Hus', 'GroundWall', 'Sockel norr', 8, 0, 1, 0, 0),
  ('Hus', 'GroundSlab', 'Markisolering', 100, 0, 1, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundFloor', 'Golvbjälklag', 1, 'Parkett', 0.13, 1600, 600, 14, 0, 0, 0, 'Y'),
  ('Hus', 'GroundFloor', 'Golvbjälklag', 2, 'Mineralull 37', 0.037, 840, 28, 200, 0, 0, 0, 'N'),
  ('Hus', 'GroundFloor', 'Golvbjälklag', 3, 'Spånskiva', 0.13, 1700, 650, 22, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Sockel', 1, 'Betong', 1.7, 880, 2300, 200, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Sockel', 2, 'Cellplast EPS', 0.036, 1450, 20, 50, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Sockel norr', 1, 'Lättbetong 500', 0.12, 1000, 500, 250, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Markisolering', 1, 'Cellplast EPS', 0.036, 1450, 20, 50, 0, 0, 0, 'N');
