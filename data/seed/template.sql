-- The template building "Default": every new building starts as a copy of
-- it (its Buildings row, its twelve months and its foundation row). A
-- single-storey detached house of 150 m² in Stockholm with balanced
-- ventilation and heat recovery, slab on ground. It has no constructions,
-- windows or doors: the user adds them to each new building.
--
-- Every column that the calculation reads holds a value, so that a copy can
-- be calculated as soon as it has an envelope. Results are zero and the
-- building is not calculated.

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
  'Default', 'Mall för nya byggnader: enplans villa 150 m², FTX-ventilation, platta på mark.',
  150, 375, 0, 0, 0, 80, 0, 0,
  0, 0, 0, 0, 0, 0, 0,
  21, c.ID, c.INFO,
  -- 0,35 l/(s·m²) x 150 m² = 52,5 l/s = 189 m³/h, in each of the three units
  189, 189, 0.60, 0, 1,
  0, 0, 0, 0,
  1, 1.5, 0.5, 0,
  1.25, 0, 2.4, 0,
  2, 52.5, 52.5, 0.35, 0.35,
  3, 12, 8,
  1, 0, 187, 360, 0, 20,
  'N', NULL, NULL
FROM PreDefClimate c WHERE c.ID = 'Stockholm';

INSERT INTO Months (BUILDING, MONTH, TEMP, RADHOR, RADWEST, RADEAST, RADSOUTH, RADNORTH, DAYS,
                    SETPOINTTEMP, SOLGAIN, INTGAIN, RADLOSS, VENTLOSS, HEATLOSS, HEATUSAGE, INTPOWER, UTILFACTOR)
SELECT b.ID, m.MONTH, m.TEMP, m.RADHOR, m.RADWEST, m.RADEAST, m.RADSOUTH, m.RADNORTH, m.DAYS,
       b.TEMPERATURE, 0, 0, 0, 0, 0, 0, 0, 0
FROM Buildings b JOIN PreDefMonths m ON m.ID = b.WEATHERID
WHERE b.ID = 'Default' ORDER BY m.MONTH;

-- Slab on ground, 10 m x 15 m: exposed perimeter 50 m, wall 300 mm thick,
-- sand or gravel below, wind and shielding at the usual values of the
-- suspended-floor method (4 m/s, shielding factor 5 %) for when the kind is
-- changed.
INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, SOILNAME, GROUNDTHERMCOND,
                     VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH, PIC,
                     SPECIALVAR1, SPECIALVAR2, SPECIALVAR3, SPECIALVAR4, SPECIALVAR5)
SELECT 'Default', 'Slab', 150, 50, 0, 300, s.ID, s.THERMCOND,
       0, 5, 4, 0, 0, 0, 0, 0, NULL,
       0, 0, 0, 0, 0
FROM LayersPreDef s WHERE s.ID = 'Sand eller grus' AND s.SOIL = 'Y';
