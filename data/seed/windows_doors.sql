-- Archived windows (WindowsPreDef) and doors (DoorsPreDef).
--
-- Window U-value: the whole window, glazing and frame (EN ISO 10077-1), the
-- value Swedish makers declare for a window of the standard test size; g:
-- total solar energy transmittance of the glazing (EN 410); frame share in
-- percent of the window area. Sizes in the Swedish module notation, width x
-- height in decimetres (12x12 = 1.2 m x 1.2 m); the area is that size. The
-- shading of a window depends on its place, so the archive leaves it at 0.

INSERT INTO WindowsPreDef (ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION) VALUES
  ('3-glas energifönster 12x12, U 0,9',        0.9,  0.50, 0, 27, 1.44, NULL),
  ('3-glas passivhusfönster 12x12, U 0,7',     0.7,  0.45, 0, 30, 1.44, NULL),
  ('2+1-glas med energiglas 12x12, U 1,3',     1.3,  0.60, 0, 25, 1.44, NULL),
  ('2-glas kopplade bågar 12x12, U 2,8',       2.8,  0.76, 0, 25, 1.44, NULL),
  ('Fast fönsterparti 3-glas 24x12, U 0,8',    0.8,  0.50, 0, 15, 2.88, NULL),
  ('Fönsterdörr 3-glas 9x21, U 1,0',           1.0,  0.50, 0, 35, 1.89, NULL),
  ('Takfönster 3-glas 78x118 cm, U 1,3',       1.3,  0.50, 0, 30, 0.92, NULL);

-- Door U-value: the whole door leaf and frame (EN ISO 10077-1).
INSERT INTO DoorsPreDef (ID, AREA, UVALUE) VALUES
  ('Ytterdörr, isolerad trädörr 10x21, U 1,0', 2.1,  1.0),
  ('Ytterdörr med glasparti 10x21, U 1,3',     2.1,  1.3),
  ('Ytterdörr, äldre oisolerad 9x20, U 2,5',   1.8,  2.5),
  ('Källardörr, isolerad stål 9x20, U 1,5',    1.8,  1.5),
  ('Garageport, isolerad 25x21, U 1,6',        5.25, 1.6);
