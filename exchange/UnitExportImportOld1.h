// The records of building exchange files of version 1, written by earlier
// versions of the program. They are only read: each building is read into
// these objects and converted at once into the current records.
//
// The member records have the properties of the current ones; the building
// record has PInternalAericPower, which is dropped, and lacks sixteen
// properties of the current building, which the conversion fills in.
#pragma once

#include "exchange/ExpRecordFields.h"
#include "exchange/PropertyTable.h"
#include "exchange/UnitExportImport.h"
#include "exchange/UnitPropertyStream.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TExpComponent1 {
public:
    virtual ~TExpComponent1() = default;
    int32_t PVersion = 1;
    virtual void ReadRecord(TStreamReader& S) = 0;
    bool operator==(const TExpComponent1&) const = default;
};

#define BV_RECORD1(TClass, TFields, Name)                                                      \
    class TClass : public TFields<TExpComponent1> {                                            \
    public:                                                                                    \
        static constexpr const char* ClassName = Name;                                         \
        static std::span<const TPropDef<TClass>> Properties();                                 \
        void ReadRecord(TStreamReader& S) override;                                            \
    };

BV_RECORD1(TExpGround1, TGroundFields, "TExpGround1")
BV_RECORD1(TExpMonth1, TMonthFields, "TExpMonth1")
BV_RECORD1(TExpLayeredComponent1, TLayeredComponentFields, "TExpLayeredComponent1")
BV_RECORD1(TExpLayer1, TLayerFields, "TEXPLayer1")
BV_RECORD1(TExpDoor1, TDoorFields, "TExpDoor1")
BV_RECORD1(TExpWindow1, TWindowFields, "TExpWindow1")

#undef BV_RECORD1

class TExpBuilding1 : public TExpComponent1 {
public:
    static constexpr const char* ClassName = "TExpBuilding1";

    std::string PID;
    int32_t PVentType = 0;
    double PNaturalVentilation = 0;
    double PMechanicalVentilation = 0;
    double PHeatExchangeEfficiency = 0;
    double PVSup = 0;
    double PVEx = 0;
    double PV50 = 0;
    int32_t PFacades = 0;
    int32_t PShielding = 0;
    double PRadiationLossCoeff = 0;
    double PCapacity = 0;
    double PInternalPower = 0;
    double PInternalHeatGains = 0;
    double PSolarHeatGain = 0;
    double PHeatGain = 0;
    double PRadiationLoss = 0;
    double PVentilaionLoss = 0;
    double PLeakLossCoeff = 0;
    double PVentLossCoeff = 0;
    double PHeatLoss = 0;
    double PHeatLossCoeff = 0;
    double PHeatUsage = 0;
    double PVolume = 0;
    double PTemperature = 0;
    double PUValue = 0;
    double PArea = 0;
    double PInternalAericPower = 0; // only in version 1; not carried over
    double PInternalAericPUndef = 0;
    double PInternalAericPMetabolic = 0;
    double PInternalAericPAppliances = 0;
    double PInternalAericPLighting = 0;
    double PAericNaturalVentilation = 0;
    double PAirChangesPerH = 0;
    double PP50 = 0;
    double PN50 = 0;
    int32_t PVentilationType = 0;
    double PSurfaceArea = 0;
    std::string PClimateProfile;
    std::string PInfo;
    std::string PWeatherInfo;
    bool PCalculated = false;
    int32_t PNLayers = 0;
    int32_t PNLayeredCompoenents = 0;
    int32_t PNWindows = 0;
    int32_t PNDoors = 0;

    TExpGround1 Ground;
    std::vector<TExpMonth1> Months;
    std::vector<TExpLayeredComponent1> LayeredComponents;
    std::vector<TExpLayer1> Layers;
    std::vector<TExpDoor1> Doors;
    std::vector<TExpWindow1> Windows;

    static std::span<const TPropDef<TExpBuilding1>> Properties();

    // Reads the building record and all its member records.
    void ReadRecord(TStreamReader& S) override;

    // Fills the fresh current-version building B from this one: shared
    // properties copied by name; the choices version 1 lacks (air change,
    // internal gains, P50 and N50 defaults) -1, the units and the l/s and W
    // values 0, PCreated and PChanged the present local time; each month
    // belongs to the building's PID and gets the number of its position.
    void ConvertTo(TExpBuilding2& B) const;
};

// The present local date and time as a date-time value: days since
// 30 December 1899, the fraction being the time of day.
double NowAsDateTime();
