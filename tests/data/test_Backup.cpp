// Backups, the check of a database file and restoring: what is copied, what
// counts as damaged, the hourly rule and the ten kept, and that a failure
// never removes or replaces anything.
#include "data/UnitBackup.h"

#include "tests/DamagedDatabase.h"
#include "tests/data/DataTestSupport.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cerrno>
#include <ctime>
#include <functional>

using namespace bvtest;
using namespace std::chrono_literals;

namespace {

// A moment of local time, as backups are named in it.
TBackupTime LocalTime(int Year, int Month, int Day, int Hour, int Minute) {
    std::tm T{};
    T.tm_year = Year - 1900;
    T.tm_mon = Month - 1;
    T.tm_mday = Day;
    T.tm_hour = Hour;
    T.tm_min = Minute;
    T.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&T));
}

const TBackupTime T0 = LocalTime(2024, 3, 5, 9, 0);

// "YYYYMMDD-HHMMSS" of a moment, taken from the backup name of it.
std::string StampOf(TBackupTime When) {
    const std::string Name = BackupFileName(When);
    return Name.substr(5, 15);
}

// The building IDs of a database file, read without writing to it.
std::vector<std::string> BuildingIDs(const std::string& Path) {
    sqlite3* Db = nullptr;
    std::vector<std::string> IDs;
    if (sqlite3_open_v2(Path.c_str(), &Db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* St = nullptr;
        if (sqlite3_prepare_v2(Db, "SELECT ID FROM Buildings ORDER BY ID", -1, &St, nullptr) == SQLITE_OK) {
            while (sqlite3_step(St) == SQLITE_ROW) {
                IDs.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(St, 0)));
            }
        }
        sqlite3_finalize(St);
    }
    sqlite3_close(Db);
    return IDs;
}

// A database with every table and the buildings named.
void MakeDatabase(const std::string& Path, const std::vector<std::string>& IDs) {
    auto Db = CreateSchemaDatabase(Path);
    for (const std::string& ID : IDs) {
        TStatement St = Db->Prepare("INSERT INTO Buildings (ID) VALUES (?1)");
        St.Bind(1, ID);
        St.Execute();
    }
}

// Renaming fails as in a folder without write permission (which does not
// stop root); removing still works.
TFileSystemCalls RenameRefused() {
    TFileSystemCalls C = FileSystemCalls();
    C.Rename = [](const char*, const char*) {
        errno = EACCES;
        return -1;
    };
    return C;
}

// A file in Folder named as the routine backup of When, not a database.
void FakeBackup(const fs::path& Folder, TBackupTime When) {
    fs::create_directories(Folder);
    WriteFile(Folder / BackupFileName(When), "old backup");
}

} // namespace

// ---------------------------------------------------------------- the check

TEST(DatabaseCheck, TellsSoundFromDamagedFromMissing) {
    using TSetup = std::function<std::unique_ptr<TDatabase>(const std::string& Db)>;
    struct TCase {
        const char* Name;
        TSetup Setup; // what it returns stays open during the check
        TDatabaseCheck::TState State;
        const char* Says;
    } const Cases[] = {
        {"sound", [](const std::string& Db) { MakeDatabase(Db, {"Hus"}); return nullptr; }, TDatabaseCheck::Sound, ""},
        // Committed rows still in the log of a connection that has it open.
        {"open elsewhere",
         [](const std::string& Db) {
             auto Open = CreateSchemaDatabase(Db);
             Open->Exec("INSERT INTO Buildings (ID) VALUES ('Hus')");
             return Open;
         },
         TDatabaseCheck::Sound, ""},
        {"garbage in a page",
         [](const std::string& Db) {
             MakeDatabase(Db, {"Hus"});
             DamagePageOf(Db, "Buildings");
             return nullptr;
         },
         TDatabaseCheck::Damaged, ""},
        {"cut off",
         [](const std::string& Db) {
             MakeDatabase(Db, {"Hus"});
             fs::resize_file(Db, fs::file_size(Db) / 2);
             return nullptr;
         },
         TDatabaseCheck::Damaged, ""},
        {"a table missing",
         [](const std::string& Db) {
             CreateSchemaDatabase(Db)->Exec("DROP TABLE Months");
             return nullptr;
         },
         TDatabaseCheck::Damaged, "it lacks the table Months"},
        {"not a database",
         [](const std::string& Db) {
             WriteFile(Db, std::string(8192, 'x'));
             return nullptr;
         },
         TDatabaseCheck::Damaged, "not a database"},
        {"empty", [](const std::string& Db) { WriteFile(Db, ""); return nullptr; }, TDatabaseCheck::Damaged, "empty"},
        {"nothing there", [](const std::string&) { return nullptr; }, TDatabaseCheck::Missing, "does not exist"},
        {"a folder",
         [](const std::string& Db) {
             fs::create_directory(Db);
             return nullptr;
         },
         TDatabaseCheck::Unreadable, "folder"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TTempFolder Dir;
        const std::string Db = Dir.File("bvdb.s3db");
        const std::unique_ptr<TDatabase> Open = C.Setup(Db);
        const std::vector<std::string> Before = FolderEntries(Dir.Path());
        const std::string Bytes = ReadFile(Db);
        const TDatabaseCheck Check = CheckDatabaseFile(Db);
        EXPECT_EQ(Check.State, C.State) << Check.Problem;
        EXPECT_NE(Check.Problem.find(C.Says), std::string::npos) << Check.Problem;
        EXPECT_EQ(Check.Problem.empty(), C.State == TDatabaseCheck::Sound) << Check.Problem;
        // The check writes nothing, beside the file either.
        EXPECT_EQ(ReadFile(Db), Bytes);
        EXPECT_EQ(FolderEntries(Dir.Path()), Before);
    }
}

// ---------------------------------------------------------------- backups

TEST(Backup, IsOneFileHoldingWhatWasCommitted) {
    TTempFolder Dir;
    fs::create_directory(Dir / "data");
    fs::create_directory(Dir / "copies");
    const std::string Db = (Dir / "data" / "bvdb.s3db").string();
    // The rows are still in the log of the open connection.
    auto Open = CreateSchemaDatabase(Db);
    Open->Exec("INSERT INTO Buildings (ID) VALUES ('A'), ('B')");
    const std::string Copy = (Dir / "copies" / "copy.s3db").string();
    WriteBackup(Db, Copy);
    EXPECT_EQ(FolderEntries(Dir / "copies"), std::vector<std::string>{"copy.s3db"});
    EXPECT_EQ(BuildingIDs(Copy), (std::vector<std::string>{"A", "B"}));
    // The header's version bytes: 1 is the rollback journal, 2 the log.
    EXPECT_EQ(ReadFile(Copy).substr(18, 2), std::string("\x01\x01"));

    // A file that is there is never replaced.
    Open->Exec("INSERT INTO Buildings (ID) VALUES ('C')");
    const std::string Bytes = ReadFile(Copy);
    try {
        WriteBackup(Db, Copy);
        ADD_FAILURE() << "replaced " << Copy;
    } catch (const EBackupError& E) {
        EXPECT_EQ(E.Kind(), EBackupError::FileProblem) << E.what();
    }
    EXPECT_EQ(ReadFile(Copy), Bytes);
    EXPECT_EQ(FolderEntries(Dir / "copies"), std::vector<std::string>{"copy.s3db"});
}

TEST(Backup, NoneWhenOneOfTheLastHourIsThere) {
    struct TCase {
        const char* Name;
        std::optional<TBackupTime::duration> Before; // the age of the backup there
        bool Made;
    } const Cases[] = {
        {"none there", std::nullopt, true},
        {"this second", 0s, false},
        {"just under an hour", 1h - 1s, false},
        {"an hour", 1h, true},
        // A clock that was ahead once must not stop the backups.
        {"in the future", -1s, true},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TTempFolder Dir;
        const std::string Db = Dir.File("bvdb.s3db");
        MakeDatabase(Db, {"Hus"});
        const fs::path Folder = Dir / "Backup";
        if (C.Before) {
            FakeBackup(Folder, T0 - *C.Before);
        }
        const TFolderBackup B = BackupIntoFolder(Db, Folder.string(), T0);
        EXPECT_EQ(B.Made, C.Made);
        EXPECT_EQ(ListBackups(Folder.string()).size(), (C.Before ? 1u : 0u) + (C.Made ? 1u : 0u));
        EXPECT_EQ(fs::path(B.Path), Folder / BackupFileName(C.Made ? T0 : T0 - *C.Before));
        if (C.Made) {
            EXPECT_EQ(BuildingIDs(B.Path), std::vector<std::string>{"Hus"});
        }
    }
}

TEST(Backup, TheTenNewestAreKeptAndOtherFilesLeftAlone) {
    TTempFolder Dir;
    const std::string Db = Dir.File("bvdb.s3db");
    MakeDatabase(Db, {"Hus"});
    const fs::path Folder = Dir / "Backup";
    fs::create_directories(Folder);
    // Older than every backup, but none of them a backup.
    const std::vector<std::string> Others = {
        "notes.txt",
        "bvdb-20230101-1200.s3db",
        BackupFileName(T0 - 100h) + ".tmp12-0",
        "bvdb-20230231-120000.s3db",
    };
    for (const std::string& Name : Others) {
        WriteFile(Folder / Name, "not ours");
    }
    fs::create_directory(Folder / BackupFileName(T0 - 200h));

    std::vector<std::string> Made;
    for (int Start = 0; Start < 11; ++Start) {
        const TFolderBackup B = BackupIntoFolder(Db, Folder.string(), T0 + Start * 2h);
        ASSERT_TRUE(B.Made);
        Made.push_back(B.Path);
        EXPECT_EQ(B.Removed, Start < 10 ? std::vector<std::string>{} : std::vector<std::string>{Made.front()});
    }
    std::vector<std::string> Kept;
    for (const TBackupFile& B : ListBackups(Folder.string())) {
        Kept.push_back(B.Path);
    }
    EXPECT_EQ(Kept, std::vector<std::string>(Made.rbegin(), Made.rend() - 1));
    for (const std::string& Name : Others) {
        EXPECT_EQ(ReadFile(Folder / Name), "not ours") << Name;
    }
    EXPECT_TRUE(fs::is_directory(Folder / BackupFileName(T0 - 200h)));
}

// A backup the program was killed in leaves its temporary file; one that
// is young may be another program's backup under way.
TEST(Backup, TemporariesOfUnfinishedBackupsGoOnceTheyAreAnHourOld) {
    TTempFolder Dir;
    const std::string Db = Dir.File("bvdb.s3db");
    MakeDatabase(Db, {"Hus"});
    const fs::path Folder = Dir / "Backup";
    fs::create_directories(Folder);
    const std::string Unfinished = BackupFileName(T0 - 5h) + ".tmp4711-0";
    const std::vector<std::string> Old = {Unfinished, Unfinished + "-journal"};
    const std::vector<std::string> Kept = {BackupFileName(T0 - 5h) + ".tmp4711-1", "notes.tmp1-0",
                                           BackupFileName(T0 - 5h) + ".tmpx-0"};
    const auto HoursAgo = [](int H) { return fs::file_time_type::clock::now() - std::chrono::hours(H); };
    for (const std::string& Name : Old) {
        WriteFile(Folder / Name, "half a copy");
        fs::last_write_time(Folder / Name, HoursAgo(2));
    }
    WriteFile(Folder / Kept[0], "a copy being written");
    for (size_t I = 1; I < Kept.size(); ++I) {
        WriteFile(Folder / Kept[I], "not ours");
        fs::last_write_time(Folder / Kept[I], HoursAgo(2));
    }
    ASSERT_TRUE(BackupIntoFolder(Db, Folder.string(), T0).Made);
    for (const std::string& Name : Old) {
        EXPECT_FALSE(fs::exists(Folder / Name)) << Name;
    }
    for (const std::string& Name : Kept) {
        EXPECT_TRUE(fs::exists(Folder / Name)) << Name;
    }
}

TEST(Backup, AFailedBackupLeavesTheFolderAsItWas) {
    struct TCase {
        const char* Name;
        std::function<void(const std::string& Db, const fs::path& Folder)> Setup;
        EBackupError::TKind Kind;
    } const Cases[] = {
        {"damaged database",
         [](const std::string& Db, const fs::path&) {
             MakeDatabase(Db, {"Hus"});
             DamagePageOf(Db, "Buildings");
         },
         EBackupError::DatabaseProblem},
        {"a table missing",
         [](const std::string& Db, const fs::path&) { CreateSchemaDatabase(Db)->Exec("DROP TABLE Months"); },
         EBackupError::DatabaseProblem},
        {"no database", [](const std::string&, const fs::path&) {}, EBackupError::DatabaseProblem},
        {"the folder is a file",
         [](const std::string& Db, const fs::path& Folder) {
             MakeDatabase(Db, {"Hus"});
             fs::remove_all(Folder);
             WriteFile(Folder, "not a folder");
         },
         EBackupError::FileProblem},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TTempFolder Dir;
        const std::string Db = Dir.File("bvdb.s3db");
        const fs::path Folder = Dir / "Backup";
        // Ten old backups, which a new one would thin out.
        for (int Age = 1; Age <= 10; ++Age) {
            FakeBackup(Folder, T0 - Age * 2h);
        }
        C.Setup(Db, Folder);
        const std::vector<std::string> Before = FolderEntries(Dir.Path());
        const std::vector<std::string> InFolder = fs::is_directory(Folder) ? FolderEntries(Folder) : Before;
        try {
            BackupIntoFolder(Db, Folder.string(), T0);
            ADD_FAILURE() << "a backup was made";
        } catch (const EBackupError& E) {
            EXPECT_EQ(E.Kind(), C.Kind) << E.what();
        }
        EXPECT_EQ(FolderEntries(Dir.Path()), Before);
        if (fs::is_directory(Folder)) {
            EXPECT_EQ(FolderEntries(Folder), InFolder);
        }
    }
}

TEST(Backup, OldBackupsThatCannotBeRemovedAreReportedWithTheNewOneInPlace) {
    TTempFolder Dir;
    const std::string Db = Dir.File("bvdb.s3db");
    MakeDatabase(Db, {"Hus"});
    const fs::path Folder = Dir / "Backup";
    for (int Age = 1; Age <= 10; ++Age) {
        FakeBackup(Folder, T0 - Age * 2h);
    }
    TScopedFileSystemCalls Stubborn(StubbornFolder(false));
    try {
        BackupIntoFolder(Db, Folder.string(), T0);
        ADD_FAILURE() << "no failure reported";
    } catch (const EBackupError& E) {
        EXPECT_EQ(E.Kind(), EBackupError::FileProblem);
        EXPECT_NE(std::string(E.what()).find((Folder / BackupFileName(T0)).string() + " was made"), std::string::npos)
            << E.what();
        EXPECT_NE(std::string(E.what()).find(BackupFileName(T0 - 20h)), std::string::npos) << E.what();
    }
    EXPECT_EQ(ListBackups(Folder.string()).size(), 11u);
    EXPECT_EQ(BuildingIDs((Folder / BackupFileName(T0)).string()), std::vector<std::string>{"Hus"});
}

TEST(Backup, TheNewestThatPassesTheCheckIsOffered) {
    TTempFolder Dir;
    const fs::path Folder = Dir / "Backup";
    fs::create_directories(Folder);
    MakeDatabase((Folder / BackupFileName(T0 - 4h)).string(), {"Äldst"});
    MakeDatabase((Folder / BackupFileName(T0 - 2h)).string(), {"Näst"});
    const std::string Newest = (Folder / BackupFileName(T0)).string();
    MakeDatabase(Newest, {"Nyast"});
    DamagePageOf(Newest, "Buildings");
    const std::optional<TBackupFile> B = NewestSoundBackup(Folder.string());
    ASSERT_TRUE(B.has_value());
    EXPECT_EQ(fs::path(B->Path), Folder / BackupFileName(T0 - 2h));
    EXPECT_EQ(B->Time, T0 - 2h);
    EXPECT_FALSE(NewestSoundBackup((Dir / "none").string()).has_value());
}

// ---------------------------------------------------------------- restoring

TEST(Restore, ADamagedDatabaseGetsTheBackupsBuildingsAndIsKeptBeside) {
    TTempFolder Dir;
    const std::string Db = Dir.File("bvdb.s3db");
    MakeDatabase(Db, {"A", "B"});
    const std::string Backup = Dir.File("backup.s3db");
    WriteBackup(Db, Backup);
    TDatabase::Open(Db)->Exec("INSERT INTO Buildings (ID) VALUES ('Efter kopian')");
    DamagePageOf(Db, "Buildings");
    // A log left by a crash: beside the restored file it would be applied
    // to it.
    WriteFile(Db + "-wal", "the log of the damaged file");
    const std::string Damaged = ReadFile(Db);
    ASSERT_EQ(CheckDatabaseFile(Db).State, TDatabaseCheck::Damaged);

    const TRestore R = RestoreDatabase(Backup, Db, T0);
    EXPECT_EQ(R.KeptAs, Db + ".damaged-" + StampOf(T0));
    EXPECT_EQ(ReadFile(R.KeptAs), Damaged);
    EXPECT_EQ(ReadFile(R.KeptAs + "-wal"), "the log of the damaged file");
    EXPECT_FALSE(fs::exists(Db + "-wal"));
    EXPECT_FALSE(fs::exists(Db + "-shm"));
    EXPECT_EQ(CheckDatabaseFile(Db).State, TDatabaseCheck::Sound);
    EXPECT_EQ(BuildingIDs(Db), (std::vector<std::string>{"A", "B"}));

    // Restoring again at the same moment: the sound file goes aside under
    // names of its own, and nothing kept before is replaced.
    EXPECT_EQ(RestoreDatabase(Backup, Db, T0).KeptAs, Db + ".replaced-" + StampOf(T0));
    EXPECT_EQ(RestoreDatabase(Backup, Db, T0).KeptAs, Db + ".replaced-" + StampOf(T0) + "-2");
    EXPECT_EQ(ReadFile(R.KeptAs), Damaged);
    EXPECT_EQ(BuildingIDs(Db + ".replaced-" + StampOf(T0)), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(BuildingIDs(Db), (std::vector<std::string>{"A", "B"}));
    for (const std::string& Name : FolderEntries(Dir.Path())) {
        EXPECT_EQ(Name.find(".tmp"), std::string::npos) << Name;
    }
}

TEST(Restore, ARefusedRestoreLeavesEverythingAsItWas) {
    struct TCase {
        const char* Name;
        std::function<void(const std::string& Backup)> Setup;
        bool RenameFails;
        EBackupError::TKind Kind;
    } const Cases[] = {
        {"damaged backup",
         [](const std::string& B) {
             MakeDatabase(B, {"Kopia"});
             DamagePageOf(B, "Buildings");
         },
         false, EBackupError::DatabaseProblem},
        {"backup lacks a table", [](const std::string& B) { CreateSchemaDatabase(B)->Exec("DROP TABLE Months"); },
         false, EBackupError::DatabaseProblem},
        {"no backup", [](const std::string&) {}, false, EBackupError::FileProblem},
        {"the database cannot be moved aside", [](const std::string& B) { MakeDatabase(B, {"Kopia"}); }, true,
         EBackupError::FileProblem},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TTempFolder Dir;
        const std::string Db = Dir.File("bvdb.s3db");
        MakeDatabase(Db, {"Mitt hus"});
        const std::string Backup = Dir.File("backup.s3db");
        C.Setup(Backup);
        const std::vector<std::string> Before = FolderEntries(Dir.Path());
        const std::string Bytes = ReadFile(Db);
        std::optional<TScopedFileSystemCalls> Calls;
        if (C.RenameFails) {
            Calls.emplace(RenameRefused());
        }
        try {
            RestoreDatabase(Backup, Db, T0);
            ADD_FAILURE() << "restored";
        } catch (const EBackupError& E) {
            EXPECT_EQ(E.Kind(), C.Kind) << E.what();
        }
        EXPECT_EQ(ReadFile(Db), Bytes);
        EXPECT_EQ(FolderEntries(Dir.Path()), Before);
    }
}
