// What braskvalla-cli does when its results cannot be written: it says so
// and fails, instead of reporting success for output that never arrived.
#include "tests/cli/CliTestSupport.h"
#include "tests/data/DataTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <streambuf>

using namespace bvtest;

namespace {

// A stream buffer that takes nothing, as a full disk or a closed pipe does.
class TFullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TRun RunCliIntoFullOutput(const std::vector<std::string>& Args) {
    TFullBuffer Full;
    std::ostream Out(&Full);
    std::ostringstream Err;
    const int Code = cli::Main(Args, Out, Err);
    return {Code, "", Err.str()};
}

TEST(CliOutput, AnOutputThatCannotBeWrittenIsAFileError) {
    TempDataFolder Data;
    const std::string Path = (Data.Root / "list.s3db").string();
    CreateSchemaDatabase(Path)->Exec("INSERT INTO Buildings (ID) VALUES ('A'), ('B')");
    for (const std::vector<std::string>& Args : {std::vector<std::string>{"--db", Path, "list"},
                                                 std::vector<std::string>{"--help"}}) {
        SCOPED_TRACE(Args.back());
        const TRun R = RunCliIntoFullOutput(Args);
        EXPECT_EQ(R.Code, 3);
        EXPECT_EQ(R.Err, "braskvalla-cli: the output could not be written\n");
    }
    // Nothing to write: nothing failed.
    const std::string Empty = (Data.Root / "empty.s3db").string();
    CreateSchemaDatabase(Empty);
    const TRun R = RunCliIntoFullOutput({"--db", Empty, "list"});
    EXPECT_EQ(R.Code, 0) << R.Err;
    EXPECT_EQ(R.Err, "");
}

// The program itself, its standard output on a full device.
TEST(CliOutput, TheProgramExitsWithThreeWhenStandardOutputIsFull) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "this system has no /dev/full";
    }
    TempDataFolder Data;
    const fs::path Err = Data.Root / "err.txt";
    const std::string Command = std::string("'") + BV_CLI_EXE + "' --help > /dev/full 2> '" + Err.string() + "'";
    const int Status = std::system(Command.c_str());
    ASSERT_TRUE(WIFEXITED(Status)) << Status;
    EXPECT_EQ(WEXITSTATUS(Status), 3);
    EXPECT_EQ(ReadFile(Err), "braskvalla-cli: the output could not be written\n");
}

} // namespace
