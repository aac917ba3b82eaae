// What every template must do, and the faults of the translation pass; the text of
// each template is checked by the golden translations (tests/golden/translations).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator/instruction_table.h"
#include "translator/translate.h"
#include "translator_support.h"

namespace verdin {
namespace {

using translator_testing::translate;
using translator_testing::Translation;

class TranslateTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine machine{platform};

    Translation run(const std::vector<std::string>& source, std::int32_t mode) {
        platform.messages.clear();
        return translate(machine, platform, source, mode);
    }
    // The translated lines of a program that must translate cleanly.
    std::vector<std::string> lines(const std::vector<std::string>& source, std::int32_t mode) {
        Translation t = run(source, mode);
        EXPECT_EQ(t.result, -1) << (t.messages.empty() ? "" : t.messages.back().text);
        EXPECT_TRUE(t.messages.empty());
        return t.lines;
    }
};

// Each of the 84 mnemonics writes exactly one line in both targets, with every
// placeholder of its templates filled in.
TEST_F(TranslateTest, EveryMnemonicHasATemplateForBothTargets) {
    for (const Instruction& ins : instructionTable()) {
        SCOPED_TRACE(std::string(ins.name));
        const TranslationTemplate* t = findTranslationTemplate(ins.name);
        ASSERT_NE(t, nullptr);
        for (std::int32_t mode : {TranslateZ80, TranslateX86}) {
            machine.reset();
            machine.mode = mode;
            machine.labelField = "L1:    ";
            machine.mnemonicText = ins.name;
            machine.operandText = ins.operands == OperandKind::TwoRegisters ? "A,B"
                                  : ins.operands == OperandKind::Restart   ? "2"
                                                                           : "B,12";
            machine.dispatchLine();
            ASSERT_EQ(machine.translatedCount, 1);
            const std::string& line = machine.translatedLines[0];
            EXPECT_EQ(line.rfind("L1:    ", 0), 0u) << line;
            EXPECT_GT(line.size(), 7u) << line;
            EXPECT_EQ(line.find_first_of("{}"), std::string::npos) << line;
        }
    }
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

TEST_F(TranslateTest, ACompileFaultIsReportedAndNothingIsTranslated) {
    Translation t = run({"  nop", "  mov a,x"}, TranslateZ80);
    EXPECT_EQ(t.result, 2);
    EXPECT_TRUE(t.lines.empty());
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(t.messages[0].text.rfind("Invalid register at string 2", 0), 0u) << t.messages[0].text;
}

// The pass counts on from the program's size, so space reserved near the end of
// memory passes the compile and stops the translation.
TEST_F(TranslateTest, ReservedSpaceCountsOnInTheTranslationPass) {
    Translation t = run({"  ds 8000", "  ds 8000", "  nop"}, TranslateX86);
    EXPECT_EQ(t.result, 1);
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.messages[0].text, std::string("Out of memory at string 1") + Machine::explanation(OutOfMemory));

    EXPECT_EQ(lines({"  ds 80", "  nop", "  ds 80"}, TranslateZ80).size(), 3u);
    EXPECT_EQ(machine.addressCounter, 161 + 160);
}

TEST_F(TranslateTest, AWordAtTheEndOfMemoryStopsTheTranslationPass) {
    Translation t = run({"  dw 1", "  ds 16381"}, TranslateZ80);
    EXPECT_EQ(t.result, 1);
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.messages[0].text.rfind("Out of memory at string 1", 0), 0u);
}

}  // namespace
}  // namespace verdin
