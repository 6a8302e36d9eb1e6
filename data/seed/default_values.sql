-- The default-value lists of the building's ventilation, air tightness and
-- internal gains (DefaultValueChoises) and the values behind each choice
-- (DefaultValues).
--
-- Choosing an entry sets the building's values from DefaultValues:
--   P50 list (IDNO 1-5)       -> P50, type "P50", l/(s·m²) of envelope at 50 Pa
--   AIRCHANGE list (IDNO 6-8) -> supply and extract flow in l/(s·m²) of floor
--                                area: 6 supply only ("INAIRCHANGE"), 7 extract
--                                only ("OUTAIRCHANGE"), 8 balanced
--                                ("BALANCEDAIRCHANGE"); these three numbers
--                                are the ones that trigger the flows
--   N50 list (IDNO 10-14)     -> N50, type "N50", air changes per hour at 50 Pa
--   INTGAINS list (IDNO 20-25)-> metabolic ("METINTGAIN") and appliance
--                                ("APPINTGAIN") gains in W for the whole
--                                building; only numbers above 0 take effect
-- The own-value choice "Eget värde" (OWNDEF) belongs to every list. Its number
-- is negative, so that choosing it sets nothing and leaves the values open
-- for editing; -1 is also what a building without a choice carries.
--
-- Air tightness: 0,30 l/(s·m²) is the passive-house limit of FEBY 12; 0,60
-- is a common target of new Swedish buildings; 0,80 the former BBR limit for
-- dwellings; 1,6 and above typical of buildings from before 1980. N50: 0,6
-- h⁻¹ passive house, 1,0-1,5 tight new buildings, 3-6 older buildings.
-- Ventilation: 0,35 l/(s·m²) of floor area is the minimum outdoor air flow
-- of dwellings in BBR.
-- Internal gains, in the manner of Sveby's user data: 80 W per person,
-- present 14 h a day in dwellings; 100 W per person in offices and schools,
-- present during working or school hours (about 45 of 168 hours a week in
-- offices, 40 of 168 in schools over 40 of 52 weeks); household and
-- business electricity turned into heat: 70 % of 30 kWh/m² a year in
-- dwellings, 50 kWh/m² in offices, 20 kWh/m² in schools, spread over the year.

INSERT INTO DefaultValueChoises (IDNO, ID, TYPE) VALUES
  (-1, 'Eget värde',                                  'OWNDEF'),
  ( 1, 'Passivhus, 0,30 l/(s·m²)',                    'P50'),
  ( 2, 'Mycket tät nybyggnad, 0,40 l/(s·m²)',         'P50'),
  ( 3, 'Tät nybyggnad, 0,60 l/(s·m²)',                'P50'),
  ( 4, 'Tidigare BBR-krav, 0,80 l/(s·m²)',            'P50'),
  ( 5, 'Äldre byggnad, 1,6 l/(s·m²)',                 'P50'),
  ( 6, 'Tilluft, 0,35 l/(s·m²)',                      'AIRCHANGE'),
  ( 7, 'Frånluft (F), 0,35 l/(s·m²)',                 'AIRCHANGE'),
  ( 8, 'Från- och tilluft (FT, FTX), 0,35 l/(s·m²)',  'AIRCHANGE'),
  (10, 'Passivhus, 0,6 oms/h',                        'N50'),
  (11, 'Mycket tät nybyggnad, 1,0 oms/h',             'N50'),
  (12, 'Tät nybyggnad, 1,5 oms/h',                    'N50'),
  (13, 'Äldre byggnad, 3,0 oms/h',                    'N50'),
  (14, 'Otät äldre byggnad, 6,0 oms/h',               'N50'),
  (20, 'Småhus 150 m², 4 personer',                   'INTGAINS'),
  (21, 'Lägenhet 70 m², 2 personer',                  'INTGAINS'),
  (22, 'Flerbostadshus 1 000 m², 40 personer',        'INTGAINS'),
  (23, 'Kontor 500 m², 25 arbetsplatser',             'INTGAINS'),
  (24, 'Skola 1 000 m², 100 elever och lärare',       'INTGAINS'),
  (25, 'Förskola 400 m², 60 barn och personal',       'INTGAINS');

INSERT INTO DefaultValues (TYPE, DEFAULTCHOICESIDNO, DEFVALUE) VALUES
  ('P50', 1, 0.30),
  ('P50', 2, 0.40),
  ('P50', 3, 0.60),
  ('P50', 4, 0.80),
  ('P50', 5, 1.6),
  ('INAIRCHANGE',       6, 0.35),
  ('OUTAIRCHANGE',      7, 0.35),
  ('BALANCEDAIRCHANGE', 8, 0.35),
  ('N50', 10, 0.6),
  ('N50', 11, 1.0),
  ('N50', 12, 1.5),
  ('N50', 13, 3.0),
  ('N50', 14, 6.0),
  -- 4 persons x 80 W x 14/24; 0.7 x 30 kWh/m² x 150 m² / 8760 h
  ('METINTGAIN', 20, 187), ('APPINTGAIN', 20, 360),
  -- 2 x 80 W x 14/24; 0.7 x 30 x 70 / 8760
  ('METINTGAIN', 21,  93), ('APPINTGAIN', 21, 168),
  -- 40 x 80 W x 14/24; 0.7 x 30 x 1000 / 8760
  ('METINTGAIN', 22, 1867), ('APPINTGAIN', 22, 2397),
  -- 25 x 100 W x 45/168; 50 x 500 / 8760
  ('METINTGAIN', 23, 670), ('APPINTGAIN', 23, 2854),
  -- 100 x 100 W x 40/168 x 40/52; 20 x 1000 / 8760
  ('METINTGAIN', 24, 1832), ('APPINTGAIN', 24, 2283),
  -- 60 x 70 W x 50/168 x 47/52 (children give less heat); 30 x 400 / 8760
  ('METINTGAIN', 25, 1130), ('APPINTGAIN', 25, 1370);

-- The leakage classes as tables of their own.
INSERT INTO P50 (IDNO, ID, P50)
  SELECT c.IDNO, c.ID, v.DEFVALUE FROM DefaultValueChoises c
  JOIN DefaultValues v ON v.TYPE = 'P50' AND v.DEFAULTCHOICESIDNO = c.IDNO
  WHERE c.TYPE = 'P50' ORDER BY c.IDNO;
INSERT INTO N50 (IDNO, ID, N50)
  SELECT c.IDNO, c.ID, v.DEFVALUE FROM DefaultValueChoises c
  JOIN DefaultValues v ON v.TYPE = 'N50' AND v.DEFAULTCHOICESIDNO = c.IDNO
  WHERE c.TYPE = 'N50' ORDER BY c.IDNO;
