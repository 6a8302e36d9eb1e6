// The buildings of the golden fixture files, built in code. They must match
// tests/data/exchange/make_fixtures.py value for value: the fixtures come from
// a separate encoder, so the comparison checks writer and reader against it.
#pragma once

#include "exchange/UnitExportImport.h"
#include "tests/TestSupport.h"

#include <cstdio>
#include <string>
#include <vector>

using bvtest::ReadTestFile;
using bvtest::TestDataPath;

inline const double MonthTemps[12] = {-3.5, -4.25, -1.0, 4.5, 10.75, 15.0,
                                      17.5, 16.25, 11.5, 6.75, 1.5,   -1.75};
inline const int32_t MonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

inline std::string Info300() {
    std::string S;
    for (int I = 0; I < 40; ++I) {
        char Buf[16];
        std::snprintf(Buf, sizeof Buf, "Rad %03d. ", I);
        S += Buf;
    }
    return S.substr(0, 300);
}

inline TExpBuilding2 SampleVilla() {
    TExpBuilding2 B;
    const std::string Id = "Villa Ekbacken";
    B.PID = Id;
    B.PNaturalVentilation = 0.5;
    B.PHeatExchangeEfficiency = 80.0;
    B.PVSup = 180.0;
    B.PVEx = 200.0;
    B.PV50 = 1234.5;
    B.PFacades = 1;
    B.PShielding = 2;
    B.PRadiationLossCoeff = 85.25;
    B.PCapacity = 12345.678;
    B.PInternalHeatGains = 4321.0;
    B.PSolarHeatGain = 2100.5;
    B.PHeatGain = 6421.5;
    B.PRadiationLoss = 9876.0;
    B.PVentilaionLoss = 5432.1;
    B.PLeakLossCoeff = 12.5;
    B.PVentLossCoeff = 30.75;
    B.PHeatLoss = 15308.1;
    B.PHeatLossCoeff = 128.5;
    B.PHeatUsage = 9000.25;
    B.PVolume = 420.0;
    B.PTemperature = 21.0;
    B.PUValue = 0.312;
    B.PArea = 150.0;
    B.PInternalAericPUndef = 1.5;
    B.PInternalAericPMetabolic = 2.0;
    B.PInternalAericPAppliances = 3.25;
    B.PInternalAericPLighting = 0.75;
    B.PAirChangesPerH = 0.5;
    B.PP50 = 0.8;
    B.PN50 = 3.0;
    B.PVentilationType = 2;
    B.PSurfaceArea = 412.5;
    B.PClimateProfile = "Stockholm";
    B.PInfo = Info300();
    B.PWeatherInfo = "Klimatdata för Stockholm";
    B.PCalculated = true;
    B.PAirChangeIDNo = 3;
    B.PIntGainUnit = 1;
    B.PIntGainsDef = 200;
    B.PVentUnit = 1;
    B.PVSupLSek = 50.0;
    B.PVExLSek = 55.5;
    B.PVSupLArea = 0.35;
    B.PVExLArea = 0.37;
    B.PP50IdNo = -1;
    B.PN50IdNo = 40000;
    B.PIntPUndefW = 225.0;
    B.PIntPMetabolicW = 300.0;
    B.PIntPAppliancesW = 487.5;
    B.PIntPLightingW = 112.5;
    B.PCreated = 45000.5;
    B.PChanged = 45123.75;
    B.PNLayers = 3;
    B.PNLayeredCompoenents = 2;
    B.PNWindows = 2;
    B.PNDoors = 1;

    TExpGround2& G = B.Ground;
    G.PBuilding = Id;
    G.PSoilName = "Lera";
    G.PTypeString = "Slab";
    G.PShielding = 0.1;
    G.PWindSpeed = 4.0;
    G.PGroundThermalCond = 1.5;
    G.PIsoCond = 0.036;
    G.PIsoWidth = 100.0;
    G.PIsoLength = 1200.0;
    G.PArea = 150.0;
    G.PPerimeter = 50.0;
    G.PWallHeight = 300.0;
    G.PWallDepth = 200.0;
    G.PUValue = 0.18;
    G.PUWall = 0.25;
    G.PSpecialVar1 = 1;
    G.PSpecialVar3 = 2;
    G.PSpecialVar4 = -5;
    G.PSpecialVar5 = 300;

    for (int K = 0; K < 12; ++K) {
        TExpMonth2 M;
        M.PBuilding = Id;
        M.PMonth = K + 1;
        M.PTemperature = MonthTemps[K];
        M.PSunHorizontal = 10.0 + 20 * K;
        M.PSunSouth = 30.5 + K;
        M.PSunEast = 5.25 * (K + 1);
        M.PSunWest = 5.5 * (K + 1);
        M.PSunNorth = 2.0 + K;
        M.PDays = MonthDays[K];
        M.PSetPointTemp = 21.0;
        M.PSunGain = 100.0 * K;
        M.PInternalPower = 450.0;
        M.PInternalGain = 334.8;
        M.PUtilizationFactor = K < 6 ? 0.95 : 0.5;
        M.PVentilationLoss = 400.0 - 10 * K;
        M.PHeatLoss = 1500.0 - 100 * K;
        M.PHeatUsage = 1000.0 - 80 * K;
        M.PRadiationLoss = 800.0 - 50 * K;
        B.Months.push_back(M);
    }

    TExpLayeredComponent2 C1;
    C1.PID = "Yttervägg 1";
    C1.PBuilding = Id;
    C1.PCompType = "OuterWall";
    C1.PNLayers = 2;
    C1.PInnerAericHeatCapacity = 12.5;
    C1.POuterAericHeatCapacity = 60.25;
    C1.PUValue = 0.19;
    C1.PArea = 120.0;
    TExpLayeredComponent2 C2;
    C2.PID = "Tak";
    C2.PBuilding = Id;
    C2.PCompType = "Roof";
    C2.PNLayers = 1;
    C2.PInnerAericHeatCapacity = 8.0;
    C2.POuterAericHeatCapacity = 9.0;
    C2.PUValue = 0.12;
    C2.PArea = 150.0;
    B.LayeredComponents = {C1, C2};

    TExpLayer2 L1;
    L1.PBuilding = Id;
    L1.PCompType = "OuterWall";
    L1.PComponent = "Yttervägg 1";
    L1.PPos = 1;
    L1.PID = "Tegel";
    L1.PThermalCond = 0.6;
    L1.PSpecificHeatCapacity = 840.0;
    L1.PDensity = 1800.0;
    L1.PDepth = 120.0;
    L1.PRatio = 0.2;
    L1.PPenetrationDepth = 0.15;
    L1.PRValue = 0.2;
    L1.PLockedDepth = true;
    TExpLayer2 L2;
    L2.PBuilding = Id;
    L2.PCompType = "OuterWall";
    L2.PComponent = "Yttervägg 1";
    L2.PPos = 2;
    L2.PID = "Mineralull";
    L2.PThermalCond = 0.037;
    L2.PSpecificHeatCapacity = 800.0;
    L2.PDensity = 30.0;
    L2.PDepth = 195.0;
    L2.PRatio = 0.8;
    L2.PPenetrationDepth = 0.05;
    L2.PRValue = 5.27;
    TExpLayer2 L3;
    L3.PBuilding = Id;
    L3.PCompType = "Roof";
    L3.PComponent = "Tak";
    L3.PPos = 1;
    L3.PID = "Lösull";
    L3.PThermalCond = 0.04;
    L3.PSpecificHeatCapacity = 800.0;
    L3.PDensity = 28.0;
    L3.PDepth = 350.0;
    L3.PRatio = 1.0;
    L3.PRValue = 8.75;
    B.Layers = {L1, L2, L3};

    TExpDoor2 D;
    D.PBuilding = Id;
    D.PID = "Entré";
    D.PArea = 2.1;
    D.PUValue = 1.0;
    B.Doors = {D};

    TExpWindow2 W1;
    W1.PBuilding = Id;
    W1.PID = "Söder";
    W1.PArea = 2.0;
    W1.PUValue = 1.1;
    W1.PGValue = 0.6;
    W1.PShading = 20.0;
    W1.PFrameFactor = 25.0;
    W1.PDirection = 1;
    TExpWindow2 W2;
    W2.PBuilding = Id;
    W2.PID = "åäö";
    W2.PArea = 1.2;
    W2.PUValue = 1.3;
    W2.PGValue = 0.55;
    W2.PFrameFactor = 30.0;
    W2.PDirection = 4;
    B.Windows = {W1, W2};
    return B;
}

// A building without a foundation row and without members.
inline TExpBuilding2 SampleGarage() {
    TExpBuilding2 B;
    B.PID = "Garage";
    B.PArea = 30.0;
    B.PVolume = 75.0;
    B.PTemperature = 10.0;
    B.PAirChangeIDNo = -1;
    B.PIntGainsDef = -1;
    B.PP50IdNo = -1;
    B.PN50IdNo = -1;
    B.PCreated = 44000.25;
    B.PChanged = 44000.25;
    for (int K = 0; K < 12; ++K) {
        TExpMonth2 M;
        M.PBuilding = "Garage";
        M.PMonth = K + 1;
        M.PTemperature = MonthTemps[K];
        M.PDays = MonthDays[K];
        B.Months.push_back(M);
    }
    return B;
}
