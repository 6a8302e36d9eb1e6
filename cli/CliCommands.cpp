#include "cli/CliCommand.h"

namespace cli {

extern const Command InitDbCommand;      // CmdData.cpp
extern const Command InstallDataCommand; // CmdData.cpp

const std::vector<Command>& Commands() {
    static const std::vector<Command> Table = {
        InitDbCommand,
        InstallDataCommand,
    };
    return Table;
}

} // namespace cli
