// verdin-cli tidy: the report names every change by line, the converted text goes
// to stdout or to -o, and the original file is never touched otherwise. The hint
// line follows its message line.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "scratch_folder.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome cli(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    int status = cli::run(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(TidyCommand, TextToStdoutReportToStderrAndTheFileUntouched) {
    ScratchFolder folder;
    const std::string path = folder.file("kit.asm");
    const std::string original = "        MVI A,3E\r\n\r\n        STA 2050\r\n        RST 1\r\n";
    ScratchFolder::write(path, original);

    Outcome plain = cli({"tidy", path});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, "        MVI A,3E\r\n;\r\n        STA 2050\r\n        RST 1\r\n");
    EXPECT_EQ(plain.err,
              "line 2: empty line -> \";\"\n"
              "line 4: by hand: RST 1 does nothing here: if it ends the program, write HLT\n"
              "still to fix: Error: Invalid operand at string 1. Here are the most likely causes of this error "
              "message: 1) Invalid symbol in operand description; 2) The value of operand is out of range.\n"
              "still to fix: Hint: \"3E\" has letters, so it is no decimal number: a hexadecimal number ends in "
              "H, write \"3EH\".\n"
              "1 change(s), 2 thing(s) to do by hand\n");
    EXPECT_EQ(ScratchFolder::read(path), original);

    const std::string output = folder.file("tidy.asm");
    Outcome hex = cli({"tidy", path, "--hex", "-o", output});
    EXPECT_EQ(hex.status, 0);
    EXPECT_EQ(hex.err, "");
    EXPECT_EQ(hex.out,
              "line 1: \"3E\" -> \"3EH\"\n"
              "line 2: empty line -> \";\"\n"
              "line 3: \"2050\" -> \"2050H\"\n"
              "line 4: by hand: RST 1 does nothing here: if it ends the program, write HLT\n"
              "3 change(s), 1 thing(s) to do by hand\n");
    EXPECT_EQ(ScratchFolder::read(output), "        MVI A,3EH\r\n;\r\n        STA 2050H\r\n        RST 1\r\n");
    EXPECT_EQ(ScratchFolder::read(path), original);

    Outcome compiled = cli({"compile", output});
    EXPECT_EQ(compiled.status, 0);
    EXPECT_EQ(compiled.err, "Information: Compile successful 6 byte(s)\n");
}

TEST(TidyCommand, AMissingFileIsAUsageError) {
    ScratchFolder folder;
    Outcome missing = cli({"tidy", folder.file("none.asm")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
}

TEST(HintLine, FollowsTheMessageLineOnStderr) {
    ScratchFolder folder;
    const std::string path = folder.file("cut.asm");
    ScratchFolder::write(path, " mvi a,1\n\n hlt\n");
    Outcome compiled = cli({"compile", path});
    EXPECT_EQ(compiled.status, 0);
    EXPECT_EQ(compiled.err,
              "Information: Compile successful 2 byte(s)\n"
              "Hint: The program ends at the empty line 2: the 1 line after it was not compiled. Delete the empty "
              "lines between instructions, or put ; on them.\n");
}

}  // namespace
}  // namespace verdin
