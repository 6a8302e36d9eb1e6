-- Slab with a foundation wall of low-density material. ISOWIDTH is 0 as the
-- change of foundation kind leaves it, so the edge correction vanishes.
-- Mechanical ventilation with leakage per envelope area, flows in m3/h.
UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 0;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'LowDensityWall', 100, 44, 0, 350, 'Lera', 1.5, 0, 0, 0, 0, 0.15, 0, 0, 800);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundSlab', 'Platta', 110, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast EPS', 0.036, 1450, 20, 200, 0, 0, 0, 'N');
