-- Insulated block as vertical edge insulation, choice 1 (0.38 m, k 0.18).
-- Natural ventilation and an indoor temperature of 17 C, so that July
-- (17.2 C outside) is a month without heating.
UPDATE Buildings SET VENTTYPE = 0, TEMPERATURE = 17;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH,
  SPECIALVAR1, SPECIALVAR2, SPECIALVAR3)
VALUES ('Hus', 'FinlandVertical2', 0, 40, 0, 0, 'Morän', 1.8, 0, 0, 0, 0, 0, 0, 120, 700, 1, 0, 0);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundSlab', 'Platta', 100, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast EPS', 0.036, 1450, 20, 120, 0, 0, 0, 'N');
