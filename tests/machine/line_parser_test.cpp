#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

std::string sp(int n) { return std::string(static_cast<size_t>(n), ' '); }

// Free-form lines land in the fixed columns every pass relies on. The third blank run
// is not shrunk, so one space stays after the comma; quoted text keeps its case,
// blanks and semicolons.
TEST(LineParser, NormalisesIntoFixedColumns) {
    const std::pair<std::string, std::string> cases[] = {
        {"  loop:  mvi a,5  ; init", "LOOP:" + sp(3) + "MVI" + sp(5) + "A,5"},
        {"mov a, b", sp(8) + "MOV" + sp(5) + "A,B"},
        {"mov a,  b", sp(8) + "MOV" + sp(5) + "A,B"},
        {"\tlhld\t1234h", sp(8) + "LHLD" + sp(4) + "1234H"},
        {"start:", "START:"},
        {"nop", sp(8) + "NOP"},
        {"loop:  mvi a,  5", "LOOP:" + sp(3) + "MVI" + sp(5) + "A, 5"},
        {"mvi a,'x'", sp(8) + "MVI" + sp(5) + "A,'x'"},
        {"db 'a b;c' ; note", sp(8) + "DB" + sp(6) + "'a b;c'"},
        {"mvi a,';'", sp(8) + "MVI" + sp(5) + "A,';'"},
    };
    HeadlessPlatform platform;
    Machine m(platform);
    for (const auto& [line, normal] : cases) {
        EXPECT_EQ(TextTools::upperOutsideQuotes(m.normalizeLine(line)), normal) << line;
    }
}

// A colon at column 8 or later is refused with status 5 and no text.
TEST(LineParser, LongLabelIsRefused) {
    HeadlessPlatform platform;
    Machine m(platform);
    EXPECT_EQ(m.normalizeLine("toolong: nop"), "");
    EXPECT_EQ(m.fields().status, LabelNotDefined);
}

// The mnemonic's width is decided by columns 10 and 11.
TEST(LineParser, SplitsByColumns) {
    const struct {
        std::string line, label, mnemonic, operand;
    } cases[] = {
        {sp(8) + "JZ" + sp(6) + "LOOP", sp(7), "JZ", "LOOP"},
        {"LOOP:" + sp(3) + "LHLD" + sp(4) + "1234H  ", "LOOP:  ", "LHLD", "1234H"},
        {sp(8) + "NOP", sp(7), "NOP", ""},
        {"START:", "START:", "", ""},
    };
    HeadlessPlatform platform;
    Machine m(platform);
    for (const auto& c : cases) {
        m.splitLine(c.line);  // the fields view the line, which outlives them here
        EXPECT_EQ(m.fields().labelField, c.label) << c.line;
        EXPECT_EQ(m.fields().mnemonicText, c.mnemonic) << c.line;
        EXPECT_EQ(m.fields().operandText, c.operand) << c.line;
    }
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
