// The workbench's built-in help: every page, found by its id, by a context number of
// the windows, or by a topic typed at the terminal.
//
// The pages are compiled into the program (resources/help/ is embedded at build
// time): hand-written pages from resources/help/pages/<id>.md, and one page per
// mnemonic made from resources/help/instructions.tsv together with the instruction
// table, so that the bytes a page shows are the assembler's own.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {
struct Instruction;
struct StateForm;
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
// "rst 7" or "rst7", or the text of a message. "" when nothing matches. (A message
// box finds its own page by its code: Message::help.)
std::string pageForTopic(std::string_view topic);

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

// "MOV r,M", "PUSH p", "JZ label": a form of the states data as the pages write it.
std::string stateFormWritten(const StateForm& form);

// What an instruction does to one flag, as its page's summary says.
enum class FlagEffect { Result, Set, Reset, Unchanged, SeeBelow };
// The flags in the order of the summaries.
constexpr std::array<std::string_view, 5> kSummaryFlags = {"S", "Z", "AC", "P", "CY"};
struct FlagSummary {
    std::array<FlagEffect, 5> workbench{};
    std::array<FlagEffect, 5> intel{};
};
// The summary on the page of `mnemonic` (any case), or nothing for an unknown one.
std::optional<FlagSummary> flagSummaryOf(std::string_view mnemonic);
// "r 1 0 - *" read as the five effects; anything else is Unchanged.
std::array<FlagEffect, 5> parseFlagCodes(std::string_view codes);
std::string_view flagEffectWord(FlagEffect effect);

// The first column of the summary rows.
constexpr std::string_view kWorkbenchRulesLabel = "Workbench rules";
constexpr std::string_view kIntelRulesLabel = "Intel 8080 rules";
constexpr std::string_view kBothRulesLabel = "Both rule sets";
// The page with the summary row of the rule set in force marked, for the desktop's
// help, which knows the choice of the Options menu.
std::string markRulesInForce(std::string_view markdown, bool intelRules);

}  // namespace verdin::help
