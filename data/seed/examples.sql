-- Example buildings: four Swedish buildings of different ages, kinds and
-- climates, each complete (constructions with their layers, windows, doors,
-- foundation, months) so that a new user can open one and see how a
-- building is described. Everything is taken from what the other scripts
-- ship: the constructions and their layers from the construction archive or
-- from the material archive, windows and doors from their archives, months
-- from the climate profiles, the soil from the soils, and the ventilation,
-- air tightness and internal gains from the default-value choices, as the
-- application sets them when a choice is made. A name missing from an
-- archive stops the creation of the database.
--
-- The rows hold no results: the database creation calculates every building
-- but the template once these scripts have run, and stores what the
-- calculation gives.
--
-- Areas are those of the inside of the envelope, in m²; lengths of the
-- foundation rows in mm, shares in percent, as the application stores them.

-- ---------------------------------------------------------------------------
-- The buildings
-- ---------------------------------------------------------------------------

CREATE TEMP TABLE ExampleBuildings (
  ID             VARCHAR(100) NOT NULL,
  INFO           TEXT NOT NULL,
  AREA           FLOAT NOT NULL,   -- heated floor area, m²
  VOLUME         FLOAT NOT NULL,   -- heated air volume, m³
  TEMPERATURE    FLOAT NOT NULL,   -- indoor temperature, °C
  WEATHERID      VARCHAR(100) NOT NULL,
  HEATEX         FLOAT NOT NULL,   -- heat recovery, %
  FACADES        INTEGER NOT NULL, -- 0 more than one facade exposed to wind, 1 one
  SHIELDING      INTEGER NOT NULL, -- 0 open country, 1 trees or other buildings around, 2 town centre
  VENTTYPE       INTEGER NOT NULL, -- 0 natural, 1 mechanical with P50, 2 mechanical with N50
  AIRCHANGESPERH FLOAT NOT NULL,   -- air changes per hour of natural ventilation
  P50IDNO        INTEGER NOT NULL,
  N50IDNO        INTEGER NOT NULL,
  AIRCHANGEIDNO  INTEGER NOT NULL, -- -1 (own value): no mechanical flows
  INTGAINSDEF    INTEGER NOT NULL
);

INSERT INTO ExampleBuildings VALUES
-- A 1½-storey timber house of the 2000s: ground floor 8,0 x 10,6 m inside,
-- the upper floor 6,2 x 10,6 m between its knee walls, side attics outside
-- them. 2,5 m room height below, about 2,3 m above.
  ('Exempel Villa Stockholm 2000-tal',
   'Exempel: villa i 1½ plan med trästomme från 2000-talet i Stockholm. 150 m² i två plan, '
   || 'platta på mark med kantisolering, lera under. Till- och frånluft med värmeåtervinning (FTX), '
   || '2+1-glasfönster med energiglas. Fyra personer.',
   150, 380, 21, 'Stockholm', 60, 0, 1, 1, 0.5, 4, 12, 8, 20),
-- The end unit of a row of brick-faced houses of the 1960s: 6,0 m wide,
-- 9,6 m deep, two floors on a heated cellar. The front faces north, the back
-- south, the gable west; the party wall in the east borders on the
-- neighbour's heated rooms.
  ('Exempel Radhus Göteborg 1960-tal',
   'Exempel: gavelradhus i två plan med tegelfasad från 1960-talet i Göteborg. 155 m² inklusive '
   || 'uppvärmd källare i lättklinker, lera runt om. Frånluftsventilation (F), ursprungliga '
   || 'tvåglasfönster och ytterdörrar, 150 mm mineralull på vinden. Fyra personer.',
   155, 380, 21, 'Göteborg', 0, 0, 1, 2, 0.5, 5, 13, 7, 20),
-- A single-storey school of the 1970s, 25,5 x 40,5 m outside, 3,0 m room
-- height, on a ventilated crawl space. The ventilation runs during school
-- hours: 0,35 l/(s·m²) stands for its mean over the year.
  ('Exempel Skola Luleå 1970-tal',
   'Exempel: skola i ett plan från 1970-talet i Luleå. 1 000 m², regelstomme, krypgrund på sand '
   || 'och grus med markisolering mot tjäle. Till- och frånluft med roterande värmeväxlare (FTX). '
   || 'Fönstren bytta till 2+1-glas med energiglas. 100 elever och lärare.',
   1000, 3000, 20, 'Luleå', 50, 0, 1, 1, 0.5, 5, 13, 8, 24),
-- A farmhouse of the 1920s: 1½ storeys of log walls, 8 x 12 m outside, on a
-- crawl space with a concrete plinth; the attic and the floor were insulated
-- later. Natural draught through the chimney and the gaps.
  ('Exempel Gård Östersund 1920-tal',
   'Exempel: mangårdsbyggnad i 1½ plan med timmerväggar från 1920-talet i Östersund. 140 m², '
   || 'krypgrund med gjuten sockel. Självdragsventilation, kopplade tvåglasfönster, vind och '
   || 'bjälklag mot krypgrunden tilläggsisolerade i efterhand. Fyra personer.',
   140, 340, 21, 'Östersund', 0, 0, 0, 0, 0.5, 5, 14, -1, 20);

-- The values behind the choices, looked up as the application does when a
-- choice is made. A choice without its value leaves a NULL here, which the
-- NOT NULL constraints refuse.
CREATE TEMP TABLE ExampleChoiceValues (
  ID              VARCHAR(100) NOT NULL,
  WEATHERINFO     TEXT NOT NULL,
  P50             FLOAT NOT NULL,
  N50             FLOAT NOT NULL,
  VSUPLAREA       FLOAT NOT NULL,
  VEXLAREA        FLOAT NOT NULL,
  INTPMETABOLICW  FLOAT NOT NULL,
  INTPAPPLIANCESW FLOAT NOT NULL
);
INSERT INTO ExampleChoiceValues
SELECT b.ID, c.INFO, p.DEFVALUE, n.DEFVALUE,
       CASE WHEN b.AIRCHANGEIDNO < 0 OR b.AIRCHANGEIDNO = 7 THEN 0
            WHEN b.AIRCHANGEIDNO IN (6, 8) THEN a.DEFVALUE END,
       CASE WHEN b.AIRCHANGEIDNO < 0 OR b.AIRCHANGEIDNO = 6 THEN 0
            WHEN b.AIRCHANGEIDNO IN (7, 8) THEN a.DEFVALUE END,
       m.DEFVALUE, e.DEFVALUE
FROM ExampleBuildings b
LEFT JOIN PreDefClimate c ON c.ID = b.WEATHERID
LEFT JOIN DefaultValues p ON p.TYPE = 'P50' AND p.DEFAULTCHOICESIDNO = b.P50IDNO
LEFT JOIN DefaultValues n ON n.TYPE = 'N50' AND n.DEFAULTCHOICESIDNO = b.N50IDNO
LEFT JOIN DefaultValues a ON a.DEFAULTCHOICESIDNO = b.AIRCHANGEIDNO AND a.TYPE =
  CASE b.AIRCHANGEIDNO WHEN 6 THEN 'INAIRCHANGE' WHEN 7 THEN 'OUTAIRCHANGE' WHEN 8 THEN 'BALANCEDAIRCHANGE' END
LEFT JOIN DefaultValues m ON m.TYPE = 'METINTGAIN' AND m.DEFAULTCHOICESIDNO = b.INTGAINSDEF
LEFT JOIN DefaultValues e ON e.TYPE = 'APPINTGAIN' AND e.DEFAULTCHOICESIDNO = b.INTGAINSDEF;

-- The columns the template fills, the results zero. The flows are given in
-- l/(s·m²) of floor area (VENTUNIT 2) and the gains in W for the whole
-- building (INTGAINUNIT 1), as the choices set them; the other units carry
-- the same flows and gains converted, for a user who changes the unit.
INSERT INTO Buildings (
  ID, INFO, AREA, VOLUME, SURFACEAREA, NATVENT, MECHVENT, HEATEX, UVALUE, CAPACITY,
  INTGAIN, SOLARGAIN, HEATGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE,
  TEMPERATURE, WEATHERID, WEATHERINFO,
  VSUP, VEX, P50, FACADES, SHIELDING,
  RADLOSSCOEFF, LEAKLOSSCOEFF, VENTLOSSCOEFF, HEATLOSSCOEFF,
  VENTTYPE, N50, AIRCHANGESPERH, V50,
  INTPMETABOLIC, INTPLIGHTING, INTPAPPLIANCES, INTPUNDEF,
  VENTUNIT, VSUPLSEK, VEXLSEK, VSUPLAREA, VEXLAREA,
  P50IDNO, N50IDNO, AIRCHANGEIDNO,
  INTGAINUNIT, INTPUNDEFW, INTPMETABOLICW, INTPAPPLIANCESW, INTPLIGHTINGW, INTGAINSDEF,
  CALCULATED, GROUNDTYPE, P50CLASS)
SELECT
  b.ID, b.INFO, b.AREA, b.VOLUME, 0, 0, 0, b.HEATEX, 0, 0,
  0, 0, 0, 0, 0, 0, 0,
  b.TEMPERATURE, b.WEATHERID, v.WEATHERINFO,
  ROUND(v.VSUPLAREA * b.AREA * 3.6, 2), ROUND(v.VEXLAREA * b.AREA * 3.6, 2), v.P50, b.FACADES, b.SHIELDING,
  0, 0, 0, 0,
  b.VENTTYPE, v.N50, b.AIRCHANGESPERH, 0,
  ROUND(v.INTPMETABOLICW / b.AREA, 2), 0, ROUND(v.INTPAPPLIANCESW / b.AREA, 2), 0,
  2, ROUND(v.VSUPLAREA * b.AREA, 2), ROUND(v.VEXLAREA * b.AREA, 2), v.VSUPLAREA, v.VEXLAREA,
  b.P50IDNO, b.N50IDNO, b.AIRCHANGEIDNO,
  1, 0, v.INTPMETABOLICW, v.INTPAPPLIANCESW, 0, b.INTGAINSDEF,
  'N', NULL, NULL
FROM ExampleBuildings b JOIN ExampleChoiceValues v ON v.ID = b.ID
ORDER BY b.rowid;

INSERT INTO Months (BUILDING, MONTH, TEMP, RADHOR, RADWEST, RADEAST, RADSOUTH, RADNORTH, DAYS,
                    SETPOINTTEMP, SOLGAIN, INTGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, INTPOWER, UTILFACTOR)
SELECT b.ID, m.MONTH, m.TEMP, m.RADHOR, m.RADWEST, m.RADEAST, m.RADSOUTH, m.RADNORTH, m.DAYS,
       b.TEMPERATURE, 0, 0, 0, 0, 0, 0, 0, 0
FROM Buildings b JOIN PreDefMonths m ON m.ID = b.WEATHERID
WHERE b.ID IN (SELECT ID FROM ExampleBuildings) ORDER BY b.rowid, m.MONTH;

-- Names that must be in an archive: a missing one leaves a NULL in the
-- column named after its archive, which the NOT NULL constraint refuses.
CREATE TEMP TABLE ExampleArchiveCheck (
  SOIL         VARCHAR(100) NOT NULL DEFAULT '',
  EDGE_INSULATION VARCHAR(100) NOT NULL DEFAULT '',
  CONSTRUCTION VARCHAR(100) NOT NULL DEFAULT '',
  MATERIAL     VARCHAR(100) NOT NULL DEFAULT '',
  WINDOW       VARCHAR(100) NOT NULL DEFAULT '',
  DOOR         VARCHAR(100) NOT NULL DEFAULT ''
);

-- ---------------------------------------------------------------------------
-- Foundations
-- ---------------------------------------------------------------------------

-- The columns each kind uses (the rest are 0): the slabs AREA, PERIMETER,
-- WALLDEPTH (thickness of the walls above), the edge insulation's
-- conductivity (from its material), ISOWIDTH (its thickness) and ISOLENGTH
-- (its depth below ground); the crawl spaces AREA, PERIMETER, WALLHEIGHT
-- (floor above the ground outside), WALLDEPTH (thickness of the plinth),
-- VENTILATIONAREA (openings, cm²), WINDSPEED (m/s) and SHIELDING (wind
-- shielding factor, %); the heated cellar AREA, PERIMETER, WALLHEIGHT (depth
-- of the cellar floor below ground) and WALLDEPTH. PERIMETER is the exposed
-- one: a row house's party wall borders on its neighbour's heated rooms.
CREATE TEMP TABLE ExampleGrounds (
  BUILDING        VARCHAR(100) NOT NULL,
  TYPE            VARCHAR(100) NOT NULL,
  AREA            FLOAT NOT NULL,
  PERIMETER       FLOAT NOT NULL,
  WALLHEIGHT      FLOAT NOT NULL,
  WALLDEPTH       FLOAT NOT NULL,
  SOIL            VARCHAR(100) NOT NULL,
  VENTILATIONAREA FLOAT NOT NULL,
  SHIELDING       FLOAT NOT NULL,
  WINDSPEED       FLOAT NOT NULL,
  EDGE_INSULATION VARCHAR(100),
  ISOWIDTH        FLOAT NOT NULL,
  ISOLENGTH       FLOAT NOT NULL
);
INSERT INTO ExampleGrounds VALUES
-- Outside 8,5 x 11,1 m; L-shaped edge elements of EPS, 100 mm thick, reaching
-- 400 mm down.
  ('Exempel Villa Stockholm 2000-tal', 'SlabVerticalInsulation', 85, 39.2, 0, 290, 'Lera eller silt',
   0, 5, 4, 'Cellplast EPS 100', 100, 400),
-- Front, back and gable, 6,0 + 6,0 + 9,6 m; the cellar floor 1,8 m below
-- ground, walls of 290 mm blocks with render.
  ('Exempel Radhus Göteborg 1960-tal', 'HeatedCellar', 52, 21.6, 1800, 300, 'Lera eller silt',
   0, 5, 4, NULL, 0, 0),
-- Floor 0,6 m above the ground outside; twenty openings of 200 cm² in the
-- plinth; the coast of Norrbotten has a mean wind of about 4 m/s.
  ('Exempel Skola Luleå 1970-tal', 'SuspendedFloor', 1000, 132, 600, 250, 'Sand eller grus',
   4000, 5, 4, NULL, 0, 0),
-- Floor 0,5 m above the ground; the plinth is the kind's own 250 mm concrete
-- wall; ten openings of 150 cm²; inland, about 3 m/s.
  ('Exempel Gård Östersund 1920-tal', 'AlbaCrawlSpace', 84, 40, 500, 250, 'Sand eller grus',
   1500, 5, 3, NULL, 0, 0);

INSERT INTO ExampleArchiveCheck (SOIL)
  SELECT s.ID FROM ExampleGrounds g LEFT JOIN LayersPreDef s ON s.ID = g.SOIL AND s.SOIL = 'Y';
INSERT INTO ExampleArchiveCheck (EDGE_INSULATION)
  SELECT m.ID FROM ExampleGrounds g LEFT JOIN LayersPreDef m ON m.ID = g.EDGE_INSULATION AND m.SOIL = 'N'
  WHERE g.EDGE_INSULATION IS NOT NULL;

INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME, GROUNDTHERMCOND,
                     VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH, PIC,
                     SPECIALVAR1, SPECIALVAR2, SPECIALVAR3, SPECIALVAR4, SPECIALVAR5)
SELECT g.BUILDING, g.TYPE, g.AREA, g.PERIMETER, g.WALLHEIGHT, g.WALLDEPTH, s.ID, s.THERMCOND,
       g.VENTILATIONAREA, g.SHIELDING, g.WINDSPEED, 0, COALESCE(e.THERMCOND, 0), 0, g.ISOWIDTH, g.ISOLENGTH, NULL,
       0, 0, 0, 0, 0
FROM ExampleGrounds g
JOIN LayersPreDef s ON s.ID = g.SOIL AND s.SOIL = 'Y'
LEFT JOIN LayersPreDef e ON e.ID = g.EDGE_INSULATION
ORDER BY g.rowid;

-- ---------------------------------------------------------------------------
-- Constructions
-- ---------------------------------------------------------------------------

-- ARCHIVE names the archived construction whose layers the construction
-- takes; ID is its name in the building, the archive's name or one that
-- tells where it is. Without ARCHIVE the layers are those of ExampleLayers,
-- built from the material archive, each material one that the archive
-- offers for the kind of construction. Outer walls and roofs are the envelope; inner walls and
-- intermediate floors store heat; the ground floor, ground wall and ground
-- slab constructions belong to the foundation.
CREATE TEMP TABLE ExampleComponents (
  BUILDING VARCHAR(100) NOT NULL,
  TYPE     VARCHAR(100) NOT NULL,
  ID       VARCHAR(100) NOT NULL,
  ARCHIVE  VARCHAR(100),
  AREA     FLOAT NOT NULL
);

-- Layer 1 is the layer next to the inner surface, as in the archive; layers
-- outside a ventilated air gap (cladding, brick facing, roof covering) are
-- left out.
CREATE TEMP TABLE ExampleLayers (
  BUILDING  VARCHAR(100) NOT NULL,
  TYPE      VARCHAR(100) NOT NULL,
  COMPONENT VARCHAR(100) NOT NULL,
  POS       INTEGER NOT NULL,
  MATERIAL  VARCHAR(100) NOT NULL,
  DEPTH     FLOAT NOT NULL
);

-- The villa. Walls: ground floor 39,2 m x 2,7 m and the two gables of the
-- upper floor (2 x 11 m²), less windows and doors; the knee walls 2 x 10,6 m
-- x 1,0 m towards the side attics. Roof: the slopes of the upper floor
-- (2 x 10,6 m x 2,3 m, less two roof windows), the collar ceiling
-- (2,6 x 10,6 m) and the ceilings of the ground floor under the side attics
-- (2 x 0,9 x 10,6 m).
INSERT INTO ExampleComponents VALUES
  ('Exempel Villa Stockholm 2000-tal', 'OuterWall', 'Regelvägg 170 mineralull', 'Regelvägg 170 mineralull', 102.3),
  ('Exempel Villa Stockholm 2000-tal', 'OuterWall', 'Knävägg mot kattvind, 170 mineralull', 'Regelvägg 170 mineralull', 21.2),
  ('Exempel Villa Stockholm 2000-tal', 'Roof', 'Snedtak 300 mineralull', 'Snedtak 300 mineralull', 47.0),
  ('Exempel Villa Stockholm 2000-tal', 'Roof', 'Vindsbjälklag 400 cellulosa', 'Vindsbjälklag 400 cellulosa', 46.6),
  ('Exempel Villa Stockholm 2000-tal', 'InnerWall', 'Regelvägg 70, gipsskiva båda sidor', 'Regelvägg 70, gipsskiva båda sidor', 95),
  ('Exempel Villa Stockholm 2000-tal', 'InnerRoof', 'Träbjälklag 220, golvspån och gips', 'Träbjälklag 220, golvspån och gips', 65),
  ('Exempel Villa Stockholm 2000-tal', 'GroundSlab', 'Platta på mark, betong 100 + cellplast 200', 'Platta på mark, betong 100 + cellplast 200', 85);

-- The row house. Front, back and gable (6,0 + 6,0 + 9,6 m) x 5,4 m less
-- windows and doors; the cellar walls 0,6 m above ground, less the cellar
-- windows, and 1,8 m below; the attic floor and the floors inside
-- 5,7 x 9,1 m; the party wall 9,1 m long over three floors, 7,3 m high.
INSERT INTO ExampleComponents VALUES
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Tegelfasad på regelvägg 95 mineralull', NULL, 97.2),
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Källarvägg ovan mark, lättklinker 290', NULL, 12),
  ('Exempel Radhus Göteborg 1960-tal', 'Roof', 'Vindsbjälklag 150 mineralull', NULL, 52),
  ('Exempel Radhus Göteborg 1960-tal', 'InnerWall', 'Lägenhetsskiljande vägg, betong 200', 'Betongvägg 200', 66.5),
  ('Exempel Radhus Göteborg 1960-tal', 'InnerWall', 'Regelvägg 70, gipsskiva båda sidor', 'Regelvägg 70, gipsskiva båda sidor', 60),
  ('Exempel Radhus Göteborg 1960-tal', 'InnerRoof', 'Träbjälklag 220, golvspån och gips', 'Träbjälklag 220, golvspån och gips', 52),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundFloor', 'Betongbjälklag 200 över källare', 'Betongbjälklag 200 över källare', 52),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundWall', 'Källarvägg, lättklinker 290 mot mark', NULL, 38.9),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundSlab', 'Källargolv, betong 100 utan isolering', NULL, 52);

INSERT INTO ExampleLayers VALUES
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Tegelfasad på regelvägg 95 mineralull', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Tegelfasad på regelvägg 95 mineralull', 2, 'Mineralull 37 / träreglar 10 %', 95),
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Tegelfasad på regelvägg 95 mineralull', 3, 'Träfiberskiva, porös 12 mm', 12),
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Källarvägg ovan mark, lättklinker 290', 1, 'Puts, kalkbruk', 10),
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Källarvägg ovan mark, lättklinker 290', 2, 'Lättklinkerblock 650', 290),
  ('Exempel Radhus Göteborg 1960-tal', 'OuterWall', 'Källarvägg ovan mark, lättklinker 290', 3, 'Puts, cementbruk', 15),
  ('Exempel Radhus Göteborg 1960-tal', 'Roof', 'Vindsbjälklag 150 mineralull', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Exempel Radhus Göteborg 1960-tal', 'Roof', 'Vindsbjälklag 150 mineralull', 2, 'Mineralull 37 / träbjälkar 8 %', 150),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundWall', 'Källarvägg, lättklinker 290 mot mark', 1, 'Puts, kalkbruk', 10),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundWall', 'Källarvägg, lättklinker 290 mot mark', 2, 'Lättklinkerblock 650', 290),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundWall', 'Källarvägg, lättklinker 290 mot mark', 3, 'Bitumenmatta 4 mm', 4),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundSlab', 'Källargolv, betong 100 utan isolering', 1, 'Plastmatta PVC 2 mm', 2),
  ('Exempel Radhus Göteborg 1960-tal', 'GroundSlab', 'Källargolv, betong 100 utan isolering', 2, 'Betong, armerad', 100);

-- The school. Walls 132 m x 3,2 m less windows and doors; the ceiling and
-- the floor 1 000 m²; the plinth 132 m x 0,6 m above ground.
INSERT INTO ExampleComponents VALUES
  ('Exempel Skola Luleå 1970-tal', 'OuterWall', 'Regelvägg 170 mineralull', 'Regelvägg 170 mineralull', 280),
  ('Exempel Skola Luleå 1970-tal', 'Roof', 'Vindsbjälklag 170+80 mineralull', NULL, 1000),
  ('Exempel Skola Luleå 1970-tal', 'InnerWall', 'Lättbetongvägg 100', 'Lättbetongvägg 100', 450),
  ('Exempel Skola Luleå 1970-tal', 'GroundFloor', 'Träbjälklag över krypgrund, 200 mineralull', 'Träbjälklag över krypgrund, 200 mineralull', 1000),
  ('Exempel Skola Luleå 1970-tal', 'GroundWall', 'Krypgrundsmur, betong 200 + cellplast 50', 'Krypgrundsmur, betong 200 + cellplast 50', 79.2),
  ('Exempel Skola Luleå 1970-tal', 'GroundSlab', 'Markisolering i krypgrunden, cellplast 50', NULL, 1000);

INSERT INTO ExampleLayers VALUES
  ('Exempel Skola Luleå 1970-tal', 'Roof', 'Vindsbjälklag 170+80 mineralull', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Exempel Skola Luleå 1970-tal', 'Roof', 'Vindsbjälklag 170+80 mineralull', 2, 'Plastfolie PE 0,2 mm', 0.2),
  ('Exempel Skola Luleå 1970-tal', 'Roof', 'Vindsbjälklag 170+80 mineralull', 3, 'Mineralull 37 / träbjälkar 8 %', 170),
  ('Exempel Skola Luleå 1970-tal', 'Roof', 'Vindsbjälklag 170+80 mineralull', 4, 'Lösull, mineralull', 80),
  ('Exempel Skola Luleå 1970-tal', 'GroundSlab', 'Markisolering i krypgrunden, cellplast 50', 1, 'Cellplast EPS 200, markskiva', 50);

-- The farmhouse. Log walls: ground floor 40 m x 2,7 m and the two gables of
-- the upper floor (2 x 10 m²), less windows and doors; knee walls 2 x 11,4 m
-- x 0,9 m; slopes 2 x 11,4 m x 2,2 m; the collar ceiling and the ceilings
-- under the side attics 48 m²; the floors inside 7,4 x 11,4 m.
INSERT INTO ExampleComponents VALUES
  ('Exempel Gård Östersund 1920-tal', 'OuterWall', 'Timmervägg 150', NULL, 110),
  ('Exempel Gård Östersund 1920-tal', 'OuterWall', 'Knävägg mot kattvind, 100 mineralull', NULL, 20.5),
  ('Exempel Gård Östersund 1920-tal', 'Roof', 'Snedtak 120 mineralull', NULL, 50),
  ('Exempel Gård Östersund 1920-tal', 'Roof', 'Vindsbjälklag, 200 lösull på blindbotten', NULL, 48),
  ('Exempel Gård Östersund 1920-tal', 'InnerWall', 'Plankvägg 50, träfiberskiva båda sidor', NULL, 90),
  ('Exempel Gård Östersund 1920-tal', 'InnerWall', 'Murstock, tegel ½ sten, putsad', 'Tegelvägg ½ sten, putsad', 25),
  ('Exempel Gård Östersund 1920-tal', 'InnerRoof', 'Träbjälklag med golvbräder', NULL, 55),
  ('Exempel Gård Östersund 1920-tal', 'GroundFloor', 'Träbjälklag över krypgrund, 100 mineralull', NULL, 84);

INSERT INTO ExampleLayers VALUES
  ('Exempel Gård Östersund 1920-tal', 'OuterWall', 'Timmervägg 150', 1, 'Träfiberskiva, porös 12 mm', 12),
  ('Exempel Gård Östersund 1920-tal', 'OuterWall', 'Timmervägg 150', 2, 'Trä, barrträ', 150),
  ('Exempel Gård Östersund 1920-tal', 'OuterWall', 'Knävägg mot kattvind, 100 mineralull', 1, 'Träfiberskiva, porös 12 mm', 12),
  ('Exempel Gård Östersund 1920-tal', 'OuterWall', 'Knävägg mot kattvind, 100 mineralull', 2, 'Mineralull 37 / träreglar 10 %', 100),
  ('Exempel Gård Östersund 1920-tal', 'Roof', 'Snedtak 120 mineralull', 1, 'Träfiberskiva, porös 12 mm', 12),
  ('Exempel Gård Östersund 1920-tal', 'Roof', 'Snedtak 120 mineralull', 2, 'Mineralull 37 / träbjälkar 8 %', 120),
  ('Exempel Gård Östersund 1920-tal', 'Roof', 'Vindsbjälklag, 200 lösull på blindbotten', 1, 'Trä, barrträ', 22),
  ('Exempel Gård Östersund 1920-tal', 'Roof', 'Vindsbjälklag, 200 lösull på blindbotten', 2, 'Lösull, cellulosafiber', 200),
  ('Exempel Gård Östersund 1920-tal', 'InnerWall', 'Plankvägg 50, träfiberskiva båda sidor', 1, 'Träfiberskiva, hård 3,2 mm', 3.2),
  ('Exempel Gård Östersund 1920-tal', 'InnerWall', 'Plankvägg 50, träfiberskiva båda sidor', 2, 'Trä, barrträ', 50),
  ('Exempel Gård Östersund 1920-tal', 'InnerWall', 'Plankvägg 50, träfiberskiva båda sidor', 3, 'Träfiberskiva, hård 3,2 mm', 3.2),
  ('Exempel Gård Östersund 1920-tal', 'InnerRoof', 'Träbjälklag med golvbräder', 1, 'Golvbräder, furu 28 mm', 28),
  ('Exempel Gård Östersund 1920-tal', 'InnerRoof', 'Träbjälklag med golvbräder', 2, 'Mineralull 37 / träbjälkar 8 %', 200),
  ('Exempel Gård Östersund 1920-tal', 'InnerRoof', 'Träbjälklag med golvbräder', 3, 'Träfiberskiva, hård 3,2 mm', 3.2),
  ('Exempel Gård Östersund 1920-tal', 'GroundFloor', 'Träbjälklag över krypgrund, 100 mineralull', 1, 'Golvbräder, furu 28 mm', 28),
  ('Exempel Gård Östersund 1920-tal', 'GroundFloor', 'Träbjälklag över krypgrund, 100 mineralull', 2, 'Mineralull 37 / träbjälkar 8 %', 100),
  ('Exempel Gård Östersund 1920-tal', 'GroundFloor', 'Träbjälklag över krypgrund, 100 mineralull', 3, 'Träfiberskiva, porös 12 mm', 12);

INSERT INTO ExampleArchiveCheck (CONSTRUCTION)
  SELECT a.ID FROM ExampleComponents c
  LEFT JOIN LayeredComponentsPreDef a ON a.ID = c.ARCHIVE AND a.TYPE = c.TYPE
  WHERE c.ARCHIVE IS NOT NULL;
INSERT INTO ExampleArchiveCheck (MATERIAL)
  SELECT m.ID FROM ExampleLayers l LEFT JOIN LayersPreDef m ON m.ID = l.MATERIAL AND 'Y' =
    CASE l.TYPE WHEN 'OuterWall' THEN m.OUTERWALL WHEN 'InnerWall' THEN m.INNERWALL WHEN 'Roof' THEN m.ROOF
                WHEN 'InnerRoof' THEN m.INNERROOF WHEN 'GroundFloor' THEN m.GROUNDFLOOR
                WHEN 'GroundWall' THEN m.GROUNDWALL WHEN 'GroundSlab' THEN m.GROUNDSLAB END;

-- The layers: copies of the archived construction's layers, or the
-- materials with their properties (and the fixed thickness of a material
-- that has one). The results are left to the calculation.
INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, LOCKEDDEPTH)
SELECT c.BUILDING, c.TYPE, c.ID, a.POS, a.ID, a.THERMCOND, a.SPECCAP, a.DENSITY, a.DEPTH,
       CASE WHEN a.LOCKEDDEPTH <> 0 THEN 'Y' ELSE 'N' END
FROM ExampleComponents c JOIN LayersPreDefUsed a ON a.COMPONENT = c.ARCHIVE AND a.TYPE = c.TYPE
ORDER BY c.rowid, a.POS;

INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, LOCKEDDEPTH)
SELECT l.BUILDING, l.TYPE, l.COMPONENT, l.POS, m.ID, m.THERMCOND, m.SPECCAP, m.DENSITY,
       CASE WHEN m.LOCKEDDEPTH = 'Y' THEN m.DEPTH ELSE l.DEPTH END, m.LOCKEDDEPTH
FROM ExampleLayers l JOIN LayersPreDef m ON m.ID = l.MATERIAL
ORDER BY l.rowid;

INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, INNERCAPACITY)
SELECT c.BUILDING, c.TYPE, c.ID, c.AREA, 0,
       (SELECT COUNT(*) FROM Layers l WHERE l.BUILDING = c.BUILDING AND l.TYPE = c.TYPE AND l.COMPONENT = c.ID),
       0, 0
FROM ExampleComponents c ORDER BY c.rowid;

-- ---------------------------------------------------------------------------
-- Windows and doors
-- ---------------------------------------------------------------------------

-- One row per kind of window and direction (0 north, 1 south, 2 west,
-- 3 east, 4 horizontal: roof windows), its area the sum of the windows
-- there. U, g and frame share come
-- from the archive; SHADING (%) is what the surroundings, eaves, window
-- recesses and curtains or blinds take of the sun.
CREATE TEMP TABLE ExampleWindows (
  BUILDING  VARCHAR(100) NOT NULL,
  ID        VARCHAR(100) NOT NULL,
  ARCHIVE   VARCHAR(100) NOT NULL,
  AREA      FLOAT NOT NULL,
  DIRECTION INTEGER NOT NULL,
  SHADING   FLOAT NOT NULL
);
INSERT INTO ExampleWindows VALUES
  ('Exempel Villa Stockholm 2000-tal', 'Fönster söder', '2+1-glas med energiglas 12x12, U 1,3', 8.64, 1, 40),
  ('Exempel Villa Stockholm 2000-tal', 'Fönsterdörr söder', 'Fönsterdörr 3-glas 9x21, U 1,0', 1.89, 1, 40),
  ('Exempel Villa Stockholm 2000-tal', 'Fönster norr', '2+1-glas med energiglas 12x12, U 1,3', 4.32, 0, 40),
  ('Exempel Villa Stockholm 2000-tal', 'Fönster väster', '2+1-glas med energiglas 12x12, U 1,3', 4.32, 2, 40),
  ('Exempel Villa Stockholm 2000-tal', 'Fönster öster', '2+1-glas med energiglas 12x12, U 1,3', 4.32, 3, 40),
  ('Exempel Villa Stockholm 2000-tal', 'Takfönster', 'Takfönster 3-glas 78x118 cm, U 1,3', 1.84, 4, 30),

  ('Exempel Radhus Göteborg 1960-tal', 'Fönster söder', '2-glas kopplade bågar 12x12, U 2,8', 8.64, 1, 40),
  ('Exempel Radhus Göteborg 1960-tal', 'Fönster norr', '2-glas kopplade bågar 12x12, U 2,8', 4.32, 0, 40),
  ('Exempel Radhus Göteborg 1960-tal', 'Fönster väster', '2-glas kopplade bågar 12x12, U 2,8', 2.88, 2, 40),
  ('Exempel Radhus Göteborg 1960-tal', 'Källarfönster söder', '2-glas kopplade bågar 12x12, U 2,8', 0.5, 1, 40),
  ('Exempel Radhus Göteborg 1960-tal', 'Källarfönster norr', '2-glas kopplade bågar 12x12, U 2,8', 0.5, 0, 40),

  ('Exempel Skola Luleå 1970-tal', 'Fönster söder', '2+1-glas med energiglas 12x12, U 1,3', 50, 1, 30),
  ('Exempel Skola Luleå 1970-tal', 'Fönster norr', '2+1-glas med energiglas 12x12, U 1,3', 30, 0, 30),
  ('Exempel Skola Luleå 1970-tal', 'Fönster väster', '2+1-glas med energiglas 12x12, U 1,3', 25, 2, 30),
  ('Exempel Skola Luleå 1970-tal', 'Fönster öster', '2+1-glas med energiglas 12x12, U 1,3', 25, 3, 30),

  ('Exempel Gård Östersund 1920-tal', 'Fönster söder', '2-glas kopplade bågar 12x12, U 2,8', 5.76, 1, 30),
  ('Exempel Gård Östersund 1920-tal', 'Fönster norr', '2-glas kopplade bågar 12x12, U 2,8', 2.88, 0, 30),
  ('Exempel Gård Östersund 1920-tal', 'Fönster väster', '2-glas kopplade bågar 12x12, U 2,8', 2.88, 2, 30),
  ('Exempel Gård Östersund 1920-tal', 'Fönster öster', '2-glas kopplade bågar 12x12, U 2,8', 2.88, 3, 30);

INSERT INTO ExampleArchiveCheck (WINDOW)
  SELECT a.ID FROM ExampleWindows w LEFT JOIN WindowsPreDef a ON a.ID = w.ARCHIVE;

INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION)
SELECT w.BUILDING, w.ID, a.UVALUE, a.GVALUE, w.SHADING, a.FRAMEFACTOR, w.AREA, w.DIRECTION
FROM ExampleWindows w JOIN WindowsPreDef a ON a.ID = w.ARCHIVE
ORDER BY w.rowid;

-- One row per kind of door; COUNT doors of the archive's size.
CREATE TEMP TABLE ExampleDoors (
  BUILDING VARCHAR(100) NOT NULL,
  ID       VARCHAR(100) NOT NULL,
  ARCHIVE  VARCHAR(100) NOT NULL,
  COUNT    INTEGER NOT NULL
);
INSERT INTO ExampleDoors VALUES
  ('Exempel Villa Stockholm 2000-tal', 'Entrédörr', 'Ytterdörr, isolerad trädörr 10x21, U 1,0', 1),
  ('Exempel Radhus Göteborg 1960-tal', 'Entrédörr', 'Ytterdörr, äldre oisolerad 9x20, U 2,5', 1),
  ('Exempel Radhus Göteborg 1960-tal', 'Dörr mot trädgården', 'Ytterdörr, äldre oisolerad 9x20, U 2,5', 1),
  ('Exempel Skola Luleå 1970-tal', 'Entrédörrar, 4 st', 'Ytterdörr med glasparti 10x21, U 1,3', 4),
  ('Exempel Skola Luleå 1970-tal', 'Dörrar till förråd och kök, 2 st', 'Ytterdörr, äldre oisolerad 9x20, U 2,5', 2),
  ('Exempel Gård Östersund 1920-tal', 'Farstudörr', 'Ytterdörr, äldre oisolerad 9x20, U 2,5', 1),
  ('Exempel Gård Östersund 1920-tal', 'Köksdörr', 'Ytterdörr, äldre oisolerad 9x20, U 2,5', 1);

INSERT INTO ExampleArchiveCheck (DOOR)
  SELECT a.ID FROM ExampleDoors d LEFT JOIN DoorsPreDef a ON a.ID = d.ARCHIVE;

INSERT INTO Doors (ID, BUILDING, AREA, UVALUE)
SELECT d.ID, d.BUILDING, d.COUNT * a.AREA, a.UVALUE
FROM ExampleDoors d JOIN DoorsPreDef a ON a.ID = d.ARCHIVE
ORDER BY d.rowid;

DROP TABLE ExampleDoors;
DROP TABLE ExampleWindows;
DROP TABLE ExampleLayers;
DROP TABLE ExampleComponents;
DROP TABLE ExampleGrounds;
DROP TABLE ExampleArchiveCheck;
DROP TABLE ExampleChoiceValues;
DROP TABLE ExampleBuildings;
