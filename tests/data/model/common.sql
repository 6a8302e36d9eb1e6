-- The building that every whole-building fixture shares: "Hus", 120 m2 of
-- floor in 300 m3, with outer walls, an inner wall, a roof, an intermediate
-- floor, windows of every orientation and two doors. Each foundation fixture
-- adds its Grounds row and foundation constructions and adjusts the
-- ventilation and internal gains.
INSERT INTO Buildings (ID, INFO, AREA, VOLUME, SURFACEAREA, NATVENT, MECHVENT, HEATEX, UVALUE,
  CAPACITY, INTGAIN, SOLARGAIN, HEATGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, TEMPERATURE,
  WEATHERID, WEATHERINFO, VSUP, VEX, P50, FACADES, SHIELDING, RADLOSSCOEFF, LEAKLOSSCOEFF,
  VENTLOSSCOEFF, HEATLOSSCOEFF, VENTTYPE, N50, AIRCHANGESPERH, V50, INTPMETABOLIC, INTPLIGHTING,
  INTPAPPLIANCES, INTPUNDEF, VENTUNIT, VSUPLSEK, VEXLSEK, VSUPLAREA, VEXLAREA, P50IDNO, N50IDNO,
  AIRCHANGEIDNO, INTGAINUNIT, INTPUNDEFW, INTPMETABOLICW, INTPAPPLIANCESW, INTPLIGHTINGW,
  INTGAINSDEF, CALCULATED)
VALUES ('Hus', 'Enplansvilla', 120, 300, 0, 0.25, 0.5, 80, 0,
  0, 0, 0, 0, 0, 0, 0, 0, 20,
  'Stockholm', 'Normalår 1991-2020', 150, 160, 0.8, 0, 1, 0, 0,
  0, 0, 0, 3.0, 0.5, 0, 1.5, 1.0,
  2.0, 0.5, 0, 40, 45, 0.35, 0.4, 1, 2,
  3, 0, 100, 200, 250, 50,
  1, 'N');

-- February carries 29 days on purpose: the balance always counts 28.
INSERT INTO Months (BUILDING, MONTH, TEMP, RADHOR, RADWEST, RADEAST, RADSOUTH, RADNORTH, DAYS,
  SETPOINTTEMP, SOLGAIN, INTGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, INTPOWER, UTILFACTOR) VALUES
  ('Hus', 1,  -2.8,  10, 10, 8,  30,  5, 31, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 2,  -3.0,  30, 25, 21,  55, 12, 29, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 3,   0.1,  70, 50, 44,  90, 22, 31, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 4,   4.6, 130, 80, 72, 110, 35, 30, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 5,  10.7, 200, 110, 101, 120, 50, 31, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 6,  15.6, 230, 120, 112, 115, 60, 30, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 7,  17.2, 215, 115, 106, 115, 57, 31, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 8,  16.2, 160, 95, 86, 115, 42, 31, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 9,  11.9,  95, 60, 53, 100, 28, 30, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 10,  7.5,  45, 30, 26,  70, 15, 31, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 11,  2.6,  15, 12, 10,  35,  7, 30, 20, 0, 0, 0, 0, 0, 0, 11.5, 0),
  ('Hus', 12, -1.0,   6,  6,  6,  20,  4, 31, 20, 0, 0, 0, 0, 0, 0, 11.5, 0);

INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'OuterWall', 'Yttervägg', 95.5, 0, 3, 0, 0),
  ('Hus', 'OuterWall', 'Betongvägg', 12, 0, 1, 0, 0),
  ('Hus', 'InnerWall', 'Innervägg', 45, 0, 3, 0, 0),
  ('Hus', 'Roof', 'Tak', 110, 0, 3, 0, 0),
  ('Hus', 'InnerRoof', 'Bjälklag', 60, 0, 2, 0, 0);

INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH,
  RATIO, PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'OuterWall', 'Yttervägg', 1, 'Gipsskiva 13 mm', 0.25, 1090, 900, 13, 0, 0, 0, 'Y'),
  ('Hus', 'OuterWall', 'Yttervägg', 2, 'Mineralull 36', 0.036, 840, 30, 195, 0, 0, 0, 'N'),
  ('Hus', 'OuterWall', 'Yttervägg', 3, 'Träpanel', 0.13, 1600, 500, 22, 0, 0, 0, 'N'),
  ('Hus', 'OuterWall', 'Betongvägg', 1, 'Betong', 1.7, 880, 2300, 200, 0, 0, 0, 'N'),
  ('Hus', 'InnerWall', 'Innervägg', 1, 'Gipsskiva 13 mm', 0.25, 1090, 900, 13, 0, 0, 0, 'Y'),
  ('Hus', 'InnerWall', 'Innervägg', 2, 'Mineralull 40', 0.04, 840, 25, 70, 0, 0, 0, 'N'),
  ('Hus', 'InnerWall', 'Innervägg', 3, 'Gipsskiva 13 mm', 0.25, 1090, 900, 13, 0, 0, 0, 'Y'),
  ('Hus', 'Roof', 'Tak', 1, 'Gipsskiva 13 mm', 0.25, 1090, 900, 13, 0, 0, 0, 'Y'),
  ('Hus', 'Roof', 'Tak', 2, 'Mineralull 40', 0.04, 840, 25, 400, 0, 0, 0, 'N'),
  ('Hus', 'Roof', 'Tak', 3, 'Träpanel', 0.13, 1600, 500, 22, 0, 0, 0, 'N'),
  ('Hus', 'InnerRoof', 'Bjälklag', 1, 'Betong', 1.7, 880, 2300, 180, 0, 0, 0, 'N'),
  ('Hus', 'InnerRoof', 'Bjälklag', 2, 'Parkett', 0.13, 1600, 600, 14, 0, 0, 0, 'Y');

-- Two south windows (their group takes area 8 and the area-weighted means),
-- one of every other orientation, one with an unknown direction code (only
-- transmission and area) and one of area 0 (ignored by the sums).
INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION) VALUES
  ('Hus', 'Söder 1', 1.2, 0.6, 20, 30, 2, 1),
  ('Hus', 'Söder 2', 1.1, 0.5, 10, 25, 6, 1),
  ('Hus', 'Norr', 1.3, 0.55, 0, 20, 3, 0),
  ('Hus', 'Väster', 1.2, 0.6, 15, 30, 2.5, 2),
  ('Hus', 'Öster', 1.2, 0.6, 15, 35, 2.5, 3),
  ('Hus', 'Takfönster', 1.5, 0.5, 0, 20, 1.2, 4),
  ('Hus', 'Okänd', 1.4, 0.6, 0, 30, 1.0, 7),
  ('Hus', 'Tom', 5.0, 0.9, 0, 0, 0, 1);

INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES
  ('Hus', 'Entré', 2.1, 1.2),
  ('Hus', 'Förråd', 1.8, 2.0);
