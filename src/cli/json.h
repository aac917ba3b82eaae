// A small JSON writer for the --state object: objects of numbers, arrays and strings.
// The browser edition writes its machine state with the same function, so that its
// results compare with verdin-cli's field by field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "machine/machine.h"

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

// The --state object: registers, flags, ports, status, lines, states, the text screen
// and the memory cells of `memoryRanges` (start, count; already checked against the
// memory size). `selected`: for step, the entry the debug window selects, the line the
// next Step executes.
std::string stateJson(const Machine& m, const std::vector<std::pair<int, int>>& memoryRanges,
                      std::optional<std::int32_t> selected);

}  // namespace verdin::cli
