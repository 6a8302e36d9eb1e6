// braskvalla-cli calc and show, run in-process on fixture databases.
#include "tests/cli/CliTestSupport.h"
#include "tests/model/TestDb.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

namespace {

using nlohmann::json;

using bvtest::RunCliOn;
using bvtest::TRun;

// The fixture databases are built by the test, closed, then handed to the tool.
struct TFixtureFile {
    std::unique_ptr<TTestDb> Db;
    explicit TFixtureFile(const std::string& Kind, const std::string& Extra = "")
        : Db(std::make_unique<TTestDb>(
              std::vector<std::string>{ModelFixture("common.sql"), ModelFixture(Kind + ".sql"), Extra})) {}
    const std::string& Path() const { return Db->Path(); }
};

const json& Expected(const std::string& Kind) {
    static const json J = json::parse(ModelFixture("expected.json"));
    return J.at(Kind);
}

TEST(CliCalc, CalculatesStoresAndPrintsTheResults) {
    TFixtureFile F("SuspendedFloor");
    const TRun R = RunCliOn(F.Path(), {"calc", "hus", "--json"});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Err, "");
    const json J = json::parse(R.Out);
    const json& E = Expected("SuspendedFloor");
    EXPECT_EQ(J.at("Buildings").at("ID"), "Hus");
    EXPECT_EQ(J.at("Buildings").at("CALCULATED"), true);
    for (const char* C : {"UVALUE", "HEATUSAGE", "HEATLOSSCOEFF", "V50"}) {
        EXPECT_NEAR(J.at("Buildings").at(C).get<double>(), E.at("Buildings").at(C).get<double>(), 1e-9) << C;
    }
    ASSERT_EQ(J.at("Months").size(), 12u);
    for (size_t M = 0; M < 12; ++M) {
        EXPECT_EQ(J.at("Months")[M].at("MONTH"), M + 1);
        EXPECT_EQ(J.at("Months")[M].at("HEATLOSS").get<double>(), E.at("Months")[M].at("HEATLOSS").get<double>());
    }
    EXPECT_NEAR(F.Db->Float("SELECT HEATUSAGE FROM Buildings"), E.at("Buildings").at("HEATUSAGE").get<double>(), 1e-9);

    // The plain form names the building and prints the twelve months.
    const TRun Plain = RunCliOn(F.Path(), {"calc", "Hus"});
    ASSERT_EQ(Plain.Code, 0) << Plain.Err;
    EXPECT_NE(Plain.Out.find("Building Hus: calculated"), std::string::npos) << Plain.Out;
    EXPECT_NE(Plain.Out.find("HEATUSAGE"), std::string::npos);
    EXPECT_EQ(std::count(Plain.Out.begin(), Plain.Out.end(), '\n'), 1 + 15 + 1 + 1 + 12);
}

// Plausibility findings: after the results on stderr, one a line, or as the
// JSON array "warnings"; the calculation stands and the exit code is 0.
TEST(CliCalc, ImplausibleInputsAreWarnedOfAfterTheResults) {
    // The fixture's window "Tom" has area 0; a door U-value of 9 is added.
    TFixtureFile F("SuspendedFloor", "UPDATE Doors SET UVALUE = 9 WHERE ID = 'Förråd';");
    const TRun Plain = RunCliOn(F.Path(), {"calc", "Hus"});
    ASSERT_EQ(Plain.Code, 0) << Plain.Err;
    EXPECT_EQ(std::count(Plain.Out.begin(), Plain.Out.end(), '\n'), 1 + 15 + 1 + 1 + 12);
    EXPECT_EQ(Plain.Err, "braskvalla-cli: Varning: Ytterdörrar: Förråd: U-värdet är 9 W/(m²·K); rimligt är "
                         "0,3–6 W/(m²·K).\n"
                         "braskvalla-cli: Varning: Fönster: Tom: Arean är 0 m²; den ska vara över 0 m².\n");

    const TRun Json = RunCliOn(F.Path(), {"calc", "Hus", "--json"});
    ASSERT_EQ(Json.Code, 0) << Json.Err;
    EXPECT_EQ(Json.Err, "");
    const json J = json::parse(Json.Out);
    EXPECT_EQ(J.at("Months").size(), 12u);
    EXPECT_EQ(J.at("warnings"), json::parse(R"J([
        {"rule": "door-u", "member": "Ytterdörrar: Förråd", "value": 9.0, "unit": "W/(m²·K)",
         "limit": "0,3–6 W/(m²·K)", "text": "U-värdet är 9 W/(m²·K); rimligt är 0,3–6 W/(m²·K)."},
        {"rule": "window-area", "member": "Fönster: Tom", "value": 0.0, "unit": "m²",
         "limit": "över 0 m²", "text": "Arean är 0 m²; den ska vara över 0 m²."}])J"));
}

TEST(CliCalc, APlausibleBuildingHasAnEmptyWarningList) {
    TFixtureFile F("SuspendedFloor", "DELETE FROM Windows WHERE ID = 'Tom';");
    const TRun Plain = RunCliOn(F.Path(), {"calc", "Hus"});
    ASSERT_EQ(Plain.Code, 0) << Plain.Err;
    EXPECT_EQ(Plain.Err, "");
    const TRun Json = RunCliOn(F.Path(), {"calc", "Hus", "--json"});
    ASSERT_EQ(Json.Code, 0) << Json.Err;
    EXPECT_EQ(json::parse(Json.Out).at("warnings"), json::array());
}

// The text of the error box on one line: heading, member and cause.
TEST(CliCalc, CalculationErrorPrintsTheBoxTextOnOneLineAndExitsTwo) {
    TFixtureFile F("HeatedCellar", "UPDATE Grounds SET WALLHEIGHT = 0;");
    const std::string Before = F.Db->Dump();
    const TRun R = RunCliOn(F.Path(), {"calc", "Hus"});
    EXPECT_EQ(R.Code, 2);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "braskvalla-cli: Beräkningen kunde inte genomföras: Husgrund: Grundmurens djup under mark är 0 mm.\n");
    EXPECT_EQ(F.Db->Dump(), Before);
}

TEST(CliCalc, UnknownBuildingAndBadArgumentsExitOne) {
    TFixtureFile F("Slab");
    const std::string Before = F.Db->Dump();
    const TRun Unknown = RunCliOn(F.Path(), {"calc", "Slott"});
    EXPECT_EQ(Unknown.Code, 1);
    EXPECT_NE(Unknown.Err.find("Slott"), std::string::npos) << Unknown.Err;
    EXPECT_EQ(RunCliOn(F.Path(), {"show", "Slott", "--json"}).Code, 1);
    for (const auto& Args : std::vector<std::vector<std::string>>{
             {"calc"}, {"calc", "Hus", "Villa"}, {"calc", "Hus", "--xml"}, {"show", "Hus"}, {"show", "--json"}}) {
        const TRun R = RunCliOn(F.Path(), Args);
        EXPECT_EQ(R.Code, 1) << Args.size() << ' ' << R.Err;
        EXPECT_FALSE(R.Err.empty());
    }
    EXPECT_EQ(F.Db->Dump(), Before);
}

TEST(CliCalc, UnreadableColumnIsADatabaseError) {
    TFixtureFile F("Slab", "UPDATE Buildings SET VOLUME = NULL;");
    const TRun R = RunCliOn(F.Path(), {"calc", "Hus"});
    EXPECT_EQ(R.Code, 4);
    EXPECT_NE(R.Err.find("VOLUME"), std::string::npos) << R.Err;
}

TEST(CliShow, PrintsEveryStoredRowOfTheBuilding) {
    TFixtureFile F("FinlandSuspended1");
    const TRun R = RunCliOn(F.Path(), {"show", "HUS", "--json"});
    ASSERT_EQ(R.Code, 0) << R.Err;
    const json J = json::parse(R.Out);
    EXPECT_EQ(J.at("Buildings").at("ID"), "Hus");
    EXPECT_EQ(J.at("Buildings").at("CALCULATED"), false);
    EXPECT_EQ(J.at("Buildings").at("VENTTYPE"), 1);
    EXPECT_EQ(J.at("Buildings").at("INFO"), "Enplansvilla");
    for (const char* T : {"Months", "LayeredComponents", "Layers", "Windows", "Doors", "Grounds"}) {
        EXPECT_EQ(static_cast<int64_t>(J.at(T).size()), F.Db->Int(std::string("SELECT COUNT(*) FROM ") + T)) << T;
    }
    EXPECT_EQ(J.at("Months")[4].at("MONTH"), 5);
    EXPECT_EQ(J.at("Grounds")[0].at("TYPE"), "FinlandSuspended1");
    EXPECT_EQ(J.at("Grounds")[0].at("SPECIALVAR1"), 0);
    EXPECT_TRUE(J.at("Grounds")[0].at("PIC").is_null());
    EXPECT_EQ(J.at("Layers")[0].at("LOCKEDDEPTH").is_boolean(), true);
    EXPECT_EQ(J.at("Windows")[0].at("ID"), "Söder 1");
}

} // namespace
