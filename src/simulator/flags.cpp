// Flag helpers.
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

std::int32_t Machine::parityEvenBeyondByte(std::int32_t v) {
    // Values outside a byte (a sum before it is reduced) count the ones of the text
    // the debug window would show for them.
    std::string text = toBinaryText(v);
    int ones = 0;
    for (char c : text) ones += c == '1';
    return ones % 2 == 0 ? 1 : 0;
}

}  // namespace verdin
