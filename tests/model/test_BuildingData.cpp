// The calculation of whole buildings through the building data module:
// one fixture per foundation kind against independently computed results,
// the failures of each error class, and the edge cases of the driver.
#include "data/UnitBuildingData.h"

#include "calc/MathError.h"
#include "tests/model/TestDb.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>

namespace {

using nlohmann::json;

std::string Fixture(const std::string& Name) { return ModelFixture(Name); }

// Collects what the module would show in its error box.
struct TReport : ICalcErrorReport {
    std::vector<std::string> Texts;
    void ShowCalcError(const std::string& Text) override { Texts.push_back(Text); }
};

struct TCounter : IStatusObserver {
    int Calls = 0;
    std::function<void()> OnCall;
    void StatusChanged() override {
        ++Calls;
        if (OnCall) OnCall();
    }
};

// A fixture database, the module on it, the building opened.
struct TSession {
    TTestDb Db;
    TDataModuleBuildingData M;
    TReport Report;
    TSession(const std::vector<std::string>& Sql, const std::string& Building)
        : Db(Sql), M(Db.Db()) {
        M.SetCalcErrorReport(&Report);
        M.OpenBuilding(Building);
    }
};

std::vector<std::string> KindFixture(const std::string& Kind, const std::string& Extra = "") {
    return {Fixture("common.sql"), Fixture(Kind + ".sql"), Extra};
}

std::string Quote(const std::string& S) { return "'" + S + "'"; }

// Whole kWh are compared exactly, everything else to 1e-9 relative.
void ExpectValue(double Actual, const json& Expected, bool Whole, const std::string& What) {
    const double E = Expected.get<double>();
    if (Whole) {
        EXPECT_EQ(Actual, E) << What;
    } else {
        EXPECT_NEAR(Actual, E, 1e-9 * std::max(1.0, std::fabs(E))) << What;
    }
}

bool IsWholeKWh(const std::string& Column) {
    for (const char* C : {"INTGAIN", "SOLARGAIN", "HEATGAIN", "RADLOSS", "VENTLOSS", "HEATLOSS", "SOLGAIN", "DAYS",
                          "NLAYERS", "MONTH", "POS", "VENTTYPE", "SPECIALVAR1", "SPECIALVAR2", "SPECIALVAR3"}) {
        if (Column == C) return true;
    }
    return false;
}

const json& Expected() {
    static const json J = json::parse(Fixture("expected.json"));
    return J;
}

class WholeBuilding : public ::testing::TestWithParam<std::string> {};

TEST_P(WholeBuilding, StoredResultsMatchTheIndependentCalculation) {
    const std::string Kind = GetParam();
    const json& E = Expected().at(Kind);
    TSession S(KindFixture(Kind), "Hus");
    const int64_t Components = S.Db.Int("SELECT COUNT(*) FROM LayeredComponents");
    const int64_t Layers = S.Db.Int("SELECT COUNT(*) FROM Layers");
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_TRUE(S.Report.Texts.empty());
    EXPECT_TRUE(S.M.IsCalculated());

    for (const auto& [Col, V] : E.at("Buildings").items()) {
        const std::string Sql = "SELECT " + Col + " FROM Buildings WHERE ID = 'Hus'";
        if (V.is_boolean()) {
            EXPECT_EQ(S.Db.Text(Sql), V.get<bool>() ? "Y" : "N") << Col;
        } else {
            ExpectValue(S.Db.Float(Sql), V, IsWholeKWh(Col), "Buildings." + Col);
        }
    }
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM Months WHERE BUILDING = 'Hus'"), 12);
    for (const json& Month : E.at("Months")) {
        const std::string M = std::to_string(Month.at("MONTH").get<int>());
        for (const auto& [Col, V] : Month.items()) {
            ExpectValue(S.Db.Float("SELECT " + Col + " FROM Months WHERE BUILDING = 'Hus' AND MONTH = " + M), V,
                        IsWholeKWh(Col), "Months[" + M + "]." + Col);
        }
    }
    // Storing adds no rows: every construction and layer went back to its own.
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM LayeredComponents"), Components);
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM Layers"), Layers);
    EXPECT_EQ(E.at("LayeredComponents").size(), static_cast<size_t>(Components));
    for (const json& C : E.at("LayeredComponents")) {
        const std::string Key = C.at("TYPE").get<std::string>() + "/" + C.at("ID").get<std::string>();
        for (const char* Col : {"AREA", "NLAYERS", "UVALUE", "INNERCAPACITY", "OUTERCAPACITY"}) {
            ExpectValue(S.Db.Float(std::string("SELECT ") + Col + " FROM LayeredComponents WHERE BUILDING = 'Hus' "
                                   "AND TYPE = " + Quote(C.at("TYPE").get<std::string>()) + " AND ID = " + Quote(C.at("ID").get<std::string>())),
                        C.at(Col), IsWholeKWh(Col), Key + "." + Col);
        }
    }
    EXPECT_EQ(E.at("Layers").size(), static_cast<size_t>(Layers));
    for (const json& L : E.at("Layers")) {
        const std::string Pos = std::to_string(L.at("POS").get<int>());
        const std::string Key = L.at("TYPE").get<std::string>() + "/" + L.at("COMPONENT").get<std::string>() + "/" + Pos;
        for (const char* Col : {"DEPTH", "RATIO", "PENDEPTH", "RVALUE"}) {
            ExpectValue(S.Db.Float(std::string("SELECT ") + Col + " FROM Layers WHERE BUILDING = 'Hus' AND TYPE = " +
                                   Quote(L.at("TYPE").get<std::string>()) + " AND COMPONENT = " + Quote(L.at("COMPONENT").get<std::string>()) +
                                   " AND POS = " + Pos),
                        L.at(Col), false, Key + "." + Col);
        }
    }
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM Grounds"), 1);
    EXPECT_EQ(S.Db.Text("SELECT TYPE FROM Grounds"), Kind);
    for (const auto& [Col, V] : E.at("Grounds").items()) {
        ExpectValue(S.Db.Float("SELECT " + Col + " FROM Grounds WHERE BUILDING = 'Hus'"), V, IsWholeKWh(Col),
                    "Grounds." + Col);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFoundationKind, WholeBuilding,
                         ::testing::Values("Slab", "LowDensityWall", "SlabVerticalInsulation",
                                           "SlabHorizontalInsulation", "SuspendedFloor", "HeatedCellar", "AlbaSlab",
                                           "AlbaCrawlSpace", "FinlandVertical1", "FinlandVertical2",
                                           "FinlandSuspended1", "FinlandHeatedCellar1"),
                         [](const auto& Info) { return Info.param; });

// A second calculation of an unchanged building gives the same rows.
TEST(Calculation, RepeatedCalculationChangesNothingMore) {
    TSession S(KindFixture("HeatedCellar"), "Hus");
    ASSERT_TRUE(S.M.CalculateBuilding());
    const std::string First = S.Db.Dump();
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_EQ(S.Db.Dump(), First);
}

// Values entered in millimetres and percent come back exactly as entered,
// not divided and multiplied again.
TEST(Calculation, EnteredValuesSurviveTheRoundTripExactly) {
    TSession S(KindFixture("SuspendedFloor", "UPDATE Buildings SET HEATEX = 7; UPDATE Layers SET DEPTH = 29 "
                                             "WHERE COMPONENT = 'Tak' AND POS = 1;"),
               "Hus");
    const auto Inputs = [&] {
        std::string Out;
        for (const char* Sql :
             {"SELECT group_concat(printf('%.17g/%.17g', FRAMEFACTOR, SHADING), ' ') FROM Windows",
              "SELECT group_concat(printf('%.17g', DEPTH), ' ') FROM Layers",
              "SELECT printf('%.17g', HEATEX) FROM Buildings",
              "SELECT printf('%.17g/%.17g/%.17g', WALLHEIGHT, WALLDEPTH, SHIELDING) FROM Grounds"}) {
            Out += S.Db.Text(Sql) + "\n";
        }
        return Out;
    };
    const std::string Before = Inputs();
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_EQ(Inputs(), Before);
}

// ---------------------------------------------------------------------------
// Failures: one of each class. Nothing is stored, the flags stay, the box
// shows the heading, CR LF, the member that failed, CR LF and what is wrong
// with it in the words of the input pages.

struct TFailure {
    const char* Name;
    const char* Kind;
    const char* Sql;
    const char* Member;
    const char* Cause;
};

void PrintTo(const TFailure& F, std::ostream* Out) { *Out << F.Name; }

class CalculationFailure : public ::testing::TestWithParam<TFailure> {};

TEST_P(CalculationFailure, ReportsTheMemberAndTheCauseAndStoresNothing) {
    const TFailure& F = GetParam();
    TSession S(KindFixture(F.Kind, F.Sql), "Hus");
    TCounter Observer;
    S.M.AttachObserver(&Observer);
    const std::string Before = S.Db.Dump();
    const bool WasCalculated = S.M.IsCalculated();
    const bool WasModified = S.M.IsModified();

    EXPECT_FALSE(S.M.CalculateBuilding());
    ASSERT_EQ(S.Report.Texts.size(), 1u);
    EXPECT_EQ(S.Report.Texts[0], std::string("Beräkningen kunde inte genomföras\r\n") + F.Member + "\r\n" + F.Cause);
    EXPECT_EQ(S.Db.Dump(), Before);
    EXPECT_EQ(S.M.IsCalculated(), WasCalculated);
    EXPECT_EQ(S.M.IsModified(), WasModified);
    EXPECT_EQ(Observer.Calls, 0);
    S.M.DetachObserver(&Observer);
}

INSTANTIATE_TEST_SUITE_P(
    EveryErrorClass, CalculationFailure,
    ::testing::Values(
        TFailure{"ConstructionWithoutLayers", "Slab",
                 "INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, "
                 "INNERCAPACITY) VALUES ('Hus', 'OuterWall', 'Tom vägg', 5, 0, 0, 0, 0);",
                 "Tom vägg", "Konstruktionen saknar skikt."},
        TFailure{"LayerOfZeroConductivity", "Slab",
                 "UPDATE Layers SET THERMCOND = 0 WHERE COMPONENT = 'Tak' AND POS = 2;", "Tak",
                 "Skikt 2 (Mineralull 40): konduktiviteten är 0 W/(m·K)."},
        TFailure{"InnerWallLayerOfZeroDensity", "Slab",
                 "UPDATE Layers SET DENSITY = 0 WHERE COMPONENT = 'Innervägg' AND POS = 2;", "Innervägg",
                 "Skikt 2 (Mineralull 40): densiteten är 0 kg/m³."},
        TFailure{"LayerOfNegativeHeatCapacityAndThickness", "Slab",
                 "UPDATE Layers SET SPECCAP = -840, DEPTH = -5 WHERE COMPONENT = 'Tak' AND POS = 2;", "Tak",
                 "Skikt 2 (Mineralull 40): den specifika värmekapaciteten är -840 J/(kg·K) och tjockleken är -5 mm."},
        TFailure{"HeatedBasementOfDepthZero", "HeatedCellar", "UPDATE Grounds SET WALLHEIGHT = 0;", "Husgrund",
                 "Grundmurens djup under mark är 0 mm."},
        TFailure{"HeatedBasementOnGroundOfZeroConductivity", "HeatedCellar",
                 "UPDATE Grounds SET GROUNDTHERMCOND = 0;", "Husgrund",
                 "Markens konduktivitet (marktyp Sand) är 0 W/(m·K)."},
        TFailure{"FinlandBasementWithoutWallDepths", "FinlandHeatedCellar1",
                 "UPDATE Grounds SET SPECIALVAR2 = 0, SPECIALVAR3 = 0;", "Husgrund",
                 "Isoblockdjup och standardblockdjup under mark är båda 0 mm."},
        TFailure{"SlabOfZeroPerimeter", "Slab", "UPDATE Grounds SET PERIMETER = 0;", "Husgrund",
                 "Byggnadens yttre omkrets är 0 m."},
        TFailure{"EdgeInsulationOfZeroConductivity", "SlabVerticalInsulation", "UPDATE Grounds SET ISOCOND = 0;",
                 "Husgrund", "Isoleringens konduktivitet är 0 W/(m·K)."},
        TFailure{"LowDensityWallOfZeroConductivity", "LowDensityWall", "UPDATE Grounds SET ISOCOND = 0;",
                 "Husgrund", "Grundmurens konduktivitet är 0 W/(m·K)."},
        TFailure{"FinlandBlockNotChosen", "FinlandVertical2", "UPDATE Grounds SET SPECIALVAR1 = 5;", "Husgrund",
                 "Grundmurens tjocklek är inte vald."},
        TFailure{"FoundationConstructionOfZeroConductivity", "SuspendedFloor",
                 "UPDATE Layers SET THERMCOND = 0 WHERE COMPONENT = 'Golvbjälklag' AND POS = 2;", "Husgrund",
                 "Mellangolv Golvbjälklag: skikt 2 (Mineralull 37): konduktiviteten är 0 W/(m·K)."},
        TFailure{"DoorWhoseLossOverflows", "Slab",
                 "INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES ('Hus', 'Jättedörr', 1e200, 1e200);",
                 "Jättedörr", "U-värdet 1e+200 W/(m²·K) gånger arean 1e+200 m² är för stort för beräkningen."}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Calculation, WithoutAnErrorReportTheCalculationErrorPassesOn) {
    TTestDb Db(KindFixture("HeatedCellar", "UPDATE Grounds SET WALLHEIGHT = 0;"));
    TDataModuleBuildingData M(Db.Db());
    M.OpenBuilding("Hus");
    try {
        M.CalculateBuilding();
        FAIL() << "no exception";
    } catch (const ECalcException& E) {
        EXPECT_EQ(E.Member(), "Husgrund");
        EXPECT_EQ(E.Cause(), "Grundmurens djup under mark är 0 mm.");
        EXPECT_STREQ(E.what(), "Husgrund\r\nGrundmurens djup under mark är 0 mm.");
    }
}

// Errors outside the members (here the window sums) are not calculation
// errors of a member: they pass on, and nothing is stored either.
TEST(Calculation, WindowOverflowPassesOnAsAnArithmeticError) {
    TSession S(KindFixture("Slab", "INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, "
                                   "DIRECTION) VALUES ('Hus', 'Jätte', 1e200, 0.5, 0, 0, 1e200, 1);"),
               "Hus");
    const std::string Before = S.Db.Dump();
    EXPECT_THROW(S.M.CalculateBuilding(), EMathError);
    EXPECT_TRUE(S.Report.Texts.empty());
    EXPECT_EQ(S.Db.Dump(), Before);
}

// A failure while storing (here at the last row whose values change, the
// last layer of the intermediate floor) rolls everything back; the views
// show the rows as they are again, and the next calculation works on them.
TEST(Calculation, FailingStoreLeavesEveryRowAsItWas) {
    TSession S(KindFixture("SuspendedFloor"), "Hus");
    const int64_t Components = S.Db.Int("SELECT COUNT(*) FROM LayeredComponents");
    S.Db.Db().Exec("CREATE TRIGGER NoLayer BEFORE UPDATE ON Layers WHEN NEW.COMPONENT = 'Bjälklag' AND NEW.POS = 2 "
                   "BEGIN SELECT RAISE(ABORT, 'skiktet spärrat'); END;");
    const std::string Before = S.Db.Dump();
    EXPECT_THROW(S.M.CalculateBuilding(), EDatabaseError);
    EXPECT_EQ(S.Db.Dump(), Before);
    EXPECT_FALSE(S.M.IsCalculated());
    EXPECT_FALSE(S.M.IsModified());
    EXPECT_FALSE(S.M.TableBuildings().FieldByName("CALCULATED").AsBoolean());
    EXPECT_DOUBLE_EQ(S.M.TableBuildings().FieldByName("UVALUE").AsFloat(), 0);
    EXPECT_DOUBLE_EQ(S.M.TableGroundFloors().FieldByName("UVALUE").AsFloat(), 0);
    EXPECT_EQ(S.M.TableMonths().RecordCount(), 12);

    S.Db.Db().Exec("DROP TRIGGER NoLayer;");
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_NEAR(S.Db.Float("SELECT UVALUE FROM Buildings"), Expected().at("SuspendedFloor").at("Buildings").at("UVALUE"),
                1e-12);
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM LayeredComponents"), Components);
}

TEST(Calculation, MissingMonthIsAClearErrorAndStoresNothing) {
    TSession S(KindFixture("Slab"), "Hus");
    ASSERT_TRUE(S.M.TableMonths().Locate({"MONTH"}, {int64_t{5}}));
    S.M.TableMonths().Delete();
    const std::string Before = S.Db.Dump();
    try {
        S.M.CalculateBuilding();
        FAIL() << "no exception";
    } catch (const EBVException& E) {
        EXPECT_NE(std::string(E.what()).find("Månad 5"), std::string::npos) << E.what();
    }
    EXPECT_EQ(S.Db.Dump(), Before);
}

TEST(Calculation, UnknownBuildingIsAClearError) {
    TTestDb Db(KindFixture("Slab"));
    TDataModuleBuildingData M(Db.Db());
    EXPECT_THROW(M.OpenBuilding("Finns inte"), EBVException);
    auto B = M.CreateBuildingObject("Hus");
    EXPECT_THROW(B->Load("Finns inte"), EBVException);
}

// ---------------------------------------------------------------------------
// The driver's edge cases, on the small building "Liten"

TEST(Calculation, BuildingWithoutEnvelopeIsStoredUncalculatedWithItsOldResults) {
    TSession S({Fixture("minimal.sql"), "DELETE FROM Doors; DELETE FROM LayeredComponents; DELETE FROM Layers;"},
               "Liten");
    ASSERT_TRUE(S.M.IsCalculated()); // as stored
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_FALSE(S.M.IsCalculated());
    EXPECT_EQ(S.Db.Text("SELECT CALCULATED FROM Buildings"), "N");
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT HEATUSAGE FROM Buildings"), 8765.5);
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT HEATLOSS FROM Buildings"), 13000);
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT SURFACEAREA FROM Buildings"), 0);
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT HEATUSAGE FROM Months WHERE MONTH = 3"), 1486.5);
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT UTILFACTOR FROM Months WHERE MONTH = 3"), 97);
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT RADLOSS FROM Months WHERE MONTH = 12"), 600);
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT LEAKLOSSCOEFF FROM Buildings"), 20);
}

TEST(Calculation, VentilationInputs) {
    struct Case {
        const char* Name;
        const char* Sql;
        double V50;
        double Supply;
        double Extract;
    };
    const Case Cases[] = {
        // Leakage per envelope area without the foundation: 0.8 x (300 - 100) x 3.6.
        {"type 1", "UPDATE Buildings SET VENTTYPE = 1, P50 = 0.8;", 576, 150, 160},
        {"type 2", "UPDATE Buildings SET VENTTYPE = 2, N50 = 3.0;", 900, 150, 160},
        {"type 0", "UPDATE Buildings SET VENTTYPE = 0, AIRCHANGESPERH = 0.5;", 150, 150, 160},
        {"unit l/s", "UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 1;", 576, 40 * 3.6, 45 * 3.6},
        {"unit l/(s m2)", "UPDATE Buildings SET VENTTYPE = 1, VENTUNIT = 2, VSUPLAREA = 0.35;", 576, 151.2,
         0.4 * 120 * 3.6},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Name);
        TSession S({Fixture("minimal.sql"), K.Sql}, "Liten");
        ASSERT_TRUE(S.M.CalculateBuilding());
        const BALANCE& B = S.M.CalculationBuilding()->GetBalance();
        EXPECT_NEAR(B.Vent.SupplyFlow, K.Supply, 1e-9);
        EXPECT_NEAR(B.Vent.ExtractFlow, K.Extract, 1e-9);
        EXPECT_NEAR(B.Months[6].Vent.Flow50, K.V50, 1e-9);
        EXPECT_NEAR(S.Db.Float("SELECT V50 FROM Buildings"), K.V50, 1e-9);
        EXPECT_NEAR(S.Db.Float("SELECT SURFACEAREA FROM Buildings"), 300, 1e-9);
    }
}

TEST(Calculation, InternalGainsInWattsIgnoreTheFloorArea) {
    TSession S({Fixture("minimal.sql"), "UPDATE Buildings SET INTGAINUNIT = 1, AREA = 999;"}, "Liten");
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_DOUBLE_EQ(S.M.CalculationBuilding()->GetBalance().P, 600); // 100 + 200 + 250 + 50 W
    EXPECT_EQ(S.Db.Float("SELECT INTGAIN FROM Months WHERE MONTH = 1"), 446); // 31 x 600 x 24 / 1000 = 446.4
    for (const auto& [Col, V] : {std::pair{"INTPMETABOLIC", 1.5}, {"INTPLIGHTING", 1.0}, {"INTPAPPLIANCES", 2.0},
                                 {"INTPUNDEF", 0.5}}) {
        EXPECT_DOUBLE_EQ(S.Db.Float(std::string("SELECT ") + Col + " FROM Buildings"), V) << Col;
    }
}

TEST(Calculation, InternalGainsPerFloorArea) {
    TSession S({Fixture("minimal.sql")}, "Liten");
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_DOUBLE_EQ(S.M.CalculationBuilding()->GetBalance().P, 5.0 * 120);
}

TEST(Calculation, GlazingGroupsTakeAreaWeightedMeans) {
    TSession S(KindFixture("Slab"), "Hus");
    auto B = S.M.CreateBuildingObject("Hus");
    B->Compute();
    const GLAZING& South = B->GetBalance().Glazing[GLZ_SOUTH];
    // "Söder 1" 2 m2 g 0.6 and "Söder 2" 6 m2 g 0.5; the window of area 0
    // facing south adds nothing.
    EXPECT_DOUBLE_EQ(South.Area, 8);
    EXPECT_NEAR(South.GValue, 0.525, 1e-15);
    EXPECT_NEAR(South.Shading, (2 * 0.2 + 6 * 0.1) / 8, 1e-15);
    EXPECT_NEAR(South.GlazedFraction, (2 * 0.7 + 6 * 0.75) / 8, 1e-15);
    EXPECT_DOUBLE_EQ(B->GetBalance().Glazing[GLZ_NORTH].Area, 3);
    EXPECT_DOUBLE_EQ(B->GetBalance().Glazing[GLZ_WEST].Area, 2.5);
    EXPECT_NEAR(B->GetBalance().Glazing[GLZ_EAST].GlazedFraction, 0.65, 1e-15);
    EXPECT_DOUBLE_EQ(B->GetBalance().Glazing[GLZ_HORIZONTAL].Area, 1.2);

    // The window of direction 7 adds its area and loss but no solar gain.
    auto Without = [&] {
        TSession T(KindFixture("Slab", "DELETE FROM Windows WHERE ID = 'Okänd';"), "Hus");
        auto W = T.M.CreateBuildingObject("Hus");
        W->Compute();
        return std::pair{W->GetBalance().HT, W->GetSurfaceArea()};
    }();
    EXPECT_NEAR(B->GetBalance().HT - Without.first, 1.4, 1e-9);
    EXPECT_NEAR(B->GetSurfaceArea() - Without.second, 1.0, 1e-9);
}

TEST(Calculation, UnknownFoundationKindKeepsTheFoundationHeld) {
    // A fresh building object holds a suspended floor.
    TSession S({Fixture("minimal.sql"), "UPDATE Grounds SET TYPE = 'Okänd';"
                                        "INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, "
                                        "OUTERCAPACITY, INNERCAPACITY) VALUES ('Liten', 'GroundFloor', 'Golv', 100, 0, "
                                        "1, 0, 0); INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, "
                                        "SPECCAP, DENSITY, DEPTH) VALUES ('Liten', 'GroundFloor', 'Golv', 1, 'Trä', "
                                        "0.13, 1600, 500, 100);"},
               "Liten");
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_NE(dynamic_cast<TSuspendedFloor*>(S.M.CalculationBuilding()->GetGround().get()), nullptr);
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM Grounds"), 1);
    EXPECT_EQ(S.Db.Text("SELECT TYPE FROM Grounds"), "Okänd");
    EXPECT_GT(S.Db.Float("SELECT UVALUE FROM Grounds"), 0);
    EXPECT_NEAR(S.Db.Float("SELECT UVALUE FROM LayeredComponents WHERE ID = 'Golv'"), 1.3, 1e-12);

    // A building object that holds another kind keeps that one.
    TSession R({Fixture("minimal.sql")}, "Liten");
    auto B = R.M.CreateBuildingObject("Liten");
    ASSERT_NE(dynamic_cast<TSlabonGround*>(B->GetGround().get()), nullptr);
    R.Db.Db().Exec("UPDATE Grounds SET TYPE = 'Okänd';");
    R.M.RefreshAllData();
    B->Load("Liten");
    EXPECT_NE(dynamic_cast<TSlabonGround*>(B->GetGround().get()), nullptr);
}

TEST(Calculation, ChangeBuildingID) {
    TSession S(KindFixture("HeatedCellar"), "Hus");
    auto B = S.M.CreateBuildingObject("Hus");
    try {
        B->ChangeBuildingID("");
        FAIL() << "no exception";
    } catch (const ECalcException& E) {
        EXPECT_STREQ(E.what(), "Kan ej skapa byggnad utan ID!");
    }
    EXPECT_EQ(B->GetID(), "Hus");
    EXPECT_EQ(B->GetOuterWalls()[0]->GetBuilding(), "Hus");
    EXPECT_EQ(B->GetOuterWalls()[0]->GetLayers()[0]->GetBuilding(), "Hus");
    B->Store();
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM Buildings"), 1);
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM LayeredComponents WHERE BUILDING <> 'Hus'"), 0);

    // A new ID: the next Store writes a whole copy, every member included.
    B->ChangeBuildingID("Kopia");
    B->Store();
    for (const char* T : {"Months", "LayeredComponents", "Layers", "Windows", "Doors", "Grounds"}) {
        const std::string Table = T;
        EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM " + Table + " WHERE BUILDING = 'Kopia'"),
                  S.Db.Int("SELECT COUNT(*) FROM " + Table + " WHERE BUILDING = 'Hus'"))
            << Table;
    }
    EXPECT_EQ(S.Db.Text("SELECT TYPE FROM Grounds WHERE BUILDING = 'Kopia'"), "HeatedCellar");
    EXPECT_EQ(S.Db.Int("SELECT COUNT(*) FROM Layers L WHERE BUILDING = 'Kopia' AND NOT EXISTS (SELECT 1 FROM Layers O "
                       "WHERE O.BUILDING = 'Hus' AND O.TYPE = L.TYPE AND O.COMPONENT = L.COMPONENT AND O.POS = L.POS "
                       "AND O.DEPTH = L.DEPTH AND O.THERMCOND = L.THERMCOND)"),
              0);
    // The copy calculates to the same results.
    S.M.OpenBuilding("Kopia");
    ASSERT_TRUE(S.M.CalculateBuilding());
    S.M.OpenBuilding("Hus");
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT HEATUSAGE FROM Buildings WHERE ID = 'Kopia'"),
                     S.Db.Float("SELECT HEATUSAGE FROM Buildings WHERE ID = 'Hus'"));
}

// ---------------------------------------------------------------------------
// The module around the calculation

TEST(Module, CalculationPostsPendingEditsFirst) {
    TSession S(KindFixture("Slab"), "Hus");
    TDataset& Walls = S.M.TableOuterWalls();
    ASSERT_TRUE(Walls.Locate({"ID"}, {std::string("Betongvägg")}));
    Walls.Edit();
    Walls.FieldByName("AREA").SetFloat(22); // 10 m2 more, not posted
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_NEAR(S.Db.Float("SELECT SURFACEAREA FROM Buildings"),
                Expected().at("Slab").at("Buildings").at("SURFACEAREA").get<double>() + 10, 1e-9);
}

TEST(Module, SuccessfulCalculationMarksCalculatedAndNotifiesOnce) {
    TSession S(KindFixture("AlbaSlab"), "Hus");
    TCounter Observer;
    bool CalculatedSeen = false;
    Observer.OnCall = [&] { CalculatedSeen = S.M.IsCalculated(); };
    S.M.AttachObserver(&Observer);
    S.M.AttachObserver(&Observer); // attached once only
    EXPECT_FALSE(S.M.IsCalculated());
    EXPECT_FALSE(S.M.IsModified());
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_EQ(Observer.Calls, 1);
    EXPECT_TRUE(CalculatedSeen);
    EXPECT_TRUE(S.M.IsCalculated());
    EXPECT_TRUE(S.M.IsModified()); // the calculation's writes are changes
    EXPECT_TRUE(S.M.TableBuildings().FieldByName("CALCULATED").AsBoolean());

    // An edit makes the building not calculated again.
    S.M.TableDoors().First();
    S.M.TableDoors().Edit();
    EXPECT_FALSE(S.M.IsCalculated());
    EXPECT_GE(Observer.Calls, 2);
    S.M.TableDoors().Cancel();
    S.M.DetachObserver(&Observer);
}

TEST(Module, OpenBuildingTakesTheStoredFlag) {
    TSession S({Fixture("minimal.sql"), Fixture("common.sql"), Fixture("Slab.sql")}, "liten");
    EXPECT_EQ(S.M.TableBuildings().FieldByName("ID").AsString(), "Liten");
    EXPECT_TRUE(S.M.IsCalculated());
    EXPECT_EQ(S.M.TableDoors().RecordCount(), 1);
    S.M.OpenBuilding("HUS");
    EXPECT_FALSE(S.M.IsCalculated());
    EXPECT_EQ(S.M.TableDoors().RecordCount(), 2);
    EXPECT_EQ(S.M.TableMonths().RecordCount(), 12);
    EXPECT_EQ(S.M.TableOuterWallLayers().FieldByName("COMPONENT").AsString(),
              S.M.TableOuterWalls().FieldByName("ID").AsString());
    ASSERT_NE(S.M.CalculationBuilding(), nullptr);
    ASSERT_NE(S.M.SnapshotBuilding(), nullptr);
    EXPECT_EQ(S.M.SnapshotBuilding()->GetID(), "Hus");
    // Calculating one building leaves the other's rows alone.
    const double Before = S.Db.Float("SELECT HEATUSAGE FROM Buildings WHERE ID = 'Liten'");
    ASSERT_TRUE(S.M.CalculateBuilding());
    EXPECT_DOUBLE_EQ(S.Db.Float("SELECT HEATUSAGE FROM Buildings WHERE ID = 'Liten'"), Before);
}

TEST(Observers, AttachOnceDetachAnyNotifyInOrder) {
    TSubject Subject;
    std::vector<int> Calls;
    struct TObs : IStatusObserver {
        std::vector<int>& Log;
        int N;
        TObs(std::vector<int>& L, int I) : Log(L), N(I) {}
        void StatusChanged() override { Log.push_back(N); }
    } A(Calls, 1), B(Calls, 2), C(Calls, 3);
    Subject.Attach(&B);
    Subject.Attach(&A);
    Subject.Attach(&B);
    Subject.Attach(&C);
    Subject.Detach(&C);
    Subject.Detach(&C);
    Subject.Notify();
    EXPECT_EQ(Calls, (std::vector<int>{2, 1}));
}

} // namespace
