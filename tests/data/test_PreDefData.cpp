#include "data/UnitPreDefData.h"

#include "tests/data/DataTestSupport.h"

#include <gtest/gtest.h>

#include <array>

using namespace bvtest;

namespace {

// A small archive: an outer wall with two layers, a roof of the same name
// with one, an outer wall without layers; materials with mixed flags
// (booleans as other tools write them too); windows, doors, climate.
const char* const Fixture = R"SQL(
INSERT INTO LayeredComponentsPreDef (ID, TYPE, NLAYERS) VALUES
  ('Regelvägg', 'OuterWall', 2), ('Regelvägg', 'Roof', 1), ('Tom vägg', 'OuterWall', 0),
  ('Åsvägg', 'OuterWall', 1);
INSERT INTO LayersPreDefUsed (COMPONENT, POS, TYPE, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, LOCKEDDEPTH) VALUES
  ('Regelvägg', 2, 'OuterWall', 'Gips', 0.22, 1090, 900, 13, 0),
  ('Regelvägg', 1, 'OuterWall', 'Träpanel', 0.14, 2300, 500, 22, 1),
  ('Regelvägg', 1, 'Roof', 'Takpapp', 0.2, 1000, 1100, 3, 0),
  ('Åsvägg', 1, 'OuterWall', 'Tegel', 0.6, 840, 1800, 120, 0);
INSERT INTO LayersPreDef (ID, THERMCOND, SPECCAP, DENSITY, DEPTH, OUTERWALL, ROOF, INNERWALL, SOIL) VALUES
  ('Mineralull', 0.037, 800, 30, 95, 'Y', 'Y', 'N', 'N'),
  ('Betong', 1.7, 880, 2300, 150, 'yes', 'N', 1, 'N'),
  ('Lera', 1.5, 1000, 1500, 1000, 'Y', 'Y', 'Y', 'Y'),
  ('Sand', 2.0, 1000, 1700, 1000, 'N', 'N', 'N', 'T');
INSERT INTO WindowsPreDef (ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA) VALUES
  ('Fönster 1', 1.2, 0.6, 0, 20, 1.5), ('Fönster 2', 1.0, 0.5, 0, 25, 2.0), ('Öga', 1.1, 0.5, 0, 30, 0.5);
INSERT INTO DoorsPreDef (ID, AREA, UVALUE) VALUES ('Ytterdörr', 2.1, 1.0), ('Altandörr', 2.0, 1.3);
INSERT INTO PreDefClimate (ID, INFO) VALUES ('Lund', 'Skåne'), ('Kiruna', 'Norrbotten');
INSERT INTO PreDefMonths (ID, MONTH, DAYS, TEMP) VALUES
  ('Lund', 2, 28, -0.5), ('Lund', 1, 31, -1.0), ('Kiruna', 1, 31, -15.0);
INSERT INTO DefaultValueChoises (IDNO, ID, TYPE) VALUES
  (3, 'Tät', 'N50'), (-1, 'Eget värde', 'OWNDEF'), (1, 'Normal', 'P50'), (2, 'Otät', 'N50'), (6, 'Från', 'AIRCHANGE');
)SQL";

class PreDefTest : public ::testing::Test {
protected:
    void SetUp() override {
        Db = CreateSchemaDatabase(Data.File("bvdb.s3db"));
        Db->Exec(Fixture);
        Module = std::make_unique<TDataModulePreDefData>(*Db);
    }
    int64_t Count(const std::string& Sql) {
        TStatement St = Db->Prepare(Sql);
        St.Step();
        return std::get<int64_t>(St.Column(0));
    }
    static std::vector<std::string> Ids(TDataset& V, const char* Column = "ID") {
        std::vector<std::string> R;
        const TBookmark B = V.GetBookmark();
        for (V.First(); !V.Eof(); V.Next()) {
            R.push_back(V.FieldByName(Column).AsString());
        }
        V.GotoBookmark(B);
        return R;
    }
    using Names = std::vector<std::string>;
    TempDataFolder Data;
    std::unique_ptr<TDatabase> Db;
    std::unique_ptr<TDataModulePreDefData> Module;
};

} // namespace

TEST_F(PreDefTest, MaterialsAreListedForEveryKindWhoseFlagIsTrueAndSoilsWhateverElse) {
    EXPECT_EQ(Ids(Module->TableOuterWallLayers()), (Names{"Betong", "Lera", "Mineralull"}));
    EXPECT_EQ(Ids(Module->TableRoofLayers()), (Names{"Lera", "Mineralull"}));
    EXPECT_EQ(Ids(Module->TableInnerWallLayers()), (Names{"Betong", "Lera"}));
    EXPECT_TRUE(Module->TableGroundSlabLayers().IsEmpty());
    EXPECT_EQ(Ids(Module->TableSoils()), (Names{"Lera", "Sand"}));
    EXPECT_EQ(Module->TableLayers().RecordCount(), 4);
    // The accessor by kind gives the named views of that kind.
    TDataModulePreDefData& M = *Module;
    const std::array<std::array<TDataset*, 3>, 7> Named = {{
        {&M.TableOuterWalls(), &M.TableUsedOuterWallLayers(), &M.TableOuterWallLayers()},
        {&M.TableInnerWalls(), &M.TableUsedInnerWallLayers(), &M.TableInnerWallLayers()},
        {&M.TableRoofs(), &M.TableUsedRoofLayers(), &M.TableRoofLayers()},
        {&M.TableInnerRoofs(), &M.TableUsedInnerRoofLayers(), &M.TableInnerRoofLayers()},
        {&M.TableGroundFloors(), &M.TableUsedGroundFloorLayers(), &M.TableGroundFloorLayers()},
        {&M.TableGroundSlabs(), &M.TableUsedGroundSlabLayers(), &M.TableGroundSlabLayers()},
        {&M.TableGroundWalls(), &M.TableUsedGroundWallLayers(), &M.TableGroundWallLayers()},
    }};
    for (int K = 0; K < TDataModulePreDefData::KindCount; ++K) {
        const auto V = M.ArchiveViews(K);
        EXPECT_EQ(&V.Components, Named[K][0]) << K;
        EXPECT_EQ(&V.Layers, Named[K][1]) << K;
        EXPECT_EQ(&V.Materials, Named[K][2]) << K;
    }
    EXPECT_THROW(Module->ArchiveViews(7), std::out_of_range);
}

TEST_F(PreDefTest, ArchivedConstructionsShowTheirOwnLayersInOrder) {
    TDataset& Walls = Module->TableOuterWalls();
    TDataset& Layers = Module->TableUsedOuterWallLayers();
    EXPECT_EQ(Ids(Walls), (Names{"Regelvägg", "Tom vägg", "Åsvägg"}));
    ASSERT_EQ(Walls.FieldByName("ID").AsString(), "Regelvägg");
    EXPECT_EQ(Ids(Layers), (Names{"Träpanel", "Gips"})); // by POS, not the roof's layer
    EXPECT_TRUE(Layers.FieldByName("LOCKEDDEPTH").AsBoolean());
    Walls.Next();
    EXPECT_TRUE(Layers.IsEmpty());
    EXPECT_EQ(Ids(Module->TableUsedRoofLayers()), (Names{"Takpapp"}));
    EXPECT_EQ(Module->TableLayeredComps().RecordCount(), 4);
    // Climate months follow their profile.
    EXPECT_EQ(Ids(Module->TableClimateProfiles()), (Names{"Kiruna", "Lund"}));
    EXPECT_EQ(Module->TableClimateMonths().RecordCount(), 1);
    Module->TableClimateProfiles().Next();
    EXPECT_EQ(Ids(Module->TableClimateMonths(), "MONTH"), (Names{"1", "2"}));
}

TEST_F(PreDefTest, ChoiceListsHoldTheirTypeAndTheOwnValue) {
    EXPECT_EQ(Ids(Module->TableN50PreDef(), "IDNO"), (Names{"-1", "2", "3"}));
    EXPECT_EQ(Ids(Module->TableP50PreDef(), "IDNO"), (Names{"-1", "1"}));
    EXPECT_EQ(Ids(Module->TableAirChangePreDef(), "IDNO"), (Names{"-1", "6"}));
    EXPECT_EQ(Ids(Module->TableIntGainsPreDef(), "IDNO"), (Names{"-1"}));
}

TEST_F(PreDefTest, DeletingAConstructionTakesItsLayersAndNothingElse) {
    // By name, case ignored (Swedish letters too).
    EXPECT_TRUE(Module->DeleteArchivedComponent(0, "REGELVÄGG"));
    EXPECT_EQ(Count("SELECT count(*) FROM LayeredComponentsPreDef WHERE ID = 'Regelvägg'"), 1); // the roof
    EXPECT_EQ(Count("SELECT count(*) FROM LayersPreDefUsed WHERE COMPONENT = 'Regelvägg'"), 1);
    EXPECT_EQ(Ids(Module->TableOuterWalls()), (Names{"Tom vägg", "Åsvägg"}));
    EXPECT_EQ(Ids(Module->TableUsedRoofLayers()), (Names{"Takpapp"}));

    // A construction without layers: only its row goes.
    ASSERT_EQ(Module->TableOuterWalls().FieldByName("ID").AsString(), "Tom vägg");
    EXPECT_TRUE(Module->DeleteArchivedComponent(0));
    EXPECT_EQ(Count("SELECT count(*) FROM LayeredComponentsPreDef"), 2);
    EXPECT_EQ(Count("SELECT count(*) FROM LayersPreDefUsed"), 2);

    // A name the archive lacks deletes nothing and keeps the current row.
    Module->TableRoofs().First();
    EXPECT_FALSE(Module->DeleteArchivedComponent(2, "Tom vägg"));
    EXPECT_EQ(Count("SELECT count(*) FROM LayeredComponentsPreDef"), 2);
    EXPECT_EQ(Module->TableRoofs().FieldByName("ID").AsString(), "Regelvägg");
    EXPECT_TRUE(Module->DeleteArchivedComponent(0, "åsvägg"));
    EXPECT_FALSE(Module->DeleteArchivedComponent(0)); // empty now
    EXPECT_EQ(Count("SELECT count(*) FROM LayersPreDefUsed"), 1);
}

TEST_F(PreDefTest, AFailingDeleteOfAConstructionLeavesItWithItsLayers) {
    Db->Exec("CREATE TRIGGER KeepRegel BEFORE DELETE ON LayeredComponentsPreDef WHEN OLD.ID = 'Regelvägg'"
             " BEGIN SELECT RAISE(ABORT, 'kept'); END;");
    EXPECT_THROW(Module->DeleteArchivedComponent(0, "Regelvägg"), EDatabaseError);
    EXPECT_EQ(Count("SELECT count(*) FROM LayersPreDefUsed WHERE COMPONENT = 'Regelvägg'"), 3);
    EXPECT_FALSE(Db->InTransaction());
    // The views show the rows that are still there.
    EXPECT_EQ(Module->TableOuterWalls().RecordCount(), 3);
    ASSERT_TRUE(Module->TableOuterWalls().Locate({"ID"}, {std::string("Regelvägg")}));
    EXPECT_EQ(Ids(Module->TableUsedOuterWallLayers()), (Names{"Träpanel", "Gips"}));
}

TEST_F(PreDefTest, DeletingWindowsAndDoorsByNameOrCurrentRow) {
    TDataset& W = Module->TableWindows();
    W.SetRecNo(2);
    EXPECT_FALSE(Module->DeleteArchivedWindow("Fönster 9"));
    EXPECT_EQ(W.RecordCount(), 3);
    EXPECT_EQ(W.RecNo(), 2);
    EXPECT_EQ(W.FieldByName("ID").AsString(), "Fönster 2");
    EXPECT_EQ(Count("SELECT count(*) FROM WindowsPreDef"), 3);
    EXPECT_TRUE(Module->DeleteArchivedWindow("öGA"));
    EXPECT_EQ(Ids(W), (Names{"Fönster 1", "Fönster 2"}));
    W.First();
    EXPECT_TRUE(Module->DeleteArchivedWindow());
    EXPECT_EQ(Count("SELECT count(*) FROM WindowsPreDef WHERE ID = 'Fönster 2'"), 1);
    EXPECT_EQ(Count("SELECT count(*) FROM WindowsPreDef"), 1);

    EXPECT_TRUE(Module->DeleteArchivedDoor("altandÖrr"));
    EXPECT_EQ(Ids(Module->TableDoors()), (Names{"Ytterdörr"}));
    EXPECT_TRUE(Module->DeleteArchivedDoor());
    EXPECT_FALSE(Module->DeleteArchivedDoor());
    EXPECT_FALSE(Module->DeleteArchivedDoor("Ytterdörr"));
}

TEST_F(PreDefTest, GeneralQueryRunsWhatItIsGiven) {
    TQuery& Q = Module->QueryGeneral();
    Q.SetSQL("SELECT DEFVALUE FROM DefaultValues WHERE TYPE = :TYPE AND DEFAULTCHOICESIDNO = :IDNO");
    Q.SetParam(":TYPE", std::string("N50"));
    Q.SetParam(":IDNO", int64_t{3});
    Q.Open();
    EXPECT_TRUE(Q.IsEmpty());
    EXPECT_THROW(Q.FieldByName("DEFVALUE").AsFloat(), EDatabaseError); // no row: NULL is no number
    Q.Close();
}
