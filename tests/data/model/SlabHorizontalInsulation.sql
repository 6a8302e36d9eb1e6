-- Slab with horizontal edge insulation; mechanical ventilation, leakage as
-- air changes at 50 Pa, flows per floor area.
UPDATE Buildings SET VENTTYPE = 2, VENTUNIT = 2;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME,
  GROUNDTHERMCOND, VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH)
VALUES ('Hus', 'SlabHorizontalInsulation', 77, 46, 0, 250, 'Morän', 1.8, 0, 0, 0, 0, 0.036, 0, 50, 1200);
INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'GroundSlab', 'Platta', 70, 0, 2, 0, 0),
  ('Hus', 'GroundSlab', 'Platta kant', 50, 0, 2, 0, 0);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast EPS', 0.036, 1450, 20, 150, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta kant', 1, 'Betong', 1.7, 880, 2300, 120, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta kant', 2, 'Cellplast XPS', 0.034, 1450, 33, 80, 0, 0, 0, 'N');
