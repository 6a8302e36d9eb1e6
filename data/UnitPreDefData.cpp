#include "data/UnitPreDefData.h"

#include <exception>
#include <stdexcept>

namespace {

const char* const KindTypes[TDataModulePreDefData::KindCount] = {
    "OuterWall", "InnerWall", "Roof", "InnerRoof", "GroundFloor", "GroundSlab", "GroundWall",
};
const char* const KindColumns[TDataModulePreDefData::KindCount] = {
    "OUTERWALL", "INNERWALL", "ROOF", "INNERROOF", "GROUNDFLOOR", "GROUNDSLAB", "GROUNDWALL",
};

std::unique_ptr<TDataset> View(TDatabase& Db, const char* Table, const char* OrderBy) {
    auto V = std::make_unique<TDataset>(Db, Table);
    if (OrderBy != nullptr) {
        V->SetOrderBy(OrderBy);
    }
    return V;
}

std::unique_ptr<TDataset> ChoiceList(TDatabase& Db, const char* List) {
    auto V = View(Db, "DefaultValueChoises", "IDNO");
    V->SetFilter("TYPE IN (?, ?)", {std::string(List), std::string("OWNDEF")});
    return V;
}

} // namespace

void TDataModulePreDefData::CheckKind(int Kind) {
    if (Kind < 0 || Kind >= KindCount) {
        throw std::out_of_range("No construction kind " + std::to_string(Kind));
    }
}

const char* TDataModulePreDefData::KindType(int Kind) {
    CheckKind(Kind);
    return KindTypes[Kind];
}

const char* TDataModulePreDefData::KindMaterialColumn(int Kind) {
    CheckKind(Kind);
    return KindColumns[Kind];
}

TDataModulePreDefData::TDataModulePreDefData(TDatabase& Db) : FDb(Db) {
    for (int K = 0; K < KindCount; ++K) {
        FComponents[K] = View(Db, "LayeredComponentsPreDef", "ID");
        FComponents[K]->SetFilter("TYPE = ? COLLATE BVNOCASE", {std::string(KindTypes[K])});
        FUsedLayers[K] = View(Db, "LayersPreDefUsed", "POS");
        FUsedLayers[K]->SetMaster(FComponents[K].get(), {{"COMPONENT", "ID"}, {"TYPE", "TYPE"}});
        // Booleans follow the layer's reading rule ('Y', 'yes', 1, ...).
        FMaterials[K] = View(Db, "LayersPreDef", "ID");
        FMaterials[K]->SetFilter(std::string("BV_TRUE(") + KindColumns[K] + ")");
    }
    FTableSoils = View(Db, "LayersPreDef", "ID");
    FTableSoils->SetFilter("BV_TRUE(SOIL)");
    FTableWindows = View(Db, "WindowsPreDef", "ID");
    FTableDoors = View(Db, "DoorsPreDef", "ID");
    FTableGrounds = View(Db, "GroundsPreDef", "ID");
    FTableClimateProfiles = View(Db, "PreDefClimate", "ID");
    FTableClimateMonths = View(Db, "PreDefMonths", "MONTH");
    FTableClimateMonths->SetMaster(FTableClimateProfiles.get(), {{"ID", "ID"}});
    FTableLayeredComps = View(Db, "LayeredComponentsPreDef", "ID");
    FTableLayers = View(Db, "LayersPreDef", nullptr);
    FTableP50 = View(Db, "P50", "IDNO");
    FTableN50 = View(Db, "N50", "IDNO");
    FTableP50PreDef = ChoiceList(Db, "P50");
    FTableN50PreDef = ChoiceList(Db, "N50");
    FTableAirChangePreDef = ChoiceList(Db, "AIRCHANGE");
    FTableIntGainsPreDef = ChoiceList(Db, "INTGAINS");
    FQueryGeneral = std::make_unique<TQuery>(Db);

    for (int K = 0; K < KindCount; ++K) {
        FComponents[K]->Open();
        FUsedLayers[K]->Open();
        FMaterials[K]->Open();
    }
    for (TDataset* V : {FTableSoils.get(), FTableWindows.get(), FTableDoors.get(), FTableGrounds.get(),
                        FTableClimateProfiles.get(), FTableClimateMonths.get(), FTableLayeredComps.get(),
                        FTableLayers.get(), FTableP50.get(), FTableN50.get(), FTableP50PreDef.get(),
                        FTableN50PreDef.get(), FTableAirChangePreDef.get(), FTableIntGainsPreDef.get()}) {
        V->Open();
    }
}

TDataModulePreDefData::TArchiveViews TDataModulePreDefData::ArchiveViews(int Kind) {
    CheckKind(Kind);
    return {*FComponents[Kind], *FUsedLayers[Kind], *FMaterials[Kind]};
}

bool TDataModulePreDefData::DeleteCurrent(TDataset& View) {
    if (View.IsEmpty()) {
        return false;
    }
    View.Delete();
    return true;
}

bool TDataModulePreDefData::DeleteArchivedWindow() { return DeleteCurrent(*FTableWindows); }

bool TDataModulePreDefData::DeleteArchivedWindow(const std::string& Name) {
    return FTableWindows->Locate({"ID"}, {Name}) && DeleteCurrent(*FTableWindows);
}

bool TDataModulePreDefData::DeleteArchivedDoor() { return DeleteCurrent(*FTableDoors); }

bool TDataModulePreDefData::DeleteArchivedDoor(const std::string& Name) {
    return FTableDoors->Locate({"ID"}, {Name}) && DeleteCurrent(*FTableDoors);
}

bool TDataModulePreDefData::DeleteArchivedComponent(int Kind) {
    CheckKind(Kind);
    TDataset& Components = *FComponents[Kind];
    TDataset& Layers = *FUsedLayers[Kind];
    if (Components.IsEmpty()) {
        return false;
    }
    std::exception_ptr Failure;
    {
        TDatabase::TTransaction Tx(FDb);
        try {
            while (!Layers.IsEmpty()) {
                Layers.First();
                Layers.Delete();
            }
            Components.Delete();
            Tx.Commit();
        } catch (...) {
            Failure = std::current_exception();
        }
    }
    if (Failure) {
        // Rolled back: the views must not show rows as deleted that are not.
        try {
            Components.Refresh();
            Layers.Refresh();
        } catch (...) {
        }
        std::rethrow_exception(Failure);
    }
    return true;
}

bool TDataModulePreDefData::DeleteArchivedComponent(int Kind, const std::string& Name) {
    CheckKind(Kind);
    return FComponents[Kind]->Locate({"ID"}, {Name}) && DeleteArchivedComponent(Kind);
}
