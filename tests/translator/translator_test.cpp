// The translator: every template, the golden translations (each program in
// tests/golden/translations gives exactly the texts beside it: PROGRAM.z80 for the
// Z-80 pass, PROGRAM.i86 for the x86 pass), and the translation file. The faults of
// the pass and the file beside the source are in tests/golden/cli/translate.cli.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/source_file.h"
#include "isa/instruction_table.h"
#include "machine/machine.h"
#include "scratch_folder.h"
#include "shell/commands.h"
#include "translator/translate.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;
using testing_support::ScratchFolder;

class TranslationFileTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine machine{platform};

    void translated(const std::vector<std::string>& source, std::int32_t mode) {
        ASSERT_EQ(compileProgram(machine, source, {.mode = mode}), -1) << platform.lastMessage();
        platform.messages.clear();
    }
};

// What each template writes is pinned by tests/golden/translations/mnemonics.asm.
TEST(TranslationTemplates, EveryInstructionHasOne) {
    for (const Instruction& ins : instructionTable()) EXPECT_NE(findTranslationTemplate(ins.name), nullptr) << ins.name;
    EXPECT_EQ(findTranslationTemplate("MOVE"), nullptr);
}

// Operands the compile pass refuses never reach the names, but an index out of the
// tables must still not read beyond them.
TEST(TranslateNames, IndexesOutsideTheTablesNameNothing) {
    EXPECT_EQ(registerName(10, TranslateZ80), "");
    EXPECT_EQ(registerName(-1, TranslateX86), "");
    EXPECT_EQ(pairName(10, TranslateZ80), "");
    EXPECT_EQ(conditionName(Always), "");
    EXPECT_EQ(conditionName(-1), "");
}

TEST(GoldenTranslations, EachProgramGivesTheTextsBesideIt) {
    int programs = 0;
    for (const auto& entry : fs::directory_iterator(std::string(VERDIN_SOURCE_DIR) + "/tests/golden/translations")) {
        if (entry.path().extension() != ".asm") continue;
        ++programs;
        LoadResult source = loadSourceFile(entry.path().string());
        ASSERT_TRUE(source.ok) << source.error;
        for (auto [mode, extension] : {std::pair{TranslateZ80, ".z80"}, std::pair{TranslateX86, ".i86"}}) {
            SCOPED_TRACE(entry.path().filename().string() + extension);
            HeadlessPlatform platform;
            Machine machine(platform);
            ASSERT_EQ(compileProgram(machine, source.text.lines, {.mode = mode}), -1) << platform.lastMessage();
            fs::path expected = entry.path();
            expected.replace_extension(extension);
            EXPECT_EQ(translationText(machine, static_cast<int>(source.text.lines.size())),
                      ScratchFolder::read(expected.string()));
        }
    }
    EXPECT_GE(programs, 1);
}

TEST_F(TranslationFileTest, LinesPastTheStoreAreEmptyAndNoTranslatedLineIsDropped) {
    translated({"  nop", "  hlt"}, TranslateX86);
    const std::string text = translationText(machine, 300);
    EXPECT_EQ(text, "       NOP\n       HLT\n" + std::string(298, '\n'));
    // A line count below the store's (a caller's mistake) still writes every line.
    EXPECT_EQ(translationText(machine, 1), "       NOP\n       HLT\n");
    EXPECT_EQ(translationText(machine, 0), "       NOP\n       HLT\n");
}

// Only the last extension of the name is replaced; a name without one gains it.
TEST(TranslationPath, IsTheSourcesNameBesideItWithTheTargetsExtension) {
    EXPECT_EQ(translationPath("/work/prog.asm", TranslateZ80), "/work/prog.z80");
    EXPECT_EQ(translationPath("/work/prog.asm", TranslateX86), "/work/prog.i86");
    EXPECT_EQ(translationPath("C:\\work\\prog.asm", TranslateZ80), "C:\\work\\prog.z80");
    EXPECT_EQ(translationPath("prog", TranslateX86), "prog.i86");
    EXPECT_EQ(translationPath("/work/v1.0/prog", TranslateZ80), "/work/v1.0/prog.z80");
    EXPECT_EQ(translationPath("/work/a.b.asm", TranslateZ80), "/work/a.b.z80");
    EXPECT_EQ(translationPath("", TranslateZ80), "");
}

TEST_F(TranslationFileTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
    ScratchFolder folder;
    translated({"  nop"}, TranslateZ80);
    const std::string missing = folder.file("no-such-folder/prog.asm");
    EXPECT_FALSE(writeTranslation(machine, 1, missing).has_value());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], (Message{MessageKind::Error, "Can't save the file.",
                                             folder.file("no-such-folder/prog.z80") + ": the folder does not exist",
                                             "errors#can-t-save-the-file"}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-such-folder")));

    // A folder in the way of the output keeps its place and its contents.
    platform.messages.clear();
    std::filesystem::create_directory(folder.file("prog.z80"));
    ScratchFolder::write(folder.file("prog.z80/keep"), "x");
    EXPECT_FALSE(writeTranslationTo(machine, 1, folder.file("prog.z80")));
    EXPECT_EQ(platform.messages.back(),
              (Message{MessageKind::Error, "Can't save the file.", folder.file("prog.z80") + ": is a directory",
                       "errors#can-t-save-the-file"}));
    EXPECT_EQ(ScratchFolder::read(folder.file("prog.z80/keep")), "x");
}

}  // namespace
}  // namespace verdin
