// The examples load and save back byte for byte, and tidy leaves them, as every
// program already in this language, exactly as they are; what it converts is in the
// transcripts of tests/golden/cli/tidy.cli.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/source_file.h"
#include "shell/tidy.h"
#include "scratch_folder.h"
#include "support.h"

namespace verdin {
namespace {

TEST(Tidy, ProgramsInThisLanguageAreLeftAlone) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath("examples"))) {
        SCOPED_TRACE(entry.path().string());
        LoadResult loaded = loadEditorFile(entry.path().string());
        ASSERT_TRUE(loaded.ok);
        EXPECT_EQ(joinSourceText(loaded.text), testing_support::ScratchFolder::read(entry.path().string()));
        TidyResult result = tidyProgram(loaded.text.lines, false);
        EXPECT_EQ(result.lines, loaded.text.lines);
        EXPECT_TRUE(result.changes.empty());
        EXPECT_TRUE(result.byHand.empty());
    }
}

}  // namespace
}  // namespace verdin

namespace verdin {
namespace {

// Import's rows in order (changes, by-hand items, the assembler's fault and hint), each
// on the editor line it is about, so that a click on it finds the line.
TEST(Tidy, TheImportReportNamesEachRowsLine) {
    const ImportReport report = importReport({"// kit", "  MVI A,0x1F", "  RST 1", "  MOV A,Q", "  HLT"}, false);
    std::vector<std::string> texts;
    std::vector<int> lines;
    std::vector<bool> toDo;
    for (const ImportNote& note : report.notes) {
        texts.push_back(note.text);
        lines.push_back(note.line);
        toDo.push_back(note.toDo);
    }
    ASSERT_EQ(texts.size(), 5u) << ::testing::PrintToString(texts);
    EXPECT_EQ(texts[0], "line 1: \"//\" -> \";\"");
    EXPECT_EQ(texts[1], "line 2: \"0x1F\" -> \"1FH\"");
    EXPECT_EQ(texts[2], "line 3: by hand: RST 1 does nothing here: if it ends the program, write HLT");
    EXPECT_EQ(texts[3].rfind("still to fix: Error: Invalid register", 0), 0u) << texts[3];
    EXPECT_EQ(texts[4].rfind("still to fix: Hint: ", 0), 0u) << texts[4];
    EXPECT_EQ(lines, (std::vector<int>{0, 1, 2, 3, 3}));
    EXPECT_EQ(toDo, (std::vector<bool>{false, false, true, true, true}));
    EXPECT_EQ(report.lines[1], "  MVI A,1FH");
    EXPECT_EQ(importSummary(report, "kit.asm"),
              "2 change(s) made, 2 thing(s) to do by hand. The converted program is a new untitled text; the file "
              "kit.asm is unchanged.");
}

}  // namespace
}  // namespace verdin
