// verdin-cli as the services' front end: the text screen streamed to stdout, value
// input answered from --input and stdin, files named relative to the program.
#include <sstream>

#include "cli/cli.h"
#include "service_test_support.h"

namespace verdin::test {
namespace {

struct CliResult {
    int code;
    std::string out;
    std::string err;
};

class CliServices : public ::testing::Test {
protected:
    TempFolder folder;

    CliResult run(const std::vector<std::string>& program, std::vector<std::string> args, const std::string& stdinText = "") {
        std::string text;
        for (const std::string& line : program) text += line + "\n";
        writeFile(folder.file("prog.asm"), text);
        args.insert(args.begin() + 1, folder.file("prog.asm"));
        std::istringstream in(stdinText);
        std::ostringstream out, err;
        const int code = cli::run(args, in, out, err);
        return {code, out.str(), err.str()};
    }
};

const std::vector<std::string> kAskTwice = {
    "        LXI H,BUF", "        MVI A,0", "        MVI B,1", "        RST 7", "        MVI B,0", "        RST 7",
    "        LXI H,CR",  "        RST 7",   "        LXI H,BUF", "        MVI B,1", "        RST 7",  "        MVI B,0",
    "        RST 7",     "        HLT",     "BUF:    DS 40",    "CR:     DB 13,0"};

TEST_F(CliServices, StreamsTheScreenWithLineBreaksAndFormFeeds) {
    CliResult r = run({"        LXI H,MSG", "        MVI A,0", "        MVI B,0", "        RST 7", "        LXI H,NUM",
                       "        MVI A,1", "        RST 7", "        HLT", "MSG:    DB 'one',13,'two',1,'three ',0",
                       "NUM:    DB 01H,25H,00H,01H"},
                      {"run"});
    EXPECT_EQ(r.out, "one\ntwo\fthree 1.250000e+001\n");
    EXPECT_EQ(r.code, 0) << r.err;
}

TEST_F(CliServices, AnswersInputFromTheQueueThenFromStdinWithoutPrompting) {
    CliResult r = run(kAskTwice, {"run", "--input", "first"}, "second\r\nunused\n");
    EXPECT_EQ(r.out, "first\nsecond\n");
    EXPECT_EQ(r.err.find("Input value"), std::string::npos) << r.err;
}

TEST_F(CliServices, EndOfInputCancelsAndLeavesMemoryAsItWas) {
    CliResult r = run(kAskTwice, {"run", "--input", "only"}, "");
    EXPECT_EQ(r.out, "only\nonly\n");
    EXPECT_EQ(r.code, 0);
}

TEST_F(CliServices, ProgramsFindTheirFilesBesideThemWhereverTheToolRuns) {
    writeFile(folder.file("data.txt"), "found it");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    CliResult r = run({"        LXI H,NAME", "        MVI A,'O'", "        RST 6", "        LXI H,BUF", "        LXI D,8",
                       "        MVI A,'R'", "        RST 6", "        MVI A,0", "        MVI B,0", "        RST 7",
                       "        HLT", "NAME:   DB 'data.txt',0", "BUF:    DS 10"},
                      {"run"});
    std::filesystem::current_path(cwd);
    EXPECT_EQ(r.out, "found it\n");
    EXPECT_EQ(r.err.find("Error"), std::string::npos) << r.err;
}

TEST_F(CliServices, ServiceErrorsAreErrorLinesAndTheProgramGoesOn) {
    CliResult r = run({"        LXI H,NAME", "        MVI A,'O'", "        RST 6", "        LXI H,MSG", "        MVI A,0",
                       "        MVI B,0", "        RST 7", "        HLT", "NAME:   DB 'nothing.here',0",
                       "MSG:    DB 'after',0"},
                      {"run"});
    EXPECT_NE(r.err.find("Error: File was not found.\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "after\n");
    EXPECT_EQ(r.code, cli::ProgramFault);
}

TEST_F(CliServices, TheCircleExampleShowsItsAreaBothWays) {
    std::istringstream in;
    std::ostringstream out, err;
    const int code = cli::run({"run", std::string(VERDIN_SOURCE_DIR) + "/examples/services_circle.asm"}, in, out, err);
    EXPECT_EQ(out.str(), "Area of a circle of radius 2.5\nas stored = 1.963500e+001\nwhole part = 19\n");
    EXPECT_EQ(code, 0) << err.str();
}

}  // namespace
}  // namespace verdin::test
