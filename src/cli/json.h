// A small JSON writer for the --state object: objects of numbers, arrays and strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verdin::cli {

// A JSON string literal. Bytes 128..255 come out as the code points of the same
// value, control characters as \u escapes.
std::string jsonString(std::string_view text);

template <typename Numbers>
std::string jsonArray(const Numbers& numbers) {
    std::string out = "[";
    bool first = true;
    for (auto n : numbers) {
        if (!first) out += ",";
        out += std::to_string(n);
        first = false;
    }
    return out + "]";
}

std::string jsonStringArray(const std::vector<std::string>& texts);

}  // namespace verdin::cli
