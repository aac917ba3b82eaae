#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

std::string normal(const std::string& line) {
    HeadlessPlatform platform;
    Machine m(platform);
    return TextTools::upperOutsideQuotes(m.normalizeLine(line));
}

std::string sp(int n) { return std::string(static_cast<size_t>(n), ' '); }

// Verify that free-form lines land in the fixed columns every pass relies on.
TEST(LineParser, NormalisesIntoFixedColumns) {
    EXPECT_EQ(normal("  loop:  mvi a,5  ; init"), "LOOP:" + sp(3) + "MVI" + sp(5) + "A,5");
    EXPECT_EQ(normal("mov a, b"), sp(8) + "MOV" + sp(5) + "A,B");
    EXPECT_EQ(normal("mov a,  b"), sp(8) + "MOV" + sp(5) + "A,B");
    EXPECT_EQ(normal("\tlhld\t1234h"), sp(8) + "LHLD" + sp(4) + "1234H");
    EXPECT_EQ(normal("start:"), "START:");
    EXPECT_EQ(normal("nop"), sp(8) + "NOP");
}

// Verify that the third blank run is not shrunk, leaving one space after the comma.
TEST(LineParser, ThirdBlankRunKeepsOneSpaceAfterComma) {
    EXPECT_EQ(normal("loop:  mvi a,  5"), "LOOP:" + sp(3) + "MVI" + sp(5) + "A, 5");
}

// Verify that quoted text keeps its case, blanks and semicolons.
TEST(LineParser, QuotedTextIsKeptAsTyped) {
    EXPECT_EQ(normal("mvi a,'x'"), sp(8) + "MVI" + sp(5) + "A,'x'");
    EXPECT_EQ(normal("db 'a b;c' ; note"), sp(8) + "DB" + sp(6) + "'a b;c'");
    EXPECT_EQ(normal("mvi a,';'"), sp(8) + "MVI" + sp(5) + "A,';'");
}

// Verify that a colon at column 8 or later is refused with status 5 and no text.
TEST(LineParser, LongLabelIsRefused) {
    HeadlessPlatform platform;
    Machine m(platform);
    EXPECT_EQ(m.normalizeLine("toolong: nop"), "");
    EXPECT_EQ(m.status, LabelNotDefined);
}

// Verify that the mnemonic width is decided by columns 10 and 11.
TEST(LineParser, SplitsByColumns) {
    HeadlessPlatform platform;
    Machine m(platform);
    // The fields view the line, which must outlive them.
    std::string line = sp(8) + "JZ" + sp(6) + "LOOP";
    m.splitLine(line);
    EXPECT_EQ(m.mnemonicText, "JZ");
    EXPECT_EQ(m.operandText, "LOOP");
    EXPECT_EQ(m.labelField, sp(7));
    line = "LOOP:" + sp(3) + "LHLD" + sp(4) + "1234H  ";
    m.splitLine(line);
    EXPECT_EQ(m.mnemonicText, "LHLD");
    EXPECT_EQ(m.labelField, "LOOP:  ");
    EXPECT_EQ(m.operandText, "1234H");
    line = sp(8) + "NOP";
    m.splitLine(line);
    EXPECT_EQ(m.mnemonicText, "NOP");
    EXPECT_EQ(m.operandText, "");
    line = "START:";
    m.splitLine(line);
    EXPECT_EQ(m.labelField, "START:");
    EXPECT_EQ(m.mnemonicText, "");
}

TEST(TextTools, CopiesStopAtTheEndOfTheText) {
    EXPECT_EQ(TextTools::mid("ABC", 1, 5), "BC");
    EXPECT_EQ(TextTools::mid("ABC", 3, 1), "");
    EXPECT_EQ(TextTools::mid("ABC", 9, 1), "");
    EXPECT_EQ(TextTools::tail("ABC", 3), "");
    EXPECT_EQ(TextTools::tail("ABC", 4), "");
    EXPECT_EQ(TextTools::trim("  a\tb  "), "a\tb");
    EXPECT_EQ(TextTools::repeat(3, "ab"), "ababab");
    EXPECT_EQ(TextTools::repeat(0, "ab"), "");
    EXPECT_EQ(TextTools::spaces(-1), "");
    EXPECT_EQ(TextTools::upperOutsideQuotes("mvi a,'b'c'd'"), "MVI A,'b'C'd'");
}

}  // namespace
}  // namespace verdin
