// --break and --over: the debug window's breakpoints and Step over without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;

class CliBreak : public ::testing::Test {
protected:
    fs::path file = fs::temp_directory_path() /
                    ("verdin-cli-break-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".asm");

    void TearDown() override { fs::remove(file); }

    struct Outcome {
        int status;
        std::string out;
        std::string err;
    };
    Outcome cli(const std::string& program, std::vector<std::string> args) {
        std::ofstream(file, std::ios::binary) << program;
        args.insert(args.begin() + 1, file.string());
        std::istringstream in;
        std::ostringstream out, err;
        const int status = cli::run(args, in, out, err);
        return {status, out.str(), err.str()};
    }
};

const char* const kProgram =
    "  mvi b,2\n"        // 0
    "loop: call add\n"   // 1
    "  dcr b\n"          // 2
    "  jnz loop\n"       // 3
    "  hlt\n"            // 4
    "add: inr a\n"       // 5
    "  ret\n";           // 6

TEST_F(CliBreak, RunStopsBeforeTheFirstBreakpointReachedWithoutAMessage) {
    auto run = cli(kProgram, {"run", "--break", "2", "--break", "5", "--state"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Information: Compile successful 12 byte(s)\n");
    EXPECT_NE(run.out.find("\"A\":0,"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"PC\":10,"), std::string::npos) << "the address of line 5";
    EXPECT_NE(run.out.find("\"status\":18"), std::string::npos);
    EXPECT_NE(run.out.find("\"line\":4"), std::string::npos) << "the line before it, as Stop leaves it";

    auto bad = cli(kProgram, {"run", "--break", "250"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("out of range 0-249"), std::string::npos);
}

TEST_F(CliBreak, StepOverRunsCallsWholeUnlessABreakpointIsInside) {
    auto over = cli(kProgram, {"step", "--over", "--count", "3", "--state"});
    EXPECT_EQ(over.status, 0);
    EXPECT_NE(over.out.find("\"A\":1,\"B\":1,"), std::string::npos) << over.out;
    EXPECT_NE(over.out.find("\"nextLine\":3"), std::string::npos) << "the line after the call's, after DCR";
    auto plain = cli(kProgram, {"step", "--count", "3", "--state"});
    EXPECT_NE(plain.out.find("\"A\":1,\"B\":2,"), std::string::npos) << "Step enters the subroutine" << plain.out;
    auto stopped = cli(kProgram, {"step", "--over", "--count", "2", "--break", "6", "--state"});
    EXPECT_NE(stopped.out.find("\"A\":1,\"B\":2,"), std::string::npos) << stopped.out;
    EXPECT_NE(stopped.out.find("\"status\":18"), std::string::npos);
}

}  // namespace
}  // namespace verdin
