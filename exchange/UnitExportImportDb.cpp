// Filling the exchange records from the building tables and storing them
// back: which column each property carries.
#include "exchange/UnitExportData.h"
#include "exchange/UnitExportImport.h"

#include <span>

namespace {

// Column name and field, in the shape of the property tables.
template <class T>
using TColumns = std::span<const TPropDef<T>>;

template <class T>
void LoadColumns(TDataset& D, T& Obj, TColumns<T> Cols) {
    for (const TPropDef<T>& C : Cols) {
        TField& F = D.FieldByName(C.Name);
        // An empty column reads as 0, empty or false, as an absent property does.
        switch (C.Field.index()) {
        case 0: Obj.*std::get<0>(C.Field) = F.IsNull() ? 0 : F.AsInteger(); break;
        case 1: Obj.*std::get<1>(C.Field) = F.AsBoolean(); break;
        case 2: Obj.*std::get<2>(C.Field) = F.IsNull() ? 0.0 : F.AsFloat(); break;
        default: Obj.*std::get<3>(C.Field) = F.AsString(); break;
        }
    }
}

template <class T>
void StoreColumns(TDataset& D, const T& Obj, TColumns<T> Cols) {
    for (const TPropDef<T>& C : Cols) {
        TField& F = D.FieldByName(C.Name);
        switch (C.Field.index()) {
        case 0: F.SetInteger(Obj.*std::get<0>(C.Field)); break;
        case 1: F.SetBoolean(Obj.*std::get<1>(C.Field)); break;
        case 2: F.SetFloat(Obj.*std::get<2>(C.Field)); break;
        default: F.SetString(Obj.*std::get<3>(C.Field)); break;
        }
    }
}

template <class T>
void AppendRow(TDataset& D, const T& Obj, TColumns<T> Cols) {
    D.Append();
    StoreColumns(D, Obj, Cols);
    D.Post();
}

// Buildings: every column the system stores except GROUNDTYPE and P50CLASS.
// PVentType, PInternalPower and PAericNaturalVentilation have no column.
TColumns<TExpBuilding2> BuildingColumns() {
    using T = TExpBuilding2;
    static const TPropDef<T> C[] = {
        TextProp<T>("ID", &T::PID),
        FloatProp<T>("NATVENT", &T::PNaturalVentilation),
        FloatProp<T>("MECHVENT", &T::PMechanicalVentilation),
        FloatProp<T>("HEATEX", &T::PHeatExchangeEfficiency),
        FloatProp<T>("VSUP", &T::PVSup),
        FloatProp<T>("VEX", &T::PVEx),
        FloatProp<T>("V50", &T::PV50),
        IntProp<T>("FACADES", &T::PFacades),
        IntProp<T>("SHIELDING", &T::PShielding),
        FloatProp<T>("RADLOSSCOEFF", &T::PRadiationLossCoeff),
        FloatProp<T>("CAPACITY", &T::PCapacity),
        FloatProp<T>("INTGAIN", &T::PInternalHeatGains),
        FloatProp<T>("SOLARGAIN", &T::PSolarHeatGain),
        FloatProp<T>("HEATGAIN", &T::PHeatGain),
        FloatProp<T>("RADLOSS", &T::PRadiationLoss),
        FloatProp<T>("VENTLOSS", &T::PVentilaionLoss),
        FloatProp<T>("LEAKLOSSCOEFF", &T::PLeakLossCoeff),
        FloatProp<T>("VENTLOSSCOEFF", &T::PVentLossCoeff),
        FloatProp<T>("HEATLOSS", &T::PHeatLoss),
        FloatProp<T>("HEATLOSSCOEFF", &T::PHeatLossCoeff),
        FloatProp<T>("HEATUSAGE", &T::PHeatUsage),
        FloatProp<T>("VOLUME", &T::PVolume),
        FloatProp<T>("TEMPERATURE", &T::PTemperature),
        FloatProp<T>("UVALUE", &T::PUValue),
        FloatProp<T>("AREA", &T::PArea),
        FloatProp<T>("INTPUNDEF", &T::PInternalAericPUndef),
        FloatProp<T>("INTPMETABOLIC", &T::PInternalAericPMetabolic),
        FloatProp<T>("INTPAPPLIANCES", &T::PInternalAericPAppliances),
        FloatProp<T>("INTPLIGHTING", &T::PInternalAericPLighting),
        FloatProp<T>("AIRCHANGESPERH", &T::PAirChangesPerH),
        FloatProp<T>("P50", &T::PP50),
        FloatProp<T>("N50", &T::PN50),
        IntProp<T>("VENTTYPE", &T::PVentilationType),
        FloatProp<T>("SURFACEAREA", &T::PSurfaceArea),
        TextProp<T>("WEATHERID", &T::PClimateProfile),
        TextProp<T>("INFO", &T::PInfo),
        TextProp<T>("WEATHERINFO", &T::PWeatherInfo),
        BoolProp<T>("CALCULATED", &T::PCalculated),
        IntProp<T>("AIRCHANGEIDNO", &T::PAirChangeIDNo),
        IntProp<T>("INTGAINUNIT", &T::PIntGainUnit),
        IntProp<T>("INTGAINSDEF", &T::PIntGainsDef),
        IntProp<T>("VENTUNIT", &T::PVentUnit),
        FloatProp<T>("VSUPLSEK", &T::PVSupLSek),
        FloatProp<T>("VEXLSEK", &T::PVExLSek),
        FloatProp<T>("VSUPLAREA", &T::PVSupLArea),
        FloatProp<T>("VEXLAREA", &T::PVExLArea),
        IntProp<T>("P50IDNO", &T::PP50IdNo),
        IntProp<T>("N50IDNO", &T::PN50IdNo),
        FloatProp<T>("INTPUNDEFW", &T::PIntPUndefW),
        FloatProp<T>("INTPMETABOLICW", &T::PIntPMetabolicW),
        FloatProp<T>("INTPAPPLIANCESW", &T::PIntPAppliancesW),
        FloatProp<T>("INTPLIGHTINGW", &T::PIntPLightingW),
        FloatProp<T>("CREATED", &T::PCreated),
        FloatProp<T>("CHANGED", &T::PChanged),
    };
    return C;
}

TColumns<TExpGround2> GroundColumns() {
    using T = TExpGround2;
    static const TPropDef<T> C[] = {
        TextProp<T>("BUILDING", &T::PBuilding),
        TextProp<T>("SOILNAME", &T::PSoilName),
        TextProp<T>("TYPE", &T::PTypeString),
        FloatProp<T>("VENTILATIONAREA", &T::PVentilationArea),
        FloatProp<T>("SHIELDING", &T::PShielding),
        FloatProp<T>("WINDSPEED", &T::PWindSpeed),
        FloatProp<T>("GROUNDTHERMCOND", &T::PGroundThermalCond),
        FloatProp<T>("ISOCOND", &T::PIsoCond),
        FloatProp<T>("ISOWIDTH", &T::PIsoWidth),
        FloatProp<T>("ISOLENGTH", &T::PIsoLength),
        FloatProp<T>("AREA", &T::PArea),
        FloatProp<T>("PERIMETER", &T::PPerimeter),
        FloatProp<T>("WALLHEIGHT", &T::PWallHeight),
        FloatProp<T>("WALLDEPTH", &T::PWallDepth),
        FloatProp<T>("UVALUE", &T::PUValue),
        FloatProp<T>("UWALL", &T::PUWall),
        IntProp<T>("SPECIALVAR1", &T::PSpecialVar1),
        IntProp<T>("SPECIALVAR2", &T::PSpecialVar2),
        IntProp<T>("SPECIALVAR3", &T::PSpecialVar3),
        IntProp<T>("SPECIALVAR4", &T::PSpecialVar4),
        IntProp<T>("SPECIALVAR5", &T::PSpecialVar5),
    };
    return C;
}

TColumns<TExpMonth2> MonthColumns() {
    using T = TExpMonth2;
    static const TPropDef<T> C[] = {
        TextProp<T>("BUILDING", &T::PBuilding),
        IntProp<T>("MONTH", &T::PMonth),
        FloatProp<T>("TEMP", &T::PTemperature),
        FloatProp<T>("RADHOR", &T::PSunHorizontal),
        FloatProp<T>("RADSOUTH", &T::PSunSouth),
        FloatProp<T>("RADEAST", &T::PSunEast),
        FloatProp<T>("RADWEST", &T::PSunWest),
        FloatProp<T>("RADNORTH", &T::PSunNorth),
        IntProp<T>("DAYS", &T::PDays),
        FloatProp<T>("SETPOINTTEMP", &T::PSetPointTemp),
        FloatProp<T>("SOLGAIN", &T::PSunGain),
        FloatProp<T>("INTPOWER", &T::PInternalPower),
        FloatProp<T>("INTGAIN", &T::PInternalGain),
        FloatProp<T>("UTILFACTOR", &T::PUtilizationFactor),
        FloatProp<T>("VENTLOSS", &T::PVentilationLoss),
        FloatProp<T>("HEATLOSS", &T::PHeatLoss),
        FloatProp<T>("HEATUSAGE", &T::PHeatUsage),
        FloatProp<T>("RADLOSS", &T::PRadiationLoss),
    };
    return C;
}

TColumns<TExpLayeredComponent2> LayeredComponentColumns() {
    using T = TExpLayeredComponent2;
    static const TPropDef<T> C[] = {
        TextProp<T>("ID", &T::PID),
        TextProp<T>("BUILDING", &T::PBuilding),
        TextProp<T>("TYPE", &T::PCompType),
        IntProp<T>("NLAYERS", &T::PNLayers),
        // Crosswise, as every file written so far has them.
        FloatProp<T>("OUTERCAPACITY", &T::PInnerAericHeatCapacity),
        FloatProp<T>("INNERCAPACITY", &T::POuterAericHeatCapacity),
        FloatProp<T>("UVALUE", &T::PUValue),
        FloatProp<T>("AREA", &T::PArea),
    };
    return C;
}

TColumns<TExpLayer2> LayerColumns() {
    using T = TExpLayer2;
    static const TPropDef<T> C[] = {
        TextProp<T>("BUILDING", &T::PBuilding),
        TextProp<T>("TYPE", &T::PCompType),
        TextProp<T>("COMPONENT", &T::PComponent),
        IntProp<T>("POS", &T::PPos),
        TextProp<T>("ID", &T::PID),
        FloatProp<T>("THERMCOND", &T::PThermalCond),
        FloatProp<T>("SPECCAP", &T::PSpecificHeatCapacity),
        FloatProp<T>("DENSITY", &T::PDensity),
        FloatProp<T>("DEPTH", &T::PDepth),
        FloatProp<T>("RATIO", &T::PRatio),
        FloatProp<T>("PENDEPTH", &T::PPenetrationDepth),
        FloatProp<T>("RVALUE", &T::PRValue),
        BoolProp<T>("LOCKEDDEPTH", &T::PLockedDepth),
    };
    return C;
}

TColumns<TExpDoor2> DoorColumns() {
    using T = TExpDoor2;
    static const TPropDef<T> C[] = {
        TextProp<T>("BUILDING", &T::PBuilding),
        TextProp<T>("ID", &T::PID),
        FloatProp<T>("AREA", &T::PArea),
        FloatProp<T>("UVALUE", &T::PUValue),
    };
    return C;
}

TColumns<TExpWindow2> WindowColumns() {
    using T = TExpWindow2;
    static const TPropDef<T> C[] = {
        TextProp<T>("BUILDING", &T::PBuilding),
        TextProp<T>("ID", &T::PID),
        FloatProp<T>("AREA", &T::PArea),
        FloatProp<T>("UVALUE", &T::PUValue),
        FloatProp<T>("GVALUE", &T::PGValue),
        FloatProp<T>("SHADING", &T::PShading),
        FloatProp<T>("FRAMEFACTOR", &T::PFrameFactor),
        IntProp<T>("DIRECTION", &T::PDirection),
    };
    return C;
}

template <class T>
void LoadList(TDataset& D, TDataModuleExportBuilding& M, std::vector<T>& List) {
    List.clear();
    for (D.First(); !D.Eof(); D.Next())
        List.emplace_back().LoadFromDatabase(M);
}

} // namespace

void TExpGround2::LoadFromDatabase(TDataModuleExportBuilding& M) {
    LoadColumns(M.TableGrounds, *this, GroundColumns());
}
void TExpGround2::StoreToDatabase(TDataModuleExportBuilding& M) const {
    AppendRow(M.TableGrounds, *this, GroundColumns());
}
void TExpMonth2::LoadFromDatabase(TDataModuleExportBuilding& M) {
    LoadColumns(M.TableMonths, *this, MonthColumns());
}
void TExpMonth2::StoreToDatabase(TDataModuleExportBuilding& M) const {
    AppendRow(M.TableMonths, *this, MonthColumns());
}
void TExpLayeredComponent2::LoadFromDatabase(TDataModuleExportBuilding& M) {
    LoadColumns(M.TableLayeredComponents, *this, LayeredComponentColumns());
}
void TExpLayeredComponent2::StoreToDatabase(TDataModuleExportBuilding& M) const {
    AppendRow(M.TableLayeredComponents, *this, LayeredComponentColumns());
}
void TExpLayer2::LoadFromDatabase(TDataModuleExportBuilding& M) {
    LoadColumns(M.TableLayers, *this, LayerColumns());
}
void TExpLayer2::StoreToDatabase(TDataModuleExportBuilding& M) const {
    AppendRow(M.TableLayers, *this, LayerColumns());
}
void TExpDoor2::LoadFromDatabase(TDataModuleExportBuilding& M) {
    LoadColumns(M.TableDoors, *this, DoorColumns());
}
void TExpDoor2::StoreToDatabase(TDataModuleExportBuilding& M) const {
    AppendRow(M.TableDoors, *this, DoorColumns());
}
void TExpWindow2::LoadFromDatabase(TDataModuleExportBuilding& M) {
    LoadColumns(M.TableWindows, *this, WindowColumns());
}
void TExpWindow2::StoreToDatabase(TDataModuleExportBuilding& M) const {
    AppendRow(M.TableWindows, *this, WindowColumns());
}

void TExpBuilding2::LoadFromDatabase(TDataModuleExportBuilding& M) {
    if (M.TableBuildings.IsEmpty())
        throw EExchangeError("There is no building to export");
    LoadColumns(M.TableBuildings, *this, BuildingColumns());
    PVersion = CurrentExchangeVersion;
    // Not carried from the database.
    PVentType = 0;
    PInternalPower = 0;
    PAericNaturalVentilation = 0;

    Ground = TExpGround2();
    if (!M.TableGrounds.IsEmpty()) {
        M.TableGrounds.First();
        Ground.LoadFromDatabase(M);
    }
    // A file always holds twelve months per building; a building with
    // another number of month rows would give a file that cannot be read
    // back as it was meant.
    const int NMonths = M.TableMonths.RecordCount();
    if (NMonths != 12)
        throw EExchangeError("Building " + PID + " has " + std::to_string(NMonths) +
                             " month rows, not 12, and cannot be exported");
    LoadList(M.TableMonths, M, Months);
    LoadList(M.TableLayeredComponents, M, LayeredComponents);
    LoadList(M.TableLayers, M, Layers);
    LoadList(M.TableDoors, M, Doors);
    LoadList(M.TableWindows, M, Windows);
    PNLayers = static_cast<int32_t>(Layers.size());
    PNLayeredCompoenents = static_cast<int32_t>(LayeredComponents.size());
    PNWindows = static_cast<int32_t>(Windows.size());
    PNDoors = static_cast<int32_t>(Doors.size());
}

void TExpBuilding2::StoreToDatabase(TDataModuleExportBuilding& M) {
    // A building without a name could be neither opened nor told apart.
    if (PID.empty())
        throw EExchangeError("The building has no ID and cannot be stored");
    // Every member belongs to this building, whatever name its record gave.
    RenameBuilding(PID);
    // The member views need not re-read after every row appended: they do
    // once, at the end.
    M.TableBuildings.DisableControls();
    try {
        TDatabase::TTransaction Tx(M.Database());
        AppendRow(M.TableBuildings, *this, BuildingColumns());
        if (!Ground.PBuilding.empty())
            Ground.StoreToDatabase(M);
        for (const TExpMonth2& X : Months)
            X.StoreToDatabase(M);
        for (const TExpLayeredComponent2& X : LayeredComponents)
            X.StoreToDatabase(M);
        for (const TExpLayer2& X : Layers)
            X.StoreToDatabase(M);
        for (const TExpDoor2& X : Doors)
            X.StoreToDatabase(M);
        for (const TExpWindow2& X : Windows)
            X.StoreToDatabase(M);
        Tx.Commit();
    } catch (...) {
        // Rolled back; the views still hold rows the rollback removed, and
        // the row that failed is still pending.
        M.CancelEdits();
        M.TableBuildings.EnableControls();
        M.RefreshAll();
        throw;
    }
    M.TableBuildings.EnableControls();
}
