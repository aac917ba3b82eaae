// Number syntax and formatting shared by operands, label patching, the debug window
// and the calculator. Decimal text is read digit by digit from the right rather than
// by a library routine, so that letters inside a number are skipped but keep their
// place ("1a2" is 102) exactly as programs written for this workbench expect.
#include "machine/numbers.h"

#include <cmath>
#include <cstdio>

#include "machine/text_tools.h"

namespace verdin {

namespace {
constexpr std::string_view kDecimalDigits = "0123456789";
constexpr std::string_view kHexDigits = "0123456789abcdefABCDEF";
constexpr std::string_view kOutputDigits = "0123456789ABCDEF";

// A digit position as an index for hexDigit; anything a 32-bit integer cannot hold
// (or NaN) maps to -1, which hexDigit refuses like any other out-of-range digit.
std::int32_t digitIndex(double v) {
    if (!(v > -1e9 && v < 1e9)) return -1;
    return static_cast<std::int32_t>(v);
}
}  // namespace

bool hasForeignChars(std::string_view text, bool hex) {
    std::string_view set = hex ? kHexDigits : kDecimalDigits;
    for (char c : text) {
        if (set.find(c) == std::string_view::npos) return true;
    }
    return false;
}

int hexDigitValue(std::string_view text) {
    if (text.empty()) return 0;
    char c = text[0];
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

double TextTools::toNumber(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    text.remove_prefix(start);
    double sign = (!text.empty() && text[0] == '-') ? -1.0 : 1.0;
    double value = 0.0;
    int place = 0;
    for (size_t i = text.size(); i-- > 0;) {
        char c = text[i];
        if (c >= '1' && c <= '9') {
            // Weighted in double: an integer power of ten would overflow past 9 digits.
            value += (c - '0') * std::pow(10.0, place);
        } else if (c == '.') {
            value /= std::pow(10.0, place);
            place = -1;
        }
        ++place;
    }
    return sign * value;
}

std::string intToText(std::int32_t n) { return std::to_string(n); }

std::optional<char> hexDigit(std::int32_t n) {
    if (n < 0 || n > 15) return std::nullopt;
    return kOutputDigits[static_cast<size_t>(n)];
}

HexNumber parseHex(std::string_view text, int digits) {
    HexNumber result;
    std::string copy(text);
    TextTools::upperInPlace(copy);
    if (hasForeignChars(copy, true)) result.fault = HexFault::ForeignCharacter;
    // The index advances past a deletion too, so of two foreign characters in a row the
    // second one survives and is caught in the digit step below.
    for (size_t i = 0; i < copy.size(); ++i) {
        char c = copy[i];
        bool digit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        if (!digit) copy.erase(i, 1);
    }
    if (copy.size() < static_cast<size_t>(digits)) {
        copy.insert(0, static_cast<size_t>(digits) - copy.size(), '0');
    }
    for (int i = 0; i < digits; ++i) {
        char c = copy[static_cast<size_t>(i)];
        std::int32_t d = 0;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            d = hexDigitValue(std::string_view(&c, 1));
        } else {
            result.fault = HexFault::NotADigit;
        }
        result.value = result.value * 16 + d;
    }
    return result;
}

std::string formatNumber(double value, int bytes, int spaced) {
    auto byteDigits = [](double v) {
        double low = std::fmod(std::ceil(v), 16.0);
        double high = std::floor(v / 16.0);
        if (high < 0) high = 0;
        std::string s(1, hexDigit(digitIndex(high)).value_or('0'));
        s += hexDigit(digitIndex(low)).value_or('0');
        return s;
    };
    if (bytes == 1) return byteDigits(value);
    double low = std::fmod(std::ceil(value), 256.0);
    double high = std::floor(value / 256.0);
    if (high < 0) high = 0;
    std::string result = byteDigits(std::trunc(high));
    if (spaced == 1) result += ' ';
    result += byteDigits(std::trunc(low));
    return result;
}

std::string hex2(std::int32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value) & 0xFFu);
    return text;
}

std::string hex4(std::int32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value) & 0xFFFFu);
    return text;
}

std::string toBinaryText(std::int32_t v) {
    if (v < 0) return "10000000";
    std::string text;
    for (int i = 7; i >= 0; --i) {
        std::int32_t weight = 1 << i;
        text += (v / weight != 0) ? '1' : '0';
        if (v >= weight) v -= weight;
    }
    return text;
}

std::optional<std::int32_t> fromBinaryText(std::string_view text) {
    if (text.size() > 9 || text.empty() || text.back() != 'B') return std::nullopt;
    text.remove_suffix(1);
    std::int32_t value = 0;
    for (char c : text) {
        if (c != '0' && c != '1') return std::nullopt;
        value = value * 2 + (c - '0');
    }
    return value;
}

}  // namespace verdin
