#include "exchange/UnitExportData.h"

#include "exchange/TextCodec.h"

#include <initializer_list>

std::optional<TFoundBuilding> FindBuilding(TDatabase& Db, const std::string& ID) {
    // Names compare as the look-ups of the views do. For ASCII names the
    // column's own NOCASE is the same comparison (no other letter folds to
    // an ASCII one) and can use the key's index.
    TStatement St = Db.Prepare(IsAscii(ID) ? "SELECT ID, rowid FROM Buildings WHERE ID = ?1 ORDER BY rowid LIMIT 1"
                                           : "SELECT ID, rowid FROM Buildings WHERE ID = ?1 COLLATE BVNOCASE "
                                             "ORDER BY rowid LIMIT 1");
    St.Bind(1, ID);
    if (!St.Step())
        return std::nullopt;
    const TValue Name = St.Column(0);
    const TValue RowId = St.Column(1);
    TFoundBuilding F;
    if (const auto* S = std::get_if<std::string>(&Name))
        F.ID = *S;
    F.RowId = std::get<int64_t>(RowId);
    return F;
}

std::string FirstFreeBuildingID(TDatabase& Db, const std::string& ID) {
    for (int K = 1;; ++K) {
        std::string Candidate = ID + " (" + std::to_string(K) + ")";
        if (!FindBuilding(Db, Candidate))
            return Candidate;
    }
}

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
