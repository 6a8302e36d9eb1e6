// Whole building files: broken files from tests/data/exchange, the
// continuation after a broken building, and saving through a temporary file.
#include "ExchangeSamples.h"

#include "db/FileIO.h"
#include "exchange/UnitBuildingFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

// What a file must give: the error of opening it, or per building its ID
// (read) or a part of its error message (not read).
struct TFileCase {
    const char* File;
    const char* OpenError; // nullptr: the file info reads
    std::vector<std::pair<const char*, const char*>> Buildings; // {ID, nullptr} or {nullptr, error part}
};

std::ostream& operator<<(std::ostream& O, const TFileCase& C) { return O << C.File; }

class BrokenFiles : public ::testing::TestWithParam<TFileCase> {};

TEST_P(BrokenFiles, GiveAClearErrorAndTheOtherBuildingsStillRead) {
    const TFileCase& C = GetParam();
    const auto Bytes = ReadTestFile(std::string("exchange/") + C.File);
    if (C.OpenError) {
        try {
            TBuildingFileReader R(Bytes);
            FAIL() << "opened";
        } catch (const EStreamError& E) {
            EXPECT_STREQ(E.what(), C.OpenError);
        }
        return;
    }
    TBuildingFileReader R(Bytes);
    std::vector<TReadBuilding> Got;
    TReadBuilding B;
    while (R.Next(B))
        Got.push_back(B);
    ASSERT_EQ(Got.size(), C.Buildings.size());
    for (size_t I = 0; I < Got.size(); ++I) {
        const auto& [Id, Error] = C.Buildings[I];
        if (Id) {
            ASSERT_TRUE(Got[I].Building) << "building " << I + 1 << ": " << Got[I].Error;
            EXPECT_EQ(Got[I].Building->GetBuildingID(), Id);
        } else {
            EXPECT_FALSE(Got[I].Building) << "building " << I + 1;
            EXPECT_NE(Got[I].Error.find(Error), std::string::npos)
                << "building " << I + 1 << ": " << Got[I].Error;
        }
    }
}

constexpr const char* Villa = "Villa Ekbacken";
constexpr const char* Garage = "Garage";

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BrokenFiles,
    ::testing::Values(
        TFileCase{"empty.bvf", "Stream read error", {}},
        TFileCase{"wrong_signature.bvf", "Invalid stream format", {}},
        TFileCase{"truncated_info.bvf", "Stream read error", {}},
        TFileCase{"version3.bvf", "Felaktig version. Kan ej läsa fil.", {}},
        TFileCase{"no_buildings.bvf", nullptr, {}},
        TFileCase{"truncated.bvf", nullptr, {{Villa, nullptr}, {nullptr, "Stream read error"}}},
        TFileCase{"unknown_tag.bvf", nullptr,
                  {{Villa, nullptr}, {nullptr, "TExpBuilding2.PArea: Unknown value tag 0x0A"}, {Garage, nullptr}}},
        TFileCase{"unknown_property.bvf", nullptr,
                  {{Villa, nullptr}, {nullptr, "Property PVolyme does not exist"}, {Garage, nullptr}}},
        TFileCase{"unsuitable_tag.bvf", nullptr,
                  {{Villa, nullptr}, {nullptr, "PArea: Value tag 0x06 does not suit"}, {Garage, nullptr}}},
        TFileCase{"child_list.bvf", nullptr, {{Villa, nullptr}, {nullptr, "child objects"}, {Garage, nullptr}}},
        TFileCase{"huge_length.bvf", nullptr, {{Villa, nullptr}, {nullptr, "Stream read error"}, {Garage, nullptr}}},
        TFileCase{"huge_count.bvf", nullptr, {{Villa, nullptr}, {nullptr, "Stream read error"}, {Garage, nullptr}}},
        TFileCase{"negative_length.bvf", nullptr,
                  {{Villa, nullptr}, {nullptr, "Invalid text length"}, {Garage, nullptr}}},
        TFileCase{"bad_utf8.bvf", nullptr, {{Villa, nullptr}, {nullptr, "not valid UTF-8"}, {Garage, nullptr}}},
        TFileCase{"bad_utf16.bvf", nullptr, {{Villa, nullptr}, {nullptr, "not valid UTF-16"}, {Garage, nullptr}}},
        TFileCase{"nan_value.bvf", nullptr,
                  {{Villa, nullptr}, {nullptr, "PArea: The value is not a finite number"}, {Garage, nullptr}}},
        // Eleven month records: the twelfth read is the next building's record.
        TFileCase{"v1_eleven_months.bvf", nullptr,
                  {{nullptr, "TExpMonth1.PID: Property PID does not exist"}, {"Bod", nullptr}}}));

TEST(BuildingFile, AnnouncedButMissingBuildingsAreOneResultAndNoHang) {
    const auto Bytes = ReadTestFile("exchange/huge_building_count.bvf");
    TBuildingFileReader R(Bytes);
    EXPECT_EQ(R.NBuildings(), 0x7FFFFFFF);
    TReadBuilding B;
    ASSERT_TRUE(R.Next(B));
    ASSERT_TRUE(B.Building) << B.Error;
    EXPECT_EQ(B.Building->GetBuildingID(), "Garage");
    ASSERT_TRUE(R.Next(B));
    EXPECT_FALSE(B.Building);
    EXPECT_EQ(B.Number, 2);
    EXPECT_EQ(B.Count, 0x7FFFFFFE);
    EXPECT_EQ(B.Error, "Stream read error");
    EXPECT_FALSE(R.Next(B));
}

TEST(BuildingFile, ABuildingInsideATextIsNotTakenForTheNextOne) {
    // The first building carries, as the bytes of its description, a whole
    // building "Falsk", and then fails. Reading goes on after the point of
    // failure, at the real second building.
    TExpBuilding2 Fake = SampleGarage();
    Fake.RenameBuilding("Falsk");
    TBytes FakeBytes;
    TStreamWriter FW(FakeBytes);
    Fake.WriteRecord(FW);

    TBuildingFileWriter W(2);
    TBytes Bytes = W.Bytes();
    TStreamWriter BW(Bytes);
    BW.BeginRecord("TExpBuilding2");
    BW.WriteInteger("PVersion", 2);
    BW.WriteText("PID", "Kaputt");
    const std::string Info(FakeBytes.begin(), FakeBytes.end());
    Bytes.push_back(5);
    Bytes.insert(Bytes.end(), {'P', 'I', 'n', 'f', 'o', 0x0C});
    const auto N = static_cast<uint32_t>(Info.size());
    Bytes.insert(Bytes.end(), {uint8_t(N), uint8_t(N >> 8), uint8_t(N >> 16), uint8_t(N >> 24)});
    Bytes.insert(Bytes.end(), Info.begin(), Info.end());
    BW.WriteInteger("PNoSuchProperty", 1);
    BW.EndRecord();
    TExpBuilding2 Garage = SampleGarage();
    Garage.WriteRecord(BW);

    TBuildingFileReader R(Bytes);
    TReadBuilding B;
    ASSERT_TRUE(R.Next(B));
    EXPECT_FALSE(B.Building);
    EXPECT_NE(B.Error.find("PNoSuchProperty"), std::string::npos) << B.Error;
    ASSERT_TRUE(R.Next(B));
    ASSERT_TRUE(B.Building) << B.Error;
    EXPECT_EQ(B.Building->GetBuildingID(), "Garage");
    EXPECT_FALSE(R.Next(B));
}

TEST(BuildingFile, RandomDamageNeverCrashesAndUndamagedBuildingsSurvive) {
    // Overwrite bytes inside the second of three buildings; the first is
    // untouched, and each building is either read or reported.
    const auto Golden = ReadTestFile("exchange/unknown_tag.bvf");
    std::mt19937 Rng(99);
    for (int Round = 0; Round < 300; ++Round) {
        auto Bytes = Golden;
        TBuildingFileReader Clean(Bytes);
        TReadBuilding First;
        ASSERT_TRUE(Clean.Next(First));
        const size_t SecondStart = 46 + [&] {
            TBytes Out;
            TStreamWriter W(Out);
            First.Building->WriteRecord(W);
            return Out.size();
        }();
        for (int K = 0; K < 3; ++K)
            Bytes[SecondStart + Rng() % 400] = static_cast<uint8_t>(Rng());
        TBuildingFileReader R(Bytes);
        TReadBuilding B;
        int N = 0;
        while (R.Next(B)) {
            if (N == 0) {
                ASSERT_TRUE(B.Building);
                EXPECT_EQ(B.Building->GetBuildingID(), "Villa Ekbacken");
            }
            if (!B.Building) {
                EXPECT_FALSE(B.Error.empty());
            }
            N += B.Count;
        }
        EXPECT_EQ(N, 3);
    }
}

class SavedFiles : public ::testing::Test {
protected:
    std::vector<std::string> Entries() const { return bvtest::FolderEntries(Dir.Path()); }
    bvtest::TTempFolder Dir;
};

TEST_F(SavedFiles, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
    const std::string Path = (Dir / "out.bvf").string();
    TBuildingFileWriter One(1);
    TExpBuilding2 G = SampleGarage();
    One.Add(G);
    One.Save(Path);
    EXPECT_EQ(ReadFileBytes(Path), One.Bytes());

    TBuildingFileWriter Two(2);
    TExpBuilding2 V = SampleVilla();
    Two.Add(V);
    Two.Add(G);
    Two.Save(Path);
    EXPECT_EQ(ReadFileBytes(Path), ReadTestFile("exchange/golden_v2.bvf"));
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.bvf"});
}

TEST_F(SavedFiles, AFailedSaveLeavesTheOldFile) {
    const std::string Path = (Dir / "out.bvf").string();
    TBuildingFileWriter One(1);
    TExpBuilding2 G = SampleGarage();
    One.Add(G);
    One.Save(Path);

    // Fewer buildings than announced: refused before the file is touched.
    TBuildingFileWriter Short(2);
    Short.Add(G);
    EXPECT_THROW(Short.Save(Path), EStreamError);
    EXPECT_EQ(ReadFileBytes(Path), One.Bytes());

    // The flush to disk fails: an error, not a file that may be lost.
    {
        bvtest::TFailingFileSync FailingDisk;
        TBuildingFileWriter Two(2);
        TExpBuilding2 V = SampleVilla();
        Two.Add(V);
        Two.Add(G);
        EXPECT_THROW(Two.Save(Path), EFileError);
    }
    EXPECT_EQ(ReadFileBytes(Path), One.Bytes());
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.bvf"});

    // A folder that does not exist.
    EXPECT_THROW(One.Save((Dir / "missing" / "x.bvf").string()), EFileError);
    // The target is a folder: the rename fails and the temporary file goes.
    fs::create_directory(Dir / "taken.bvf");
    fs::create_directory(Dir / "taken.bvf" / "inside");
    EXPECT_THROW(One.Save((Dir / "taken.bvf").string()), EFileError);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"out.bvf", "taken.bvf"}));
    EXPECT_THROW(ReadFileBytes((Dir / "nothing.bvf").string()), EFileError);
}

} // namespace
