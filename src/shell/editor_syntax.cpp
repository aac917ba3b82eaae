#include "shell/editor_syntax.h"

#include <algorithm>

namespace verdin {

const std::array<std::string_view, 78>& editorMnemonics() {
    // The editor's own mnemonic table, in the order the context help numbers it.
    static const std::array<std::string_view, 78> table = {
        "NOP",  "LXI", "STAX", "LDAX", "INX", "INR", "DCX", "DCR",  "MVI",  "DAD",  "LHLD", "SHLD",
        "LDA",  "STA", "MOV",  "ADD",  "ADI", "ADC", "ACI", "SUB",  "SUI",  "SBB",  "SBI",  "ANA",
        "ANI",  "XRA", "XRI",  "ORA",  "ORI", "CMP", "CPI", "PUSH", "POP",  "JMP",  "JZ",   "JNZ",
        "JC",   "JNC", "JPE",  "JPO",  "JM",  "JP",  "CALL", "CZ",  "CNZ",  "CC",   "CNC",  "CPE",
        "CPO",  "CM",  "CP",   "RET",  "RZ",  "RNZ", "RC",  "RNC",  "RPE",  "RPO",  "RM",   "RP",
        "RST",  "EI",  "DI",   "IN",   "OUT", "RLC", "RRC", "RAL",  "RAR",  "DAA",  "CMA",  "STC",
        "CMC",  "HLT", "XTHL", "PCHL", "XCHG", "SPHL"};
    return table;
}

int editorMnemonicIndex(std::string_view word) {
    const auto& table = editorMnemonics();
    const auto it = std::find(table.begin(), table.end(), word);
    return it == table.end() ? -1 : static_cast<int>(it - table.begin());
}

bool isMnemonic(std::string_view word) { return editorMnemonicIndex(word) >= 0; }

bool endsWord(char c) {
    switch (c) {
        case ' ': case '\t': case '\r': case ',': case '\'': case '"': case ':': case ';': return true;
        default: return false;
    }
}

std::pair<int, int> wordSpanAt(std::string_view line, int column) {
    const int length = static_cast<int>(line.size());
    const auto ends = [&](int at) { return endsWord(line[static_cast<size_t>(at)]); };
    int start = std::clamp(column, 0, length);
    // A click on the right half of a word's last character lands after it.
    if ((start == length || ends(start)) && start > 0 && !ends(start - 1)) --start;
    if (start >= length || ends(start)) return {start, start};
    int end = start;
    while (start > 0 && !ends(start - 1)) --start;
    while (end < length && !ends(end)) ++end;
    return {start, end};
}

std::vector<CharAttribute> lineAttributes(std::string_view line, int lineOffset, int selectionLow,
                                          int selectionHigh, const MnemonicPredicate& mnemonic) {
    const int n = static_cast<int>(line.size());
    std::vector<CharAttribute> attributes(line.size(), CharAttribute::Plain);
    std::string upper(line);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }

    bool quoted = false;
    int i = 0;
    while (i < n) {
        // A mnemonic is a whole blank-delimited word: the word from i up to the next
        // blank must be one, so at most one mnemonic can match at i.
        if (!quoted && (i == 0 || isBlankChar(upper[static_cast<size_t>(i - 1)]))) {
            const size_t blank = upper.find_first_of(" \t", static_cast<size_t>(i));
            const int end = blank == std::string::npos ? n : static_cast<int>(blank);
            if (end > i && mnemonic(std::string_view(upper).substr(static_cast<size_t>(i),
                                                                   static_cast<size_t>(end - i)))) {
                std::fill(attributes.begin() + i, attributes.begin() + end, CharAttribute::Mnemonic);
                i = end;
                continue;
            }
        }
        const char c = upper[static_cast<size_t>(i)];
        if (c == '\'') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            std::fill(attributes.begin() + i, attributes.end(), CharAttribute::Comment);
            break;
        }
        ++i;
    }

    if (selectionLow < selectionHigh) {
        for (int k = 0; k < n; ++k) {
            const int offset = lineOffset + k;
            if (offset >= selectionLow && offset < selectionHigh) {
                attributes[static_cast<size_t>(k)] = CharAttribute::Selected;
            }
        }
    }
    return attributes;
}

std::vector<AttributeRun> attributeRuns(const std::vector<CharAttribute>& attributes) {
    std::vector<AttributeRun> runs;
    for (size_t k = 0; k < attributes.size(); ++k) {
        if (runs.empty() || runs.back().attribute != attributes[k]) {
            runs.push_back({static_cast<int>(k), 0, attributes[k]});
        }
        ++runs.back().length;
    }
    return runs;
}

}  // namespace verdin
