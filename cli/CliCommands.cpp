#include "cli/CliCommand.h"

namespace cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> Table = {};
    return Table;
}

} // namespace cli
