// The help can never drift from the workbench: every example is assembled and run
// and its stated results compared with the machine, every byte table with the
// assembler, every link and context number with the pages that exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "arrange.h"
#include "help/help_pages.h"
#include "help/markdown.h"
#include "isa/instruction_states.h"
#include "isa/instruction_table.h"
#include "machine/machine.h"
#include "scratch_folder.h"
#include "shell/commands.h"
#include "shell/editor_syntax.h"
#include "services/services.h"

namespace verdin {
namespace {

std::vector<std::string> linesOf(const std::string& code) {
    std::vector<std::string> lines;
    std::istringstream in(code);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// "05H", "0FFH" or "12": the value of one Expect number, or -1 when it is none.
long valueOf(const std::string& text) {
    if (text.empty()) return -1;
    char* end = nullptr;
    const bool hex = text.back() == 'H';
    std::string digits = hex ? text.substr(0, text.size() - 1) : text;
    long value = std::strtol(digits.c_str(), &end, hex ? 16 : 10);
    return end != nullptr && *end == '\0' && !digits.empty() ? value : -1;
}

// The differences between an Expect line and the machine, one per wrong item; an item
// the checker cannot read counts as a difference, so a typing error cannot pass.
std::vector<std::string> mismatches(const Machine& m, const std::string& expect) {
    std::vector<std::string> wrong;
    std::istringstream items(expect);
    for (std::string item; items >> item;) {
        std::size_t eq = item.find('=');
        std::string name = item.substr(0, eq);
        long want = eq == std::string::npos ? -1 : valueOf(item.substr(eq + 1));
        long have = -1;
        if (name.size() > 2 && name.front() == '[' && name.back() == ']') {
            long address = valueOf(name.substr(1, name.size() - 2));
            if (address >= 0 && address < kMemorySize) have = m.fields().memory[static_cast<std::size_t>(address)];
        } else {
            const std::pair<const char*, std::int32_t> known[] = {
                {"A", m.fields().regA},     {"B", m.fields().regB},   {"C", m.fields().regC},   {"D", m.fields().regD},   {"E", m.fields().regE},
                {"H", m.fields().regH},     {"L", m.fields().regL},   {"SP", m.fields().sp},    {"S", m.fields().flagS},  {"Z", m.fields().flagZ},
                {"AC", m.fields().flagAC},  {"P", m.fields().flagP},  {"CY", m.fields().flagCY}};
            for (const auto& [key, value] : known) {
                if (name == key) have = value;
            }
        }
        if (want < 0 || have < 0) wrong.push_back("cannot read '" + item + "'");
        else if (want != have) wrong.push_back(item + " but the machine has " + std::to_string(have));
    }
    return wrong;
}

TEST(HelpExamples, EveryExampleRunsAndEndsAsItsPageSays) {
    int checked[2] = {0, 0};  // under the workbench's rules, under the Intel 8080's
    for (const help::Page& page : help::pages()) {
        for (const help::Example& example : help::examplesOf(page.markdown)) {
            SCOPED_TRACE(page.id + ".md, example at line " + std::to_string(example.sourceLine));
            testing_support::ScratchFolder scratch;  // the file and table services write here
            for (ArithmeticRules rules : {ArithmeticRules::Workbench, ArithmeticRules::Intel8080}) {
                const bool intel = rules == ArithmeticRules::Intel8080;
                const std::string& expect = intel ? example.intelExpect : example.expect;
                if (intel && expect.empty()) continue;
                HeadlessPlatform platform;
                Machine m(platform);
                m.services().setSourceFolder(scratch.path().string());
                m.setArithmeticRules(rules);
                ASSERT_EQ(compileProgram(m, linesOf(example.code), {.stopAtEmptyLine = true}), -1)
                    << platform.lastMessage();
                runProgram(m);
                for (const Message& message : platform.messages) EXPECT_NE(message.kind, MessageKind::Error) << message.text;
                for (const std::string& wrong : mismatches(m, expect)) ADD_FAILURE() << arithmeticRulesName(rules) << ": " << wrong;
                if (!expect.empty()) ++checked[intel];
            }
        }
    }
    // The pages whose results change with the option show them for both rule sets.
    EXPECT_GE(checked[1], 21);
    // Each of the 78 mnemonic pages carries one example with its results.
    EXPECT_GE(checked[0], 78 + 20);
}

TEST(HelpExamples, TheCheckerNoticesAWrongResult) {
    HeadlessPlatform platform;
    Machine m(platform);
    arrange(m)->regA = 5;
    arrange(m)->memory[0x2000] = 0x12;
    EXPECT_TRUE(mismatches(m, "A=05H [2000H]=12H CY=0").empty());
    EXPECT_EQ(mismatches(m, "A=06H").size(), 1u);
    EXPECT_EQ(mismatches(m, "[2000H]=13").size(), 1u);
    EXPECT_TRUE(mismatches(m, "[2000H]=18").empty());  // decimal
    EXPECT_EQ(mismatches(m, "Q=1 A=5X").size(), 2u);
}

TEST(HelpPages, EveryContextNumberOpensAPageWithATitle) {
    const auto& mnemonics = editorMnemonics();
    for (std::size_t i = 0; i < mnemonics.size(); ++i) {
        int context = help::mnemonicContext(static_cast<int>(i));
        std::string id = help::pageForContext(context);
        const help::Page* page = help::findPage(id);
        ASSERT_NE(page, nullptr) << "context " << context;
        // The page is the mnemonic's own: its title starts with the mnemonic.
        EXPECT_EQ(page->title.substr(0, mnemonics[i].size() + 1), std::string(mnemonics[i]) + ":") << context;
    }
    EXPECT_EQ(help::pageForContext(175), "mov");
    for (int context : {help::kMainWindowContext, help::kDebugWindowContext, help::kCalculatorContext}) {
        const help::Page* page = help::findPage(help::pageForContext(context));
        ASSERT_NE(page, nullptr) << context;
        EXPECT_FALSE(page->title.empty()) << context;
    }
    for (int none : {0, 104, 106, 105 + 5 * 78, 131201}) EXPECT_EQ(help::pageForContext(none), "") << none;
}

// The page of a mnemonic, named in lower case.
const help::Page& pageOf(std::string_view mnemonic) {
    std::string id(mnemonic);
    for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const help::Page* page = help::findPage(id);
    if (page == nullptr) throw std::runtime_error("no page " + id);
    return *page;
}

bool anchorExists(const help::Page& page, const std::string& anchor) {
    for (const help::Block& b : help::parseMarkdown(page.markdown)) {
        if (b.anchor == anchor) return true;
    }
    return false;
}

bool resolves(const std::string& target) {
    const help::Page* page = help::findPage(target);
    if (page == nullptr) return false;
    std::size_t hash = target.find('#');
    return hash == std::string::npos || anchorExists(*page, target.substr(hash + 1));
}

// Every page has a title, every link resolves, and every page is reached from the
// contents by following links.
TEST(HelpPages, EveryLinkResolvesAndEveryPageIsReachedFromTheContents) {
    EXPECT_EQ(help::pages().front().id, "contents");
    std::vector<std::string> reached = {"contents"};
    for (std::size_t next = 0; next < reached.size(); ++next) {
        for (const help::Link& link : help::linksOf(help::findPage(reached[next])->markdown)) {
            std::string id = link.target.substr(0, link.target.find('#'));
            if (help::findPage(id) != nullptr && std::find(reached.begin(), reached.end(), id) == reached.end()) {
                reached.push_back(id);
            }
        }
    }
    for (const help::Page& page : help::pages()) {
        EXPECT_FALSE(page.title.empty()) << page.id;
        EXPECT_NE(std::find(reached.begin(), reached.end(), page.id), reached.end()) << page.id;
        for (const help::Link& link : help::linksOf(page.markdown)) {
            EXPECT_TRUE(resolves(link.target)) << page.id << " line " << link.sourceLine << ": " << link.target;
        }
    }
}

TEST(HelpPages, EveryMnemonicPageLinksToItsFamilyAndTheFlags) {
    for (std::string_view name : editorMnemonics()) {
        const help::Page* page = &pageOf(name);
        const std::string& id = page->id;
        bool flags = false;
        bool family = false;
        for (const help::Link& link : help::linksOf(page->markdown)) {
            flags = flags || link.target == "flags";
            const help::Page* target = help::findPage(link.target);
            // The family page lists this mnemonic among its instructions.
            family = family || (target != nullptr && target->markdown.find("](" + id + ")") != std::string::npos &&
                                link.target != "mnemonics");
        }
        EXPECT_TRUE(flags && family) << id;
    }
}

// A line that runs the instruction with A and B as the summary test sets them, or ""
// for the jumps, calls, returns and services, which only read the flags.
std::string sampleLine(const Instruction& ins, int b) {
    const std::string name(ins.name);
    const std::string byte = std::to_string(b);
    switch (ins.operands) {
        case OperandKind::Register:
        case OperandKind::Pair: return name + " B";
        case OperandKind::TwoRegisters: return name + " C,B";
        case OperandKind::RegisterByte: return name + " C," + byte;
        case OperandKind::PairWord: return name + " D,1234H";
        case OperandKind::Byte: return name + " " + (name == "IN" || name == "OUT" ? "3" : byte);
        case OperandKind::Address:
            return name == "LDA" || name == "STA" || name == "LHLD" || name == "SHLD" ? name + " 2000H" : "";
        case OperandKind::None: {
            const bool rotate = name == "RLC" || name == "RRC" || name == "RAL" || name == "RAR";
            return name == "PCHL" || (name[0] == 'R' && !rotate) ? "" : name;
        }
        default: return "";
    }
}

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Each page's flag summary, row by row, against the machine under that rule set: every
// "set", "reset" and "unchanged" holds for a spread of operands and starting flags;
// "result" matches the value worked out (the new A, the counted register, or A minus
// the operand of a compare), and for CY and AC of the byte arithmetic the carries.
TEST(HelpPages, FlagSummariesAreWhatTheMachineDoes) {
    constexpr int kValues[] = {0x00, 0x01, 0x08, 0x0F, 0x10, 0x7F, 0x80, 0x99, 0xF0, 0xFF};
    int checks = 0;
    for (std::string_view name : editorMnemonics()) {
        const Instruction& ins = *findInstruction(name);
        std::optional<help::FlagSummary> summary = help::flagSummaryOf(name);
        ASSERT_TRUE(summary.has_value()) << name;
        if (sampleLine(ins, 0).empty()) continue;
        const bool adds = isOneOf(name, {"ADD", "ADC", "ADI", "ACI"});
        const bool subtracts = isOneOf(name, {"SUB", "SBB", "SUI", "SBI", "CMP", "CPI"});
        const bool withCarry = isOneOf(name, {"ADC", "ACI", "SBB", "SBI"});
        for (ArithmeticRules rules : {ArithmeticRules::Workbench, ArithmeticRules::Intel8080}) {
            const auto& effects = rules == ArithmeticRules::Workbench ? summary->workbench : summary->intel;
            for (int a : kValues) {
                for (int b : kValues) {
                    for (int flagsIn : {0x00, 0xD5}) {  // no flag, then all five
                        HeadlessPlatform platform;
                        Machine m(platform);
                        m.setArithmeticRules(rules);
                        const std::vector<std::string> program = {
                            "LXI B," + std::to_string(a * 256 + flagsIn), "PUSH B", "POP PSW",
                            "MVI B," + std::to_string(b), sampleLine(ins, b)};
                        ASSERT_EQ(compileProgram(m, program, {.stopAtEmptyLine = true}), -1) << program.back();
                        runProgram(m);
                        const bool counts = name == "INR" || name == "DCR";
                        const int result = isOneOf(name, {"CMP", "CPI"}) ? (a - b) & 0xFF : counts ? m.fields().regB : m.fields().regA;
                        const int cin = withCarry ? flagsIn & 1 : 0;
                        const int before[] = {flagsIn >> 7 & 1, flagsIn >> 6 & 1, flagsIn >> 4 & 1, flagsIn >> 2 & 1,
                                              flagsIn & 1};
                        const int after[] = {m.fields().flagS, m.fields().flagZ, m.fields().flagAC, m.fields().flagP, m.fields().flagCY};
                        // What "result" means for each flag; -1 where the word alone says it.
                        const int fromResult[] = {
                            result >> 7 & 1, result == 0, adds ? (a & 0xF) + (b & 0xF) + cin > 0xF
                                                          : name == "INR" ? (b & 0xF) == 0xF : -1,
                            std::popcount(static_cast<unsigned>(result)) % 2 == 0,
                            adds ? a + b + cin > 0xFF : subtracts ? a < b + cin : -1};
                        for (std::size_t f = 0; f < effects.size(); ++f) {
                            const help::FlagEffect e = effects[f];
                            const int want = e == help::FlagEffect::Set         ? 1
                                             : e == help::FlagEffect::Reset     ? 0
                                             : e == help::FlagEffect::Unchanged ? before[f]
                                             : e == help::FlagEffect::Result    ? fromResult[f]
                                                                                : -1;
                            if (want < 0) continue;
                            ++checks;
                            EXPECT_EQ(after[f], want)
                                << program.back() << " under the " << arithmeticRulesName(rules) << " rules, A="
                                << a << " B=" << b << " flags in " << flagsIn << ": "
                                << help::kSummaryFlags[f] << " should be " << help::flagEffectWord(e);
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checks, 10000);
}

// The rows of the "States" table of a page: written form, 8080 count, 8085 count.
std::vector<std::vector<std::string>> statesRows(const std::string& markdown) {
    std::vector<help::Block> blocks = help::parseMarkdown(markdown);
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i + 1 < blocks.size() && rows.empty(); ++i) {
        if (blocks[i].kind != help::Block::Heading || blocks[i].anchor != "states") continue;
        for (std::size_t r = 1; blocks[i + 1].kind == help::Block::Table && r < blocks[i + 1].lines.size(); ++r) {
            std::istringstream row(blocks[i + 1].lines[r]);
            rows.emplace_back();
            for (std::string cell; std::getline(row, cell, '\t');) rows.back().push_back(help::stripInline(cell));
        }
    }
    return rows;
}

std::string countText(const StateCount& c) {
    return c.notTaken == c.taken ? std::to_string(c.taken)
                                 : std::to_string(c.notTaken) + " or " + std::to_string(c.taken);
}

// Every instruction page gives each form's states on both processors, as the states
// data has them; a delay loop timed from the help must agree with the debug window.
TEST(HelpPages, EveryInstructionPageGivesTheStatesOfEachForm) {
    std::size_t rows = 0;
    for (std::string_view name : editorMnemonics()) {
        const std::vector<std::vector<std::string>> shown = statesRows(pageOf(name).markdown);
        const std::vector<StateForm> forms = stateFormsOf(name);
        ASSERT_FALSE(forms.empty()) << name;
        ASSERT_EQ(shown.size(), forms.size()) << name;
        for (std::size_t i = 0; i < forms.size(); ++i) {
            const std::vector<std::string> want = {help::stateFormWritten(forms[i]), countText(forms[i].i8080),
                                                   countText(forms[i].i8085)};
            EXPECT_EQ(shown[i], want) << name;
            ++rows;
        }
    }
    EXPECT_EQ(rows, stateForms().size());
    EXPECT_EQ(statesRows(pageOf("cz").markdown)[0], (std::vector<std::string>{"CZ label", "11 or 17", "9 or 18"}));
    EXPECT_NE(help::findPage("rst")->markdown.find("counts these states of its own"), std::string::npos);
}

TEST(HelpPages, TheDesktopMarksTheRulesInForce) {
    const std::string intel = help::markRulesInForce(pageOf("sub").markdown, true);
    EXPECT_NE(intel.find("| **Intel 8080 rules (in force)** |"), std::string::npos);
    EXPECT_NE(intel.find("| Workbench rules |"), std::string::npos);
    // A page where both agree has nothing to choose between.
    EXPECT_EQ(help::markRulesInForce(pageOf("mov").markdown, true), pageOf("mov").markdown);
}

TEST(HelpPages, ByteTablesAreWhatTheAssemblerWrites) {
    for (std::string_view name : editorMnemonics()) {
        const Instruction& ins = *findInstruction(name);
        for (const help::Encoding& form : help::encodingsOf(ins)) {
            std::string operands = form.operands;
            for (auto [placeholder, value] : {std::pair{"nn", "1234H"}, {"label", "HERE"}, {"n", "12H"}}) {
                std::size_t at = operands.find(placeholder);
                if (at != std::string::npos) operands.replace(at, std::string(placeholder).size(), value);
            }
            std::string line = "HERE: " + std::string(ins.name) + " " + operands;
            SCOPED_TRACE(line);
            HeadlessPlatform platform;
            Machine m(platform);
            ASSERT_EQ(compileProgram(m, {line}, {}), -1) << platform.lastMessage();
            EXPECT_EQ(m.fields().memory[0], form.opcode);
            EXPECT_EQ(m.fields().addressCounter, form.size);
        }
    }
}

// Which section a topic or a message opens: tests/golden/cli/help.cli.
TEST(HelpTopics, EveryMessageTheAssemblerAndRunShowHasASection) {
    // Bad programs, each producing one message box; its help section must exist.
    const std::vector<std::vector<std::string>> programs = {
        {"MVO A,B"}, {"MVI A,300"}, {"MOV M,M"}, {"L: NOP", "L: NOP"}, {"JMP NOWHERE"}, {"DS 16384", "NOP"},
        {"OUT 16"},  {"RET"},       {"LXI H,5", "PCHL"}, {"HLT"},   {"LOOP: EQU 5"},
    };
    for (const auto& program : programs) {
        HeadlessPlatform platform;
        Machine m(platform);
        if (compileProgram(m, program, {.stopAtEmptyLine = true}) == -1) runProgram(m);
        ASSERT_FALSE(platform.messages.empty()) << program[0];
        const Message& box = platform.messages.back();
        EXPECT_TRUE(resolves(box.help)) << box.text << " -> '" << box.help << "'";
    }
}

TEST(HelpSearch, FindsPagesByTheirWordsTitleFirst) {
    std::vector<help::SearchHit> hits = help::search("dad");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().pageId, "dad");
    hits = help::search("breakpoint");
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().pageId, "debug_window");
    EXPECT_TRUE(help::search("xyzzy plugh").empty());
    EXPECT_TRUE(help::search("  ").empty());
}

}  // namespace
}  // namespace verdin
