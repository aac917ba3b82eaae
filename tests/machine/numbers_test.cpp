#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

TEST(Numbers, ParseHexReadsTheFirstDigitsAndFlagsForeignCharacters) {
    HeadlessPlatform platform;
    Machine m(platform);
    EXPECT_EQ(m.parseHex("ff", 2), 255);
    EXPECT_EQ(m.status, Ok);
    EXPECT_EQ(m.parseHex("F", 4), 15);
    EXPECT_EQ(m.parseHex("123", 2), 0x12);
    EXPECT_EQ(m.status, Ok);
    EXPECT_EQ(m.parseHex("1G2", 2), 0x12);
    EXPECT_EQ(m.status, IllegalCharacters);
    m.status = Ok;
    // Of two foreign characters in a row the second survives the deletion step
    // and is caught as a bad digit.
    m.parseHex("GG", 2);
    EXPECT_EQ(m.status, InvalidOperand);
}

// Values out of range must not crash, whatever digits they give; the debug lists'
// tests check the digits of values in range.
TEST(Numbers, OutOfRangeDigitsAreHarmless) {
    HeadlessPlatform platform;
    Machine m(platform);
    EXPECT_EQ(m.hexDigit(12), "C");
    EXPECT_EQ(m.hexDigit(16), "C") << "the previous digit is kept";
    EXPECT_EQ(m.hexDigit(-1), "C");
    EXPECT_EQ(m.formatNumber(1e30, 2, 0).size(), 4u);
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
