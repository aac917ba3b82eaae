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
