-- Braskvalla database schema.
--
-- Column types as the database layer reads them: VARCHAR(100) text of at most
-- 100 characters, TEXT long text, FLOAT 64-bit real, INTEGER 32-bit integer,
-- BOOLEAN 'Y'/'N', TIME 'hh:mm:ss', BLOB bytes.
--
-- Required columns are NOT NULL and carry a default, because the system
-- appends rows without writing them (a new construction's results, a new
-- layer's results, a new building's time stamps) and relies on the default.
-- All other columns accept NULL.
--
-- Keys. The system looks rows up by their key columns without regard to
-- letter case, so the text columns of a key compare with COLLATE NOCASE and
-- the UNIQUE constraints reject two names that differ only in case. SQLite's
-- NOCASE folds the ASCII letters only: "Vägg" and "VÄGG" count as different
-- names here, although the application's own look-ups treat them as equal.
--   * Material names (LayersPreDef.ID) are the exception: the material files
--     are matched with exact case, and a material whose name differs from an
--     existing one only in case is a new material, so that key is binary.
--   * Layers carry no unique key on POS: layers are renumbered and shifted
--     one row at a time, which passes through states where two rows of a
--     construction briefly share a position. The index only speeds up the
--     restriction of the layers to their construction.

-- ---------------------------------------------------------------------------
-- Building tables
-- ---------------------------------------------------------------------------

CREATE TABLE Buildings (
  ID              VARCHAR(100) COLLATE NOCASE,
  INFO            TEXT,
  AREA            FLOAT,
  VOLUME          FLOAT,
  SURFACEAREA     FLOAT,
  NATVENT         FLOAT,
  MECHVENT        FLOAT,
  HEATEX          FLOAT,
  UVALUE          FLOAT,
  CAPACITY        FLOAT NOT NULL DEFAULT 0,
  INTGAIN         FLOAT,
  SOLARGAIN       FLOAT,
  HEATGAIN        FLOAT,
  RADLOSS         FLOAT,
  VENTLOSS        FLOAT,
  HEATLOSS        FLOAT,
  HEATUSAGE       FLOAT,
  TEMPERATURE     FLOAT,
  WEATHERID       VARCHAR(100),
  WEATHERINFO     TEXT,
  VSUP            FLOAT,
  VEX             FLOAT,
  P50             FLOAT,
  FACADES         INTEGER,
  SHIELDING       INTEGER,
  RADLOSSCOEFF    FLOAT,
  LEAKLOSSCOEFF   FLOAT,
  VENTLOSSCOEFF   FLOAT,
  HEATLOSSCOEFF   FLOAT,
  VENTTYPE        INTEGER,
  N50             FLOAT,
  AIRCHANGESPERH  FLOAT,
  V50             FLOAT,
  INTPMETABOLIC   FLOAT,
  INTPLIGHTING    FLOAT,
  INTPAPPLIANCES  FLOAT,
  INTPUNDEF       FLOAT,
  VENTUNIT        INTEGER,
  VSUPLSEK        FLOAT,
  VEXLSEK         FLOAT,
  VSUPLAREA       FLOAT,
  VEXLAREA        FLOAT,
  P50IDNO         INTEGER,
  -- -1 is "no default-value choice": a row that gets the default keeps its
  -- leakage value editable instead of pointing at a choice that does not exist.
  N50IDNO         INTEGER NOT NULL DEFAULT -1,
  AIRCHANGEIDNO   INTEGER,
  INTGAINUNIT     INTEGER,
  INTPUNDEFW      FLOAT NOT NULL DEFAULT 0,
  INTPMETABOLICW  FLOAT,
  INTPAPPLIANCESW FLOAT,
  INTPLIGHTINGW   FLOAT,
  INTGAINSDEF     INTEGER,
  CALCULATED      BOOLEAN,
  CREATED         TIME NOT NULL DEFAULT '00:00:00',
  CHANGED         TIME NOT NULL DEFAULT '00:00:00',
  GROUNDTYPE      VARCHAR(100),
  P50CLASS        VARCHAR(100),
  UNIQUE (ID)
);

CREATE TABLE LayeredComponents (
  BUILDING      VARCHAR(100) COLLATE NOCASE,
  TYPE          VARCHAR(100) COLLATE NOCASE,
  ID            VARCHAR(100) COLLATE NOCASE,
  AREA          FLOAT NOT NULL DEFAULT 0,
  UVALUE        FLOAT NOT NULL DEFAULT 0,
  NLAYERS       INTEGER NOT NULL DEFAULT 0,
  OUTERCAPACITY FLOAT NOT NULL DEFAULT 0,
  INNERCAPACITY FLOAT NOT NULL DEFAULT 0,
  UNIQUE (BUILDING, TYPE, ID)
);

CREATE TABLE Layers (
  BUILDING    VARCHAR(100) COLLATE NOCASE,
  TYPE        VARCHAR(100) COLLATE NOCASE,
  COMPONENT   VARCHAR(100) COLLATE NOCASE,
  POS         INTEGER,
  ID          VARCHAR(100),
  THERMCOND   FLOAT NOT NULL DEFAULT 0,
  SPECCAP     FLOAT NOT NULL DEFAULT 0,
  DENSITY     FLOAT NOT NULL DEFAULT 0,
  DEPTH       FLOAT NOT NULL DEFAULT 0,
  RATIO       FLOAT NOT NULL DEFAULT 0,
  PENDEPTH    FLOAT NOT NULL DEFAULT 0,
  RVALUE      FLOAT NOT NULL DEFAULT 0,
  LOCKEDDEPTH BOOLEAN
);
CREATE INDEX LayersByComponent ON Layers (BUILDING, COMPONENT, TYPE);

CREATE TABLE Windows (
  BUILDING    VARCHAR(100) COLLATE NOCASE,
  ID          VARCHAR(100) COLLATE NOCASE,
  UVALUE      FLOAT,
  GVALUE      FLOAT,
  SHADING     FLOAT,
  FRAMEFACTOR FLOAT,
  AREA        FLOAT,
  DIRECTION   INTEGER,
  UNIQUE (BUILDING, ID)
);

CREATE TABLE Doors (
  ID       VARCHAR(100) COLLATE NOCASE,
  BUILDING VARCHAR(100) COLLATE NOCASE NOT NULL,
  AREA     FLOAT NOT NULL DEFAULT 0,
  UVALUE   FLOAT NOT NULL DEFAULT 0,
  UNIQUE (BUILDING, ID)
);

-- One foundation row per building; its TYPE changes with the foundation kind.
CREATE TABLE Grounds (
  BUILDING        VARCHAR(100) COLLATE NOCASE,
  TYPE            VARCHAR(100) COLLATE NOCASE,
  AREA            FLOAT,
  PERIMETER       FLOAT,
  WALLHEIGHT      FLOAT,
  WALLDEPTH       FLOAT,
  SOILNAME        VARCHAR(100),
  GROUNDTHERMCOND FLOAT,
  VENTILATIONAREA FLOAT,
  SHIELDING       FLOAT,
  WINDSPEED       FLOAT,
  UVALUE          FLOAT,
  ISOCOND         FLOAT,
  UWALL           FLOAT,
  ISOWIDTH        FLOAT,
  ISOLENGTH       FLOAT,
  PIC             BLOB,
  SPECIALVAR1     INTEGER,
  SPECIALVAR2     INTEGER,
  SPECIALVAR3     INTEGER,
  SPECIALVAR4     INTEGER,
  SPECIALVAR5     INTEGER,
  UNIQUE (BUILDING)
);

CREATE TABLE Months (
  BUILDING     VARCHAR(100) COLLATE NOCASE,
  MONTH        INTEGER,
  TEMP         FLOAT,
  RADHOR       FLOAT,
  RADWEST      FLOAT,
  RADEAST      FLOAT,
  RADSOUTH     FLOAT,
  RADNORTH     FLOAT,
  DAYS         INTEGER,
  SETPOINTTEMP FLOAT,
  SOLGAIN      FLOAT,
  INTGAIN      FLOAT,
  RADLOSS      FLOAT,
  VENTLOSS     FLOAT,
  HEATLOSS     FLOAT,
  HEATUSAGE    FLOAT,
  INTPOWER     FLOAT,
  UTILFACTOR   FLOAT,
  UNIQUE (BUILDING, MONTH)
);

-- ---------------------------------------------------------------------------
-- Archives and default values
-- ---------------------------------------------------------------------------

CREATE TABLE LayeredComponentsPreDef (
  ID      VARCHAR(100) COLLATE NOCASE,
  TYPE    VARCHAR(100) COLLATE NOCASE,
  NLAYERS INTEGER,
  UNIQUE (TYPE, ID)
);

-- The layers of the archived constructions. Archiving appends the layers of a
-- construction after deleting any left under its name, so positions stay unique.
CREATE TABLE LayersPreDefUsed (
  COMPONENT   VARCHAR(100) COLLATE NOCASE,
  POS         INTEGER,
  TYPE        TEXT COLLATE NOCASE,
  ID          TEXT,
  THERMCOND   FLOAT,
  SPECCAP     FLOAT,
  DENSITY     FLOAT,
  DEPTH       FLOAT,
  LOCKEDDEPTH INTEGER,
  UNIQUE (TYPE, COMPONENT, POS)
);

-- The material archive and the soils. Names are matched with exact case.
CREATE TABLE LayersPreDef (
  ID          VARCHAR(100) NOT NULL,
  THERMCOND   FLOAT NOT NULL DEFAULT 0,
  SPECCAP     FLOAT NOT NULL DEFAULT 0,
  DENSITY     FLOAT NOT NULL DEFAULT 0,
  DEPTH       FLOAT NOT NULL DEFAULT 0,
  OUTERWALL   BOOLEAN NOT NULL DEFAULT 'N',
  INNERWALL   BOOLEAN NOT NULL DEFAULT 'N',
  ROOF        BOOLEAN NOT NULL DEFAULT 'N',
  INNERROOF   BOOLEAN NOT NULL DEFAULT 'N',
  GROUNDFLOOR BOOLEAN NOT NULL DEFAULT 'N',
  GROUNDWALL  BOOLEAN NOT NULL DEFAULT 'N',
  GROUNDSLAB  BOOLEAN NOT NULL DEFAULT 'N',
  SOIL        BOOLEAN NOT NULL DEFAULT 'N',
  LOCKEDDEPTH BOOLEAN NOT NULL DEFAULT 'N',
  UNIQUE (ID)
);

CREATE TABLE WindowsPreDef (
  ID          VARCHAR(100) COLLATE NOCASE,
  UVALUE      FLOAT,
  GVALUE      FLOAT,
  SHADING     FLOAT,
  FRAMEFACTOR FLOAT,
  AREA        FLOAT,
  DIRECTION   VARCHAR(100),
  UNIQUE (ID)
);

CREATE TABLE DoorsPreDef (
  ID     VARCHAR(100) COLLATE NOCASE,
  AREA   FLOAT,
  UVALUE FLOAT,
  UNIQUE (ID)
);

CREATE TABLE GroundsPreDef (
  ID         VARCHAR(100),
  TYPE       VARCHAR(100),
  WALLHEIGHT FLOAT,
  WALLDEPTH  FLOAT,
  ISOCOND    FLOAT,
  UWALL      FLOAT,
  ISOWIDTH   FLOAT,
  ISOLENGTH  FLOAT,
  PIC        BLOB
);

CREATE TABLE PreDefClimate (
  ID   VARCHAR(100) COLLATE NOCASE,
  INFO TEXT,
  UNIQUE (ID)
);

CREATE TABLE PreDefMonths (
  ID       VARCHAR(100) COLLATE NOCASE,
  MONTH    INTEGER,
  DAYS     INTEGER,
  TEMP     FLOAT,
  RADNORTH FLOAT,
  RADSOUTH FLOAT,
  RADWEST  FLOAT,
  RADEAST  FLOAT,
  RADHOR   FLOAT,
  UNIQUE (ID, MONTH)
);

-- The choices of the default-value lists. TYPE is the list ("P50", "N50",
-- "AIRCHANGE", "INTGAINS") or "OWNDEF" for the own-value choice that every
-- list offers; that choice has a negative number.
CREATE TABLE DefaultValueChoises (
  IDNO INTEGER,
  ID   VARCHAR(100),
  TYPE VARCHAR(100) COLLATE NOCASE,
  UNIQUE (IDNO)
);

-- The values behind the choices, one per (TYPE, choice): a look-up that found
-- two rows could not tell which value applies.
CREATE TABLE DefaultValues (
  TYPE               VARCHAR(100) COLLATE NOCASE,
  DEFAULTCHOICESIDNO INTEGER,
  DEFVALUE           FLOAT,
  UNIQUE (TYPE, DEFAULTCHOICESIDNO)
);

CREATE TABLE N50 (
  IDNO INTEGER NOT NULL DEFAULT 0,
  ID   VARCHAR(100),
  N50  FLOAT
);

CREATE TABLE P50 (
  IDNO INTEGER,
  ID   VARCHAR(100),
  P50  FLOAT
);
