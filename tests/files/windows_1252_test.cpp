#include "files/windows_1252.h"

#include <gtest/gtest.h>

#include <string>

namespace verdin {
namespace {

// Every byte survives the way out to a window and back, the five bytes the code page
// leaves undefined included: the input box returns what it offered.
TEST(Windows1252, EveryByteComesBackFromItsText) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const Windows1252Text back = utf8ToWindows1252(windows1252ToUtf8(all));
    EXPECT_EQ(back.bytes, all);
    EXPECT_EQ(back.leftOut, 0u);
    EXPECT_EQ(back.replaced, 0u);
}

TEST(Windows1252, ProgramBytesReadAsTheirCharacters) {
    EXPECT_EQ(windows1252ToUtf8("\x80 \x93quoted\x94 \x96"), "€ “quoted” –");
    EXPECT_EQ(utf8ToWindows1252("JMP CAFÉ ; € “x”").bytes, "JMP CAF\xC9 ; \x80 \x93x\x94");
}

// Pasted text: what has a byte keeps it, typographic quotes and dashes without one
// become their ASCII, anything else is counted and left out.
TEST(Windows1252, CharactersWithoutAByteAreReplacedOrLeftOut) {
    const Windows1252Text quotes = utf8ToWindows1252("‛a‟ b′ c″ 1‐2 3−4 5―6");
    EXPECT_EQ(quotes.bytes, "'a\" b' c\" 1-2 3-4 5-6");
    EXPECT_EQ(quotes.replaced, 7u);
    EXPECT_EQ(quotes.leftOut, 0u);

    const Windows1252Text other = utf8ToWindows1252("a→b😀c€");
    EXPECT_EQ(other.bytes, "abc\x80");
    EXPECT_EQ(other.leftOut, 2u);

    // Bytes that are no UTF-8 at all are left out one by one.
    const Windows1252Text broken = utf8ToWindows1252("x\xC3y\xE2\x82z\xFF");
    EXPECT_EQ(broken.bytes, "xyz");
    EXPECT_EQ(broken.leftOut, 4u);
}

TEST(Windows1252, TellsUtf8FilesFromSingleByteOnes) {
    EXPECT_FALSE(isUtf8BeyondAscii("DB 'caf\xE9'")) << "a lone é byte is no UTF-8";
    EXPECT_FALSE(isUtf8BeyondAscii("plain ASCII"));
    EXPECT_FALSE(isUtf8BeyondAscii("\xC3\xA9\xE9")) << "one bad byte makes the whole file single bytes";
    EXPECT_FALSE(isUtf8BeyondAscii("\xC0\xAF")) << "an overlong form is no UTF-8";
    EXPECT_FALSE(isUtf8BeyondAscii("\xED\xA0\x80")) << "nor is a surrogate";
}

}  // namespace
}  // namespace verdin
