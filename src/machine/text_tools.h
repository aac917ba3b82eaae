// The string utility of the core: fixed-position copies, trimming and upper-casing
// that the line parser, the handlers and the editor share.
//
// Every operation returns a fresh std::string, so no caller can be surprised by a
// shared result buffer being overwritten.
#pragma once

#include <string>
#include <string_view>

namespace verdin {

class TextTools {
public:
    TextTools() = delete;

    // Characters from `start`, at most `count`; empty when start >= size.
    static std::string mid(std::string_view text, int start, int count);
    // Characters from `start` to the end; empty when start > size.
    static std::string tail(std::string_view text, int start);
    // Without leading and trailing spaces (code 32 only; TABs stay).
    static std::string trim(std::string_view text);
    // Decimal text to a number, digit by digit from the right (see numbers.cpp).
    static double toNumber(std::string_view text);
    static std::string repeat(int n, std::string_view text);
    static std::string spaces(int n);
    // a..z to capitals in place; returns the length.
    static int upperInPlace(std::string& text);
    // A copy with a..z in capitals outside single quotes; each quote toggles.
    static std::string upperOutsideQuotes(std::string_view text);
};

}  // namespace verdin
