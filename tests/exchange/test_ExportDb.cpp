// The records against the database: loading a building for export, storing
// an imported one in one transaction, deleting, and whole round trips from
// one database through a file into another.
#include "ExchangeSamples.h"

#include "db/Database.h"
#include "exchange/UnitBuildingFile.h"
#include "exchange/UnitExportData.h"
#include "exchange/UnitExportImport.h"
#include "exchange/UnitExportImportOld1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using TRows = std::vector<std::vector<TValue>>;

const char* const BuildingTables[] = {"Buildings", "Grounds", "Months", "LayeredComponents",
                                      "Layers", "Doors", "Windows"};

class ExportDb : public ::testing::Test {
protected:
    void SetUp() override {
        A = NewDatabase("a.s3db");
        B = NewDatabase("b.s3db");
    }
    void TearDown() override {
        A.reset();
        B.reset();
    }

    std::unique_ptr<TDatabase> NewDatabase(const std::string& Name) {
        return bvtest::CreateSchemaDatabase(Dir.File(Name));
    }

    static TRows Rows(TDatabase& Db, const std::string& Table, const std::string& Building = "") {
        // Every column but the rowid, in table order.
        const std::string Where =
            Building.empty() ? "" : Table == "Buildings" ? " WHERE ID = ?1" : " WHERE BUILDING = ?1";
        TStatement St = Db.Prepare("SELECT * FROM " + Table + Where + " ORDER BY rowid");
        if (!Building.empty())
            St.Bind(1, Building);
        TRows R;
        while (St.Step()) {
            std::vector<TValue> Row;
            for (int C = 0; C < St.ColumnCount(); ++C)
                Row.push_back(St.Column(C));
            R.push_back(std::move(Row));
        }
        return R;
    }

    static size_t TotalRows(TDatabase& Db) {
        size_t N = 0;
        for (const char* T : BuildingTables)
            N += Rows(Db, T).size();
        return N;
    }

    static TValue One(TDatabase& Db, const std::string& Sql) {
        TStatement St = Db.Prepare(Sql);
        EXPECT_TRUE(St.Step()) << Sql;
        return St.Column(0);
    }

    // Exports the named buildings of Db into file bytes.
    static TBytes Export(TDatabase& Db, const std::vector<std::string>& Ids) {
        TDataModuleExportBuilding M(Db);
        TBuildingFileWriter W(static_cast<int32_t>(Ids.size()));
        for (const std::string& Id : Ids) {
            EXPECT_TRUE(M.LocateBuilding(Id)) << Id;
            TExpBuilding2 Building;
            Building.LoadFromDatabase(M);
            W.Add(Building);
        }
        return W.Bytes();
    }

    // Stores every building of the file into Db; returns the errors.
    static std::vector<std::string> Import(TDatabase& Db, const TBytes& Bytes) {
        TDataModuleExportBuilding M(Db);
        TBuildingFileReader R(Bytes);
        std::vector<std::string> Errors;
        TReadBuilding Rb;
        while (R.Next(Rb)) {
            if (!Rb.Building) {
                Errors.push_back(Rb.Error);
                continue;
            }
            try {
                Rb.Building->StoreToDatabase(M);
            } catch (const std::exception& E) {
                Errors.push_back(E.what());
            }
        }
        return Errors;
    }

    bvtest::TTempFolder Dir;
    std::unique_ptr<TDatabase> A;
    std::unique_ptr<TDatabase> B;
};

TEST_F(ExportDb, BuildingWithEveryMemberKindRoundTripsIntoAnotherDatabase) {
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v2.bvf")).empty());
    const TBytes File = Export(*A, {"Villa Ekbacken", "Garage"});
    ASSERT_TRUE(Import(*B, File).empty());
    for (const char* T : BuildingTables)
        EXPECT_EQ(Rows(*A, T), Rows(*B, T)) << T;
    EXPECT_EQ(Rows(*A, "Layers").size(), 3u);
    // And the second export is the same file.
    EXPECT_EQ(Export(*B, {"Villa Ekbacken", "Garage"}), File);

    // What the round trip gives back is the building of the file, apart
    // from the time stamps, whose column holds the time of day only.
    TDataModuleExportBuilding M(*B);
    ASSERT_TRUE(M.LocateBuilding("villa ekbacken")); // letter case ignored
    TExpBuilding2 Got;
    Got.LoadFromDatabase(M);
    TExpBuilding2 Want = SampleVilla();
    EXPECT_EQ(Got.PCreated, 0.5);
    EXPECT_EQ(Got.PChanged, 0.75);
    Want.PCreated = Got.PCreated;
    Want.PChanged = Got.PChanged;
    EXPECT_TRUE(Got == Want);
}

TEST_F(ExportDb, PropertiesLandInTheirColumns) {
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v2.bvf")).empty());
    struct {
        const char* Sql;
        TValue Expected;
    } const Cases[] = {
        // The crossed-over capacities.
        {"SELECT OUTERCAPACITY FROM LayeredComponents WHERE ID = 'Tak'", 8.0},
        {"SELECT INNERCAPACITY FROM LayeredComponents WHERE ID = 'Tak'", 9.0},
        {"SELECT VENTLOSS FROM Buildings WHERE ID = 'Villa Ekbacken'", 5432.1},
        {"SELECT INTGAIN FROM Buildings WHERE ID = 'Villa Ekbacken'", 4321.0},
        {"SELECT WEATHERID FROM Buildings WHERE ID = 'Villa Ekbacken'", std::string("Stockholm")},
        {"SELECT CALCULATED FROM Buildings WHERE ID = 'Villa Ekbacken'", std::string("Y")},
        {"SELECT N50IDNO FROM Buildings WHERE ID = 'Villa Ekbacken'", int64_t{40000}},
        {"SELECT CREATED FROM Buildings WHERE ID = 'Villa Ekbacken'", std::string("12:00:00")},
        {"SELECT GROUNDTYPE IS NULL AND P50CLASS IS NULL FROM Buildings WHERE ID = 'Garage'", int64_t{1}},
        {"SELECT RADHOR FROM Months WHERE BUILDING = 'Villa Ekbacken' AND MONTH = 3", 50.0},
        {"SELECT SOLGAIN FROM Months WHERE BUILDING = 'Villa Ekbacken' AND MONTH = 3", 200.0},
        {"SELECT INTPOWER FROM Months WHERE BUILDING = 'Villa Ekbacken' AND MONTH = 3", 450.0},
        {"SELECT SPECCAP FROM Layers WHERE ID = 'Tegel'", 840.0},
        {"SELECT PENDEPTH FROM Layers WHERE ID = 'Tegel'", 0.15},
        {"SELECT LOCKEDDEPTH FROM Layers WHERE ID = 'Tegel'", std::string("Y")},
        {"SELECT TYPE FROM Grounds WHERE BUILDING = 'Villa Ekbacken'", std::string("Slab")},
        {"SELECT SPECIALVAR5 FROM Grounds WHERE BUILDING = 'Villa Ekbacken'", int64_t{300}},
        {"SELECT DIRECTION FROM Windows WHERE ID = 'åäö'", int64_t{4}},
        // A building without a foundation row gets none.
        {"SELECT COUNT(*) FROM Grounds WHERE BUILDING = 'Garage'", int64_t{0}},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(One(*A, C.Sql), C.Expected) << C.Sql;
}

TEST_F(ExportDb, Version1FileImportsWithTheDefaultsOfTheConversion) {
    const double Before = NowAsDateTime();
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v1.bvf")).empty());
    for (const char* Col : {"AIRCHANGEIDNO", "INTGAINSDEF", "P50IDNO", "N50IDNO"})
        EXPECT_EQ(One(*A, std::string("SELECT ") + Col + " FROM Buildings WHERE ID = 'Gammalt hus'"),
                  TValue(int64_t{-1}))
            << Col;
    // The month rows are numbered by position and belong to the building.
    const TRows Months = Rows(*A, "Months", "Gammalt hus");
    ASSERT_EQ(Months.size(), 12u);
    for (int K = 0; K < 12; ++K)
        EXPECT_EQ(Months[K][1], TValue(int64_t{K + 1}));
    EXPECT_EQ(One(*A, "SELECT COUNT(*) FROM Months WHERE BUILDING = 'Annat hus'"), TValue(int64_t{0}));
    EXPECT_EQ(One(*A, "SELECT ID FROM Windows WHERE BUILDING = 'Gammalt hus'"),
              TValue(std::string("€ \xC2\x8DŸåÿ")));
    // The time of the import, as time of day.
    const auto Created = std::get<std::string>(One(*A, "SELECT CREATED FROM Buildings WHERE ID = 'Gammalt hus'"));
    const double Secs = (Before - std::floor(Before)) * 86400.0;
    const int H = std::stoi(Created.substr(0, 2)), Mi = std::stoi(Created.substr(3, 2)),
              S = std::stoi(Created.substr(6, 2));
    EXPECT_LT(std::fabs(H * 3600 + Mi * 60 + S - Secs), 5.0) << Created;
}

TEST_F(ExportDb, AFailedStoreLeavesNothingAndTheModuleUsable) {
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v2.bvf")).empty());
    const size_t Before = TotalRows(*A);
    TDataModuleExportBuilding M(*A);

    TExpBuilding2 TwoSameWindows = SampleVilla();
    TwoSameWindows.RenameBuilding("Kopia");
    TwoSameWindows.Windows[1].PID = "söder"; // the same window name, letter case aside
    EXPECT_THROW(TwoSameWindows.StoreToDatabase(M), EDatabaseError);

    TExpBuilding2 LongName = SampleGarage();
    LongName.RenameBuilding(std::string(101, 'x'));
    EXPECT_THROW(LongName.StoreToDatabase(M), EDatabaseError);

    TExpBuilding2 TakenName = SampleGarage(); // the key of Buildings
    EXPECT_THROW(TakenName.StoreToDatabase(M), EDatabaseError);
    EXPECT_EQ(TotalRows(*A), Before);

    // The views are consistent again: the next building stores and exports.
    TExpBuilding2 Fine = SampleVilla();
    Fine.RenameBuilding(std::string(100, 'y'));
    Fine.StoreToDatabase(M);
    ASSERT_TRUE(M.LocateBuilding(std::string(100, 'y')));
    EXPECT_EQ(M.TableWindows.RecordCount(), 2);
    TExpBuilding2 Back;
    Back.LoadFromDatabase(M);
    EXPECT_EQ(Back.Layers.size(), 3u);
}

TEST_F(ExportDb, MembersAreStoredUnderTheBuildingsOwnName) {
    TDataModuleExportBuilding M(*A);
    TExpBuilding2 V = SampleVilla();
    V.Windows[0].PBuilding = "Grannens hus";
    V.Months[4].PBuilding = "Grannens hus";
    V.StoreToDatabase(M);
    EXPECT_EQ(One(*A, "SELECT COUNT(*) FROM Windows WHERE BUILDING = 'Grannens hus'"), TValue(int64_t{0}));
    EXPECT_EQ(One(*A, "SELECT COUNT(*) FROM Months WHERE BUILDING = 'Villa Ekbacken'"), TValue(int64_t{12}));
    EXPECT_EQ(One(*A, "SELECT COUNT(*) FROM Windows WHERE BUILDING = 'Villa Ekbacken'"), TValue(int64_t{2}));
}

TEST_F(ExportDb, DeleteRemovesOneBuildingWholly) {
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v2.bvf")).empty());
    TDataModuleExportBuilding M(*A);
    TExpBuilding2 Other = SampleVilla();
    Other.RenameBuilding("Villa Ekbacken 2");
    Other.StoreToDatabase(M);
    const TRows Kept = Rows(*A, "Layers", "Villa Ekbacken 2");

    ASSERT_TRUE(M.LocateBuilding("VILLA EKBACKEN"));
    M.DeleteCurrentBuilding();
    for (const char* T : BuildingTables)
        EXPECT_TRUE(Rows(*A, T, "Villa Ekbacken").empty()) << T;
    EXPECT_EQ(Rows(*A, "Layers", "Villa Ekbacken 2"), Kept);
    EXPECT_EQ(Rows(*A, "Buildings").size(), 2u);
}

TEST_F(ExportDb, AReplaceThatFailsKeepsTheOldBuilding) {
    // Deleting and storing inside one transaction: a failed store takes the
    // deletion back with it.
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v2.bvf")).empty());
    const TRows Before = Rows(*A, "Layers");
    TDataModuleExportBuilding M(*A);
    TExpBuilding2 Broken = SampleVilla();
    Broken.Doors.push_back(Broken.Doors[0]); // the same door twice
    {
        TDatabase::TTransaction Tx(*A);
        ASSERT_TRUE(M.LocateBuilding("Villa Ekbacken"));
        M.DeleteCurrentBuilding();
        EXPECT_THROW(Broken.StoreToDatabase(M), EDatabaseError);
    }
    M.RefreshAll();
    EXPECT_EQ(Rows(*A, "Layers"), Before);
    ASSERT_TRUE(M.LocateBuilding("Villa Ekbacken"));
    EXPECT_EQ(M.TableLayers.RecordCount(), 3);
}

TEST_F(ExportDb, ExportRefusesABuildingWithoutTwelveMonths) {
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v2.bvf")).empty());
    A->Exec("DELETE FROM Months WHERE BUILDING = 'Garage' AND MONTH = 7");
    TDataModuleExportBuilding M(*A);
    ASSERT_TRUE(M.LocateBuilding("Garage"));
    TExpBuilding2 G;
    try {
        G.LoadFromDatabase(M);
        FAIL();
    } catch (const EExchangeError& E) {
        EXPECT_NE(std::string(E.what()).find("Garage has 11 month rows"), std::string::npos) << E.what();
    }
}

TEST_F(ExportDb, EmptyColumnsExportAsZeroAndEmpty) {
    ASSERT_TRUE(Import(*A, ReadTestFile("exchange/golden_v2.bvf")).empty());
    A->Exec("UPDATE Buildings SET AREA = NULL, INFO = NULL, FACADES = NULL, CALCULATED = NULL "
            "WHERE ID = 'Villa Ekbacken'");
    TDataModuleExportBuilding M(*A);
    ASSERT_TRUE(M.LocateBuilding("Villa Ekbacken"));
    TExpBuilding2 V;
    V.LoadFromDatabase(M);
    EXPECT_EQ(V.PArea, 0.0);
    EXPECT_EQ(V.PInfo, "");
    EXPECT_EQ(V.PFacades, 0);
    EXPECT_FALSE(V.PCalculated);
}

} // namespace
