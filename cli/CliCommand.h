// The command table of braskvalla-cli: each command is a name, a one-line
// synopsis for the usage text and a function that runs it.
#pragma once

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

enum ExitCode : int {
    ExitOk = 0,
    ExitUsage = 1,
    ExitCalc = 2,
    ExitFile = 3,
    ExitDatabase = 4,
};

struct Options {
    std::optional<std::string> DbFile;  // --db FILE: open this file directly
    std::optional<std::string> DataDir; // --data-dir DIR: the data folder
    // Where a command writes its results and its messages: the streams given
    // to Main (never null while a command runs).
    std::ostream* Out = nullptr;
    std::ostream* Err = nullptr;
};

// Wrong arguments: printed with the usage hint, exit code 1.
class EUsage : public std::runtime_error {
public:
    explicit EUsage(const std::string& Msg) : std::runtime_error(Msg) {}
};

// The arguments that are not options. A command that takes no options
// refuses an argument that looks like one (EUsage) rather than take it for a
// file name or an ID, unless it follows "--".
std::vector<std::string> PlainArgs(const std::string& Command, const std::vector<std::string>& Args);

struct Command {
    const char* Name;
    const char* Synopsis; // arguments and a short description for --help
    int (*Run)(const Options& Opts, const std::vector<std::string>& Args);
};

// All commands, in the order the usage text lists them.
const std::vector<Command>& Commands();
// Adds a command after the built-in ones (the report command, which only
// the executable links, registers itself so). Call before Main.
void RegisterCommand(const Command& C);

// Parses the arguments (without the program name) and runs the command.
// Writes results to Out and messages to Err; returns the exit code. Output
// that cannot be written is reported on Err and turns success into
// ExitFile.
int Main(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);

} // namespace cli
