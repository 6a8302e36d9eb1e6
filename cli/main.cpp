#include "cli/CliCommand.h"
#ifdef BV_WITH_REPORT
#include "cli/CmdReport.h"
#endif

#include <iostream>

int main(int argc, char** argv) {
#ifdef BV_WITH_REPORT
    cli::RegisterCommand(cli::ReportCommand);
#endif
    std::vector<std::string> Args(argv + 1, argv + argc);
    return cli::Main(Args, std::cout, std::cerr);
}
