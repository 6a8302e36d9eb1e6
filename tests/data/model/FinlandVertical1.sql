-- Foundation-wall block as vertical edge insulation: block choice 3
-- (0.29 m) with added insulation choice 1 (0.10 m). Mechanical ventilation,
-- leakage as air changes at 50 Pa, flows in l/s.
UPDATE Buildings SET VENTTYPE = 2, VENTUNIT = 1;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH,
  SPECIALVAR1, SPECIALVAR2, SPECIALVAR3)
VALUES ('Hus', 'FinlandVertical1', 0, 40, 0, 0, 'Sand', 2.0, 0, 0, 0, 0, 0, 0, 0, 600, 3, 1, 0);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundSlab', 'Platta', 100, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 80, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast EPS', 0.036, 1450, 20, 150, 0, 0, 0, 'N');
