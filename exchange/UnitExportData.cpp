#include "exchange/UnitExportData.h"

#include <initializer_list>

TDataModuleExportBuilding::TDataModuleExportBuilding(TDatabase& Db)
    : FDb(Db), TableBuildings(Db, "Buildings"), TableGrounds(Db, "Grounds"),
      TableLayeredComponents(Db, "LayeredComponents"), TableLayers(Db, "Layers"),
      TableMonths(Db, "Months"), TableWindows(Db, "Windows"), TableDoors(Db, "Doors") {
    // Rows in the order they were stored; SQLite promises no order without
    // one, and a file should list members as the database holds them.
    for (TDataset* D : {&TableBuildings, &TableGrounds, &TableLayeredComponents, &TableLayers,
                        &TableMonths, &TableWindows, &TableDoors})
        D->SetOrderBy("rowid");
    for (TDataset* D : {&TableGrounds, &TableLayeredComponents, &TableLayers, &TableMonths,
                        &TableWindows, &TableDoors})
        D->SetMaster(&TableBuildings, {{"BUILDING", "ID"}});
    TableBuildings.Open();
    for (TDataset* D : {&TableGrounds, &TableLayeredComponents, &TableLayers, &TableMonths,
                        &TableWindows, &TableDoors})
        D->Open();
}

void TDataModuleExportBuilding::CancelEdits() {
    for (TDataset* D : {&TableBuildings, &TableGrounds, &TableLayeredComponents, &TableLayers,
                        &TableMonths, &TableWindows, &TableDoors})
        if (D->State() == TDatasetState::Edit || D->State() == TDatasetState::Insert)
            D->Cancel();
}

void TDataModuleExportBuilding::RefreshAll() {
    CancelEdits();
    TableBuildings.Refresh(); // the details follow their master
}

bool TDataModuleExportBuilding::LocateBuilding(const std::string& ID) {
    return TableBuildings.Locate({"ID"}, {ID});
}

void TDataModuleExportBuilding::DeleteCurrentBuilding() {
    if (TableBuildings.IsEmpty())
        return;
    try {
        TDatabase::TTransaction Tx(FDb);
        for (TDataset* D : {&TableLayers, &TableLayeredComponents, &TableMonths, &TableGrounds,
                            &TableDoors, &TableWindows}) {
            D->First();
            while (!D->IsEmpty())
                D->Delete();
        }
        TableBuildings.Delete();
        Tx.Commit();
    } catch (...) {
        RefreshAll(); // the views still miss what the rollback restored
        throw;
    }
}
