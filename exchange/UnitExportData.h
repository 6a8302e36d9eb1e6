// The export data module: one view per building table over a connection,
// the member tables as details of Buildings, so that each shows only the
// rows of the current building. The exchange records read and write the
// current rows of these views.
#pragma once

#include "db/Database.h"
#include "db/Dataset.h"

#include <cstdint>
#include <optional>
#include <string>

// The building whose ID equals ID with letter case ignored (the first in
// table order when several do): its ID as stored and its rowid. The one
// look-up of a building by name that the import and the command-line tool
// use.
struct TFoundBuilding {
    std::string ID;
    int64_t RowId = 0;
};
std::optional<TFoundBuilding> FindBuilding(TDatabase& Db, const std::string& ID);

// The first of "ID (1)", "ID (2)", ... that no building has, case ignored.
std::string FirstFreeBuildingID(TDatabase& Db, const std::string& ID);

class TDataModuleExportBuilding {
public:
    // Opens the seven views on Db, which must outlive the module.
    explicit TDataModuleExportBuilding(TDatabase& Db);
    TDataModuleExportBuilding(const TDataModuleExportBuilding&) = delete;
    TDataModuleExportBuilding& operator=(const TDataModuleExportBuilding&) = delete;

    TDatabase& Database() const { return FDb; }

    // Re-reads all seven views, discarding an unposted edit.
    void RefreshAll();
    // Discards unposted edits and appends of all seven views.
    void CancelEdits();
    // Makes the building with this ID (letter case ignored) the current row;
    // false when there is none.
    bool LocateBuilding(const std::string& ID);
    // Deletes the current building: its layers, constructions, months,
    // foundation, doors and windows, then its own row, in one transaction.
    // On failure nothing is deleted and the views are re-read.
    void DeleteCurrentBuilding();

private:
    TDatabase& FDb;

public:
    TDataset TableBuildings;
    TDataset TableGrounds;
    TDataset TableLayeredComponents;
    TDataset TableLayers;
    TDataset TableMonths;
    TDataset TableWindows;
    TDataset TableDoors;
};
