#include "cli/json.h"

#include <cstdio>

namespace verdin::cli {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '"') out += "\\\"";
        else if (c == '\\') out += "\\\\";
        else if (c >= 32 && c < 127) out += static_cast<char>(c);
        else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        }
    }
    return out + "\"";
}

std::string jsonStringArray(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += ",";
        out += jsonString(texts[i]);
    }
    return out + "]";
}

std::string stateJson(const Machine& m, const std::vector<std::pair<int, int>>& memoryRanges,
                      std::optional<std::int32_t> selected) {
    std::string json = "{";
    auto field = [&](const std::string& name, const std::string& value) {
        if (json.size() > 1) json += ",";
        json += jsonString(name) + ":" + value;
    };
    const std::pair<const char*, std::int32_t> registers[] = {
        {"A", m.fields().regA}, {"B", m.fields().regB}, {"C", m.fields().regC}, {"D", m.fields().regD}, {"E", m.fields().regE}, {"H", m.fields().regH}, {"L", m.fields().regL}};
    for (const auto& [name, value] : registers) field(name, std::to_string(value));
    field("F", std::to_string(m.composeFlags()));
    field("SP", std::to_string(m.fields().sp));
    field("PC", std::to_string(m.fields().stopAddress));
    field("flags", "{\"S\":" + std::to_string(m.fields().flagS) + ",\"Z\":" + std::to_string(m.fields().flagZ) +
                       ",\"AC\":" + std::to_string(m.fields().flagAC) + ",\"P\":" + std::to_string(m.fields().flagP) +
                       ",\"CY\":" + std::to_string(m.fields().flagCY) + "}");
    field("in", jsonArray(m.fields().inPorts));
    field("out", jsonArray(m.fields().outPorts));
    field("status", std::to_string(m.fields().lastStatus));
    field("line", std::to_string(m.fields().currentLine));
    // The entry the debug window selects: the line the next Step executes.
    if (selected) field("nextLine", std::to_string(*selected));
    field("rules", jsonString(arithmeticRulesKey(m.fields().arithmeticRules)));
    field("timing", jsonString(timingKey(m.fields().timing)));
    field("states", std::to_string(m.fields().states));
    field("screen", jsonStringArray(m.services().screenLines()));
    if (!memoryRanges.empty()) {
        std::string memory = "{";
        for (const auto& [start, count] : memoryRanges) {
            if (memory.size() > 1) memory += ",";
            std::vector<std::int32_t> cells(m.fields().memory.begin() + start, m.fields().memory.begin() + start + count);
            memory += jsonString(std::to_string(start)) + ":" + jsonArray(cells);
        }
        field("memory", memory + "}");
    }
    return json + "}";
}

}  // namespace verdin::cli
