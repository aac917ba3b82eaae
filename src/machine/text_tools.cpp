#include "machine/text_tools.h"

namespace verdin {

std::string TextTools::mid(std::string_view text, int start, int count) {
    if (start < 0 || count <= 0 || static_cast<size_t>(start) >= text.size()) return {};
    return std::string(text.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

std::string TextTools::tail(std::string_view text, int start) {
    if (start < 0 || static_cast<size_t>(start) > text.size()) return {};
    return std::string(text.substr(static_cast<size_t>(start)));
}

std::string TextTools::trim(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string TextTools::repeat(int n, std::string_view text) {
    std::string result;
    for (int i = 0; i < n; ++i) result += text;
    return result;
}

std::string TextTools::spaces(int n) {
    return n < 1 ? std::string() : std::string(static_cast<size_t>(n), ' ');
}

int TextTools::upperInPlace(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return static_cast<int>(text.size());
}

std::string TextTools::upperOutsideQuotes(std::string_view text) {
    std::string result(text);
    bool inside = false;
    for (char& c : result) {
        if (c == '\'') {
            inside = !inside;
        } else if (!inside && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

}  // namespace verdin
