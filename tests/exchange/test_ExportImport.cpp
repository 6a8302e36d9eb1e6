// The building records: the golden files of both versions, the write rules
// of a whole building, renaming and the conversion of version-1 buildings.
#include "ByteHelpers.h"
#include "ExchangeSamples.h"

#include "exchange/UnitBuildingFile.h"
#include "exchange/UnitExportImport.h"
#include "exchange/UnitExportImportOld1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

namespace {

std::vector<TReadBuilding> ReadAll(const std::vector<uint8_t>& Bytes) {
    TBuildingFileReader R(Bytes);
    std::vector<TReadBuilding> Out;
    TReadBuilding B;
    while (R.Next(B))
        Out.push_back(B);
    return Out;
}

TEST(GoldenV2, ReadsAsTheSampleBuildings) {
    const auto Bytes = ReadTestFile("exchange/golden_v2.bvf");
    ASSERT_FALSE(Bytes.empty());
    TBuildingFileReader R(Bytes);
    EXPECT_EQ(R.Version(), 2);
    EXPECT_EQ(R.NBuildings(), 2);
    const auto All = ReadAll(Bytes);
    ASSERT_EQ(All.size(), 2u);
    ASSERT_TRUE(All[0].Building) << All[0].Error;
    ASSERT_TRUE(All[1].Building) << All[1].Error;
    EXPECT_TRUE(*All[0].Building == SampleVilla());
    EXPECT_TRUE(*All[1].Building == SampleGarage());
    // Spot checks that do not depend on the sample being right.
    EXPECT_EQ(All[0].Building->Windows.at(1).PID, "åäö");
    EXPECT_EQ(All[0].Building->PInfo.size(), 300u);
    EXPECT_EQ(All[0].Building->PN50IdNo, 40000);
    EXPECT_EQ(All[1].Building->Ground.PBuilding, "");
}

TEST(GoldenV2, WritingTheSampleBuildingsGivesTheGoldenBytes) {
    TBuildingFileWriter W(2);
    TExpBuilding2 Villa = SampleVilla();
    TExpBuilding2 Garage = SampleGarage();
    W.Add(Villa);
    W.Add(Garage);
    EXPECT_EQ(Hex(W.Bytes()), Hex(ReadTestFile("exchange/golden_v2.bvf")));
}

TEST(BuildingRecords, CountsAreTakenFromTheListsWhenWriting) {
    TExpBuilding2 B = SampleVilla();
    B.PNLayers = 99;
    B.PNDoors = 0;
    B.Layers.pop_back();
    TBytes Out;
    TStreamWriter W(Out);
    B.WriteRecord(W);
    EXPECT_EQ(B.PNLayers, 2);
    EXPECT_EQ(B.PNDoors, 1);
    TStreamReader R(Out);
    TExpBuilding2 Back;
    Back.ReadRecord(R);
    EXPECT_TRUE(Back == B);
    EXPECT_TRUE(R.AtEnd());
}

TEST(BuildingRecords, BuildingWithoutMembersIsFourteenRecords) {
    TExpBuilding2 B = SampleGarage();
    TBytes Out;
    TStreamWriter W(Out);
    B.WriteRecord(W);
    TStreamReader R(Out);
    std::vector<TAnyRecord> Records;
    while (!R.AtEnd())
        Records.push_back(ReadAnyRecord(R));
    ASSERT_EQ(Records.size(), 14u);
    EXPECT_EQ(Records[0].ClassName, "TExpBuilding2");
    EXPECT_EQ(Records[1].ClassName, "TExpGround2");
    // The ground of a building without a foundation row: no texts and no
    // floats, only the integers, which are always written.
    ASSERT_EQ(Records[1].Properties.size(), 6u);
    for (const auto& [Name, Value] : Records[1].Properties) {
        EXPECT_TRUE(Name == "PVersion" || Name.starts_with("PSpecialVar")) << Name;
        EXPECT_EQ(std::get<int64_t>(Value), Name == "PVersion" ? 2 : 0);
    }
    for (int K = 2; K < 14; ++K)
        EXPECT_EQ(Records[K].ClassName, "TExpMonth2");
    // Integers always appear, PVentType as Int8 0 among them.
    bool SawVentType = false;
    for (const auto& [Name, Value] : Records[0].Properties)
        if (Name == "PVentType") {
            SawVentType = true;
            EXPECT_EQ(std::get<int64_t>(Value), 0);
        }
    EXPECT_TRUE(SawVentType);
}

TEST(BuildingRecords, AFailedWriteLeavesNothingInTheBuffer) {
    TBytes Out = {1, 2, 3};
    TStreamWriter W(Out);
    TExpBuilding2 BadText = SampleVilla();
    BadText.Windows.back().PID = "\xC3(";
    EXPECT_THROW(BadText.WriteRecord(W), EStreamError);
    TExpBuilding2 NoMonths = SampleGarage();
    NoMonths.Months.pop_back();
    EXPECT_THROW(NoMonths.WriteRecord(W), EStreamError);
    TExpBuilding2 Infinite = SampleVilla();
    Infinite.Layers[1].PRValue = INFINITY;
    EXPECT_THROW(Infinite.WriteRecord(W), EStreamError);
    EXPECT_EQ(Out, (TBytes{1, 2, 3}));
}

TEST(BuildingRecords, RenameMovesEveryMemberButKeepsLayersOnTheirConstruction) {
    TExpBuilding2 B = SampleVilla();
    B.RenameBuilding("Villa Ekbacken (1)");
    EXPECT_EQ(B.GetBuildingID(), "Villa Ekbacken (1)");
    EXPECT_EQ(B.Ground.PBuilding, "Villa Ekbacken (1)");
    for (const auto& M : B.Months)
        EXPECT_EQ(M.PBuilding, "Villa Ekbacken (1)");
    for (const auto& C : B.LayeredComponents)
        EXPECT_EQ(C.PBuilding, "Villa Ekbacken (1)");
    for (const auto& D : B.Doors)
        EXPECT_EQ(D.PBuilding, "Villa Ekbacken (1)");
    for (const auto& W : B.Windows)
        EXPECT_EQ(W.PBuilding, "Villa Ekbacken (1)");
    for (const auto& L : B.Layers)
        EXPECT_EQ(L.PBuilding, "Villa Ekbacken (1)");
    EXPECT_EQ(B.Layers[0].PComponent, "Yttervägg 1");
    EXPECT_EQ(B.Layers[2].PComponent, "Tak");

    // A building without a foundation row must not get one by the rename.
    TExpBuilding2 G = SampleGarage();
    G.RenameBuilding("Carport");
    EXPECT_EQ(G.Ground.PBuilding, "");
    EXPECT_EQ(G.Months[11].PBuilding, "Carport");
}

TEST(BuildingRecords, NewerVersionIsRefusedAndNothingIsRead) {
    const auto Bytes = ReadTestFile("exchange/golden_v2.bvf");
    TStreamReader S(Bytes);
    S.Seek(46); // after the file info
    TExpBuilding2 B;
    try {
        B.ReadVersioned(S, 3);
        FAIL();
    } catch (const EStreamError& E) {
        EXPECT_STREQ(E.what(), "Felaktig version. Kan ej läsa fil.");
    }
    EXPECT_EQ(S.Position(), 46u);
    EXPECT_TRUE(B == TExpBuilding2());
}

// --- version 1 -------------------------------------------------------------------

// The first building of golden_v1.bvf as it must come out of the conversion,
// apart from the two time stamps.
TExpBuilding2 ExpectedOldHouse() {
    TExpBuilding2 B;
    B.PID = "Gammalt hus";
    B.PArea = 95.0;
    B.PVolume = 240.0;
    B.PTemperature = 20.0;
    B.PUValue = 0.45;
    B.PCapacity = 5000.0;
    B.PNLayers = 1;
    B.PNLayeredCompoenents = 1;
    B.PNWindows = 1;
    B.PAirChangeIDNo = -1;
    B.PIntGainsDef = -1;
    B.PP50IdNo = -1;
    B.PN50IdNo = -1;
    B.Ground.PBuilding = "Gammalt hus";
    B.Ground.PTypeString = "SuspendedFloor";
    B.Ground.PArea = 95.0;
    B.Ground.PSpecialVar2 = 7;
    for (int K = 0; K < 12; ++K) {
        TExpMonth2 M;
        M.PBuilding = "Gammalt hus"; // not the stale name of the old record
        M.PMonth = K + 1;            // the position, not the old record's number
        M.PTemperature = MonthTemps[K];
        M.PDays = MonthDays[K];
        B.Months.push_back(M);
    }
    // The first old month carries its floats in the other number tags.
    B.Months[0].PSunSouth = -7;
    B.Months[0].PSunEast = 1000;
    B.Months[0].PSunWest = 12.375;
    B.Months[0].PSunNorth = 9007199254740992.0;
    B.Months[0].PSunHorizontal = -70000;
    TExpLayeredComponent2 C;
    C.PID = "Vägg";
    C.PBuilding = "Gammalt hus";
    C.PCompType = "OuterWall";
    C.PNLayers = 1;
    C.PInnerAericHeatCapacity = 20.0;
    C.POuterAericHeatCapacity = 40.0;
    C.PUValue = 0.45;
    C.PArea = 80.0;
    B.LayeredComponents = {C};
    TExpLayer2 L;
    L.PBuilding = "Gammalt hus";
    L.PCompType = "OuterWall";
    L.PComponent = "Vägg"; // Windows-1252 bytes in a String
    L.PPos = 1;
    L.PID = "Träpanel"; // ... and in an LString
    L.PThermalCond = 0.14;
    L.PDepth = 22.0;
    L.PLockedDepth = true;
    B.Layers = {L};
    TExpWindow2 W;
    W.PBuilding = "Gammalt hus";
    W.PID = "€ \xC2\x8DŸåÿ"; // 80 20 8D 9F E5 FF: the undefined 8D keeps its number
    W.PArea = 1.5;
    W.PDirection = 2;
    B.Windows = {W};
    return B;
}

TEST(Version1, GoldenFileConvertsToTheCurrentRecords) {
    const auto Bytes = ReadTestFile("exchange/golden_v1.bvf");
    ASSERT_FALSE(Bytes.empty());
    const double Before = NowAsDateTime();
    const auto All = ReadAll(Bytes);
    const double After = NowAsDateTime();
    ASSERT_EQ(All.size(), 2u);
    ASSERT_TRUE(All[0].Building) << All[0].Error;
    ASSERT_TRUE(All[1].Building) << All[1].Error;

    TExpBuilding2 Got = *All[0].Building;
    EXPECT_GE(Got.PCreated, Before);
    EXPECT_LE(Got.PCreated, After);
    EXPECT_GE(Got.PChanged, Before);
    EXPECT_LE(Got.PChanged, After);
    TExpBuilding2 Want = ExpectedOldHouse();
    Want.PCreated = Got.PCreated;
    Want.PChanged = Got.PChanged;
    EXPECT_TRUE(Got == Want);
    // Every object of the conversion is of the current version.
    EXPECT_EQ(Got.PVersion, 2);
    EXPECT_EQ(Got.Ground.PVersion, 2);
    EXPECT_EQ(Got.Months[5].PVersion, 2);
    EXPECT_EQ(Got.Layers[0].PVersion, 2);
    EXPECT_EQ(Got.Windows[0].PVersion, 2);

    EXPECT_EQ(All[1].Building->GetBuildingID(), "Bod");
    EXPECT_EQ(All[1].Building->PN50IdNo, -1);
}

TEST(Version1, VersionZeroAndNegativeVersionsAreVersion1) {
    const auto Bytes = ReadTestFile("exchange/version0.tef");
    const auto All = ReadAll(Bytes);
    ASSERT_EQ(All.size(), 1u);
    ASSERT_TRUE(All[0].Building) << All[0].Error;
    EXPECT_EQ(All[0].Building->GetBuildingID(), "Bod");
    EXPECT_EQ(All[0].Building->PAirChangeIDNo, -1);

    // The same building under a file version of -5.
    TStreamReader S(Bytes);
    TExpFileInfo2 Info;
    Info.ReadRecord(S);
    TExpBuilding2 B;
    B.ReadVersioned(S, -5);
    EXPECT_EQ(B.GetBuildingID(), "Bod");
    EXPECT_EQ(B.PIntGainsDef, -1);
}

TEST(DateTime, NowIsDaysSince30December1899) {
    const double Now = NowAsDateTime();
    const double Utc = static_cast<double>(std::time(nullptr)) / 86400.0 + 25569.0;
    EXPECT_LT(std::fabs(Now - Utc), 15.0 / 24.0); // within any time zone's offset
}

} // namespace
