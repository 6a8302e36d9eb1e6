-- Crawl space whose walls are block choice 0 (w 0.30 m, Uw 0.25): the wall
-- construction is stored but does not enter U. Mechanical ventilation,
-- leakage per envelope area, flows per floor area, sheltered.
UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 2, SHIELDING = 2;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH,
  SPECIALVAR1, SPECIALVAR2, SPECIALVAR3)
VALUES ('Hus', 'FinlandSuspended1', 0, 42, 400, 200, 'Sand', 2.0, 500, 10, 3.5, 0, 0, 1.5, 0, 0, 0, 0, 0);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundFloor', 'Golvbjälklag', 110, 0, 3, 0, 0),
  ('Hus', 'GroundWall', 'Sockel', 16.8, 0.5, 1, 0, 0),
  ('Hus', 'GroundSlab', 'Markisolering', 110, 0, 1, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundFloor', 'Golvbjälklag', 1, 'Parkett', 0.13, 1600, 600, 14, 0, 0, 0, 'Y'),
  ('Hus', 'GroundFloor', 'Golvbjälklag', 2, 'Mineralull 37', 0.037, 840, 28, 220, 0, 0, 0, 'N'),
  ('Hus', 'GroundFloor', 'Golvbjälklag', 3, 'Spånskiva', 0.13, 1700, 650, 22, 0, 0, 0, 'N'),
  ('Hus', 'GroundWall', 'Sockel', 1, 'Lättbetong 500', 0.12, 1000, 500, 300, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Markisolering', 1, 'Cellplast EPS', 0.036, 1450, 20, 70, 0, 0, 0, 'N');
