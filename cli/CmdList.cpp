// list: the IDs of the buildings, one a line, in ID order.
#include "cli/CliDatabase.h"
#include "db/Dataset.h"

#include <ostream>

namespace cli {

namespace {

int RunList(const Options& Opts, const std::vector<std::string>& Args) {
    if (!Args.empty()) {
        throw EUsage("list takes no arguments");
    }
    return WithDatabase(Opts, [&Opts](TDataModuleBVDBConnect& Connection) {
        TQuery Q(Connection.ZConnectionBVDB(), "SELECT ID FROM Buildings ORDER BY ID");
        Q.Open();
        for (Q.First(); !Q.Eof(); Q.Next()) {
            *Opts.Out << Q.FieldByName("ID").AsString() << '\n';
        }
        return static_cast<int>(ExitOk);
    });
}

} // namespace

extern const Command ListCommand;
const Command ListCommand = {"list", "  building IDs, one a line, in ID order", RunList};

} // namespace cli
