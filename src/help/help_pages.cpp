#include "help/help_pages.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>

#include "diagnostics/diagnostics.h"
#include "help/embedded_files.h"
#include "help/markdown.h"
#include "isa/instruction_states.h"
#include "isa/instruction_table.h"
#include "shell/editor_syntax.h"

namespace verdin::help {

namespace {

constexpr std::string_view kPagesFolder = "pages/";
constexpr std::string_view kInstructionData = "instructions.tsv";
constexpr std::string_view kRegisters = "BCDEHLMA";

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string hexByte(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02XH", value & 0xFF);
    return text;
}

std::string_view fileContent(std::string_view name) {
    for (const EmbeddedFile& f : embeddedFiles()) {
        if (f.name == name) return f.content;
    }
    return {};
}

// One row of instructions.tsv: what a person writes about a mnemonic. Its bytes come
// from the instruction table.
struct InstructionText {
    std::string mnemonic, family, title, effect, flags, intel, example, expect;
    std::string workbenchFlags, intelFlags;  // "S Z AC P CY" codes: r, 1, 0, -, *
    std::string intelExpect;
};

// "\n" in a field stands for a line break.
std::string unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size() && field[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<InstructionText> instructionTexts() {
    std::vector<InstructionText> rows;
    std::string_view data = fileContent(kInstructionData);
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::size_t f = 0;
        while (true) {
            std::size_t tab = line.find('\t', f);
            fields.push_back(unescape(line.substr(f, tab == std::string_view::npos ? std::string_view::npos : tab - f)));
            if (tab == std::string_view::npos) break;
            f = tab + 1;
        }
        fields.resize(11);
        rows.push_back({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7],
                        fields[8], fields[9].empty() ? fields[8] : fields[9], fields[10]});
    }
    return rows;
}

std::vector<std::string> pairNames(const Instruction& ins) {
    if (ins.name == "LDAX" || ins.name == "STAX") return {"B", "D"};
    if (ins.name == "PUSH" || ins.name == "POP") return {"B", "D", "H", "PSW"};
    return {"B", "D", "H", "SP"};
}

std::string syntaxOf(const Instruction& ins) {
    std::string name(ins.name);
    switch (ins.operands) {
        case OperandKind::None: return name;
        case OperandKind::Register: return name + " r";
        case OperandKind::TwoRegisters: return name + " d,s";
        case OperandKind::RegisterByte: return name + " r,n";
        case OperandKind::Pair: return name + " p";
        case OperandKind::PairWord: return name + " p,nn";
        case OperandKind::Byte: return name + (ins.name == "IN" || ins.name == "OUT" ? " port" : " n");
        case OperandKind::Address: return name + (isJumpOrCall(ins) ? " label" : " nn");
        case OperandKind::Restart: return name + " n";
        case OperandKind::Data: return name;
    }
    return name;
}

std::string operandNotes(const Instruction& ins) {
    const std::string reg =
        "one of `B`, `C`, `D`, `E`, `H`, `L`, `A`, or `M`, the memory cell whose address is in HL";
    const std::string byte =
        "a byte, 0 to 255: decimal (`200`), hexadecimal (`0C8H`), binary (`11001000B`) or a character in "
        "quotes (`'A'`); see [numbers](line_format#numbers)";
    const std::string word =
        "a 16-bit value: decimal (`8192`), hexadecimal (`2000H`) or a label (a label set with `EQU` stands for "
        "its value)";
    switch (ins.operands) {
        case OperandKind::None: return "No operand.";
        case OperandKind::Register: return "- `r` is " + reg + ".";
        case OperandKind::TwoRegisters:
            return "- `d` (destination) and `s` (source) are each " + reg + "; `MOV M,M` does not exist.";
        case OperandKind::RegisterByte: return "- `r` is " + reg + ".\n- `n` is " + byte + ".";
        case OperandKind::Pair: {
            std::string names;
            for (const std::string& p : pairNames(ins)) names += (names.empty() ? "`" : ", `") + p + "`";
            std::string meaning = "`B` is BC, `D` is DE";
            if (names.find("`H`") != std::string::npos) meaning += ", `H` is HL";
            if (names.find("PSW") != std::string::npos) meaning += ", `PSW` is A with the flag byte";
            if (names.find("SP") != std::string::npos) meaning += ", `SP` is the stack pointer";
            return "- `p` names a register pair: " + names + " (" + meaning + ").";
        }
        case OperandKind::PairWord:
            return "- `p` is `B` (BC), `D` (DE), `H` (HL) or `SP`.\n- `nn` is " + word + ".";
        case OperandKind::Byte:
            if (ins.name == "IN" || ins.name == "OUT") {
                return "- `port` is a port number written as a byte; the workbench has the ports 0 to 15 "
                       "(0 to 0FH). A larger number assembles but stops the run with \"Invalid port address\".";
            }
            return "- `n` is " + byte + ".";
        case OperandKind::Address:
            if (isJumpOrCall(ins)) {
                return "- `label` is the name of a label declared on a program line (at most 6 characters). "
                       "The target must be a label, not a number.";
            }
            return "- `nn` is an address, " + word + "; memory runs from 0 to 3FFFH (16383).";
        case OperandKind::Restart: return "- `n` is the service number, 0 to 7; see [the services](services).";
        case OperandKind::Data: return {};
    }
    return {};
}

std::string bytesTable(const Instruction& ins) {
    std::vector<Encoding> forms = encodingsOf(ins);
    if (ins.operands == OperandKind::TwoRegisters) {
        // Sixty-three forms read best as a grid: one row per destination.
        std::string table = "| d \\ s |";
        std::string rule = "|---|";
        for (char s : kRegisters) {
            table += std::string(" ") + s + " |";
            rule += "---|";
        }
        table += "\n" + rule + "\n";
        for (char d : kRegisters) {
            table += std::string("| **") + d + "** |";
            for (char s : kRegisters) {
                auto it = std::find_if(forms.begin(), forms.end(), [&](const Encoding& e) {
                    return e.operands == std::string{d, ',', s};
                });
                table += " " + (it == forms.end() ? std::string("-") : hexByte(it->opcode)) + " |";
            }
            table += "\n";
        }
        return table + "\nEvery form is 1 byte long.\n";
    }
    std::string table = "| Written | Bytes | Size |\n|---|---|---|\n";
    for (const Encoding& e : forms) {
        std::string written = std::string(ins.name) + (e.operands.empty() ? "" : " " + e.operands);
        std::string bytes = hexByte(e.opcode);
        if (e.size == 2) bytes += " n";
        if (e.size == 3) bytes += " low high";
        table += "| `" + written + "` | " + bytes + " | " + std::to_string(e.size) + " |\n";
    }
    if (ins.operands == OperandKind::Address || ins.operands == OperandKind::PairWord) {
        table += "\nA 16-bit value follows the opcode low byte first, as on the 8080.\n";
    }
    return table;
}

const std::map<std::string, std::string>& familyTitles() {
    static const std::map<std::string, std::string> titles = {
        {"transfer", "Data transfer"},     {"arithmetic", "Arithmetic"},   {"logic", "Logic, rotates and carry"},
        {"branching", "Jumps, calls and returns"}, {"stack_ports", "Stack, ports and machine control"},
    };
    return titles;
}

bool optionMatters(const InstructionText& text) {
    return text.workbenchFlags != text.intelFlags || !text.intelExpect.empty();
}

// One row of the flag summary: "| Workbench rules | see below | result | reset | ... |".
std::string flagSummaryRow(std::string_view rules, std::string_view codes) {
    std::string row = "| " + std::string(rules) + " |";
    for (const FlagEffect& effect : parseFlagCodes(codes)) row += " " + std::string(flagEffectWord(effect)) + " |";
    return row + "\n";
}

std::string flagSummary(const InstructionText& text) {
    std::string table = "| Rules | S | Z | AC | P | CY |\n|---|---|---|---|---|---|\n";
    if (text.workbenchFlags == text.intelFlags) return table + flagSummaryRow(kBothRulesLabel, text.workbenchFlags);
    return table + flagSummaryRow(kWorkbenchRulesLabel, text.workbenchFlags) +
           flagSummaryRow(kIntelRulesLabel, text.intelFlags);
}

std::string stateCountText(const StateCount& count) {
    if (count.notTaken == count.taken) return std::to_string(count.taken);
    return std::to_string(count.notTaken) + " or " + std::to_string(count.taken);
}

// The clock states of each form on both processors, straight from the states data.
std::string statesSection(const Instruction& ins) {
    std::vector<StateForm> forms = stateFormsOf(ins.name);
    if (forms.empty()) return {};
    std::string table = "| Written | Intel 8080 | 8085 |\n|---|---|---|\n";
    bool twoCounts = false;
    for (const StateForm& f : forms) {
        table += "| `" + stateFormWritten(f) + "` | " + stateCountText(f.i8080) + " | " + stateCountText(f.i8085) + " |\n";
        twoCounts = twoCounts || f.i8080.notTaken != f.i8080.taken || f.i8085.notTaken != f.i8085.taken;
    }
    std::string page = "## States\n\n" + table + "\n";
    if (twoCounts) {
        page += "Of two counts, the first is for a condition that does not hold (the line after it runs next), "
                "the second for one that holds. ";
    }
    if (ins.operands == OperandKind::Restart) {
        page += "An `RST` that calls a service counts these states of its own, however much the service does. ";
    }
    return page + "The debug window adds up the Intel 8080 states, or the 8085's with Options > \"8085 timing\" "
                  "(`verdin-cli run --timing 8085`); see [the debug window](debug_window#states).\n\n";
}

std::string mnemonicPage(const Instruction& ins, const InstructionText& text) {
    std::string family = familyTitles().count(text.family) ? familyTitles().at(text.family) : text.family;
    std::string page = "# " + std::string(ins.name) + ": " + text.title + "\n\n";
    page += "Family: [" + family + "](" + text.family + ") · [How the flags work](flags) · "
            "[All mnemonics](mnemonics)\n\n";
    page += "## Syntax\n\n`" + syntaxOf(ins) + "`\n\n" + operandNotes(ins) + "\n\n";
    page += "## Bytes\n\n" + bytesTable(ins) + "\n";
    page += "## What it does\n\n" + text.effect + "\n\n";
    page += statesSection(ins);
    page += "## Flags\n\n" + flagSummary(text) + "\n" + text.flags + "\n\n";
    // Where the option changes a result or a flag, the page says what it gives.
    if (optionMatters(text)) {
        page += "## With Options > Intel 8080 arithmetic\n\n" + text.intel + " (`verdin-cli run --intel` chooses the "
                "same rules.)\n\n";
    } else if (!text.intel.empty()) {
        page += "## Compared with the Intel 8080 data book\n\n" + text.intel + "\n\n";
    }
    if (!text.example.empty()) {
        page += "## Example\n\n```asm\n" + text.example + "\n```\n";
        if (!text.expect.empty()) page += "Expect: " + text.expect + "\n";
        if (!text.intelExpect.empty()) page += "\n" + std::string(kIntelExpectPrefix) + " " + text.intelExpect + "\n";
    }
    return page;
}

std::string familyTable(const std::string& family, const std::vector<InstructionText>& texts) {
    std::string table = "\n## The instructions\n\n| Mnemonic | What it does |\n|---|---|\n";
    for (std::string_view name : editorMnemonics()) {
        for (const InstructionText& t : texts) {
            if (t.mnemonic == name && t.family == family) {
                table += "| [" + t.mnemonic + "](" + lower(t.mnemonic) + ") | " + t.title + " |\n";
            }
        }
    }
    return table;
}

// Made from the same data as the pages, so the list cannot miss one.
std::string optionPages(const std::vector<InstructionText>& texts) {
    std::string list;
    for (std::string_view name : editorMnemonics()) {
        for (const InstructionText& t : texts) {
            if (t.mnemonic != name || !optionMatters(t)) continue;
            list += std::string(list.empty() ? "" : ", ") + "[" + t.mnemonic + "](" + lower(t.mnemonic) + ")";
        }
    }
    return "\n## Pages that change with the option\n\nOptions > Intel 8080 arithmetic changes a result or a flag of "
           "these instructions; their pages show both rule sets: " + list + ". Every other instruction works the "
           "same under both.\n";
}

// Alphabetical and two columns wide, so that it reads at an 80-column terminal too.
std::string mnemonicIndex(std::vector<InstructionText> texts) {
    std::string page = "# Index of mnemonics\n\nThe 78 instructions in alphabetical order. Right-click a mnemonic in the "
                       "editor to see its page; each page names its family.\n\n"
                       "| Mnemonic | What it does |\n|---|---|\n";
    std::sort(texts.begin(), texts.end(),
              [](const InstructionText& a, const InstructionText& b) { return a.mnemonic < b.mnemonic; });
    for (const InstructionText& t : texts) {
        if (findInstruction(t.mnemonic) == nullptr) continue;
        page += "| [" + t.mnemonic + "](" + lower(t.mnemonic) + ") | " + t.title + " |\n";
    }
    return page;
}

std::vector<Page> buildPages() {
    std::vector<Page> result;
    std::vector<InstructionText> texts = instructionTexts();
    for (const EmbeddedFile& f : embeddedFiles()) {
        if (f.name.substr(0, kPagesFolder.size()) != kPagesFolder) continue;
        std::string_view file = f.name.substr(kPagesFolder.size());
        if (file.size() < 4 || file.substr(file.size() - 3) != ".md") continue;
        std::string id(file.substr(0, file.size() - 3));
        std::string markdown(f.content);
        if (familyTitles().count(id)) markdown += familyTable(id, texts);
        if (id == "flags") markdown += optionPages(texts);
        result.push_back({id, titleOf(markdown), markdown});
    }
    for (const InstructionText& t : texts) {
        const Instruction* ins = findInstruction(t.mnemonic);
        if (ins == nullptr) continue;
        std::string markdown = mnemonicPage(*ins, t);
        result.push_back({lower(t.mnemonic), titleOf(markdown), markdown});
    }
    std::string index = mnemonicIndex(texts);
    result.push_back({"mnemonics", titleOf(index), index});
    std::stable_partition(result.begin(), result.end(), [](const Page& p) { return p.id == "contents"; });
    // A page written by hand that the contents do not name yet is listed at their end,
    // so that no page can only be found by searching.
    if (!result.empty() && result.front().id == "contents") {
        Page& contents = result.front();
        std::vector<std::string> named;
        for (const Link& link : linksOf(contents.markdown)) named.push_back(link.target.substr(0, link.target.find('#')));
        std::string more;
        for (const EmbeddedFile& f : embeddedFiles()) {
            if (f.name.substr(0, kPagesFolder.size()) != kPagesFolder || f.name.size() < kPagesFolder.size() + 4) continue;
            std::string id(f.name.substr(kPagesFolder.size(), f.name.size() - kPagesFolder.size() - 3));
            if (id == "contents" || std::find(named.begin(), named.end(), id) != named.end()) continue;
            more += "- [" + titleOf(f.content) + "](" + id + ")\n";
        }
        if (!more.empty()) contents.markdown += "\n## More pages\n\n" + more;
    }
    return result;
}


}  // namespace

const std::vector<Page>& pages() {
    static const std::vector<Page> all = buildPages();
    return all;
}

const Page* findPage(std::string_view id) {
    std::string_view bare = id.substr(0, id.find('#'));
    for (const Page& p : pages()) {
        if (p.id == bare) return &p;
    }
    return nullptr;
}

int mnemonicContext(int index) { return 105 + 5 * index; }

std::string pageForContext(int contextNumber) {
    switch (contextNumber) {
        case kMainWindowContext: return "workbench";
        case kDebugWindowContext: return "debug_window";
        case kCalculatorContext: return "calculator";
        default: break;
    }
    int offset = contextNumber - 105;
    if (offset < 0 || offset % 5 != 0 || offset / 5 >= static_cast<int>(editorMnemonics().size())) return {};
    return lower(editorMnemonics()[static_cast<std::size_t>(offset / 5)]);
}

std::string pageForTopic(std::string_view topic) {
    std::string key = lower(topic);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    if (key.empty()) return "contents";
    if (findPage(key) != nullptr) return key;
    std::string joined;
    for (char c : key) {
        if (c != ' ') joined += c;
    }
    if (findPage(joined) != nullptr) return joined;
    const std::string directive = upper(joined);
    for (std::string_view d : {"EQU", "DB", "DW", "DS", "ORG", "END"}) {
        if (directive == d) return "directives#" + joined;
    }
    // A message copied from a box, or typed in any case.
    return helpPageOf(codeOfTypedMessage(topic));
}

std::vector<SearchHit> search(std::string_view query) {
    std::vector<std::string> words;
    std::string word;
    for (char c : lower(query) + " ") {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    std::vector<SearchHit> hits;
    if (words.empty()) return hits;
    for (const Page& p : pages()) {
        std::string title = lower(p.title);
        std::string text = lower(p.markdown);
        int score = 0;
        bool all = true;
        for (const std::string& w : words) {
            int count = 0;
            for (std::size_t at = text.find(w); at != std::string::npos && count < 20; at = text.find(w, at + 1)) ++count;
            if (count == 0) {
                all = false;
                break;
            }
            score += count;
            if (title.find(w) != std::string::npos) score += 40;
            if (p.id == w) score += 100;
        }
        if (all) hits.push_back({p.id, p.title, score});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const SearchHit& a, const SearchHit& b) { return a.score > b.score; });
    return hits;
}

std::array<FlagEffect, 5> parseFlagCodes(std::string_view codes) {
    std::array<FlagEffect, 5> effects{};
    effects.fill(FlagEffect::Unchanged);
    std::size_t flag = 0;
    for (char c : codes) {
        if (c == ' ' || flag >= effects.size()) continue;
        effects[flag++] = c == 'r' ? FlagEffect::Result
                          : c == '1' ? FlagEffect::Set
                          : c == '0' ? FlagEffect::Reset
                          : c == '*' ? FlagEffect::SeeBelow
                                     : FlagEffect::Unchanged;
    }
    return effects;
}

std::string_view flagEffectWord(FlagEffect effect) {
    switch (effect) {
        case FlagEffect::Result: return "result";
        case FlagEffect::Set: return "set";
        case FlagEffect::Reset: return "reset";
        case FlagEffect::SeeBelow: return "see below";
        case FlagEffect::Unchanged: break;
    }
    return "unchanged";
}

std::optional<FlagSummary> flagSummaryOf(std::string_view mnemonic) {
    const std::string key = upper(mnemonic);
    for (const InstructionText& t : instructionTexts()) {
        if (t.mnemonic == key) return FlagSummary{parseFlagCodes(t.workbenchFlags), parseFlagCodes(t.intelFlags)};
    }
    return std::nullopt;
}

std::string markRulesInForce(std::string_view markdown, bool intelRules) {
    std::string page(markdown);
    const std::string label(intelRules ? kIntelRulesLabel : kWorkbenchRulesLabel);
    const std::string row = "| " + label + " |";
    std::size_t at = page.find(row);
    if (at != std::string::npos) page.replace(at, row.size(), "| **" + label + " (in force)** |");
    return page;
}

std::string stateFormWritten(const StateForm& form) {
    // The pages name a register pair p, as their syntax does.
    std::string operands(form.form);
    if (operands.substr(0, 2) == "rp") operands.replace(0, 2, "p");
    return std::string(form.mnemonic) + (operands.empty() ? "" : " " + operands);
}

std::vector<Encoding> encodingsOf(const Instruction& ins) {
    std::vector<Encoding> forms;
    const int size = ins.size;
    switch (ins.operands) {
        case OperandKind::None: forms.push_back({"", ins.opcode, size}); break;
        case OperandKind::Register: {
            // INR and DCR carry the register in bits 3-5, the accumulator group in bits 0-2.
            const int step = ins.name == "INR" || ins.name == "DCR" ? 8 : 1;
            for (std::size_t r = 0; r < kRegisters.size(); ++r) {
                forms.push_back({std::string(1, kRegisters[r]), ins.opcode + step * static_cast<int>(r), size});
            }
            break;
        }
        case OperandKind::TwoRegisters:
            for (std::size_t d = 0; d < kRegisters.size(); ++d) {
                for (std::size_t s = 0; s < kRegisters.size(); ++s) {
                    if (kRegisters[d] == 'M' && kRegisters[s] == 'M') continue;
                    forms.push_back({std::string{kRegisters[d], ',', kRegisters[s]},
                                     ins.opcode + static_cast<int>(8 * d + s), size});
                }
            }
            break;
        case OperandKind::RegisterByte:
            for (std::size_t r = 0; r < kRegisters.size(); ++r) {
                forms.push_back({std::string(1, kRegisters[r]) + ",n", ins.opcode + 8 * static_cast<int>(r), size});
            }
            break;
        case OperandKind::Pair:
        case OperandKind::PairWord: {
            const std::vector<std::string> names = pairNames(ins);
            const int fields[] = {0, 2, 4, 6};
            for (std::size_t p = 0; p < names.size(); ++p) {
                std::string operand = names[p] + (ins.operands == OperandKind::PairWord ? ",nn" : "");
                forms.push_back({operand, ins.opcode + 8 * fields[p], size});
            }
            break;
        }
        case OperandKind::Byte: forms.push_back({"n", ins.opcode, size}); break;
        case OperandKind::Address: forms.push_back({isJumpOrCall(ins) ? "label" : "nn", ins.opcode, size}); break;
        case OperandKind::Restart:
            for (int n = 0; n < 8; ++n) forms.push_back({std::to_string(n), ins.opcode + 8 * n, size});
            break;
        case OperandKind::Data: break;
    }
    return forms;
}

}  // namespace verdin::help
