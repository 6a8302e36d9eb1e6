#include "cli/CliCommand.h"

#include "calc/MathError.h"
#include "db/Database.h"

#include <algorithm>
#include <exception>
#include <ostream>

namespace cli {

namespace {

void PrintUsage(std::ostream& Out) {
    Out << "Usage: braskvalla-cli [--db FILE | --data-dir DIR] COMMAND [ARGS]\n"
           "\n"
           "Runs the Braskvalla calculation core without the desktop window.\n"
           "\n"
           "Options:\n"
           "  --db FILE        open the database FILE directly (no connection file,\n"
           "                   no migration script)\n"
           "  --data-dir DIR   use DIR as the data folder (as BRASKVALLA_DATA_DIR does)\n"
           "  --help           show this text\n"
           "\n"
           "Commands:\n";
    // A synopsis is the arguments, two spaces and a description; the
    // descriptions line up in one column unless they start on a line of
    // their own.
    constexpr size_t kColumn = 36;
    for (const Command& C : Commands()) {
        const std::string Synopsis = C.Synopsis;
        const size_t Split = std::min(Synopsis.find("  "), Synopsis.find('\n'));
        std::string Head = std::string("  ") + C.Name + ' ' + Synopsis.substr(0, Split);
        std::string Rest = Split == std::string::npos ? std::string() : Synopsis.substr(Split);
        if (!Rest.empty() && Rest[0] != '\n') {
            Rest.erase(0, Rest.find_first_not_of(' '));
            Head.resize(std::max(Head.size() + 1, kColumn), ' ');
        }
        Out << Head << Rest << '\n';
    }
    Out << "\n"
           "Exit codes: 0 done, 1 usage, 2 calculation error, 3 file or format error,\n"
           "4 database error.\n";
}

// Parses the arguments and runs the command; the exit code.
int Run(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
    Options Opts;
    Opts.Out = &Out;
    Opts.Err = &Err;
    size_t i = 0;
    try {
        for (; i < Args.size(); ++i) {
            const std::string& A = Args[i];
            if (A == "--help" || A == "-h") {
                PrintUsage(Out);
                return ExitOk;
            }
            if (A == "--db" || A == "--data-dir") {
                if (i + 1 >= Args.size()) {
                    throw EUsage(A + " needs a value");
                }
                (A == "--db" ? Opts.DbFile : Opts.DataDir) = Args[++i];
                continue;
            }
            if (A.rfind("--db=", 0) == 0) {
                Opts.DbFile = A.substr(5);
                continue;
            }
            if (A.rfind("--data-dir=", 0) == 0) {
                Opts.DataDir = A.substr(11);
                continue;
            }
            if (!A.empty() && A[0] == '-') {
                throw EUsage("unknown option " + A);
            }
            break;
        }
        if (Opts.DbFile && Opts.DataDir) {
            throw EUsage("--db and --data-dir exclude each other");
        }
        if (i >= Args.size()) {
            throw EUsage("no command given");
        }
        const std::string& Name = Args[i];
        for (const Command& C : Commands()) {
            if (Name == C.Name) {
                const std::vector<std::string> Rest(Args.begin() + static_cast<long>(i) + 1, Args.end());
                return C.Run(Opts, Rest);
            }
        }
        throw EUsage("unknown command " + Name);
    } catch (const EUsage& E) {
        Err << "braskvalla-cli: " << E.what() << "\nTry 'braskvalla-cli --help'.\n";
        return ExitUsage;
    } catch (const EDatabaseError& E) {
        Err << "braskvalla-cli: database error: " << E.what() << '\n';
        return ExitDatabase;
    } catch (const EMathError& E) {
        Err << "braskvalla-cli: calculation error: " << E.what() << '\n';
        return ExitCalc;
    } catch (const EInputError& E) {
        Err << "braskvalla-cli: calculation error: " << E.what() << '\n';
        return ExitCalc;
    } catch (const std::exception& E) {
        // Whatever a command did not handle itself ends here rather than
        // terminating the process; reading or writing files is what is left.
        Err << "braskvalla-cli: " << E.what() << '\n';
        return ExitFile;
    }
}

} // namespace

int Main(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
    const int Code = Run(Args, Out, Err);
    // Results that never arrived (a full disk, a closed pipe) are no
    // success; a failure the command reported itself keeps its own code.
    Out.flush();
    if (!Out) {
        Err << "braskvalla-cli: the output could not be written\n";
        return Code == ExitOk ? ExitFile : Code;
    }
    return Code;
}

} // namespace cli
