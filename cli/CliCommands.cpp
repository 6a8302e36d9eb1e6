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
extern const Command BackupCommand;          // CmdBackup.cpp
extern const Command CheckCommand;           // CmdBackup.cpp
extern const Command RestoreCommand;         // CmdBackup.cpp

namespace {
std::vector<Command>& Registered() {
    static std::vector<Command> R;
    return R;
}
} // namespace

std::vector<std::string> PlainArgs(const std::string& Command, const std::vector<std::string>& Args) {
    std::vector<std::string> Plain;
    bool Options = true;
    for (const std::string& S : Args) {
        if (Options && S == "--") {
            Options = false;
        } else if (Options && S.size() > 1 && S[0] == '-') {
            throw EUsage(Command + ": unknown option " + S);
        } else {
            Plain.push_back(S);
        }
    }
    return Plain;
}

void RegisterCommand(const Command& C) { Registered().push_back(C); }

const std::vector<Command>& Commands() {
    static std::vector<Command> Table;
    Table = {
        InitDbCommand,
        InstallDataCommand,
        ListCommand,
        CalcCommand,
        ShowCommand,
        ExportCommand,
        ImportCommand,
        ExportMaterialsCommand,
        ImportMaterialsCommand,
        BackupCommand,
        CheckCommand,
        RestoreCommand,
    };
    Table.insert(Table.end(), Registered().begin(), Registered().end());
    return Table;
}

} // namespace cli
