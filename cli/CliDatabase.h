// How a command of braskvalla-cli gets its database connection.
#pragma once

#include "cli/CliCommand.h"
#include "data/UnitBVDBConnect.h"

#include <functional>
#include <memory>

namespace cli {

// --db FILE opens FILE directly (no connection file, no migration script).
// Otherwise the data folder is --data-dir DIR (which then also becomes
// BRASKVALLA_DATA_DIR for the process) or what the environment says, and the
// connection module connects as the desktop application does: through the
// connection file, running a pending migration script. Raises
// EDatabaseError naming the path and the problem; never creates a database.
std::unique_ptr<TDataModuleBVDBConnect> ConnectDatabase(const Options& Opts);

// The database a command works on without connecting to it (backup, check,
// restore): --db FILE, or the one the data folder's connection file names
// (--data-dir DIR then also becomes BRASKVALLA_DATA_DIR). Creates nothing;
// raises EDatabaseError when the connection file cannot be read.
std::string DatabasePathOf(const Options& Opts);

// The routine backup before a command that writes many rows (import), of
// the data folder's database into its Backup folder, at most one an hour:
// with --db, or when there is no database yet, there is nothing to do. A
// backup that is made is named on Opts.Err; one that fails is a warning
// there, and the command goes on.
void BackupBeforeWriting(const Options& Opts);

// Connects and runs Body. A database failure, while connecting or in Body,
// is reported on Opts.Err ("braskvalla-cli: " and a message naming the
// database and the problem) and gives ExitDatabase. A failed migration
// script, and one that ran but cannot be removed, are reported as warnings;
// the command still runs. Other exceptions pass on.
int WithDatabase(const Options& Opts, const std::function<int(TDataModuleBVDBConnect&)>& Body);

} // namespace cli
