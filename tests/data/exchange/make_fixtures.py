#!/usr/bin/env python3
"""Writes the exchange-file and material-file fixtures of the tests.

The encoder here is written independently of the C++ one, so that the golden
files check the C++ writer and reader against a second reading of the format.
Run it from anywhere; it writes into tests/data/exchange and tests/data/materials.
The tests hold the same buildings and materials in C++ (ExchangeSamples.h) and
compare field by field and byte by byte.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MATERIALS = os.path.join(HERE, "..", "materials")


# --- encoding ---------------------------------------------------------------

def short(s):
    b = s.encode("ascii") if isinstance(s, str) else s
    assert len(b) < 256
    return bytes([len(b)]) + b


def extended(d):
    """A double as 80-bit extended: 8 bytes significand, 2 bytes sign+exponent."""
    assert math.isfinite(d) and d != 0
    m, e = math.frexp(abs(d))          # abs(d) = m * 2**e, 0.5 <= m < 1, exact
    sig = int(m * 2.0 ** 64)            # 64-bit significand, integer bit on top
    exp = e - 1 + 16383
    sign = 0x8000 if d < 0 else 0
    return struct.pack("<QH", sig, sign | exp)


def p_int(name, v):
    if -128 <= v <= 127:
        return short(name) + b"\x02" + struct.pack("<b", v)
    if -32768 <= v <= 32767:
        return short(name) + b"\x03" + struct.pack("<h", v)
    return short(name) + b"\x04" + struct.pack("<i", v)


def p_bool(name, v):
    return short(name) + (b"\x09" if v else b"\x08")


def p_float(name, v):
    if v == 0:
        return b""
    return short(name) + b"\x05" + extended(v)


def p_text(name, s):
    if not s:
        return b""
    u8 = s.encode("utf-8")
    n16 = len(s.encode("utf-16-le")) // 2
    if s.isascii():
        if len(u8) <= 255:
            return short(name) + b"\x06" + bytes([len(u8)]) + u8
        return short(name) + b"\x0c" + struct.pack("<i", len(u8)) + u8
    if len(u8) < 2 * n16:
        return short(name) + b"\x14" + struct.pack("<i", len(u8)) + u8
    return short(name) + b"\x12" + struct.pack("<i", n16) + s.encode("utf-16-le")


def record(cls, props):
    return b"TPF0" + short(cls) + b"\x00" + b"".join(props) + b"\x00\x00"


def encode(cls, table, values):
    """table: list of (name, kind) with kind in I, B, F, T."""
    out = []
    for name, kind in table:
        v = values.get(name, {"I": 0, "B": False, "F": 0.0, "T": ""}[kind])
        out.append({"I": p_int, "B": p_bool, "F": p_float, "T": p_text}[kind](name, v))
    return record(cls, out)


# --- record tables (current version) -----------------------------------------

BUILDING2 = [("PVersion", "I"), ("PID", "T"), ("PVentType", "I"),
             ("PNaturalVentilation", "F"), ("PMechanicalVentilation", "F"),
             ("PHeatExchangeEfficiency", "F"), ("PVSup", "F"), ("PVEx", "F"), ("PV50", "F"),
             ("PFacades", "I"), ("PShielding", "I"), ("PRadiationLossCoeff", "F"),
             ("PCapacity", "F"), ("PInternalPower", "F"), ("PInternalHeatGains", "F"),
             ("PSolarHeatGain", "F"), ("PHeatGain", "F"), ("PRadiationLoss", "F"),
             ("PVentilaionLoss", "F"), ("PLeakLossCoeff", "F"), ("PVentLossCoeff", "F"),
             ("PHeatLoss", "F"), ("PHeatLossCoeff", "F"), ("PHeatUsage", "F"), ("PVolume", "F"),
             ("PTemperature", "F"), ("PUValue", "F"), ("PArea", "F"),
             ("PInternalAericPUndef", "F"), ("PInternalAericPMetabolic", "F"),
             ("PInternalAericPAppliances", "F"), ("PInternalAericPLighting", "F"),
             ("PAericNaturalVentilation", "F"), ("PAirChangesPerH", "F"), ("PP50", "F"),
             ("PN50", "F"), ("PVentilationType", "I"), ("PSurfaceArea", "F"),
             ("PClimateProfile", "T"), ("PInfo", "T"), ("PWeatherInfo", "T"),
             ("PCalculated", "B"), ("PAirChangeIDNo", "I"), ("PIntGainUnit", "I"),
             ("PIntGainsDef", "I"), ("PVentUnit", "I"), ("PVSupLSek", "F"), ("PVExLSek", "F"),
             ("PVSupLArea", "F"), ("PVExLArea", "F"), ("PP50IdNo", "I"), ("PN50IdNo", "I"),
             ("PIntPUndefW", "F"), ("PIntPMetabolicW", "F"), ("PIntPAppliancesW", "F"),
             ("PIntPLightingW", "F"), ("PCreated", "F"), ("PChanged", "F"), ("PNLayers", "I"),
             ("PNLayeredCompoenents", "I"), ("PNWindows", "I"), ("PNDoors", "I")]

V1_ONLY_MISSING = {"PAirChangeIDNo", "PIntGainUnit", "PIntGainsDef", "PVentUnit", "PVSupLSek",
                   "PVExLSek", "PVSupLArea", "PVExLArea", "PP50IdNo", "PN50IdNo", "PIntPUndefW",
                   "PIntPMetabolicW", "PIntPAppliancesW", "PIntPLightingW", "PCreated", "PChanged"}
BUILDING1 = []
for n, k in BUILDING2:
    if n in V1_ONLY_MISSING:
        continue
    BUILDING1.append((n, k))
    if n == "PArea":
        BUILDING1.append(("PInternalAericPower", "F"))

GROUND = [("PVersion", "I"), ("PBuilding", "T"), ("PSoilName", "T"), ("PTypeString", "T"),
          ("PVentilationArea", "F"), ("PShielding", "F"), ("PWindSpeed", "F"),
          ("PGroundThermalCond", "F"), ("PIsoCond", "F"), ("PIsoWidth", "F"), ("PIsoLength", "F"),
          ("PArea", "F"), ("PPerimeter", "F"), ("PWallHeight", "F"), ("PWallDepth", "F"),
          ("PUValue", "F"), ("PUWall", "F"), ("PSpecialVar1", "I"), ("PSpecialVar2", "I"),
          ("PSpecialVar3", "I"), ("PSpecialVar4", "I"), ("PSpecialVar5", "I")]
MONTH = [("PVersion", "I"), ("PBuilding", "T"), ("PMonth", "I"), ("PTemperature", "F"),
         ("PSunHorizontal", "F"), ("PSunSouth", "F"), ("PSunEast", "F"), ("PSunWest", "F"),
         ("PSunNorth", "F"), ("PDays", "I"), ("PSetPointTemp", "F"), ("PSunGain", "F"),
         ("PInternalPower", "F"), ("PInternalGain", "F"), ("PUtilizationFactor", "F"),
         ("PVentilationLoss", "F"), ("PHeatLoss", "F"), ("PHeatUsage", "F"),
         ("PRadiationLoss", "F")]
COMPONENT = [("PVersion", "I"), ("PID", "T"), ("PBuilding", "T"), ("PCompType", "T"),
             ("PNLayers", "I"), ("PInnerSurfaceResistance", "F"),
             ("POuterSurfaceResistance", "F"), ("PInnerAericHeatCapacity", "F"),
             ("POuterAericHeatCapacity", "F"), ("PUValue", "F"), ("PArea", "F")]
LAYER = [("PVersion", "I"), ("PBuilding", "T"), ("PCompType", "T"), ("PComponent", "T"),
         ("PPos", "I"), ("PID", "T"), ("PThermalCond", "F"), ("PSpecificHeatCapacity", "F"),
         ("PDensity", "F"), ("PDepth", "F"), ("PRatio", "F"), ("PPenetrationDepth", "F"),
         ("PRValue", "F"), ("PLockedDepth", "B")]
DOOR = [("PVersion", "I"), ("PBuilding", "T"), ("PID", "T"), ("PArea", "F"), ("PUValue", "F")]
WINDOW = [("PVersion", "I"), ("PBuilding", "T"), ("PID", "T"), ("PArea", "F"), ("PUValue", "F"),
          ("PGValue", "F"), ("PShading", "F"), ("PFrameFactor", "F"), ("PDirection", "I")]
FILEINFO = [("PVersion", "I"), ("PNBuildings", "I")]


# --- the sample buildings (mirrored in tests/exchange/ExchangeSamples.h) -------

INFO_300 = "".join("Rad %03d. " % i for i in range(40))[:300]
assert len(INFO_300) == 300

MONTH_TEMPS = [-3.5, -4.25, -1.0, 4.5, 10.75, 15.0, 17.5, 16.25, 11.5, 6.75, 1.5, -1.75]
MONTH_DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]


def villa():
    b = dict(PVersion=2, PID="Villa Ekbacken", PNaturalVentilation=0.5,
             PHeatExchangeEfficiency=80.0, PVSup=180.0, PVEx=200.0, PV50=1234.5, PFacades=1,
             PShielding=2, PRadiationLossCoeff=85.25, PCapacity=12345.678,
             PInternalHeatGains=4321.0, PSolarHeatGain=2100.5, PHeatGain=6421.5,
             PRadiationLoss=9876.0, PVentilaionLoss=5432.1, PLeakLossCoeff=12.5,
             PVentLossCoeff=30.75, PHeatLoss=15308.1, PHeatLossCoeff=128.5, PHeatUsage=9000.25,
             PVolume=420.0, PTemperature=21.0, PUValue=0.312, PArea=150.0,
             PInternalAericPUndef=1.5, PInternalAericPMetabolic=2.0,
             PInternalAericPAppliances=3.25, PInternalAericPLighting=0.75, PAirChangesPerH=0.5,
             PP50=0.8, PN50=3.0, PVentilationType=2, PSurfaceArea=412.5,
             PClimateProfile="Stockholm", PInfo=INFO_300, PWeatherInfo="Klimatdata för Stockholm",
             PCalculated=True, PAirChangeIDNo=3, PIntGainUnit=1, PIntGainsDef=200, PVentUnit=1,
             PVSupLSek=50.0, PVExLSek=55.5, PVSupLArea=0.35, PVExLArea=0.37, PP50IdNo=-1,
             PN50IdNo=40000, PIntPUndefW=225.0, PIntPMetabolicW=300.0, PIntPAppliancesW=487.5,
             PIntPLightingW=112.5, PCreated=45000.5, PChanged=45123.75,
             PNLayers=3, PNLayeredCompoenents=2, PNWindows=2, PNDoors=1)
    ground = dict(PVersion=2, PBuilding="Villa Ekbacken", PSoilName="Lera", PTypeString="Slab",
                  PShielding=0.1, PWindSpeed=4.0, PGroundThermalCond=1.5, PIsoCond=0.036,
                  PIsoWidth=100.0, PIsoLength=1200.0, PArea=150.0, PPerimeter=50.0,
                  PWallHeight=300.0, PWallDepth=200.0, PUValue=0.18, PUWall=0.25,
                  PSpecialVar1=1, PSpecialVar3=2, PSpecialVar4=-5, PSpecialVar5=300)
    months = []
    for k in range(12):
        months.append(dict(PVersion=2, PBuilding="Villa Ekbacken", PMonth=k + 1,
                           PTemperature=MONTH_TEMPS[k], PSunHorizontal=10.0 + 20 * k,
                           PSunSouth=30.5 + k, PSunEast=5.25 * (k + 1), PSunWest=5.5 * (k + 1),
                           PSunNorth=2.0 + k, PDays=MONTH_DAYS[k], PSetPointTemp=21.0,
                           PSunGain=100.0 * k, PInternalPower=450.0, PInternalGain=334.8,
                           PUtilizationFactor=0.95 if k < 6 else 0.5,
                           PVentilationLoss=400.0 - 10 * k, PHeatLoss=1500.0 - 100 * k,
                           PHeatUsage=1000.0 - 80 * k, PRadiationLoss=800.0 - 50 * k))
    comps = [dict(PVersion=2, PID="Yttervägg 1", PBuilding="Villa Ekbacken", PCompType="OuterWall",
                  PNLayers=2, PInnerAericHeatCapacity=12.5, POuterAericHeatCapacity=60.25,
                  PUValue=0.19, PArea=120.0),
             dict(PVersion=2, PID="Tak", PBuilding="Villa Ekbacken", PCompType="Roof",
                  PNLayers=1, PInnerAericHeatCapacity=8.0, POuterAericHeatCapacity=9.0,
                  PUValue=0.12, PArea=150.0)]
    layers = [dict(PVersion=2, PBuilding="Villa Ekbacken", PCompType="OuterWall",
                   PComponent="Yttervägg 1", PPos=1, PID="Tegel", PThermalCond=0.6,
                   PSpecificHeatCapacity=840.0, PDensity=1800.0, PDepth=120.0, PRatio=0.2,
                   PPenetrationDepth=0.15, PRValue=0.2, PLockedDepth=True),
              dict(PVersion=2, PBuilding="Villa Ekbacken", PCompType="OuterWall",
                   PComponent="Yttervägg 1", PPos=2, PID="Mineralull", PThermalCond=0.037,
                   PSpecificHeatCapacity=800.0, PDensity=30.0, PDepth=195.0, PRatio=0.8,
                   PPenetrationDepth=0.05, PRValue=5.27),
              dict(PVersion=2, PBuilding="Villa Ekbacken", PCompType="Roof", PComponent="Tak",
                   PPos=1, PID="Lösull", PThermalCond=0.04, PSpecificHeatCapacity=800.0,
                   PDensity=28.0, PDepth=350.0, PRatio=1.0, PRValue=8.75)]
    doors = [dict(PVersion=2, PBuilding="Villa Ekbacken", PID="Entré", PArea=2.1, PUValue=1.0)]
    windows = [dict(PVersion=2, PBuilding="Villa Ekbacken", PID="Söder", PArea=2.0,
                    PUValue=1.1, PGValue=0.6, PShading=20.0, PFrameFactor=25.0, PDirection=1),
               dict(PVersion=2, PBuilding="Villa Ekbacken", PID="åäö", PArea=1.2, PUValue=1.3,
                    PGValue=0.55, PFrameFactor=30.0, PDirection=4)]
    return b, ground, months, comps, layers, doors, windows


def garage():
    """A building without a foundation row and without members."""
    b = dict(PVersion=2, PID="Garage", PArea=30.0, PVolume=75.0, PTemperature=10.0,
             PAirChangeIDNo=-1, PIntGainsDef=-1, PP50IdNo=-1, PN50IdNo=-1, PCreated=44000.25,
             PChanged=44000.25)
    ground = dict(PVersion=2)
    months = [dict(PVersion=2, PBuilding="Garage", PMonth=k + 1, PTemperature=MONTH_TEMPS[k],
                   PDays=MONTH_DAYS[k]) for k in range(12)]
    return b, ground, months, [], [], [], []


def building_bytes(parts, tables, classes):
    b, ground, months, comps, layers, doors, windows = parts
    out = encode(classes[0], tables[0], b) + encode(classes[1], GROUND, ground)
    out += b"".join(encode(classes[2], MONTH, m) for m in months)
    out += b"".join(encode(classes[3], COMPONENT, c) for c in comps)
    out += b"".join(encode(classes[4], LAYER, l) for l in layers)
    out += b"".join(encode(classes[5], DOOR, d) for d in doors)
    out += b"".join(encode(classes[6], WINDOW, w) for w in windows)
    return out


CLASSES2 = ["TExpBuilding2", "TExpGround2", "TExpMonth2", "TExpLayeredComponent2", "TEXPLayer2",
            "TExpDoor2", "TExpWindow2"]
CLASSES1 = ["TExpBuilding1", "TExpGround1", "TExpMonth1", "TExpLayeredComponent1", "TEXPLayer1",
            "TExpDoor1", "TExpWindow1"]


def file_info(version, n):
    return encode("TExpFileInfo2", FILEINFO, dict(PVersion=version, PNBuildings=n))


def v2_building(parts):
    return building_bytes(parts, [BUILDING2], CLASSES2)


# --- version 1 -------------------------------------------------------------------

def old_house():
    """A version-1 building as the earlier program wrote it: PInternalAericPower,
    month records with wrong numbers and another building's name, an 8-bit text
    in a String, and numbers in the other tags a reader accepts for a float."""
    b = dict(PVersion=1, PID="Gammalt hus", PArea=95.0, PVolume=240.0, PTemperature=20.0,
             PInternalAericPower=5.5, PCalculated=False, PUValue=0.45, PCapacity=5000.0,
             PNLayers=1, PNLayeredCompoenents=1, PNWindows=1, PNDoors=0)
    out = encode("TExpBuilding1", BUILDING1, b)
    out += encode("TExpGround1", GROUND, dict(PVersion=1, PBuilding="Gammalt hus",
                                              PTypeString="SuspendedFloor", PArea=95.0,
                                              PSpecialVar2=7))
    for k in range(12):
        # Numbers counting down from 12, all under a stale building name.
        props = [p_int("PVersion", 1), p_text("PBuilding", "Annat hus"), p_int("PMonth", 12 - k),
                 p_float("PTemperature", MONTH_TEMPS[k]), p_int("PDays", MONTH_DAYS[k])]
        if k == 0:
            # A float as Int8, as Int16, as IEEE double, as Int64 and as Int32.
            props += [short("PSunSouth") + b"\x02" + struct.pack("<b", -7),
                      short("PSunEast") + b"\x03" + struct.pack("<h", 1000),
                      short("PSunWest") + b"\x15" + struct.pack("<d", 12.375),
                      short("PSunNorth") + b"\x13" + struct.pack("<q", 9007199254740993),
                      short("PSunHorizontal") + b"\x04" + struct.pack("<i", -70000)]
        out += record("TExpMonth1", props)
    out += record("TExpLayeredComponent1",
                  [p_int("PVersion", 1), p_text("PID", "Vägg"), p_text("PBuilding", "Gammalt hus"),
                   p_text("PCompType", "OuterWall"), p_int("PNLayers", 1),
                   p_float("PInnerAericHeatCapacity", 20.0), p_float("POuterAericHeatCapacity", 40.0),
                   p_float("PUValue", 0.45), p_float("PArea", 80.0)])
    # 8-bit texts as the earlier program wrote them: String with Windows-1252 bytes.
    out += record("TEXPLayer1",
                  [p_int("PVersion", 1), p_text("PBuilding", "Gammalt hus"),
                   p_text("PCompType", "OuterWall"),
                   short("PComponent") + b"\x06" + bytes([4]) + "Vägg".encode("cp1252"),
                   p_int("PPos", 1),
                   short("PID") + b"\x0c" + struct.pack("<i", 8) + "Träpanel".encode("cp1252"),
                   p_float("PThermalCond", 0.14), p_float("PDepth", 22.0),
                   p_bool("PLockedDepth", True)])
    out += record("TExpWindow1",
                  [p_int("PVersion", 1), p_text("PBuilding", "Gammalt hus"),
                   short("PID") + b"\x06" + bytes([6]) + b"\x80 \x8d\x9f\xe5\xff",
                   p_float("PArea", 1.5), p_int("PDirection", 2)])
    return out


def old_shed():
    b = dict(PVersion=1, PID="Bod", PArea=10.0)
    out = encode("TExpBuilding1", BUILDING1, b) + encode("TExpGround1", GROUND, dict(PVersion=1))
    out += b"".join(encode("TExpMonth1", MONTH, dict(PVersion=1, PBuilding="Bod", PMonth=k + 1))
                    for k in range(12))
    return out


# --- materials ---------------------------------------------------------------------

MATERIAL = [("PMaterialID", "T"), ("PMaterialTHERMCOND", "F"), ("PMaterialSPECCAP", "F"),
            ("PMaterialDENSITY", "F"), ("PMaterialDEPTH", "F"), ("PMaterialOUTERWALL", "B"),
            ("PMaterialINNERWALL", "B"), ("PMaterialROOF", "B"), ("PMaterialINNERROOF", "B"),
            ("PMaterialGROUNDFLOOR", "B"), ("PMaterialGROUNDWALL", "B"),
            ("PMaterialGROUNDSLAB", "B"), ("PMaterialSOIL", "B"), ("PMaterialLOCKEDDEPTH", "B")]
MATERIALS_HEADER = [("PVersion", "I"), ("PNumberOfItems", "I")]

SAMPLE_MATERIALS = [
    dict(PMaterialID="Betong", PMaterialTHERMCOND=1.7, PMaterialSPECCAP=880.0,
         PMaterialDENSITY=2300.0, PMaterialDEPTH=150.0, PMaterialOUTERWALL=True,
         PMaterialINNERWALL=True, PMaterialROOF=False, PMaterialINNERROOF=True,
         PMaterialGROUNDFLOOR=True, PMaterialGROUNDWALL=True, PMaterialGROUNDSLAB=True),
    dict(PMaterialID="Lättklinker åäö", PMaterialOUTERWALL=True, PMaterialSOIL=True,
         PMaterialLOCKEDDEPTH=True),
]


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    ex = HERE
    villa_b = v2_building(villa())
    garage_b = v2_building(garage())
    golden2 = file_info(2, 2) + villa_b + garage_b
    write(os.path.join(ex, "golden_v2.bvf"), golden2)
    write(os.path.join(ex, "golden_v1.bvf"), file_info(1, 2) + old_house() + old_shed())
    # A version-1 file that marks its version as 0.
    write(os.path.join(ex, "version0.tef"), file_info(0, 1) + old_shed())

    # Broken files.
    write(os.path.join(ex, "empty.bvf"), b"")
    write(os.path.join(ex, "wrong_signature.bvf"), b"TPF1" + golden2[4:])
    write(os.path.join(ex, "truncated_info.bvf"), golden2[:30])
    write(os.path.join(ex, "truncated.bvf"), golden2[: len(golden2) - 100])
    write(os.path.join(ex, "version3.bvf"), file_info(3, 1) + garage_b)
    write(os.path.join(ex, "no_buildings.bvf"), file_info(2, 0))
    # The file announces far more buildings than it holds.
    write(os.path.join(ex, "huge_building_count.bvf"), file_info(2, 0x7FFFFFFF) + garage_b)

    def broken_middle(bad):
        return file_info(2, 3) + villa_b + bad + garage_b

    gar = garage()
    # Second building: an unknown value tag in its building record.
    unknown_tag = v2_building(gar).replace(short("PArea") + b"\x05", short("PArea") + b"\x0a", 1)
    write(os.path.join(ex, "unknown_tag.bvf"), broken_middle(unknown_tag))
    # An unknown property name.
    unknown_prop = v2_building(gar).replace(short("PVolume"), short("PVolyme"), 1)
    write(os.path.join(ex, "unknown_property.bvf"), broken_middle(unknown_prop))
    # A text where a float belongs.
    wrong_tag = v2_building(gar).replace(short("PArea") + b"\x05" + extended(30.0),
                                         short("PArea") + b"\x06\x0230", 1)
    write(os.path.join(ex, "unsuitable_tag.bvf"), broken_middle(wrong_tag))
    # A record with a child object.
    child = v2_building(gar)
    first_end = child.index(b"\x00\x00TPF0")
    child = (child[:first_end] + b"\x00" + short("TExpWindow2") + b"\x00\x00\x00" + b"\x00" +
             child[first_end + 2:])
    write(os.path.join(ex, "child_list.bvf"), broken_middle(child))
    # Lengths and counts far beyond the file.
    huge_len = v2_building(gar).replace(p_text("PID", "Garage"),
                                        short("PID") + b"\x0c" + struct.pack("<i", 0x7FFFFFF0), 1)
    write(os.path.join(ex, "huge_length.bvf"), broken_middle(huge_len))
    huge_count = v2_building(gar).replace(p_int("PNLayers", 0), p_int("PNLayers", 0x7FFFFFFF), 1)
    write(os.path.join(ex, "huge_count.bvf"), broken_middle(huge_count))
    neg_len = v2_building(gar).replace(p_text("PID", "Garage"),
                                       short("PID") + b"\x14" + struct.pack("<i", -1), 1)
    write(os.path.join(ex, "negative_length.bvf"), broken_middle(neg_len))
    # Texts that are not valid UTF-8 or UTF-16.
    bad_utf8 = v2_building(gar).replace(p_text("PID", "Garage"),
                                        short("PID") + b"\x14" + struct.pack("<i", 3) + b"G\xc3(", 1)
    write(os.path.join(ex, "bad_utf8.bvf"), broken_middle(bad_utf8))
    bad_utf16 = v2_building(gar).replace(
        p_text("PID", "Garage"),
        short("PID") + b"\x12" + struct.pack("<i", 2) + struct.pack("<HH", 0x47, 0xD800), 1)
    write(os.path.join(ex, "bad_utf16.bvf"), broken_middle(bad_utf16))
    # Not-a-number in a calculation value.
    nan = v2_building(gar).replace(short("PArea") + b"\x05" + extended(30.0),
                                   short("PArea") + b"\x05" + struct.pack("<QH", 0xC000000000000000, 0x7FFF), 1)
    write(os.path.join(ex, "nan_value.bvf"), broken_middle(nan))
    # Version 1: a building with only eleven month records (the twelfth month
    # is the next building's record, which has no month properties).
    short_months = old_shed()
    last_month = short_months.rindex(b"TPF0")
    write(os.path.join(ex, "v1_eleven_months.bvf"),
          file_info(1, 2) + short_months[:last_month] + old_shed())

    # Materials.
    mats = encode("TMaterialsHeader", MATERIALS_HEADER, dict(PVersion=1, PNumberOfItems=2))
    mats += b"".join(encode("TMaterial", MATERIAL, m) for m in SAMPLE_MATERIALS)
    write(os.path.join(MATERIALS, "two_materials.bmf"), mats)
    write(os.path.join(MATERIALS, "version2.bmf"),
          encode("TMaterialsHeader", MATERIALS_HEADER, dict(PVersion=2, PNumberOfItems=2)) +
          mats[mats.index(b"TPF0", 4):])
    write(os.path.join(MATERIALS, "truncated.bmf"), mats[:-5])
    write(os.path.join(MATERIALS, "wrong_signature.bmf"), b"XPF0" + mats[4:])


if __name__ == "__main__":
    main()
