#include "cli/CliDatabase.h"

#include <cstdlib>
#include <ostream>

namespace cli {

std::unique_ptr<TDataModuleBVDBConnect> ConnectDatabase(const Options& Opts) {
    if (Opts.DbFile) {
        return TDataModuleBVDBConnect::OpenFile(*Opts.DbFile);
    }
    if (Opts.DataDir) {
#ifdef _WIN32
        _putenv_s("BRASKVALLA_DATA_DIR", Opts.DataDir->c_str());
#else
        setenv("BRASKVALLA_DATA_DIR", Opts.DataDir->c_str(), 1);
#endif
    }
    return std::make_unique<TDataModuleBVDBConnect>();
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
