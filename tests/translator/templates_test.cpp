// What every template must do; the text of each template is checked by the golden
// translations (tests/golden/translations), the faults of the pass by
// tests/golden/cli/translate.cli.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator/instruction_table.h"
#include "translator/translate.h"
#include "machine/machine.h"

namespace verdin {
namespace {

class TranslateTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine machine{platform};
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

}  // namespace
}  // namespace verdin
