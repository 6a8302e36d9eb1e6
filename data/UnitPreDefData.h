// The predefined-data module: the views of the archives (constructions with
// their layers, windows, doors), the materials offered for each kind of
// construction, the soils, the climate profiles with their months and the
// default-value choice lists. The building data module copies from these
// views and files into them; the editors and lists of the user interface
// bind to them. The module itself only opens the views and deletes archive
// entries.
#pragma once

#include "db/Dataset.h"

#include <array>
#include <memory>
#include <string>

class TDataModulePreDefData {
public:
    static constexpr int KindCount = 7;

    // Opens every view on Db, which must outlive the module. Raises
    // EDatabaseError when a table is missing.
    explicit TDataModulePreDefData(TDatabase& Db);
    TDataModulePreDefData(const TDataModulePreDefData&) = delete;
    TDataModulePreDefData& operator=(const TDataModulePreDefData&) = delete;

    TDatabase& Database() const { return FDb; }

    // The three views of a construction kind (0 "OuterWall", 1 "InnerWall",
    // 2 "Roof", 3 "InnerRoof", 4 "GroundFloor", 5 "GroundSlab",
    // 6 "GroundWall"): the archived constructions of the kind by ID, the
    // layers of the current one by POS (a detail view), and the materials
    // whose column of the kind is true, by ID. Raises std::out_of_range
    // for another kind.
    struct TArchiveViews {
        TDataset& Components;
        TDataset& Layers;
        TDataset& Materials;
    };
    TArchiveViews ArchiveViews(int Kind);
    // The TYPE value of a kind, and the LayersPreDef column of its materials.
    static const char* KindType(int Kind);
    static const char* KindMaterialColumn(int Kind);

    TDataset& TableOuterWalls() { return *FComponents[0]; }
    TDataset& TableInnerWalls() { return *FComponents[1]; }
    TDataset& TableRoofs() { return *FComponents[2]; }
    TDataset& TableInnerRoofs() { return *FComponents[3]; }
    TDataset& TableGroundFloors() { return *FComponents[4]; }
    TDataset& TableGroundSlabs() { return *FComponents[5]; }
    TDataset& TableGroundWalls() { return *FComponents[6]; }

    TDataset& TableUsedOuterWallLayers() { return *FUsedLayers[0]; }
    TDataset& TableUsedInnerWallLayers() { return *FUsedLayers[1]; }
    TDataset& TableUsedRoofLayers() { return *FUsedLayers[2]; }
    TDataset& TableUsedInnerRoofLayers() { return *FUsedLayers[3]; }
    TDataset& TableUsedGroundFloorLayers() { return *FUsedLayers[4]; }
    TDataset& TableUsedGroundSlabLayers() { return *FUsedLayers[5]; }
    TDataset& TableUsedGroundWallLayers() { return *FUsedLayers[6]; }

    TDataset& TableOuterWallLayers() { return *FMaterials[0]; }
    TDataset& TableInnerWallLayers() { return *FMaterials[1]; }
    TDataset& TableRoofLayers() { return *FMaterials[2]; }
    TDataset& TableInnerRoofLayers() { return *FMaterials[3]; }
    TDataset& TableGroundFloorLayers() { return *FMaterials[4]; }
    TDataset& TableGroundSlabLayers() { return *FMaterials[5]; }
    TDataset& TableGroundWallLayers() { return *FMaterials[6]; }

    // LayersPreDef rows with SOIL true, by ID: the soils of the foundation pages.
    TDataset& TableSoils() { return *FTableSoils; }
    TDataset& TableWindows() { return *FTableWindows; }             // WindowsPreDef by ID
    TDataset& TableDoors() { return *FTableDoors; }                 // DoorsPreDef by ID
    TDataset& TableGrounds() { return *FTableGrounds; }             // GroundsPreDef by ID
    TDataset& TableClimateProfiles() { return *FTableClimateProfiles; } // PreDefClimate by ID
    // PreDefMonths of the current climate profile, by MONTH.
    TDataset& TableClimateMonths() { return *FTableClimateMonths; }
    TDataset& TableLayeredComps() { return *FTableLayeredComps; }   // all archived constructions by ID
    TDataset& TableLayers() { return *FTableLayers; }               // all of LayersPreDef
    TDataset& TableP50() { return *FTableP50; }                     // P50 by IDNO
    TDataset& TableN50() { return *FTableN50; }                     // N50 by IDNO
    // DefaultValueChoises of one list or "OWNDEF", by IDNO.
    TDataset& TableP50PreDef() { return *FTableP50PreDef; }
    TDataset& TableN50PreDef() { return *FTableN50PreDef; }
    TDataset& TableAirChangePreDef() { return *FTableAirChangePreDef; }
    TDataset& TableIntGainsPreDef() { return *FTableIntGainsPreDef; }
    // A general query; its text is set by each use, which also opens it.
    TQuery& QueryGeneral() { return *FQueryGeneral; }

    // Deletes the current archived window; nothing when the archive is
    // empty. With a name: the window of that ID (case ignored); nothing,
    // and the current row unchanged, when there is none. True when a row
    // was deleted.
    bool DeleteArchivedWindow();
    bool DeleteArchivedWindow(const std::string& Name);
    // The same for the archived doors.
    bool DeleteArchivedDoor();
    bool DeleteArchivedDoor(const std::string& Name);
    // Deletes the current archived construction of the kind with all its
    // layers, in one transaction: all of it or, on a failure, nothing (the
    // views are then re-read and the error raised). With a name: the
    // construction of that ID (case ignored); nothing when there is none.
    bool DeleteArchivedComponent(int Kind);
    bool DeleteArchivedComponent(int Kind, const std::string& Name);

private:
    static void CheckKind(int Kind);
    static bool DeleteCurrent(TDataset& View);

    TDatabase& FDb;
    std::array<std::unique_ptr<TDataset>, KindCount> FComponents;
    std::array<std::unique_ptr<TDataset>, KindCount> FUsedLayers;
    std::array<std::unique_ptr<TDataset>, KindCount> FMaterials;
    std::unique_ptr<TDataset> FTableSoils;
    std::unique_ptr<TDataset> FTableWindows;
    std::unique_ptr<TDataset> FTableDoors;
    std::unique_ptr<TDataset> FTableGrounds;
    std::unique_ptr<TDataset> FTableClimateProfiles;
    std::unique_ptr<TDataset> FTableClimateMonths;
    std::unique_ptr<TDataset> FTableLayeredComps;
    std::unique_ptr<TDataset> FTableLayers;
    std::unique_ptr<TDataset> FTableP50;
    std::unique_ptr<TDataset> FTableN50;
    std::unique_ptr<TDataset> FTableP50PreDef;
    std::unique_ptr<TDataset> FTableN50PreDef;
    std::unique_ptr<TDataset> FTableAirChangePreDef;
    std::unique_ptr<TDataset> FTableIntGainsPreDef;
    std::unique_ptr<TQuery> FQueryGeneral;
};
