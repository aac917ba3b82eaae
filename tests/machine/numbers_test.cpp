#include <gtest/gtest.h>

#include <cmath>

#include "support.h"

namespace verdin {
namespace {

TEST(Numbers, ParseHexReadsTheFirstDigitsAndNamesItsFault) {
    struct Case {
        const char* text;
        int digits;
        std::int32_t value;
        HexFault fault;
    };
    for (const Case& c : {Case{"ff", 2, 255, HexFault::None}, Case{"F", 4, 15, HexFault::None},
                          Case{"123", 2, 0x12, HexFault::None}, Case{"1G2", 2, 0x12, HexFault::ForeignCharacter},
                          // Of two foreign characters in a row the second survives the
                          // deletion step and is caught as a bad digit.
                          Case{"GG", 2, 0, HexFault::NotADigit}}) {
        const HexNumber n = parseHex(c.text, c.digits);
        EXPECT_EQ(n.value, c.value) << c.text;
        EXPECT_EQ(n.fault, c.fault) << c.text;
    }
}

// The operand readers report a fault as the line's status and leave a good one alone.
TEST(Numbers, ReadHexSetsTheStatusOfAFault) {
    HeadlessPlatform platform;
    Machine m(platform);
    EXPECT_EQ(m.readHex("3e", 2), 0x3E);
    EXPECT_EQ(m.fields().status, Ok);
    EXPECT_EQ(m.readHex("1G2", 2), 0x12);
    EXPECT_EQ(m.fields().status, IllegalCharacters);
    m.readHex("GG", 2);
    EXPECT_EQ(m.fields().status, InvalidOperand);
}

// A digit out of range is refused rather than the previous call's digit repeated, so
// a value's text never depends on what was formatted before it.
TEST(Numbers, FormattingDependsOnTheValueAlone) {
    EXPECT_EQ(hexDigit(12), 'C');
    EXPECT_EQ(hexDigit(0), '0');
    EXPECT_EQ(hexDigit(16), std::nullopt);
    EXPECT_EQ(hexDigit(-1), std::nullopt);
    EXPECT_EQ(formatNumber(10, 1, 0), "0A");
    EXPECT_EQ(formatNumber(4660, 2, 0), "1234");
    EXPECT_EQ(formatNumber(4660, 2, 1), "12 34");
    EXPECT_EQ(formatNumber(-5, 2, 1), "00 00");
    EXPECT_EQ(formatNumber(1e30, 2, 0), "0000");
    formatNumber(0xFFFF, 2, 0);
    EXPECT_EQ(formatNumber(0x10000, 2, 0), "0000");
    EXPECT_EQ(formatNumber(std::nan(""), 1, 0), "00");
    EXPECT_EQ(hex2(0x1AB), "AB");
    EXPECT_EQ(hex4(-1), "FFFF");
    EXPECT_EQ(intToText(-42), "-42");
}

TEST(Numbers, BinaryText) {
    EXPECT_EQ(toBinaryText(5), "00000101");
    EXPECT_EQ(toBinaryText(256), "11111111");
    EXPECT_EQ(toBinaryText(-1), "10000000");
    EXPECT_EQ(fromBinaryText("101B"), 5);
    EXPECT_EQ(fromBinaryText("11111111B"), 255);
    EXPECT_EQ(fromBinaryText("111111111B"), std::nullopt);
    EXPECT_EQ(fromBinaryText("102B"), std::nullopt);
    EXPECT_EQ(fromBinaryText("101"), std::nullopt);
}

TEST(Numbers, ToNumberReadsDigitsFromTheRight) {
    EXPECT_EQ(TextTools::toNumber("  42"), 42);
    EXPECT_EQ(TextTools::toNumber(""), 0);
    EXPECT_EQ(TextTools::toNumber("12.5"), 12.5);
    EXPECT_EQ(TextTools::toNumber("-7"), -7);
    EXPECT_EQ(TextTools::toNumber("0.125"), 0.125);
    EXPECT_EQ(TextTools::toNumber("1a2"), 102);
    EXPECT_EQ(TextTools::toNumber("12345678901"), 12345678901.0);
}

TEST(Numbers, ForeignCharacters) {
    EXPECT_FALSE(hasForeignChars("", false));
    EXPECT_FALSE(hasForeignChars("", true));
    EXPECT_TRUE(hasForeignChars("-5", false));
    EXPECT_FALSE(hasForeignChars("09", false));
    EXPECT_FALSE(hasForeignChars("aF09", true));
    EXPECT_TRUE(hasForeignChars("AG", true));
    EXPECT_EQ(hexDigitValue("a"), 10);
    EXPECT_EQ(hexDigitValue("F"), 15);
    EXPECT_EQ(hexDigitValue("9"), 0);
}

}  // namespace
}  // namespace verdin
