// Material files: the header and material records, the golden file and the
// refusal of files of another version or broken files.
#include "exchange/UnitPropertyStream.h"
#include "materials/UnitMaterialObj.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using bvtest::ReadTestFile;

TBytes Text(std::string_view S) { return TBytes(S.begin(), S.end()); }

// The two materials of two_materials.bmf (tests/data/exchange/make_fixtures.py).
std::vector<TMaterial> SampleMaterials() {
    TMaterial Concrete;
    Concrete.PMaterialID = "Betong";
    Concrete.PMaterialTHERMCOND = 1.7;
    Concrete.PMaterialSPECCAP = 880.0;
    Concrete.PMaterialDENSITY = 2300.0;
    Concrete.PMaterialDEPTH = 150.0;
    Concrete.PMaterialOUTERWALL = true;
    Concrete.PMaterialINNERWALL = true;
    Concrete.PMaterialINNERROOF = true;
    Concrete.PMaterialGROUNDFLOOR = true;
    Concrete.PMaterialGROUNDWALL = true;
    Concrete.PMaterialGROUNDSLAB = true;
    TMaterial Clinker;
    Clinker.PMaterialID = "Lättklinker åäö";
    Clinker.PMaterialOUTERWALL = true;
    Clinker.PMaterialSOIL = true;
    Clinker.PMaterialLOCKEDDEPTH = true;
    return {Concrete, Clinker};
}

TEST(MaterialRecords, HeaderForTwoMaterials) {
    TBytes Out;
    TStreamWriter W(Out);
    TMaterialsHeader H;
    H.PVersion = 1;
    H.PNumberOfItems = 2;
    H.WriteRecord(W);
    TBytes Expected = Text("TPF0\x10TMaterialsHeader");
    for (const TBytes& Part : {TBytes{0x00, 0x08}, Text("PVersion"), TBytes{0x02, 0x01, 0x0E},
                               Text("PNumberOfItems"), TBytes{0x02, 0x02, 0x00, 0x00}})
        Expected.insert(Expected.end(), Part.begin(), Part.end());
    EXPECT_EQ(Out, Expected);
    // The file writer puts the same header first.
    TMaterialFileWriter F(2);
    EXPECT_EQ(F.Bytes(), Expected);
}

TEST(MaterialRecords, MaterialWithZeroNumbersHasOnlyItsNameAndTheNineFlags) {
    TMaterial M;
    M.PMaterialID = "Luft";
    M.PMaterialROOF = true;
    TBytes Out;
    TStreamWriter W(Out);
    M.WriteRecord(W);
    TStreamReader R(Out);
    const TAnyRecord Rec = ReadAnyRecord(R);
    EXPECT_EQ(Rec.ClassName, "TMaterial");
    ASSERT_EQ(Rec.Properties.size(), 10u);
    EXPECT_EQ(Rec.Properties[0].first, "PMaterialID");
    for (size_t I = 1; I < 10; ++I)
        EXPECT_TRUE(std::holds_alternative<bool>(Rec.Properties[I].second)) << Rec.Properties[I].first;
    EXPECT_EQ(Rec.Properties[3].first, "PMaterialROOF");
    EXPECT_TRUE(std::get<bool>(Rec.Properties[3].second));
}

TEST(MaterialFiles, GoldenFileReadsAndIsWrittenByteForByte) {
    const auto Bytes = ReadTestFile("materials/two_materials.bmf");
    ASSERT_FALSE(Bytes.empty());
    TMaterialFileReader R(Bytes);
    EXPECT_EQ(R.Header().PVersion, 1);
    EXPECT_EQ(R.NItems(), 2);
    std::vector<TMaterial> Got;
    TMaterial M;
    while (R.Next(M))
        Got.push_back(M);
    EXPECT_EQ(Got, SampleMaterials());

    TMaterialFileWriter W(2);
    for (const TMaterial& S : SampleMaterials())
        W.Add(S);
    EXPECT_EQ(W.Bytes(), Bytes);
}

TEST(MaterialFiles, BrokenFilesGiveTheReadersMessage) {
    struct {
        const char* File;
        const char* Message;
        int ReadBefore; // materials read before the error
    } const Cases[] = {
        {"materials/version2.bmf", "Felaktig version. Kan ej läsa fil.", -1},
        {"materials/wrong_signature.bmf", "Invalid stream format", -1},
        {"materials/truncated.bmf", "Stream read error", 1},
    };
    for (const auto& C : Cases) {
        const auto Bytes = ReadTestFile(C.File);
        ASSERT_FALSE(Bytes.empty()) << C.File;
        int Read = -1;
        try {
            TMaterialFileReader R(Bytes);
            Read = 0;
            TMaterial M;
            while (R.Next(M))
                ++Read;
            ADD_FAILURE() << C.File << ": no error";
        } catch (const EStreamError& E) {
            EXPECT_STREQ(E.what(), C.Message) << C.File;
            EXPECT_EQ(Read, C.ReadBefore) << C.File;
        }
    }
}

TEST(MaterialFiles, WriterRefusesACountItDidNotWrite) {
    TMaterialFileWriter W(3);
    W.Add(SampleMaterials()[0]);
    TMaterial Bad;
    Bad.PMaterialID = "Sten";
    Bad.PMaterialDENSITY = std::numeric_limits<double>::quiet_NaN();
    const TBytes Before = W.Bytes();
    EXPECT_THROW(W.Add(Bad), EStreamError);
    EXPECT_EQ(W.Bytes(), Before);
    EXPECT_EQ(W.Added(), 1);
    EXPECT_THROW(W.Save("/nonexistent-folder/never.bmf"), EStreamError);
}

TEST(MaterialFiles, AFailingFlushToDiskIsAnErrorAndKeepsTheOldFile) {
    bvtest::TTempFolder Dir;
    const std::string Path = Dir.File("out.bmf");
    bvtest::WriteFile(Path, "old");
    TMaterialFileWriter W(2);
    for (const TMaterial& M : SampleMaterials())
        W.Add(M);
    {
        bvtest::TFailingFileSync FailingDisk;
        EXPECT_THROW(W.Save(Path), EFileError);
    }
    EXPECT_EQ(bvtest::ReadFile(Path), "old");
    EXPECT_EQ(bvtest::FolderEntries(Dir.Path()), std::vector<std::string>{"out.bmf"});
    W.Save(Path);
    EXPECT_EQ(bvtest::ReadFile(Path), bvtest::ReadTestText("materials/two_materials.bmf"));
}

} // namespace
