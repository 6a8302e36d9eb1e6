#include "tests/cli/CliTestSupport.h"
#include "tests/data/DataTestSupport.h"

#include <gtest/gtest.h>

using namespace bvtest;

TEST(CliList, PrintsTheBuildingIdsInIdOrder) {
    TempDataFolder Data;
    const std::string Path = (Data.Root / "list.s3db").string();
    CreateSchemaDatabase(Path)->Exec("INSERT INTO Buildings (ID) VALUES ('b'), ('Default'), ('A'), ('Öhus')");
    const TRun R = RunCli({"--db", Path, "list"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "A\nb\nDefault\nÖhus\n");
    EXPECT_EQ(R.Err, "");
    EXPECT_EQ(RunCli({"--db", Path, "list", "extra"}).Code, 1);
}

TEST(CliList, DataDirConnectsThroughTheConnectionFileAndRunsTheScript) {
    TempDataFolder Data;
    const fs::path Dir = Data.Root / "other data";
    fs::create_directories(Dir);
    CreateSchemaDatabase((Dir / "bvdb.s3db").string());
    WriteFile(Dir / "RunAndRemove.sql", "INSERT INTO Buildings (ID) VALUES ('Migrerad');");
    const TRun R = RunCli({"--data-dir", Dir.string(), "list"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, "Migrerad\n");
    EXPECT_FALSE(fs::exists(Dir / "RunAndRemove.sql"));
    EXPECT_EQ(ReadFile(Dir / "dbconnection"), (Dir / "bvdb.s3db").string() + "\n");

    // A failing script is reported, kept, and the command still runs.
    WriteFile(Dir / "RunAndRemove.sql", "INSERT INTO NoSuchTable VALUES (1);");
    const TRun Again = RunCli({"--data-dir", Dir.string(), "list"});
    EXPECT_EQ(Again.Code, 0);
    EXPECT_EQ(Again.Out, "Migrerad\n");
    EXPECT_NE(Again.Err.find("NoSuchTable"), std::string::npos) << Again.Err;
    EXPECT_TRUE(fs::exists(Dir / "RunAndRemove.sql"));
}

// A script that ran but stays in the folder is named at every start, and
// its statements are applied once.
TEST(CliList, AScriptThatCannotBeRemovedIsNamedAndRunsOnce) {
    TempDataFolder Data;
    CreateSchemaDatabase(Data.File("bvdb.s3db"));
    WriteFile(Data.File("RunAndRemove.sql"), "INSERT INTO Buildings (ID) VALUES ('Migrerad');");
    TScopedFileSystemCalls Stubborn(StubbornFolder(true));
    for (int Start = 1; Start <= 2; ++Start) {
        SCOPED_TRACE("start " + std::to_string(Start));
        const TRun R = RunCli({"list"});
        EXPECT_EQ(R.Code, 0) << R.Err;
        EXPECT_EQ(R.Out, "Migrerad\n");
        EXPECT_EQ(R.Err.rfind("braskvalla-cli: warning: " + Data.File("RunAndRemove.sql") + " has been applied", 0), 0u)
            << R.Err;
        EXPECT_NE(R.Err.find("It will not be run again; remove it by hand.\n"), std::string::npos) << R.Err;
    }
}

TEST(CliList, DatabaseFailuresExitWithFourNamingThePathAndCreateNothing) {
    TempDataFolder Data;
    const std::string Missing = (Data.Root / "missing.s3db").string();
    const std::string Text = (Data.Root / "notes.s3db").string();
    WriteFile(Text, "Inte en databas, bara lite text som är tillräckligt lång.\n");
    const std::string Bare = (Data.Root / "bare.s3db").string();
    TDatabase::Create(Bare)->Exec("CREATE TABLE Something (A INTEGER)");
    const fs::path Connection = Data.Folder / "dbconnection";
    WriteFile(Connection, Missing + "\n");
    struct Case {
        std::vector<std::string> Args;
        std::string Path;
        const char* Problem;
    };
    const Case Cases[] = {
        {{"list"}, Missing, "does not exist"}, // named by the connection file
        {{"--db", Missing, "list"}, Missing, "does not exist"},
        {{"--db", Text, "list"}, Text, "not a database"},
        {{"--db", Bare, "list"}, Bare, "Buildings"},
        {{"--data-dir", (Data.Root / "nowhere").string(), "list"}, (Data.Root / "nowhere" / "bvdb.s3db").string(),
         "does not exist"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Path);
        const TRun R = RunCli(C.Args);
        EXPECT_EQ(R.Code, 4) << C.Path;
        EXPECT_EQ(R.Out, "");
        EXPECT_NE(R.Err.find(C.Path), std::string::npos) << R.Err;
        EXPECT_NE(R.Err.find(C.Problem), std::string::npos) << R.Err;
    }
    EXPECT_FALSE(fs::exists(Missing));
    EXPECT_FALSE(fs::exists(Data.Root / "nowhere"));
    EXPECT_EQ(ReadFile(Text), "Inte en databas, bara lite text som är tillräckligt lång.\n");
    EXPECT_EQ(ReadFile(Connection), Missing + "\n");

    // A connection file that cannot be read is named; the default database
    // of the data folder, which exists, is not opened in its place.
    const fs::path Dir = Data.Root / "unreadable";
    fs::create_directories(Dir / "dbconnection");
    CreateSchemaDatabase((Dir / "bvdb.s3db").string())->Exec("INSERT INTO Buildings (ID) VALUES ('Fel hus')");
    const TRun R = RunCli({"--data-dir", Dir.string(), "list"});
    EXPECT_EQ(R.Code, 4);
    EXPECT_EQ(R.Out, "");
    EXPECT_EQ(R.Err, "braskvalla-cli: The connection file " + (Dir / "dbconnection").string() +
                         " cannot be read: it is a folder\n");
}
