// Number syntax and formatting shared by operands, label patching, the debug window,
// the listing, the hints and the calculator. Every function here returns its result
// and reads no machine, so a const view of the machine, or none, can format a value.
//
// Usage:
//   verdin::formatNumber(4660, 2, 1);          // "12 34"
//   verdin::hex4(0x3FFE);                      // "3FFE"
//   auto h = verdin::parseHex("0c8", 2);       // h.value == 0x0C, h.fault == HexFault::None
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace verdin {

// True when some character of `text` is outside the decimal (hex = false) or
// hexadecimal (hex = true) digit set; false for the empty text.
bool hasForeignChars(std::string_view text, bool hex);
// 10..15 for A..F or a..f, 0 for anything else.
int hexDigitValue(std::string_view text);

// n in decimal ("%d").
std::string intToText(std::int32_t n);

// The capital digit "0".."F" of n from 0 to 15; nothing for any other n.
std::optional<char> hexDigit(std::int32_t n);

// What parseHex found wrong with its text. A character outside the hexadecimal
// digits is ForeignCharacter even when the digits counted are good; NotADigit (one of
// the counted digits is no digit) outranks it.
enum class HexFault : std::uint8_t { None, ForeignCharacter, NotADigit };
struct HexNumber {
    std::int32_t value = 0;  // computed whatever the fault, a bad digit counting as 0
    HexFault fault = HexFault::None;
};
// The value of the first `digits` hexadecimal digits of `text` (either case), after
// every character that is no digit has been dropped, a second one in a row excepted;
// a shorter text is read with zeros in front. "123" read with 2 digits is 0x12.
HexNumber parseHex(std::string_view text, int digits);

// Hexadecimal text of `value` in capitals: 2 digits for a byte count of 1, else 4,
// with one space between the high and the low byte when `spaced` is 1. For whole
// values 0..255 (0..65535) this is the plain form with leading zeros; a digit that
// falls outside 0..15 (a value past the range, NaN) is written "0", and a negative
// value is written as zeros.
std::string formatNumber(double value, int bytes, int spaced);

// A byte as two digits and a 16-bit value as four, in capitals; bits above are
// masked off, so a stray value never prints more digits.
std::string hex2(std::int32_t value);
std::string hex4(std::int32_t value);

// 8 characters "0"/"1", most significant first. A value that has gone below zero
// (DCR of 0, before the wrap) is written as a single one in bit 7; 256 (INR of 255)
// as eight ones.
std::string toBinaryText(std::int32_t v);
// The value of base-2 text ending in "B", at most 8 digits; nothing for other text.
std::optional<std::int32_t> fromBinaryText(std::string_view text);

}  // namespace verdin
