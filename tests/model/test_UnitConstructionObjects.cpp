// Layers, layered constructions, windows, doors and the foundation classes
// against small databases.
#include "model/UnitConstructionObjects.h"

#include "calc/MathError.h"
#include "tests/model/TestDb.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A construction view of one building and kind, with its layers as detail.
struct TComponentViews {
    TDataset Comp;
    TDataset Layers;
    TComponentViews(TDatabase& Db, const std::string& Building, const std::string& Type)
        : Comp(Db, "LayeredComponents"), Layers(Db, "Layers") {
        Comp.SetFilter("BUILDING = ? AND TYPE = ?", {Building, Type});
        Layers.SetOrderBy("POS");
        Layers.SetMaster(&Comp, {{"BUILDING", "BUILDING"}, {"COMPONENT", "ID"}, {"TYPE", "TYPE"}});
        Comp.Open();
        Layers.Open();
    }
    // The construction of the current row, loaded.
    std::unique_ptr<TLayeredComponent> LoadCurrent(const std::string& Building) {
        auto C = std::make_unique<TLayeredComponent>();
        C->SetComponentTable(&Comp);
        C->SetLayerTable(&Layers);
        C->SetBuilding(Building);
        C->SetID(Comp.FieldByName("ID").AsString());
        C->Load();
        return C;
    }
};

std::string Component(const std::string& Type, const std::string& ID, double Area) {
    return "INSERT INTO LayeredComponents (BUILDING, TYPE, ID, AREA, UVALUE, NLAYERS, OUTERCAPACITY, "
           "INNERCAPACITY) VALUES ('B', '" + Type + "', '" + ID + "', " + std::to_string(Area) + ", 0, 0, 0, 0);";
}

std::string Layer(const std::string& Type, const std::string& Comp, int Pos, double Depth, double Lambda,
                  double C, double Rho) {
    return "INSERT INTO Layers (BUILDING, TYPE, COMPONENT, POS, ID, THERMCOND, SPECCAP, DENSITY, DEPTH, RATIO, "
           "PENDEPTH, RVALUE, LOCKEDDEPTH) VALUES ('B', '" + Type + "', '" + Comp + "', " + std::to_string(Pos) +
           ", 'Material', " + std::to_string(Lambda) + ", " + std::to_string(C) + ", " + std::to_string(Rho) +
           ", " + std::to_string(Depth) + ", 0, 0, 0, 'N');";
}

// ---------------------------------------------------------------------------
// Layered constructions

TEST(LayeredComponent, ConcreteWallResultsReachTheRows) {
    TTestDb T({Component("OuterWall", "Vägg", 10), Layer("OuterWall", "Vägg", 1, 200, 1.7, 880, 2300)});
    TComponentViews V(T.Db(), "B", "OuterWall");
    auto C = V.LoadCurrent("B");
    C->SetInnerSurfaceResistance(0.13);
    C->SetOuterSurfaceResistance(0.04);
    C->Compute();
    C->Store();

    EXPECT_NEAR(T.Float("SELECT UVALUE FROM LayeredComponents"), 3.4765, 1e-4);
    EXPECT_NEAR(T.Float("SELECT INNERCAPACITY FROM LayeredComponents"), 81.69, 0.01);
    EXPECT_NEAR(T.Float("SELECT OUTERCAPACITY FROM LayeredComponents"), 158.73, 0.01);
    EXPECT_EQ(T.Int("SELECT NLAYERS FROM LayeredComponents"), 1);
    EXPECT_NEAR(T.Float("SELECT RVALUE FROM Layers"), 0.117647, 1e-6);
    EXPECT_NEAR(T.Float("SELECT PENDEPTH FROM Layers"), 0.15199, 1e-5);
    EXPECT_NEAR(T.Float("SELECT RATIO FROM Layers"), 1.3159, 1e-4);
    EXPECT_DOUBLE_EQ(T.Float("SELECT DEPTH FROM Layers"), 200);
    EXPECT_NEAR(C->GetUA(), 34.765, 1e-3);
    EXPECT_NEAR(C->GetInnerCapacity(), 816.9, 0.1);
}

// Layer 1 lies on the side of the inner surface resistance: turning the
// construction round swaps the two capacities exactly.
TEST(LayeredComponent, LayerOneFacesTheInnerSurface) {
    TTestDb T({Component("OuterWall", "In", 1), Layer("OuterWall", "In", 1, 150, 1.7, 880, 2300),
               Layer("OuterWall", "In", 2, 100, 0.04, 1000, 30), Component("OuterWall", "Ut", 1),
               Layer("OuterWall", "Ut", 1, 100, 0.04, 1000, 30), Layer("OuterWall", "Ut", 2, 150, 1.7, 880, 2300)});
    TComponentViews V(T.Db(), "B", "OuterWall");
    ASSERT_TRUE(V.Comp.Locate({"ID"}, {std::string("In")}));
    auto A = V.LoadCurrent("B");
    ASSERT_TRUE(V.Comp.Locate({"ID"}, {std::string("Ut")}));
    auto B = V.LoadCurrent("B");
    A->SetInnerSurfaceResistance(0.13);
    A->SetOuterSurfaceResistance(0.04);
    B->SetInnerSurfaceResistance(0.04);
    B->SetOuterSurfaceResistance(0.13);
    A->Compute();
    B->Compute();
    // Concrete inside holds far more heat on the inner side.
    EXPECT_GT(A->GetInnerArealCapacity(), 5 * A->GetOuterArealCapacity());
    EXPECT_NEAR(A->GetInnerArealCapacity(), B->GetOuterArealCapacity(), 1e-9);
    EXPECT_NEAR(A->GetOuterArealCapacity(), B->GetInnerArealCapacity(), 1e-9);
    EXPECT_NEAR(A->GetUValue(), B->GetUValue(), 1e-12);
}

TEST(LayeredComponent, StoresBackIntoTheSameRows) {
    TTestDb T({Component("Roof", "Tak", 50), Layer("Roof", "Tak", 1, 13, 0.25, 1090, 900),
               Layer("Roof", "Tak", 2, 150, 0.04, 840, 25), Layer("Roof", "Tak", 3, 22, 0.13, 1600, 500)});
    TComponentViews V(T.Db(), "B", "Roof");
    auto C = V.LoadCurrent("B");
    ASSERT_EQ(C->GetLayerCount(), 3);
    EXPECT_DOUBLE_EQ(C->GetLayers()[1]->GetThickness(), 0.15);
    C->Compute();
    C->Store();
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM LayeredComponents"), 1);
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM Layers"), 3);
    EXPECT_DOUBLE_EQ(T.Float("SELECT DEPTH FROM Layers WHERE POS = 2"), 150);
    EXPECT_NEAR(T.Float("SELECT RVALUE FROM Layers WHERE POS = 2"), 0.15 / 0.04, 1e-12);
    EXPECT_NEAR(T.Float("SELECT RVALUE FROM Layers WHERE POS = 3"), 0.022 / 0.13, 1e-12);
    EXPECT_NEAR(T.Float("SELECT UVALUE FROM LayeredComponents"),
                1 / (0.013 / 0.25 + 0.15 / 0.04 + 0.022 / 0.13), 1e-12);
}

// Positions outside 1..n (a gap, a repeat) are renumbered in their order;
// no layer is lost, duplicated or written over another.
TEST(LayeredComponent, LayerPositionsWithGapsOrRepeatsAreRenumbered) {
    for (const auto& Positions : {std::vector<int>{1, 3, 4}, std::vector<int>{2, 2, 5}, std::vector<int>{0, 1, 1}}) {
        SCOPED_TRACE(std::to_string(Positions[0]) + "," + std::to_string(Positions[1]) + "," +
                     std::to_string(Positions[2]));
        TTestDb T({Component("Roof", "Tak", 50), Layer("Roof", "Tak", Positions[0], 13, 0.25, 1090, 900),
                   Layer("Roof", "Tak", Positions[1], 150, 0.04, 840, 25),
                   Layer("Roof", "Tak", Positions[2], 22, 0.13, 1600, 500)});
        TComponentViews V(T.Db(), "B", "Roof");
        auto C = V.LoadCurrent("B");
        ASSERT_EQ(C->GetLayerCount(), 3);
        C->Compute();
        C->Store();
        EXPECT_EQ(T.Int("SELECT COUNT(*) FROM Layers"), 3);
        EXPECT_EQ(T.Text("SELECT group_concat(POS || ':' || DEPTH, ' ') FROM (SELECT * FROM Layers ORDER BY POS)"),
                  "1:13.0 2:150.0 3:22.0");
        EXPECT_NEAR(T.Float("SELECT RVALUE FROM Layers WHERE POS = 2"), 0.15 / 0.04, 1e-12);
        // Loaded again, the construction is the same.
        auto Again = V.LoadCurrent("B");
        Again->Compute();
        EXPECT_DOUBLE_EQ(Again->GetUValue(), C->GetUValue());
    }
}

TEST(LayeredComponent, NewBuildingIDAfterLoadReachesEveryLayer) {
    TTestDb T({Component("InnerWall", "Vägg", 20), Layer("InnerWall", "Vägg", 1, 13, 0.25, 1090, 900),
               Layer("InnerWall", "Vägg", 2, 70, 0.04, 840, 25), Layer("InnerWall", "Vägg", 3, 13, 0.25, 1090, 900)});
    TComponentViews V(T.Db(), "B", "InnerWall");
    auto C = V.LoadCurrent("B");
    C->SetBuilding("Kopia");
    C->Compute();
    C->Store();
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM LayeredComponents WHERE BUILDING = 'Kopia' AND ID = 'Vägg' "
                    "AND TYPE = 'InnerWall' AND NLAYERS = 3"),
              1);
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM Layers WHERE BUILDING = 'Kopia' AND COMPONENT = 'Vägg' "
                    "AND TYPE = 'InnerWall' AND POS IN (1, 2, 3)"),
              3);
    EXPECT_DOUBLE_EQ(T.Float("SELECT DEPTH FROM Layers WHERE BUILDING = 'Kopia' AND POS = 2"), 70);
    // The original stays as it was.
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM Layers WHERE BUILDING = 'B' AND RVALUE = 0"), 3);
}

// A foundation's construction has no surface resistances: U = 1 / sum R.
TEST(LayeredComponent, WithoutSurfaceResistancesUIsTheLayersOnly) {
    TTestDb T({Component("GroundSlab", "Platta", 100), Layer("GroundSlab", "Platta", 1, 100, 0.04, 1450, 20),
               Layer("GroundSlab", "Platta", 2, 200, 1.7, 880, 2300)});
    TComponentViews V(T.Db(), "B", "GroundSlab");
    auto C = V.LoadCurrent("B");
    C->Compute();
    EXPECT_NEAR(C->GetUValue(), 1 / (0.1 / 0.04 + 0.2 / 1.7), 1e-12);
}

// Each raises, and the construction says why in the words of its editor.
TEST(LayeredComponent, LayersThatCannotBeComputedRaiseAndSayWhy) {
    struct Case {
        const char* Name;
        std::vector<std::string> Layers;
        const char* Fault;
    };
    const Case Cases[] = {
        {"zero conductivity", {Layer("OuterWall", "V", 1, 100, 0, 880, 2300)},
         "Skikt 1 (Material): konduktiviteten är 0 W/(m·K)."},
        {"zero density", {Layer("OuterWall", "V", 1, 100, 1.7, 880, 0)}, "Skikt 1 (Material): densiteten är 0 kg/m³."},
        {"zero specific heat", {Layer("OuterWall", "V", 1, 100, 1.7, 0, 2300)},
         "Skikt 1 (Material): den specifika värmekapaciteten är 0 J/(kg·K)."},
        {"two layers at fault",
         {Layer("OuterWall", "V", 1, 100, 0, 0, 2300), Layer("OuterWall", "V", 2, 50, 1.7, 880, 2300),
          Layer("OuterWall", "V", 3, 12.5, 0.25, 1090, -900)},
         "Skikt 1 (Material): konduktiviteten är 0 W/(m·K) och den specifika värmekapaciteten är 0 J/(kg·K); "
         "skikt 3 (Material): densiteten är -900 kg/m³."},
        {"no layers", {}, "Konstruktionen saknar skikt."},
        {"only layers of zero thickness",
         {Layer("OuterWall", "V", 1, 0, 1.7, 880, 2300), Layer("OuterWall", "V", 2, 0, 0.04, 1000, 30)},
         "Alla skikt har tjockleken 0 mm."},
    };
    for (const Case& K : Cases) {
        SCOPED_TRACE(K.Name);
        std::vector<std::string> Sql = {Component("OuterWall", "V", 10)};
        Sql.insert(Sql.end(), K.Layers.begin(), K.Layers.end());
        TTestDb T(Sql);
        TComponentViews V(T.Db(), "B", "OuterWall");
        auto C = V.LoadCurrent("B");
        C->SetInnerSurfaceResistance(0.13);
        C->SetOuterSurfaceResistance(0.04);
        EXPECT_THROW(C->Compute(), EMathError);
        EXPECT_EQ(C->DescribeFault(), K.Fault);
    }
    // A construction that computes has nothing to say.
    TTestDb T({Component("OuterWall", "V", 10), Layer("OuterWall", "V", 1, 100, 1.7, 880, 2300)});
    TComponentViews V(T.Db(), "B", "OuterWall");
    EXPECT_EQ(V.LoadCurrent("B")->DescribeFault(), "");
}

// ---------------------------------------------------------------------------
// Windows and doors

TEST(Window, PercentagesLoadAsFractionsAndStoreBackUnchanged) {
    TTestDb T({"INSERT INTO Windows (BUILDING, ID, UVALUE, GVALUE, SHADING, FRAMEFACTOR, AREA, DIRECTION) VALUES "
               "('B', 'Första', 1.0, 0.5, 0, 0, 1, 0), ('B', 'Söder', 1.2, 0.6, 20, 30, 2.5, 5)"});
    TDataset W(T.Db(), "Windows");
    W.Open();
    W.First();
    TWindow Win;
    Win.SetWindowTable(&W);
    Win.SetID("SÖDER"); // found without regard to case
    Win.Load();
    EXPECT_EQ(W.FieldByName("ID").AsString(), "Första"); // the cursor stays where it was
    const TSolarData S = Win.GetSolarData();
    EXPECT_DOUBLE_EQ(S.GlazedFraction, 0.7);
    EXPECT_DOUBLE_EQ(S.Shading, 0.2);
    EXPECT_DOUBLE_EQ(S.GValue, 0.6);
    EXPECT_DOUBLE_EQ(S.UValue, 1.2);
    EXPECT_DOUBLE_EQ(S.Area, 2.5);
    EXPECT_EQ(Win.GetDirection(), 5);
    Win.Store();
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM Windows"), 2);
    EXPECT_NEAR(T.Float("SELECT FRAMEFACTOR FROM Windows WHERE AREA = 2.5"), 30, 1e-12);
    EXPECT_NEAR(T.Float("SELECT SHADING FROM Windows WHERE AREA = 2.5"), 20, 1e-12);
    EXPECT_EQ(T.Int("SELECT DIRECTION FROM Windows WHERE AREA = 2.5"), 5);
}

TEST(Door, StoresUnderANewBuildingAsANewRow) {
    TTestDb T({"INSERT INTO Doors (BUILDING, ID, AREA, UVALUE) VALUES ('B', 'Entré', 2.1, 1.2)"});
    TDataset D(T.Db(), "Doors");
    D.Open();
    TDoor Door;
    Door.SetDoorTable(&D);
    Door.SetID("entré");
    Door.Load();
    EXPECT_DOUBLE_EQ(Door.GetArea(), 2.1);
    EXPECT_DOUBLE_EQ(Door.GetUValue(), 1.2);
    Door.SetBuilding("Kopia");
    Door.Store();
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM Doors"), 2);
    EXPECT_DOUBLE_EQ(T.Float("SELECT AREA FROM Doors WHERE BUILDING = 'Kopia'"), 2.1);
}

TEST(Window, MissingRowIsAClearError) {
    TTestDb T;
    TDataset W(T.Db(), "Windows");
    W.Open();
    TWindow Win;
    Win.SetWindowTable(&W);
    Win.SetID("Finns ej");
    EXPECT_THROW(Win.Load(), EBVException);
}

// ---------------------------------------------------------------------------
// Foundations

// The Grounds row of building B and the three construction groups.
struct TGroundViews {
    TDataset Grounds;
    TComponentViews Floors;
    TComponentViews Walls;
    TComponentViews Slabs;
    explicit TGroundViews(TDatabase& Db)
        : Grounds(Db, "Grounds"), Floors(Db, "B", "GroundFloor"), Walls(Db, "B", "GroundWall"),
          Slabs(Db, "B", "GroundSlab") {
        Grounds.SetFilter("BUILDING = ?", {std::string("B")});
        Grounds.Open();
    }
    std::shared_ptr<IGround> Load(const std::string& Key) {
        auto G = CreateGroundObject(Key);
        if (!G) {
            throw std::runtime_error("no foundation class for " + Key);
        }
        G->SetGroundTable(&Grounds);
        G->SetFloorTable(&Floors.Comp);
        G->SetFloorLayerTable(&Floors.Layers);
        G->SetWallTable(&Walls.Comp);
        G->SetWallLayerTable(&Walls.Layers);
        G->SetSlabTable(&Slabs.Comp);
        G->SetSlabLayerTable(&Slabs.Layers);
        G->SetBuilding("B");
        G->Load();
        return G;
    }
};

std::string GroundRow(const std::string& Type, const std::string& Values) {
    return "INSERT INTO Grounds (BUILDING, TYPE, AREA, PERIMETER, WALLHEIGHT, WALLDEPTH, GROUNDTHERMCOND, "
           "VENTILATIONAREA, SHIELDING, WINDSPEED, UVALUE, ISOCOND, UWALL, ISOWIDTH, ISOLENGTH, SPECIALVAR1, "
           "SPECIALVAR2, SPECIALVAR3, SOILNAME) VALUES ('B', '" + Type + "', " + Values + ");";
}

// A single-layer construction whose U is exactly 1 / R.
std::vector<std::string> ConstructionOfR(const std::string& Type, const std::string& ID, double Area, double R) {
    return {Component(Type, ID, Area), Layer(Type, ID, 1, 100, 0.1 / R, 1000, 1000)};
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> Parts) {
    std::vector<std::string> Out;
    for (auto& P : Parts) {
        Out.insert(Out.end(), P.begin(), P.end());
    }
    return Out;
}

TEST(Foundation, SuspendedFloorTakesItsInputsFromTheRowAndTheWalls) {
    TTestDb T(Join({{GroundRow("SuspendedFloor", "0, 40, 500, 300, 2.0, 600, 5, 4, 0, 0, 0, 0, 0, 0, 0, 0, 'Sand'")},
                    ConstructionOfR("GroundFloor", "Golv", 100, 5), ConstructionOfR("GroundWall", "Sockel", 12, 0.5),
                    ConstructionOfR("GroundWall", "Sockel 2", 8, 2)}));
    TGroundViews V(T.Db());
    auto G = V.Load("SuspendedFloor");
    auto& S = dynamic_cast<TSuspendedFloor&>(*G);
    ASSERT_GT(G->GetArea(), 0);
    G->Compute();
    EXPECT_DOUBLE_EQ(S.h, 0.5);
    EXPECT_DOUBLE_EQ(S.w, 0.3);
    EXPECT_DOUBLE_EQ(S.fw, 0.05);
    EXPECT_NEAR(S.Eps, 600.0 / (10000.0 * 20.0), 1e-15);
    EXPECT_NEAR(S.Uw, (12 * 2.0 + 8 * 0.5) / 20, 1e-12);
    EXPECT_NEAR(S.Uf, 0.2, 1e-12);
    EXPECT_DOUBLE_EQ(S.Rg, 0); // no slab at the base of the crawl space
    EXPECT_DOUBLE_EQ(S.A, 100);
    // By hand: B' = 2 * 100 / 40 = 5 m, dg = 0.3 + 2 * (0.17 + 0.04) = 0.72 m,
    // Ug = 2 * 2 / (5 pi + 0.72) * ln(5 pi / 0.72 + 1) = 0.7615038,
    // Ux = 2 * 0.5 * 1.4 / 5 + 1450 * 0.003 * 4 * 0.05 / 5 = 0.454,
    // U = 0.2 * (Ug + Ux) / (0.2 + Ug + Ux).
    EXPECT_NEAR(G->GetU(), 0.17174150956308806, 1e-12);
}

TEST(Foundation, SuspendedFloorWithoutWallsHasOnlyTheGroundPath) {
    TTestDb T(Join({{GroundRow("SuspendedFloor", "0, 40, 500, 300, 2.0, 600, 5, 4, 0, 0, 0, 0, 0, 0, 0, 0, 'Sand'")},
                    ConstructionOfR("GroundFloor", "Golv", 100, 5)}));
    TGroundViews V(T.Db());
    auto G = V.Load("SuspendedFloor");
    auto& S = dynamic_cast<TSuspendedFloor&>(*G);
    G->GetArea();
    G->Compute();
    EXPECT_DOUBLE_EQ(S.Uw, 0);
    EXPECT_DOUBLE_EQ(S.Eps, 0);
    EXPECT_DOUBLE_EQ(S.Ux, 0);
    // By hand: the ground path alone, Ug = 2 * 2 / (5 pi + 0.72) *
    // ln(5 pi / 0.72 + 1) = 0.7615038 (B' = 5 m, dg = 0.72 m as above), in
    // series with the floor: U = 0.2 * Ug / (0.2 + Ug).
    EXPECT_NEAR(G->GetU(), 0.15839849943703366, 1e-12);
}

TEST(Foundation, SlabResistanceIsTheInverseOfTheAreaWeightedMeanU) {
    TTestDb T(Join({{GroundRow("Slab", "0, 40, 0, 300, 2.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'Sand'")},
                    ConstructionOfR("GroundSlab", "A", 60, 5), ConstructionOfR("GroundSlab", "B", 40, 1 / 0.3)}));
    TGroundViews V(T.Db());
    auto G = V.Load("Slab");
    EXPECT_DOUBLE_EQ(G->GetArea(), 100);
    G->Compute();
    EXPECT_NEAR(dynamic_cast<TSlabonGround&>(*G).Rf, 1 / 0.24, 1e-12);
}

// A new construction starts with area 0; wherever it stands in the list it
// must not change the mean nor make the foundation fail.
TEST(Foundation, ConstructionOfZeroAreaCarriesNoWeight) {
    for (const bool ZeroFirst : {true, false}) {
        SCOPED_TRACE(ZeroFirst ? "zero area first" : "zero area last");
        const auto Zero = ConstructionOfR("GroundSlab", "Ny", 0, 10);
        const auto A = ConstructionOfR("GroundSlab", "A", 60, 5);
        const auto B = ConstructionOfR("GroundSlab", "B", 40, 1 / 0.3);
        TTestDb T(Join({{GroundRow("Slab", "0, 40, 0, 300, 2.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'Sand'")},
                        ZeroFirst ? Zero : A, ZeroFirst ? A : B, ZeroFirst ? B : Zero}));
        TGroundViews V(T.Db());
        auto G = V.Load("Slab");
        ASSERT_EQ(dynamic_cast<TSlabonGround&>(*G).GetSlabs().size(), 3u);
        G->GetArea();
        ASSERT_NO_THROW(G->Compute());
        EXPECT_NEAR(dynamic_cast<TSlabonGround&>(*G).Rf, 1 / 0.24, 1e-12);
    }
}

// Without slab constructions a slab kind has no area: the building skips
// it, and its row is written back as loaded (the kinds that set A from the
// slabs write that 0).
TEST(Foundation, SlabKindWithoutSlabsStoresItsRowAsLoaded) {
    struct Case {
        const char* Key;
        double StoredArea;
    };
    for (const Case& K : {Case{"Slab", 0}, Case{"SlabHorizontalInsulation", 77}, Case{"SlabVerticalInsulation", 0}}) {
        SCOPED_TRACE(K.Key);
        TTestDb T({GroundRow(K.Key, "77, 40, 0, 300, 2.0, 0, 0, 0, 0.31, 0.036, 0, 50, 1000, 0, 0, 0, 'Sand'")});
        TGroundViews V(T.Db());
        auto G = V.Load(K.Key);
        EXPECT_DOUBLE_EQ(G->GetArea(), 0);
        G->Store();
        EXPECT_EQ(T.Int("SELECT COUNT(*) FROM Grounds"), 1);
        EXPECT_DOUBLE_EQ(T.Float("SELECT AREA FROM Grounds"), K.StoredArea);
        EXPECT_DOUBLE_EQ(T.Float("SELECT UVALUE FROM Grounds"), 0.31);
        EXPECT_DOUBLE_EQ(T.Float("SELECT PERIMETER FROM Grounds"), 40);
        EXPECT_NEAR(T.Float("SELECT WALLDEPTH FROM Grounds"), 300, 1e-9);
        EXPECT_EQ(T.Text("SELECT SOILNAME FROM Grounds"), "Sand");
    }
}

TEST(Foundation, HeatedCellarWithoutSlabsIsAllWall) {
    TTestDb T(Join({{GroundRow("HeatedCellar", "0, 40, 2000, 300, 2.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'Sand'")},
                    ConstructionOfR("GroundWall", "Vägg", 80, 2)}));
    TGroundViews V(T.Db());
    auto G = V.Load("HeatedCellar");
    auto& C = dynamic_cast<THeatedCellar&>(*G);
    EXPECT_DOUBLE_EQ(G->GetArea(), 80); // z * P
    G->Compute();
    EXPECT_DOUBLE_EQ(C.A, 0);
    EXPECT_DOUBLE_EQ(C.Rw, 2);
    // By hand: dt = 0.3 + 2 * (0.17 + 0 + 0.04) = 0.72 m, dw = 2 * (0.13 + 2 +
    // 0.04) = 4.34 m, Ubw = 2 * 2 / (2 pi) * (1 + 0.5 * 0.72 / 2.72) *
    // ln(2 / 4.34 + 1) = 0.2732161; without floor area U is Ubw.
    const double Ubw = 0.27321605148069605;
    EXPECT_NEAR(G->GetU(), Ubw, 1e-12);
    EXPECT_DOUBLE_EQ(G->GetArea(), 80);
    G->Store();
    EXPECT_DOUBLE_EQ(T.Float("SELECT AREA FROM Grounds"), 80);
    EXPECT_NEAR(T.Float("SELECT UWALL FROM Grounds"), Ubw, 1e-12);
}

// Choices outside the lists leave no block: the foundation cannot be
// calculated, and nothing that is not a number reaches the row.
TEST(Foundation, FinlandBlockChoicesOutsideTheListsFailTheCalculation) {
    TTestDb T(Join({{GroundRow("FinlandVertical1", "0, 40, 0, 300, 2.0, 0, 0, 0, 0, 0.5, 0, 50, 600, 7, 9, 0, 'Sand'")},
                    ConstructionOfR("GroundSlab", "Platta", 100, 4)}));
    TGroundViews V(T.Db());
    auto G = V.Load("FinlandVertical1");
    auto& F = dynamic_cast<TFinlandVertical1&>(*G);
    EXPECT_DOUBLE_EQ(F.dn, 0);
    EXPECT_DOUBLE_EQ(F.w, 0);
    EXPECT_DOUBLE_EQ(F.LambdaN, 0);
    ASSERT_GT(G->GetArea(), 0);
    EXPECT_THROW(G->Compute(), EMathError);
    EXPECT_EQ(G->DescribeFault(), "Grundmurens tjocklek och isoleringens tjocklek är inte valda.");
    G->Store();
    EXPECT_DOUBLE_EQ(T.Float("SELECT ISOCOND FROM Grounds"), 0);
    EXPECT_EQ(T.Int("SELECT SPECIALVAR1 FROM Grounds"), 7);
    EXPECT_EQ(T.Int("SELECT SPECIALVAR2 FROM Grounds"), 9);
}

TEST(Foundation, FinlandVertical1ChoicesMakeTheEdgeInsulation) {
    TTestDb T({GroundRow("FinlandVertical1", "0, 40, 0, 300, 2.0, 0, 0, 0, 0, 0.5, 0, 50, 600, 3, 1, 0, 'Sand'")});
    TGroundViews V(T.Db());
    auto G = V.Load("FinlandVertical1");
    auto& F = dynamic_cast<TFinlandVertical1&>(*G);
    const double R = 0.29 / 0.039 + 0.10 / 0.25;
    EXPECT_NEAR(F.LambdaN, 0.39 / R, 1e-15);
    EXPECT_NEAR(F.dn, 0.39, 1e-15);
    EXPECT_NEAR(F.w, 0.39, 1e-15);
    EXPECT_DOUBLE_EQ(F.D, 0.6);
}

TEST(Foundation, FinlandHeatedCellarWithoutWallDepthCannotBeCalculated) {
    TTestDb T(Join({{GroundRow("FinlandHeatedCellar1", "0, 40, 2000, 300, 2.0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'Sand'")},
                    ConstructionOfR("GroundSlab", "Golv", 100, 4)}));
    TGroundViews V(T.Db());
    auto G = V.Load("FinlandHeatedCellar1");
    EXPECT_DOUBLE_EQ(dynamic_cast<THeatedCellar&>(*G).z, 0);
    ASSERT_GT(G->GetArea(), 0);
    EXPECT_THROW(G->Compute(), EMathError);
    EXPECT_EQ(G->DescribeFault(), "Isoblockdjup och standardblockdjup under mark är båda 0 mm.");
}

TEST(Foundation, AlbaCrawlSpaceWallIsFixedConcrete) {
    TTestDb T(Join({{GroundRow("AlbaCrawlSpace", "0, 38, 600, 999, 1.5, 800, 5, 4, 0, 0, 0, 0, 0, 0, 0, 0, 'Lera'")},
                    ConstructionOfR("GroundFloor", "Golv", 90, 5), ConstructionOfR("GroundWall", "Oanvänd", 10, 1),
                    ConstructionOfR("GroundSlab", "Oanvänd", 10, 1)}));
    TGroundViews V(T.Db());
    auto G = V.Load("AlbaCrawlSpace");
    auto& A = dynamic_cast<TAlbaCrawlSpace&>(*G);
    ASSERT_EQ(A.GetWalls().size(), 1u);
    EXPECT_TRUE(A.GetSlabs().empty());
    EXPECT_NEAR(A.GetWalls()[0]->GetArea(), 38 * 0.6, 1e-12);
    G->GetArea();
    G->Compute();
    EXPECT_NEAR(A.Uw, 4.8, 1e-12);
    EXPECT_NEAR(A.Eps, 800 / (10000 * 38 * 0.6), 1e-15);
    EXPECT_DOUBLE_EQ(A.w, 0.25);
    EXPECT_DOUBLE_EQ(A.Rg, 0);
    G->Store();
    EXPECT_NEAR(T.Float("SELECT WALLDEPTH FROM Grounds"), 250, 1e-9);
    // The wall and slab rows of the building are not this kind's: untouched.
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM LayeredComponents WHERE TYPE <> 'GroundFloor' AND UVALUE = 0"), 2);
    EXPECT_EQ(T.Int("SELECT COUNT(*) FROM LayeredComponents"), 3);
}

} // namespace
