// The services' decimal floating-point number: five significant BCD digits and a
// two-digit decimal exponent in four memory cells, from -9.9999E+79 to +9.9999E+79.
//
//   cell p    bit 7 sign, bits 4..0 the first digit
//   cell p+1  digits 2 and 3 as BCD
//   cell p+2  digits 4 and 5 as BCD
//   cell p+3  bit 7 exponent sign, bits 6..0 the exponent as two BCD digits
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "services/service_support.h"

namespace verdin {

PackedNumber readPackedNumber(const ProcessorState& cpu, std::int32_t p) {
    auto cell = [&cpu](std::int32_t address) {
        return address >= 0 && address < kMemorySize ? cpu.memory[static_cast<std::size_t>(address)] : 0;
    };
    bool valid = true;
    const std::int32_t c0 = cell(p), c1 = cell(p + 1), c2 = cell(p + 2), c3 = cell(p + 3);
    const double sign = c0 >= 128 ? -1.0 : 1.0;
    const bool negativeExponent = c3 >= 128;
    const std::int32_t e7 = c3 & 0x7F;
    // Programs that build the exponent cell by hand sometimes store it in binary; a
    // low nibble that is no decimal digit is read that way.
    const std::int32_t exponent = (e7 % 16) <= 9 ? 10 * (e7 / 16) + e7 % 16 : e7;
    if (exponent > 79) valid = false;
    const std::int32_t first = c0 & 0x1F;
    if (first > 9) valid = false;
    // The digits as one whole number; a nibble above 9 flags the number and, as in
    // decimal text, counts as a 0 digit in its place.
    std::int32_t digits = first;
    for (std::int32_t byte : {c1, c2}) {
        for (std::int32_t nibble : {byte / 16, byte % 16}) {
            if (nibble > 9) valid = false;
            digits = digits * 10 + (nibble > 9 ? 0 : nibble);
        }
    }
    // The value is the double nearest to the decimal digits. Multiplying by 10 or 0.1
    // once per exponent step drifts: 1.1300E+2 would come out as 112.99999999999999,
    // and every integer conversion of it as 112.
    char text[32];
    std::snprintf(text, sizeof text, "%de%d", static_cast<int>(digits),
                  static_cast<int>((negativeExponent ? -exponent : exponent) - 4));
    return {sign * std::strtod(text, nullptr), valid};
}

std::int32_t writePackedNumber(ProcessorState& cpu, std::int32_t p, double value) {
    // An infinity or NaN has no digits to store: it is a result out of range, not
    // four cells of garbage that only a later read would notice.
    if (!std::isfinite(value)) return ResultOutOfRange;
    // Zero is four zero cells; a negative zero would otherwise keep its sign bit.
    if (value == 0.0) value = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%e", value);
    const std::string_view t(text);
    const std::size_t signAt = t.find_last_of("+-");
    std::int32_t exponent = 0;
    for (std::size_t i = signAt + 1; i < t.size(); ++i) exponent = exponent * 10 + (t[i] - '0');
    if (exponent > 79) return ResultOutOfRange;
    if (p < 0 || p > kLastNumberAddress) return OutOfMemory;
    const bool negative = t[0] == '-';
    const std::size_t d = negative ? 1 : 0;  // the first digit; the point follows it
    auto digit = [&](std::size_t i) { return static_cast<std::int32_t>(t[i] - '0'); };
    cpu.memory[static_cast<std::size_t>(p)] = (negative ? 128 : 0) + digit(d);
    cpu.memory[static_cast<std::size_t>(p + 1)] = digit(d + 2) * 16 + digit(d + 3);
    cpu.memory[static_cast<std::size_t>(p + 2)] = digit(d + 4) * 16 + digit(d + 5);
    cpu.memory[static_cast<std::size_t>(p + 3)] = (t[signAt] == '-' ? 128 : 0) + (exponent / 10) * 16 + exponent % 10;
    return Ok;
}

double readNumber(ServiceCall& m, std::int32_t high, std::int32_t low) {
    const PackedNumber n = readPackedNumber(m.cpu, high * 256 + low);
    m.status = n.valid ? Ok : InvalidNumber;
    return n.value;
}

void writeNumber(ServiceCall& m, double value) {
    const std::int32_t status = writePackedNumber(m.cpu, m.cpu.pairHL(), value);
    if (status != Ok) m.status = status;
}

std::string exponentText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%e", value);
    std::string s(text);
    // The C library may print two exponent digits; the screen always shows three.
    const std::size_t e = s.find('e');
    if (e == std::string::npos || e + 2 > s.size()) return s;
    const std::size_t digits = s.size() - (e + 2);
    if (digits < 3) s.insert(e + 2, 3 - digits, '0');
    return s;
}

std::string integerText(double value) {
    const double whole = std::trunc(value);
    if (whole == 0.0) return "0";
    // Beyond a 64-bit integer the digits still exist; a cast would not keep them.
    if (std::fabs(whole) < 9.0e18) return std::to_string(static_cast<long long>(whole));
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", whole);
    return text;
}

std::string generalText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

}  // namespace verdin
