// The property tables of the building member records, in the order they are
// written. Instantiated for the classes of both format versions.
#pragma once

#include "exchange/PropertyTable.h"

#include <span>

template <class T>
std::span<const TPropDef<T>> GroundProperties() {
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        TextProp<T>("PBuilding", &T::PBuilding),
        TextProp<T>("PSoilName", &T::PSoilName),
        TextProp<T>("PTypeString", &T::PTypeString),
        FloatProp<T>("PVentilationArea", &T::PVentilationArea),
        FloatProp<T>("PShielding", &T::PShielding),
        FloatProp<T>("PWindSpeed", &T::PWindSpeed),
        FloatProp<T>("PGroundThermalCond", &T::PGroundThermalCond),
        FloatProp<T>("PIsoCond", &T::PIsoCond),
        FloatProp<T>("PIsoWidth", &T::PIsoWidth),
        FloatProp<T>("PIsoLength", &T::PIsoLength),
        FloatProp<T>("PArea", &T::PArea),
        FloatProp<T>("PPerimeter", &T::PPerimeter),
        FloatProp<T>("PWallHeight", &T::PWallHeight),
        FloatProp<T>("PWallDepth", &T::PWallDepth),
        FloatProp<T>("PUValue", &T::PUValue),
        FloatProp<T>("PUWall", &T::PUWall),
        IntProp<T>("PSpecialVar1", &T::PSpecialVar1),
        IntProp<T>("PSpecialVar2", &T::PSpecialVar2),
        IntProp<T>("PSpecialVar3", &T::PSpecialVar3),
        IntProp<T>("PSpecialVar4", &T::PSpecialVar4),
        IntProp<T>("PSpecialVar5", &T::PSpecialVar5),
    };
    return P;
}

template <class T>
std::span<const TPropDef<T>> MonthProperties() {
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        TextProp<T>("PBuilding", &T::PBuilding),
        IntProp<T>("PMonth", &T::PMonth),
        FloatProp<T>("PTemperature", &T::PTemperature),
        FloatProp<T>("PSunHorizontal", &T::PSunHorizontal),
        FloatProp<T>("PSunSouth", &T::PSunSouth),
        FloatProp<T>("PSunEast", &T::PSunEast),
        FloatProp<T>("PSunWest", &T::PSunWest),
        FloatProp<T>("PSunNorth", &T::PSunNorth),
        IntProp<T>("PDays", &T::PDays),
        FloatProp<T>("PSetPointTemp", &T::PSetPointTemp),
        FloatProp<T>("PSunGain", &T::PSunGain),
        FloatProp<T>("PInternalPower", &T::PInternalPower),
        FloatProp<T>("PInternalGain", &T::PInternalGain),
        FloatProp<T>("PUtilizationFactor", &T::PUtilizationFactor),
        FloatProp<T>("PVentilationLoss", &T::PVentilationLoss),
        FloatProp<T>("PHeatLoss", &T::PHeatLoss),
        FloatProp<T>("PHeatUsage", &T::PHeatUsage),
        FloatProp<T>("PRadiationLoss", &T::PRadiationLoss),
    };
    return P;
}

template <class T>
std::span<const TPropDef<T>> LayeredComponentProperties() {
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        TextProp<T>("PID", &T::PID),
        TextProp<T>("PBuilding", &T::PBuilding),
        TextProp<T>("PCompType", &T::PCompType),
        IntProp<T>("PNLayers", &T::PNLayers),
        FloatProp<T>("PInnerSurfaceResistance", &T::PInnerSurfaceResistance),
        FloatProp<T>("POuterSurfaceResistance", &T::POuterSurfaceResistance),
        FloatProp<T>("PInnerAericHeatCapacity", &T::PInnerAericHeatCapacity),
        FloatProp<T>("POuterAericHeatCapacity", &T::POuterAericHeatCapacity),
        FloatProp<T>("PUValue", &T::PUValue),
        FloatProp<T>("PArea", &T::PArea),
    };
    return P;
}

template <class T>
std::span<const TPropDef<T>> LayerProperties() {
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        TextProp<T>("PBuilding", &T::PBuilding),
        TextProp<T>("PCompType", &T::PCompType),
        TextProp<T>("PComponent", &T::PComponent),
        IntProp<T>("PPos", &T::PPos),
        TextProp<T>("PID", &T::PID),
        FloatProp<T>("PThermalCond", &T::PThermalCond),
        FloatProp<T>("PSpecificHeatCapacity", &T::PSpecificHeatCapacity),
        FloatProp<T>("PDensity", &T::PDensity),
        FloatProp<T>("PDepth", &T::PDepth),
        FloatProp<T>("PRatio", &T::PRatio),
        FloatProp<T>("PPenetrationDepth", &T::PPenetrationDepth),
        FloatProp<T>("PRValue", &T::PRValue),
        BoolProp<T>("PLockedDepth", &T::PLockedDepth),
    };
    return P;
}

template <class T>
std::span<const TPropDef<T>> DoorProperties() {
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        TextProp<T>("PBuilding", &T::PBuilding),
        TextProp<T>("PID", &T::PID),
        FloatProp<T>("PArea", &T::PArea),
        FloatProp<T>("PUValue", &T::PUValue),
    };
    return P;
}

template <class T>
std::span<const TPropDef<T>> WindowProperties() {
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        TextProp<T>("PBuilding", &T::PBuilding),
        TextProp<T>("PID", &T::PID),
        FloatProp<T>("PArea", &T::PArea),
        FloatProp<T>("PUValue", &T::PUValue),
        FloatProp<T>("PGValue", &T::PGValue),
        FloatProp<T>("PShading", &T::PShading),
        FloatProp<T>("PFrameFactor", &T::PFrameFactor),
        IntProp<T>("PDirection", &T::PDirection),
    };
    return P;
}

// The smallest record: signature, two empty names and the two end markers.
inline constexpr int64_t MinRecordSize = 8;

// Checks, before anything is read or allocated, that the counts of a building
// record are not negative and that the ground, the twelve months and the
// counted records can fit in the bytes that remain.
inline void CheckMemberCounts(const TStreamReader& S, int64_t NLayeredComponents,
                              int64_t NLayers, int64_t NDoors, int64_t NWindows) {
    if (NLayeredComponents < 0 || NLayers < 0 || NDoors < 0 || NWindows < 0)
        throw EStreamError("Invalid stream format: a negative record count");
    const int64_t Records = 13 + NLayeredComponents + NLayers + NDoors + NWindows;
    if (Records > static_cast<int64_t>(S.Remaining()) / MinRecordSize)
        throw EStreamReadError();
}

// Reads what follows a building record: one ground, twelve months, then the
// constructions, layers, doors and windows its counts announce. B's member
// lists must be empty.
template <class TBuilding>
void ReadBuildingMembers(TStreamReader& S, TBuilding& B) {
    CheckMemberCounts(S, B.PNLayeredCompoenents, B.PNLayers, B.PNDoors, B.PNWindows);
    B.Ground.ReadRecord(S);
    for (int K = 0; K < 12; ++K)
        B.Months.emplace_back().ReadRecord(S);
    for (int32_t K = 0; K < B.PNLayeredCompoenents; ++K)
        B.LayeredComponents.emplace_back().ReadRecord(S);
    for (int32_t K = 0; K < B.PNLayers; ++K)
        B.Layers.emplace_back().ReadRecord(S);
    for (int32_t K = 0; K < B.PNDoors; ++K)
        B.Doors.emplace_back().ReadRecord(S);
    for (int32_t K = 0; K < B.PNWindows; ++K)
        B.Windows.emplace_back().ReadRecord(S);
}
