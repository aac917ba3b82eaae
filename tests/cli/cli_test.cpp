// verdin-cli's output is a contract other tools parse: messages, exit statuses,
// listings and the --state object are compared exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
protected:
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() / ("verdin-cli-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::string& text) {
        fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    static Outcome cli(std::vector<std::string> args, const std::string& input = "") {
        std::istringstream in(input);
        std::ostringstream out, err;
        int status = cli::run(args, in, out, err);
        return {status, out.str(), err.str()};
    }
    static std::string readBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
};

TEST_F(Cli, CompileReportsOnStderrWithExitStatus) {
    auto ok = cli({"compile", write("ok.asm", "start: mvi a,5\r\n  jmp start\r\n")});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.err, "Information: Compile successful 5 byte(s)\n");
    EXPECT_EQ(ok.out, "");

    auto bad = cli({"compile", write("bad.asm", "nop\nnop\nmovx a,b\n")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "Error: Invalid command at string 3. CPU command was typed with an error.\n");
}

TEST_F(Cli, UsageAndFileErrorsExitWithTwo) {
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"frobnicate", "x.asm"}).status, 2);
    EXPECT_EQ(cli({"compile"}).status, 2);
    auto missing = cli({"compile", (dir / "missing.asm").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("missing.asm"), std::string::npos);
    std::string file = write("p.asm", "nop\n");
    EXPECT_EQ(cli({"run", file, "--in", "16=1"}).status, 2);
    EXPECT_EQ(cli({"run", file, "--in", "3=256"}).status, 2);
    EXPECT_EQ(cli({"run", file, "--memory", "16380:10"}).status, 2);
    EXPECT_EQ(cli({"run", file, "--bogus"}).status, 2);
}

TEST_F(Cli, SaveCodeWritesTheImageOnlyOnSuccess) {
    std::string good = write("prog.asm", "  mvi a,1\n  db 'AB'\n");
    auto saved = cli({"save-code", good});
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(readBytes(dir / "prog.dat"), std::string("\x3E\x01" "AB", 4));

    std::string other = (dir / "out.bin").string();
    EXPECT_EQ(cli({"save-code", good, "-o", other}).status, 0);
    EXPECT_TRUE(fs::exists(other));

    std::string bad = write("bad.asm", "  mvi a,300\n");
    EXPECT_EQ(cli({"save-code", bad}).status, 1);
    EXPECT_FALSE(fs::exists(dir / "bad.dat"));
}

TEST_F(Cli, ListingShowsAddressesBytesAndLabels) {
    auto listing = cli({"listing", write("l.asm", "loop:   mvi a,5 ; five\n        jmp loop\ntext:   db 'ABCDE'\n")});
    EXPECT_EQ(listing.status, 0);
    EXPECT_EQ(listing.out,
              "0000  3E 05       loop:   mvi a,5 ; five\n"
              "0002  C3 00 00            jmp loop\n"
              "0005  41 42 43 44 text:   db 'ABCDE'\n"
              "0009  45\n"
              "\n"
              "Labels:\n"
              "LOOP    0000\n"
              "TEXT    0005\n");
}

TEST_F(Cli, RunPrintsTheStateAsOneJsonObject) {
    auto run = cli({"run", write("r.asm", "  in 2\n  out 15\n  mvi b,7\n  stc\n  hlt\n  mvi b,9\n"), "--in", "2=0x2A",
                    "--state", "--memory", "0:3"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Information: Compile successful 10 byte(s)\nInformation: Program interrupted by user\n");
    EXPECT_EQ(run.out,
              "{\"A\":42,\"B\":7,\"C\":0,\"D\":0,\"E\":0,\"H\":0,\"L\":0,\"F\":1,\"SP\":16382,\"PC\":8,"
              "\"flags\":{\"S\":0,\"Z\":0,\"AC\":0,\"P\":0,\"CY\":1},"
              "\"in\":[0,0,42,0,0,0,0,0,0,0,0,0,0,0,0,0],\"out\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,42],"
              "\"status\":11,\"line\":4,\"screen\":[],\"memory\":{\"0\":[219,2,211]}}\n");
}

TEST_F(Cli, RunFaultExitsWithOne) {
    auto run = cli({"run", write("f.asm", "  nop\n  ret\n"), "--state"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error: Ret without Call at string 1."), std::string::npos);
    EXPECT_NE(run.out.find("\"status\":8"), std::string::npos);
}

TEST_F(Cli, MaxLinesStopsLikeTheStopButton) {
    auto run = cli({"run", write("loop.asm", "loop: inr b\n  jmp loop\n"), "--max-lines", "5", "--state"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"B\":3,"), std::string::npos);
    EXPECT_NE(run.out.find("\"status\":11"), std::string::npos);
    EXPECT_NE(run.out.find("\"PC\":1,"), std::string::npos);
}

TEST_F(Cli, StepFollowsTheDebugWindowsSelection) {
    std::string file = write("s.asm", "  mvi a,1\n  jmp two\n  mvi a,9\ntwo: inr a\n  inr a\n");
    auto one = cli({"step", file, "--state"});
    EXPECT_NE(one.out.find("\"A\":1,"), std::string::npos);
    EXPECT_NE(one.out.find("\"nextLine\":1"), std::string::npos);
    auto three = cli({"step", file, "--count", "3", "--state"});
    EXPECT_NE(three.out.find("\"A\":2,"), std::string::npos);
    EXPECT_NE(three.out.find("\"line\":3"), std::string::npos);
    EXPECT_NE(three.out.find("\"nextLine\":4"), std::string::npos);
    // After a jump the selection is the jump's target, not the line before it.
    auto jumped = cli({"step", file, "--count", "2", "--state"});
    EXPECT_NE(jumped.out.find("\"nextLine\":3"), std::string::npos);
    // Stepping stops once the selection would pass the last line.
    auto all = cli({"step", file, "--count", "50", "--state"});
    EXPECT_NE(all.out.find("\"A\":3,"), std::string::npos);
    auto from = cli({"step", file, "--from", "2", "--count", "1", "--state"});
    EXPECT_NE(from.out.find("\"A\":9,"), std::string::npos);
    EXPECT_NE(from.out.find("\"PC\":7,"), std::string::npos);
}

}  // namespace
}  // namespace verdin
