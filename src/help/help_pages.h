// The workbench's built-in help: every page, found by its id, by a context number of
// the windows, by a topic typed at the terminal or by the text of a message box.
//
// The pages are compiled into the program (resources/help/ is embedded at build
// time): hand-written pages from resources/help/pages/<id>.md, and one page per
// mnemonic made from resources/help/instructions.tsv together with the instruction
// table, so that the bytes a page shows are the assembler's own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdin {
struct Instruction;
}

namespace verdin::help {

struct Page {
    std::string id;
    std::string title;
    std::string markdown;
};

// Every page, the contents first.
const std::vector<Page>& pages();
// The page with `id` (anything after a '#' is ignored), or nullptr.
const Page* findPage(std::string_view id);

// Context numbers of the windows' Help commands.
constexpr int kMainWindowContext = 131200;   // F1, the find and replace dialogs
constexpr int kDebugWindowContext = 131202;  // the debug window's Help button
constexpr int kCalculatorContext = 131207;   // the calculator's "?" key
// The context of the mnemonic at `index` of the editor's list: 105 + 5 x index.
int mnemonicContext(int index);

// The page (id, possibly with "#anchor") a context number opens; "" for none.
std::string pageForContext(int contextNumber);

// What `verdin-cli help TOPIC` shows: a page id, a mnemonic or directive in any case,
// "rst 7" or "rst7", or the text of a message. "" when nothing matches.
std::string pageForTopic(std::string_view topic);

// The page that explains a message box's text ("errors#invalid-operand"), or "".
std::string pageForMessage(std::string_view message);

struct SearchHit {
    std::string pageId;
    std::string title;
    int score = 0;
};
// Pages holding every word of `query` (case-insensitive), best first: a word in the
// title counts more than a word in the text.
std::vector<SearchHit> search(std::string_view query);

// One way of writing an instruction and the bytes it assembles to; the operand
// placeholders n, nn and label stand for bytes that follow the opcode.
struct Encoding {
    std::string operands;  // e.g. "A,B", "B,nn", "n", "" for none
    int opcode = 0;
    int size = 1;
};
std::vector<Encoding> encodingsOf(const Instruction& instruction);

}  // namespace verdin::help
