#include "cli/CliCommand.h"

namespace cli {

extern const Command InitDbCommand;      // CmdData.cpp
extern const Command InstallDataCommand; // CmdData.cpp
extern const Command ListCommand;        // CmdList.cpp
extern const Command CalcCommand;        // CmdCalc.cpp
extern const Command ShowCommand;        // CmdCalc.cpp

const std::vector<Command>& Commands() {
    static const std::vector<Command> Table = {
        InitDbCommand,
        InstallDataCommand,
        ListCommand,
        CalcCommand,
        ShowCommand,
    };
    return Table;
}

} // namespace cli
