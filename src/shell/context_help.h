// Context help numbers: the mnemonic a right click lands on, and the main window's own.
#pragma once

#include <string>
#include <string_view>

namespace verdin {

// F1 in the main window.
constexpr int kMainWindowHelpContext = 131200;

// The help context of the mnemonic around `column` of `line`: the word bounded by
// blanks (or TABs) that holds the column or ends just before it, in any case, as
// 105 + 5 x its index in editorMnemonics(). -1 for anything else (a label, an
// operand, a directive, a blank).
int mnemonicHelpContext(std::string_view line, int column);

// The word of `line` around `column` as a double click takes it (endsWord() delimits
// it), in capitals: what "Help on the word" looks up. Empty off a word.
std::string helpWordAt(std::string_view line, int column);

}  // namespace verdin
