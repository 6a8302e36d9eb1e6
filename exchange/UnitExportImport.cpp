#include "exchange/UnitExportImport.h"

#include "exchange/ExpRecordTables.h"
#include "exchange/UnitExportImportOld1.h"

#include <string>

// ---------------------------------------------------------------------------
// Property tables

std::span<const TPropDef<TExpFileInfo2>> TExpFileInfo2::Properties() {
    using T = TExpFileInfo2;
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        IntProp<T>("PNBuildings", &T::PNBuildings),
    };
    return P;
}

std::span<const TPropDef<TExpGround2>> TExpGround2::Properties() { return GroundProperties<TExpGround2>(); }
std::span<const TPropDef<TExpMonth2>> TExpMonth2::Properties() { return MonthProperties<TExpMonth2>(); }
std::span<const TPropDef<TExpLayeredComponent2>> TExpLayeredComponent2::Properties() {
    return LayeredComponentProperties<TExpLayeredComponent2>();
}
std::span<const TPropDef<TExpLayer2>> TExpLayer2::Properties() { return LayerProperties<TExpLayer2>(); }
std::span<const TPropDef<TExpDoor2>> TExpDoor2::Properties() { return DoorProperties<TExpDoor2>(); }
std::span<const TPropDef<TExpWindow2>> TExpWindow2::Properties() { return WindowProperties<TExpWindow2>(); }

std::span<const TPropDef<TExpBuilding2>> TExpBuilding2::Properties() {
    using T = TExpBuilding2;
    static const TPropDef<T> P[] = {
        IntProp<T>("PVersion", &T::PVersion),
        TextProp<T>("PID", &T::PID),
        IntProp<T>("PVentType", &T::PVentType),
        FloatProp<T>("PNaturalVentilation", &T::PNaturalVentilation),
        FloatProp<T>("PMechanicalVentilation", &T::PMechanicalVentilation),
        FloatProp<T>("PHeatExchangeEfficiency", &T::PHeatExchangeEfficiency),
        FloatProp<T>("PVSup", &T::PVSup),
        FloatProp<T>("PVEx", &T::PVEx),
        FloatProp<T>("PV50", &T::PV50),
        IntProp<T>("PFacades", &T::PFacades),
        IntProp<T>("PShielding", &T::PShielding),
        FloatProp<T>("PRadiationLossCoeff", &T::PRadiationLossCoeff),
        FloatProp<T>("PCapacity", &T::PCapacity),
        FloatProp<T>("PInternalPower", &T::PInternalPower),
        FloatProp<T>("PInternalHeatGains", &T::PInternalHeatGains),
        FloatProp<T>("PSolarHeatGain", &T::PSolarHeatGain),
        FloatProp<T>("PHeatGain", &T::PHeatGain),
        FloatProp<T>("PRadiationLoss", &T::PRadiationLoss),
        FloatProp<T>("PVentilaionLoss", &T::PVentilaionLoss),
        FloatProp<T>("PLeakLossCoeff", &T::PLeakLossCoeff),
        FloatProp<T>("PVentLossCoeff", &T::PVentLossCoeff),
        FloatProp<T>("PHeatLoss", &T::PHeatLoss),
        FloatProp<T>("PHeatLossCoeff", &T::PHeatLossCoeff),
        FloatProp<T>("PHeatUsage", &T::PHeatUsage),
        FloatProp<T>("PVolume", &T::PVolume),
        FloatProp<T>("PTemperature", &T::PTemperature),
        FloatProp<T>("PUValue", &T::PUValue),
        FloatProp<T>("PArea", &T::PArea),
        FloatProp<T>("PInternalAericPUndef", &T::PInternalAericPUndef),
        FloatProp<T>("PInternalAericPMetabolic", &T::PInternalAericPMetabolic),
        FloatProp<T>("PInternalAericPAppliances", &T::PInternalAericPAppliances),
        FloatProp<T>("PInternalAericPLighting", &T::PInternalAericPLighting),
        FloatProp<T>("PAericNaturalVentilation", &T::PAericNaturalVentilation),
        FloatProp<T>("PAirChangesPerH", &T::PAirChangesPerH),
        FloatProp<T>("PP50", &T::PP50),
        FloatProp<T>("PN50", &T::PN50),
        IntProp<T>("PVentilationType", &T::PVentilationType),
        FloatProp<T>("PSurfaceArea", &T::PSurfaceArea),
        TextProp<T>("PClimateProfile", &T::PClimateProfile),
        TextProp<T>("PInfo", &T::PInfo),
        TextProp<T>("PWeatherInfo", &T::PWeatherInfo),
        BoolProp<T>("PCalculated", &T::PCalculated),
        IntProp<T>("PAirChangeIDNo", &T::PAirChangeIDNo),
        IntProp<T>("PIntGainUnit", &T::PIntGainUnit),
        IntProp<T>("PIntGainsDef", &T::PIntGainsDef),
        IntProp<T>("PVentUnit", &T::PVentUnit),
        FloatProp<T>("PVSupLSek", &T::PVSupLSek),
        FloatProp<T>("PVExLSek", &T::PVExLSek),
        FloatProp<T>("PVSupLArea", &T::PVSupLArea),
        FloatProp<T>("PVExLArea", &T::PVExLArea),
        IntProp<T>("PP50IdNo", &T::PP50IdNo),
        IntProp<T>("PN50IdNo", &T::PN50IdNo),
        FloatProp<T>("PIntPUndefW", &T::PIntPUndefW),
        FloatProp<T>("PIntPMetabolicW", &T::PIntPMetabolicW),
        FloatProp<T>("PIntPAppliancesW", &T::PIntPAppliancesW),
        FloatProp<T>("PIntPLightingW", &T::PIntPLightingW),
        FloatProp<T>("PCreated", &T::PCreated),
        FloatProp<T>("PChanged", &T::PChanged),
        IntProp<T>("PNLayers", &T::PNLayers),
        IntProp<T>("PNLayeredCompoenents", &T::PNLayeredCompoenents),
        IntProp<T>("PNWindows", &T::PNWindows),
        IntProp<T>("PNDoors", &T::PNDoors),
    };
    return P;
}

// ---------------------------------------------------------------------------
// Single records

#define BV_RECORD_IO(TClass)                                                                    \
    void TClass::WriteRecord(TStreamWriter& S) {                                                \
        WriteProperties<TClass>(S, ClassName, *this, Properties());                              \
    }                                                                                           \
    void TClass::ReadRecord(TStreamReader& S) {                                                 \
        ReadProperties<TClass>(S, ClassName, *this, Properties());                               \
    }

BV_RECORD_IO(TExpFileInfo2)
BV_RECORD_IO(TExpGround2)
BV_RECORD_IO(TExpMonth2)
BV_RECORD_IO(TExpLayeredComponent2)
BV_RECORD_IO(TExpLayer2)
BV_RECORD_IO(TExpDoor2)
BV_RECORD_IO(TExpWindow2)

#undef BV_RECORD_IO

// ---------------------------------------------------------------------------
// The building

void TExpBuilding2::WriteRecord(TStreamWriter& S) {
    if (Months.size() != 12)
        throw EStreamError("Cannot write building " + PID + ": it has " +
                           std::to_string(Months.size()) + " month records, not 12");
    const auto Count = [this](size_t N, const char* What) {
        if (N > static_cast<size_t>(INT32_MAX))
            throw EStreamError("Cannot write building " + PID + ": too many " + What);
        return static_cast<int32_t>(N);
    };
    PNLayers = Count(Layers.size(), "layers");
    PNLayeredCompoenents = Count(LayeredComponents.size(), "constructions");
    PNWindows = Count(Windows.size(), "windows");
    PNDoors = Count(Doors.size(), "doors");

    const size_t Mark = S.Mark();
    try {
        WriteProperties<TExpBuilding2>(S, ClassName, *this, Properties());
        Ground.WriteRecord(S);
        for (TExpMonth2& M : Months)
            M.WriteRecord(S);
        for (TExpLayeredComponent2& C : LayeredComponents)
            C.WriteRecord(S);
        for (TExpLayer2& L : Layers)
            L.WriteRecord(S);
        for (TExpDoor2& D : Doors)
            D.WriteRecord(S);
        for (TExpWindow2& W : Windows)
            W.WriteRecord(S);
    } catch (...) {
        S.Rollback(Mark);
        throw;
    }
}

void TExpBuilding2::ReadRecord(TStreamReader& S) {
    Ground = TExpGround2();
    Months.clear();
    LayeredComponents.clear();
    Layers.clear();
    Doors.clear();
    Windows.clear();
    ReadProperties<TExpBuilding2>(S, ClassName, *this, Properties());
    ReadBuildingMembers(S, *this);
}

void TExpBuilding2::ReadVersioned(TStreamReader& S, int32_t Version) {
    if (Version > CurrentExchangeVersion)
        throw EStreamError(SWrongVersion);
    if (Version < CurrentExchangeVersion) {
        TExpBuilding1 Old;
        Old.ReadRecord(S);
        Old.ConvertTo(*this);
    } else {
        ReadRecord(S);
    }
    PVersion = CurrentExchangeVersion;
}

void TExpBuilding2::RenameBuilding(const std::string& NewID) {
    PID = NewID;
    // An empty ground reference means the building has no foundation row;
    // renaming must not give it one.
    if (!Ground.PBuilding.empty())
        Ground.PBuilding = NewID;
    for (TExpMonth2& M : Months)
        M.PBuilding = NewID;
    for (TExpLayeredComponent2& C : LayeredComponents)
        C.PBuilding = NewID;
    for (TExpLayer2& L : Layers)
        L.PBuilding = NewID;
    for (TExpWindow2& W : Windows)
        W.PBuilding = NewID;
    for (TExpDoor2& D : Doors)
        D.PBuilding = NewID;
}
