-- Archived layered constructions (LayeredComponentsPreDef) and their layers
-- (LayersPreDefUsed).
--
-- Layer 1 is the layer next to the inner surface: walls and roofs are listed
-- from the inside out, intermediate floors and ground floors from the floor
-- surface down, ground slabs from the floor surface down to the ground, and
-- ground walls from the inside of the basement or crawl space out to the
-- ground. Layers outside a ventilated air gap (cladding, roof covering) do
-- not take part in the heat flow and are left out.
--
-- Each layer names its material; conductivity, heat capacity, density and
-- the fixed-thickness flag are copied from the material archive, and so is
-- the thickness of a fixed-thickness material. A layer naming a material
-- that the archive lacks stops the creation of the database.

CREATE TEMP TABLE SeedLayers (
  COMPONENT VARCHAR(100) NOT NULL,
  TYPE      VARCHAR(100) NOT NULL,
  POS       INTEGER NOT NULL,
  MATERIAL  VARCHAR(100) NOT NULL,
  DEPTH     FLOAT NOT NULL
);

INSERT INTO SeedLayers (COMPONENT, TYPE, POS, MATERIAL, DEPTH) VALUES
-- Outer walls, inside out
  ('Regelvägg 170 mineralull', 'OuterWall', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Regelvägg 170 mineralull', 'OuterWall', 2, 'Plastfolie PE 0,2 mm', 0.2),
  ('Regelvägg 170 mineralull', 'OuterWall', 3, 'Mineralull 37 / träreglar 10 %', 170),
  ('Regelvägg 170 mineralull', 'OuterWall', 4, 'Utvändig gipsskiva 9 mm', 9),

  ('Regelvägg 45+195 mineralull', 'OuterWall', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Regelvägg 45+195 mineralull', 'OuterWall', 2, 'Mineralull 37 / träreglar 10 %', 45),
  ('Regelvägg 45+195 mineralull', 'OuterWall', 3, 'Plastfolie PE 0,2 mm', 0.2),
  ('Regelvägg 45+195 mineralull', 'OuterWall', 4, 'Mineralull 37 / träreglar 10 %', 195),
  ('Regelvägg 45+195 mineralull', 'OuterWall', 5, 'Utvändig gipsskiva 9 mm', 9),

  ('Lättbetongvägg 250, putsad', 'OuterWall', 1, 'Puts, kalkbruk', 10),
  ('Lättbetongvägg 250, putsad', 'OuterWall', 2, 'Lättbetong 400', 250),
  ('Lättbetongvägg 250, putsad', 'OuterWall', 3, 'Puts, cementbruk', 20),

  ('Betongsandwich 100+200+70', 'OuterWall', 1, 'Betong, armerad', 100),
  ('Betongsandwich 100+200+70', 'OuterWall', 2, 'Cellplast EPS 80', 200),
  ('Betongsandwich 100+200+70', 'OuterWall', 3, 'Betong, armerad', 70),

  ('Tegelvägg 1½ sten, putsad', 'OuterWall', 1, 'Puts, kalkbruk', 15),
  ('Tegelvägg 1½ sten, putsad', 'OuterWall', 2, 'Tegel, massivt', 380),
  ('Tegelvägg 1½ sten, putsad', 'OuterWall', 3, 'Puts, kalkbruk', 20),

  ('Lättklinkerblock 290 med fasadisolering 100', 'OuterWall', 1, 'Puts, kalkbruk', 10),
  ('Lättklinkerblock 290 med fasadisolering 100', 'OuterWall', 2, 'Lättklinkerblock 650', 290),
  ('Lättklinkerblock 290 med fasadisolering 100', 'OuterWall', 3, 'Stenull 35, fasadskiva', 100),
  ('Lättklinkerblock 290 med fasadisolering 100', 'OuterWall', 4, 'Puts, cementbruk', 15),

-- Inner walls, from one side to the other
  ('Regelvägg 70, gipsskiva båda sidor', 'InnerWall', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Regelvägg 70, gipsskiva båda sidor', 'InnerWall', 2, 'Mineralull 37 / träreglar 10 %', 70),
  ('Regelvägg 70, gipsskiva båda sidor', 'InnerWall', 3, 'Gipsskiva 12,5 mm', 12.5),

  ('Betongvägg 200', 'InnerWall', 1, 'Betong, armerad', 200),

  ('Lättbetongvägg 100', 'InnerWall', 1, 'Puts, kalkbruk', 10),
  ('Lättbetongvägg 100', 'InnerWall', 2, 'Lättbetong 500', 100),
  ('Lättbetongvägg 100', 'InnerWall', 3, 'Puts, kalkbruk', 10),

  ('Tegelvägg ½ sten, putsad', 'InnerWall', 1, 'Puts, kalkbruk', 10),
  ('Tegelvägg ½ sten, putsad', 'InnerWall', 2, 'Tegel, massivt', 120),
  ('Tegelvägg ½ sten, putsad', 'InnerWall', 3, 'Puts, kalkbruk', 10),

-- Roofs, inside out
  ('Vindsbjälklag 500 lösull', 'Roof', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Vindsbjälklag 500 lösull', 'Roof', 2, 'Plastfolie PE 0,2 mm', 0.2),
  ('Vindsbjälklag 500 lösull', 'Roof', 3, 'Mineralull 37 / träbjälkar 8 %', 170),
  ('Vindsbjälklag 500 lösull', 'Roof', 4, 'Lösull, mineralull', 330),

  ('Vindsbjälklag 400 cellulosa', 'Roof', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Vindsbjälklag 400 cellulosa', 'Roof', 2, 'Plastfolie PE 0,2 mm', 0.2),
  ('Vindsbjälklag 400 cellulosa', 'Roof', 3, 'Lösull, cellulosafiber', 400),

  ('Platt tak, betong 200 + cellplast 300', 'Roof', 1, 'Betong, armerad', 200),
  ('Platt tak, betong 200 + cellplast 300', 'Roof', 2, 'Plastfolie PE 0,2 mm', 0.2),
  ('Platt tak, betong 200 + cellplast 300', 'Roof', 3, 'Cellplast EPS 100', 300),
  ('Platt tak, betong 200 + cellplast 300', 'Roof', 4, 'Bitumenmatta 4 mm', 4),

  ('Snedtak 300 mineralull', 'Roof', 1, 'Gipsskiva 12,5 mm', 12.5),
  ('Snedtak 300 mineralull', 'Roof', 2, 'Plastfolie PE 0,2 mm', 0.2),
  ('Snedtak 300 mineralull', 'Roof', 3, 'Mineralull 37 / träbjälkar 8 %', 300),
  ('Snedtak 300 mineralull', 'Roof', 4, 'Träfiberskiva, porös 12 mm', 12),

-- Intermediate floors, from the floor surface down
  ('Betongbjälklag 200 med parkett', 'InnerRoof', 1, 'Parkett, ek 14 mm', 14),
  ('Betongbjälklag 200 med parkett', 'InnerRoof', 2, 'Avjämningsmassa', 10),
  ('Betongbjälklag 200 med parkett', 'InnerRoof', 3, 'Betong, armerad', 200),

  ('Träbjälklag 220, golvspån och gips', 'InnerRoof', 1, 'Spånskiva 22 mm', 22),
  ('Träbjälklag 220, golvspån och gips', 'InnerRoof', 2, 'Mineralull 37 / träbjälkar 8 %', 220),
  ('Träbjälklag 220, golvspån och gips', 'InnerRoof', 3, 'Gipsskiva 12,5 mm', 12.5),

  ('Betongbjälklag 250 med klinker', 'InnerRoof', 1, 'Klinker, keramiska plattor', 10),
  ('Betongbjälklag 250 med klinker', 'InnerRoof', 2, 'Betong, armerad', 250),

-- Ground floors (over a crawl space or a basement), from the floor surface down
  ('Träbjälklag över krypgrund, 200 mineralull', 'GroundFloor', 1, 'Golvbräder, furu 28 mm', 28),
  ('Träbjälklag över krypgrund, 200 mineralull', 'GroundFloor', 2, 'Plastfolie PE 0,2 mm', 0.2),
  ('Träbjälklag över krypgrund, 200 mineralull', 'GroundFloor', 3, 'Mineralull 37 / träbjälkar 8 %', 200),
  ('Träbjälklag över krypgrund, 200 mineralull', 'GroundFloor', 4, 'Träfiberskiva, porös 12 mm', 12),

  ('Betongbjälklag över krypgrund, 200 + cellplast 100', 'GroundFloor', 1, 'Avjämningsmassa', 10),
  ('Betongbjälklag över krypgrund, 200 + cellplast 100', 'GroundFloor', 2, 'Betong, armerad', 200),
  ('Betongbjälklag över krypgrund, 200 + cellplast 100', 'GroundFloor', 3, 'Cellplast EPS 100', 100),

  ('Betongbjälklag 200 över källare', 'GroundFloor', 1, 'Parkett, ek 14 mm', 14),
  ('Betongbjälklag 200 över källare', 'GroundFloor', 2, 'Betong, armerad', 200),

-- Ground slabs, from the floor surface down to the ground
  ('Platta på mark, betong 100 + cellplast 200', 'GroundSlab', 1, 'Betong, armerad', 100),
  ('Platta på mark, betong 100 + cellplast 200', 'GroundSlab', 2, 'Cellplast EPS 100', 200),

  ('Platta på mark, betong 100 + cellplast 300', 'GroundSlab', 1, 'Betong, armerad', 100),
  ('Platta på mark, betong 100 + cellplast 300', 'GroundSlab', 2, 'Cellplast EPS 100', 300),

  ('Platta på mark, klinker, betong 120 + XPS 150', 'GroundSlab', 1, 'Klinker, keramiska plattor', 10),
  ('Platta på mark, klinker, betong 120 + XPS 150', 'GroundSlab', 2, 'Betong, armerad', 120),
  ('Platta på mark, klinker, betong 120 + XPS 150', 'GroundSlab', 3, 'Extruderad polystyren XPS 300', 150),

  ('Källargolv, betong 100 + cellplast 100', 'GroundSlab', 1, 'Betong, armerad', 100),
  ('Källargolv, betong 100 + cellplast 100', 'GroundSlab', 2, 'Cellplast EPS 200, markskiva', 100),

-- Ground walls, from the inside out to the ground
  ('Källarvägg, betong 200 + cellplast 100', 'GroundWall', 1, 'Betong, armerad', 200),
  ('Källarvägg, betong 200 + cellplast 100', 'GroundWall', 2, 'Bitumenmatta 4 mm', 4),
  ('Källarvägg, betong 200 + cellplast 100', 'GroundWall', 3, 'Cellplast EPS 200, markskiva', 100),

  ('Källarvägg, lättklinkerblock 290 + XPS 80', 'GroundWall', 1, 'Puts, kalkbruk', 10),
  ('Källarvägg, lättklinkerblock 290 + XPS 80', 'GroundWall', 2, 'Lättklinkerblock 650', 290),
  ('Källarvägg, lättklinkerblock 290 + XPS 80', 'GroundWall', 3, 'Extruderad polystyren XPS 300', 80),

  ('Krypgrundsmur, betong 200 + cellplast 50', 'GroundWall', 1, 'Betong, armerad', 200),
  ('Krypgrundsmur, betong 200 + cellplast 50', 'GroundWall', 2, 'Cellplast EPS 200, markskiva', 50);

-- Every layer's material must be in the archive: a missing one leaves a NULL
-- here, which the NOT NULL constraint refuses.
CREATE TEMP TABLE SeedLayerCheck (LAYER_MATERIAL_IN_ARCHIVE VARCHAR(100) NOT NULL);
INSERT INTO SeedLayerCheck
  SELECT m.ID FROM SeedLayers s LEFT JOIN LayersPreDef m ON m.ID = s.MATERIAL;

INSERT INTO LayeredComponentsPreDef (ID, TYPE, NLAYERS)
  SELECT COMPONENT, TYPE, COUNT(*) FROM SeedLayers
  GROUP BY COMPONENT, TYPE ORDER BY TYPE, COMPONENT;

INSERT INTO LayersPreDefUsed (COMPONENT, POS, TYPE, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, LOCKEDDEPTH)
  SELECT s.COMPONENT, s.POS, s.TYPE, m.ID, m.THERMCOND, m.SPECCAP, m.DENSITY,
         CASE WHEN m.LOCKEDDEPTH = 'Y' THEN m.DEPTH ELSE s.DEPTH END,
         CASE WHEN m.LOCKEDDEPTH = 'Y' THEN 1 ELSE 0 END
  FROM SeedLayers s JOIN LayersPreDef m ON m.ID = s.MATERIAL
  ORDER BY s.TYPE, s.COMPONENT, s.POS;

DROP TABLE SeedLayerCheck;
DROP TABLE SeedLayers;
