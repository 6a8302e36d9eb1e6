#include "cli/CliDatabase.h"

#include "data/UnitBVDir.h"
#include "data/UnitBackup.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace cli {

namespace {

void UseDataDir(const Options& Opts) {
    if (Opts.DataDir) {
#ifdef _WIN32
        _putenv_s("BRASKVALLA_DATA_DIR", Opts.DataDir->c_str());
#else
        setenv("BRASKVALLA_DATA_DIR", Opts.DataDir->c_str(), 1);
#endif
    }
}

} // namespace

std::unique_ptr<TDataModuleBVDBConnect> ConnectDatabase(const Options& Opts) {
    if (Opts.DbFile) {
        return TDataModuleBVDBConnect::OpenFile(*Opts.DbFile);
    }
    UseDataDir(Opts);
    return std::make_unique<TDataModuleBVDBConnect>();
}

std::string DatabasePathOf(const Options& Opts) {
    if (Opts.DbFile) {
        return *Opts.DbFile;
    }
    UseDataDir(Opts);
    return TDataModuleBVDBConnect::ConfiguredDatabasePath();
}

void BackupBeforeWriting(const Options& Opts) {
    // The backup folder holds the backups of the data folder's database
    // only, so that restoring the newest one never brings back another
    // database.
    if (Opts.DbFile) {
        return;
    }
    std::string Database;
    try {
        Database = DatabasePathOf(Opts);
    } catch (const EDatabaseError&) {
        return; // the connection reports it
    }
    std::error_code Ec;
    if (!std::filesystem::exists(std::filesystem::path(Database), Ec)) {
        return;
    }
    try {
        const TFolderBackup B = BackupIntoFolder(Database, BackupFolderOf(GetDataFolder()),
                                                 std::chrono::system_clock::now());
        if (B.Made) {
            *Opts.Err << "braskvalla-cli: backup of the database: " << B.Path << '\n';
        }
    } catch (const EBackupError& E) {
        *Opts.Err << "braskvalla-cli: warning: no backup was made before writing: " << E.what() << '\n';
    }
}

int WithDatabase(const Options& Opts, const std::function<int(TDataModuleBVDBConnect&)>& Body) {
    std::unique_ptr<TDataModuleBVDBConnect> Connection;
    try {
        Connection = ConnectDatabase(Opts);
    } catch (const EDatabaseError& E) {
        *Opts.Err << "braskvalla-cli: " << E.what() << '\n';
        return ExitDatabase;
    }
    if (!Connection->MigrationError().empty()) {
        *Opts.Err << "braskvalla-cli: warning: the migration script failed and was kept for the next start: "
                  << Connection->MigrationError() << '\n';
    }
    if (!Connection->MigrationNotice().empty()) {
        *Opts.Err << "braskvalla-cli: warning: " << Connection->MigrationNotice() << '\n';
    }
    try {
        return Body(*Connection);
    } catch (const EDatabaseError& E) {
        *Opts.Err << "braskvalla-cli: database '" << Connection->DatabasePath() << "': " << E.what() << '\n';
        return ExitDatabase;
    }
}

} // namespace cli
