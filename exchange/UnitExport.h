// Exporting buildings to an exchange file, and the choice of buildings the
// export dialog offers (also used for materials).
#pragma once

#include "db/Dataset.h"
#include "exchange/UnitExportData.h"

#include <string>
#include <vector>

// The export dialog's two lists: one selection flag per row of a view, the
// names of the unselected rows in the available list and those of the
// selected rows in the selected list, both in the view's order. Each list
// entry stands for its own row, so that of two names differing only in
// letter case the one chosen is the one written.
class TExportSelection {
public:
    // Table is the view to choose from (it must outlive the selection);
    // KeyColumn the column whose text the lists show.
    explicit TExportSelection(TDataset& Table, std::string KeyColumn = "ID");

    // One flag per row of the view as it stands now, all clear. Call after
    // re-reading the view, as opening the dialog does.
    void Reset();

    const std::vector<std::string>& Available() const { return FAvailable; }
    const std::vector<std::string>& Selected() const { return FSelected; }

    // Selects the row of entry Index (0-based) of the available list, or
    // unselects that of the selected list; an index outside its list does
    // nothing.
    void Add(int Index);
    void Remove(int Index);
    void AddAll();
    void RemoveAll();

    // The 1-based record numbers of the selected rows, in the order of the
    // selected list.
    std::vector<int> SelectedRows() const;

private:
    void Rebuild();
    TDataset& FTable;
    std::string FKey;
    std::vector<std::string> FNames; // per row
    std::vector<bool> FFlags;        // per row
    std::vector<std::string> FAvailable;
    std::vector<std::string> FSelected;
    std::vector<int> FAvailableRows; // row index per available entry
    std::vector<int> FSelectedRows;
};

// Writes an exchange file with the buildings on these rows of
// M.TableBuildings (1-based record numbers), in this order. The file is
// written whole through a temporary file or, on any failure, not at all;
// an existing file is replaced. Raises EExchangeError (a row that is not
// there, a building that cannot be exported), EStreamError, EFileError or
// EDatabaseError.
void ExportBuildingRows(TDataModuleExportBuilding& M, const std::vector<int>& RecNos, const std::string& Path);

// The same for buildings named by ID, letter case ignored (the first in
// table order when several match). A building named twice is written once.
// An ID that no building has raises EExchangeError naming it, before
// anything is written. Returns the IDs written, as the database holds them.
std::vector<std::string> ExportBuildings(TDataModuleExportBuilding& M, const std::vector<std::string>& IDs,
                                         const std::string& Path);
