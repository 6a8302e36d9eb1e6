// backup, check, restore: a copy of the database on demand, its check, and
// putting a backup in its place. None of them connects as the application
// does (no migration script, no connection file written): they work on the
// database file itself.
#include "cli/CliDatabase.h"
#include "data/UnitBVDir.h"
#include "data/UnitBackup.h"

#include <chrono>
#include <ostream>

namespace cli {

namespace {

int ExitCodeOf(const EBackupError& E) {
    return E.Kind() == EBackupError::DatabaseProblem ? ExitDatabase : ExitFile;
}

// Runs Body on the database path of the command; its failures are
// reported and give their exit codes.
template <class TBody> int OnDatabase(const Options& Opts, const TBody& Body) {
    try {
        return Body(DatabasePathOf(Opts));
    } catch (const EBackupError& E) {
        *Opts.Err << "braskvalla-cli: " << E.what() << '\n';
        return ExitCodeOf(E);
    } catch (const EDatabaseError& E) {
        *Opts.Err << "braskvalla-cli: " << E.what() << '\n';
        return ExitDatabase;
    }
}

int RunBackup(const Options& Opts, const std::vector<std::string>& Args) {
    const std::vector<std::string> Plain = PlainArgs("backup", Args);
    if (Plain.size() > 1) {
        throw EUsage("backup takes at most one FILE");
    }
    if (Plain.empty() && Opts.DbFile) {
        throw EUsage("backup: the backup folder is the data folder's; with --db give the FILE to write");
    }
    return OnDatabase(Opts, [&](const std::string& Database) {
        std::string Written;
        if (!Plain.empty()) {
            WriteBackup(Database, Plain.front());
            Written = Plain.front();
        } else {
            Written = BackupIntoFolder(Database, BackupFolderOf(GetDataFolder()), std::chrono::system_clock::now(),
                                       false)
                          .Path;
        }
        *Opts.Out << Written << '\n';
        return static_cast<int>(ExitOk);
    });
}

int RunCheck(const Options& Opts, const std::vector<std::string>& Args) {
    if (!PlainArgs("check", Args).empty()) {
        throw EUsage("check takes no arguments; --db FILE chooses another database");
    }
    return OnDatabase(Opts, [&](const std::string& Database) {
        const TDatabaseCheck C = CheckDatabaseFile(Database);
        *Opts.Out << DescribeCheck(Database, C) << '\n';
        return static_cast<int>(C.State == TDatabaseCheck::Sound ? ExitOk : ExitDatabase);
    });
}

int RunRestore(const Options& Opts, const std::vector<std::string>& Args) {
    const std::vector<std::string> Plain = PlainArgs("restore", Args);
    if (Plain.size() != 1) {
        throw EUsage("restore needs one BACKUPFILE");
    }
    return OnDatabase(Opts, [&](const std::string& Database) {
        const TRestore R = RestoreDatabase(Plain.front(), Database, std::chrono::system_clock::now());
        if (!R.KeptAs.empty()) {
            *Opts.Out << "Kept the previous file as " << R.KeptAs << '\n';
        }
        *Opts.Out << "Restored " << Database << " from " << Plain.front() << '\n';
        return static_cast<int>(ExitOk);
    });
}

} // namespace

extern const Command BackupCommand;
extern const Command CheckCommand;
extern const Command RestoreCommand;

const Command BackupCommand = {
    "backup",
    "[FILE]\n"
    "      copy the database into the new file FILE or, without FILE, into Backup/\n"
    "      of the data folder as bvdb-YYYYMMDD-HHMMSS.s3db, keeping the ten newest\n"
    "      there; prints the path. The copy must pass the check.",
    RunBackup};
const Command CheckCommand = {
    "check", "  check the database (quick_check, the tables); exit 0 sound, 4 damaged", RunCheck};
const Command RestoreCommand = {
    "restore",
    "BACKUPFILE\n"
    "      replace the database by a copy of a backup that passes the check; the\n"
    "      current file is kept beside it as NAME.damaged-YYYYMMDD-HHMMSS (or\n"
    "      .replaced-... when it was sound), never removed",
    RunRestore};

} // namespace cli
