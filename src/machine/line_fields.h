// The three fields of a fixed-column source line (label in columns 0-6, mnemonic
// from column 8, operands from column 16), read without a machine, so that a query
// about a line (is it a call? the closing brace?) changes nothing.
#pragma once

#include <string_view>

namespace verdin {

// Views of the line they were split from: they live as long as its text.
struct LineFields {
    std::string_view label;     // columns 0-6, untrimmed
    std::string_view mnemonic;  // 2 to 4 characters from column 8, by the blanks at 10 and 11
    std::string_view operand;   // from column 16, without blanks around it
};

LineFields splitFields(std::string_view line);

}  // namespace verdin
