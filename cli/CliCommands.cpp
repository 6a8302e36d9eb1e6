#include "cli/CliCommand.h"

namespace cli {

extern const Command InitDbCommand;      // CmdData.cpp
extern const Command InstallDataCommand; // CmdData.cpp
extern const Command ListCommand;        // CmdList.cpp

const std::vector<Command>& Commands() {
    static const std::vector<Command> Table = {
        InitDbCommand,
        InstallDataCommand,
        ListCommand,
    };
    return Table;
}

} // namespace cli
