// Runs braskvalla-cli in-process through cli::Main and keeps what it wrote.
#pragma once

#include "cli/CliCommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace bvtest {

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

inline TRun RunCli(const std::vector<std::string>& Args) {
    std::ostringstream Out;
    std::ostringstream Err;
    const int Code = cli::Main(Args, Out, Err);
    return {Code, Out.str(), Err.str()};
}

// The same with "--db Db" in front of Args.
inline TRun RunCliOn(const std::string& Db, std::vector<std::string> Args) {
    Args.insert(Args.begin(), {"--db", Db});
    return RunCli(Args);
}

} // namespace bvtest
