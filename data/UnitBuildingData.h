// The building data module: the views of the current building that every
// window edits through, the building objects of the current building, the
// calculation, and the status flags with their notification.
//
// The current building is the current row of TableBuildings. Every other
// view is restricted to it: the construction views to one TYPE each, the
// layer views to the current row of their construction view, windows, doors,
// the foundation row and the months to the building.
#pragma once

#include "data/UnitObserver.h"
#include "data/db/Dataset.h"
#include "model/UnitConstructionObjects.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TDatabase;

// The one subject of the system: the building data module's status.
class TStatusNotifier : public TSubject {};

// Shows a calculation failure to the user (a message box in the desktop
// application, stderr in the command-line tool). Text is the heading, CR LF,
// and the failure's message.
class ICalcErrorReport {
public:
    virtual ~ICalcErrorReport() = default;
    virtual void ShowCalcError(const std::string& Text) = 0;
};

// Construction kinds as the operations take them, with their TYPE values.
enum TComponentKind : uint8_t {
    ckOuterWall = 0,
    ckInnerWall,
    ckRoof,
    ckInnerRoof,
    ckGroundFloor,
    ckGroundSlab,
    ckGroundWall,
};
constexpr int kComponentKindCount = 7;
// "OuterWall", "InnerWall", ...; raises EBVException outside 0..6.
const char* ComponentTypeName(int Kind);

class TDataModuleBuildingData {
public:
    // Opens every view on Db, which must outlive the module. No building is
    // open yet: TableBuildings shows its first row.
    explicit TDataModuleBuildingData(TDatabase& Db);
    TDataModuleBuildingData(const TDataModuleBuildingData&) = delete;
    TDataModuleBuildingData& operator=(const TDataModuleBuildingData&) = delete;
    ~TDataModuleBuildingData();

    TDatabase& Database() const { return FDb; }

    // Views of the current building.
    TDataset& TableBuildings() { return *FTableBuildings; }
    TDataset& TableOuterWalls() { return ComponentView(ckOuterWall); }
    TDataset& TableInnerWalls() { return ComponentView(ckInnerWall); }
    TDataset& TableRoofs() { return ComponentView(ckRoof); }
    TDataset& TableInnerRoofs() { return ComponentView(ckInnerRoof); }
    TDataset& TableGroundFloors() { return ComponentView(ckGroundFloor); }
    TDataset& TableGroundSlabs() { return ComponentView(ckGroundSlab); }
    TDataset& TableGroundWalls() { return ComponentView(ckGroundWall); }
    TDataset& TableOuterWallLayers() { return LayerView(ckOuterWall); }
    TDataset& TableInnerWallLayers() { return LayerView(ckInnerWall); }
    TDataset& TableRoofLayers() { return LayerView(ckRoof); }
    TDataset& TableInnerRoofLayers() { return LayerView(ckInnerRoof); }
    TDataset& TableGroundFloorLayers() { return LayerView(ckGroundFloor); }
    TDataset& TableGroundSlabLayers() { return LayerView(ckGroundSlab); }
    TDataset& TableGroundWallLayers() { return LayerView(ckGroundWall); }
    TDataset& TableWindows() { return *FTableWindows; }
    TDataset& TableDoors() { return *FTableDoors; }
    TDataset& TableGrounds() { return *FTableGrounds; }
    TDataset& TableMonths() { return *FTableMonths; }
    // Every construction and every layer of the building.
    TDataset& TableLayeredComps() { return *FTableLayeredComps; }
    TDataset& TableLayers() { return *FTableLayers; }
    // The construction view and layer view of a kind 0..6.
    TDataset& ComponentView(int Kind);
    TDataset& LayerView(int Kind);

    // Status and observers.
    void AttachObserver(IStatusObserver* Observer) { FNotifier.Attach(Observer); }
    void DetachObserver(IStatusObserver* Observer) { FNotifier.Detach(Observer); }
    void NotifyObservers();
    // The building changed: not calculated, modified; observers told.
    void MarkChanged();
    bool IsCalculated() const { return FCalculated; }
    bool IsModified() const { return FModified; }
    bool IsNewBuilding() const { return FNewBuilding; }

    // The message list; line 0 is the heading of a calculation failure. The
    // localization replaces it.
    std::vector<std::string>& Messages() { return FMessages; }
    // Where calculation failures are shown; borrowed. Without one,
    // CalculateBuilding lets the ECalcException pass.
    void SetCalcErrorReport(ICalcErrorReport* Report) { FCalcErrorReport = Report; }

    // Building life cycle.
    // A building object wired to the views and loaded with building ID.
    std::unique_ptr<TBuilding> CreateBuildingObject(const std::string& ID);
    // Makes the calculation building and the snapshot anew from the current building.
    void ReloadBuildingObjects();
    // Posts every view whose current row is being edited (not inserted).
    void PostAll();
    // Re-reads every view, the building first, each construction view
    // before its layers.
    void RefreshAllData();
    // Makes the building named Name (case ignored) current. Raises
    // EBVException when there is none.
    void OpenBuilding(const std::string& Name);
    // Posts pending edits, then loads, computes and stores the current
    // building on the calculation building; marks it calculated (unless it
    // has no envelope area, so that no balance could run) and tells the
    // observers. A calculation failure (ECalcException) is shown through
    // the error report, writes nothing and leaves the flags as they were;
    // the result is then false. Any other failure passes on, with nothing
    // written by the calculation and the flags as they were.
    bool CalculateBuilding();

    TBuilding* CalculationBuilding() const { return FCalcBuilding.get(); }
    TBuilding* SnapshotBuilding() const { return FSnapshotBuilding.get(); }

private:
    std::unique_ptr<TDataset> MakeView(const std::string& Table);
    void WireChangeTracking(TDataset& View);
    void CalcBuildingFields(TDataset& Buildings);

    TDatabase& FDb;
    std::unique_ptr<TDataset> FTableBuildings;
    std::array<std::unique_ptr<TDataset>, kComponentKindCount> FComponentViews;
    std::array<std::unique_ptr<TDataset>, kComponentKindCount> FLayerViews;
    std::unique_ptr<TDataset> FTableWindows;
    std::unique_ptr<TDataset> FTableDoors;
    std::unique_ptr<TDataset> FTableGrounds;
    std::unique_ptr<TDataset> FTableMonths;
    std::unique_ptr<TDataset> FTableLayeredComps;
    std::unique_ptr<TDataset> FTableLayers;

    TStatusNotifier FNotifier;
    bool FCalculated = false;
    bool FModified = false;
    bool FNewBuilding = false;
    // While > 0 the module changes rows itself in one go; observers are told
    // once at its end instead of at every row.
    int FQuiet = 0;
    std::unique_ptr<TBuilding> FCalcBuilding;
    std::unique_ptr<TBuilding> FSnapshotBuilding;
    std::vector<std::string> FMessages;
    ICalcErrorReport* FCalcErrorReport = nullptr;
};
