-- Crawl space with the fixed Alba wall: only the floor construction is
-- loaded and stored; the wall and slab rows below stay as they are.
-- Mechanical ventilation, leakage per envelope area, flows in l/s, one
-- facade exposed.
UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 1, FACADES = 1, SHIELDING = 0;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'AlbaCrawlSpace', 0, 38, 600, 999, 'Lera', 1.5, 800, 5, 4, 0, 0, 0, 0, 0);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundFloor', 'Golvbjälklag', 90, 0, 3, 0, 0),
  ('Hus', 'GroundWall', 'Oanvänd vägg', 10, 9.75, 1, 1.25, 2.5),
  ('Hus', 'GroundSlab', 'Oanvänd platta', 10, 8.5, 1, 3.25, 4.5);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundFloor', 'Golvbjälklag', 1, 'Parkett', 0.13, 1600, 600, 14, 0, 0, 0, 'Y'),
  ('Hus', 'GroundFloor', 'Golvbjälklag', 2, 'Mineralull 37', 0.037, 840, 28, 170, 0, 0, 0, 'N'),
  ('Hus', 'GroundFloor', 'Golvbjälklag', 3, 'Spånskiva', 0.13, 1700, 650, 22, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Oanvänd vägg', 1, 'Betong', 1.7, 880, 2300, 200, 0.5, 0.25, 0.125, 'N'),
  ('Hus', 'GroundSlab', 'Oanvänd platta', 1, 'Betong', 1.7, 880, 2300, 100, 0.75, 0.5, 0.0625, 'N');
