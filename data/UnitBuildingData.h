// The building data module: the views of the current building that every
// window edits through, the derived values shown with its rows, the
// default-value look-ups, every editing operation on the building's members,
// the life cycle of a building (new, open, save, save as, revert, delete),
// the calculation, and the status flags with their notification.
//
// The current building is the current row of TableBuildings. Every other
// view is restricted to it: the construction views to one TYPE each, the
// layer views to the current row of their construction view, windows, doors,
// the foundation row and the months to the building.
//
// Editing model: every edit goes straight into the rows of the current
// building. Saving writes nothing new; it makes the stored state the point
// the user can return to. For that the module keeps a snapshot of the
// building as it was opened or last saved, and reverting stores it back.
//
// Every operation that writes several rows runs in one transaction: it lands
// whole or not at all. Pending edits of the views are posted before such an
// operation starts (they are the user's edits, which belong in the rows
// anyway); from there a failure leaves the database as it was, the views
// re-read, the flags as they were, and the error passes on.
#pragma once

#include "data/UnitObserver.h"
#include "db/Dataset.h"
#include "model/UnitConstructionObjects.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TDatabase;
class TDataModulePreDefData;
struct TBuildingRows;

// The one subject of the system: the building data module's status.
class TStatusNotifier : public TSubject {};

// Shows a calculation failure to the user (a message box in the desktop
// application, stderr in the command-line tool). Text is the heading, CR LF,
// and the failure's message: the member that failed, CR LF, and what is
// wrong with it ("Beräkningen kunde inte genomföras\r\nHusgrund\r\n
// Grundmurens djup under mark är 0 mm.").
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

// The base names of new members: the construction kinds 0..6, then a
// window, a door and a building.
enum TDefaultName : int {
    dnWindow = kComponentKindCount,
    dnDoor,
    dnBuilding,
};
constexpr int kDefaultNameCount = 10;
constexpr int kDirectionCount = 5;

class TDataModuleBuildingData {
public:
    // Opens every view on Db, which must outlive the module. No building is
    // open yet: TableBuildings shows its first row. The archive views and
    // the general query come from PreDef (borrowed); without it the module
    // makes a predefined-data module of its own when it first needs one.
    explicit TDataModuleBuildingData(TDatabase& Db);
    TDataModuleBuildingData(TDatabase& Db, TDataModulePreDefData& PreDef);
    TDataModuleBuildingData(const TDataModuleBuildingData&) = delete;
    TDataModuleBuildingData& operator=(const TDataModuleBuildingData&) = delete;
    ~TDataModuleBuildingData();

    TDatabase& Database() const { return FDb; }
    TDataModulePreDefData& PreDefData();

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
    // Every layer of the building ordered by position, for the report.
    TQuery& QueryAllLayersSorted() { return *FQueryAllLayersSorted; }
    // A general query whose text each use sets.
    TQuery& ZQueryBV() { return *FQueryBV; }
    // The construction view and layer view of a kind 0..6.
    TDataset& ComponentView(int Kind);
    TDataset& LayerView(int Kind);

    // The view behind a name: a view ("TableBuildings", "QueryAllLayersSorted",
    // "ZQueryBV"), the data source a window binds to ("DataSourceBuildings",
    // "DataSourceOuterWallLayers", ...: each table view has one of the same
    // stem) or a report connection ("RvDataSetConnectionBVBuildings", ...,
    // "RvDataSetConnectionBVAllLayers"). nullptr for an unknown name.
    TDataset* FindView(const std::string& Name) const;

    // Status and observers.
    void AttachObserver(IStatusObserver* Observer) { FNotifier.Attach(Observer); }
    void DetachObserver(IStatusObserver* Observer) { FNotifier.Detach(Observer); }
    void NotifyObservers();
    // The building changed: not calculated, modified; observers told. Runs
    // whenever a row of a view (not the months, not the queries) enters
    // insert or edit state or is deleted.
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

    // Texts the localization and the national settings replace. The default
    // names start as the built-in Swedish names, the template building as
    // "Default", the direction names as "Norr", "Söder", "Väster", "Öster",
    // "Horisontell".
    const std::string& DefaultName(int Index) const;
    void SetDefaultName(int Index, const std::string& Name);
    const std::string& TemplateBuildingName() const { return FTemplateName; }
    void SetTemplateBuildingName(const std::string& Name) { FTemplateName = Name; }
    // Names of Windows.DIRECTION 0..4, shown as DIRECTIONSTR.
    const std::string& DirectionName(int Direction) const;
    void SetDirectionNames(const std::array<std::string, kDirectionCount>& Names);

    // The first of Base, Base + " (1)", Base + " (2)", ... that no row of
    // View has as its ID (letter case ignored). View's current row stays.
    std::string UniqueName(const std::string& Base, TDataset& View);

    // Building life cycle.
    // A building object wired to the views and loaded with building ID.
    std::unique_ptr<TBuilding> CreateBuildingObject(const std::string& ID);
    // Makes the calculation building and the snapshot anew from the current building.
    void ReloadBuildingObjects();
    // Posts every view whose current row is being edited (not inserted):
    // the construction views, the layer views, doors, windows, months, all
    // layers, the foundation, the building.
    void PostAll();
    // Re-reads every view, the building first, each construction view
    // before its layers, QueryAllLayersSorted last.
    void RefreshAllData();
    // A copy of the template building under the first free name made of the
    // default building name; it becomes current, new and modified, calculated
    // as the template is stored. Raises EBVException when the template
    // building does not exist.
    void NewBuilding();
    // Makes the building named Name (case ignored) current. Raises
    // EBVException when there is none.
    void OpenBuilding(const std::string& Name);
    // Writes the calculated flag into the building row, posts every pending
    // edit and makes the stored state the point of return.
    void SaveBuilding();
    // Stores the building as edited under Name, returns the current name to
    // its last saved state (or removes it when the building was never
    // saved), and opens Name. False, with nothing changed, for an empty
    // name, a name of 100 or more characters, or the name of another
    // building (letter case ignored; only the building's own name in its
    // exact case is not another's).
    bool SaveBuildingAs(const std::string& Name);
    // Gives the building back the rows it had when it was opened or last
    // saved (a new building is removed). Afterwards the building is not
    // modified and is calculated as it was stored.
    void RevertBuilding();
    // Deletes the current building with every member row. The view moves to
    // the nearest building; the caller opens the one to go on with.
    void DeleteBuilding();
    // Posts pending edits, then loads, computes and stores the current
    // building on the calculation building; marks it calculated (unless it
    // has no envelope area, so that no balance could run) and tells the
    // observers. A calculation failure (ECalcException) is shown through
    // the error report, writes nothing and leaves the flags as they were;
    // the result is then false. Any other failure passes on, with nothing
    // written by the calculation and the flags as they were.
    bool CalculateBuilding();

    TBuilding* CalculationBuilding() const { return FCalcBuilding.get(); }
    // The building object as opened or last saved. Reverting stores the
    // rows of that moment instead, every column as it was: a building
    // object holds only what the calculation uses.
    TBuilding* SnapshotBuilding() const { return FSnapshotBuilding.get(); }

    // Constructions of the kind's view; the kind selects the views.
    // A new construction without layers, named after the kind's default name.
    void NewLayeredComponent(int Kind);
    // A copy of the kind's current archived construction with its layers,
    // area 0, under the archive name made unique in the building.
    void TakeComponentFromArchive(int Kind);
    // Deletes the current construction with every layer shown for it.
    void DeleteLayeredComponent(int Kind);
    // Renames the current construction and moves its layers along. Raises
    // EBVException for an empty name or the name of another construction of
    // the kind (letter case ignored); a name that differs only in case is
    // the construction's own.
    void RenameComponent(int Kind, const std::string& Name);
    // Files a copy of the current construction and its layers into the
    // kind's archive under Name. False, with nothing written, when the
    // archive holds a construction of that name (letter case ignored).
    bool ArchiveComponent(int Kind, const std::string& Name);
    // True when building Building has a construction of TYPE Type named ID,
    // all three compared exactly (letter case respected).
    bool ComponentExists(const std::string& Building, const std::string& Type, const std::string& ID);

    // Layers of the kind's current construction; the material is the kind's
    // current material in the archive.
    // Appends the material as the last layer.
    void AddLayer(int Kind);
    // Inserts the material before the current layer (as the first layer of
    // a construction without layers); the later layers move down one.
    void InsertLayer(int Kind);
    // The current layer takes the material's name, properties and locking;
    // its thickness only when the material's thickness is locked. A
    // construction without layers gets the material appended.
    void ReplaceLayer(int Kind);
    // Removes the current layer; the later layers move up one.
    void RemoveLayer(int Kind);
    // Numbers the layers 1, 2, ... in view order and counts them into NLAYERS.
    void RenumberLayers(int Kind);

    // Windows and doors of the building.
    void NewWindow();
    void TakeWindowFromArchive();
    void DeleteWindow();
    // Raise EBVException for an empty name or the name of another window
    // (door) of the building, letter case ignored.
    void RenameWindow(const std::string& Name);
    // False, with nothing written, when the archive holds the name (letter
    // case ignored). The archive view stays on its current row.
    bool ArchiveWindow(const std::string& Name);
    void NewDoor();
    void TakeDoorFromArchive();
    void DeleteDoor();
    void RenameDoor(const std::string& Name);
    bool ArchiveDoor(const std::string& Name);

    // Copies the twelve months of the climate profile named by WEATHERID
    // (letter case respected) into the building's months and its INFO into
    // WEATHERINFO (left in edit state). Raises EBVException, with nothing
    // changed, when there is no such profile or the profile or the building
    // lacks one of the twelve months.
    void ApplyClimateProfile();
    // Makes the foundation one of kind Kind (a GROUNDTYPE): deletes every
    // ground floor, ground slab and ground wall with their layers, clears
    // the kind's dimensions and list positions and writes its key into
    // Grounds.TYPE. A building without a foundation row gets one.
    void SetGroundTypeData(int Kind);
    // Copies the conductivity of the soil named by Grounds.SOILNAME (letter
    // case ignored) into GROUNDTHERMCOND. Raises EBVException, with nothing
    // changed, when there is no such soil.
    void ApplySoil();

private:
    enum class TPending { Post, Cancel };
    std::unique_ptr<TDataset> MakeView(const std::string& Table);
    void Construct();
    void WireChangeTracking(TDataset& View);
    void WireDefaultLookups();
    void CalcBuildingFields(TDataset& Buildings);
    void CalcMonthFields(TDataset& Months);
    void CalcWindowFields(TDataset& Windows);

    // Runs Body with notifications held back; observers are told once at its
    // end, also when it fails.
    void Round(const std::function<void()>& Body);
    // Runs Body in one transaction after posting (or discarding) the
    // pending edits. On a failure: rolled back, the views re-read (Extra
    // too) and back on the building that was current, the flags as they
    // were; the error passes on.
    void Atomically(const std::function<void()>& Body, TPending Pending = TPending::Post,
                    const std::vector<TDataset*>& Extra = {});
    void RestoreAfterRollback(const std::string& BuildingID, const std::vector<TDataset*>& Extra) noexcept;
    std::vector<TDataset*> AllViews() const;
    void PostPending();
    void CancelPending() noexcept;
    void RefreshAggregates();
    // Deletes every row of the current building and re-reads the views;
    // inside a transaction.
    void DeleteBuildingRows();
    // Re-reads the building list and makes building ID current.
    void LocateBuilding(const std::string& ID);
    std::string CurrentBuildingID() const;
    void RequireBuilding() const;
    TDataset& RequireComponent(int Kind);
    // Deletes the current construction of the kind with its layers.
    void DeleteComponentRows(int Kind);
    void SetLayerCount(int Kind);
    void RenumberLayerRows(TDataset& Layers);
    bool OtherRowNamed(TDataset& View, const std::string& Name);
    void RenameMember(TDataset& View, const std::string& Name, const char* What);
    // The window and door operations, on View (the building's windows or
    // doors) and the archive table ArchiveTable picks.
    using TArchiveTable = TDataset& (TDataModulePreDefData::*)();
    // Appends a copy of the current archive row under a free name: ID and
    // Columns from the archive, then SetRest fills the columns the archive
    // does not carry.
    void TakeMemberFromArchive(TDataset& View, TArchiveTable ArchiveTable, const char* EmptyArchive,
                               std::initializer_list<const char*> Columns,
                               const std::function<void(TDataset&)>& SetRest);
    void DeleteMember(TDataset& View);
    bool ArchiveMember(TDataset& View, TArchiveTable ArchiveTable, const std::string& Name,
                       const char* NothingToArchive, const char* NoName, std::initializer_list<const char*> Columns);

    // Default-value look-ups on a change of a choice column of the building.
    void PrepareDefaults(const std::string& Column, const TValue& Value);
    void ApplyPendingDefaults(const TField& Field);
    double LookupDefault(const std::string& Type, int64_t Choice);

    TDatabase& FDb;
    TDataModulePreDefData* FPreDef = nullptr;
    std::unique_ptr<TDataModulePreDefData> FOwnPreDef;
    std::unique_ptr<TDataset> FTableBuildings;
    std::array<std::unique_ptr<TDataset>, kComponentKindCount> FComponentViews;
    std::array<std::unique_ptr<TDataset>, kComponentKindCount> FLayerViews;
    std::unique_ptr<TDataset> FTableWindows;
    std::unique_ptr<TDataset> FTableDoors;
    std::unique_ptr<TDataset> FTableGrounds;
    std::unique_ptr<TDataset> FTableMonths;
    std::unique_ptr<TDataset> FTableLayeredComps;
    std::unique_ptr<TDataset> FTableLayers;
    std::unique_ptr<TQuery> FQueryAllLayersSorted;
    std::unique_ptr<TQuery> FQueryBV;
    std::map<std::string, TDataset*> FViewsByName;

    TStatusNotifier FNotifier;
    bool FCalculated = false;
    bool FModified = false;
    bool FNewBuilding = false;
    // While > 0 the module changes rows itself in one go: observers are told
    // once at its end instead of at every row, and the values it writes are
    // stored as they are, without default-value look-ups.
    int FQuiet = 0;
    std::unique_ptr<TBuilding> FCalcBuilding;
    std::unique_ptr<TBuilding> FSnapshotBuilding;
    // The rows RevertBuilding stores back: the building as opened or last
    // saved, every column as it was, under its ID then.
    std::unique_ptr<TBuildingRows> FSnapshotRows;
    std::string FSnapshotID;
    std::vector<std::string> FMessages;
    ICalcErrorReport* FCalcErrorReport = nullptr;
    std::array<std::string, kDefaultNameCount> FDefaultNames;
    std::array<std::string, kDirectionCount> FDirectionNames;
    std::string FTemplateName;
    // The values a default-value choice sets, found before the choice is
    // taken and written right after it.
    std::string FPendingColumn;
    std::vector<std::pair<std::string, TValue>> FPendingDefaults;
};
