// The operand rules of compile mode as one table, tests/golden/operands.txt; whole
// programs and their messages are golden cases in tests/golden/cases/compile.cases.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "support.h"

namespace verdin {
namespace {

struct OperandCase {
    std::string line;
    std::int32_t status = Ok;
    std::vector<int> bytes;
};

void PrintTo(const OperandCase& c, std::ostream* out) { *out << c.line; }

std::vector<OperandCase> loadOperandCases() {
    static const std::map<std::string, std::int32_t> faults = {
        {"InvalidRegister", InvalidRegister}, {"InvalidOperand", InvalidOperand}, {"InvalidCommand", InvalidCommand}};
    std::vector<OperandCase> cases;
    std::ifstream in(testing::sourcePath("tests/golden/operands.txt"));
    for (std::string text; std::getline(in, text);) {
        const size_t arrow = text.find(" => ");
        if (text.empty() || text[0] == '#' || arrow == std::string::npos) continue;
        OperandCase c{text.substr(0, arrow), Ok, {}};
        std::istringstream result(text.substr(arrow + 4));
        for (std::string word; result >> word;) {
            if (faults.count(word)) c.status = faults.at(word);
            else c.bytes.push_back(std::stoi(word, nullptr, 16));
        }
        cases.push_back(c);
    }
    return cases;
}

class OperandRules : public ::testing::TestWithParam<OperandCase> {};

TEST_P(OperandRules, AssembleOrRefuse) {
    const OperandCase& c = GetParam();
    HeadlessPlatform platform;
    Machine m(platform);
    m.reset();
    m.setProgramLine(0, "here: nop");
    m.setProgramLine(1, c.line);
    m.setProgramLine(2, "  nop");
    m.compile(false, Compile);
    EXPECT_EQ(m.fields().status, c.status) << c.line;
    if (c.status == Ok) {
        std::vector<int> got(m.fields().memory.begin() + 1, m.fields().memory.begin() + 1 + static_cast<long>(c.bytes.size()));
        EXPECT_EQ(got, c.bytes) << c.line;
    }
}

INSTANTIATE_TEST_SUITE_P(Compile, OperandRules, ::testing::ValuesIn(loadOperandCases()));

// A line stored again after a run is seen by the next run, even when its new text is
// as long as the old one and takes the old one's place in memory.
TEST(DecodedLines, ARewrittenLineOfTheSameLengthIsDecodedAgain) {
    testing::Bench b;
    ASSERT_EQ(b.run({"inr a", "inr a"}), -1);
    ASSERT_EQ(b.machine.fields().regA, 2);
    const std::string second = b.machine.fields().programLines[1];
    const char* storage = b.machine.fields().programLines[1].data();
    std::string rewritten = second;
    rewritten.replace(rewritten.find("INR"), 3, "DCR");
    b.machine.setProgramLine(1, rewritten);
    ASSERT_EQ(b.machine.fields().programLines[1].data(), storage) << "the case this test is about";
    runProgram(b.machine);
    EXPECT_EQ(b.machine.fields().regA, 0);
}

}  // namespace
}  // namespace verdin
