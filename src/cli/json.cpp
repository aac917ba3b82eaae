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

}  // namespace verdin::cli
