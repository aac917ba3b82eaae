// The three fields of a fixed-column source line (label in columns 0-6, mnemonic
// from column 8, operands from column 16), read without a machine, so that a query
// about a line (is it a call? the closing brace?) changes nothing.
#pragma once

#include <algorithm>
#include <string_view>

namespace verdin {

// Views of the line they were split from: they live as long as its text.
struct LineFields {
    std::string_view label;     // columns 0-6, untrimmed
    std::string_view mnemonic;  // 2 to 4 characters from column 8, by the blanks at 10 and 11
    std::string_view operand;   // from column 16, without blanks around it
};

// Runs before every line a prescan or an undecoded run walks: inline, and making views
// instead of building temporary strings.
inline LineFields splitFields(std::string_view line) {
    LineFields fields;
    auto at = [&](size_t i) { return i < line.size() ? line[i] : '\0'; };
    bool space10 = at(10) == ' ';
    bool space11 = at(11) == ' ';
    size_t length = 4;
    if (space10 && space11) length = 2;
    else if (!space10 && space11) length = 3;
    if (line.size() > 8) fields.mnemonic = line.substr(8, length);
    std::string_view operand = line.size() > 16 ? line.substr(16) : std::string_view();
    size_t first = operand.find_first_not_of(' ');
    if (first != std::string_view::npos) {
        size_t last = operand.find_last_not_of(' ');
        fields.operand = operand.substr(first, last - first + 1);
    }
    fields.label = line.substr(0, std::min<size_t>(7, line.size()));
    return fields;
}

}  // namespace verdin
