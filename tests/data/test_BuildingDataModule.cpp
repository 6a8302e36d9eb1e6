// The building data module as the windows use it: the life cycle of a
// building, the editing operations on its members, the archives, the
// derived values, the default-value look-ups, the status flags, and the
// all-or-nothing behaviour of every operation that writes several rows.
#include "data/UnitBuildingData.h"

#include "data/UnitInitDB.h"
#include "data/UnitPreDefData.h"
#include "db/Database.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ValueText(const TValue& V) {
    if (const auto* I = std::get_if<int64_t>(&V)) return std::to_string(*I);
    if (const auto* D = std::get_if<double>(&V)) {
        std::ostringstream S;
        S.precision(17);
        S << *D;
        return S.str();
    }
    if (const auto* T = std::get_if<std::string>(&V)) return "'" + *T + "'";
    if (const auto* B = std::get_if<TBlob>(&V)) return "x" + std::to_string(B->size());
    return "NULL";
}

// A database of the fixture (or the shipped one), the predefined-data module
// and the building data module on it.
struct TSession {
    bvtest::TTempFolder Dir;
    std::unique_ptr<TDatabase> Db;
    std::unique_ptr<TDataModulePreDefData> PreDef;
    std::unique_ptr<TDataModuleBuildingData> M;

    explicit TSession(const std::string& Extra = "", bool Shipped = false) {
        const std::string Path = Dir.File("test.s3db");
        if (Shipped) {
            CreateDatabase(Path);
            Db = TDatabase::Open(Path);
        } else {
            Db = bvtest::CreateSchemaDatabase(Path);
            Db->Exec(bvtest::ReadTestText("building/building.sql"));
        }
        if (!Extra.empty()) {
            Db->Exec(Extra);
        }
        PreDef = std::make_unique<TDataModulePreDefData>(*Db);
        M = std::make_unique<TDataModuleBuildingData>(*Db, *PreDef);
    }

    TValue Value(const std::string& Sql) {
        TStatement St = Db->Prepare(Sql);
        if (!St.Step()) {
            throw std::runtime_error("no row: " + Sql);
        }
        return St.Column(0);
    }
    int64_t Int(const std::string& Sql) { return std::get<int64_t>(Value(Sql)); }
    double Float(const std::string& Sql) {
        const TValue V = Value(Sql);
        if (const auto* I = std::get_if<int64_t>(&V)) return static_cast<double>(*I);
        return std::get<double>(V);
    }
    std::string Text(const std::string& Sql) {
        const TValue V = Value(Sql);
        return IsNullValue(V) ? "NULL" : std::get<std::string>(V);
    }
    // One text per row of the query, in its order.
    std::vector<std::string> Column(const std::string& Sql) {
        std::vector<std::string> Out;
        TStatement St = Db->Prepare(Sql);
        while (St.Step()) {
            std::string Row;
            for (int C = 0; C < St.ColumnCount(); ++C) {
                Row += (C == 0 ? "" : "|") + ValueText(St.Column(C));
            }
            Out.push_back(Row);
        }
        return Out;
    }

    // Every row of every table with its rowid: the database exactly.
    std::string Dump() {
        std::string Out;
        for (const std::string& T : Column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
            const std::string Name = T.substr(1, T.size() - 2);
            Out += "[" + Name + "]\n";
            for (const std::string& R : Column("SELECT rowid, * FROM \"" + Name + "\" ORDER BY rowid")) {
                Out += R + "\n";
            }
        }
        return Out;
    }

    // Every row of building ID in every building table, every column but
    // the rowid, in a fixed order: what the building is, wherever its rows
    // stand in the tables.
    std::string Content(const std::string& ID) {
        std::string Out;
        for (const char* T : {"Buildings", "LayeredComponents", "Layers", "Windows", "Doors", "Grounds", "Months"}) {
            const std::string Key = std::string(T) == "Buildings" ? "ID" : "BUILDING";
            std::vector<std::string> Rows =
                Column(std::string("SELECT * FROM ") + T + " WHERE " + Key + " = '" + ID + "' COLLATE BINARY");
            std::sort(Rows.begin(), Rows.end());
            Out += std::string("[") + T + "]\n";
            for (const std::string& R : Rows) {
                Out += R + "\n";
            }
        }
        return Out;
    }

    int64_t Count(const std::string& Table, const std::string& Where) {
        return Int("SELECT COUNT(*) FROM " + Table + " WHERE " + Where);
    }
    // Rows of every building table that belong to building ID (any case).
    int64_t RowsOf(const std::string& ID) {
        int64_t N = Count("Buildings", "ID = '" + ID + "' COLLATE BVNOCASE");
        for (const char* T : {"LayeredComponents", "Layers", "Windows", "Doors", "Grounds", "Months"}) {
            N += Count(T, "BUILDING = '" + ID + "' COLLATE BVNOCASE");
        }
        return N;
    }
};

struct TFlags {
    bool Calculated, Modified, New;
    bool operator==(const TFlags& O) const {
        return Calculated == O.Calculated && Modified == O.Modified && New == O.New;
    }
};
std::ostream& operator<<(std::ostream& Os, const TFlags& F) {
    return Os << "{calculated " << F.Calculated << ", modified " << F.Modified << ", new " << F.New << "}";
}
TFlags Flags(TDataModuleBuildingData& M) { return {M.IsCalculated(), M.IsModified(), M.IsNewBuilding()}; }

// Remembers the flags at every notification.
struct TRecorder : IStatusObserver {
    TDataModuleBuildingData& M;
    std::vector<TFlags> Seen;
    explicit TRecorder(TDataModuleBuildingData& Module) : M(Module) {}
    void StatusChanged() override { Seen.push_back(Flags(M)); }
};

std::string CurrentID(TDataset& T) { return T.FieldByName("ID").AsString(); }

std::vector<std::string> LayerPositions(TDataset& Layers) {
    std::vector<std::string> Out;
    const TBookmark B = Layers.GetBookmark();
    for (Layers.First(); !Layers.Eof(); Layers.Next()) {
        Out.push_back(Layers.FieldByName("ID").AsString() + "@" + Layers.FieldByName("POS").AsString());
    }
    Layers.GotoBookmark(B);
    return Out;
}

using Strings = std::vector<std::string>;

// ===========================================================================
// Observers

TEST(Observers, ARoundSkipsObserversDetachedDuringItAndAllowsCallsBack) {
    TStatusNotifier N;
    std::vector<std::string> Log;
    struct TObs : IStatusObserver {
        std::string Name;
        std::vector<std::string>& Log;
        std::function<void()> Then;
        TObs(std::string Nm, std::vector<std::string>& L) : Name(std::move(Nm)), Log(L) {}
        void StatusChanged() override {
            Log.push_back(Name);
            if (Then) Then();
        }
    } A("A", Log), B("B", Log), C("C", Log);
    A.Then = [&] { N.Detach(&B); };
    N.Attach(&A);
    N.Attach(&B);
    N.Attach(&C);
    N.Notify();
    EXPECT_EQ(Log, (Strings{"A", "C"}));
    EXPECT_EQ(N.ObserverCount(), 2u);

    // An observer of the module reads the module back while it is told.
    TSession S;
    S.M->OpenBuilding("Hus");
    std::string SeenID;
    struct TReader : IStatusObserver {
        std::function<void()> F;
        void StatusChanged() override { F(); }
    } R;
    R.F = [&] { SeenID = CurrentID(S.M->TableBuildings()); };
    S.M->AttachObserver(&R);
    S.M->OpenBuilding("Granne");
    EXPECT_EQ(SeenID, "Granne");
    S.M->DetachObserver(&R);
}

// ===========================================================================
// Names

TEST(UniqueName, FirstFreeNameWithACounter) {
    struct Case {
        Strings Existing;
        const char* Base;
        const char* Expected;
    };
    const Case Cases[] = {
        {{}, "Fönster", "Fönster"},
        {{"Fönster"}, "Fönster", "Fönster (1)"},
        {{"Fönster", "Fönster (1)"}, "Fönster", "Fönster (2)"},
        {{"Fönster", "Fönster (2)"}, "Fönster", "Fönster (1)"},
        {{"fönster"}, "Fönster", "Fönster (1)"},
        {{"FÖNSTER", "fönster (1)"}, "Fönster", "Fönster (2)"},
        {{"Fönster (1)"}, "Fönster", "Fönster"},
        {{"Fönster 1"}, "Fönster", "Fönster"},
    };
    for (const Case& K : Cases) {
        std::string Sql = "DELETE FROM Windows;";
        for (const std::string& E : K.Existing) {
            Sql += "INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION) VALUES "
                   "('Hus', '" + E + "', 1, 0.5, 0, 0, 1, 0);";
        }
        TSession S(Sql);
        S.M->OpenBuilding("Hus");
        TDataset& W = S.M->TableWindows();
        const int Before = W.RecNo();
        EXPECT_EQ(S.M->UniqueName(K.Base, W), K.Expected) << testing::PrintToString(K.Existing);
        EXPECT_EQ(W.RecNo(), Before);
    }
}

TEST(Views, EveryNameFindsItsView) {
    TSession S;
    TDataModuleBuildingData& M = *S.M;
    const std::vector<std::pair<std::string, TDataset*>> Tables = {
        {"Buildings", &M.TableBuildings()},         {"OuterWalls", &M.TableOuterWalls()},
        {"InnerWalls", &M.TableInnerWalls()},       {"Roofs", &M.TableRoofs()},
        {"InnerRoofs", &M.TableInnerRoofs()},       {"GroundFloors", &M.TableGroundFloors()},
        {"GroundSlabs", &M.TableGroundSlabs()},     {"GroundWalls", &M.TableGroundWalls()},
        {"OuterWallLayers", &M.TableOuterWallLayers()}, {"InnerWallLayers", &M.TableInnerWallLayers()},
        {"RoofLayers", &M.TableRoofLayers()},       {"InnerRoofLayers", &M.TableInnerRoofLayers()},
        {"GroundFloorLayers", &M.TableGroundFloorLayers()}, {"GroundSlabLayers", &M.TableGroundSlabLayers()},
        {"GroundWallLayers", &M.TableGroundWallLayers()}, {"Windows", &M.TableWindows()},
        {"Doors", &M.TableDoors()},                 {"Grounds", &M.TableGrounds()},
        {"Months", &M.TableMonths()},               {"LayeredComps", &M.TableLayeredComps()},
        {"Layers", &M.TableLayers()},
    };
    for (const auto& [Stem, View] : Tables) {
        EXPECT_EQ(M.FindView("Table" + Stem), View) << Stem;
        EXPECT_EQ(M.FindView("DataSource" + Stem), View) << Stem;
    }
    const std::vector<std::pair<std::string, TDataset*>> Report = {
        {"Buildings", &M.TableBuildings()},     {"Months", &M.TableMonths()},
        {"Ground", &M.TableGrounds()},          {"GroundFloors", &M.TableGroundFloors()},
        {"GroundWalls", &M.TableGroundWalls()}, {"GroundSlabs", &M.TableGroundSlabs()},
        {"OuterWalls", &M.TableOuterWalls()},   {"Roofs", &M.TableRoofs()},
        {"InnerWalls", &M.TableInnerWalls()},   {"InnerRoofs", &M.TableInnerRoofs()},
        {"Windows", &M.TableWindows()},         {"Doors", &M.TableDoors()},
        {"AllLayers", &M.QueryAllLayersSorted()},
    };
    for (const auto& [Stem, View] : Report) {
        EXPECT_EQ(M.FindView("RvDataSetConnectionBV" + Stem), View) << Stem;
    }
    EXPECT_EQ(M.FindView("QueryAllLayersSorted"), &M.QueryAllLayersSorted());
    EXPECT_EQ(M.FindView("ZQueryBV"), &M.ZQueryBV());
    EXPECT_EQ(M.FindView("DataSourceQueryAllLayersSorted"), nullptr);
    EXPECT_EQ(M.FindView("TableNothing"), nullptr);

    // The report's layer query: the building's layers by position.
    M.OpenBuilding("Hus");
    Strings Positions;
    TQuery& Q = M.QueryAllLayersSorted();
    for (Q.First(); !Q.Eof(); Q.Next()) {
        Positions.push_back(Q.FieldByName("POS").AsString());
    }
    EXPECT_EQ(Positions, (Strings{"1", "1", "1", "2", "2", "3"}));
}

// ===========================================================================
// Derived values

TEST(DerivedValues, BuildingRow) {
    struct Case {
        const char* Name;
        const char* Sql;
        std::map<std::string, double> Expected;
        std::vector<std::string> Empty = {};
    };
    const Case Cases[] = {
        {"as stored", "",
         {{"VENTLOSSVENT", 2250}, {"VENTLOSSLEAK", 750}, {"UTILFACTOR", 80}, {"USEDHEATGAIN", 4000},
          {"HEATINGPERM2", 50}, {"HEATINGPERSURFACE", 15}, {"TIMECONST", 25}, {"INTPOWER", 3.65},
          {"INTPOWERW", 450}}},
        // 5 x 1 / 2 = 2.5 goes to 2; the rest, 3, is leakage.
        {"halves to even", "UPDATE Buildings SET VENTLOSS = 5, VENTLOSSCOEFF = 1, LEAKLOSSCOEFF = 1, CAPACITY = 9, "
                           "HEATLOSSCOEFF = 1 WHERE ID = 'Hus';",
         {{"VENTLOSSVENT", 2}, {"VENTLOSSLEAK", 3}, {"TIMECONST", 2}}},
        {"no coefficients", "UPDATE Buildings SET VENTLOSSCOEFF = 0, LEAKLOSSCOEFF = 0 WHERE ID = 'Hus';",
         {{"VENTLOSSVENT", 0}, {"VENTLOSSLEAK", 3000}}},
        {"without gains", "UPDATE Buildings SET HEATGAIN = 0 WHERE ID = 'Hus';", {{"UTILFACTOR", 100}}},
        {"zero loss coefficient", "UPDATE Buildings SET HEATLOSSCOEFF = 0 WHERE ID = 'Hus';", {{"TIMECONST", 0}}},
        {"zero capacity", "UPDATE Buildings SET CAPACITY = 0 WHERE ID = 'Hus';", {{"TIMECONST", 0}}},
        {"no areas", "UPDATE Buildings SET AREA = 0, SURFACEAREA = NULL WHERE ID = 'Hus';",
         {{"HEATINGPERM2", 0}, {"HEATINGPERSURFACE", 0}}},
        {"empty gains count as 0",
         "UPDATE Buildings SET INTPLIGHTING = NULL, INTPUNDEFW = 5, INTPLIGHTINGW = NULL WHERE ID = 'Hus';",
         {{"INTPOWER", 3.65}, {"INTPOWERW", 455}}},
        {"a result that is no number", "UPDATE Buildings SET HEATUSAGE = 'x' WHERE ID = 'Hus';",
         {{"VENTLOSSVENT", 2250}},
         {"USEDHEATGAIN", "UTILFACTOR", "HEATINGPERM2"}},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Name);
        TSession S(K.Sql);
        TDataset& B = S.M->TableBuildings();
        ASSERT_TRUE(B.Locate({"ID"}, {std::string("Hus")}));
        for (const auto& [Col, V] : K.Expected) {
            EXPECT_NEAR(B.FieldByName(Col).AsFloat(), V, 1e-9) << Col;
        }
        for (const std::string& Col : K.Empty) {
            EXPECT_TRUE(B.FieldByName(Col).IsNull()) << Col;
        }
    }
}

TEST(DerivedValues, FollowTheEditAndTheMonthsAndWindowsHaveTheirs) {
    TSession S("UPDATE Windows SET DIRECTION = 7 WHERE ID = 'Takfönster';"
               "INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION) VALUES "
               "('Hus', 'Utan riktning', 1, 0.5, 0, 0, 1, NULL), ('Hus', 'Väst', 1, 0.5, 0, 0, 1, 2);");
    // Not opened: a window without a direction could not be loaded for a calculation.
    ASSERT_TRUE(S.M->TableBuildings().Locate({"ID"}, {std::string("Hus")}));
    TDataset& B = S.M->TableBuildings();
    B.Edit();
    B.FieldByName("HEATUSAGE").SetFloat(3000);
    EXPECT_DOUBLE_EQ(B.FieldByName("HEATINGPERM2").AsFloat(), 25);
    EXPECT_DOUBLE_EQ(B.FieldByName("USEDHEATGAIN").AsFloat(), 7000);
    B.Post();

    // Month m loses 100 m kWh, shared 30 : 10 by the building's coefficients.
    TDataset& Months = S.M->TableMonths();
    ASSERT_TRUE(Months.Locate({"MONTH"}, {int64_t{3}}));
    EXPECT_DOUBLE_EQ(Months.FieldByName("VENTLOSSVENT").AsFloat(), 225);
    EXPECT_DOUBLE_EQ(Months.FieldByName("VENTLOSSLEAK").AsFloat(), 75);
    ASSERT_TRUE(Months.Locate({"MONTH"}, {int64_t{1}}));
    EXPECT_DOUBLE_EQ(Months.FieldByName("VENTLOSSVENT").AsFloat(), 75); // 75 exactly
    EXPECT_DOUBLE_EQ(Months.FieldByName("VENTLOSSLEAK").AsFloat(), 25);

    const auto Directions = [&] {
        std::map<std::string, std::string> D;
        TDataset& W = S.M->TableWindows();
        for (W.First(); !W.Eof(); W.Next()) {
            D[W.FieldByName("ID").AsString()] = W.FieldByName("DIRECTIONSTR").AsString();
        }
        return D;
    };
    EXPECT_EQ(Directions(), (std::map<std::string, std::string>{
                                {"Söderfönster", "Söder"}, {"Takfönster", ""}, {"Utan riktning", ""}, {"Väst", "Väster"}}));
    S.M->SetDirectionNames({"N", "S", "W", "E", "H"});
    EXPECT_EQ(Directions().at("Väst"), "W");
}

// ===========================================================================
// Default-value look-ups

TEST(DefaultLookups, AChoiceSetsItsValuesAndNothingElse) {
    struct Case {
        const char* Column;
        int64_t Value;
        std::map<std::string, double> Sets;
    };
    const Case Cases[] = {
        {"N50IDNO", 12, {{"N50", 1.5}}},
        {"N50IDNO", -1, {}},
        {"P50IDNO", 1, {{"P50", 0.30}}},
        {"P50IDNO", -1, {}},
        {"INTGAINSDEF", 20,
         {{"INTGAINUNIT", 1}, {"INTPMETABOLICW", 187}, {"INTPAPPLIANCESW", 360}, {"INTPLIGHTINGW", 0},
          {"INTPUNDEFW", 0}, {"INTPOWERW", 547}}},
        {"INTGAINSDEF", 0, {}},
        {"AIRCHANGEIDNO", 6, {{"VSUPLAREA", 0.35}, {"VEXLAREA", 0}, {"VENTUNIT", 2}}},
        {"AIRCHANGEIDNO", 7, {{"VSUPLAREA", 0}, {"VEXLAREA", 0.40}, {"VENTUNIT", 2}}},
        {"AIRCHANGEIDNO", 8, {{"VSUPLAREA", 0.45}, {"VEXLAREA", 0.45}, {"VENTUNIT", 2}}},
        {"AIRCHANGEIDNO", 5, {}},
        {"AIRCHANGEIDNO", 9, {}},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(std::string(K.Column) + " " + std::to_string(K.Value));
        // A starting row where every value the choices set differs from theirs.
        TSession S("UPDATE Buildings SET N50IDNO = 13, P50IDNO = 5, INTGAINSDEF = 3, AIRCHANGEIDNO = 1, "
                   "INTGAINUNIT = 0, INTPLIGHTINGW = 9, INTPUNDEFW = 9, VENTUNIT = 1, VEXLAREA = 0.9 WHERE ID = 'Hus';");
        S.M->OpenBuilding("Hus");
        TDataset& B = S.M->TableBuildings();
        std::map<std::string, TValue> Before;
        for (const auto& F : B.Fields()) {
            Before[F->FieldName()] = F->Value();
        }
        B.Edit();
        B.FieldByName(K.Column).SetInteger(K.Value);
        EXPECT_EQ(B.State(), TDatasetState::Edit);
        for (const auto& F : B.Fields()) {
            const std::string& Col = F->FieldName();
            if (Col == K.Column) {
                EXPECT_EQ(F->AsLargeInt(), K.Value);
            } else if (K.Sets.count(Col) != 0) {
                EXPECT_NEAR(F->AsFloat(), K.Sets.at(Col), 1e-12) << Col;
            } else {
                EXPECT_EQ(F->Value(), Before[Col]) << Col;
            }
        }
    }
}

TEST(DefaultLookups, AChoiceWithoutItsValuesIsRefusedAndChangesNothing) {
    for (const auto& [Column, Value] : std::vector<std::pair<const char*, int64_t>>{{"N50IDNO", 13}, {"INTGAINSDEF", 21}}) {
        SCOPED_TRACE(Column);
        TSession S("UPDATE Buildings SET INTGAINUNIT = 0 WHERE ID = 'Hus';");
        S.M->OpenBuilding("Hus");
        TDataset& B = S.M->TableBuildings();
        std::map<std::string, TValue> Before;
        for (const auto& F : B.Fields()) {
            Before[F->FieldName()] = F->Value();
        }
        B.Edit();
        EXPECT_THROW(B.FieldByName(Column).SetInteger(Value), EBVException);
        for (const auto& F : B.Fields()) {
            EXPECT_EQ(F->Value(), Before[F->FieldName()]) << F->FieldName();
        }
        B.Cancel();
    }
}

// Copying, restoring and calculating a building store its values as they
// are, even where they differ from what its choices would look up.
TEST(DefaultLookups, StoringABuildingKeepsTheValuesItHolds) {
    TSession S;
    S.M->OpenBuilding("Hus");
    S.M->NewBuilding();
    TDataset& B = S.M->TableBuildings();
    EXPECT_DOUBLE_EQ(B.FieldByName("P50").AsFloat(), 0.33);
    EXPECT_DOUBLE_EQ(B.FieldByName("INTPMETABOLICW").AsFloat(), 150);
    EXPECT_DOUBLE_EQ(B.FieldByName("VSUPLAREA").AsFloat(), 0.35);
    S.M->OpenBuilding("Hus");
    S.M->TableDoors().Delete();
    S.M->RevertBuilding();
    EXPECT_DOUBLE_EQ(S.Float("SELECT P50 FROM Buildings WHERE ID = 'Hus'"), 0.33);
    ASSERT_TRUE(S.M->CalculateBuilding());
    EXPECT_DOUBLE_EQ(S.Float("SELECT P50 FROM Buildings WHERE ID = 'Hus'"), 0.33);
    EXPECT_DOUBLE_EQ(S.Float("SELECT INTPAPPLIANCESW FROM Buildings WHERE ID = 'Hus'"), 300);
}

// ===========================================================================
// The status flags

TEST(Flags, EachEventSetsTheFlagsOfTheTableAndNotifiesWithThem) {
    using Step = std::function<void(TSession&)>;
    const Step None = [](TSession&) {};
    const Step Edit = [](TSession& S) {
        TDataset& D = S.M->TableDoors();
        D.Edit();
        D.FieldByName("AREA").SetFloat(3);
        D.Post();
    };
    const Step Calculate = [](TSession& S) { ASSERT_TRUE(S.M->CalculateBuilding()); };
    struct Case {
        const char* Name;
        Step Setup;
        Step Event;
        TFlags Expected;
        bool Notifies = true;
    };
    // Every case starts on "Hus", stored as calculated.
    const Case Cases[] = {
        {"a row inserted", None, [](TSession& S) { S.M->NewWindow(); }, {false, true, false}},
        {"a row edited", None, Edit, {false, true, false}},
        {"a row deleted", None, [](TSession& S) { S.M->DeleteDoor(); }, {false, true, false}},
        {"a row deleted directly", None, [](TSession& S) { S.M->TableWindows().Delete(); }, {false, true, false}},
        {"a month edited", None,
         [](TSession& S) {
             TDataset& Mo = S.M->TableMonths();
             Mo.Edit();
             Mo.FieldByName("TEMP").SetFloat(3);
             Mo.Post();
         },
         {true, false, false}, false},
        {"calculated", Edit, Calculate, {true, true, false}},
        {"saved after a calculation", [&](TSession& S) { Edit(S); Calculate(S); },
         [](TSession& S) { S.M->SaveBuilding(); }, {true, false, false}},
        {"saved after an edit", Edit, [](TSession& S) { S.M->SaveBuilding(); }, {false, false, false}},
        {"new building saved as", [](TSession& S) { S.M->NewBuilding(); },
         [](TSession& S) { ASSERT_TRUE(S.M->SaveBuildingAs("Villa")); }, {false, false, false}},
        {"saved as after a calculation", [&](TSession& S) { Edit(S); Calculate(S); },
         [](TSession& S) { ASSERT_TRUE(S.M->SaveBuildingAs("Villa")); }, {true, false, false}},
        {"opened, stored uncalculated", Edit, [](TSession& S) { S.M->OpenBuilding("Granne"); }, {false, false, false}},
        {"opened, stored calculated", Edit, [](TSession& S) { S.M->OpenBuilding("hus"); }, {true, false, false}},
        {"new from an uncalculated template", None, [](TSession& S) { S.M->NewBuilding(); }, {false, true, true}},
        {"new from a calculated template",
         [](TSession& S) { S.Db->Exec("UPDATE Buildings SET CALCULATED = 'Y' WHERE ID = 'Default';"); },
         [](TSession& S) { S.M->NewBuilding(); }, {true, true, true}},
        {"new building deleted", [](TSession& S) { S.M->NewBuilding(); }, [](TSession& S) { S.M->DeleteBuilding(); },
         {false, true, false}},
        {"calculated building deleted", [&](TSession& S) { Edit(S); Calculate(S); },
         [](TSession& S) { S.M->DeleteBuilding(); }, {true, true, false}},
        {"reverted", Edit, [](TSession& S) { S.M->RevertBuilding(); }, {true, false, false}},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Name);
        TSession S;
        S.M->OpenBuilding("Hus");
        ASSERT_EQ(Flags(*S.M), (TFlags{true, false, false}));
        K.Setup(S);
        TRecorder R(*S.M);
        S.M->AttachObserver(&R);
        K.Event(S);
        S.M->DetachObserver(&R);
        EXPECT_EQ(Flags(*S.M), K.Expected);
        if (K.Notifies) {
            ASSERT_FALSE(R.Seen.empty());
            EXPECT_EQ(R.Seen.back(), K.Expected);
        }
    }
}

// ===========================================================================
// Whole flows of a building's life

TEST(Flows, NewBuildingIsACopyOfTheTemplateUnderAFreeName) {
    TSession S;
    S.M->OpenBuilding("Default");
    const std::string Template = S.Content("Default");
    S.M->NewBuilding();
    EXPECT_EQ(CurrentID(S.M->TableBuildings()), "Ny byggnad");
    EXPECT_TRUE(S.M->IsNewBuilding());
    EXPECT_EQ(S.M->TableMonths().RecordCount(), 12);
    EXPECT_EQ(S.M->TableGrounds().RecordCount(), 1);
    EXPECT_EQ(S.M->SnapshotBuilding()->GetID(), "Ny byggnad");
    S.M->NewBuilding();
    EXPECT_EQ(CurrentID(S.M->TableBuildings()), "Ny byggnad (1)");
    EXPECT_EQ(S.Content("Default"), Template);

    // Every column of the template is copied, those the calculation does
    // not use too; the time stamps are the new building's own.
    std::string Copy = S.Content("Ny byggnad");
    const auto Replace = [](std::string Text, const std::string& From, const std::string& To) {
        for (size_t P = Text.find(From); P != std::string::npos; P = Text.find(From, P + To.size())) {
            Text.replace(P, From.size(), To);
        }
        return Text;
    };
    Copy = Replace(Copy, "'Ny byggnad'", "'Default'");
    Copy = Replace(Copy, "'00:00:00'|'00:00:00'", "'10:11:12'|'13:14:15'");
    EXPECT_EQ(Copy, Template);
    EXPECT_EQ(S.Text("SELECT CREATED FROM Buildings WHERE ID = 'Ny byggnad'"), "00:00:00");
    EXPECT_DOUBLE_EQ(S.Float("SELECT WINDSPEED FROM Grounds WHERE BUILDING = 'Ny byggnad'"), 4);

    // A template that is missing is a clear error and nothing is made.
    S.M->SetTemplateBuildingName("Saknas");
    const std::string Before = S.Dump();
    EXPECT_THROW(S.M->NewBuilding(), EBVException);
    EXPECT_EQ(S.Dump(), Before);
}

TEST(Flows, NewBuildingEditedAndSavedAsLeavesNoTraceOfItsGeneratedName) {
    TSession S;
    S.M->OpenBuilding("Default");
    S.M->NewBuilding();
    S.M->NewWindow();
    S.M->TakeComponentFromArchive(ckOuterWall);
    S.M->TableOuterWalls().Edit();
    S.M->TableOuterWalls().FieldByName("AREA").SetFloat(42); // left pending
    TDataset& B = S.M->TableBuildings();
    B.Edit();
    B.FieldByName("INFO").SetString("Villa vid sjön"); // left pending
    ASSERT_TRUE(S.M->SaveBuildingAs("Villa"));

    EXPECT_EQ(S.RowsOf("Ny byggnad"), 0);
    EXPECT_EQ(CurrentID(B), "Villa");
    EXPECT_EQ(Flags(*S.M), (TFlags{false, false, false}));
    EXPECT_EQ(S.Text("SELECT INFO FROM Buildings WHERE ID = 'Villa'"), "Villa vid sjön");
    EXPECT_EQ(S.Column("SELECT ID, AREA, NLAYERS FROM LayeredComponents WHERE BUILDING = 'Villa'"),
              (Strings{"'Arkivvägg'|42|2"}));
    EXPECT_EQ(S.Count("Layers", "BUILDING = 'Villa' AND COMPONENT = 'Arkivvägg'"), 2);
    EXPECT_EQ(S.Column("SELECT ID FROM Windows WHERE BUILDING = 'Villa'"), (Strings{"'Nytt fönster'"}));
    EXPECT_EQ(S.Count("Months", "BUILDING = 'Villa'"), 12);
    EXPECT_EQ(S.M->TableWindows().RecordCount(), 1);

    // Reverting the saved building now returns to what was saved.
    S.M->DeleteWindow();
    S.M->RevertBuilding();
    EXPECT_EQ(S.Count("Windows", "BUILDING = 'Villa'"), 1);
}

TEST(Flows, SaveAsKeepsTheOldNameAsItWasLastSaved) {
    TSession S;
    S.M->OpenBuilding("Hus");
    const std::string Saved = S.Content("Hus");
    const std::string Neighbour = S.Content("Granne");
    S.M->DeleteWindow();
    S.M->NewDoor();
    S.M->RenameComponent(ckOuterWall, "Fasad");
    TDataset& G = S.M->TableGrounds();
    G.Edit();
    G.FieldByName("PERIMETER").SetFloat(77);
    G.Post();
    std::string Edited = S.Content("Hus");
    ASSERT_TRUE(S.M->SaveBuildingAs("Hus 2"));
    // Saved as edited, and not calculated since the edits.
    Edited.replace(Edited.find("|'Y'|'10:11:12'"), 15, "|'N'|'10:11:12'");

    EXPECT_EQ(S.Content("Hus"), Saved);
    EXPECT_EQ(S.Content("Granne"), Neighbour);
    std::string Copy = S.Content("Hus 2");
    for (size_t P = Copy.find("'Hus 2'"); P != std::string::npos; P = Copy.find("'Hus 2'", P)) {
        Copy.replace(P, 7, "'Hus'");
    }
    // Only the time stamps are the new building's own.
    for (size_t P = Copy.find("'00:00:00'|'00:00:00'"); P != std::string::npos; P = Copy.find("'00:00:00'|'00:00:00'", P)) {
        Copy.replace(P, 21, "'10:11:12'|'13:14:15'");
    }
    EXPECT_EQ(Copy, Edited);
    EXPECT_EQ(CurrentID(S.M->TableBuildings()), "Hus 2");
    EXPECT_EQ(S.M->SnapshotBuilding()->GetID(), "Hus 2");
}

TEST(Flows, SaveAsRefusesNamesAndChangesNothing) {
    const std::string Long(100, 'x');
    for (const std::string& Name : {std::string(), Long, std::string("granne"), std::string("GRANNE"),
                                    std::string("HUS"), std::string("default")}) {
        SCOPED_TRACE(Name);
        TSession S;
        S.M->OpenBuilding("Hus");
        S.M->DeleteDoor();
        const std::string Before = S.Dump();
        const TFlags F = Flags(*S.M);
        EXPECT_FALSE(S.M->SaveBuildingAs(Name));
        EXPECT_EQ(S.Dump(), Before);
        EXPECT_EQ(Flags(*S.M), F);
    }
    // Lengths count characters: 99 two-byte letters are a valid name.
    TSession S;
    S.M->OpenBuilding("Hus");
    std::string Name;
    for (int I = 0; I < 99; ++I) Name += "ä";
    EXPECT_TRUE(S.M->SaveBuildingAs(Name));
    EXPECT_EQ(CurrentID(S.M->TableBuildings()), Name);
}

// Saving under the building's own name stores the edited state: what was
// deleted since the last save stays deleted.
TEST(Flows, SaveAsUnderItsOwnNameKeepsTheEdits) {
    TSession S;
    S.M->OpenBuilding("Hus");
    ASSERT_TRUE(S.M->TableWindows().Locate({"ID"}, {std::string("Söderfönster")}));
    S.M->DeleteWindow();
    S.M->DeleteLayeredComponent(ckRoof);
    std::string Edited = S.Content("Hus");
    Edited.replace(Edited.find("|'Y'|'10:11:12'"), 15, "|'N'|'10:11:12'"); // not calculated since the edits
    ASSERT_TRUE(S.M->SaveBuildingAs("Hus"));
    EXPECT_EQ(S.Content("Hus"), Edited);
    EXPECT_EQ(S.Column("SELECT ID FROM Windows WHERE BUILDING = 'Hus'"), (Strings{"'Takfönster'"}));
    EXPECT_FALSE(S.M->IsModified());
}

TEST(Flows, RevertRestoresEveryRowAsLastSavedIncludingDeletedOnes) {
    TSession S;
    S.M->OpenBuilding("Hus");
    const std::string Opened = S.Content("Hus");
    const std::string Others = S.Content("Granne") + S.Content("Default");
    TDataModuleBuildingData& M = *S.M;
    M.DeleteWindow();
    M.DeleteDoor();
    M.DeleteLayeredComponent(ckRoof);
    M.RenameComponent(ckOuterWall, "Fasad");
    M.PreDefData().ArchiveViews(ckOuterWall).Materials.First();
    M.InsertLayer(ckOuterWall);
    M.RemoveLayer(ckOuterWall);
    M.NewLayeredComponent(ckInnerWall);
    M.SetGroundTypeData(FinlandHeatedCellar1);
    M.ApplyClimateProfile();
    TDataset& B = M.TableBuildings();
    B.Edit();
    B.FieldByName("AREA").SetFloat(999); // left pending
    ASSERT_NE(S.Content("Hus"), Opened);

    M.RevertBuilding();
    EXPECT_EQ(S.Content("Hus"), Opened);
    EXPECT_EQ(S.Content("Granne") + S.Content("Default"), Others);
    EXPECT_EQ(Flags(M), (TFlags{true, false, false}));
    EXPECT_EQ(CurrentID(B), "Hus");
    EXPECT_DOUBLE_EQ(B.FieldByName("AREA").AsFloat(), 120);
    EXPECT_EQ(M.TableWindows().RecordCount(), 2);
    EXPECT_EQ(LayerPositions(M.TableOuterWallLayers()), (Strings{"Gips@1", "Mineralull@2", "Tegel@3"}));

    // After a save, the saved state is the one returned to; an edit left
    // pending in any view, the windows too, is part of it.
    M.DeleteDoor();
    M.TableWindows().Edit();
    M.TableWindows().FieldByName("AREA").SetFloat(9);
    M.SaveBuilding();
    EXPECT_EQ(M.TableWindows().State(), TDatasetState::Browse);
    EXPECT_EQ(S.Count("Windows", "BUILDING = 'Hus' AND AREA = 9"), 1);
    const std::string Saved = S.Content("Hus");
    M.NewDoor();
    M.RevertBuilding();
    EXPECT_EQ(S.Content("Hus"), Saved);
    EXPECT_EQ(S.Count("Doors", "BUILDING = 'Hus'"), 0);
    EXPECT_EQ(S.Count("Windows", "BUILDING = 'Hus' AND AREA = 9"), 1);
}

TEST(Flows, RevertOfANewBuildingRemovesIt) {
    TSession S;
    S.M->OpenBuilding("Hus");
    const std::string Before = S.Dump();
    S.M->NewBuilding();
    S.M->NewWindow();
    S.M->RevertBuilding();
    EXPECT_EQ(S.RowsOf("Ny byggnad"), 0);
    EXPECT_EQ(S.Dump(), Before);
    EXPECT_FALSE(S.M->IsNewBuilding());
}

// The snapshot belongs to the building that was opened: it is never
// written over another building that became current meanwhile.
TEST(Flows, RevertRefusesABuildingOtherThanTheOneOpened) {
    TSession S;
    S.M->OpenBuilding("Hus");
    ASSERT_TRUE(S.M->TableBuildings().Locate({"ID"}, {std::string("Granne")}));
    const std::string Before = S.Dump();
    EXPECT_THROW(S.M->RevertBuilding(), EBVException);
    EXPECT_EQ(S.Dump(), Before);
}

TEST(Flows, DeleteRemovesEveryMemberRowAndNothingOfAnotherBuilding) {
    // A member row whose building name differs in case belongs to it too,
    // as the views show it.
    TSession S("INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES ('HUS', 'Källardörr', 1, 1);");
    S.M->OpenBuilding("Hus");
    EXPECT_EQ(S.M->TableDoors().RecordCount(), 2);
    const std::string Others = S.Content("Granne") + S.Content("Default");
    const int64_t OtherRows = S.RowsOf("Granne") + S.RowsOf("Default");
    S.M->DeleteDoor(); // modified, not calculated
    const TFlags F = Flags(*S.M);
    S.M->DeleteBuilding();
    EXPECT_EQ(S.RowsOf("Hus"), 0);
    EXPECT_EQ(S.Content("Granne") + S.Content("Default"), Others);
    EXPECT_EQ(S.RowsOf("Granne") + S.RowsOf("Default"), OtherRows);
    EXPECT_EQ(Flags(*S.M), (TFlags{F.Calculated, F.Modified, false}));
    // The views show another building; opening it goes on from there.
    EXPECT_NE(CurrentID(S.M->TableBuildings()), "Hus");
    EXPECT_EQ(S.M->TableBuildings().RecordCount(), 2);
    S.M->OpenBuilding("Default");
    EXPECT_EQ(S.M->TableMonths().RecordCount(), 12);
}

// The shipped database: a new building from its template, built from the
// archive, calculated and saved under a name of its own.
TEST(Flows, ShippedTemplateGivesABuildingThatCalculates) {
    TSession S("", true);
    TDataModuleBuildingData& M = *S.M;
    M.OpenBuilding(M.TemplateBuildingName());
    const std::string Template = S.Content("Default");
    M.NewBuilding();
    M.TakeComponentFromArchive(ckOuterWall);
    M.TableOuterWalls().Edit();
    M.TableOuterWalls().FieldByName("AREA").SetFloat(120);
    M.TakeComponentFromArchive(ckRoof);
    M.TableRoofs().Edit();
    M.TableRoofs().FieldByName("AREA").SetFloat(150);
    M.TakeComponentFromArchive(ckGroundSlab);
    M.TableGroundSlabs().Edit();
    M.TableGroundSlabs().FieldByName("AREA").SetFloat(150);
    M.TakeWindowFromArchive();
    M.TableWindows().Edit();
    M.TableWindows().FieldByName("AREA").SetFloat(12);
    M.TakeDoorFromArchive();
    ASSERT_TRUE(M.CalculateBuilding());
    EXPECT_TRUE(M.IsCalculated());
    EXPECT_GT(S.Float("SELECT HEATUSAGE FROM Buildings WHERE ID = 'Ny byggnad'"), 0);
    ASSERT_TRUE(M.SaveBuildingAs("Villa"));
    EXPECT_TRUE(M.IsCalculated());
    EXPECT_EQ(S.Text("SELECT CALCULATED FROM Buildings WHERE ID = 'Villa'"), "Y");
    EXPECT_EQ(S.RowsOf("Ny byggnad"), 0);
    EXPECT_EQ(S.Content("Default"), Template);
    // Choosing another foundation kind keeps a building that calculates.
    M.SetGroundTypeData(SuspendedFloor);
    M.TakeComponentFromArchive(ckGroundFloor);
    M.TableGroundFloors().Edit();
    M.TableGroundFloors().FieldByName("AREA").SetFloat(150);
    TDataset& G = M.TableGrounds();
    G.Edit();
    G.FieldByName("WALLHEIGHT").SetFloat(500);
    G.FieldByName("WALLDEPTH").SetFloat(300);
    G.FieldByName("VENTILATIONAREA").SetFloat(2000);
    G.Post();
    EXPECT_TRUE(M.CalculateBuilding());
}

// ===========================================================================
// Constructions and their layers

TEST(Constructions, TakenFromTheArchiveWithItsLayers) {
    struct Case {
        int Kind;
        const char* Archived;
        const char* Name;
        Strings Layers;
    };
    const Case Cases[] = {
        {ckOuterWall, "Arkivvägg", "Arkivvägg", {"'Gips'|1|13|'Y'", "'Mineralull'|2|195|'N'"}},
        // "Hus" has an outer wall of that name already.
        {ckOuterWall, "Vägg", "Vägg (1)", {"'Tegel'|1|240|'N'"}},
        // Positions 1 and 3 in the archive: each layer once, numbered 1, 2.
        {ckOuterWall, "Glapp", "Glapp", {"'Gips'|1|13|'Y'", "'Tegel'|2|120|'N'"}},
        {ckRoof, "Tomt", "Tomt", {}},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Archived);
        TSession S;
        S.M->OpenBuilding("Hus");
        ASSERT_TRUE(S.PreDef->ArchiveViews(K.Kind).Components.Locate({"ID"}, {std::string(K.Archived)}));
        S.M->TakeComponentFromArchive(K.Kind);
        TDataset& C = S.M->ComponentView(K.Kind);
        EXPECT_EQ(CurrentID(C), K.Name);
        EXPECT_DOUBLE_EQ(C.FieldByName("AREA").AsFloat(), 0);
        EXPECT_EQ(C.FieldByName("NLAYERS").AsInteger(), static_cast<int>(K.Layers.size()));
        const std::string Where = "BUILDING = 'Hus' AND COMPONENT = '" + std::string(K.Name) + "' AND TYPE = '" +
                                  ComponentTypeName(K.Kind) + "'";
        EXPECT_EQ(S.Column("SELECT ID, POS, DEPTH, LOCKEDDEPTH FROM Layers WHERE " + Where + " ORDER BY POS"), K.Layers);
        EXPECT_EQ(S.M->LayerView(K.Kind).RecordCount(), static_cast<int>(K.Layers.size()));
        EXPECT_TRUE(S.M->IsModified());
        // The report's view of all layers knows them too.
        EXPECT_EQ(S.M->TableLayers().RecordCount(), static_cast<int>(6 + K.Layers.size()));
    }
}

TEST(Constructions, NewAndDeletedWithEveryLayer) {
    TSession S("UPDATE Layers SET POS = 7 WHERE BUILDING = 'Hus' AND COMPONENT = 'Vägg' AND POS = 2;");
    S.M->OpenBuilding("Hus");
    S.M->NewLayeredComponent(ckRoof);
    S.M->NewLayeredComponent(ckRoof);
    EXPECT_EQ(S.Column("SELECT ID, NLAYERS, AREA FROM LayeredComponents WHERE BUILDING = 'Hus' AND TYPE = 'Roof' "
                       "ORDER BY rowid"),
              (Strings{"'Tak'|1|120", "'Nytt tak'|0|0", "'Nytt tak (1)'|0|0"}));
    // Positions 1, 3, 7: every layer goes with the construction.
    ASSERT_TRUE(S.M->TableOuterWalls().Locate({"ID"}, {std::string("Vägg")}));
    S.M->DeleteLayeredComponent(ckOuterWall);
    EXPECT_EQ(S.Count("Layers", "BUILDING = 'Hus' AND TYPE = 'OuterWall'"), 0);
    EXPECT_EQ(S.Count("LayeredComponents", "BUILDING = 'Hus' AND TYPE = 'OuterWall'"), 0);
    EXPECT_EQ(S.Count("Layers", "BUILDING = 'Granne' AND COMPONENT = 'Vägg'"), 1);
    EXPECT_TRUE(S.M->TableOuterWalls().IsEmpty());
    S.M->DeleteLayeredComponent(ckOuterWall); // nothing left: nothing happens
}

TEST(Constructions, RenameMovesTheLayersAlong) {
    for (const std::string& Name : {std::string("Fasad"), std::string("VÄGG"), std::string("vägg"), std::string("Tak")}) {
        SCOPED_TRACE(Name);
        TSession S;
        S.M->OpenBuilding("Hus");
        const int64_t Rowid = S.M->TableOuterWalls().RowId();
        S.M->RenameComponent(ckOuterWall, Name);
        EXPECT_EQ(CurrentID(S.M->TableOuterWalls()), Name);
        EXPECT_EQ(S.M->TableOuterWalls().RowId(), Rowid);
        EXPECT_EQ(S.Column("SELECT ID, NLAYERS, AREA FROM LayeredComponents WHERE BUILDING = 'Hus' AND TYPE = "
                           "'OuterWall'"),
                  (Strings{"'" + Name + "'|3|50"}));
        EXPECT_EQ(S.Column("SELECT COMPONENT || '/' || POS FROM Layers WHERE BUILDING = 'Hus' AND TYPE = 'OuterWall' "
                           "ORDER BY POS"),
                  (Strings{"'" + Name + "/1'", "'" + Name + "/2'", "'" + Name + "/3'"}));
        EXPECT_EQ(LayerPositions(S.M->TableOuterWallLayers()), (Strings{"Gips@1", "Mineralull@2", "Tegel@3"}));
        EXPECT_EQ(S.Count("Layers", "BUILDING = 'Granne' AND COMPONENT = 'Vägg'"), 1);
        EXPECT_EQ(S.Count("Layers", "BUILDING = 'Hus' AND TYPE = 'Roof' AND COMPONENT = 'Tak'"), 1);
    }
}

TEST(Constructions, RenameRefusesTheNameOfAnotherAndChangesNothing) {
    TSession S("INSERT INTO LayeredComponents (BUILDING, TYPE, ID) VALUES ('Hus', 'OuterWall', 'Gavel');");
    S.M->OpenBuilding("Hus");
    ASSERT_TRUE(S.M->TableOuterWalls().Locate({"ID"}, {std::string("Vägg")}));
    const std::string Before = S.Dump();
    for (const std::string& Name : {std::string("Gavel"), std::string("GAVEL"), std::string()}) {
        EXPECT_THROW(S.M->RenameComponent(ckOuterWall, Name), EBVException) << Name;
        EXPECT_EQ(S.Dump(), Before);
        EXPECT_EQ(CurrentID(S.M->TableOuterWalls()), "Vägg");
    }
    EXPECT_THROW(S.M->RenameComponent(ckInnerWall, "X"), EBVException); // no inner wall
}

TEST(Constructions, ComponentExistsComparesExactlyWithBoundValues) {
    TSession S("INSERT INTO LayeredComponents (BUILDING, TYPE, ID) VALUES ('Hus', 'OuterWall', 'O''Brien'' vägg');");
    S.M->OpenBuilding("Hus");
    struct Case {
        const char* Building;
        const char* Type;
        const char* ID;
        bool Exists;
    };
    const Case Cases[] = {
        {"Hus", "OuterWall", "Vägg", true},   {"Hus", "OuterWall", "vägg", false},
        {"Hus", "OuterWall", "VÄGG", false},  {"hus", "OuterWall", "Vägg", false},
        {"Hus", "Roof", "Vägg", false},       {"Granne", "OuterWall", "Vägg", true},
        {"Hus", "OuterWall", "O'Brien' vägg", true}, {"Hus", "OuterWall", "x' OR '1' = '1", false},
    };
    for (const Case& K : Cases) {
        EXPECT_EQ(S.M->ComponentExists(K.Building, K.Type, K.ID), K.Exists) << K.Building << "/" << K.Type << "/" << K.ID;
    }
}

TEST(Constructions, ArchivedWithItsLayersUnlessTheArchiveHoldsTheName) {
    TSession S;
    S.M->OpenBuilding("Hus");
    TDataset& Archive = S.PreDef->ArchiveViews(ckOuterWall).Components;
    ASSERT_TRUE(Archive.Locate({"ID"}, {std::string("Glapp")}));
    const auto ArchiveRows = [&] {
        Strings Rows = S.Column("SELECT * FROM LayeredComponentsPreDef ORDER BY rowid");
        for (const std::string& R : S.Column("SELECT * FROM LayersPreDefUsed ORDER BY rowid")) {
            Rows.push_back(R);
        }
        return Rows;
    };
    const Strings Before = ArchiveRows();
    for (const char* Taken : {"Arkivvägg", "arkivvägg", "ARKIVVÄGG"}) {
        EXPECT_FALSE(S.M->ArchiveComponent(ckOuterWall, Taken)) << Taken;
        EXPECT_EQ(ArchiveRows(), Before);
        EXPECT_EQ(CurrentID(Archive), "Glapp");
    }
    // The kind's archive only: an outer wall may take the name of a roof.
    EXPECT_TRUE(S.M->ArchiveComponent(ckOuterWall, "Tomt"));
    // A layer left under the name is replaced, not kept as a fourth layer.
    EXPECT_TRUE(S.M->ArchiveComponent(ckOuterWall, "Kvarglömd"));
    EXPECT_EQ(S.Column("SELECT TYPE, NLAYERS FROM LayeredComponentsPreDef WHERE ID = 'Kvarglömd'"),
              (Strings{"'OuterWall'|3"}));
    EXPECT_EQ(S.Column("SELECT POS, TYPE, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, LOCKEDDEPTH FROM LayersPreDefUsed "
                       "WHERE COMPONENT = 'Kvarglömd' ORDER BY POS"),
              (Strings{"1|'OuterWall'|'Gips'|0.25|1090|900|13|1", "2|'OuterWall'|'Mineralull'|0.036999999999999998|840|30|145|0",
                       "3|'OuterWall'|'Tegel'|0.59999999999999998|840|1600|120|0"}));
    EXPECT_EQ(CurrentID(Archive), "Glapp");
    // Archiving is no change of the building.
    EXPECT_FALSE(S.M->IsModified());

    // The archived construction comes back as it went in.
    ASSERT_TRUE(Archive.Locate({"ID"}, {std::string("Kvarglömd")}));
    S.M->TakeComponentFromArchive(ckOuterWall);
    EXPECT_EQ(LayerPositions(S.M->TableOuterWallLayers()), (Strings{"Gips@1", "Mineralull@2", "Tegel@3"}));
}

TEST(Layers, AddInsertReplaceRemoveAndRenumber) {
    struct Case {
        const char* Name;
        const char* Material;
        int CurrentPos; // 0: none
        std::function<void(TDataModuleBuildingData&)> Op;
        Strings Expected;
        const char* ExpectedCurrent;
    };
    const auto Add = [](TDataModuleBuildingData& M) { M.AddLayer(ckOuterWall); };
    const auto Insert = [](TDataModuleBuildingData& M) { M.InsertLayer(ckOuterWall); };
    const auto Replace = [](TDataModuleBuildingData& M) { M.ReplaceLayer(ckOuterWall); };
    const auto Remove = [](TDataModuleBuildingData& M) { M.RemoveLayer(ckOuterWall); };
    const Case Cases[] = {
        {"add", "Tegel", 1, Add, {"Gips@1@13", "Mineralull@2@145", "Tegel@3@120", "Tegel@4@120"}, "Tegel@4@120"},
        {"insert before the second", "Tegel", 2, Insert,
         {"Gips@1@13", "Tegel@2@120", "Mineralull@3@145", "Tegel@4@120"}, "Tegel@2@120"},
        {"insert before the first", "Gips", 1, Insert,
         {"Gips@1@13", "Gips@2@13", "Mineralull@3@145", "Tegel@4@120"}, "Gips@1@13"},
        {"replace, thickness not locked", "Mineralull", 3, Replace,
         {"Gips@1@13", "Mineralull@2@145", "Mineralull@3@120"}, "Mineralull@3@120"},
        {"replace, thickness locked", "Gips", 2, Replace, {"Gips@1@13", "Gips@2@13", "Tegel@3@120"}, "Gips@2@13"},
        {"remove the first", "Tegel", 1, Remove, {"Mineralull@1@145", "Tegel@2@120"}, "Mineralull@1@145"},
        {"remove the last", "Tegel", 3, Remove, {"Gips@1@13", "Mineralull@2@145"}, "Mineralull@2@145"},
    };
    const auto Rows = [](TDataset& L) {
        Strings Out;
        const TBookmark B = L.GetBookmark();
        for (L.First(); !L.Eof(); L.Next()) {
            Out.push_back(L.FieldByName("ID").AsString() + "@" + L.FieldByName("POS").AsString() + "@" +
                          L.FieldByName("DEPTH").AsString());
        }
        L.GotoBookmark(B);
        return Out;
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Name);
        TSession S;
        S.M->OpenBuilding("Hus");
        ASSERT_TRUE(S.PreDef->ArchiveViews(ckOuterWall).Materials.Locate({"ID"}, {std::string(K.Material)}));
        TDataset& L = S.M->TableOuterWallLayers();
        ASSERT_TRUE(L.Locate({"POS"}, {int64_t{K.CurrentPos}}));
        K.Op(*S.M);
        EXPECT_EQ(Rows(L), K.Expected);
        EXPECT_EQ(L.FieldByName("ID").AsString() + "@" + L.FieldByName("POS").AsString() + "@" +
                      L.FieldByName("DEPTH").AsString(),
                  K.ExpectedCurrent);
        // The stored rows agree with the view, and NLAYERS counts them.
        Strings Stored = S.Column("SELECT printf('%s@%d@%g', ID, POS, DEPTH) FROM Layers WHERE BUILDING = 'Hus' AND "
                                  "COMPONENT = 'Vägg' ORDER BY POS");
        for (std::string& R : Stored) R = R.substr(1, R.size() - 2);
        EXPECT_EQ(Stored, K.Expected);
        EXPECT_EQ(S.Int("SELECT NLAYERS FROM LayeredComponents WHERE BUILDING = 'Hus' AND ID = 'Vägg'"),
                  static_cast<int64_t>(K.Expected.size()));
        EXPECT_TRUE(S.M->IsModified());
    }
}

TEST(Layers, AConstructionWithoutLayersAndPositionsWithGaps) {
    TSession S("UPDATE Layers SET POS = 5 WHERE BUILDING = 'Hus' AND COMPONENT = 'Vägg' AND POS = 3;"
               "UPDATE Layers SET POS = 4 WHERE BUILDING = 'Hus' AND COMPONENT = 'Vägg' AND POS = 2;");
    S.M->OpenBuilding("Hus");
    TDataModuleBuildingData& M = *S.M;
    ASSERT_TRUE(S.PreDef->ArchiveViews(ckOuterWall).Materials.Locate({"ID"}, {std::string("Tegel")}));
    // Positions 1, 4, 5: an added layer goes after the last, renumbering
    // closes the gaps and stays on the current layer.
    M.AddLayer(ckOuterWall);
    EXPECT_EQ(LayerPositions(M.TableOuterWallLayers()), (Strings{"Gips@1", "Mineralull@4", "Tegel@5", "Tegel@6"}));
    ASSERT_TRUE(M.TableOuterWallLayers().Locate({"POS"}, {int64_t{5}}));
    M.RenumberLayers(ckOuterWall);
    EXPECT_EQ(LayerPositions(M.TableOuterWallLayers()), (Strings{"Gips@1", "Mineralull@2", "Tegel@3", "Tegel@4"}));
    EXPECT_EQ(M.TableOuterWallLayers().FieldByName("POS").AsInteger(), 3);
    EXPECT_EQ(M.TableOuterWalls().FieldByName("NLAYERS").AsInteger(), 4);

    // A construction without layers: insert and replace give the first layer.
    M.NewLayeredComponent(ckOuterWall);
    M.RemoveLayer(ckOuterWall); // nothing to remove
    M.InsertLayer(ckOuterWall);
    EXPECT_EQ(LayerPositions(M.TableOuterWallLayers()), (Strings{"Tegel@1"}));
    M.NewLayeredComponent(ckOuterWall);
    M.ReplaceLayer(ckOuterWall);
    EXPECT_EQ(LayerPositions(M.TableOuterWallLayers()), (Strings{"Tegel@1"}));
    EXPECT_EQ(M.TableOuterWalls().FieldByName("NLAYERS").AsInteger(), 1);
    EXPECT_EQ(M.TableOuterWallLayers().FieldByName("TYPE").AsString(), "OuterWall");
    EXPECT_EQ(M.TableOuterWallLayers().FieldByName("BUILDING").AsString(), "Hus");

    // A kind without a construction, or without materials, is a clear error.
    EXPECT_THROW(M.AddLayer(ckInnerWall), EBVException);
    M.NewLayeredComponent(ckInnerWall);
    EXPECT_THROW(M.AddLayer(ckInnerWall), EBVException);
    EXPECT_THROW(M.AddLayer(7), EBVException);
}

// ===========================================================================
// Windows and doors

TEST(WindowsAndDoors, NewTakenRenamedArchivedAndDeleted) {
    TSession S;
    S.M->OpenBuilding("Hus");
    TDataModuleBuildingData& M = *S.M;
    M.NewWindow();
    M.NewWindow();
    M.TakeWindowFromArchive();
    EXPECT_EQ(S.Column("SELECT ID, UVALUE, GVALUE, FRAMEFACTOR, SHADING, AREA, DIRECTION FROM Windows WHERE "
                       "BUILDING = 'Hus' ORDER BY rowid"),
              (Strings{"'Söderfönster'|1.1000000000000001|0.5|25|20|4|1", "'Takfönster'|1.3999999999999999|0.45000000000000001|30|0|1|4",
                       "'Nytt fönster'|2|0.59999999999999998|0|0|0|0", "'Nytt fönster (1)'|2|0.59999999999999998|0|0|0|0",
                       "'Arkivfönster'|1.2|0.5|30|0|1.5|0"}));
    M.NewDoor();
    M.TakeDoorFromArchive();
    M.TakeDoorFromArchive();
    EXPECT_EQ(S.Column("SELECT ID, UVALUE, AREA FROM Doors WHERE BUILDING = 'Hus' ORDER BY rowid"),
              (Strings{"'Ytterdörr'|1.2|2", "'Ny dörr'|0|0", "'Arkivdörr'|1.1000000000000001|2", "'Arkivdörr (1)'|1.1000000000000001|2"}));

    // Renaming: onto another's name (any case) refused, own case change fine.
    EXPECT_EQ(CurrentID(M.TableDoors()), "Arkivdörr (1)");
    EXPECT_THROW(M.RenameDoor("arkivdörr"), EBVException);
    EXPECT_THROW(M.RenameDoor(""), EBVException);
    M.RenameDoor("ARKIVDÖRR (1)");
    M.RenameDoor("Källardörr");
    EXPECT_EQ(S.Count("Doors", "BUILDING = 'Hus' AND ID = 'Källardörr'"), 1);
    ASSERT_TRUE(M.TableWindows().Locate({"ID"}, {std::string("Takfönster")}));
    EXPECT_THROW(M.RenameWindow("SÖDERFÖNSTER"), EBVException);
    M.RenameWindow("Ljusinsläpp");
    EXPECT_EQ(S.Count("Windows", "BUILDING = 'Hus' AND ID = 'Ljusinsläpp' AND AREA = 1"), 1);

    // Archiving: the archive's name refused, the archive view stays put.
    TDataset& WA = S.PreDef->TableWindows();
    EXPECT_FALSE(M.ArchiveWindow("ARKIVFÖNSTER"));
    EXPECT_TRUE(M.ArchiveWindow("Takljus"));
    EXPECT_EQ(S.Column("SELECT UVALUE, GVALUE, AREA, FRAMEFACTOR FROM WindowsPreDef WHERE ID = 'Takljus'"),
              (Strings{"1.3999999999999999|0.45000000000000001|1|30"}));
    EXPECT_EQ(CurrentID(WA), "Arkivfönster");
    EXPECT_EQ(WA.RecordCount(), 2);
    EXPECT_FALSE(M.ArchiveDoor("arkivdörr"));
    EXPECT_TRUE(M.ArchiveDoor("Källare"));
    EXPECT_EQ(S.Column("SELECT UVALUE, AREA FROM DoorsPreDef WHERE ID = 'Källare'"), (Strings{"1.1000000000000001|2"}));
    EXPECT_EQ(CurrentID(S.PreDef->TableDoors()), "Arkivdörr");

    M.DeleteWindow();
    M.DeleteDoor();
    EXPECT_EQ(S.Count("Windows", "BUILDING = 'Hus' AND ID = 'Ljusinsläpp'"), 0);
    EXPECT_EQ(S.Count("Doors", "BUILDING = 'Hus' AND ID = 'Källardörr'"), 0);
    EXPECT_EQ(S.Count("Windows", "BUILDING = 'Granne'"), 1);
}

// ===========================================================================
// Climate profile, foundation kind, soil

TEST(BuildingData, ClimateProfileCopiesItsMonths) {
    TSession S("UPDATE Buildings SET WEATHERINFO = 'gammal' WHERE ID = 'Hus';");
    S.M->OpenBuilding("Hus");
    S.M->ApplyClimateProfile();
    EXPECT_EQ(S.Column("SELECT MONTH, DAYS, TEMP, RADNORTH, RADSOUTH, RADWEST, RADEAST, RADHOR FROM Months WHERE "
                       "BUILDING = 'Hus' AND MONTH IN (1, 12) ORDER BY MONTH"),
              (Strings{"1|30|-13|1|10|5|5|20", "12|30|9|12|120|60|60|240"}));
    // The profile's text goes into the building row, left being edited.
    TDataset& B = S.M->TableBuildings();
    EXPECT_EQ(B.State(), TDatasetState::Edit);
    EXPECT_EQ(B.FieldByName("WEATHERINFO").AsString(), "Norrbotten, 67 °N");
    EXPECT_EQ(S.Count("Months", "BUILDING = 'Granne' AND TEMP = -4"), 1);
    EXPECT_EQ(S.M->TableMonths().RecordCount(), 12);
}

TEST(BuildingData, ClimateProfileThatCannotApplyChangesNothing) {
    struct Case {
        const char* Name;
        const char* Sql;
    };
    const Case Cases[] = {
        {"no such profile", "UPDATE Buildings SET WEATHERID = 'Malmö' WHERE ID = 'Hus';"},
        {"name in other case", "UPDATE Buildings SET WEATHERID = 'KIRUNA' WHERE ID = 'Hus';"},
        {"no profile chosen", "UPDATE Buildings SET WEATHERID = NULL WHERE ID = 'Hus';"},
        {"profile lacks a month", "UPDATE Buildings SET WEATHERID = 'Kort' WHERE ID = 'Hus';"},
        {"building lacks a month", "DELETE FROM Months WHERE BUILDING = 'Hus' AND MONTH = 12;"},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Name);
        TSession S(K.Sql);
        S.M->TableBuildings().Locate({"ID"}, {std::string("Hus")});
        const std::string Before = S.Dump();
        EXPECT_THROW(S.M->ApplyClimateProfile(), EBVException);
        EXPECT_EQ(S.Dump(), Before);
        EXPECT_EQ(S.M->TableBuildings().State(), TDatasetState::Browse);
    }
}

TEST(BuildingData, FoundationKindClearsItsDataAndConstructions) {
    struct Case {
        int Kind;
        Strings Cleared; // list positions set to 0
    };
    const Case Cases[] = {
        {Slab, {}}, {SuspendedFloor, {}}, {FinlandVertical1, {"SPECIALVAR1", "SPECIALVAR2"}},
        {FinlandVertical2, {"SPECIALVAR1"}}, {FinlandSuspended1, {"SPECIALVAR1"}},
        {FinlandHeatedCellar1, {"SPECIALVAR1", "SPECIALVAR2", "SPECIALVAR3"}},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(GroundTypeKey(K.Kind));
        TSession S("UPDATE Grounds SET WALLHEIGHT = 1, WALLDEPTH = 2, UWALL = 3, UVALUE = 4, ISOCOND = 5, "
                   "VENTILATIONAREA = 6, ISOWIDTH = 7, ISOLENGTH = 8, SPECIALVAR1 = 11, SPECIALVAR2 = 12, "
                   "SPECIALVAR3 = 13 WHERE BUILDING = 'Hus';"
                   "INSERT INTO LayeredComponents (BUILDING, TYPE, ID, NLAYERS) VALUES ('Hus', 'GroundFloor', 'Golv', 1),"
                   " ('Hus', 'GroundWall', 'Mur', 1), ('Granne', 'GroundSlab', 'Platta', 0);"
                   "INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID) VALUES ('Hus', 'GroundFloor', 'Golv', 1, 'Trä'),"
                   " ('Hus', 'GroundWall', 'Mur', 1, 'Betong');");
        S.M->OpenBuilding("Hus");
        S.M->SetGroundTypeData(K.Kind);
        EXPECT_EQ(S.Count("LayeredComponents", "BUILDING = 'Hus' AND TYPE IN ('GroundFloor', 'GroundWall', 'GroundSlab')"), 0);
        EXPECT_EQ(S.Count("Layers", "BUILDING = 'Hus' AND TYPE IN ('GroundFloor', 'GroundWall', 'GroundSlab')"), 0);
        EXPECT_EQ(S.Count("Layers", "BUILDING = 'Hus' AND TYPE = 'OuterWall'"), 3);
        EXPECT_EQ(S.Count("LayeredComponents", "BUILDING = 'Granne' AND TYPE = 'GroundSlab'"), 1);
        EXPECT_EQ(S.Column("SELECT TYPE, WALLHEIGHT, WALLDEPTH, UWALL, UVALUE, ISOCOND, VENTILATIONAREA, ISOWIDTH, "
                           "ISOLENGTH, AREA, PERIMETER, GROUNDTHERMCOND, SOILNAME, WINDSPEED, SHIELDING FROM Grounds "
                           "WHERE BUILDING = 'Hus'"),
                  (Strings{"'" + std::string(GroundTypeKey(K.Kind)) + "'|0|0|0|0|0|0|0|0|150|50|2|'Sand'|4|5"}));
        const std::vector<std::pair<std::string, int64_t>> Lists = {
            {"SPECIALVAR1", 11}, {"SPECIALVAR2", 12}, {"SPECIALVAR3", 13}};
        for (const auto& [C, Stored] : Lists) {
            const bool Cleared = std::find(K.Cleared.begin(), K.Cleared.end(), C) != K.Cleared.end();
            EXPECT_EQ(S.Int("SELECT " + C + " FROM Grounds WHERE BUILDING = 'Hus'"), Cleared ? 0 : Stored) << C;
        }
        EXPECT_EQ(Flags(*S.M), (TFlags{false, true, false}));
        EXPECT_TRUE(S.M->TableGroundSlabs().IsEmpty());
    }

    // An unknown kind changes nothing; a building without a foundation row
    // gets one of the kind.
    TSession S("DELETE FROM Grounds WHERE BUILDING = 'Granne';");
    S.M->OpenBuilding("Hus");
    const std::string Before = S.Dump();
    EXPECT_THROW(S.M->SetGroundTypeData(12), EBVException);
    EXPECT_EQ(S.Dump(), Before);
    ASSERT_TRUE(S.M->TableBuildings().Locate({"ID"}, {std::string("Granne")}));
    S.M->SetGroundTypeData(HeatedCellar);
    EXPECT_EQ(S.Column("SELECT TYPE, WALLHEIGHT FROM Grounds WHERE BUILDING = 'Granne'"),
              (Strings{"'HeatedCellar'|0"}));
}

TEST(BuildingData, SoilGivesItsConductivity) {
    TSession S("UPDATE Grounds SET SOILNAME = 'lera' WHERE BUILDING = 'Hus';");
    S.M->OpenBuilding("Hus");
    S.M->ApplySoil();
    EXPECT_DOUBLE_EQ(S.Float("SELECT GROUNDTHERMCOND FROM Grounds WHERE BUILDING = 'Hus'"), 1.5);
    EXPECT_EQ(S.M->TableGrounds().State(), TDatasetState::Browse);
    EXPECT_TRUE(S.M->IsModified());

    for (const char* Soil : {"'Berg'", "NULL", "'Tegel'"}) {
        SCOPED_TRACE(Soil);
        TSession T(std::string("UPDATE Grounds SET SOILNAME = ") + Soil + " WHERE BUILDING = 'Hus';");
        T.M->OpenBuilding("Hus");
        const std::string Before = T.Dump();
        EXPECT_THROW(T.M->ApplySoil(), EBVException);
        EXPECT_EQ(T.Dump(), Before);
        EXPECT_FALSE(T.M->IsModified());
    }
}

// ===========================================================================
// A failure in the middle of an operation: the database as it was, the
// flags as they were, the views on the same building and usable again.

TEST(Atomicity, AFailureInTheMiddleLeavesEverythingAsItWas) {
    using Step = std::function<void(TDataModuleBuildingData&)>;
    const Step None = [](TDataModuleBuildingData&) {};
    const Step Edits = [](TDataModuleBuildingData& M) {
        M.DeleteWindow();
        M.NewDoor();
        M.RenameComponent(ckRoof, "Yttertak");
    };
    struct Case {
        const char* Name;
        Step Setup;
        const char* Trigger;
        Step Op;
        bool OfTheBuilding = true; // archiving changes no status of the building
    };
    const Case Cases[] = {
        {"save as", Edits,
         "CREATE TRIGGER F BEFORE INSERT ON Months WHEN NEW.BUILDING = 'Kopia' BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.SaveBuildingAs("Kopia"); }},
        {"save as of a new building",
         [](TDataModuleBuildingData& M) {
             M.NewBuilding();
             M.NewWindow();
         },
         "CREATE TRIGGER F BEFORE INSERT ON Grounds WHEN NEW.BUILDING = 'Villa' BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.SaveBuildingAs("Villa"); }},
        {"revert", Edits,
         "CREATE TRIGGER F BEFORE INSERT ON Windows WHEN NEW.ID = 'Takfönster' BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.RevertBuilding(); }},
        {"delete", None, "CREATE TRIGGER F BEFORE DELETE ON Grounds BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.DeleteBuilding(); }},
        {"new", None, "CREATE TRIGGER F BEFORE INSERT ON Grounds BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.NewBuilding(); }},
        {"take from the archive", None,
         "CREATE TRIGGER F BEFORE INSERT ON Layers WHEN NEW.POS = 2 BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.TakeComponentFromArchive(ckOuterWall); }},
        {"rename a construction", None,
         "CREATE TRIGGER F BEFORE UPDATE ON LayeredComponents BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.RenameComponent(ckOuterWall, "Fasad"); }},
        {"delete a construction", None,
         "CREATE TRIGGER F BEFORE DELETE ON LayeredComponents BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.DeleteLayeredComponent(ckOuterWall); }},
        {"archive a construction", None,
         "CREATE TRIGGER F BEFORE INSERT ON LayersPreDefUsed WHEN NEW.POS = 2 BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.ArchiveComponent(ckOuterWall, "Kvarglömd"); }, false},
        {"insert a layer", None, "CREATE TRIGGER F BEFORE INSERT ON Layers BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.InsertLayer(ckOuterWall); }},
        {"remove a layer", None,
         "CREATE TRIGGER F BEFORE UPDATE ON LayeredComponents BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.RemoveLayer(ckOuterWall); }},
        {"foundation kind", None, "CREATE TRIGGER F BEFORE UPDATE ON Grounds BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.SetGroundTypeData(HeatedCellar); }},
        {"climate profile", None,
         "CREATE TRIGGER F BEFORE UPDATE ON Months WHEN NEW.MONTH = 7 BEGIN SELECT RAISE(ABORT, 'f'); END;",
         [](TDataModuleBuildingData& M) { M.ApplyClimateProfile(); }},
    };
    const auto Views = [](TDataModuleBuildingData& M) {
        std::string Out = M.TableBuildings().FieldByName("ID").AsString();
        for (int K = 0; K < kComponentKindCount; ++K) {
            Out += "|" + std::to_string(M.ComponentView(K).RecordCount()) + "/" +
                   std::to_string(M.LayerView(K).RecordCount());
        }
        for (TDataset* V : {&M.TableWindows(), &M.TableDoors(), &M.TableMonths(), &M.TableLayers(),
                            &M.TableLayeredComps()}) {
            Out += "|" + std::to_string(V->RecordCount());
        }
        return Out;
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Name);
        TSession S;
        TDataModuleBuildingData& M = *S.M;
        M.OpenBuilding("Hus");
        K.Setup(M);
        S.Db->Exec(K.Trigger);
        const std::string Before = S.Dump();
        const TFlags F = Flags(M);
        const std::string ViewsBefore = Views(M);
        TRecorder R(M);
        M.AttachObserver(&R);
        EXPECT_THROW(K.Op(M), EDatabaseError);
        M.DetachObserver(&R);
        EXPECT_EQ(S.Dump(), Before);
        EXPECT_EQ(Flags(M), F);
        EXPECT_EQ(Views(M), ViewsBefore);
        if (K.OfTheBuilding) {
            EXPECT_FALSE(R.Seen.empty()); // the windows re-read after the failure too
        }
        for (TDataset* V : {&M.TableBuildings(), &M.TableWindows(), &M.TableOuterWalls(), &M.TableMonths()}) {
            EXPECT_EQ(V->State(), TDatasetState::Browse);
        }
        // Without the fault the same operation goes through.
        S.Db->Exec("DROP TRIGGER F;");
        EXPECT_NO_THROW(K.Op(M));
    }
}

} // namespace
