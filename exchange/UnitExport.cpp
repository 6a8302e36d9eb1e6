#include "exchange/UnitExport.h"

#include "exchange/UnitBuildingFile.h"
#include "exchange/UnitExportImport.h"

#include <algorithm>
#include <limits>

TExportSelection::TExportSelection(TDataset& Table, std::string KeyColumn)
    : FTable(Table), FKey(std::move(KeyColumn)) {}

void TExportSelection::Reset() {
    FNames.clear();
    // The names are read once: walking the view row by row whenever a list
    // changes would make every detail view follow each row.
    const TBookmark Here = FTable.GetBookmark();
    FTable.DisableControls();
    try {
        TField& Key = FTable.FieldByName(FKey);
        for (FTable.First(); !FTable.Eof(); FTable.Next())
            FNames.push_back(Key.AsString());
        FTable.GotoBookmark(Here);
    } catch (...) {
        FTable.EnableControls();
        throw;
    }
    FTable.EnableControls();
    FFlags.assign(FNames.size(), false);
    Rebuild();
}

void TExportSelection::Rebuild() {
    FAvailable.clear();
    FSelected.clear();
    FAvailableRows.clear();
    FSelectedRows.clear();
    for (size_t I = 0; I < FNames.size(); ++I) {
        if (FFlags[I]) {
            FSelected.push_back(FNames[I]);
            FSelectedRows.push_back(static_cast<int>(I));
        } else {
            FAvailable.push_back(FNames[I]);
            FAvailableRows.push_back(static_cast<int>(I));
        }
    }
}

void TExportSelection::Add(int Index) {
    if (Index < 0 || static_cast<size_t>(Index) >= FAvailableRows.size())
        return;
    FFlags[static_cast<size_t>(FAvailableRows[static_cast<size_t>(Index)])] = true;
    Rebuild();
}

void TExportSelection::Remove(int Index) {
    if (Index < 0 || static_cast<size_t>(Index) >= FSelectedRows.size())
        return;
    FFlags[static_cast<size_t>(FSelectedRows[static_cast<size_t>(Index)])] = false;
    Rebuild();
}

void TExportSelection::AddAll() {
    std::fill(FFlags.begin(), FFlags.end(), true);
    Rebuild();
}

void TExportSelection::RemoveAll() {
    std::fill(FFlags.begin(), FFlags.end(), false);
    Rebuild();
}

std::vector<int> TExportSelection::SelectedRows() const {
    std::vector<int> R;
    for (const int I : FSelectedRows)
        R.push_back(I + 1);
    return R;
}

void ExportBuildingRows(TDataModuleExportBuilding& M, const std::vector<int>& RecNos, const std::string& Path) {
    if (RecNos.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw EExchangeError("Too many buildings for one file");
    TBuildingFileWriter Writer(static_cast<int32_t>(RecNos.size()));
    TDataset& T = M.TableBuildings;
    for (const int N : RecNos) {
        if (N < 1 || N > T.RecordCount())
            throw EExchangeError("There is no building at row " + std::to_string(N));
        T.SetRecNo(N); // the member views follow
        TExpBuilding2 Building;
        Building.LoadFromDatabase(M);
        Writer.Add(Building);
    }
    Writer.Save(Path);
}

std::vector<std::string> ExportBuildings(TDataModuleExportBuilding& M, const std::vector<std::string>& IDs,
                                         const std::string& Path) {
    M.RefreshAll();
    std::vector<int> RecNos;
    std::vector<std::string> Written;
    // Only the rows are looked up here; the member views follow each
    // building once, when it is written.
    M.TableBuildings.DisableControls();
    try {
        for (const std::string& ID : IDs) {
            if (!M.LocateBuilding(ID))
                throw EExchangeError("There is no building " + ID);
            const int N = M.TableBuildings.RecNo();
            if (std::find(RecNos.begin(), RecNos.end(), N) == RecNos.end()) {
                RecNos.push_back(N);
                Written.push_back(M.TableBuildings.FieldByName("ID").AsString());
            }
        }
    } catch (...) {
        M.TableBuildings.EnableControls();
        throw;
    }
    M.TableBuildings.EnableControls();
    ExportBuildingRows(M, RecNos, Path);
    return Written;
}
