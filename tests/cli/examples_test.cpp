// The teaching programs in examples/ must always compile, run to their end, and load
// and save back unchanged; what each computes is a golden case (examples.cases).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/source_file.h"
#include "support.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;
using testing::Bench;

// Every example, including those added later, compiles, runs to its end with no
// error box, and loads and saves back byte for byte.
TEST(Examples, EveryExampleRunsAndRoundTrips) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(testing::sourcePath("examples"))) {
        if (entry.path().extension() != ".asm") continue;
        ++count;
        std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        LoadResult loaded = loadSourceFile(entry.path().string());
        ASSERT_TRUE(loaded.ok);
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(joinSourceText(loaded.text), bytes);
        Bench b;
        b.machine.lineBudget = 10'000'000;  // an example that never ends is a fault too
        ASSERT_EQ(compileProgram(b.machine, loaded.text.lines, true, false), -1) << b.last();
        b.machine.resetRun();
        b.machine.lineBudget = 10'000'000;
        b.machine.run();
        EXPECT_GT(b.machine.lineBudget, 0);
        for (const Message& message : b.platform.messages) EXPECT_NE(message.kind, MessageKind::Error) << message.text;
    }
    EXPECT_GE(count, 6);
}

}  // namespace
}  // namespace verdin
