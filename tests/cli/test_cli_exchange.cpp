// braskvalla-cli export, import, export-materials and import-materials run
// in-process: the line per building or material, the --on-conflict answers
// and the exit codes.
#include "tests/cli/CliTestSupport.h"
#include "tests/data/DataTestSupport.h"

#include <gtest/gtest.h>

using namespace bvtest;

namespace {

std::string Fixture(const std::string& Rel) { return TestDataPath(Rel); }

// Text with the statements that database messages quote (" (in: INSERT
// ...)") taken out.
std::string WithoutStatements(std::string Text) {
    for (size_t At; (At = Text.find(" (in: ")) != std::string::npos;) {
        Text.erase(At, Text.find(")\n", At) + 1 - At);
    }
    return Text;
}

class CliExchange : public ::testing::Test {
protected:
    void SetUp() override {
        A = (Data.Root / "a.s3db").string();
        B = (Data.Root / "b.s3db").string();
        CreateSchemaDatabase(A);
        CreateSchemaDatabase(B);
    }
    std::string Path(const std::string& Name) const { return (Data.Root / Name).string(); }
    std::string List(const std::string& Db) {
        const TRun R = RunCli({"--db", Db, "list"});
        EXPECT_EQ(R.Code, 0) << R.Err;
        return R.Out;
    }
    // "ID:THERMCOND" of every material of Db, in ID order.
    static std::string Materials(const std::string& Db) {
        TStatement St = TDatabase::Open(Db)->Prepare(
            "SELECT group_concat(ID || ':' || THERMCOND, ' ') FROM (SELECT * FROM LayersPreDef ORDER BY ID)");
        EXPECT_TRUE(St.Step());
        const TValue V = St.Column(0);
        const auto* Text = std::get_if<std::string>(&V);
        return Text != nullptr ? *Text : "";
    }

    TempDataFolder Data;
    std::string A;
    std::string B;
};

TEST_F(CliExchange, ExportAndImportWithEachConflictAnswer) {
    TRun R = RunCli({"--db", A, "import", Fixture("exchange/golden_v2.bvf")});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Villa Ekbacken: stored\nGarage: stored\n");
    R = RunCli({"--db", A, "export", Path("two.bvf"), "garage", "Villa Ekbacken"});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Garage: exported\nVilla Ekbacken: exported\n");

    // Every case starts from a database holding the two buildings, imported
    // from the exported file in the order of the export.
    struct {
        std::vector<std::string> Option;
        int Code;
        const char* Out;
        const char* List;
    } const Cases[] = {
        {{},
         3,
         "Garage: failed: a building named Garage already exists (choose with "
         "--on-conflict=replace|skip|rename|cancel)\n"
         "Villa Ekbacken: failed: a building named Villa Ekbacken already exists (choose with "
         "--on-conflict=replace|skip|rename|cancel)\n",
         "Garage\nVilla Ekbacken\n"},
        {{"--on-conflict=replace"}, 0, "Garage: replaced\nVilla Ekbacken: replaced\n", "Garage\nVilla Ekbacken\n"},
        {{"--on-conflict", "skip"}, 0, "Garage: skipped\nVilla Ekbacken: skipped\n", "Garage\nVilla Ekbacken\n"},
        {{"--on-conflict=rename"},
         0,
         "Garage: renamed to Garage (1)\nVilla Ekbacken: renamed to Villa Ekbacken (1)\n",
         "Garage\nGarage (1)\nVilla Ekbacken\nVilla Ekbacken (1)\n"},
        {{"--on-conflict=cancel"},
         0,
         "Garage: skipped (import cancelled)\nVilla Ekbacken: skipped (import cancelled)\n",
         "Garage\nVilla Ekbacken\n"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Option.empty() ? "no option" : C.Option[0]);
        std::filesystem::remove(B);
        CreateSchemaDatabase(B);
        R = RunCli({"--db", B, "import", Path("two.bvf")});
        ASSERT_EQ(R.Code, 0) << R.Err;
        EXPECT_EQ(R.Out, "Garage: stored\nVilla Ekbacken: stored\n");
        std::vector<std::string> Args = {"--db", B, "import", Path("two.bvf")};
        Args.insert(Args.end(), C.Option.begin(), C.Option.end());
        R = RunCli(Args);
        EXPECT_EQ(R.Code, C.Code);
        EXPECT_EQ(R.Out, C.Out);
        EXPECT_EQ(R.Err, "");
        EXPECT_EQ(List(B), C.List);
    }
    // The next free name after a rename, twice.
    R = RunCli({"--db", B, "import", Path("two.bvf"), "--on-conflict=rename"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Garage: renamed to Garage (1)\nVilla Ekbacken: renamed to Villa Ekbacken (1)\n");
    R = RunCli({"--db", B, "import", Path("two.bvf"), "--on-conflict=rename"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Garage: renamed to Garage (2)\nVilla Ekbacken: renamed to Villa Ekbacken (2)\n");
    EXPECT_EQ(List(B), "Garage\nGarage (1)\nGarage (2)\nVilla Ekbacken\nVilla Ekbacken (1)\nVilla Ekbacken (2)\n");
}

TEST_F(CliExchange, BrokenAndRefusedFilesExitWithThree) {
    const std::string Broken = Fixture("exchange/unknown_tag.bvf");
    TRun R = RunCli({"--db", A, "import", Broken});
    EXPECT_EQ(R.Code, 3);
    EXPECT_EQ(R.Out, "Villa Ekbacken: stored\n"
                     "building 2: failed: Error reading TExpBuilding2.PArea: Unknown value tag 0x0A\n"
                     "Garage: stored\n");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Broken + ": Misslyckades med att läsa en eller fler byggnader från fil.\n");
    EXPECT_EQ(List(A), "Garage\nVilla Ekbacken\n");

    const std::string Newer = Fixture("exchange/version3.bvf");
    R = RunCli({"--db", B, "import", Newer, "--on-conflict=replace"});
    EXPECT_EQ(R.Code, 3);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Newer + ": Felaktig version. Kan ej läsa fil.\n");
    R = RunCli({"--db", B, "import", Path("missing.bvf")});
    EXPECT_EQ(R.Code, 3);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Path("missing.bvf") + ": Cannot open " + Path("missing.bvf") +
                         ": No such file or directory\n");
    EXPECT_EQ(List(B), "");

    // An ID that no building has writes no file.
    R = RunCli({"--db", A, "export", Path("x.bvf"), "Garage", "Slottet"});
    EXPECT_EQ(R.Code, 3);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Path("x.bvf") + ": There is no building Slottet (no file written)\n");
    EXPECT_FALSE(std::filesystem::exists(Path("x.bvf")));
}

// A file with more records than it announces: the announced ones are
// imported, and one warning says how many records were left unread.
TEST_F(CliExchange, RecordsBeyondTheAnnouncedOnesAreLeftUnreadWithAWarning) {
    const std::string Buildings = Path("one_announced.bvf");
    const auto Golden = ReadTestFile("exchange/golden_v2.bvf");
    const auto One = WithInt8Property(Golden, "PNBuildings", 1);
    WriteFile(Buildings, std::string(One.begin(), One.end()));
    TRun R = RunCli({"--db", A, "import", Buildings});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Villa Ekbacken: stored\n");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Buildings +
                         ": Filen innehåller fler poster än den anger: 14 poster lästes inte.\n");
    EXPECT_EQ(List(A), "Villa Ekbacken\n");

    const std::string Materials = Path("one_announced.bmf");
    const auto Two = ReadTestFile("materials/two_materials.bmf");
    const auto First = WithInt8Property(Two, "PNumberOfItems", 1);
    WriteFile(Materials, std::string(First.begin(), First.end()));
    R = RunCli({"--db", A, "import-materials", Materials});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Betong: stored\n");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Materials +
                         ": Filen innehåller fler poster än den anger: 1 post lästes inte.\n");
}

// A building or material the database refuses is a database error (exit
// 4); a file or format error stays 3, and a database error weighs more.
TEST_F(CliExchange, DatabaseErrorsWhileImportingExitWithFour) {
    CreateSchemaDatabase(Path("c.s3db"));
    for (const std::string& Db : {A, Path("c.s3db")}) {
        TDatabase::Open(Db)->Exec(
            "CREATE TRIGGER NoVilla BEFORE INSERT ON Buildings WHEN NEW.ID = 'Villa Ekbacken' "
            "BEGIN SELECT RAISE(ABORT, 'spärrad byggnad'); END;"
            "CREATE TRIGGER NoConcrete BEFORE INSERT ON LayersPreDef WHEN NEW.ID = 'Betong' "
            "BEGIN SELECT RAISE(ABORT, 'spärrat material'); END;");
    }
    TRun R = RunCli({"--db", A, "import", Fixture("exchange/golden_v2.bvf")});
    EXPECT_EQ(R.Code, 4);
    EXPECT_EQ(WithoutStatements(R.Out), "Villa Ekbacken: failed: spärrad byggnad\nGarage: stored\n");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Fixture("exchange/golden_v2.bvf") +
                         ": Misslyckades med att importera Villa Ekbacken\n");
    EXPECT_EQ(List(A), "Garage\n");

    // A building that cannot be read beside one the database refuses.
    R = RunCli({"--db", Path("c.s3db"), "import", Fixture("exchange/unknown_tag.bvf")});
    EXPECT_EQ(R.Code, 4);
    EXPECT_EQ(WithoutStatements(R.Out), "Villa Ekbacken: failed: spärrad byggnad\n"
                                        "building 2: failed: Error reading TExpBuilding2.PArea: Unknown value tag 0x0A\n"
                                        "Garage: stored\n");

    R = RunCli({"--db", A, "import-materials", Fixture("materials/two_materials.bmf")});
    EXPECT_EQ(R.Code, 4);
    EXPECT_EQ(WithoutStatements(R.Out), "Betong: failed: spärrat material\n");
    EXPECT_EQ(WithoutStatements(R.Err),
              "braskvalla-cli: " + Fixture("materials/two_materials.bmf") + ": spärrat material\n");
}

TEST_F(CliExchange, UsageErrors) {
    const std::vector<std::string> Cases[] = {
        {"import"},
        {"import", "f.bvf", "--on-conflict=overwrite"},
        {"import", "f.bvf", "--on-conflict"},
        {"import", "f.bvf", "g.bvf"},
        {"import", "f.bvf", "--on-conflict=skip", "--on-conflict=skip"},
        {"import", "f.bvf", "--force"},
        {"export", "f.bvf"},
        {"export", "f.bvf", "Garage", "--json"},
        {"export", "--json", "Garage"},
        {"import-materials"},
        {"export-materials", "f.bmf"},
        {"export-materials", "f.bmf", "-x", "Betong"},
    };
    for (const auto& C : Cases) {
        std::vector<std::string> Args = {"--db", A};
        Args.insert(Args.end(), C.begin(), C.end());
        const TRun R = RunCli(Args);
        SCOPED_TRACE(C[0] + " " + (C.size() > 1 ? C[1] : "") + " " + (C.size() > 2 ? C.back() : ""));
        EXPECT_EQ(R.Code, 1);
        EXPECT_EQ(R.Out, "");
        EXPECT_NE(R.Err.find("--help"), std::string::npos) << R.Err;
    }
    // An argument that looks like an option names no file.
    for (const char* Name : {"--json", "-x", "f.bvf", "f.bmf"}) {
        EXPECT_FALSE(fs::exists(Name)) << Name;
    }
    const TRun Option = RunCli({"--db", A, "export", "f.bvf", "--json"});
    EXPECT_EQ(Option.Err, "braskvalla-cli: export: unknown option --json\nTry 'braskvalla-cli --help'.\n");
    // After "--" every argument is a file or an ID, whatever it starts with.
    const TRun Dashes = RunCli({"--db", A, "export", Path("d.bvf"), "--", "--json"});
    EXPECT_EQ(Dashes.Code, 3);
    EXPECT_NE(Dashes.Err.find("There is no building --json"), std::string::npos) << Dashes.Err;
    EXPECT_FALSE(fs::exists(Path("d.bvf")));
}

TEST_F(CliExchange, Materials) {
    const std::string File = Fixture("materials/two_materials.bmf");
    TRun R = RunCli({"--db", A, "import-materials", File});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Betong: stored\nLättklinker åäö: stored\n");
    EXPECT_EQ(Materials(A), "Betong:1.7 Lättklinker åäö:0.0");

    // Each answer to the taken names.
    TDatabase::Open(A)->Exec("UPDATE LayersPreDef SET THERMCOND = 9");
    struct {
        const char* Option;
        int Code;
        const char* Out;
        const char* State;
    } const Cases[] = {
        {nullptr, 3,
         "Betong: failed: a material named Betong already exists (choose with "
         "--on-conflict=replace|skip|rename|cancel)\n"
         "Lättklinker åäö: failed: a material named Lättklinker åäö already exists (choose with "
         "--on-conflict=replace|skip|rename|cancel)\n",
         "Betong:9.0 Lättklinker åäö:9.0"},
        {"--on-conflict=skip", 0, "Betong: skipped\nLättklinker åäö: skipped\n", "Betong:9.0 Lättklinker åäö:9.0"},
        {"--on-conflict=cancel", 0, "Betong: skipped (import cancelled)\n", "Betong:9.0 Lättklinker åäö:9.0"},
        {"--on-conflict=rename", 0, "Betong: renamed to Betong (1)\nLättklinker åäö: renamed to Lättklinker åäö (1)\n",
         "Betong:9.0 Betong (1):1.7 Lättklinker åäö:9.0 Lättklinker åäö (1):0.0"},
        {"--on-conflict=replace", 0, "Betong: replaced\nLättklinker åäö: replaced\n",
         "Betong:1.7 Betong (1):1.7 Lättklinker åäö:0.0 Lättklinker åäö (1):0.0"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Option ? C.Option : "no option");
        std::vector<std::string> Args = {"--db", A, "import-materials", File};
        if (C.Option) {
            Args.push_back(C.Option);
        }
        R = RunCli(Args);
        EXPECT_EQ(R.Code, C.Code);
        EXPECT_EQ(R.Out, C.Out);
        EXPECT_EQ(R.Err, "");
        EXPECT_EQ(Materials(A), C.State);
    }

    R = RunCli({"--db", A, "export-materials", Path("m.bmf"), "Betong", "Lättklinker åäö"});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Betong: exported\nLättklinker åäö: exported\n");
    EXPECT_EQ(ReadFile(Path("m.bmf")), ReadFile(File));
    // Names are matched with exact case.
    R = RunCli({"--db", A, "export-materials", Path("n.bmf"), "betong"});
    EXPECT_EQ(R.Code, 3);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Path("n.bmf") + ": There is no material betong (no file written)\n");
    EXPECT_FALSE(std::filesystem::exists(Path("n.bmf")));

    const std::string Other = Fixture("materials/version2.bmf");
    R = RunCli({"--db", A, "import-materials", Other});
    EXPECT_EQ(R.Code, 3);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "braskvalla-cli: " + Other + ": Felaktig version. Kan ej läsa fil.\n");
}

} // namespace
