// init-db and install-data: a new database, and a data folder filled with
// what the application needs to start.
#include "cli/CliCommand.h"
#include "cli/InstallData.h"

#include "data/UnitBVDir.h"
#include "data/UnitInitDB.h"

#include <filesystem>
#include <ostream>

namespace fs = std::filesystem;

namespace cli {

namespace {

int ExitCodeOf(const ECreateDatabase& E) {
    return E.Kind() == ECreateDatabase::SqlError ? ExitDatabase : ExitFile;
}

int RunInitDb(const Options& Opts, const std::vector<std::string>& Args) {
    if (Args.size() != 1) {
        throw EUsage("init-db needs exactly one argument, the new database file");
    }
    try {
        CreateDatabase(Args[0]);
    } catch (const ECreateDatabase& E) {
        *Opts.Err << "braskvalla-cli: " << E.what() << '\n';
        return ExitCodeOf(E);
    }
    *Opts.Out << "Created the database " << Args[0] << '\n';
    return ExitOk;
}

int RunInstallData(const Options& Opts, const std::vector<std::string>& Args) {
    if (Args.size() > 1) {
        throw EUsage("install-data takes at most one argument, the data folder");
    }
    if (Opts.DbFile) {
        throw EUsage("install-data fills a data folder; --db does not apply");
    }
    if (Args.size() == 1 && Opts.DataDir && fs::path(Args[0]) != fs::path(*Opts.DataDir)) {
        throw EUsage("install-data: the folder is given twice, as DIR and as --data-dir");
    }
    std::string Dir;
    if (!Args.empty()) {
        Dir = Args[0];
    } else if (Opts.DataDir) {
        Dir = *Opts.DataDir;
    } else {
        Dir = GetDataFolder();
    }
    if (Dir.empty()) {
        throw EUsage("install-data: the data folder name is empty");
    }
    try {
        InstallData(Dir, [&](const std::string& Line) { *Opts.Out << Line << '\n'; });
    } catch (const EInstall& E) {
        *Opts.Err << "braskvalla-cli: " << E.what() << '\n';
        return E.Code();
    }
    return ExitOk;
}

} // namespace

extern const Command InitDbCommand;
extern const Command InstallDataCommand;

const Command InitDbCommand = {"init-db", "FILE  new database with schema and predefined data", RunInitDb};
const Command InstallDataCommand = {
    "install-data", "[DIR]  create the data folder if absent and fill it (never replaces a database)",
    RunInstallData};

} // namespace cli
