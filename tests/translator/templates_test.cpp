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
    // Both translations of a one-instruction program, without the label column.
    std::pair<std::string, std::string> both(const std::string& instruction) {
        auto z80 = lines({instruction}, TranslateZ80);
        auto x86 = lines({instruction}, TranslateX86);
        if (z80.size() != 1 || x86.size() != 1) return {"<" + std::to_string(z80.size()) + " lines>", ""};
        return {z80[0].substr(7), x86[0].substr(7)};
    }
};

using Pair = std::pair<std::string, std::string>;

TEST_F(TranslateTest, RegistersUseEachTargetsNames) {
    EXPECT_EQ(both("  mov a,b"), Pair("LD A,B", "MOV AL,BH"));
    EXPECT_EQ(both("  mvi m,5"), Pair("LD (HL),5", "MOV [CX],5"));
    EXPECT_EQ(both("  add b"), Pair("ADD A,B", "ADD AL,BH"));
    EXPECT_EQ(both("  cmp m"), Pair("CP (HL)", "CMP AL,[CX]"));
}

TEST_F(TranslateTest, PairsAreNamedFromTheOperandsFirstLetter) {
    EXPECT_EQ(both("  lxi sp,100h"), Pair("LD SP,100H", "MOV SP,100H"));
    EXPECT_EQ(both("  dad d"), Pair("ADD HL,DE", "ADD CX,DX"));
    EXPECT_EQ(both("  push psw"), Pair("PUSH AF", "PUSH PSW"));
    EXPECT_EQ(both("  pop h"), Pair("POP HL", "POP CX"));
}

// The Z-80 has no "LD (B),A": the pair is written out so that the text assembles.
// The x86 lines keep the 8080 letter, as all other templates stay as they are.
TEST_F(TranslateTest, StaxAndLdaxNameTheWholePairOnTheZ80) {
    EXPECT_EQ(both("  stax b"), Pair("LD (BC),A", "MOV [B],AL"));
    EXPECT_EQ(both("  stax d"), Pair("LD (DE),A", "MOV [D],AL"));
    EXPECT_EQ(both("  ldax b"), Pair("LD A,(BC)", "MOV AL,[B]"));
    EXPECT_EQ(both("  ldax d"), Pair("LD A,(DE)", "MOV AL,[D]"));
}

TEST_F(TranslateTest, JumpsCallsAndReturnsNameTheirCondition) {
    const std::vector<std::string> source = {"loop: jnz loop", "  jmp loop", "  ret",    "  rz",
                                             "  cnc loop",     "  call loop", "  jpe loop", "  rm"};
    EXPECT_EQ(lines(source, TranslateZ80),
              (std::vector<std::string>{"LOOP:  JP NZ,LOOP", "       JP LOOP", "       RET ", "       RET Z",
                                        "       CALL NC,LOOP", "       CALL LOOP", "       JP PE,LOOP",
                                        "       RET M"}));
    EXPECT_EQ(lines(source, TranslateX86),
              (std::vector<std::string>{"LOOP:  JNZ LOOP", "       JMP LOOP", "       RET ", "       RZ ",
                                        "       CNC LOOP", "       CALL LOOP", "       JPE LOOP", "       RM "}));
}

TEST_F(TranslateTest, RestartGivesItsAddressInHexOnTheZ80AndAnInterruptOnX86) {
    EXPECT_EQ(both("  rst 3"), Pair("RST 18H", "INT 3"));
    EXPECT_EQ(both("  rst 0"), Pair("RST 0H", "INT 0"));
    EXPECT_EQ(both("  rst 1"), Pair("RST 8H", "INT 1"));
    EXPECT_EQ(both("  rst 2"), Pair("RST 10H", "INT 2"));
    EXPECT_EQ(both("  rst 7"), Pair("RST 38H", "INT 7"));
}

TEST_F(TranslateTest, EveryLineStartsWithItsSevenCharacterLabelColumn) {
    auto z80 = lines({"start: mov a,b", "  nop", "x: nop"}, TranslateZ80);
    ASSERT_EQ(z80.size(), 3u);
    EXPECT_EQ(z80[0], "START: LD A,B");
    EXPECT_EQ(z80[1], "       NOP");
    EXPECT_EQ(z80[2], "X:     NOP");
}

// Without its label line, every jump to the label would name a label the
// translation never declares.
TEST_F(TranslateTest, LabelOnlyLinesKeepTheirLabel) {
    const std::vector<std::string> source = {"  mvi a,1", "done:", "  jmp done"};
    EXPECT_EQ(lines(source, TranslateZ80), (std::vector<std::string>{"       LD A,1", "DONE:", "       JP DONE"}));
    EXPECT_EQ(lines(source, TranslateX86), (std::vector<std::string>{"       MOV AL,1", "DONE:", "       JMP DONE"}));
}

TEST_F(TranslateTest, CommentLinesAndTheEndMarkWriteNothing) {
    auto z80 = lines({"; heading", "  nop ; why", "}", "  hlt"}, TranslateZ80);
    EXPECT_EQ(z80, (std::vector<std::string>{"       NOP"}));
}

TEST_F(TranslateTest, DirectivesKeepTheirOperandsAndQuotedTextAsTyped) {
    const std::vector<std::string> source = {"  org 100h",         "size: equ 1234h", "msg: db 'Hi, you',0dh,0",
                                             "  dw msg",           "  ds 4",          "  end"};
    EXPECT_EQ(lines(source, TranslateZ80),
              (std::vector<std::string>{"       ORG 100H", "SIZE:  EQU 1234H", "MSG:   DB 'Hi, you',0DH,0",
                                        "       DW MSG", "       DS 4", "       END"}));
    EXPECT_EQ(lines(source, TranslateX86)[2], "MSG:   DB 'Hi, you',0DH,0");
}

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
