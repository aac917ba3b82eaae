// The translation file: one line per editor line and no translated line lost, its
// name, and a file that cannot be written (the rest: tests/golden/cli/translate.cli).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "translator/translate.h"
#include "machine/machine.h"
#include "scratch_folder.h"
#include "shell/commands.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;

class TranslationFileTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine machine{platform};

    void translated(const std::vector<std::string>& source, std::int32_t mode) {
        ASSERT_EQ(compileProgram(machine, source, false, false, mode), -1) << platform.lastMessage();
        platform.messages.clear();
    }
};

TEST_F(TranslationFileTest, LinesPastTheStoreAreEmptyAndNoTranslatedLineIsDropped) {
    translated({"  nop", "  hlt"}, TranslateX86);
    const std::string text = translationText(machine, 300);
    EXPECT_EQ(text, "       NOP\n       HLT\n" + std::string(298, '\n'));
    // A line count below the store's (a caller's mistake) still writes every line.
    EXPECT_EQ(translationText(machine, 1), "       NOP\n       HLT\n");
    EXPECT_EQ(translationText(machine, 0), "       NOP\n       HLT\n");
}

TEST(TranslationPath, IsTheSourcesNameBesideItWithTheTargetsExtension) {
    EXPECT_EQ(translationPath("/work/prog.asm", TranslateZ80), "/work/prog.z80");
    EXPECT_EQ(translationPath("/work/prog.asm", TranslateX86), "/work/prog.i86");
    EXPECT_EQ(translationPath("prog.asm", TranslateZ80), "prog.z80");
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
    EXPECT_EQ(platform.messages[0], (Message{MessageKind::Error, "Can't save the file."}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-such-folder")));

    // A folder in the way of the output keeps its place and its contents.
    platform.messages.clear();
    std::filesystem::create_directory(folder.file("prog.z80"));
    ScratchFolder::write(folder.file("prog.z80/keep"), "x");
    EXPECT_FALSE(writeTranslationTo(machine, 1, folder.file("prog.z80")));
    EXPECT_EQ(platform.messages.back(), (Message{MessageKind::Error, "Can't save the file."}));
    EXPECT_EQ(ScratchFolder::read(folder.file("prog.z80/keep")), "x");
}

}  // namespace
}  // namespace verdin
