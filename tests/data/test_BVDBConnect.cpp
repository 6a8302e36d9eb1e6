#include "data/UnitBVDBConnect.h"

#include "tests/data/DataTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

using namespace bvtest;

namespace {

int64_t CountRows(TDatabase& Db, const std::string& Table) {
    TStatement St = Db.Prepare("SELECT count(*) FROM " + Table);
    St.Step();
    return std::get<int64_t>(St.Column(0));
}

std::string ErrorOfConnect() {
    try {
        TDataModuleBVDBConnect Module;
    } catch (const EDatabaseError& E) {
        return E.what();
    }
    return "";
}

} // namespace

TEST(BVDBConnect, FirstStartWritesTheConnectionFileWithTheDefaultPath) {
    TempDataFolder Data;
    const std::string Default = Data.File("bvdb.s3db");
    CreateSchemaDatabase(Default);
    TDataModuleBVDBConnect Module;
    EXPECT_EQ(Module.DatabasePath(), Default);
    EXPECT_EQ(Module.ZConnectionBVDB().Path(), Default);
    EXPECT_EQ(ReadFile(Data.File("dbconnection")), Default + "\n"); // exactly one line
    // No temporary file is left beside it.
    for (const std::string& Name : FolderEntries(Data.Folder)) {
        EXPECT_EQ(Name.find(".tmp"), std::string::npos) << Name;
    }
}

TEST(BVDBConnect, TheFirstLineOfTheConnectionFileChoosesTheDatabase) {
    TempDataFolder Data;
    CreateSchemaDatabase(Data.File("bvdb.s3db"));
    const std::string Other = (Data.Root / "elsewhere.s3db").string();
    CreateSchemaDatabase(Other)->Exec("INSERT INTO Buildings (ID) VALUES ('Annat hus')");
    // Written on another system: CR LF line ends; further lines are ignored.
    const std::string Text = Other + "\r\n" + Data.File("bvdb.s3db") + "\r\nnonsense\r\n";
    WriteFile(Data.File("dbconnection"), Text);
    TDataModuleBVDBConnect Module;
    EXPECT_EQ(Module.DatabasePath(), Other);
    EXPECT_EQ(CountRows(Module.ZConnectionBVDB(), "Buildings"), 1);
    EXPECT_EQ(ReadFile(Data.File("dbconnection")), Text); // never changed
}

TEST(BVDBConnect, AnEmptyConnectionFileLeavesTheDefaultPathAndStaysAsItIs) {
    for (const std::string& Text : {std::string(), std::string("\n"), std::string("  \r\n")}) {
        TempDataFolder Data;
        CreateSchemaDatabase(Data.File("bvdb.s3db"));
        WriteFile(Data.File("dbconnection"), Text);
        TDataModuleBVDBConnect Module;
        EXPECT_EQ(Module.DatabasePath(), TDataModuleBVDBConnect::DesignTimeDefaultPath());
        EXPECT_EQ(Module.DatabasePath(), Data.File("bvdb.s3db"));
        EXPECT_EQ(ReadFile(Data.File("dbconnection")), Text);
    }
}

// A connection file that is there but cannot be read names a database the
// user chose; opening the default one instead would show other buildings.
TEST(BVDBConnect, AConnectionFileThatCannotBeReadIsAClearErrorNamingIt) {
    struct TCase {
        const char* Name;
        std::function<void(const fs::path&)> Make;
        const char* Cause;
    };
    const TCase Cases[] = {
        {"a folder", [](const fs::path& P) { fs::create_directory(P); }, "it is a folder"},
        {"a link to nothing", [](const fs::path& P) { fs::create_symlink(P.parent_path() / "gone", P); },
         "No such file"},
        {"a file without read permission",
         [](const fs::path& P) {
             WriteFile(P, "/somewhere/else.s3db\n");
             fs::permissions(P, fs::perms::none);
         },
         "Permission denied"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        if (std::string(C.Name) == "a file without read permission" && geteuid() == 0) {
            // Permission bits do not stop root; the other cases stand for it.
            continue;
        }
        TempDataFolder Data;
        CreateSchemaDatabase(Data.File("bvdb.s3db"))->Exec("INSERT INTO Buildings (ID) VALUES ('Fel hus')");
        const fs::path File = Data.File("dbconnection");
        C.Make(File);
        const fs::file_type Kind = fs::symlink_status(File).type();
        const std::string Msg = ErrorOfConnect();
        EXPECT_NE(Msg.find("connection file"), std::string::npos) << Msg;
        EXPECT_NE(Msg.find(File.string()), std::string::npos) << Msg;
        EXPECT_NE(Msg.find(C.Cause), std::string::npos) << Msg;
        EXPECT_EQ(fs::symlink_status(File).type(), Kind) << "replaced";
    }
}

TEST(BVDBConnect, AMissingOrForeignDatabaseIsAClearErrorAndNothingIsCreated) {
    TempDataFolder Data;
    const std::string Missing = (Data.Root / "gone" / "bvdb.s3db").string();
    WriteFile(Data.File("dbconnection"), Missing + "\n");
    std::string Msg = ErrorOfConnect();
    EXPECT_NE(Msg.find(Missing), std::string::npos) << Msg;
    EXPECT_NE(Msg.find("does not exist"), std::string::npos) << Msg;
    EXPECT_FALSE(fs::exists(Data.Root / "gone"));

    // A database without the system's tables names the tables it lacks.
    const std::string Foreign = (Data.Root / "foreign.s3db").string();
    {
        auto Db = TDatabase::Create(Foreign);
        Db->Exec("CREATE TABLE Buildings (ID VARCHAR(100))");
    }
    WriteFile(Data.File("dbconnection"), Foreign + "\n");
    Msg = ErrorOfConnect();
    EXPECT_NE(Msg.find(Foreign), std::string::npos) << Msg;
    EXPECT_NE(Msg.find("LayeredComponents"), std::string::npos) << Msg;
    EXPECT_NE(Msg.find("PreDefMonths"), std::string::npos) << Msg;
    EXPECT_EQ(Msg.find("Buildings"), std::string::npos) << Msg;

    // No connection file and no database: the default path is named, the
    // connection file is written, no database file appears.
    fs::remove(Data.File("dbconnection"));
    Msg = ErrorOfConnect();
    EXPECT_NE(Msg.find(Data.File("bvdb.s3db")), std::string::npos) << Msg;
    EXPECT_FALSE(fs::exists(Data.File("bvdb.s3db")));
    EXPECT_EQ(FolderEntries(Data.Folder), std::vector<std::string>{"dbconnection"});
}

TEST(BVDBConnect, AMissingDataFolderIsNotCreated) {
    TempDataFolder Data;
    fs::remove_all(Data.Folder);
    const std::string Msg = ErrorOfConnect();
    EXPECT_NE(Msg.find(Data.File("bvdb.s3db")), std::string::npos) << Msg;
    EXPECT_FALSE(fs::exists(Data.Folder));
}

TEST(BVDBConnect, TheMigrationScriptRunsOnceInOneTransaction) {
    TempDataFolder Data;
    CreateSchemaDatabase(Data.File("bvdb.s3db"));
    WriteFile(Data.File("RunAndRemove.sql"),
              "INSERT INTO PreDefClimate (ID, INFO) VALUES ('Lund', 'Skåne');\n"
              "ALTER TABLE PreDefClimate ADD COLUMN SOURCE TEXT;\n"
              "UPDATE PreDefClimate SET SOURCE = 'line one\nline two';\n");
    {
        TDataModuleBVDBConnect Module;
        EXPECT_EQ(Module.MigrationError(), "");
        EXPECT_EQ(CountRows(Module.ZConnectionBVDB(), "PreDefClimate"), 1);
        TStatement St = Module.ZConnectionBVDB().Prepare("SELECT SOURCE FROM PreDefClimate");
        ASSERT_TRUE(St.Step());
        EXPECT_EQ(St.Column(0), TValue(std::string("line one\r\nline two"))); // lines joined with CR LF
    }
    EXPECT_FALSE(fs::exists(Data.File("RunAndRemove.sql")));
    TDataModuleBVDBConnect Again; // nothing runs a second time
    EXPECT_EQ(CountRows(Again.ZConnectionBVDB(), "PreDefClimate"), 1);
}

// A script that may run only once: each run adds a "+".
const char* const AddAPlus = "UPDATE PreDefClimate SET INFO = INFO || '+';\n";

std::string Info(TDataModuleBVDBConnect& Module) {
    TStatement St = Module.ZConnectionBVDB().Prepare("SELECT INFO FROM PreDefClimate");
    return St.Step() ? std::get<std::string>(St.Column(0)) : "";
}

void CreateDatabaseWithOneProfile(const std::string& Path) {
    CreateSchemaDatabase(Path)->Exec("INSERT INTO PreDefClimate (ID, INFO) VALUES ('Lund', 'Skåne')");
}

TEST(BVDBConnect, AScriptThatCannotBeRemovedIsRenamedAndNotRunAgain) {
    TempDataFolder Data;
    CreateDatabaseWithOneProfile(Data.File("bvdb.s3db"));
    WriteFile(Data.File("RunAndRemove.sql"), AddAPlus);
    {
        TScopedFileSystemCalls NoRemoval(StubbornFolder(false));
        TDataModuleBVDBConnect Module;
        EXPECT_EQ(Module.MigrationError(), "");
        EXPECT_EQ(Module.MigrationNotice(), "");
        EXPECT_EQ(Info(Module), "Skåne+");
    }
    EXPECT_FALSE(fs::exists(Data.File("RunAndRemove.sql")));
    EXPECT_EQ(ReadFile(Data.File("RunAndRemove.sql.done")), AddAPlus);
    TDataModuleBVDBConnect Again;
    EXPECT_EQ(Info(Again), "Skåne+");
}

TEST(BVDBConnect, AScriptThatCanBeNeitherRemovedNorRenamedIsNotRunAgain) {
    TempDataFolder Data;
    CreateDatabaseWithOneProfile(Data.File("bvdb.s3db"));
    WriteFile(Data.File("RunAndRemove.sql"), AddAPlus);
    {
        TScopedFileSystemCalls Stubborn(StubbornFolder(true));
        for (int Start = 1; Start <= 2; ++Start) {
            SCOPED_TRACE("start " + std::to_string(Start));
            TDataModuleBVDBConnect Module;
            EXPECT_EQ(Module.MigrationError(), "");
            // The user is told what to do, at every start while it is there.
            const std::string& Notice = Module.MigrationNotice();
            EXPECT_NE(Notice.find(Data.File("RunAndRemove.sql")), std::string::npos) << Notice;
            EXPECT_NE(Notice.find("will not be run again"), std::string::npos) << Notice;
            EXPECT_NE(Notice.find(std::strerror(EACCES)), std::string::npos) << Notice;
            EXPECT_EQ(Info(Module), "Skåne+");
            EXPECT_EQ(ReadFile(Data.File("RunAndRemove.sql")), AddAPlus);
        }
    }
    // Once the folder lets it go, the script goes, still without running.
    {
        TDataModuleBVDBConnect Module;
        EXPECT_EQ(Module.MigrationNotice(), "");
        EXPECT_EQ(Info(Module), "Skåne+");
        EXPECT_FALSE(fs::exists(Data.File("RunAndRemove.sql")));
    }
    // Another script is another migration: it runs.
    WriteFile(Data.File("RunAndRemove.sql"), std::string(AddAPlus) + "-- the next one\n");
    TDataModuleBVDBConnect Next;
    EXPECT_EQ(Info(Next), "Skåne++");
    EXPECT_FALSE(fs::exists(Data.File("RunAndRemove.sql")));
}

TEST(BVDBConnect, AFailingMigrationScriptChangesNothingAndStays) {
    TempDataFolder Data;
    CreateSchemaDatabase(Data.File("bvdb.s3db"));
    const std::string Script = "INSERT INTO PreDefClimate (ID) VALUES ('Lund');\n"
                               "CREATE TABLE Extra (A INTEGER);\n"
                               "INSERT INTO NoSuchTable VALUES (1);\n";
    WriteFile(Data.File("RunAndRemove.sql"), Script);
    TDataModuleBVDBConnect Module;
    EXPECT_NE(Module.MigrationError().find("NoSuchTable"), std::string::npos) << Module.MigrationError();
    EXPECT_EQ(CountRows(Module.ZConnectionBVDB(), "PreDefClimate"), 0);
    EXPECT_FALSE(Module.ZConnectionBVDB().TableExists("Extra"));
    EXPECT_FALSE(Module.ZConnectionBVDB().InTransaction());
    EXPECT_EQ(ReadFile(Data.File("RunAndRemove.sql")), Script);
}

TEST(BVDBConnect, OpeningAFileDirectlySkipsConnectionFileAndScript) {
    TempDataFolder Data;
    const std::string Path = (Data.Root / "direct.s3db").string();
    CreateSchemaDatabase(Path);
    WriteFile(Data.File("RunAndRemove.sql"), "INSERT INTO PreDefClimate (ID) VALUES ('Lund');");
    auto Module = TDataModuleBVDBConnect::OpenFile(Path);
    EXPECT_EQ(Module->DatabasePath(), Path);
    EXPECT_EQ(CountRows(Module->ZConnectionBVDB(), "PreDefClimate"), 0);
    EXPECT_TRUE(fs::exists(Data.File("RunAndRemove.sql")));
    EXPECT_FALSE(fs::exists(Data.File("dbconnection")));
    EXPECT_THROW(TDataModuleBVDBConnect::OpenFile((Data.Root / "none.s3db").string()), EDatabaseError);
    EXPECT_FALSE(fs::exists(Data.Root / "none.s3db"));
}
