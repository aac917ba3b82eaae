// The teaching programs in examples/ must always compile, run to their end and
// compute what their comments promise; loading and saving them changes no byte.
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

std::vector<std::string> loadExample(const std::string& name) {
    LoadResult loaded = loadSourceFile(testing::sourcePath("examples/" + name));
    EXPECT_TRUE(loaded.ok) << loaded.error;
    return loaded.text.lines;
}

// Runs an example with the given input ports; expects it to end without an error.
std::unique_ptr<Bench> runExample(const std::string& name, std::vector<std::pair<int, int>> ports = {}) {
    auto b = std::make_unique<Bench>();
    EXPECT_EQ(compileProgram(b->machine, loadExample(name), true, true), -1) << b->last();
    for (auto [port, value] : ports) b->machine.inPorts[static_cast<size_t>(port)] = value;
    runProgram(b->machine);
    for (const Message& message : b->platform.messages) EXPECT_NE(message.kind, MessageKind::Error) << message.text;
    return b;
}

std::int32_t labelAddress(const Machine& m, const std::string& name) {
    for (std::int32_t i = 0; i < m.labelCount; ++i) {
        if (m.labelNames[i] == name + ":") return m.labelAddresses[i];
    }
    ADD_FAILURE() << "no label " << name;
    return 0;
}

TEST(Examples, SumTable) {
    auto b = runExample("sum_table.asm");
    EXPECT_EQ(b->machine.regA, 210);
    EXPECT_EQ(b->machine.memory[labelAddress(b->machine, "SUM")], 210);
}

TEST(Examples, Multiply) {
    auto b = runExample("multiply.asm");
    std::int32_t result = labelAddress(b->machine, "RESULT");
    EXPECT_EQ(b->machine.memory[result] + 256 * b->machine.memory[result + 1], 25 * 13);
}

TEST(Examples, BcdAdd) {
    auto b = runExample("bcd_add.asm");
    EXPECT_EQ(b->machine.memory[labelAddress(b->machine, "ZLOW")], 0x12);
    EXPECT_EQ(b->machine.memory[labelAddress(b->machine, "ZHIGH")], 0x69);
}

TEST(Examples, BubbleSort) {
    auto b = runExample("bubble_sort.asm");
    std::int32_t table = labelAddress(b->machine, "TABLE");
    EXPECT_EQ(b->bytes(table, 8), (std::vector<int>{3, 11, 12, 22, 25, 47, 64, 90}));
}

TEST(Examples, PushPop) {
    auto b = runExample("push_pop.asm");
    EXPECT_EQ(b->machine.memory[labelAddress(b->machine, "RESULT")], 26);
    EXPECT_EQ(b->machine.regB, 1);
    EXPECT_EQ(b->machine.regC, 2);
    EXPECT_EQ(b->machine.regD, 3);
    EXPECT_EQ(b->machine.regE, 4);
    EXPECT_EQ(b->machine.sp, kInitialSp);
}

TEST(Examples, PortEcho) {
    auto b = runExample("port_echo.asm", {{0, 0x0F}, {1, 0xFF}, {2, 0x81}});
    EXPECT_EQ(b->machine.outPorts[8], 0xF0);
    EXPECT_EQ(b->machine.outPorts[9], 0x00);
    EXPECT_EQ(b->machine.outPorts[10], 0x7E);
    EXPECT_EQ(b->machine.outPorts[11], 0xFF);
}

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
