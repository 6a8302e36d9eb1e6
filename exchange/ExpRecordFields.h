// The fields of the building member records. Both versions of the exchange
// format have the same ground, month, construction, layer, door and window
// records; each version's classes derive from these with their own base.
// A new record starts with numbers 0, texts empty and truth values false.
#pragma once

#include <cstdint>
#include <string>

template <class TBase>
class TGroundFields : public TBase {
public:
    std::string PBuilding;
    std::string PSoilName;
    std::string PTypeString;
    double PVentilationArea = 0;
    double PShielding = 0;
    double PWindSpeed = 0;
    double PGroundThermalCond = 0;
    double PIsoCond = 0;
    double PIsoWidth = 0;
    double PIsoLength = 0;
    double PArea = 0;
    double PPerimeter = 0;
    double PWallHeight = 0;
    double PWallDepth = 0;
    double PUValue = 0;
    double PUWall = 0;
    int32_t PSpecialVar1 = 0;
    int32_t PSpecialVar2 = 0;
    int32_t PSpecialVar3 = 0;
    int32_t PSpecialVar4 = 0;
    int32_t PSpecialVar5 = 0;
    bool operator==(const TGroundFields&) const = default;
};

template <class TBase>
class TMonthFields : public TBase {
public:
    std::string PBuilding;
    int32_t PMonth = 0;
    double PTemperature = 0;
    double PSunHorizontal = 0;
    double PSunSouth = 0;
    double PSunEast = 0;
    double PSunWest = 0;
    double PSunNorth = 0;
    int32_t PDays = 0;
    double PSetPointTemp = 0;
    double PSunGain = 0;
    double PInternalPower = 0;
    double PInternalGain = 0;
    double PUtilizationFactor = 0;
    double PVentilationLoss = 0;
    double PHeatLoss = 0;
    double PHeatUsage = 0;
    double PRadiationLoss = 0;
    bool operator==(const TMonthFields&) const = default;
};

template <class TBase>
class TLayeredComponentFields : public TBase {
public:
    std::string PID;
    std::string PBuilding;
    std::string PCompType;
    int32_t PNLayers = 0;
    double PInnerSurfaceResistance = 0;
    double POuterSurfaceResistance = 0;
    // Carries OUTERCAPACITY, and POuterAericHeatCapacity carries INNERCAPACITY:
    // files written so far pair them crosswise.
    double PInnerAericHeatCapacity = 0;
    double POuterAericHeatCapacity = 0;
    double PUValue = 0;
    double PArea = 0;
    bool operator==(const TLayeredComponentFields&) const = default;
};

template <class TBase>
class TLayerFields : public TBase {
public:
    std::string PBuilding;
    std::string PCompType;
    std::string PComponent;
    int32_t PPos = 0;
    std::string PID;
    double PThermalCond = 0;
    double PSpecificHeatCapacity = 0;
    double PDensity = 0;
    double PDepth = 0;
    double PRatio = 0;
    double PPenetrationDepth = 0;
    double PRValue = 0;
    bool PLockedDepth = false;
    bool operator==(const TLayerFields&) const = default;
};

template <class TBase>
class TDoorFields : public TBase {
public:
    std::string PBuilding;
    std::string PID;
    double PArea = 0;
    double PUValue = 0;
    bool operator==(const TDoorFields&) const = default;
};

template <class TBase>
class TWindowFields : public TBase {
public:
    std::string PBuilding;
    std::string PID;
    double PArea = 0;
    double PUValue = 0;
    double PGValue = 0;
    double PShading = 0;
    double PFrameFactor = 0;
    int32_t PDirection = 0;
    bool operator==(const TWindowFields&) const = default;
};
