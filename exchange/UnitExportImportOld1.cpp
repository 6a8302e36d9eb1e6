#include "exchange/UnitExportImportOld1.h"

#include "exchange/ExpRecordTables.h"

#include <chrono>
#include <ctime>

std::span<const TPropDef<TExpGround1>> TExpGround1::Properties() { return GroundProperties<TExpGround1>(); }
std::span<const TPropDef<TExpMonth1>> TExpMonth1::Properties() { return MonthProperties<TExpMonth1>(); }
std::span<const TPropDef<TExpLayeredComponent1>> TExpLayeredComponent1::Properties() {
    return LayeredComponentProperties<TExpLayeredComponent1>();
}
std::span<const TPropDef<TExpLayer1>> TExpLayer1::Properties() { return LayerProperties<TExpLayer1>(); }
std::span<const TPropDef<TExpDoor1>> TExpDoor1::Properties() { return DoorProperties<TExpDoor1>(); }
std::span<const TPropDef<TExpWindow1>> TExpWindow1::Properties() { return WindowProperties<TExpWindow1>(); }

#define BV_READ1(TClass)                                                                       \
    void TClass::ReadRecord(TStreamReader& S) {                                                \
        ReadProperties<TClass>(S, ClassName, *this, Properties());                              \
    }

BV_READ1(TExpGround1)
BV_READ1(TExpMonth1)
BV_READ1(TExpLayeredComponent1)
BV_READ1(TExpLayer1)
BV_READ1(TExpDoor1)
BV_READ1(TExpWindow1)

#undef BV_READ1

std::span<const TPropDef<TExpBuilding1>> TExpBuilding1::Properties() {
    using T = TExpBuilding1;
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
        FloatProp<T>("PInternalAericPower", &T::PInternalAericPower),
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
        IntProp<T>("PNLayers", &T::PNLayers),
        IntProp<T>("PNLayeredCompoenents", &T::PNLayeredCompoenents),
        IntProp<T>("PNWindows", &T::PNWindows),
        IntProp<T>("PNDoors", &T::PNDoors),
    };
    return P;
}

void TExpBuilding1::ReadRecord(TStreamReader& S) {
    ReadProperties<TExpBuilding1>(S, ClassName, *this, Properties());
    ReadBuildingMembers(S, *this);
}

namespace {

// Copies every property of a version-1 member into a new current one; the
// version is the current one whatever the old record said.
template <class TNew, class TOld>
TNew Convert(const TOld& Old) {
    TNew New;
    CopyPropertiesByName<TNew, TOld>(New, TNew::Properties(), Old, TOld::Properties());
    New.PVersion = CurrentExchangeVersion;
    return New;
}

} // namespace

void TExpBuilding1::ConvertTo(TExpBuilding2& B) const {
    CopyPropertiesByName<TExpBuilding2, TExpBuilding1>(B, TExpBuilding2::Properties(), *this,
                                                       Properties());
    B.PVersion = CurrentExchangeVersion;
    B.PAirChangeIDNo = -1;
    B.PIntGainsDef = -1;
    B.PP50IdNo = -1;
    B.PN50IdNo = -1;
    B.PIntGainUnit = 0;
    B.PVentUnit = 0;
    B.PVSupLSek = 0;
    B.PVExLSek = 0;
    B.PVSupLArea = 0;
    B.PVExLArea = 0;
    B.PIntPUndefW = 0;
    B.PIntPMetabolicW = 0;
    B.PIntPAppliancesW = 0;
    B.PIntPLightingW = 0;
    B.PCreated = NowAsDateTime();
    B.PChanged = NowAsDateTime();

    B.Ground = Convert<TExpGround2>(Ground);
    B.Months.clear();
    for (size_t K = 0; K < Months.size(); ++K) {
        TExpMonth2 M = Convert<TExpMonth2>(Months[K]);
        M.PBuilding = PID;                    // the old record's building is not used
        M.PMonth = static_cast<int32_t>(K + 1); // nor its month number
        B.Months.push_back(std::move(M));
    }
    B.Layers.clear();
    for (const TExpLayer1& L : Layers)
        B.Layers.push_back(Convert<TExpLayer2>(L));
    B.LayeredComponents.clear();
    for (const TExpLayeredComponent1& C : LayeredComponents)
        B.LayeredComponents.push_back(Convert<TExpLayeredComponent2>(C));
    B.Windows.clear();
    for (const TExpWindow1& W : Windows)
        B.Windows.push_back(Convert<TExpWindow2>(W));
    B.Doors.clear();
    for (const TExpDoor1& D : Doors)
        B.Doors.push_back(Convert<TExpDoor2>(D));
}

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t Y, unsigned M, unsigned D) {
    Y -= M <= 2;
    const int64_t Era = (Y >= 0 ? Y : Y - 399) / 400;
    const auto Yoe = static_cast<unsigned>(Y - Era * 400);
    const unsigned Doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
    const unsigned Doe = Yoe * 365 + Yoe / 4 - Yoe / 100 + Doy;
    return Era * 146097 + static_cast<int64_t>(Doe) - 719468;
}

} // namespace

double NowAsDateTime() {
    using namespace std::chrono;
    const auto Now = system_clock::now();
    const std::time_t T = system_clock::to_time_t(Now);
    std::tm Local{};
#ifdef _WIN32
    localtime_s(&Local, &T);
#else
    localtime_r(&T, &Local);
#endif
    const auto Ms = duration_cast<milliseconds>(Now.time_since_epoch()).count() % 1000;
    const int64_t Days = DaysFromCivil(Local.tm_year + 1900, static_cast<unsigned>(Local.tm_mon + 1),
                                       static_cast<unsigned>(Local.tm_mday)) -
                         DaysFromCivil(1899, 12, 30);
    const double Seconds = Local.tm_hour * 3600.0 + Local.tm_min * 60.0 + Local.tm_sec +
                           static_cast<double>(Ms < 0 ? Ms + 1000 : Ms) / 1000.0;
    return static_cast<double>(Days) + Seconds / 86400.0;
}
