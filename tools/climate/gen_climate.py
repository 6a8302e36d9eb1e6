#!/usr/bin/env python3
"""Writes the climate profiles of the shipped database (data/seed/climate.sql).

Input: tools/climate/stations.csv, per station the latitude, the twelve
monthly mean outdoor temperatures and the twelve monthly sums of global
irradiation on a horizontal surface. Output: one PreDefClimate row and twelve
PreDefMonths rows per station, with the mean irradiance (W/m2, averaged over
all hours of the month) on a horizontal surface and on vertical surfaces
facing south, east, west and north.

Method (see README.md in this folder for the references):
  1. Monthly mean daily extraterrestrial irradiation H0 on the recommended
     mean day of each month; clearness index KT = H / H0.
  2. Diffuse fraction Hd/H from the monthly correlation of Erbs, Klein and
     Duffie (1982), with KT held to the correlation's range 0.3 ... 0.8. A
     month whose mean day has no sunrise (polar night) is all diffuse.
  3. The daily global and diffuse irradiation of the mean day are spread
     over its hours with the distributions of Collares-Pereira and Rabl
     (global, r_t) and Liu and Jordan (diffuse, r_d).
  4. Each instant is transposed with the isotropic sky,
     IT = Ib * cos(theta) / cos(theta_z) + Id * (1 + cos b) / 2 + I * rho * (1 - cos b) / 2
     with b = 90 degrees and ground albedo rho = 0.2, and summed over the day.
     Spreading the beam by r_t rather than in proportion to the
     extraterrestrial beam keeps the low morning, evening and (under the
     midnight sun) night sun from being counted at full strength.

Usage: gen_climate.py [--check] [INPUT] [OUTPUT]
  --check  compare the output that would be written with OUTPUT and exit 1
           when they differ (nothing is written).
Standard library only.
"""

import csv
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_INPUT = os.path.join(HERE, "stations.csv")
DEFAULT_OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "data", "seed", "climate.sql"))

# Days of the months as the monthly balance counts them (February 28).
DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
# Recommended mean day of each month (Klein 1977), day of the year.
MEAN_DAY = [17, 47, 75, 105, 135, 162, 198, 228, 258, 288, 318, 344]
SOLAR_CONSTANT = 1367.0  # W/m2
ALBEDO = 0.2
# Surface azimuths, degrees from south, west positive.
AZIMUTH = {"SOUTH": 0.0, "EAST": -90.0, "WEST": 90.0, "NORTH": 180.0}


def declination(n):
    """Solar declination in radians on day n (Cooper 1969)."""
    return math.radians(23.45 * math.sin(math.radians(360.0 * (284 + n) / 365.0)))


def sunset_hour_angle(phi, delta):
    """Sunset hour angle in radians; 0 in polar night, pi in midnight sun."""
    c = -math.tan(phi) * math.tan(delta)
    if c >= 1.0:
        return 0.0
    if c <= -1.0:
        return math.pi
    return math.acos(c)


def extraterrestrial_daily(phi, n):
    """Daily extraterrestrial irradiation on a horizontal surface, Wh/m2."""
    delta = declination(n)
    ws = sunset_hour_angle(phi, delta)
    e0 = 1.0 + 0.033 * math.cos(math.radians(360.0 * n / 365.0))
    return (24.0 / math.pi) * SOLAR_CONSTANT * e0 * (
        math.cos(phi) * math.cos(delta) * math.sin(ws)
        + ws * math.sin(phi) * math.sin(delta))


def daily_on_vertical(phi, n, azimuth_deg, h, hd, steps=1440):
    """Daily irradiation (Wh/m2) on a vertical surface on the mean day.

    The daily global h and diffuse hd on the horizontal are spread over the
    day with the distributions of Collares-Pereira and Rabl (global) and
    Liu and Jordan (diffuse), both renormalised so that they add up to h and
    hd; each instant is transposed with the isotropic sky and the results
    are summed (midpoint rule over the hour angle).
    """
    delta = declination(n)
    ws = sunset_hour_angle(phi, delta)
    if ws <= 0.0:
        return hd * 0.5 + h * ALBEDO * 0.5
    g = math.radians(azimuth_deg)
    a = 0.409 + 0.5016 * math.sin(ws - math.radians(60.0))
    b = 0.6609 - 0.4767 * math.sin(ws - math.radians(60.0))
    step = 2.0 * ws / steps
    shape_d = []
    shape_t = []
    for i in range(steps):
        w = -ws + (i + 0.5) * step
        d = max(math.cos(w) - math.cos(ws), 0.0)
        shape_d.append(d)
        shape_t.append(d * (a + b * math.cos(w)))
    sum_d = sum(shape_d)
    sum_t = sum(shape_t)
    total = 0.0
    for i in range(steps):
        w = -ws + (i + 0.5) * step
        glob = h * shape_t[i] / sum_t
        diff = min(hd * shape_d[i] / sum_d, glob)
        beam = glob - diff
        cos_z = math.cos(phi) * math.cos(delta) * math.cos(w) + math.sin(phi) * math.sin(delta)
        # Duffie & Beckman eq. 1.6.2 with slope 90 degrees.
        cos_t = (-math.sin(delta) * math.cos(phi) * math.cos(g)
                 + math.cos(delta) * math.sin(phi) * math.cos(g) * math.cos(w)
                 + math.cos(delta) * math.sin(g) * math.sin(w))
        if cos_z > 0.0 and cos_t > 0.0:
            total += beam * cos_t / cos_z
        total += diff * 0.5 + glob * ALBEDO * 0.5
    return total


def diffuse_fraction(kt, ws):
    """Monthly mean diffuse fraction (Erbs, Klein and Duffie 1982)."""
    kt = min(max(kt, 0.3), 0.8)
    if ws <= math.radians(81.4):
        return 1.391 - 3.560 * kt + 4.189 * kt ** 2 - 2.137 * kt ** 3
    return 1.311 - 3.022 * kt + 3.427 * kt ** 2 - 1.821 * kt ** 3


def month_irradiance(lat_deg, month, h_month_kwh):
    """Mean irradiance (W/m2) horizontal, south, east, west, north."""
    phi = math.radians(lat_deg)
    n = MEAN_DAY[month]
    days = DAYS[month]
    h = h_month_kwh * 1000.0 / days  # mean daily irradiation, Wh/m2
    ws = sunset_hour_angle(phi, declination(n))
    h0 = extraterrestrial_daily(phi, n)
    if ws <= 0.0 or h0 <= 0.0:
        fd = 1.0
    else:
        fd = min(max(diffuse_fraction(h / h0, ws), 0.0), 1.0)
    hd = fd * h
    result = {"HOR": h}
    for name, az in AZIMUTH.items():
        result[name] = daily_on_vertical(phi, n, az, h, hd)
    # Daily Wh/m2 to the mean over the 24 hours of the day.
    return {k: v / 24.0 for k, v in result.items()}


def read_stations(path):
    rows = []
    with open(path, encoding="utf-8", newline="") as f:
        lines = [ln for ln in f if ln.strip() and not ln.lstrip().startswith("#")]
    reader = csv.DictReader(lines, delimiter=";")
    for r in reader:
        temps = [float(r["T%d" % m]) for m in range(1, 13)]
        glob = [float(r["G%d" % m]) for m in range(1, 13)]
        if any(g <= 0.0 for g in glob):
            raise ValueError("%s: monthly irradiation must be positive" % r["ID"])
        rows.append({"ID": r["ID"], "LAT": float(r["LAT"]), "T": temps, "G": glob})
    if not rows:
        raise ValueError("%s: no stations" % path)
    return rows


def sql_text(s):
    return "'" + s.replace("'", "''") + "'"


def fmt(x):
    v = round(x, 1)
    if v == 0.0:
        v = 0.0  # no "-0.0"
    return "%.1f" % v


def render(stations):
    out = []
    out.append("-- Climate profiles. Generated by tools/climate/gen_climate.py from")
    out.append("-- tools/climate/stations.csv; do not edit by hand, run the generator.")
    out.append("-- Temperatures: SMHI normal values 1991-2020. Irradiance: mean W/m2 over")
    out.append("-- all hours of the month, from SMHI monthly global irradiation on the")
    out.append("-- horizontal, transposed to vertical surfaces with the Erbs diffuse")
    out.append("-- fraction, the Liu-Jordan isotropic sky and ground albedo 0.2.")
    out.append("")
    for s in stations:
        year = sum(s["G"])
        lat = ("%.1f" % s["LAT"]).replace(".", ",")
        info = ("%s, %s° N. Utetemperatur: SMHI normalvärden 1991–2020. "
                "Solinstrålning: SMHI globalstrålning mot horisontell yta "
                "(%d kWh/m² per år), omräknad till vertikala ytor "
                "(isotrop himmel, markreflektans 0,2)."
                % (s["ID"], lat, round(year)))
        out.append("INSERT INTO PreDefClimate (ID, INFO) VALUES (%s, %s);"
                   % (sql_text(s["ID"]), sql_text(info)))
        out.append("INSERT INTO PreDefMonths (ID, MONTH, DAYS, TEMP, RADNORTH, RADSOUTH, RADWEST, RADEAST, RADHOR) VALUES")
        vals = []
        for m in range(12):
            r = month_irradiance(s["LAT"], m, s["G"][m])
            vals.append("  (%s, %d, %d, %s, %s, %s, %s, %s, %s)"
                        % (sql_text(s["ID"]), m + 1, DAYS[m], fmt(s["T"][m]),
                           fmt(r["NORTH"]), fmt(r["SOUTH"]), fmt(r["WEST"]),
                           fmt(r["EAST"]), fmt(r["HOR"])))
        out.append(",\n".join(vals) + ";")
        out.append("")
    return "\n".join(out)


def main(argv):
    check = False
    args = []
    for a in argv[1:]:
        if a == "--check":
            check = True
        elif a.startswith("-"):
            sys.stderr.write("gen_climate.py: unknown option %s\n" % a)
            return 2
        else:
            args.append(a)
    src = args[0] if len(args) > 0 else DEFAULT_INPUT
    dst = args[1] if len(args) > 1 else DEFAULT_OUTPUT
    text = render(read_stations(src))
    if check:
        try:
            with open(dst, encoding="utf-8") as f:
                current = f.read()
        except OSError as e:
            sys.stderr.write("gen_climate.py: %s\n" % e)
            return 1
        if current != text:
            sys.stderr.write("%s is not up to date with %s; run tools/climate/gen_climate.py\n" % (dst, src))
            return 1
        return 0
    tmp = dst + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(tmp, dst)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
