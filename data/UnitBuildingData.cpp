#include "data/UnitBuildingData.h"

#include "data/UnitPreDefData.h"
#include "db/Database.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <optional>
#include <utility>

namespace {

const char* const kComponentTypes[kComponentKindCount] = {
    "OuterWall", "InnerWall", "Roof", "InnerRoof", "GroundFloor", "GroundSlab", "GroundWall",
};

// Heading of the calculation-failure message until a language is applied.
const char* const kCalcFailedHeading = "Beräkningen kunde inte genomföras";

// Base names of new members until a language is applied: the seven
// construction kinds, a window, a door, a building.
const std::array<const char*, kDefaultNameCount> kBuiltInDefaultNames = {
    "Ny yttervägg", "Ny innervägg", "Nytt tak",     "Nytt bjälklag", "Nytt mellangolv",
    "Ny markplatta", "Ny grundmur", "Nytt fönster", "Ny dörr",       "Ny byggnad",
};

// Windows.DIRECTION 0..4; the same in every language.
const std::array<const char*, kDirectionCount> kBuiltInDirections = {"Norr", "Söder", "Väster", "Öster",
                                                                     "Horisontell"};

const char* const kTemplateBuilding = "Default";

// The size of Buildings.ID: a name must stay below it.
constexpr size_t kBuildingNameSize = 100;

void CheckKind(int Kind) {
    if (Kind < 0 || Kind >= kComponentKindCount) {
        throw EBVException("Okänd konstruktionstyp: " + std::to_string(Kind));
    }
}

size_t CharCount(const std::string& S) {
    return static_cast<size_t>(std::count_if(S.begin(), S.end(), [](char C) {
        return (static_cast<unsigned char>(C) & 0xC0) != 0x80;
    }));
}

bool IsAscii(const std::string& S) {
    return std::all_of(S.begin(), S.end(), [](char C) { return (static_cast<unsigned char>(C) & 0x80) == 0; });
}

// A column of the current row as a number for a derived value: NULL counts
// as 0, as an empty input field does; a value that is no number has no
// derived value (nullopt).
std::optional<double> Num(TDataset& T, const char* Column) {
    TField* F = T.FindField(Column);
    if (F == nullptr || F->IsNull()) {
        return 0.0;
    }
    try {
        return F->AsFloat();
    } catch (const EDatabaseError&) {
        return std::nullopt;
    }
}

// Writes a derived value; one that is not a finite number is left empty.
void SetDerived(TDataset& T, const char* Column, std::optional<double> V) {
    TField& F = T.FieldByName(Column);
    if (V && std::isfinite(*V)) {
        F.SetFloat(*V);
    } else {
        F.SetNull();
    }
}

// Nearest whole number, halves to the even neighbour (nearbyint in the
// default rounding mode, which the program never changes).
double RoundEven(double V) { return std::nearbyint(V); }

std::optional<double> SumOf(TDataset& T, const char* A, const char* B, const char* C, const char* D) {
    double S = 0;
    for (const char* Name : {A, B, C, D}) {
        const std::optional<double> V = Num(T, Name);
        if (!V) {
            return std::nullopt;
        }
        S += *V;
    }
    return S;
}

// The share of the ventilation loss that goes through the ventilation
// system; the rest is leakage.
void VentilationShares(TDataset& Target, std::optional<double> VentLoss, std::optional<double> VentCoeff,
                       std::optional<double> LeakCoeff) {
    std::optional<double> Vent;
    if (VentLoss && VentCoeff && LeakCoeff) {
        const double Sum = *LeakCoeff + *VentCoeff;
        Vent = Sum > 0 ? RoundEven(*VentLoss * *VentCoeff / Sum) : 0.0;
    }
    SetDerived(Target, "VENTLOSSVENT", Vent);
    std::optional<double> Leak;
    if (Vent && VentLoss) {
        Leak = RoundEven(*VentLoss - *Vent);
    }
    SetDerived(Target, "VENTLOSSLEAK", Leak);
}

// Increments a counter for the lifetime of the guard.
class TCounterGuard {
public:
    explicit TCounterGuard(int& C) : FC(C) { ++FC; }
    TCounterGuard(const TCounterGuard&) = delete;
    TCounterGuard& operator=(const TCounterGuard&) = delete;
    ~TCounterGuard() { --FC; }

private:
    int& FC;
};

bool Editing(const TDataset& T) { return T.State() == TDatasetState::Edit || T.State() == TDatasetState::Insert; }

// The values of a material or archived layer that a building layer takes.
struct TLayerValues {
    TValue ID, ThermCond, SpecCap, Density, Depth;
    bool Locked = false;
};

TLayerValues ReadLayerValues(TDataset& T) {
    TLayerValues L;
    L.ID = T.FieldByName("ID").Value();
    L.ThermCond = T.FieldByName("THERMCOND").Value();
    L.SpecCap = T.FieldByName("SPECCAP").Value();
    L.Density = T.FieldByName("DENSITY").Value();
    L.Depth = T.FieldByName("DEPTH").Value();
    L.Locked = T.FieldByName("LOCKEDDEPTH").AsBoolean();
    return L;
}


// The tables that hold a building's members, each with a BUILDING column.
const char* const kMemberTables[] = {"Layers", "LayeredComponents", "Windows", "Doors", "Months", "Grounds"};

// How member rows find their building: as the views restrict them, ASCII
// names compared as SQLite's NOCASE does, others with the full case folding.
std::string MemberCollation(const std::string& ID) { return IsAscii(ID) ? "NOCASE" : "BVNOCASE"; }

} // namespace

// Every row of one building, every column as stored.
struct TBuildingRows {
    struct TTable {
        std::string Name;
        std::vector<std::string> Columns;
        std::vector<std::vector<TValue>> Rows;
    };
    std::vector<TTable> Tables; // Buildings first
};

namespace {

void ReadRows(TDatabase& Db, const std::string& Name, const std::string& Sql, const TValue& Key,
              TBuildingRows& Out) {
    TBuildingRows::TTable T;
    T.Name = Name;
    TStatement St = Db.Prepare(Sql);
    St.Bind(1, Key);
    for (int C = 0; C < St.ColumnCount(); ++C) {
        T.Columns.push_back(St.ColumnName(C));
    }
    while (St.Step()) {
        std::vector<TValue> Row;
        for (int C = 0; C < St.ColumnCount(); ++C) {
            Row.push_back(St.Column(C));
        }
        T.Rows.push_back(std::move(Row));
    }
    Out.Tables.push_back(std::move(T));
}

// The building row RowId and the member rows of its ID.
TBuildingRows ReadBuildingRows(TDatabase& Db, int64_t RowId, const std::string& ID) {
    TBuildingRows R;
    ReadRows(Db, "Buildings", "SELECT * FROM Buildings WHERE rowid = ?", RowId, R);
    for (const char* T : kMemberTables) {
        ReadRows(Db, T,
                 std::string("SELECT * FROM ") + T + " WHERE BUILDING = ? COLLATE " + MemberCollation(ID) +
                     " ORDER BY rowid",
                 ID, R);
    }
    return R;
}

// Inserts the rows under building ID. A copy (Restore false) is a new
// building: its time stamps take the column defaults, as every building
// made here does; a restored building gets back exactly what it had.
void InsertBuildingRows(TDatabase& Db, const TBuildingRows& R, const std::string& ID, bool Restore) {
    for (const TBuildingRows::TTable& T : R.Tables) {
        const bool IsBuilding = T.Name == "Buildings";
        std::vector<size_t> Cols;
        std::string Names;
        std::string Marks;
        for (size_t C = 0; C < T.Columns.size(); ++C) {
            if (IsBuilding && !Restore && (SameText(T.Columns[C], "CREATED") || SameText(T.Columns[C], "CHANGED"))) {
                continue;
            }
            Cols.push_back(C);
            Names += (Names.empty() ? "\"" : ", \"") + T.Columns[C] + "\"";
            Marks += Marks.empty() ? "?" : ", ?";
        }
        TStatement St = Db.Prepare("INSERT INTO \"" + T.Name + "\" (" + Names + ") VALUES (" + Marks + ")");
        const char* KeyColumn = IsBuilding ? "ID" : "BUILDING";
        for (const std::vector<TValue>& Row : T.Rows) {
            int P = 1;
            for (const size_t C : Cols) {
                St.Bind(P++, SameText(T.Columns[C], KeyColumn) ? TValue(ID) : Row[C]);
            }
            St.Execute();
            St.Reset();
        }
    }
}
} // namespace

const char* ComponentTypeName(int Kind) {
    CheckKind(Kind);
    return kComponentTypes[Kind];
}

// ===========================================================================
// Construction, views, derived values

TDataModuleBuildingData::TDataModuleBuildingData(TDatabase& Db) : FDb(Db) { Construct(); }

TDataModuleBuildingData::TDataModuleBuildingData(TDatabase& Db, TDataModulePreDefData& PreDef)
    : FDb(Db), FPreDef(&PreDef) {
    Construct();
}

TDataModuleBuildingData::~TDataModuleBuildingData() = default;

void TDataModuleBuildingData::Construct() {
    FMessages = {kCalcFailedHeading};
    for (size_t I = 0; I < FDefaultNames.size(); ++I) {
        FDefaultNames[I] = kBuiltInDefaultNames[I];
    }
    for (size_t I = 0; I < FDirectionNames.size(); ++I) {
        FDirectionNames[I] = kBuiltInDirections[I];
    }
    FTemplateName = kTemplateBuilding;

    FTableBuildings = MakeView("Buildings");
    FTableBuildings->SetOrderBy("ID");
    for (const char* Name : {"VENTLOSSVENT", "VENTLOSSLEAK", "UTILFACTOR", "USEDHEATGAIN", "HEATINGPERM2",
                             "HEATINGPERSURFACE", "TIMECONST", "INTPOWERW", "INTPOWER"}) {
        FTableBuildings->AddCalculatedField(Name, TFieldType::Double);
    }
    FTableBuildings->SetOnCalcFields([this](TDataset& T) { CalcBuildingFields(T); });

    const std::vector<std::pair<std::string, std::string>> ByBuilding = {{"BUILDING", "ID"}};
    for (int K = 0; K < kComponentKindCount; ++K) {
        auto& Comp = FComponentViews[static_cast<size_t>(K)];
        Comp = MakeView("LayeredComponents");
        Comp->SetFilter("TYPE = ?", {std::string(kComponentTypes[K])});
        Comp->SetMaster(FTableBuildings.get(), ByBuilding);
        auto& Layers = FLayerViews[static_cast<size_t>(K)];
        Layers = MakeView("Layers");
        Layers->SetOrderBy("POS");
        Layers->SetMaster(Comp.get(), {{"BUILDING", "BUILDING"}, {"COMPONENT", "ID"}, {"TYPE", "TYPE"}});
    }
    FTableWindows = MakeView("Windows");
    FTableWindows->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableWindows->AddCalculatedField("DIRECTIONSTR", TFieldType::String);
    FTableWindows->SetOnCalcFields([this](TDataset& T) { CalcWindowFields(T); });
    FTableDoors = MakeView("Doors");
    FTableDoors->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableGrounds = MakeView("Grounds");
    FTableGrounds->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableMonths = MakeView("Months");
    FTableMonths->SetOrderBy("MONTH");
    FTableMonths->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableMonths->AddCalculatedField("VENTLOSSVENT", TFieldType::Double);
    FTableMonths->AddCalculatedField("VENTLOSSLEAK", TFieldType::Double);
    FTableMonths->SetOnCalcFields([this](TDataset& T) { CalcMonthFields(T); });
    FTableLayeredComps = MakeView("LayeredComponents");
    FTableLayeredComps->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableLayers = MakeView("Layers");
    FTableLayers->SetMaster(FTableBuildings.get(), ByBuilding);
    FQueryAllLayersSorted = std::make_unique<TQuery>(FDb, "SELECT * FROM Layers WHERE Building = :ID\nORDER BY pos");
    FQueryAllLayersSorted->SetMaster(FTableBuildings.get(), {{":ID", "ID"}});
    FQueryBV = std::make_unique<TQuery>(FDb);

    // Masters open before their details, so that a detail starts out
    // restricted to the master's current row.
    FTableBuildings->Open();
    for (int K = 0; K < kComponentKindCount; ++K) {
        FComponentViews[static_cast<size_t>(K)]->Open();
        FLayerViews[static_cast<size_t>(K)]->Open();
    }
    for (TDataset* V : {FTableWindows.get(), FTableDoors.get(), FTableGrounds.get(), FTableMonths.get(),
                        FTableLayeredComps.get(), FTableLayers.get()}) {
        V->Open();
    }
    FQueryAllLayersSorted->Open();

    // Every view but the months records the building as changed when one
    // of its rows is edited, inserted or deleted.
    WireChangeTracking(*FTableBuildings);
    for (int K = 0; K < kComponentKindCount; ++K) {
        WireChangeTracking(*FComponentViews[static_cast<size_t>(K)]);
        WireChangeTracking(*FLayerViews[static_cast<size_t>(K)]);
    }
    for (TDataset* V : {FTableWindows.get(), FTableDoors.get(), FTableGrounds.get(), FTableLayeredComps.get(),
                        FTableLayers.get()}) {
        WireChangeTracking(*V);
    }
    WireDefaultLookups();
    // What the windows show of the building changes with its current row.
    FTableBuildings->AddListener([this](TDataset&, TDatasetEvent E, TField* F) {
        if (E == TDatasetEvent::FieldChange && F != nullptr) {
            ApplyPendingDefaults(*F);
        }
        if (E == TDatasetEvent::Scroll || E == TDatasetEvent::Refresh || E == TDatasetEvent::FieldChange) {
            NotifyObservers();
        }
    });

    static const char* const KindStems[kComponentKindCount] = {
        "OuterWall", "InnerWall", "Roof", "InnerRoof", "GroundFloor", "GroundSlab", "GroundWall",
    };
    std::vector<std::pair<std::string, TDataset*>> Tables = {{"Buildings", FTableBuildings.get()}};
    for (int K = 0; K < kComponentKindCount; ++K) {
        Tables.emplace_back(std::string(KindStems[K]) + "s", FComponentViews[static_cast<size_t>(K)].get());
        Tables.emplace_back(std::string(KindStems[K]) + "Layers", FLayerViews[static_cast<size_t>(K)].get());
    }
    for (const auto& [Stem, View] :
         std::vector<std::pair<std::string, TDataset*>>{{"Windows", FTableWindows.get()},
                                                        {"Doors", FTableDoors.get()},
                                                        {"Grounds", FTableGrounds.get()},
                                                        {"Months", FTableMonths.get()},
                                                        {"LayeredComps", FTableLayeredComps.get()},
                                                        {"Layers", FTableLayers.get()}}) {
        Tables.emplace_back(Stem, View);
    }
    for (const auto& [Stem, View] : Tables) {
        FViewsByName["Table" + Stem] = View;
        FViewsByName["DataSource" + Stem] = View;
    }
    FViewsByName["QueryAllLayersSorted"] = FQueryAllLayersSorted.get();
    FViewsByName["ZQueryBV"] = FQueryBV.get();
    // The views the report reads.
    for (const auto& [Name, View] : std::vector<std::pair<const char*, TDataset*>>{
             {"Buildings", FTableBuildings.get()},
             {"Months", FTableMonths.get()},
             {"Ground", FTableGrounds.get()},
             {"GroundFloors", &ComponentView(ckGroundFloor)},
             {"GroundWalls", &ComponentView(ckGroundWall)},
             {"GroundSlabs", &ComponentView(ckGroundSlab)},
             {"OuterWalls", &ComponentView(ckOuterWall)},
             {"Roofs", &ComponentView(ckRoof)},
             {"InnerWalls", &ComponentView(ckInnerWall)},
             {"InnerRoofs", &ComponentView(ckInnerRoof)},
             {"Windows", FTableWindows.get()},
             {"Doors", FTableDoors.get()},
             {"AllLayers", FQueryAllLayersSorted.get()}}) {
        FViewsByName[std::string("RvDataSetConnectionBV") + Name] = View;
    }
}

std::unique_ptr<TDataset> TDataModuleBuildingData::MakeView(const std::string& Table) {
    return std::make_unique<TDataset>(FDb, Table);
}

TDataModulePreDefData& TDataModuleBuildingData::PreDefData() {
    if (FPreDef == nullptr) {
        FOwnPreDef = std::make_unique<TDataModulePreDefData>(FDb);
        FPreDef = FOwnPreDef.get();
    }
    return *FPreDef;
}

TDataset* TDataModuleBuildingData::FindView(const std::string& Name) const {
    const auto It = FViewsByName.find(Name);
    return It == FViewsByName.end() ? nullptr : It->second;
}

void TDataModuleBuildingData::WireChangeTracking(TDataset& View) {
    View.AddListener([this](TDataset& T, TDatasetEvent E, TField*) {
        if ((E == TDatasetEvent::StateChange && Editing(T)) || E == TDatasetEvent::AfterDelete) {
            MarkChanged();
        }
    });
}

void TDataModuleBuildingData::CalcBuildingFields(TDataset& B) {
    VentilationShares(B, Num(B, "VENTLOSS"), Num(B, "VENTLOSSCOEFF"), Num(B, "LEAKLOSSCOEFF"));
    const std::optional<double> HeatLoss = Num(B, "HEATLOSS");
    const std::optional<double> HeatUsage = Num(B, "HEATUSAGE");
    const std::optional<double> HeatGain = Num(B, "HEATGAIN");
    std::optional<double> Used;
    if (HeatLoss && HeatUsage) {
        Used = *HeatLoss - *HeatUsage;
    }
    SetDerived(B, "USEDHEATGAIN", Used);
    std::optional<double> Util;
    if (HeatGain) {
        if (*HeatGain > 0) {
            if (Used) {
                Util = *Used * 100 / *HeatGain;
            }
        } else {
            Util = 100;
        }
    }
    SetDerived(B, "UTILFACTOR", Util);
    const auto PerArea = [&](const char* Column, const char* AreaColumn) {
        const std::optional<double> A = Num(B, AreaColumn);
        std::optional<double> V;
        if (A && HeatUsage) {
            V = *A > 0 ? *HeatUsage / *A : 0.0;
        } else if (A && *A <= 0) {
            V = 0.0;
        }
        SetDerived(B, Column, V);
    };
    PerArea("HEATINGPERM2", "AREA");
    PerArea("HEATINGPERSURFACE", "SURFACEAREA");
    const std::optional<double> Capacity = Num(B, "CAPACITY");
    const std::optional<double> LossCoeff = Num(B, "HEATLOSSCOEFF");
    std::optional<double> TimeConst;
    if (Capacity && LossCoeff) {
        TimeConst = *Capacity != 0 && *LossCoeff != 0 ? RoundEven(*Capacity * 1000 / *LossCoeff / 3600) : 0.0;
    }
    SetDerived(B, "TIMECONST", TimeConst);
    SetDerived(B, "INTPOWER", SumOf(B, "INTPMETABOLIC", "INTPAPPLIANCES", "INTPLIGHTING", "INTPUNDEF"));
    SetDerived(B, "INTPOWERW", SumOf(B, "INTPMETABOLICW", "INTPAPPLIANCESW", "INTPLIGHTINGW", "INTPUNDEFW"));
}

void TDataModuleBuildingData::CalcMonthFields(TDataset& M) {
    // The coefficients are the building's, the loss the month's own.
    TDataset& B = *FTableBuildings;
    VentilationShares(M, Num(M, "VENTLOSS"), Num(B, "VENTLOSSCOEFF"), Num(B, "LEAKLOSSCOEFF"));
}

void TDataModuleBuildingData::CalcWindowFields(TDataset& W) {
    TField& Direction = W.FieldByName("DIRECTION");
    std::string Name;
    try {
        if (!Direction.IsNull()) {
            const int64_t D = Direction.AsLargeInt();
            if (D >= 0 && D < kDirectionCount) {
                Name = FDirectionNames[static_cast<size_t>(D)];
            }
        }
    } catch (const EDatabaseError&) {
        // A direction that is no number names no direction.
    }
    W.FieldByName("DIRECTIONSTR").SetString(Name);
}

TDataset& TDataModuleBuildingData::ComponentView(int Kind) {
    CheckKind(Kind);
    return *FComponentViews[static_cast<size_t>(Kind)];
}

TDataset& TDataModuleBuildingData::LayerView(int Kind) {
    CheckKind(Kind);
    return *FLayerViews[static_cast<size_t>(Kind)];
}

const std::string& TDataModuleBuildingData::DefaultName(int Index) const {
    if (Index < 0 || Index >= kDefaultNameCount) {
        throw EBVException("Okänt standardnamn: " + std::to_string(Index));
    }
    return FDefaultNames[static_cast<size_t>(Index)];
}

void TDataModuleBuildingData::SetDefaultName(int Index, const std::string& Name) {
    DefaultName(Index);
    FDefaultNames[static_cast<size_t>(Index)] = Name;
}

const std::string& TDataModuleBuildingData::DirectionName(int Direction) const {
    if (Direction < 0 || Direction >= kDirectionCount) {
        throw EBVException("Okänd riktning: " + std::to_string(Direction));
    }
    return FDirectionNames[static_cast<size_t>(Direction)];
}

void TDataModuleBuildingData::SetDirectionNames(const std::array<std::string, kDirectionCount>& Names) {
    FDirectionNames = Names;
    FTableWindows->Refresh();
}

// ===========================================================================
// Default-value look-ups

void TDataModuleBuildingData::WireDefaultLookups() {
    for (const char* Column : {"N50IDNO", "P50IDNO", "INTGAINSDEF", "AIRCHANGEIDNO"}) {
        if (TField* F = FTableBuildings->FindField(Column)) {
            const std::string Name = Column;
            F->SetOnValidate([this, Name](const TField&, const TValue& V) { PrepareDefaults(Name, V); });
        }
    }
}

double TDataModuleBuildingData::LookupDefault(const std::string& Type, int64_t Choice) {
    TQuery& Q = PreDefData().QueryGeneral();
    Q.SetSQL("SELECT DEFVALUE FROM DefaultValues WHERE TYPE = :TYPE AND DEFAULTCHOICESIDNO = :IDNO");
    Q.SetParam(":TYPE", Type);
    Q.SetParam(":IDNO", Choice);
    Q.Open();
    std::optional<double> V;
    std::exception_ptr Failure;
    try {
        if (!Q.IsEmpty() && !Q.FieldByName("DEFVALUE").IsNull()) {
            V = Q.FieldByName("DEFVALUE").AsFloat();
        }
    } catch (...) {
        Failure = std::current_exception();
    }
    Q.Close();
    if (Failure) {
        std::rethrow_exception(Failure);
    }
    if (!V) {
        throw EBVException("Standardvärdet " + Type + " saknas för val " + std::to_string(Choice));
    }
    return *V;
}

// Runs before a choice column takes its new value. Every value the choice
// sets is looked up first: when one is missing the choice is refused with
// that error and nothing changes. Only a change of the choice in a row being
// edited counts: a building being stored (a new row, or the values the row
// already holds) keeps the values it writes.
void TDataModuleBuildingData::PrepareDefaults(const std::string& Column, const TValue& Value) {
    FPendingColumn.clear();
    FPendingDefaults.clear();
    const auto* N = std::get_if<int64_t>(&Value);
    if (FQuiet > 0 || N == nullptr || FTableBuildings->State() != TDatasetState::Edit ||
        FTableBuildings->FieldByName(Column).Value() == Value) {
        return;
    }
    std::vector<std::pair<std::string, TValue>> Effects;
    if (Column == "N50IDNO" && *N >= 0) {
        Effects = {{"N50", LookupDefault("N50", *N)}};
    } else if (Column == "P50IDNO" && *N >= 0) {
        Effects = {{"P50", LookupDefault("P50", *N)}};
    } else if (Column == "INTGAINSDEF" && *N > 0) {
        Effects = {{"INTGAINUNIT", int64_t{1}},
                   {"INTPMETABOLICW", LookupDefault("METINTGAIN", *N)},
                   {"INTPAPPLIANCESW", LookupDefault("APPINTGAIN", *N)},
                   {"INTPLIGHTINGW", 0.0},
                   {"INTPUNDEFW", 0.0}};
    } else if (Column == "AIRCHANGEIDNO" && *N == 6) {
        Effects = {{"VSUPLAREA", LookupDefault("INAIRCHANGE", *N)}, {"VEXLAREA", 0.0}, {"VENTUNIT", int64_t{2}}};
    } else if (Column == "AIRCHANGEIDNO" && *N == 7) {
        Effects = {{"VSUPLAREA", 0.0}, {"VEXLAREA", LookupDefault("OUTAIRCHANGE", *N)}, {"VENTUNIT", int64_t{2}}};
    } else if (Column == "AIRCHANGEIDNO" && *N == 8) {
        const double V = LookupDefault("BALANCEDAIRCHANGE", *N);
        Effects = {{"VSUPLAREA", V}, {"VEXLAREA", V}, {"VENTUNIT", int64_t{2}}};
    }
    FPendingColumn = Column;
    FPendingDefaults = std::move(Effects);
}

void TDataModuleBuildingData::ApplyPendingDefaults(const TField& Field) {
    if (FPendingColumn.empty() || !SameText(Field.FieldName(), FPendingColumn)) {
        return;
    }
    const std::vector<std::pair<std::string, TValue>> Effects = std::move(FPendingDefaults);
    FPendingColumn.clear();
    FPendingDefaults.clear();
    for (const auto& [Column, V] : Effects) {
        FTableBuildings->FieldByName(Column).SetValue(V);
    }
}

// ===========================================================================
// Status, rounds of changes, transactions

void TDataModuleBuildingData::NotifyObservers() {
    if (FQuiet == 0) {
        FNotifier.Notify();
    }
}

void TDataModuleBuildingData::MarkChanged() {
    FCalculated = false;
    FModified = true;
    NotifyObservers();
}

void TDataModuleBuildingData::Round(const std::function<void()>& Body) {
    std::exception_ptr Failure;
    {
        TCounterGuard Quiet(FQuiet);
        try {
            Body();
        } catch (...) {
            Failure = std::current_exception();
        }
    }
    NotifyObservers();
    if (Failure) {
        std::rethrow_exception(Failure);
    }
}

std::vector<TDataset*> TDataModuleBuildingData::AllViews() const {
    std::vector<TDataset*> V = {FTableBuildings.get()};
    for (int K = 0; K < kComponentKindCount; ++K) {
        V.push_back(FComponentViews[static_cast<size_t>(K)].get());
        V.push_back(FLayerViews[static_cast<size_t>(K)].get());
    }
    for (TDataset* T : {FTableWindows.get(), FTableDoors.get(), FTableGrounds.get(), FTableMonths.get(),
                        FTableLayeredComps.get(), FTableLayers.get()}) {
        V.push_back(T);
    }
    return V;
}

void TDataModuleBuildingData::PostPending() {
    for (TDataset* V : AllViews()) {
        V->CheckBrowseMode();
    }
}

void TDataModuleBuildingData::CancelPending() noexcept {
    for (TDataset* V : AllViews()) {
        try {
            if (Editing(*V)) {
                V->Cancel();
            }
        } catch (...) {
            // Cancelling writes nothing; a view that cannot cancel is
            // re-read by the caller.
        }
    }
}

void TDataModuleBuildingData::Atomically(const std::function<void()>& Body, TPending Pending,
                                         const std::vector<TDataset*>& Extra) {
    if (Pending == TPending::Post) {
        PostPending();
    } else {
        CancelPending();
    }
    const bool Calculated = FCalculated;
    const bool Modified = FModified;
    const bool New = FNewBuilding;
    const std::string ID = CurrentBuildingID();
    std::exception_ptr Failure;
    {
        TCounterGuard Quiet(FQuiet);
        try {
            TDatabase::TTransaction Tx(FDb);
            Body();
            Tx.Commit();
        } catch (...) {
            Failure = std::current_exception();
        }
    }
    if (Failure) {
        TCounterGuard Quiet(FQuiet);
        RestoreAfterRollback(ID, Extra);
        FCalculated = Calculated;
        FModified = Modified;
        FNewBuilding = New;
        std::rethrow_exception(Failure);
    }
}

void TDataModuleBuildingData::RestoreAfterRollback(const std::string& BuildingID,
                                                   const std::vector<TDataset*>& Extra) noexcept {
    // The views still hold rows posted inside the rolled-back transaction.
    CancelPending();
    for (TDataset* V : Extra) {
        try {
            if (Editing(*V)) {
                V->Cancel();
            }
        } catch (...) {
        }
    }
    try {
        FTableBuildings->Refresh();
        if (!BuildingID.empty()) {
            FTableBuildings->Locate({"ID"}, {BuildingID});
        }
    } catch (...) {
    }
    try {
        RefreshAllData();
    } catch (...) {
    }
    for (TDataset* V : Extra) {
        try {
            V->Refresh();
        } catch (...) {
        }
    }
}

void TDataModuleBuildingData::RefreshAggregates() {
    FTableLayeredComps->Refresh();
    FTableLayers->Refresh();
    FQueryAllLayersSorted->Refresh();
}

std::string TDataModuleBuildingData::CurrentBuildingID() const {
    if (FTableBuildings->IsEmpty() && FTableBuildings->State() != TDatasetState::Insert) {
        return {};
    }
    return FTableBuildings->FieldByName("ID").AsString();
}

void TDataModuleBuildingData::RequireBuilding() const {
    if (CurrentBuildingID().empty()) {
        throw EBVException("Ingen byggnad är öppen");
    }
}

// ===========================================================================
// Building life cycle

std::string TDataModuleBuildingData::UniqueName(const std::string& Base, TDataset& View) {
    std::vector<std::string> Taken;
    View.CheckBrowseMode();
    const TBookmark Current = View.GetBookmark();
    // Walking the rows must not make the details follow each row.
    View.DisableControls();
    try {
        for (View.First(); !View.Eof(); View.Next()) {
            Taken.push_back(View.FieldByName("ID").AsString());
        }
        View.GotoBookmark(Current);
    } catch (...) {
        View.EnableControls();
        throw;
    }
    View.EnableControls();
    const auto Free = [&](const std::string& Name) {
        return std::none_of(Taken.begin(), Taken.end(), [&](const std::string& T) { return SameText(T, Name); });
    };
    if (Free(Base)) {
        return Base;
    }
    for (size_t N = 1;; ++N) {
        const std::string Name = Base + " (" + std::to_string(N) + ")";
        if (Free(Name)) {
            return Name;
        }
    }
}

std::unique_ptr<TBuilding> TDataModuleBuildingData::CreateBuildingObject(const std::string& ID) {
    auto B = std::make_unique<TBuilding>();
    B->SetBuildingsTable(FTableBuildings.get());
    B->SetOuterWallTable(&ComponentView(ckOuterWall));
    B->SetOuterWallLayerTable(&LayerView(ckOuterWall));
    B->SetInnerWallTable(&ComponentView(ckInnerWall));
    B->SetInnerWallLayerTable(&LayerView(ckInnerWall));
    B->SetRoofTable(&ComponentView(ckRoof));
    B->SetRoofLayerTable(&LayerView(ckRoof));
    B->SetInnerRoofTable(&ComponentView(ckInnerRoof));
    B->SetInnerRoofLayerTable(&LayerView(ckInnerRoof));
    B->SetGroundTable(FTableGrounds.get());
    B->SetGroundFloorTable(&ComponentView(ckGroundFloor));
    B->SetGroundFloorLayerTable(&LayerView(ckGroundFloor));
    B->SetGroundSlabTable(&ComponentView(ckGroundSlab));
    B->SetGroundSlabLayerTable(&LayerView(ckGroundSlab));
    B->SetGroundWallTable(&ComponentView(ckGroundWall));
    B->SetGroundWallLayerTable(&LayerView(ckGroundWall));
    B->SetWindowTable(FTableWindows.get());
    B->SetDoorTable(FTableDoors.get());
    B->SetMonthTable(FTableMonths.get());
    B->Load(ID);
    return B;
}

void TDataModuleBuildingData::ReloadBuildingObjects() {
    const std::string ID = FTableBuildings->FieldByName("ID").AsString();
    FCalcBuilding.reset();
    FSnapshotBuilding.reset();
    FSnapshotRows.reset();
    FCalcBuilding = CreateBuildingObject(ID);
    FSnapshotBuilding = CreateBuildingObject(ID);
    // The point of return, every column of every row as stored: the
    // building objects hold only what the calculation uses.
    FSnapshotRows = std::make_unique<TBuildingRows>(
        ReadBuildingRows(FDb, FTableBuildings->RowId(), FTableBuildings->FieldByName("ID").AsString()));
    FSnapshotID = FTableBuildings->FieldByName("ID").AsString();
}

void TDataModuleBuildingData::LocateBuilding(const std::string& ID) {
    FTableBuildings->Refresh();
    if (!FTableBuildings->Locate({"ID"}, {ID})) {
        throw EBVException("Byggnaden " + ID + " finns inte");
    }
}

void TDataModuleBuildingData::PostAll() {
    std::vector<TDataset*> Order;
    for (int K = 0; K < kComponentKindCount; ++K) {
        Order.push_back(FComponentViews[static_cast<size_t>(K)].get());
    }
    for (int K = 0; K < kComponentKindCount; ++K) {
        Order.push_back(FLayerViews[static_cast<size_t>(K)].get());
    }
    // The windows too: an edit left pending there would otherwise be saved
    // only when something else happens to post it.
    for (TDataset* V : {FTableDoors.get(), FTableWindows.get(), FTableMonths.get(), FTableLayers.get(),
                        FTableGrounds.get(), FTableBuildings.get()}) {
        Order.push_back(V);
    }
    for (TDataset* V : Order) {
        if (V->State() == TDatasetState::Edit) {
            V->Post();
        }
    }
}

void TDataModuleBuildingData::RefreshAllData() {
    FTableBuildings->Refresh();
    for (int K = 0; K < kComponentKindCount; ++K) {
        FComponentViews[static_cast<size_t>(K)]->Refresh();
        FLayerViews[static_cast<size_t>(K)]->Refresh();
    }
    for (TDataset* V : {FTableWindows.get(), FTableDoors.get(), FTableGrounds.get(), FTableMonths.get(),
                        FTableLayeredComps.get(), FTableLayers.get()}) {
        V->Refresh();
    }
    FQueryAllLayersSorted->Refresh();
}

void TDataModuleBuildingData::NewBuilding() {
    Round([&] {
        const std::string Name = UniqueName(DefaultName(dnBuilding), *FTableBuildings);
        int64_t TemplateRow = 0;
        std::string TemplateID;
        {
            TStatement St = FDb.Prepare("SELECT rowid, ID FROM Buildings WHERE ID = ? COLLATE BVNOCASE");
            St.Bind(1, FTemplateName);
            if (!St.Step()) {
                throw EBVException("Byggnaden " + FTemplateName + " finns inte");
            }
            TemplateRow = std::get<int64_t>(St.Column(0));
            TemplateID = std::get<std::string>(St.Column(1));
        }
        // A template that cannot be loaded (a month or its foundation row
        // missing) would give a building that cannot be opened.
        CreateBuildingObject(TemplateID);
        Atomically([&] {
            // Every column of the template's rows, not only those the
            // calculation uses: a foundation keeps the values of the kinds
            // it is not (yet) of.
            InsertBuildingRows(FDb, ReadBuildingRows(FDb, TemplateRow, TemplateID), Name, false);
            LocateBuilding(Name);
        });
        ReloadBuildingObjects();
        FCalculated = FTableBuildings->FieldByName("CALCULATED").AsBoolean();
        FModified = true;
        FNewBuilding = true;
        RefreshAllData();
    });
}

void TDataModuleBuildingData::OpenBuilding(const std::string& Name) {
    Round([&] {
        if (!FTableBuildings->Locate({"ID"}, {Name})) {
            throw EBVException("Byggnaden " + Name + " finns inte");
        }
        ReloadBuildingObjects();
        FCalculated = FTableBuildings->FieldByName("CALCULATED").AsBoolean();
        FModified = false;
        FNewBuilding = false;
        RefreshAllData();
    });
}

void TDataModuleBuildingData::SaveBuilding() {
    RequireBuilding();
    Round([&] {
        const bool Calculated = FCalculated;
        try {
            FTableBuildings->Edit();
            FTableBuildings->FieldByName("CALCULATED").SetBoolean(Calculated);
            PostAll();
        } catch (...) {
            // Unposted edits stay pending, as the user left them; the
            // flag write is no change of the building.
            FCalculated = Calculated;
            throw;
        }
        ReloadBuildingObjects();
        FNewBuilding = false;
        FModified = false;
        FCalculated = Calculated;
        RefreshAllData();
    });
}

bool TDataModuleBuildingData::SaveBuildingAs(const std::string& Name) {
    RequireBuilding();
    if (Name.empty() || CharCount(Name) >= kBuildingNameSize) {
        return false;
    }
    const std::string Current = CurrentBuildingID();
    {
        TStatement St = FDb.Prepare("SELECT 1 FROM Buildings WHERE ID = ? COLLATE BVNOCASE");
        St.Bind(1, Name);
        if (St.Step() && Name != Current) {
            return false;
        }
    }
    const bool WasNew = FNewBuilding;
    if (!WasNew && Name != Current && (!FSnapshotRows || !SameText(FSnapshotID, Current))) {
        // The old name returns to its saved state, which only the snapshot
        // of the building as it was opened knows.
        throw EBVException("Byggnaden " + Current + " är inte den som öppnades");
    }
    Round([&] {
        const bool Calculated = FCalculated;
        Atomically([&] {
            FTableBuildings->Edit();
            FTableBuildings->FieldByName("CALCULATED").SetBoolean(Calculated);
            FTableBuildings->Post();
            const TBuildingRows Edited = ReadBuildingRows(FDb, FTableBuildings->RowId(), Current);
            DeleteBuildingRows();
            if (!WasNew && Name != Current) {
                // The old name keeps the state it was last saved in; a
                // building never saved leaves nothing under its old name.
                InsertBuildingRows(FDb, *FSnapshotRows, FSnapshotID, true);
            }
            InsertBuildingRows(FDb, Edited, Name, Name == Current);
            RefreshAllData();
        });
        FModified = false;
        FNewBuilding = false;
        FCalculated = Calculated;
        OpenBuilding(Name);
    });
    return true;
}

void TDataModuleBuildingData::RevertBuilding() {
    if (FNewBuilding) {
        DeleteBuilding();
        return;
    }
    // The snapshot belongs to the building that was opened; never write it
    // over another one.
    if (!FSnapshotRows || !SameText(CurrentBuildingID(), FSnapshotID)) {
        throw EBVException("Byggnaden " + CurrentBuildingID() + " är inte den som öppnades");
    }
    Round([&] {
        Atomically(
            [&] {
                DeleteBuildingRows();
                InsertBuildingRows(FDb, *FSnapshotRows, FSnapshotID, true);
                LocateBuilding(FSnapshotID);
            },
            TPending::Cancel);
        RefreshAllData();
        FModified = false;
        FNewBuilding = false;
        FCalculated = FTableBuildings->FieldByName("CALCULATED").AsBoolean();
    });
}

void TDataModuleBuildingData::DeleteBuildingRows() {
    TDataset& B = *FTableBuildings;
    CancelPending();
    if (B.IsEmpty()) {
        return;
    }
    const std::string ID = B.FieldByName("ID").AsString();
    const int64_t RowId = B.RowId();
    for (const char* Table : kMemberTables) {
        TStatement St =
            FDb.Prepare(std::string("DELETE FROM ") + Table + " WHERE BUILDING = ? COLLATE " + MemberCollation(ID));
        St.Bind(1, ID);
        St.Execute();
    }
    TStatement St = FDb.Prepare("DELETE FROM Buildings WHERE rowid = ?");
    St.Bind(1, RowId);
    St.Execute();
}

void TDataModuleBuildingData::DeleteBuilding() {
    Round([&] {
        if (FTableBuildings->State() == TDatasetState::Insert) {
            // A building row never posted: nothing is stored to delete, and
            // the row that becomes current is another building's.
            FTableBuildings->Cancel();
        } else {
            Atomically(
                [&] {
                    DeleteBuildingRows();
                    RefreshAllData();
                },
                TPending::Cancel);
        }
        FNewBuilding = false;
    });
}

bool TDataModuleBuildingData::CalculateBuilding() {
    PostAll();
    const std::string ID = FTableBuildings->FieldByName("ID").AsString();
    const bool WasCalculated = FCalculated;
    const bool WasModified = FModified;
    try {
        TCounterGuard Quiet(FQuiet);
        if (!FCalcBuilding) {
            FCalcBuilding = CreateBuildingObject(ID);
        }
        FCalcBuilding->Load(ID);
        FCalcBuilding->Compute();
        FCalcBuilding->Store();
    } catch (const ECalcException& E) {
        FCalculated = WasCalculated;
        FModified = WasModified;
        if (FCalcErrorReport == nullptr) {
            throw;
        }
        const std::string Heading = FMessages.empty() ? std::string(kCalcFailedHeading) : FMessages.front();
        FCalcErrorReport->ShowCalcError(Heading + "\r\n" + E.what());
        return false;
    } catch (...) {
        // Nothing of the calculation was kept (the store is one
        // transaction), so the flags stay as they were.
        FCalculated = WasCalculated;
        FModified = WasModified;
        throw;
    }
    // A building without envelope area is stored without a balance; it is
    // not calculated, whatever its results were before.
    FCalculated = FCalcBuilding->GetCalculated();
    NotifyObservers();
    return true;
}

// ===========================================================================
// Constructions

TDataset& TDataModuleBuildingData::RequireComponent(int Kind) {
    TDataset& Comp = ComponentView(Kind);
    if (Comp.IsEmpty() && Comp.State() != TDatasetState::Insert) {
        throw EBVException(std::string("Byggnaden har ingen konstruktion av typen ") + ComponentTypeName(Kind));
    }
    return Comp;
}

// True when a row of View other than the current one has the ID Name
// (letter case ignored). The current row stays.
bool TDataModuleBuildingData::OtherRowNamed(TDataset& View, const std::string& Name) {
    View.CheckBrowseMode();
    const TBookmark Current = View.GetBookmark();
    bool Found = false;
    View.DisableControls();
    try {
        for (View.First(); !View.Eof() && !Found; View.Next()) {
            Found = View.RowId() != Current.RowId && SameText(View.FieldByName("ID").AsString(), Name);
        }
        View.GotoBookmark(Current);
    } catch (...) {
        View.EnableControls();
        throw;
    }
    View.EnableControls();
    return Found;
}

void TDataModuleBuildingData::NewLayeredComponent(int Kind) {
    CheckKind(Kind);
    RequireBuilding();
    Round([&] {
        TDataset& Comp = ComponentView(Kind);
        const std::string Name = UniqueName(DefaultName(Kind), Comp);
        Atomically([&] {
            Comp.Append();
            Comp.FieldByName("ID").SetString(Name);
            Comp.FieldByName("TYPE").SetString(ComponentTypeName(Kind));
            Comp.FieldByName("NLAYERS").SetInteger(0);
            Comp.FieldByName("AREA").SetFloat(0);
            Comp.Post();
        });
        RefreshAggregates();
    });
}

void TDataModuleBuildingData::TakeComponentFromArchive(int Kind) {
    CheckKind(Kind);
    RequireBuilding();
    const TDataModulePreDefData::TArchiveViews Archive = PreDefData().ArchiveViews(Kind);
    if (Archive.Components.IsEmpty()) {
        throw EBVException(std::string("Arkivet har ingen konstruktion av typen ") + ComponentTypeName(Kind));
    }
    const std::string ArchivedID = Archive.Components.FieldByName("ID").AsString();
    // The archived layers in the order of their positions, numbered anew
    // 1, 2, ... so that a gap or a repeated position copies each layer once.
    std::vector<TLayerValues> Layers;
    {
        const TBookmark Current = Archive.Layers.GetBookmark();
        for (Archive.Layers.First(); !Archive.Layers.Eof(); Archive.Layers.Next()) {
            Layers.push_back(ReadLayerValues(Archive.Layers));
        }
        Archive.Layers.GotoBookmark(Current);
    }
    Round([&] {
        TDataset& Comp = ComponentView(Kind);
        TDataset& LayerRows = LayerView(Kind);
        const std::string Name = UniqueName(ArchivedID, Comp);
        Atomically([&] {
            Comp.Append();
            Comp.FieldByName("ID").SetString(Name);
            Comp.FieldByName("TYPE").SetString(ComponentTypeName(Kind));
            Comp.FieldByName("NLAYERS").SetInteger(static_cast<int64_t>(Layers.size()));
            Comp.FieldByName("AREA").SetFloat(0);
            Comp.Post();
            int64_t Pos = 1;
            for (const TLayerValues& L : Layers) {
                // BUILDING, COMPONENT and TYPE come from the new construction row.
                LayerRows.Append();
                LayerRows.FieldByName("ID").SetValue(L.ID);
                LayerRows.FieldByName("SPECCAP").SetValue(L.SpecCap);
                LayerRows.FieldByName("THERMCOND").SetValue(L.ThermCond);
                LayerRows.FieldByName("DENSITY").SetValue(L.Density);
                LayerRows.FieldByName("DEPTH").SetValue(L.Depth);
                LayerRows.FieldByName("LOCKEDDEPTH").SetBoolean(L.Locked);
                LayerRows.FieldByName("POS").SetInteger(Pos++);
                LayerRows.Post();
            }
            LayerRows.First();
        });
        RefreshAggregates();
    });
}

void TDataModuleBuildingData::DeleteComponentRows(int Kind) {
    TDataset& Comp = ComponentView(Kind);
    TDataset& Layers = LayerView(Kind);
    // Every layer the view shows, whatever its position.
    while (!Layers.IsEmpty()) {
        Layers.First();
        Layers.Delete();
    }
    Comp.Delete();
}

void TDataModuleBuildingData::DeleteLayeredComponent(int Kind) {
    CheckKind(Kind);
    TDataset& Comp = ComponentView(Kind);
    if (Comp.IsEmpty()) {
        return;
    }
    Round([&] {
        Atomically([&] { DeleteComponentRows(Kind); });
        RefreshAggregates();
    });
}

void TDataModuleBuildingData::RenameComponent(int Kind, const std::string& Name) {
    TDataset& Comp = RequireComponent(Kind);
    if (Name.empty()) {
        throw EBVException("En konstruktion måste ha ett namn");
    }
    Comp.CheckBrowseMode();
    const std::string Old = Comp.FieldByName("ID").AsString();
    if (Name == Old) {
        return;
    }
    if (OtherRowNamed(Comp, Name)) {
        throw EBVException("Byggnaden har redan en konstruktion med namnet " + Name);
    }
    Round([&] {
        TDataset& Layers = LayerView(Kind);
        Atomically([&] {
            // The layers move first, row by row as the view shows them;
            // the construction row keeps its place (so that a change of
            // letter case only does not collide with the row's own key),
            // and its layer view then follows it to the new name.
            std::vector<int64_t> LayerRows;
            for (Layers.First(); !Layers.Eof(); Layers.Next()) {
                LayerRows.push_back(Layers.RowId());
            }
            TStatement St = FDb.Prepare("UPDATE Layers SET COMPONENT = ? WHERE rowid = ?");
            for (const int64_t R : LayerRows) {
                St.Bind(1, Name);
                St.Bind(2, R);
                St.Execute();
                St.Reset();
            }
            Comp.Edit();
            Comp.FieldByName("ID").SetString(Name);
            Comp.Post();
            Layers.Refresh();
        });
        RefreshAggregates();
    });
}

bool TDataModuleBuildingData::ComponentExists(const std::string& Building, const std::string& Type,
                                              const std::string& ID) {
    TQuery& Q = *FQueryBV;
    Q.SetSQL("SELECT ID FROM LayeredComponents WHERE ID = :ID COLLATE BINARY AND Building = :BUILDING COLLATE BINARY "
             "AND Type = :TYPE COLLATE BINARY");
    Q.SetParam(":ID", ID);
    Q.SetParam(":BUILDING", Building);
    Q.SetParam(":TYPE", Type);
    Q.Open();
    const bool Found = !Q.IsEmpty();
    Q.Close();
    return Found;
}

bool TDataModuleBuildingData::ArchiveComponent(int Kind, const std::string& Name) {
    RequireComponent(Kind);
    if (Name.empty()) {
        throw EBVException("En arkiverad konstruktion måste ha ett namn");
    }
    const TDataModulePreDefData::TArchiveViews Archive = PreDefData().ArchiveViews(Kind);
    const TBookmark ArchiveRow = Archive.Components.GetBookmark();
    if (Archive.Components.Locate({"ID"}, {Name})) {
        Archive.Components.GotoBookmark(ArchiveRow);
        return false;
    }
    PostPending();
    std::vector<TLayerValues> Layers;
    {
        TDataset& LayerRows = LayerView(Kind);
        const TBookmark Current = LayerRows.GetBookmark();
        for (LayerRows.First(); !LayerRows.Eof(); LayerRows.Next()) {
            Layers.push_back(ReadLayerValues(LayerRows));
        }
        LayerRows.GotoBookmark(Current);
    }
    Atomically(
        [&] {
            Archive.Components.Append();
            Archive.Components.FieldByName("ID").SetString(Name);
            Archive.Components.FieldByName("TYPE").SetString(ComponentTypeName(Kind));
            Archive.Components.FieldByName("NLAYERS").SetInteger(static_cast<int64_t>(Layers.size()));
            Archive.Components.Post();
            // Layers left filed under the name by an earlier entry of it.
            while (!Archive.Layers.IsEmpty()) {
                Archive.Layers.First();
                Archive.Layers.Delete();
            }
            int64_t Pos = 1;
            for (const TLayerValues& L : Layers) {
                // COMPONENT and TYPE come from the archived construction.
                Archive.Layers.Append();
                Archive.Layers.FieldByName("ID").SetValue(L.ID);
                Archive.Layers.FieldByName("SPECCAP").SetValue(L.SpecCap);
                Archive.Layers.FieldByName("THERMCOND").SetValue(L.ThermCond);
                Archive.Layers.FieldByName("DENSITY").SetValue(L.Density);
                Archive.Layers.FieldByName("DEPTH").SetValue(L.Depth);
                Archive.Layers.FieldByName("LOCKEDDEPTH").SetBoolean(L.Locked);
                Archive.Layers.FieldByName("POS").SetInteger(Pos++);
                Archive.Layers.Post();
            }
        },
        TPending::Post, {&Archive.Components, &Archive.Layers});
    // The new entry takes its place in the list; the list stays where it was.
    Archive.Components.Refresh();
    Archive.Components.GotoBookmark(ArchiveRow);
    return true;
}

// ===========================================================================
// Layers

void TDataModuleBuildingData::SetLayerCount(int Kind) {
    TDataset& Comp = ComponentView(Kind);
    Comp.Edit();
    Comp.FieldByName("NLAYERS").SetInteger(LayerView(Kind).RecordCount());
    Comp.Post();
}

// Positions 1, 2, ... in view order; only rows whose position differs are written.
void TDataModuleBuildingData::RenumberLayerRows(TDataset& Layers) {
    int64_t Pos = 1;
    for (Layers.First(); !Layers.Eof(); Layers.Next(), ++Pos) {
        TField& F = Layers.FieldByName("POS");
        if (F.IsNull() || F.AsLargeInt() != Pos) {
            Layers.Edit();
            F.SetInteger(Pos);
            Layers.Post();
        }
    }
}

namespace {

TLayerValues CurrentMaterial(TDataModulePreDefData& PreDef, int Kind) {
    TDataset& Materials = PreDef.ArchiveViews(Kind).Materials;
    if (Materials.IsEmpty()) {
        throw EBVException(std::string("Det finns inget materialskikt för ") + ComponentTypeName(Kind));
    }
    return ReadLayerValues(Materials);
}

void WriteMaterial(TDataset& Layer, const TLayerValues& M, bool WithDepth) {
    Layer.FieldByName("ID").SetValue(M.ID);
    Layer.FieldByName("LOCKEDDEPTH").SetBoolean(M.Locked);
    if (WithDepth) {
        Layer.FieldByName("DEPTH").SetValue(M.Depth);
    }
    Layer.FieldByName("THERMCOND").SetValue(M.ThermCond);
    Layer.FieldByName("SPECCAP").SetValue(M.SpecCap);
    Layer.FieldByName("DENSITY").SetValue(M.Density);
}

int64_t LastPosition(TDataset& Layers) {
    int64_t Last = Layers.RecordCount();
    for (Layers.First(); !Layers.Eof(); Layers.Next()) {
        TField& F = Layers.FieldByName("POS");
        if (!F.IsNull()) {
            Last = std::max(Last, F.AsLargeInt());
        }
    }
    return Last;
}

} // namespace

void TDataModuleBuildingData::AddLayer(int Kind) {
    RequireComponent(Kind);
    const TLayerValues M = CurrentMaterial(PreDefData(), Kind);
    Round([&] {
        TDataset& Layers = LayerView(Kind);
        Atomically([&] {
            // After the last position, also when the positions have gaps.
            const int64_t Pos = LastPosition(Layers) + 1;
            Layers.Append();
            WriteMaterial(Layers, M, true);
            Layers.FieldByName("POS").SetInteger(Pos);
            Layers.Post();
            const TBookmark Added = Layers.GetBookmark();
            SetLayerCount(Kind);
            Layers.GotoBookmark(Added);
        });
        RefreshAggregates();
    });
}

void TDataModuleBuildingData::InsertLayer(int Kind) {
    RequireComponent(Kind);
    const TLayerValues M = CurrentMaterial(PreDefData(), Kind);
    Round([&] {
        TDataset& Layers = LayerView(Kind);
        Atomically([&] {
            const int At = Layers.RecNo();
            RenumberLayerRows(Layers);
            int64_t Pos = 1;
            if (!Layers.IsEmpty()) {
                Layers.SetRecNo(At);
                Pos = Layers.FieldByName("POS").AsLargeInt();
                for (Layers.SetRecNo(At); !Layers.Eof(); Layers.Next()) {
                    Layers.Edit();
                    Layers.FieldByName("POS").SetInteger(Layers.FieldByName("POS").AsLargeInt() + 1);
                    Layers.Post();
                }
                Layers.SetRecNo(At);
            }
            Layers.Insert();
            WriteMaterial(Layers, M, true);
            Layers.FieldByName("POS").SetInteger(Pos);
            Layers.Post();
            const TBookmark Inserted = Layers.GetBookmark();
            SetLayerCount(Kind);
            Layers.GotoBookmark(Inserted);
        });
        RefreshAggregates();
    });
}

void TDataModuleBuildingData::ReplaceLayer(int Kind) {
    RequireComponent(Kind);
    TDataset& Layers = LayerView(Kind);
    if (Layers.IsEmpty()) {
        AddLayer(Kind);
        return;
    }
    const TLayerValues M = CurrentMaterial(PreDefData(), Kind);
    Round([&] {
        Atomically([&] {
            Layers.Edit();
            // An unlocked material leaves the layer its own thickness.
            WriteMaterial(Layers, M, M.Locked);
            Layers.Post();
        });
        RefreshAggregates();
    });
}

void TDataModuleBuildingData::RemoveLayer(int Kind) {
    RequireComponent(Kind);
    TDataset& Layers = LayerView(Kind);
    if (Layers.IsEmpty()) {
        return;
    }
    Round([&] {
        Atomically([&] {
            Layers.Delete();
            const int At = Layers.RecNo();
            // The later layers move up one; positions stay 1..n.
            RenumberLayerRows(Layers);
            SetLayerCount(Kind);
            if (!Layers.IsEmpty()) {
                Layers.SetRecNo(At);
            }
        });
        RefreshAggregates();
    });
}

void TDataModuleBuildingData::RenumberLayers(int Kind) {
    RequireComponent(Kind);
    Round([&] {
        TDataset& Layers = LayerView(Kind);
        Atomically([&] {
            const TBookmark Current = Layers.GetBookmark();
            RenumberLayerRows(Layers);
            SetLayerCount(Kind);
            Layers.GotoBookmark(Current);
        });
        RefreshAggregates();
    });
}

// ===========================================================================
// Windows and doors

void TDataModuleBuildingData::RenameMember(TDataset& View, const std::string& Name, const char* What) {
    if (View.IsEmpty()) {
        throw EBVException(std::string("Byggnaden har ingen ") + What + " att byta namn på");
    }
    if (Name.empty()) {
        throw EBVException(std::string("Namnet får inte vara tomt"));
    }
    View.CheckBrowseMode();
    if (View.FieldByName("ID").AsString() == Name) {
        return;
    }
    if (OtherRowNamed(View, Name)) {
        throw EBVException(std::string("Byggnaden har redan en ") + What + " med namnet " + Name);
    }
    Round([&] {
        Atomically([&] {
            View.Edit();
            View.FieldByName("ID").SetString(Name);
            View.Post();
        });
    });
}

void TDataModuleBuildingData::NewWindow() {
    RequireBuilding();
    Round([&] {
        TDataset& W = *FTableWindows;
        const std::string Name = UniqueName(DefaultName(dnWindow), W);
        Atomically([&] {
            W.Append();
            W.FieldByName("ID").SetString(Name);
            W.FieldByName("UVALUE").SetFloat(2);
            W.FieldByName("GVALUE").SetFloat(0.6);
            W.FieldByName("FRAMEFACTOR").SetFloat(0);
            W.FieldByName("SHADING").SetFloat(0);
            W.FieldByName("AREA").SetFloat(0);
            W.FieldByName("DIRECTION").SetInteger(0);
            W.Post();
        });
    });
}

void TDataModuleBuildingData::TakeWindowFromArchive() {
    RequireBuilding();
    TakeMemberFromArchive(*FTableWindows, &TDataModulePreDefData::TableWindows, "Arkivet har inga fönster",
                          {"UVALUE", "GVALUE", "FRAMEFACTOR", "AREA"}, [](TDataset& W) {
                              W.FieldByName("SHADING").SetFloat(0);
                              W.FieldByName("DIRECTION").SetInteger(0);
                          });
}

void TDataModuleBuildingData::DeleteWindow() { DeleteMember(*FTableWindows); }

void TDataModuleBuildingData::RenameWindow(const std::string& Name) { RenameMember(*FTableWindows, Name, "fönster"); }

bool TDataModuleBuildingData::ArchiveWindow(const std::string& Name) {
    return ArchiveMember(*FTableWindows, &TDataModulePreDefData::TableWindows, Name,
                         "Byggnaden har inget fönster att arkivera", "Ett arkiverat fönster måste ha ett namn",
                         {"UVALUE", "GVALUE", "AREA", "FRAMEFACTOR"});
}

void TDataModuleBuildingData::NewDoor() {
    RequireBuilding();
    Round([&] {
        TDataset& D = *FTableDoors;
        const std::string Name = UniqueName(DefaultName(dnDoor), D);
        Atomically([&] {
            D.Append();
            D.FieldByName("ID").SetString(Name);
            D.FieldByName("UVALUE").SetFloat(0);
            D.FieldByName("AREA").SetFloat(0);
            D.Post();
        });
    });
}

void TDataModuleBuildingData::TakeDoorFromArchive() {
    RequireBuilding();
    TakeMemberFromArchive(*FTableDoors, &TDataModulePreDefData::TableDoors, "Arkivet har inga dörrar",
                          {"UVALUE", "AREA"}, [](TDataset&) {});
}

void TDataModuleBuildingData::DeleteDoor() { DeleteMember(*FTableDoors); }

void TDataModuleBuildingData::RenameDoor(const std::string& Name) { RenameMember(*FTableDoors, Name, "dörr"); }

bool TDataModuleBuildingData::ArchiveDoor(const std::string& Name) {
    return ArchiveMember(*FTableDoors, &TDataModulePreDefData::TableDoors, Name,
                         "Byggnaden har ingen dörr att arkivera", "En arkiverad dörr måste ha ett namn",
                         {"UVALUE", "AREA"});
}

void TDataModuleBuildingData::TakeMemberFromArchive(TDataset& View, TArchiveTable ArchiveTable,
                                                    const char* EmptyArchive,
                                                    std::initializer_list<const char*> Columns,
                                                    const std::function<void(TDataset&)>& SetRest) {
    TDataset& Archive = (PreDefData().*ArchiveTable)();
    if (Archive.IsEmpty()) {
        throw EBVException(EmptyArchive);
    }
    Round([&] {
        const std::string Name = UniqueName(Archive.FieldByName("ID").AsString(), View);
        Atomically([&] {
            View.Append();
            View.FieldByName("ID").SetString(Name);
            for (const char* Column : Columns) {
                View.FieldByName(Column).SetValue(Archive.FieldByName(Column).Value());
            }
            SetRest(View);
            View.Post();
        });
    });
}

void TDataModuleBuildingData::DeleteMember(TDataset& View) {
    if (View.IsEmpty()) {
        return;
    }
    Round([&] { Atomically([&] { View.Delete(); }); });
}

bool TDataModuleBuildingData::ArchiveMember(TDataset& View, TArchiveTable ArchiveTable, const std::string& Name,
                                            const char* NothingToArchive, const char* NoName,
                                            std::initializer_list<const char*> Columns) {
    if (View.IsEmpty()) {
        throw EBVException(NothingToArchive);
    }
    if (Name.empty()) {
        throw EBVException(NoName);
    }
    TDataset& Archive = (PreDefData().*ArchiveTable)();
    const TBookmark ArchiveRow = Archive.GetBookmark();
    if (Archive.Locate({"ID"}, {Name})) {
        Archive.GotoBookmark(ArchiveRow);
        return false;
    }
    Atomically(
        [&] {
            Archive.Append();
            for (const char* Column : Columns) {
                Archive.FieldByName(Column).SetValue(View.FieldByName(Column).Value());
            }
            Archive.FieldByName("ID").SetString(Name);
            Archive.Post();
        },
        TPending::Post, {&Archive});
    Archive.Refresh();
    Archive.GotoBookmark(ArchiveRow);
    return true;
}

// ===========================================================================
// Climate, foundation kind, soil

void TDataModuleBuildingData::ApplyClimateProfile() {
    RequireBuilding();
    TDataset& B = *FTableBuildings;
    const std::string WeatherID = B.FieldByName("WEATHERID").AsString();
    TDataModulePreDefData& PreDef = PreDefData();
    TDataset& Profiles = PreDef.TableClimateProfiles();
    TDataset& ProfileMonths = PreDef.TableClimateMonths();
    if (WeatherID.empty() || !Profiles.Locate({"ID"}, {WeatherID}, TLocateOptions{true})) {
        throw EBVException("Klimatprofilen \"" + WeatherID + "\" finns inte");
    }
    // Both sides must have all twelve months before anything is copied.
    static const char* const Columns[] = {"DAYS", "TEMP", "RADNORTH", "RADSOUTH", "RADWEST", "RADEAST", "RADHOR"};
    std::vector<std::vector<TValue>> Months;
    for (int64_t M = 1; M <= 12; ++M) {
        if (!ProfileMonths.Locate({"MONTH"}, {M})) {
            throw EBVException("Klimatprofilen \"" + WeatherID + "\" saknar månad " + std::to_string(M));
        }
        std::vector<TValue> Row;
        for (const char* C : Columns) {
            Row.push_back(ProfileMonths.FieldByName(C).Value());
        }
        Months.push_back(std::move(Row));
    }
    ProfileMonths.First();
    TDataset& Own = *FTableMonths;
    Own.CheckBrowseMode();
    for (int64_t M = 1; M <= 12; ++M) {
        if (!Own.Locate({"MONTH"}, {M})) {
            throw EBVException("Byggnaden " + CurrentBuildingID() + " saknar månad " + std::to_string(M));
        }
    }
    const TValue Info = Profiles.FieldByName("INFO").Value();
    Round([&] {
        // The months only: the building row may hold the user's pending
        // choice of the profile, which stays as it is.
        const TBookmark OwnRow = Own.GetBookmark();
        std::exception_ptr Failure;
        {
            TDatabase::TTransaction Tx(FDb);
            try {
                for (int64_t M = 1; M <= 12; ++M) {
                    Own.Locate({"MONTH"}, {M});
                    Own.Edit();
                    for (size_t C = 0; C < std::size(Columns); ++C) {
                        Own.FieldByName(Columns[C]).SetValue(Months[static_cast<size_t>(M - 1)][C]);
                    }
                    Own.Post();
                }
                Tx.Commit();
            } catch (...) {
                Failure = std::current_exception();
            }
        }
        if (Failure) {
            try {
                if (Editing(Own)) {
                    Own.Cancel();
                }
                Own.Refresh();
            } catch (...) {
            }
            std::rethrow_exception(Failure);
        }
        Own.GotoBookmark(OwnRow);
        if (B.FieldByName("WEATHERINFO").Value() != Info) {
            B.Edit();
            B.FieldByName("WEATHERINFO").SetValue(Info);
        }
    });
}

void TDataModuleBuildingData::SetGroundTypeData(int Kind) {
    const std::string Key = GroundTypeKey(Kind);
    RequireBuilding();
    Round([&] {
        Atomically([&] {
            for (int K : {ckGroundFloor, ckGroundWall, ckGroundSlab}) {
                TDataset& Comp = ComponentView(K);
                while (!Comp.IsEmpty()) {
                    Comp.First();
                    DeleteComponentRows(K);
                }
            }
            TDataset& G = *FTableGrounds;
            if (G.IsEmpty()) {
                G.Append();
            } else {
                G.Edit();
            }
            for (const char* C : {"WALLHEIGHT", "WALLDEPTH", "UWALL", "UVALUE", "ISOCOND", "VENTILATIONAREA",
                                  "ISOWIDTH", "ISOLENGTH"}) {
                G.FieldByName(C).SetFloat(0);
            }
            G.FieldByName("TYPE").SetString(Key);
            std::vector<const char*> Lists;
            if (Kind == FinlandVertical1) {
                Lists = {"SPECIALVAR1", "SPECIALVAR2"};
            } else if (Kind == FinlandVertical2 || Kind == FinlandSuspended1) {
                Lists = {"SPECIALVAR1"};
            } else if (Kind == FinlandHeatedCellar1) {
                Lists = {"SPECIALVAR1", "SPECIALVAR2", "SPECIALVAR3"};
            }
            for (const char* C : Lists) {
                G.FieldByName(C).SetInteger(0);
            }
            G.Post();
        });
        RefreshAggregates();
        MarkChanged();
    });
}

void TDataModuleBuildingData::ApplySoil() {
    RequireBuilding();
    TDataset& G = *FTableGrounds;
    if (G.IsEmpty()) {
        throw EBVException("Byggnaden " + CurrentBuildingID() + " saknar husgrund");
    }
    const std::string Soil = G.FieldByName("SOILNAME").AsString();
    TDataset& Soils = PreDefData().TableSoils();
    if (Soil.empty() || !Soils.Locate({"ID"}, {Soil})) {
        throw EBVException("Marktypen \"" + Soil + "\" finns inte");
    }
    const TValue Cond = Soils.FieldByName("THERMCOND").Value();
    Round([&] {
        Atomically([&] {
            G.Edit();
            G.FieldByName("GROUNDTHERMCOND").SetValue(Cond);
            G.Post();
        });
    });
}
