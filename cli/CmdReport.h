// The report command of braskvalla-cli; registered by the executable, so
// that the other commands (and their tests) do without Qt.
#pragma once

#include "cli/CliCommand.h"

namespace cli {
extern const Command ReportCommand;
}
