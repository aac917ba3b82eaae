#include "shell/context_help.h"

#include <algorithm>
#include <string>

#include "shell/editor_syntax.h"

namespace verdin {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

int mnemonicHelpContext(std::string_view line, int column) {
    const int length = static_cast<int>(line.size());
    const int at = std::clamp(column, 0, length);
    int start = at;
    while (start > 0 && !isBlank(line[static_cast<size_t>(start - 1)])) --start;
    int end = at;
    while (end < length && !isBlank(line[static_cast<size_t>(end)])) ++end;
    std::string word(line.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    for (char& c : word) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    const int index = editorMnemonicIndex(word);
    return index < 0 ? -1 : 105 + 5 * index;
}

std::string helpWordAt(std::string_view line, int column) {
    const auto [start, end] = wordSpanAt(line, column);
    std::string word(line.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    for (char& c : word) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return word;
}

}  // namespace verdin
