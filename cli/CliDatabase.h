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

// Connects and runs Body. A database failure, while connecting or in Body,
// is reported on Opts.Err ("braskvalla-cli: " and a message naming the
// database and the problem) and gives ExitDatabase. A failed migration
// script, and one that ran but cannot be removed, are reported as warnings;
// the command still runs. Other exceptions pass on.
int WithDatabase(const Options& Opts, const std::function<int(TDataModuleBVDBConnect&)>& Body);

} // namespace cli
