-- A small database for the building data module: the template building
-- "Default", a building "Hus" with members of several kinds, a second
-- building "Granne" whose members carry the same names as those of "Hus",
-- and small archives, materials, soils, climate profiles and default values.

-- Default values: the values differ from the stored ones of the template, so
-- that a look-up that runs while a building is copied or restored shows.
INSERT INTO DefaultValueChoises (IDNO, ID, TYPE) VALUES
  (-1, 'Eget värde', 'OWNDEF'), (1, 'Passivhus', 'P50'), (6, 'Tilluft', 'AIRCHANGE'),
  (7, 'Frånluft', 'AIRCHANGE'), (8, 'FTX', 'AIRCHANGE'), (12, 'Tät', 'N50'), (13, 'Otät', 'N50'),
  (20, 'Småhus', 'INTGAINS'), (21, 'Lägenhet', 'INTGAINS');
-- Choice 13 has no value, choice 21 only the first of its two.
INSERT INTO DefaultValues (TYPE, DEFAULTCHOICESIDNO, DEFVALUE) VALUES
  ('P50', 1, 0.30), ('N50', 12, 1.5), ('INAIRCHANGE', 6, 0.35), ('OUTAIRCHANGE', 7, 0.40),
  ('BALANCEDAIRCHANGE', 8, 0.45), ('METINTGAIN', 20, 187), ('APPINTGAIN', 20, 360), ('METINTGAIN', 21, 93);

-- Materials of the outer walls and roofs, and two soils.
INSERT INTO LayersPreDef (ID, THERMCOND, SPECCAP, DENSITY, DEPTH, OUTERWALL, ROOF, SOIL, LOCKEDDEPTH) VALUES
  ('Gips', 0.25, 1090, 900, 13, 'Y', 'N', 'N', 'Y'),
  ('Mineralull', 0.037, 840, 30, 100, 'Y', 'Y', 'N', 'N'),
  ('Tegel', 0.6, 840, 1600, 120, 'Y', 'N', 'N', 'N'),
  ('Sand', 2.0, 800, 1700, 0, 'N', 'N', 'Y', 'N'),
  ('Lera', 1.5, 900, 1500, 0, 'N', 'N', 'Y', 'N');

-- Archived constructions: one whose name the building "Hus" already uses,
-- one whose layer positions have a gap, a roof without layers; and a layer
-- left over under a name that no archived construction has.
INSERT INTO LayeredComponentsPreDef (ID, TYPE, NLAYERS) VALUES
  ('Arkivvägg', 'OuterWall', 2), ('Vägg', 'OuterWall', 1), ('Glapp', 'OuterWall', 2), ('Tomt', 'Roof', 0);
INSERT INTO LayersPreDefUsed (COMPONENT, POS, TYPE, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, LOCKEDDEPTH) VALUES
  ('Arkivvägg', 1, 'OuterWall', 'Gips', 0.25, 1090, 900, 13, 1),
  ('Arkivvägg', 2, 'OuterWall', 'Mineralull', 0.037, 840, 30, 195, 0),
  ('Vägg', 1, 'OuterWall', 'Tegel', 0.6, 840, 1600, 240, 0),
  ('Glapp', 1, 'OuterWall', 'Gips', 0.25, 1090, 900, 13, 1),
  ('Glapp', 3, 'OuterWall', 'Tegel', 0.6, 840, 1600, 120, 0),
  ('Kvarglömd', 1, 'OuterWall', 'Tegel', 0.6, 840, 1600, 99, 0);
INSERT INTO WindowsPreDef (ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION) VALUES
  ('Arkivfönster', 1.2, 0.5, 10, 30, 1.5, '1');
INSERT INTO DoorsPreDef (ID, AREA, UVALUE) VALUES ('Arkivdörr', 2.0, 1.1);

-- Climate profiles: one complete, one with eleven months.
INSERT INTO PreDefClimate (ID, INFO) VALUES ('Kiruna', 'Norrbotten, 67 °N'), ('Kort', 'elva månader');
WITH RECURSIVE M(N) AS (SELECT 1 UNION ALL SELECT N + 1 FROM M WHERE N < 12)
INSERT INTO PreDefMonths (ID, MONTH, DAYS, TEMP, RADNORTH, RADSOUTH, RADWEST, RADEAST, RADHOR)
SELECT 'Kiruna', N, 30, -15 + 2 * N, N, 10 * N, 5 * N, 5 * N, 20 * N FROM M;
WITH RECURSIVE M(N) AS (SELECT 1 UNION ALL SELECT N + 1 FROM M WHERE N < 11)
INSERT INTO PreDefMonths (ID, MONTH, DAYS, TEMP, RADNORTH, RADSOUTH, RADWEST, RADEAST, RADHOR)
SELECT 'Kort', N, 31, 1, 1, 1, 1, 1, 1 FROM M;

-- The template: uncalculated, with every column the exchange files carry
-- (time stamps, set point, unused list positions) and a foundation row that
-- holds wind and shielding although it is a slab.
INSERT INTO Buildings (ID, INFO, AREA, VOLUME, SURFACEAREA, NATVENT, MECHVENT, HEATEX, UVALUE, CAPACITY,
  INTGAIN, SOLARGAIN, HEATGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, TEMPERATURE, WEATHERID, WEATHERINFO,
  VSUP, VEX, P50, FACADES, SHIELDING, RADLOSSCOEFF, LEAKLOSSCOEFF, VENTLOSSCOEFF, HEATLOSSCOEFF, VENTTYPE,
  N50, AIRCHANGESPERH, V50, INTPMETABOLIC, INTPLIGHTING, INTPAPPLIANCES, INTPUNDEF, VENTUNIT, VSUPLSEK,
  VEXLSEK, VSUPLAREA, VEXLAREA, P50IDNO, N50IDNO, AIRCHANGEIDNO, INTGAINUNIT, INTPUNDEFW, INTPMETABOLICW,
  INTPAPPLIANCESW, INTPLIGHTINGW, INTGAINSDEF, CALCULATED, CREATED, CHANGED, GROUNDTYPE, P50CLASS)
VALUES ('Default', 'Mall', 150, 375, 0, 0, 0, 80, 0, 0,
  0, 0, 0, 0, 0, 0, 0, 21, 'Kiruna', 'Norrbotten, 67 °N',
  189, 189, 0.33, 0, 1, 0, 0, 0, 0, 1,
  2.0, 0.5, 0, 1.25, 0, 2.4, 0, 2, 52.5,
  52.5, 0.35, 0.35, 1, -1, 8, 1, 0, 150,
  300, 0, 20, 'N', '10:11:12', '13:14:15', 'platta', 'A');
WITH RECURSIVE M(N) AS (SELECT 1 UNION ALL SELECT N + 1 FROM M WHERE N < 12)
INSERT INTO Months (BUILDING, MONTH, TEMP, RADHOR, RADWEST, RADEAST, RADSOUTH, RADNORTH, DAYS, SETPOINTTEMP,
  SOLGAIN, INTGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, INTPOWER, UTILFACTOR)
SELECT 'Default', N, -5 + N, 10, 10, 10, 30, 5, 30, 21, 0, 0, 0, 0, 0, 0, 0, 0 FROM M;
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME, GROUNDTHERMCOND,
  VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH, PIC,
  SPECIALVAR1, SPECIALVAR2, SPECIALVAR3, SPECIALVAR4, SPECIALVAR5)
VALUES ('Default', 'Slab', 150, 50, 0, 300, 'Sand', 2.0, 0, 5, 4, 0, 0, 0, 0, 0, x'0102', 0, 0, 0, 7, 8);

-- "Hus" and "Granne" start as copies of the template.
CREATE TEMP TABLE B AS SELECT * FROM Buildings WHERE ID = 'Default';
UPDATE B SET ID = 'Hus', CALCULATED = 'Y', AREA = 120, SURFACEAREA = 400, CAPACITY = 9000,
  HEATLOSSCOEFF = 100, HEATLOSS = 10000, HEATUSAGE = 6000, HEATGAIN = 5000, VENTLOSS = 3000,
  VENTLOSSCOEFF = 30, LEAKLOSSCOEFF = 10;
INSERT INTO Buildings SELECT * FROM B;
UPDATE B SET ID = 'Granne', CALCULATED = 'N';
INSERT INTO Buildings SELECT * FROM B;
DROP TABLE B;
CREATE TEMP TABLE M AS SELECT * FROM Months WHERE BUILDING = 'Default';
UPDATE M SET BUILDING = 'Hus', VENTLOSS = 100 * MONTH;
INSERT INTO Months SELECT * FROM M;
UPDATE M SET BUILDING = 'Granne';
INSERT INTO Months SELECT * FROM M;
DROP TABLE M;
CREATE TEMP TABLE G AS SELECT * FROM Grounds WHERE BUILDING = 'Default';
UPDATE G SET BUILDING = 'Hus';
INSERT INTO Grounds SELECT * FROM G;
UPDATE G SET BUILDING = 'Granne';
INSERT INTO Grounds SELECT * FROM G;
DROP TABLE G;

INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY) VALUES
  ('Hus', 'OuterWall', 'Vägg', 50, 0.3, 3, 10, 20),
  ('Hus', 'Roof', 'Tak', 120, 0.2, 1, 5, 6),
  ('Hus', 'GroundSlab', 'Platta', 120, 0.25, 2, 0, 30),
  ('Granne', 'OuterWall', 'Vägg', 80, 0.4, 1, 1, 2);
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, PENDEPTH,
  RVALUE, LOCKEDDEPTH) VALUES
  ('Hus', 'OuterWall', 'Vägg', 1, 'Gips', 0.25, 1090, 900, 13, 0.1, 0.2, 0.05, 'Y'),
  ('Hus', 'OuterWall', 'Vägg', 2, 'Mineralull', 0.037, 840, 30, 145, 0.3, 0.4, 3.9, 'N'),
  ('Hus', 'OuterWall', 'Vägg', 3, 'Tegel', 0.6, 840, 1600, 120, 0.5, 0.6, 0.2, 'N'),
  ('Hus', 'Roof', 'Tak', 1, 'Mineralull', 0.037, 840, 30, 300, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 1, 'Betong', 1.7, 880, 2300, 100, 0, 0, 0, 'N'),
  ('Hus', 'GroundSlab', 'Platta', 2, 'Cellplast', 0.036, 1450, 20, 150, 0, 0, 0, 'N'),
  ('Granne', 'OuterWall', 'Vägg', 1, 'Tegel', 0.6, 840, 1600, 240, 0, 0, 0, 'N');
INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION) VALUES
  ('Hus', 'Söderfönster', 1.1, 0.5, 20, 25, 4, 1),
  ('Hus', 'Takfönster', 1.4, 0.45, 0, 30, 1, 4),
  ('Granne', 'Söderfönster', 1.3, 0.6, 0, 20, 2, 1);
INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES ('Hus', 'Ytterdörr', 2, 1.2), ('Granne', 'Ytterdörr', 2.1, 1.0);
