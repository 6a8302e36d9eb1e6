-- Material archive and soils (LayersPreDef).
--
-- Columns: conductivity W/(m·K), specific heat capacity J/(kg·K), density
-- kg/m³, default thickness mm; then the kinds the material is offered for
-- (outer wall, inner wall, roof, intermediate floor, ground floor, ground
-- wall, ground slab), soil, fixed thickness.
--
-- Sources, marked per row:
--   [T] EN ISO 10456:2007, Table 3 (design values of homogeneous building
--       materials: λ, ρ, c).
--   [M] EN 1745, tabulated values for masonry (clay, calcium silicate,
--       autoclaved aerated concrete, lightweight aggregate concrete units),
--       λ rounded up to allow for the moisture of a wall in use;
--       c 1000 J/(kg·K) as EN 1745 gives for these units.
--   [P] insulation products: the declared conductivity of the product class
--       (EN 13162 mineral wool, EN 13163 EPS, EN 13164 XPS, EN 13165 PIR,
--       EN 13167 cellular glass, EN 13171 wood fibre) as sold in Sweden, with
--       ρ typical of the class and c from EN ISO 10456 Table 3 (mineral wool
--       1030, EPS and XPS 1450, PUR/PIR 1400, cellular glass 1000, wood fibre
--       2100; loose-fill cellulose 2000 as declared by makers).
--   [A] unventilated air layer, EN ISO 6946:2007 Table 2: R 0.18 m²·K/W for
--       25 mm with horizontal heat flow, 0.16 m²·K/W for 50 mm with upward
--       heat flow, expressed as the conductivity d/R; air ρ 1.23, c 1008
--       (EN ISO 10456 Table 3).
--   [L] a layer of insulation with timber studs or joists: the λ-value method
--       (area-weighted mean conductivity, the upper bound of EN ISO 6946
--       section 6.7.2), density area-weighted and specific heat mass-weighted,
--       from "Mineralull 37" (0.037, 20 kg/m³, 1030) and "Trä, barrträ" (0.13,
--       500 kg/m³, 1600): 10 % timber for studs at 600 mm with plates and
--       noggings, 8 % for 45 mm joists at 600 mm.
--   [S] soils: conductivity and volumetric heat capacity ρ·c of ISO 13370:2007
--       Table 7 (clay or silt 1.5 W/(m·K), 3.0 MJ/(m³·K); sand or gravel 2.0,
--       2.0 MJ/(m³·K); homogeneous rock 3.5, 2.0 MJ/(m³·K)), split into ρ and c
--       within the ranges of EN ISO 10456 Table 4 (rock: granite-like 2500
--       kg/m³ and 800 J/(kg·K)). The thickness of a soil is not used.
--
-- Products that come in one thickness (boards, membranes, floor finishes, air
-- layers) have a fixed thickness: a layer changed to such a material takes it.

INSERT INTO LayersPreDef (ID, THERMCOND, SPECCAP, DENSITY, DEPTH,
  OUTERWALL, INNERWALL, ROOF, INNERROOF, GROUNDFLOOR, GROUNDWALL, GROUNDSLAB, SOIL, LOCKEDDEPTH) VALUES
-- Concrete, masonry and stone
  ('Betong, armerad',                    2.3,    1000, 2300,  200,  'Y','Y','Y','Y','Y','Y','Y', 'N','N'), -- [T] reinforced, 1 % steel
  ('Betong, oarmerad',                   2.0,    1000, 2400,  100,  'Y','Y','N','Y','Y','Y','Y', 'N','N'), -- [T] high density
  ('Lättbetong 400',                     0.12,   1000,  400,  250,  'Y','N','Y','N','N','N','N', 'N','N'), -- [M]
  ('Lättbetong 500',                     0.14,   1000,  500,  250,  'Y','Y','Y','Y','N','Y','N', 'N','N'), -- [M]
  ('Lättbetong 600',                     0.16,   1000,  600,  200,  'Y','Y','N','Y','N','Y','N', 'N','N'), -- [M]
  ('Lättklinkerblock 650',               0.20,   1000,  650,  290,  'Y','Y','N','N','N','Y','N', 'N','N'), -- [M]
  ('Tegel, massivt',                     0.60,   1000, 1800,  120,  'Y','Y','N','N','N','Y','N', 'N','N'), -- [M] solid clay brick
  ('Tegel, håltegel',                    0.40,   1000, 1200,  120,  'Y','Y','N','N','N','N','N', 'N','N'), -- [M] perforated clay brick
  ('Kalksandsten',                       1.0,    1000, 1800,  120,  'Y','Y','N','N','N','Y','N', 'N','N'), -- [M]
  ('Granit',                             2.8,    1000, 2600,   30,  'Y','N','N','Y','Y','Y','Y', 'N','N'), -- [T]
  ('Marmor',                             3.5,    1000, 2800,   20,  'N','Y','N','Y','Y','N','Y', 'N','N'), -- [T]
  ('Kalksten, hård',                     1.7,    1000, 2200,   30,  'Y','N','N','Y','N','N','Y', 'N','N'), -- [T]
-- Renders, plasters and screeds
  ('Puts, kalkbruk',                     0.80,   1000, 1600,   15,  'Y','Y','N','N','N','Y','N', 'N','N'), -- [T] lime, sand
  ('Puts, cementbruk',                   1.0,    1000, 1800,   20,  'Y','N','N','N','N','Y','N', 'N','N'), -- [T] cement, sand
  ('Gipsputs',                           0.40,   1000, 1000,   10,  'Y','Y','Y','Y','N','N','N', 'N','N'), -- [T] gypsum plastering
  ('Avjämningsmassa',                    1.0,    1000, 1800,   10,  'N','N','N','Y','Y','N','Y', 'N','N'), -- [T] cement, sand
-- Timber and boards
  ('Trä, barrträ',                       0.13,   1600,  500,   45,  'Y','Y','Y','Y','Y','Y','N', 'N','N'), -- [T] timber 500
  ('Trä, lövträ',                        0.18,   1600,  700,   22,  'N','Y','N','Y','Y','N','N', 'N','N'), -- [T] timber 700
  ('Golvbräder, furu 28 mm',             0.13,   1600,  500,   28,  'N','N','N','Y','Y','N','N', 'N','Y'), -- [T]
  ('Parkett, ek 14 mm',                  0.18,   1600,  700,   14,  'N','N','N','Y','Y','N','Y', 'N','Y'), -- [T]
  ('Plywood 12 mm',                      0.13,   1600,  500,   12,  'Y','Y','Y','Y','Y','N','N', 'N','Y'), -- [T] plywood 500
  ('Spånskiva 22 mm',                    0.14,   1700,  600,   22,  'N','N','Y','Y','Y','N','N', 'N','Y'), -- [T] particleboard 600
  ('OSB-skiva 11 mm',                    0.13,   1700,  650,   11,  'Y','Y','Y','N','N','N','N', 'N','Y'), -- [T] OSB
  ('Träfiberskiva, porös 12 mm',         0.07,   1700,  250,   12,  'Y','N','Y','N','Y','N','N', 'N','Y'), -- [T] fibreboard 250
  ('Träfiberskiva, hård 3,2 mm',         0.18,   1700,  800,  3.2,  'Y','Y','N','Y','N','N','N', 'N','Y'), -- [T] fibreboard 800
  ('Gipsskiva 12,5 mm',                  0.21,   1000,  700, 12.5,  'Y','Y','Y','Y','Y','Y','N', 'N','Y'), -- [T] plasterboard 700
  ('Gipsskiva 15 mm, brandskydd',        0.25,   1000,  900,   15,  'Y','Y','Y','Y','N','N','N', 'N','Y'), -- [T] plasterboard 900
  ('Utvändig gipsskiva 9 mm',            0.21,   1000,  700,    9,  'Y','N','Y','N','N','N','N', 'N','Y'), -- [T] plasterboard 700
  ('Cementbunden spånskiva 12 mm',       0.23,   1500, 1200,   12,  'Y','N','N','N','N','Y','N', 'N','Y'), -- [T]
-- Thermal insulation
  ('Mineralull 37',                      0.037,  1030,   20,  195,  'Y','Y','Y','Y','Y','Y','N', 'N','N'), -- [P]
  ('Mineralull 36',                      0.036,  1030,   22,  170,  'Y','Y','Y','Y','Y','Y','N', 'N','N'), -- [P]
  ('Mineralull 33',                      0.033,  1030,   30,   95,  'Y','N','Y','Y','Y','Y','N', 'N','N'), -- [P]
  ('Stenull 35, fasadskiva',             0.035,  1030,   80,   50,  'Y','N','N','N','N','Y','N', 'N','N'), -- [P]
  ('Stenull 38, takskiva',               0.038,  1030,  140,  100,  'N','N','Y','N','N','N','N', 'N','N'), -- [P]
  ('Lösull, mineralull',                 0.042,  1030,   25,  400,  'N','N','Y','Y','N','N','N', 'N','N'), -- [P]
  ('Lösull, cellulosafiber',             0.040,  2000,   40,  400,  'Y','N','Y','Y','N','N','N', 'N','N'), -- [P]
  ('Träfiberisolering',                  0.040,  2100,   50,  145,  'Y','Y','Y','Y','N','N','N', 'N','N'), -- [P]
  ('Cellplast EPS 80',                   0.038,  1450,   16,  100,  'Y','N','Y','N','N','Y','Y', 'N','N'), -- [P]
  ('Cellplast EPS 100',                  0.036,  1450,   20,  200,  'Y','N','Y','N','Y','Y','Y', 'N','N'), -- [P]
  ('Cellplast EPS 200, markskiva',       0.034,  1450,   30,  100,  'N','N','N','N','N','Y','Y', 'N','N'), -- [P]
  ('Grafitcellplast EPS 80',             0.031,  1450,   16,  100,  'Y','N','Y','N','N','Y','Y', 'N','N'), -- [P]
  ('Extruderad polystyren XPS 300',      0.034,  1450,   32,  100,  'Y','N','Y','N','N','Y','Y', 'N','N'), -- [P]
  ('PIR-skiva, folierad',                0.023,  1400,   32,  100,  'Y','N','Y','Y','N','Y','Y', 'N','N'), -- [P]
  ('Cellglas',                           0.041,  1000,  120,  100,  'N','N','Y','N','N','Y','Y', 'N','N'), -- [P]
  ('Mineralull 37 / träreglar 10 %',     0.0463, 1449,   68,  170,  'Y','Y','Y','N','N','N','N', 'N','N'), -- [L]
  ('Mineralull 37 / träbjälkar 8 %',     0.0444, 1420,   58,  220,  'N','N','Y','Y','Y','N','N', 'N','N'), -- [L]
-- Membranes and air layers
  ('Plastfolie PE 0,2 mm',               0.33,   2200,  920,  0.2,  'Y','N','Y','Y','Y','N','Y', 'N','Y'), -- [T] polyethylene, low density
  ('Underlagspapp 2 mm',                 0.23,   1000, 1100,    2,  'N','N','Y','N','N','Y','Y', 'N','Y'), -- [T] bitumen sheet
  ('Bitumenmatta 4 mm',                  0.23,   1000, 1100,    4,  'N','N','Y','N','N','Y','N', 'N','Y'), -- [T] bitumen sheet
  ('Luftspalt 25 mm, oventilerad',       0.139,  1008, 1.23,   25,  'Y','Y','N','N','N','N','N', 'N','Y'), -- [A]
  ('Luftspalt 50 mm, oventilerad, uppåt',0.313,  1008, 1.23,   50,  'N','N','Y','Y','N','N','N', 'N','Y'), -- [A]
-- Floor finishes
  ('Klinker, keramiska plattor',         1.3,     840, 2300,   10,  'N','Y','N','Y','Y','N','Y', 'N','N'), -- [T] ceramic tiles
  ('Linoleummatta 2,5 mm',               0.17,   1400, 1200,  2.5,  'N','N','N','Y','Y','N','Y', 'N','Y'), -- [T]
  ('Plastmatta PVC 2 mm',                0.17,    900, 1390,    2,  'N','N','N','Y','Y','N','Y', 'N','Y'), -- [T] PVC
-- Soils
  ('Lera eller silt',                    1.5,    2000, 1500, 1000,  'N','N','N','N','N','N','N', 'Y','N'), -- [S]
  ('Sand eller grus',                    2.0,    1000, 2000, 1000,  'N','N','N','N','N','N','N', 'Y','N'), -- [S]
  ('Homogent berg',                      3.5,     800, 2500, 1000,  'N','N','N','N','N','N','N', 'Y','N'); -- [S]
