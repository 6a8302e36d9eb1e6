#include "data/UnitBuildingData.h"

#include "data/db/Database.h"

#include <utility>

namespace {

const char* const kComponentTypes[kComponentKindCount] = {
    "OuterWall", "InnerWall", "Roof", "InnerRoof", "GroundFloor", "GroundSlab", "GroundWall",
};

// Heading of the calculation-failure message until a language is applied.
const char* const kCalcFailedHeading = "Beräkningen kunde inte genomföras";

void CheckKind(int Kind) {
    if (Kind < 0 || Kind >= kComponentKindCount) {
        throw EBVException("Okänd konstruktionstyp: " + std::to_string(Kind));
    }
}

// Sum of four columns of the current row; NULL counts as 0, as in an empty
// input field.
double SumOf(TDataset& T, const char* A, const char* B, const char* C, const char* D) {
    double S = 0;
    for (const char* Name : {A, B, C, D}) {
        TField& F = T.FieldByName(Name);
        if (!F.IsNull()) {
            S += F.AsFloat();
        }
    }
    return S;
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

} // namespace

const char* ComponentTypeName(int Kind) {
    CheckKind(Kind);
    return kComponentTypes[Kind];
}

TDataModuleBuildingData::TDataModuleBuildingData(TDatabase& Db) : FDb(Db), FMessages{kCalcFailedHeading} {
    FTableBuildings = MakeView("Buildings");
    FTableBuildings->SetOrderBy("ID");
    FTableBuildings->AddCalculatedField("INTPOWER", TFieldType::Double);
    FTableBuildings->AddCalculatedField("INTPOWERW", TFieldType::Double);
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
    FTableDoors = MakeView("Doors");
    FTableDoors->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableGrounds = MakeView("Grounds");
    FTableGrounds->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableMonths = MakeView("Months");
    FTableMonths->SetOrderBy("MONTH");
    FTableMonths->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableLayeredComps = MakeView("LayeredComponents");
    FTableLayeredComps->SetMaster(FTableBuildings.get(), ByBuilding);
    FTableLayers = MakeView("Layers");
    FTableLayers->SetMaster(FTableBuildings.get(), ByBuilding);

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
    // What the windows show of the building changes with its current row.
    FTableBuildings->AddListener([this](TDataset&, TDatasetEvent E, TField*) {
        if (E == TDatasetEvent::Scroll || E == TDatasetEvent::Refresh || E == TDatasetEvent::FieldChange) {
            NotifyObservers();
        }
    });
}

TDataModuleBuildingData::~TDataModuleBuildingData() = default;

std::unique_ptr<TDataset> TDataModuleBuildingData::MakeView(const std::string& Table) {
    return std::make_unique<TDataset>(FDb, Table);
}

void TDataModuleBuildingData::WireChangeTracking(TDataset& View) {
    View.AddListener([this](TDataset& T, TDatasetEvent E, TField*) {
        if ((E == TDatasetEvent::StateChange &&
             (T.State() == TDatasetState::Edit || T.State() == TDatasetState::Insert)) ||
            E == TDatasetEvent::AfterDelete) {
            MarkChanged();
        }
    });
}

void TDataModuleBuildingData::CalcBuildingFields(TDataset& B) {
    B.FieldByName("INTPOWER").SetFloat(SumOf(B, "INTPMETABOLIC", "INTPAPPLIANCES", "INTPLIGHTING", "INTPUNDEF"));
    B.FieldByName("INTPOWERW").SetFloat(
        SumOf(B, "INTPMETABOLICW", "INTPAPPLIANCESW", "INTPLIGHTINGW", "INTPUNDEFW"));
}

TDataset& TDataModuleBuildingData::ComponentView(int Kind) {
    CheckKind(Kind);
    return *FComponentViews[static_cast<size_t>(Kind)];
}

TDataset& TDataModuleBuildingData::LayerView(int Kind) {
    CheckKind(Kind);
    return *FLayerViews[static_cast<size_t>(Kind)];
}

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
    FCalcBuilding = CreateBuildingObject(ID);
    FSnapshotBuilding = CreateBuildingObject(ID);
}

void TDataModuleBuildingData::PostAll() {
    std::vector<TDataset*> Order;
    for (int K = 0; K < kComponentKindCount; ++K) {
        Order.push_back(FComponentViews[static_cast<size_t>(K)].get());
    }
    for (int K = 0; K < kComponentKindCount; ++K) {
        Order.push_back(FLayerViews[static_cast<size_t>(K)].get());
    }
    for (TDataset* V : {FTableDoors.get(), FTableMonths.get(), FTableLayers.get(), FTableGrounds.get(),
                        FTableBuildings.get()}) {
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
}

void TDataModuleBuildingData::OpenBuilding(const std::string& Name) {
    if (!FTableBuildings->Locate({"ID"}, {Name})) {
        throw EBVException("Byggnaden " + Name + " finns inte");
    }
    ReloadBuildingObjects();
    FCalculated = FTableBuildings->FieldByName("CALCULATED").AsBoolean();
    FModified = false;
    FNewBuilding = false;
    RefreshAllData();
    NotifyObservers();
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
