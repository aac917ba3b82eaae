// Flag helpers. Parity comes from a table built once, because it is computed on
// almost every arithmetic line of a run.
#include <array>

#include "machine/machine.h"

namespace verdin {

std::string Machine::toBinaryText(std::int32_t v) {
    // A value that has gone below zero (DCR of 0, before the wrap) is written as a
    // single one in bit 7; 256 (INR of 255) as eight ones.
    if (v < 0) return "10000000";
    std::string text;
    for (int i = 7; i >= 0; --i) {
        std::int32_t weight = 1 << i;
        text += (v / weight != 0) ? '1' : '0';
        if (v >= weight) v -= weight;
    }
    return text;
}

std::int32_t Machine::fromBinaryText(std::string_view text) {
    if (text.size() > 9 || text.empty() || text.back() != 'B') return -1;
    text.remove_suffix(1);
    std::int32_t value = 0;
    for (char c : text) {
        if (c != '0' && c != '1') return -1;
        value = value * 2 + (c - '0');
    }
    return value;
}

std::int32_t Machine::parityEven(std::int32_t v) {
    static const std::array<std::int32_t, 256> table = [] {
        std::array<std::int32_t, 256> t{};
        for (int i = 0; i < 256; ++i) {
            int ones = 0;
            for (int b = 0; b < 8; ++b) ones += (i >> b) & 1;
            t[static_cast<size_t>(i)] = ones % 2 == 0 ? 1 : 0;
        }
        return t;
    }();
    if (v >= 0 && v < 256) return table[static_cast<size_t>(v)];
    std::string text = toBinaryText(v);
    int ones = 0;
    for (char c : text) ones += c == '1';
    return ones % 2 == 0 ? 1 : 0;
}

}  // namespace verdin
