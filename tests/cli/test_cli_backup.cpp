// braskvalla-cli backup, check and restore, and the backup before an
// import, run in-process.
#include "tests/DamagedDatabase.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/data/DataTestSupport.h"

#include <gtest/gtest.h>

using namespace bvtest;

namespace {

std::string List(const std::string& Db) {
    const TRun R = RunCli({"--db", Db, "list"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    return R.Out;
}

void AddBuilding(const std::string& Db, const std::string& ID) {
    TStatement St = TDatabase::Open(Db)->Prepare("INSERT INTO Buildings (ID) VALUES (?1)");
    St.Bind(1, ID);
    St.Execute();
}

class CliBackup : public ::testing::Test {
protected:
    void SetUp() override {
        Db = Data.File("bvdb.s3db");
        CreateSchemaDatabase(Db)->Exec("INSERT INTO Buildings (ID) VALUES ('A'), ('B')");
    }
    std::string Path(const std::string& Name) const { return (Data.Root / Name).string(); }

    TempDataFolder Data;
    std::string Db; // the data folder's database
};

} // namespace

TEST_F(CliBackup, CheckPrintsTheResultAndExitsWithFourUnlessSound) {
    const std::string Damaged = Path("damaged.s3db");
    CreateSchemaDatabase(Damaged)->Exec("INSERT INTO Buildings (ID) VALUES ('A')");
    DamagePageOf(Damaged, "Buildings");
    struct TCase {
        std::vector<std::string> Args;
        int Code;
        std::string Out;
    } const Cases[] = {
        {{"--db", Db, "check"}, 0, Db + " is sound\n"},
        {{"--db", Damaged, "check"}, 4, Damaged + " is damaged: "},
        {{"--db", Path("none.s3db"), "check"}, 4, Path("none.s3db") + ": the file does not exist\n"},
        {{"--db", Db, "check", "extra"}, 1, ""},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Args[1]);
        const TRun R = RunCli(C.Args);
        EXPECT_EQ(R.Code, C.Code) << R.Err;
        EXPECT_EQ(R.Out.substr(0, C.Out.size()), C.Out);
    }

    // Through the data folder: the connection file is not written and the
    // migration script does not run.
    WriteFile(Data.File("RunAndRemove.sql"), "INSERT INTO Buildings (ID) VALUES ('Migrerad');");
    const std::string Bytes = ReadFile(Db);
    const TRun R = RunCli({"check"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, Db + " is sound\n");
    EXPECT_EQ(ReadFile(Db), Bytes);
    EXPECT_EQ(FolderEntries(Data.Folder), (std::vector<std::string>{"RunAndRemove.sql", "bvdb.s3db"}));
}

TEST_F(CliBackup, BackupWritesANewFileOrIntoTheBackupFolder) {
    const std::string File = Path("copy.s3db");
    TRun R = RunCliOn(Db, {"backup", File});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Out, File + "\n");
    const std::string Bytes = ReadFile(File);
    // A file that is there stays as it is.
    R = RunCliOn(Db, {"backup", File});
    EXPECT_EQ(R.Code, 3);
    EXPECT_NE(R.Err.find(File + " already exists"), std::string::npos) << R.Err;
    EXPECT_EQ(ReadFile(File), Bytes);
    EXPECT_EQ(List(File), "A\nB\n");

    // Without FILE: into the data folder's Backup folder, which is the
    // data folder's database's only.
    R = RunCliOn(Db, {"backup"});
    EXPECT_EQ(R.Code, 1);
    R = RunCli({"--data-dir", Data.Folder.string(), "backup"});
    ASSERT_EQ(R.Code, 0) << R.Err;
    const std::vector<std::string> Made = FolderEntries(Data.Folder / "Backup");
    ASSERT_EQ(Made.size(), 1u);
    EXPECT_EQ(R.Out, (Data.Folder / "Backup" / Made.front()).string() + "\n");
    EXPECT_EQ(List((Data.Folder / "Backup" / Made.front()).string()), "A\nB\n");

    // A damaged database gives no backup.
    DamagePageOf(Db, "Buildings");
    R = RunCliOn(Db, {"backup", Path("of-damaged.s3db")});
    EXPECT_EQ(R.Code, 4);
    EXPECT_NE(R.Err.find("does not pass the check"), std::string::npos) << R.Err;
    EXPECT_FALSE(fs::exists(Path("of-damaged.s3db")));
}

TEST_F(CliBackup, RestorePutsTheBackupInPlaceAndKeepsTheCurrentFile) {
    const std::string Backup = Path("backup.s3db");
    ASSERT_EQ(RunCliOn(Db, {"backup", Backup}).Code, 0);
    AddBuilding(Db, "C");
    DamagePageOf(Db, "Buildings");
    const std::string Damaged = ReadFile(Db);

    // Refused restores touch nothing.
    const std::string BadBackup = Path("bad.s3db");
    WriteFile(BadBackup, "no database");
    struct TCase {
        std::vector<std::string> Args;
        int Code;
    } const Refused[] = {
        {{"restore", Path("none.s3db")}, 3},
        {{"restore", BadBackup}, 4},
        {{"restore"}, 1},
        {{"restore", Backup, "extra"}, 1},
    };
    for (const TCase& C : Refused) {
        SCOPED_TRACE(C.Args.back());
        EXPECT_EQ(RunCliOn(Db, C.Args).Code, C.Code);
        EXPECT_EQ(ReadFile(Db), Damaged);
        EXPECT_EQ(FolderEntries(Data.Folder), std::vector<std::string>{"bvdb.s3db"});
    }

    const TRun R = RunCli({"restore", Backup});
    ASSERT_EQ(R.Code, 0) << R.Err;
    const std::vector<std::string> Entries = FolderEntries(Data.Folder);
    ASSERT_EQ(Entries.size(), 2u);
    const std::string Kept = Data.File(Entries.back());
    EXPECT_EQ(Kept.rfind(Db + ".damaged-", 0), 0u) << Kept;
    EXPECT_EQ(R.Out, "Kept the previous file as " + Kept + "\nRestored " + Db + " from " + Backup + "\n");
    EXPECT_EQ(ReadFile(Kept), Damaged);
    EXPECT_EQ(List(Db), "A\nB\n");
}

TEST_F(CliBackup, ImportBacksUpTheDataFolderDatabaseAtMostOnceAnHour) {
    const std::string File = TestDataPath("exchange/golden_v2.bvf");
    TRun R = RunCli({"--data-dir", Data.Folder.string(), "import", File});
    ASSERT_EQ(R.Code, 0) << R.Err;
    const fs::path Folder = Data.Folder / "Backup";
    const std::vector<std::string> Made = FolderEntries(Folder);
    ASSERT_EQ(Made.size(), 1u);
    EXPECT_EQ(R.Err, "braskvalla-cli: backup of the database: " + (Folder / Made.front()).string() + "\n");
    // The backup holds the state before the import.
    EXPECT_EQ(List((Folder / Made.front()).string()), "A\nB\n");
    EXPECT_EQ(List(Db), "A\nB\nGarage\nVilla Ekbacken\n");

    R = RunCli({"--data-dir", Data.Folder.string(), "import", File, "--on-conflict=rename"});
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Err, "");
    EXPECT_EQ(FolderEntries(Folder), Made);

    // A backup that cannot be made is a warning; the import goes on.
    fs::remove_all(Folder);
    WriteFile(Folder, "not a folder");
    R = RunCli({"--data-dir", Data.Folder.string(), "import", File, "--on-conflict=skip"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Err.rfind("braskvalla-cli: warning: no backup was made before writing: ", 0), 0u) << R.Err;
    EXPECT_EQ(R.Out, "Villa Ekbacken: skipped\nGarage: skipped\n");

    // Another database (--db) is not the data folder's: no backup there.
    const std::string Other = Path("other.s3db");
    CreateSchemaDatabase(Other);
    fs::remove(Folder);
    R = RunCliOn(Other, {"import", File});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_FALSE(fs::exists(Folder));
}
