// The fixed-column source line: label in columns 0-6, mnemonic from column 8,
// operands from column 16. Every pass splits lines by these positions alone.
#include <algorithm>

#include "machine/line_fields.h"
#include "machine/machine.h"

namespace verdin {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// What normalizeLine puts between the fields before it expands it to their columns.
constexpr char kFieldSeparator = '\t';

// Position of the first ';' that stands outside single quotes, or npos.
size_t commentStart(std::string_view line) {
    bool inside = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\'') inside = !inside;
        else if (line[i] == ';' && !inside) return i;
    }
    return std::string_view::npos;
}
}  // namespace

std::string Machine::normalizeLine(std::string_view line) {
    // A ';' inside quotes is text (DB 'a;b'), so only an unquoted one starts a comment.
    std::string text(line.substr(0, commentStart(line)));
    text = TextTools::trim(text);
    // Text from other editors may be indented with TABs; left in front, a TAB would
    // push the mnemonic out of its columns.
    size_t start = text.find_first_not_of(" \t");
    text.erase(0, start == std::string::npos ? text.size() : start);

    bool inside = false;
    int blanks = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\'') inside = !inside;
        if (!isBlank(text[i])) continue;
        ++blanks;
        while (i + 1 < text.size() && isBlank(text[i + 1]) && blanks < 3 && !inside) {
            text.erase(i, 1);
        }
        if (text[i] == ' ' && !inside) {
            text.erase(i, 1);
            if (i == 0 || text[i - 1] != ',') text.insert(i, 1, kFieldSeparator);
        }
    }
    while (!text.empty() && isBlank(text.back())) text.pop_back();

    size_t colon = text.find(':');
    if (colon != std::string::npos && colon >= 7) {
        status = LabelNotDefined;
        return {};
    }
    if (colon == std::string::npos && !text.empty()) text.insert(0, 1, kFieldSeparator);

    std::string result;
    int column = 1;
    int lastTab = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '\'') quoted = !quoted;
        if (c == ';' && !quoted) break;
        if (c == kFieldSeparator) {
            int n;
            if (column < 9) n = 9 - column;
            else if (column > 9 && column < 17) n = 17 - column;
            else n = lastTab;
            lastTab = n;
            result += TextTools::spaces(n);
            column += n;
        } else {
            result += c;
            ++column;
        }
    }
    return result;
}

void Machine::splitLine(std::string_view line) {
    const LineFields fields = splitFields(line);
    mnemonicText = fields.mnemonic;
    operandText = fields.operand;
    labelField = fields.label;
}

}  // namespace verdin
