#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "translator_support.h"

namespace verdin {
namespace {

using translator_testing::ScratchFolder;

struct CliResult {
    int status = 0;
    std::string out;
    std::string err;
};

CliResult runCli(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    CliResult r;
    r.status = cli::run(args, in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

const char* const kProgram = "; adds two numbers\nstart: mvi a,2\n  adi 3\n  hlt\n";

TEST(TranslateCommand, NeedsExactlyOneTarget) {
    ScratchFolder folder;
    const std::string source = folder.file("sum.asm");
    ScratchFolder::write(source, kProgram);
    for (const auto& args : {std::vector<std::string>{"translate", source},
                             std::vector<std::string>{"translate", "--z80", "--x86", source}}) {
        CliResult r = runCli(args);
        EXPECT_EQ(r.status, cli::UsageError);
        EXPECT_NE(r.err.find("exactly one of --z80 and --x86"), std::string::npos) << r.err;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(TranslateCommand, WritesBesideTheSourceAndReportsOnStderr) {
    ScratchFolder folder;
    const std::string source = folder.file("sum.asm");
    ScratchFolder::write(source, kProgram);
    CliResult r = runCli({"translate", "--z80", source});
    EXPECT_EQ(r.status, cli::Success);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Information: File was saved with as " + folder.file("sum.z80") + "\n");
    // Four source lines and the empty one after the final line break.
    EXPECT_EQ(ScratchFolder::read(folder.file("sum.z80")), "START: LD A,2\n       ADD A,3\n       HALT\n\n\n");

    r = runCli({"translate", "--x86", source});
    EXPECT_EQ(r.status, cli::Success);
    EXPECT_EQ(ScratchFolder::read(folder.file("sum.i86")), "START: MOV AL,2\n       ADD AL,3\n       HLT\n\n\n");
}

TEST(TranslateCommand, OutputOptionNamesTheFile) {
    ScratchFolder folder;
    const std::string source = folder.file("sum.asm");
    ScratchFolder::write(source, kProgram);
    const std::string output = folder.file("elsewhere.txt");
    CliResult r = runCli({"translate", source, "--x86", "-o", output});
    EXPECT_EQ(r.status, cli::Success);
    EXPECT_EQ(r.err, "Information: File was saved with as " + output + "\n");
    EXPECT_EQ(ScratchFolder::read(output).rfind("START: MOV AL,2\n", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("sum.i86")));
}

TEST(TranslateCommand, AProgramFaultIsReportedAndWritesNoFile) {
    ScratchFolder folder;
    const std::string source = folder.file("bad.asm");
    ScratchFolder::write(source, "  nop\n  jmp nowhere\n");
    CliResult r = runCli({"translate", "--z80", source});
    EXPECT_EQ(r.status, cli::ProgramFault);
    EXPECT_EQ(r.err.rfind("Error: Label <NOWHERE> was not defined", 0), 0u) << r.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("bad.z80")));
}

TEST(TranslateCommand, FileProblemsAreUsageErrors) {
    ScratchFolder folder;
    CliResult r = runCli({"translate", "--z80", folder.file("missing.asm")});
    EXPECT_EQ(r.status, cli::UsageError);

    const std::string source = folder.file("sum.asm");
    ScratchFolder::write(source, kProgram);
    r = runCli({"translate", "--z80", source, "-o", folder.file("no/such/dir.z80")});
    EXPECT_EQ(r.status, cli::UsageError);
    EXPECT_EQ(r.err, "Error: Can't save the file.\n");
}

}  // namespace
}  // namespace verdin
