// The plausibility check: each rule against a sound house changed in one
// value, the texts the user reads, and the shipped example buildings.
#include "data/UnitBuildingData.h"
#include "data/UnitInitDB.h"
#include "data/UnitPlausibility.h"
#include "db/Database.h"
#include "db/Dataset.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The sound house of tests/data/plausibility with Change applied.
class THouse {
public:
    explicit THouse(const std::string& Change = "")
        : FDb(bvtest::CreateSchemaDatabase(FDir.File("test.s3db"))) {
        FDb->Exec(bvtest::ReadTestText("plausibility/house.sql"));
        FDb->Exec(Change);
    }
    TDatabase& Db() { return *FDb; }

private:
    bvtest::TTempFolder FDir;
    std::unique_ptr<TDatabase> FDb;
};

struct TCase {
    const char* Name;
    const char* Change;  // SQL on the sound house
    const char* Rule;    // the one rule that fires, "" for none
    const char* Member;
    double Value;
    bool ResultsCurrent = true;
};

void PrintTo(const TCase& C, std::ostream* Os) { *Os << C.Name; }

const TCase kCases[] = {
    {"SoundHouse", "", "", "", 0},
    {"FloorAreaZero", "UPDATE Buildings SET AREA = 0;", "floor-area", "Byggnad", 0},
    {"FloorAreaNegative", "UPDATE Buildings SET AREA = -100;", "floor-area", "Byggnad", -100},
    {"VolumeZero", "UPDATE Buildings SET VOLUME = 0;", "volume", "Byggnad", 0},
    {"VolumeUnusedByLeakagePerEnvelopeArea", "UPDATE Buildings SET VOLUME = 0, VENTTYPE = 1;", "", "", 0},
    {"VolumeUsedByLeakagePerVolume", "UPDATE Buildings SET VOLUME = 0, VENTTYPE = 2;", "volume", "Byggnad", 0},
    {"RoomHeightBelowTwoMetres", "UPDATE Buildings SET VOLUME = 150;", "volume-per-area", "Byggnad", 1.5},
    {"RoomHeightOfTwoMetres", "UPDATE Buildings SET VOLUME = 200;", "", "", 0},
    {"RoomHeightOfTenMetres", "UPDATE Buildings SET VOLUME = 1000;", "", "", 0},
    {"RoomHeightAboveTenMetres", "UPDATE Buildings SET VOLUME = 1050;", "volume-per-area", "Byggnad", 10.5},
    {"TemperatureZero", "UPDATE Buildings SET TEMPERATURE = 0;", "temperature", "Byggnad", 0},
    {"TemperatureBelowTen", "UPDATE Buildings SET TEMPERATURE = 9.5;", "temperature", "Byggnad", 9.5},
    {"TemperatureOfThirty", "UPDATE Buildings SET TEMPERATURE = 30;", "", "", 0},
    {"TemperatureAboveThirty", "UPDATE Buildings SET TEMPERATURE = 31;", "temperature", "Byggnad", 31},
    {"NoOuterWall", "DELETE FROM LayeredComponents WHERE TYPE = 'OuterWall';", "no-outer-wall", "Ytterväggar", 0},
    {"NoRoof", "DELETE FROM LayeredComponents WHERE TYPE = 'Roof';", "no-roof", "Tak", 0},
    // The window share has no wall area to be judged against.
    {"OuterWallOfAreaZero", "UPDATE LayeredComponents SET AREA = 0 WHERE ID = 'Vägg';", "component-area",
     "Ytterväggar: Vägg", 0},
    {"InnerWallOfAreaZero", "UPDATE LayeredComponents SET AREA = 0 WHERE ID = 'Innervägg';", "component-area",
     "Innerväggar: Innervägg", 0},
    {"FoundationSlabOfAreaZero", "UPDATE LayeredComponents SET AREA = 0 WHERE ID = 'Platta';", "component-area",
     "Markplatta: Platta", 0},
    {"LayerOfThicknessZero", "UPDATE Layers SET DEPTH = 0 WHERE COMPONENT = 'Tak' AND POS = 2;", "layer-thickness",
     "Tak: Tak, skikt 2 (Mineralull)", 0},
    {"WindowOfAreaZero", "UPDATE Windows SET AREA = 0;", "window-area", "Fönster: Fönster söder", 0},
    {"WindowUBelowRange", "UPDATE Windows SET UVALUE = 0.2;", "window-u", "Fönster: Fönster söder", 0.2},
    {"WindowUAboveRange", "UPDATE Windows SET UVALUE = 6.5;", "window-u", "Fönster: Fönster söder", 6.5},
    {"WindowGAboveOne", "UPDATE Windows SET GVALUE = 60;", "window-g", "Fönster: Fönster söder", 60},
    {"WindowGNegative", "UPDATE Windows SET GVALUE = -0.1;", "window-g", "Fönster: Fönster söder", -0.1},
    {"WindowShadingAboveAll", "UPDATE Windows SET SHADING = 120;", "window-shading", "Fönster: Fönster söder", 120},
    {"WindowShadingNegative", "UPDATE Windows SET SHADING = -5;", "window-shading", "Fönster: Fönster söder", -5},
    {"WindowFrameAboveAll", "UPDATE Windows SET FRAMEFACTOR = 101;", "window-frame", "Fönster: Fönster söder", 101},
    {"WindowsOfHalfTheWallArea", "UPDATE Windows SET AREA = 40;", "", "", 0},
    {"WindowsAboveHalfTheWallArea", "UPDATE Windows SET AREA = 45;", "window-share", "Fönster", 56.25},
    {"DoorOfAreaZero", "UPDATE Doors SET AREA = 0;", "door-area", "Ytterdörrar: Entré", 0},
    {"DoorUBelowRange", "UPDATE Doors SET UVALUE = 0;", "door-u", "Ytterdörrar: Entré", 0},
    {"DoorUAboveRange", "UPDATE Doors SET UVALUE = 7;", "door-u", "Ytterdörrar: Entré", 7},
    {"DemandBelowTen", "UPDATE Buildings SET HEATUSAGE = 900;", "demand-per-area", "Resultat", 9},
    {"DemandAboveFourHundred", "UPDATE Buildings SET HEATUSAGE = 45000;", "demand-per-area", "Resultat", 450},
    {"DemandOfResultsNotCurrent", "UPDATE Buildings SET HEATUSAGE = 45000;", "", "", 0, false},
    // NULL is left to the calculation, which names the column.
    {"ValueNotStored", "UPDATE Windows SET UVALUE = NULL;", "", "", 0},
};

class PlausibilityRule : public ::testing::TestWithParam<TCase> {};

TEST_P(PlausibilityRule, FiresAloneOnItsValue) {
    const TCase& C = GetParam();
    THouse H(C.Change);
    // The building is found without regard to letter case.
    const std::vector<TPlausibilityWarning> W = CheckPlausibility(H.Db(), "HUS", C.ResultsCurrent);
    if (std::string(C.Rule).empty()) {
        EXPECT_TRUE(W.empty()) << W.front().Line();
        return;
    }
    ASSERT_EQ(W.size(), 1u) << (W.empty() ? std::string() : W.front().Line() + " ...");
    EXPECT_EQ(W[0].Rule, C.Rule);
    EXPECT_EQ(W[0].Member, C.Member);
    EXPECT_DOUBLE_EQ(W[0].Value, C.Value);
    EXPECT_EQ(W[0].Unit, PlausibilityLimit(C.Rule).Unit);
    EXPECT_FALSE(W[0].Text.empty());
    EXPECT_FALSE(W[0].Reason.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PlausibilityRule, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TCase>& I) { return std::string(I.param.Name); });

// Every row of the table is reached by a case above.
TEST(Plausibility, EveryLimitHasACase) {
    for (const TPlausibilityLimit& L : PlausibilityLimits()) {
        bool Found = false;
        for (const TCase& C : kCases) {
            Found = Found || std::string(C.Rule) == L.Rule;
        }
        EXPECT_TRUE(Found) << L.Rule;
    }
}

// Value and limit as the pages write numbers: decimal comma, the unit, the
// kind of bound in words.
TEST(Plausibility, TextsShowValueAndLimit) {
    struct TText {
        const char* Change;
        const char* Line;
        const char* Limit;
    };
    const TText Texts[] = {
        {"UPDATE Buildings SET TEMPERATURE = 8.27;", "Byggnad: Innetemperaturen är 8,3 °C; rimligt är 10–30 °C.",
         "10–30 °C"},
        {"UPDATE Doors SET AREA = -0.5;", "Ytterdörrar: Entré: Arean är -0,5 m²; den ska vara över 0 m².", "över 0 m²"},
        {"UPDATE Windows SET AREA = 60;", "Fönster: Fönstren har 75 % av ytterväggarnas area; rimligt är högst 50 %.",
         "högst 50 %"},
        {"DELETE FROM LayeredComponents WHERE TYPE = 'Roof';", "Tak: Byggnaden har inget tak.", "minst 1"},
        {"UPDATE Windows SET GVALUE = 1.5;", "Fönster: Fönster söder: g-värdet är 1,5; rimligt är 0–1.", "0–1"},
        // Rounded to its two decimals the value would seem to lie inside.
        {"UPDATE Windows SET UVALUE = 6.004;", "Fönster: Fönster söder: U-värdet är 6,004 W/(m²·K); rimligt är "
                                               "0,3–6 W/(m²·K).", "0,3–6 W/(m²·K)"},
    };
    for (const TText& T : Texts) {
        THouse H(T.Change);
        const std::vector<TPlausibilityWarning> W = CheckPlausibility(H.Db(), "Hus", true);
        ASSERT_EQ(W.size(), 1u) << T.Change;
        EXPECT_EQ(W[0].Line(), T.Line);
        EXPECT_EQ(W[0].Limit, T.Limit);
    }
}

// Findings come in the order of the pages: components, foundation, building, result.
TEST(Plausibility, SeveralFindingsFollowThePages) {
    THouse H("UPDATE Buildings SET TEMPERATURE = 5, HEATUSAGE = 50000;"
             "UPDATE LayeredComponents SET AREA = 0 WHERE ID IN ('Platta', 'Tak');"
             "UPDATE Doors SET UVALUE = 9;");
    std::vector<std::string> Rules;
    for (const TPlausibilityWarning& W : CheckPlausibility(H.Db(), "Hus", true)) {
        Rules.push_back(W.Rule + " " + W.Member);
    }
    EXPECT_EQ(Rules, (std::vector<std::string>{"component-area Tak: Tak", "door-u Ytterdörrar: Entré",
                                                "component-area Markplatta: Platta", "temperature Byggnad",
                                                "demand-per-area Resultat"}));
}

TEST(Plausibility, AnUnknownBuildingHasNoFindings) {
    THouse H;
    EXPECT_TRUE(CheckPlausibility(H.Db(), "Slott", true).empty());
    EXPECT_THROW(PlausibilityLimit("no-such-rule"), EBVException);
}

// The shipped examples, calculated as the database is created and again
// through the data module, are plausible throughout.
TEST(Plausibility, TheShippedExamplesRaiseNone) {
    bvtest::TTempFolder Dir;
    const std::string Path = Dir.File("bvdb.s3db");
    CreateDatabase(Path);
    auto Db = TDatabase::Open(Path);
    std::vector<std::string> Examples;
    {
        TQuery Q(*Db, "SELECT ID FROM Buildings WHERE ID <> 'Default' ORDER BY rowid");
        Q.Open();
        for (Q.First(); !Q.Eof(); Q.Next()) {
            Examples.push_back(Q.FieldByName("ID").AsString());
        }
    }
    ASSERT_EQ(Examples.size(), 4u);
    TDataModuleBuildingData M(*Db);
    for (const std::string& ID : Examples) {
        M.OpenBuilding(ID);
        ASSERT_TRUE(M.CalculateBuilding()) << ID;
        ASSERT_TRUE(M.IsCalculated()) << ID;
        for (const TPlausibilityWarning& W : CheckPlausibility(M)) {
            ADD_FAILURE() << ID << ": " << W.Line();
        }
    }
}

} // namespace
