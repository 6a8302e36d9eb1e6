#include "cli/CliCommand.h"

namespace cli {

extern const Command InitDbCommand;      // CmdData.cpp
extern const Command InstallDataCommand; // CmdData.cpp
extern const Command ListCommand;        // CmdList.cpp
extern const Command CalcCommand;        // CmdCalc.cpp
extern const Command ShowCommand;        // CmdCalc.cpp
extern const Command ExportCommand;          // CmdExchange.cpp
extern const Command ImportCommand;          // CmdExchange.cpp
extern const Command ExportMaterialsCommand; // CmdExchange.cpp
extern const Command ImportMaterialsCommand; // CmdExchange.cpp

const std::vector<Command>& Commands() {
    static const std::vector<Command> Table = {
        InitDbCommand,
        InstallDataCommand,
        ListCommand,
        CalcCommand,
        ShowCommand,
        ExportCommand,
        ImportCommand,
        ExportMaterialsCommand,
        ImportMaterialsCommand,
    };
    return Table;
}

} // namespace cli
