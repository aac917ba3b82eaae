// The Intel 8080 rule set, case by case from the processor manual's definitions:
// the auxiliary carry of subtractions, compares, ANA and DCR, which the differential
// test cannot take from its reference, and the places where the two rule sets part.
#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

using testing::Bench;

struct Expect {
    int a, s, z, ac, p, cy;
};

// Runs the lines under the Intel rules and checks A and the five flags.
void expectIntel(const std::vector<std::string>& lines, Expect e) {
    Bench b;
    b.machine.arithmeticRules = ArithmeticRules::Intel8080;
    ASSERT_EQ(b.run(lines), -1) << b.last();
    const Machine& m = b.machine;
    std::string where = lines.back();
    EXPECT_EQ(m.regA, e.a) << where;
    EXPECT_EQ(m.flagS, e.s) << where << ": S";
    EXPECT_EQ(m.flagZ, e.z) << where << ": Z";
    EXPECT_EQ(m.flagAC, e.ac) << where << ": AC";
    EXPECT_EQ(m.flagP, e.p) << where << ": P";
    EXPECT_EQ(m.flagCY, e.cy) << where << ": CY";
}

// A subtraction adds the complement: CY is the borrow, AC the carry out of bit 3 of
// A + ~operand + 1 (+ 0 instead of + 1 when SBB borrows).
TEST(IntelRules, SubtractionsAndComparesWrapAndTakeAcFromTheAdder) {
    expectIntel({"mvi a,3", "sui 5"}, {0xFE, 1, 0, 0, 0, 1});          // 3 + FA + 1: low 3+A+1 = E
    expectIntel({"mvi a,3eh", "sui 3eh"}, {0, 0, 1, 1, 1, 0});         // E + 1 + 1 carries
    expectIntel({"mvi a,12h", "mvi b,3", "sub b"}, {0x0F, 0, 0, 0, 1, 0});  // low 2 + C + 1 = F
    expectIntel({"mvi a,14h", "mvi b,3", "sub b"}, {0x11, 0, 0, 1, 1, 0});  // low 4 + C + 1 carries
    expectIntel({"stc", "mvi a,10h", "sbi 0fh"}, {0x00, 0, 1, 0, 1, 0}); // 0 + 0 + 0 = 0: no AC
    expectIntel({"stc", "mvi a,0", "mvi c,0", "sbb c"}, {0xFF, 1, 0, 0, 1, 1});
    // A compare sets the flags of the subtraction and keeps A; P is that of the difference.
    expectIntel({"mvi a,7", "cpi 7"}, {7, 0, 1, 1, 1, 0});
    expectIntel({"mvi a,2", "mvi d,5", "cmp d"}, {2, 1, 0, 0, 0, 1});  // 2 - 5 = FDH
    expectIntel({"mvi a,5", "sub a"}, {0, 0, 1, 1, 1, 0});
}

TEST(IntelRules, AdditionsReduceBeforeSignAndZero) {
    expectIntel({"mvi a,200", "mvi b,56", "add b"}, {0, 0, 1, 1, 1, 1});
    expectIntel({"mvi a,0fh", "stc", "aci 0"}, {0x10, 0, 0, 1, 0, 0});
    // ADD M takes its auxiliary carry like every other addition.
    expectIntel({"lxi h,2000h", "mvi m,8", "mvi a,8", "add m"}, {0x10, 0, 0, 1, 0, 0});
}

// ANA and ANI set AC to the OR of bit 3 of both operands; XRA and ORA clear it.
TEST(IntelRules, LogicalAuxiliaryCarry) {
    expectIntel({"mvi a,0f0h", "ani 0fh"}, {0, 0, 1, 1, 1, 0});
    expectIntel({"mvi a,0f0h", "ani 0f7h"}, {0xF0, 1, 0, 0, 1, 0});
    expectIntel({"mvi a,8", "mvi e,0", "ana e"}, {0, 0, 1, 1, 1, 0});
    expectIntel({"mvi a,0ffh", "stc", "xri 0fh"}, {0xF0, 1, 0, 0, 1, 0});
    expectIntel({"mvi a,8", "stc", "ori 8"}, {8, 0, 0, 0, 0, 0});
}

// INR and DCR leave CY alone and take P after the wrap; DCR's AC is the carry out of
// bit 3 of adding FFH, so it is set unless the low four bits were 0.
TEST(IntelRules, IncrementAndDecrement) {
    expectIntel({"stc", "mvi a,0ffh", "inr a"}, {0, 0, 1, 1, 1, 1});
    expectIntel({"mvi a,0", "dcr a"}, {0xFF, 1, 0, 0, 1, 0});
    expectIntel({"stc", "mvi a,11h", "dcr a"}, {0x10, 0, 0, 1, 0, 1});
    Bench b;
    b.machine.arithmeticRules = ArithmeticRules::Intel8080;
    ASSERT_EQ(b.run({"lxi h,2000h", "mvi m,0", "dcr m", "mvi c,7fh", "inr c"}), -1) << b.last();
    EXPECT_EQ(b.machine.memory[0x2000], 0xFF);
    EXPECT_EQ(b.machine.regC, 0x80);
    EXPECT_EQ(b.machine.flagS, 1);
    EXPECT_EQ(b.machine.flagAC, 1);
    EXPECT_EQ(b.machine.flagP, 0);
}

// DAA corrects by AC and CY, whatever instruction set them; after a subtraction that
// is not a decimal correction, but it is what the processor does.
TEST(IntelRules, DecimalAdjustUsesAuxiliaryCarryAndCarry) {
    expectIntel({"mvi a,90h", "adi 90h", "daa"}, {0x80, 1, 0, 0, 0, 1});
    expectIntel({"mvi a,38h", "adi 29h", "daa"}, {0x67, 0, 0, 0, 0, 0});  // AC from 8 + 9
    expectIntel({"mvi a,9bh", "daa"}, {0x01, 0, 0, 1, 0, 1});
    expectIntel({"mvi a,99h", "adi 1", "daa"}, {0x00, 0, 1, 1, 1, 1});
    // 3 - 5 = FEH with CY 1, AC 0: the low digit E and CY ask for 66H: 64H, CY stays 1.
    expectIntel({"mvi a,3", "sui 5", "daa"}, {0x64, 0, 0, 1, 0, 1});
    // F0H AND 0FH = 0 with AC 1: + 06H.
    expectIntel({"mvi a,0f0h", "ani 0fh", "daa"}, {0x06, 0, 0, 0, 1, 0});
    // 10H - 1 = 0FH with AC 0, CY 0: + 06H = 15H, AC from F + 6.
    expectIntel({"mvi a,10h", "sui 1", "daa"}, {0x15, 0, 0, 1, 0, 0});
}

// RAL and RAR rotate through the carry; rotates, CMA and STC touch no flag but CY.
TEST(IntelRules, RotatesAndCarryInstructions) {
    expectIntel({"mvi a,0fh", "adi 1", "stc", "mvi a,81h", "ral"}, {0x03, 0, 0, 1, 0, 1});
    expectIntel({"mvi a,0fh", "adi 1", "mvi a,81h", "rar"}, {0x40, 0, 0, 1, 0, 1});
    expectIntel({"stc", "mvi a,1", "rar"}, {0x80, 0, 0, 0, 0, 1});
    expectIntel({"xra a", "cma"}, {0xFF, 0, 1, 0, 1, 0});
    expectIntel({"mvi a,0fh", "adi 1", "stc", "cmc"}, {0x10, 0, 0, 1, 0, 0});
    expectIntel({"mvi a,81h", "rlc"}, {0x03, 0, 0, 0, 0, 1});
}

// PUSH PSW stores bit 1 set and bits 3 and 5 clear; POP PSW takes the five flags back.
TEST(IntelRules, FlagByteOnTheStack) {
    Bench b;
    b.machine.arithmeticRules = ArithmeticRules::Intel8080;
    ASSERT_EQ(b.run({"mvi a,0ffh", "adi 1", "push psw", "lxi b,0ffd7h", "push b", "pop psw"}), -1) << b.last();
    EXPECT_EQ(b.bytes(0x3FFC, 2), (std::vector<int>{0x57, 0x00}));  // Z AC P CY and bit 1
    EXPECT_EQ(b.machine.regA, 0xFF);
    EXPECT_EQ(b.machine.flagS, 1);
    EXPECT_EQ(b.machine.flagZ, 1);
    EXPECT_EQ(b.machine.flagAC, 1);
    EXPECT_EQ(b.machine.flagP, 1);
    EXPECT_EQ(b.machine.flagCY, 1);
}

// The rule set is the user's option: a new program, a reset or a new run keeps it, and
// the default rules are untouched by it.
TEST(IntelRules, TheOptionOutlivesResetAndTheDefaultStaysAsItWas) {
    Bench b;
    b.machine.arithmeticRules = ArithmeticRules::Intel8080;
    b.machine.reset();
    b.machine.resetRun();
    EXPECT_EQ(b.machine.arithmeticRules, ArithmeticRules::Intel8080);
    ASSERT_EQ(b.run({"mvi a,3", "sui 5", "push psw"}), -1) << b.last();
    EXPECT_EQ(b.machine.regA, 0xFE);
    EXPECT_EQ(b.bytes(0x3FFC, 1), std::vector<int>{0x83});

    Bench d;
    ASSERT_EQ(d.run({"mvi a,3", "sui 5", "push psw", "stc", "mvi a,81h", "ral"}), -1) << d.last();
    EXPECT_EQ(d.bytes(0x3FFC, 2), (std::vector<int>{0x01, 2}));
    EXPECT_EQ(d.machine.regA, 2);
}

TEST(IntelRules, NamesAndStoredWords) {
    EXPECT_STREQ(arithmeticRulesName(ArithmeticRules::Intel8080), "Intel 8080");
    EXPECT_STREQ(arithmeticRulesName(ArithmeticRules::Workbench), "Workbench");
    for (ArithmeticRules r : {ArithmeticRules::Workbench, ArithmeticRules::Intel8080}) {
        EXPECT_EQ(arithmeticRulesFromKey(arithmeticRulesKey(r)), r);
    }
    EXPECT_EQ(arithmeticRulesFromKey("Intel 8080"), std::nullopt);
    EXPECT_EQ(arithmeticRulesFromKey(""), std::nullopt);
}

}  // namespace
}  // namespace verdin
