#include "help/examples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "files/source_file.h"

namespace verdin {
namespace {

// The programs built in are exactly examples/: none missing, none stale, each line
// as the editor loads the file, with its first comment as its title.
TEST(Examples, EveryExampleIsBuiltInAsItsFileReads) {
    std::vector<std::string> onDisk;
    for (const auto& entry : std::filesystem::directory_iterator(VERDIN_SOURCE_DIR "/examples")) {
        if (entry.path().extension() == ".asm") onDisk.push_back(entry.path().filename().string());
    }
    std::sort(onDisk.begin(), onDisk.end());
    const std::vector<help::ExampleProgram> built = help::examplePrograms();
    std::vector<std::string> names;
    for (const help::ExampleProgram& program : built) {
        names.push_back(program.name);
        SCOPED_TRACE(program.name);
        const LoadResult file = loadEditorFile(std::string(VERDIN_SOURCE_DIR "/examples/") + program.name);
        ASSERT_TRUE(file.ok) << file.error;
        EXPECT_EQ(program.lines, file.text.lines);
        EXPECT_FALSE(program.title.empty());
        EXPECT_NE(program.title.front(), ';');
    }
    EXPECT_EQ(names, onDisk);
}

}  // namespace
}  // namespace verdin
