// What the editor paints on one line: which
// characters are a mnemonic, a comment, selected or plain, and the runs of equal
// attribute in which the view draws them.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace verdin {

// The values are those of the paint attribute array.
enum class CharAttribute { Plain = 0, Mnemonic = 100, Comment = 200, Selected = 255 };

struct AttributeRun {
    int start = 0;   // column of the first character
    int length = 0;
    CharAttribute attribute = CharAttribute::Plain;
    bool operator==(const AttributeRun&) const = default;
};

// The editor's 78 instruction mnemonics in context-help order (no directives:
// EQU, DB, DW, DS, ORG and END are not coloured). The index is also the one the
// context help uses: help context 105 + 5 x index.
const std::array<std::string_view, 78>& editorMnemonics();
// Index of `word` (exact, capitals) in editorMnemonics(), or -1.
int editorMnemonicIndex(std::string_view word);
// Whether the colouring treats `word` (already in capitals) as a mnemonic. The shell
// keeps this predicate of its own so that it can later be pointed at the shared
// instruction table.
bool isMnemonic(std::string_view word);

using MnemonicPredicate = std::function<bool(std::string_view)>;

// A TAB from a loaded or pasted text separates words exactly as a blank does.
inline bool isBlankChar(char c) { return c == ' ' || c == '\t'; }
// Whether `c` ends a word for a double click: blanks, line ends, commas, quotes,
// colons and the comment sign; every other character may be part of a label.
bool endsWord(char c);
// The word of `line` that holds `column`, or ends just before it, as [first, second);
// an empty span off a word.
std::pair<int, int> wordSpanAt(std::string_view line, int column);

// Attributes of each character of `line`, whose first character lies at buffer
// offset `lineOffset`; the selection is [selectionLow, selectionHigh) in offsets
// (equal for none). Mnemonics are matched case-insensitively as whole words that
// start the line or follow a blank (or TAB) and are followed by one or the line end; a
// ";" outside single quotes starts a comment to the end of the line; the selection
// overrides both.
std::vector<CharAttribute> lineAttributes(std::string_view line, int lineOffset, int selectionLow,
                                          int selectionHigh,
                                          const MnemonicPredicate& mnemonic = isMnemonic);

// The same attributes as runs of equal attribute, in column order, covering the line.
std::vector<AttributeRun> attributeRuns(const std::vector<CharAttribute>& attributes);

}  // namespace verdin
