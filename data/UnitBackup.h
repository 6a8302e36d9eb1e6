// Backups of the database, the check of a database file, and restoring one
// from a backup.
//
// Backups are copies made with SQLite's online backup API, so that a
// database that another connection is writing is copied as one consistent
// state. A backup is written under a temporary name, must pass the check,
// and only then gets its name; a half-written or failed copy never counts
// as a backup. The routine backups live in the data folder's "Backup"
// folder as "bvdb-YYYYMMDD-HHMMSS.s3db" (local time), at most one an hour,
// the ten newest kept. Other files in that folder are never touched.
//
// The time is always a parameter, so that tests pass any moment they like.
#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using TBackupTime = std::chrono::system_clock::time_point;

class EBackupError : public std::runtime_error {
public:
    enum TKind {
        DatabaseProblem, // the database or the backup is missing, damaged or cannot be read as one
        FileProblem,     // a file could not be written, moved or removed
    };
    EBackupError(TKind Kind, const std::string& Msg) : std::runtime_error(Msg), FKind(Kind) {}
    TKind Kind() const { return FKind; }

private:
    TKind FKind;
};

// ---------------------------------------------------------------- the check

struct TDatabaseCheck {
    enum TState {
        Sound,      // quick_check finds nothing and every table of the system is there
        Damaged,    // not a database, a damaged page, a read error, tables missing
        Missing,    // nothing at the path
        Unreadable, // the file cannot be opened (permission, locked, a folder); not known to be damaged
    };
    TState State = Missing;
    // What is wrong, in a few words (the first findings of quick_check, the
    // missing tables, SQLite's message); "" when sound.
    std::string Problem;
};

// Checks the database file Path without writing to it: it is opened read
// only, PRAGMA quick_check is run and the tables the system opens
// (TDataModuleBVDBConnect::SchemaTables) are looked for.
TDatabaseCheck CheckDatabaseFile(const std::string& Path);

// One line for a person: "<Path> is sound" or "<Path> is damaged: ...".
std::string DescribeCheck(const std::string& Path, const TDatabaseCheck& Check);

// ---------------------------------------------------------------- backups

namespace BackupRules {
// No routine backup when one is younger than this.
constexpr std::chrono::seconds MinInterval{3600};
// The routine backups kept; older ones are removed after a new one.
constexpr std::size_t Keep = 10;
} // namespace BackupRules

// The backup folder of a data folder (with its trailing separator):
// DataFolder + "Backup".
std::string BackupFolderOf(const std::string& DataFolder);

// "bvdb-YYYYMMDD-HHMMSS.s3db" for the local time of When.
std::string BackupFileName(TBackupTime When);

struct TBackupFile {
    std::string Path;
    TBackupTime Time; // the moment its name says
};

// The routine backups in Folder (files named as BackupFileName makes
// them), newest first; none when the folder does not exist.
std::vector<TBackupFile> ListBackups(const std::string& Folder);

// Copies the database at Database into the new file Target, which must not
// exist (EBackupError FileProblem, nothing touched, when it does): through a
// temporary file beside Target, which must pass the check before it is
// renamed to Target. The copy uses the rollback journal, so that it is one
// file with nothing beside it. A database that is missing, unreadable or
// damaged, or whose copy fails the check, raises DatabaseProblem; a file
// that cannot be written FileProblem. On any failure nothing is left behind.
void WriteBackup(const std::string& Database, const std::string& Target);

struct TFolderBackup {
    bool Made = false;                // false: a backup younger than the interval is there
    std::string Path;                 // the new backup, or the one that made it unnecessary
    std::vector<std::string> Removed; // older backups removed to keep the newest ones
};

// A routine backup of Database into Folder (created when missing, but not
// the folder it lies in) at the moment Now: none when Hourly and a backup
// of the last MinInterval is there (one whose time lies after Now does not
// count). After a new backup is in place the routine backups beyond the
// Keep newest are removed, and so are the temporary files of backups that
// never finished, once they are MinInterval old by their file time. Raises
// EBackupError as WriteBackup; a backup that cannot be removed raises
// FileProblem after the new one is in place.
TFolderBackup BackupIntoFolder(const std::string& Database, const std::string& Folder, TBackupTime Now,
                               bool Hourly = true);

// The newest backup in Folder that passes the check; nothing when none does.
std::optional<TBackupFile> NewestSoundBackup(const std::string& Folder);

// ---------------------------------------------------------------- restoring

struct TRestore {
    // The name the file that was at Database is kept under (with its
    // "-wal", "-shm" or "-journal" beside it, if it had any):
    // Database + ".damaged-YYYYMMDD-HHMMSS" when it did not pass the check,
    // ".replaced-YYYYMMDD-HHMMSS" when it did ("-2", "-3", ... added when
    // that name is taken). "" when nothing was there.
    std::string KeptAs;
};

// Puts a copy of the backup Backup at Database. The backup must pass the
// check (DatabaseProblem otherwise; a missing one is FileProblem). The copy
// is made beside Database under a temporary name and checked; then the
// current file and its side files are renamed aside (never removed, never
// replacing anything), the copy is renamed into place and checked again.
// When a step fails, what was moved is moved back and EBackupError says
// why. Nobody may have Database open meanwhile.
TRestore RestoreDatabase(const std::string& Backup, const std::string& Database, TBackupTime Now);
