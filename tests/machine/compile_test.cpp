#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

using testing::Bench;

const std::string kExplain1 = ". CPU command was typed with an error.";
const std::string kExplain2 =
    ". Here are the most likely causes of this error message: 1) Invalid symbol in operand description; 2) The "
    "value of operand is out of range.";
const std::string kExplain3 =
    ". Invalid symbol in registers name or this register can not be used in this command. The valid names of "
    "registers are: a,b,c,d,e,h,l,m or A,B,C,D,E,H,L,M";

// Verify the success message and that the image holds the program.
TEST(Compile, ReportsSizeOnSuccess) {
    Bench b;
    EXPECT_EQ(b.compile({"start: mvi b,5", "  jmp start", ""}), -1);
    EXPECT_EQ(b.last(), "Information: Compile successful 5 byte(s)");
    EXPECT_EQ(b.bytes(0, 5), (std::vector<int>{0x06, 5, 0xC3, 0, 0}));
    EXPECT_EQ(b.machine.programLineCount, 2);
}

TEST(Compile, SilentCompileShowsNothingOnSuccess) {
    Bench b;
    EXPECT_EQ(compileProgram(b.machine, {"nop"}, false, false), -1);
    EXPECT_TRUE(b.platform.messages.empty());
}

TEST(Compile, NoProgram) {
    Bench b;
    EXPECT_EQ(b.compile({"", "nop"}), 1);
    EXPECT_EQ(b.last(), "Error: There is no program!!!");
    Bench c;
    EXPECT_EQ(c.compile({"x: equ 5", "y:"}), 1);
    EXPECT_EQ(c.last(), "Error: There is no program!!!");
}

TEST(Compile, FaultsNameTheirLine) {
    Bench b;
    EXPECT_EQ(b.compile({"nop", "nop", "move a,b"}), 3);
    EXPECT_EQ(b.last(), "Error: Invalid command at string 3" + kExplain1);
    Bench c;
    EXPECT_EQ(c.compile({"mvi a,300"}), 1);
    EXPECT_EQ(c.last(), "Error: Invalid operand at string 1" + kExplain2);
    Bench d;
    EXPECT_EQ(d.compile({"nop", "mov m,m"}), 2);
    EXPECT_EQ(d.last(), "Error: Invalid register at string 2" + kExplain3);
}

TEST(Compile, LabelFaults) {
    Bench b;
    EXPECT_EQ(b.compile({"loop: nop", "loop: nop"}), 1);
    EXPECT_EQ(b.last(),
              "Error: Duplicate label <LOOP>. The label with this name declared withing the program more than one time.");
    Bench c;
    EXPECT_EQ(c.compile({"jmp nowhere"}), 1);
    EXPECT_EQ(c.last(),
              "Error: Label <NOWHERE> was not defined. The label with this name was not declared at the labels field "
              "or its name is more than 6 characters.");
}

// Verify that forward and backward references both get the label's address, low byte first.
TEST(Compile, ReferencesArePatchedLowByteFirst) {
    Bench b;
    std::vector<std::string> program = {"  jmp later"};
    for (int i = 0; i < 100; ++i) program.push_back("  db 1,2,3");
    program.push_back("later: jmp later");
    ASSERT_EQ(b.compile(program), -1);
    EXPECT_EQ(b.bytes(0, 3), (std::vector<int>{0xC3, 0x2F, 0x01}));
    EXPECT_EQ(b.bytes(303, 3), (std::vector<int>{0xC3, 0x2F, 0x01}));
}

TEST(Compile, ClosingBraceEndsThePass) {
    Bench b;
    EXPECT_EQ(b.compile({"nop", " }", "garbage here"}), -1);
    EXPECT_EQ(b.last(), "Information: Compile successful 1 byte(s)");
}

TEST(Compile, OutOfMemoryNamesTheLineThatCrossedTheLimit) {
    Bench b;
    EXPECT_EQ(b.compile({"nop", "ds 16000", "ds 382", "nop", "nop"}), 4);
    EXPECT_EQ(b.last(), "Error: Out of memory at string 4. The maximum size of memory, available for using is 16384 bytes");
}

// Verify that comment lines do nothing and do not end the program, while line
// numbers in messages still count them.
TEST(Compile, CommentLinesAreSkippedButCounted) {
    Bench b;
    EXPECT_EQ(b.compile({"; heading", "   ; indented", "nop", ";x", "bad"}), 5);
    EXPECT_EQ(b.last(), "Error: Invalid command at string 5" + kExplain1);
    Bench c;
    EXPECT_EQ(c.compile({"; heading", "nop", "; tail", "\t", "\t \t", "  "}), -1);
    EXPECT_EQ(c.last(), "Information: Compile successful 1 byte(s)");
    EXPECT_EQ(c.machine.labelCount, 0);
}

// Verify that the tables stop at their limits with a message naming the limit.
TEST(Compile, LabelAndReferenceTablesStopAtFifty) {
    Bench b;
    std::vector<std::string> labels;
    for (int i = 0; i < 51; ++i) labels.push_back("L" + std::to_string(i) + ": nop");
    EXPECT_EQ(b.compile(labels), 51);
    EXPECT_EQ(b.last(), "Error: Too many labels at string 51. A program can declare at most 50 labels.");

    Bench c;
    std::vector<std::string> refs = {"here: nop"};
    for (int i = 0; i < 51; ++i) refs.push_back("  jmp here");
    EXPECT_EQ(c.compile(refs), 52);
    EXPECT_EQ(c.last(),
              "Error: Too many label references at string 52. A program can use labels as operands at most 50 times.");
}

TEST(Compile, OverlongLinesAndTextsAreRefused) {
    Bench b;
    EXPECT_EQ(b.compile({"nop", "  db " + std::string(300, '1')}), 2);
    EXPECT_EQ(b.last(), "Error: Line too long at string 2. A line can hold at most 255 characters.");
    Bench c;
    std::vector<std::string> many(260, "  nop");
    EXPECT_EQ(c.compile(many), 251);
    EXPECT_EQ(c.last(), "Error: Too many lines at string 251. A program can hold at most 250 lines.");
    // The store's limit is fine when an empty line ends the program before it.
    Bench d;
    std::vector<std::string> ended(10, "  nop");
    ended.push_back("");
    ended.resize(300, "anything");
    EXPECT_EQ(d.compile(ended), -1);
}

struct OperandCase {
    const char* line;
    std::int32_t status;
    std::vector<int> bytes;
};

class OperandRules : public ::testing::TestWithParam<OperandCase> {};

// Verify the operand checks of compile mode, including the stricter ones: pair
// names, hexadecimal lengths, quoted texts, ORG and EQU.
TEST_P(OperandRules, AssembleOrRefuse) {
    const OperandCase& c = GetParam();
    HeadlessPlatform platform;
    Machine m(platform);
    m.reset();
    m.programLines[0] = "here: nop";
    m.programLines[1] = c.line;
    m.programLines[2] = "  nop";
    m.compile(false, Compile);
    EXPECT_EQ(m.status, c.status) << c.line;
    if (c.status == Ok) {
        std::vector<int> got(m.memory.begin() + 1, m.memory.begin() + 1 + static_cast<long>(c.bytes.size()));
        EXPECT_EQ(got, c.bytes) << c.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Compile, OperandRules,
    ::testing::Values(
        OperandCase{"  push bc", InvalidRegister, {}}, OperandCase{"  pop w", InvalidRegister, {}},
        OperandCase{"  inx s", InvalidRegister, {}}, OperandCase{"  dcx sx", InvalidRegister, {}},
        OperandCase{"  dad hl", InvalidRegister, {}}, OperandCase{"  lxi w,5", InvalidRegister, {}},
        OperandCase{"  lxi sp,5", Ok, {0x31, 5, 0}}, OperandCase{"  push psw", Ok, {0xF5}},
        OperandCase{"  pop psw", Ok, {0xF1}}, OperandCase{"  inx sp", Ok, {0x33}},
        OperandCase{"  ldax d", Ok, {0x1A}}, OperandCase{"  stax h", InvalidRegister, {}},
        OperandCase{"  mvi a,h", InvalidOperand, {}}, OperandCase{"  mvi a,5h", Ok, {0x3E, 5}},
        OperandCase{"  mvi a,0ffh", Ok, {0x3E, 0xFF}}, OperandCase{"  mvi a,1ffh", InvalidOperand, {}},
        OperandCase{"  mvi a,00ffh", InvalidOperand, {}}, OperandCase{"  mvi a,1fh", Ok, {0x3E, 0x1F}},
        OperandCase{"  mvi a,10101010b", Ok, {0x3E, 0xAA}}, OperandCase{"  mvi a,2b", InvalidOperand, {}},
        OperandCase{"  mvi a,'z'", Ok, {0x3E, 'z'}}, OperandCase{"  mvi a,'ab'", InvalidOperand, {}},
        OperandCase{"  mvi a,00", InvalidOperand, {}}, OperandCase{"  mvi a,0", Ok, {0x3E, 0}},
        OperandCase{"  adi -1", InvalidOperand, {}}, OperandCase{"  adi here", InvalidOperand, {}},
        OperandCase{"  mov a,b", Ok, {0x78}}, OperandCase{"  mov a,bc", InvalidRegister, {}},
        OperandCase{"  lda 1234h", Ok, {0x3A, 0x34, 0x12}}, OperandCase{"  lda 0ffffh", Ok, {0x3A, 0xFF, 0xFF}},
        OperandCase{"  lda 10000h", InvalidOperand, {}}, OperandCase{"  lda 70000", InvalidOperand, {}},
        OperandCase{"  lda 12x4", InvalidOperand, {}}, OperandCase{"  lda -5", InvalidOperand, {}},
        OperandCase{"  lda here", Ok, {0x3A, 0, 0}}, OperandCase{"  dw 513", Ok, {1, 2}},
        OperandCase{"  dw 1,2", InvalidOperand, {}}, OperandCase{"  db 'a,b',3", Ok, {'a', ',', 'b', 3}},
        OperandCase{"  db 'ab", Ok, {'a', 'b'}}, OperandCase{"  db 1,,2", InvalidOperand, {}},
        OperandCase{"  db ''", InvalidOperand, {}}, OperandCase{"  org here", InvalidOperand, {}},
        OperandCase{"  org 100h", InvalidCommand, {}}, OperandCase{"  equ 5", InvalidOperand, {}},
        OperandCase{"  ds -3", InvalidOperand, {}}, OperandCase{"  rst 8", InvalidOperand, {}},
        OperandCase{"  rst 07", InvalidOperand, {}}, OperandCase{"  rst 7", Ok, {0xFF}},
        OperandCase{"  rst", Ok, {0xC7}}, OperandCase{"  in 255", Ok, {0xDB, 0xFF}},
        OperandCase{"  out 256", InvalidOperand, {}}));

TEST(Compile, EquSetsItsOwnLabelOnly) {
    Bench b;
    ASSERT_EQ(b.compile({"first: nop", "ten: equ 10", "big: equ 0a00h", "  lxi h,ten", "  lxi d,big"}), -1);
    EXPECT_EQ(b.bytes(1, 6), (std::vector<int>{0x21, 10, 0, 0x11, 0x00, 0x0A}));
    EXPECT_EQ(b.machine.labelAddresses[0], 0);
    Bench c;
    EXPECT_EQ(c.compile({"first: nop", "  equ 10"}), 2);
    EXPECT_EQ(c.machine.labelAddresses[0], 0);
    Bench d;
    EXPECT_EQ(d.compile({"x: equ 16384", "  nop"}), 1);
    EXPECT_EQ(d.machine.status, OutOfMemory);
}

TEST(Compile, OrgMovesTheFirstAddress) {
    Bench b;
    ASSERT_EQ(b.compile({"  org 100h", "go: jmp go"}), -1);
    EXPECT_EQ(b.bytes(256, 3), (std::vector<int>{0xC3, 0x00, 0x01}));
    EXPECT_EQ(b.machine.addressCounter, 259);
    EXPECT_EQ(b.bytes(0, 2), (std::vector<int>{0, 0}));
}

TEST(Compile, LabelOnlyLinesAndUnknownMnemonicsStillDefineLabels) {
    Bench b;
    ASSERT_EQ(b.compile({"  nop", "here:", "  jmp here"}), -1);
    EXPECT_EQ(b.bytes(1, 3), (std::vector<int>{0xC3, 1, 0}));
    Bench c;
    EXPECT_EQ(c.compile({"lbl: move"}), 1);
    EXPECT_EQ(c.machine.labelCount, 1);
}

}  // namespace
}  // namespace verdin
