// verdin-cli --intel: run and step under the Intel 8080 rules, named in the state.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;

std::string runCli(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    cli::run(args, in, out, err);
    return out.str();
}

class IntelOption : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() /
                   ("verdin-intel-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream((dir / name).string(), std::ios::binary) << text;
        return (dir / name).string();
    }
};

bool holds(const std::string& out, const std::string& part) { return out.find(part) != std::string::npos; }

TEST_F(IntelOption, RunGivesTheProcessorsResultsAndDefaultStaysAsBefore) {
    std::string sub = write("sub.asm", "  mvi a,3\n  sui 5\n  hlt\n");
    std::string bcd = write("bcd.asm", "  mvi a,90h\n  adi 90h\n  daa\n  hlt\n");

    std::string out = runCli({"run", "--intel", sub, "--state"});
    EXPECT_TRUE(holds(out, "\"A\":254,")) << out;
    EXPECT_TRUE(holds(out, "\"flags\":{\"S\":1,\"Z\":0,\"AC\":0,\"P\":0,\"CY\":1}")) << out;
    EXPECT_TRUE(holds(out, "\"rules\":\"intel8080\"")) << out;
    out = runCli({"run", bcd, "--intel", "--state"});
    EXPECT_TRUE(holds(out, "\"A\":128,")) << out;
    EXPECT_TRUE(holds(out, "\"CY\":1}")) << out;

    out = runCli({"run", sub, "--state"});
    EXPECT_TRUE(holds(out, "\"A\":2,")) << out;
    EXPECT_TRUE(holds(out, "\"flags\":{\"S\":0,\"Z\":0,\"AC\":0,\"P\":0,\"CY\":1}")) << out;
    EXPECT_TRUE(holds(out, "\"rules\":\"workbench\"")) << out;
    out = runCli({"run", bcd, "--state"});
    EXPECT_TRUE(holds(out, "\"A\":32,")) << out;
    EXPECT_TRUE(holds(out, "\"CY\":0}")) << out;
}

TEST_F(IntelOption, StepUsesTheRulesToo) {
    std::string program = write("ral.asm", "  stc\n  mvi a,1\n  ral\n  hlt\n");
    std::string out = runCli({"step", program, "--count", "3", "--intel", "--state"});
    EXPECT_TRUE(holds(out, "\"A\":3,")) << out;
    EXPECT_TRUE(holds(out, "\"rules\":\"intel8080\"")) << out;
    out = runCli({"step", program, "--count", "3", "--state"});
    EXPECT_TRUE(holds(out, "\"A\":2,")) << out;
}

}  // namespace
}  // namespace verdin
