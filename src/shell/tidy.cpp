#include "shell/tidy.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "files/source_file.h"
#include "isa/instruction_table.h"
#include "machine/hints.h"
#include "machine/machine.h"
#include "shell/commands.h"

namespace verdin {

namespace {

using typed::upper;

constexpr size_t kMaxLabelLength = 6;

std::string quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The code of a line as a person reads it in a report: no comment, and each run of
// blanks outside quotes shown as one space.
std::string quoteCode(std::string_view line) {
    std::string text;
    bool quoted = false, blank = false;
    for (char c : typed::codePart(line)) {
        if (c == '\'') quoted = !quoted;
        if (!quoted && (c == ' ' || c == '\t')) {
            blank = !text.empty();
            continue;
        }
        if (blank) text += ' ';
        blank = false;
        text += c;
    }
    return quote(text);
}

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$' || c == '.' || c == '?' ||
           c == '@';
}

// The value of a number as this language reads it (decimal, or hexadecimal ending
// in H), or nothing for anything else.
std::optional<long> numberValue(std::string_view token) {
    if (token.empty() || !isDigit(token[0])) return std::nullopt;
    bool hex = token.back() == 'H' || token.back() == 'h';
    std::string_view digits = hex ? token.substr(0, token.size() - 1) : token;
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    long value = 0;
    for (char c : digits) {
        if (hex ? !isHexDigit(c) : !isDigit(c)) return std::nullopt;
        int d = isDigit(c) ? c - '0' : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value * (hex ? 16 : 10) + d;
    }
    return value;
}

bool isRegisterName(const std::string& name) {
    static const std::set<std::string> names = {"A", "B", "C", "D", "E", "H", "L", "M", "SP", "PSW", "BC", "DE", "HL"};
    return names.count(name) != 0;
}

// Replaces every name or number outside single quotes that `change` has a new text
// for; returns the rewritten text.
std::string rewriteTokens(const std::string& text,
                          const std::function<std::optional<std::string>(const std::string&)>& change) {
    std::string result;
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\'') quoted = !quoted;
        if (quoted || !isNameChar(c)) {
            result += c;
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && isNameChar(text[end])) ++end;
        std::string token = text.substr(i, end - i);
        auto replacement = change(token);
        result += replacement ? *replacement : token;
        i = end;
    }
    return result;
}

// The position of the comment's ';' (outside quotes), or npos.
size_t commentStart(const std::string& line) {
    std::string_view code = typed::codePart(line);
    return code.size() < line.size() ? code.size() : std::string::npos;
}

// The position of "//" outside quotes in the code part, or npos.
size_t slashComment(const std::string& line) {
    bool quoted = false;
    size_t end = std::min(commentStart(line), line.size());
    for (size_t i = 0; i + 1 < end; ++i) {
        if (line[i] == '\'') quoted = !quoted;
        else if (!quoted && line[i] == '/' && line[i + 1] == '/') return i;
    }
    return std::string::npos;
}

const char* const kForeignDirectives[] = {"CPU", "TITLE", "PAGE", "NAME", "LIST", "NOLIST", "SECTION",
                                          "INCLUDE", "MODEL", "DEVICE", "PROCESSOR", "CSEG", "DSEG"};

class Tidier {
public:
    Tidier(const std::vector<std::string>& lines, bool hex) : lines_(lines), hex_(hex) {}

    TidyResult run() {
        collectLabels();
        shortenLongLabels();
        size_t lastCode = 0;
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (!typed::isBlankOrComment(lines_[i])) lastCode = i + 1;
        }
        for (size_t i = 0; i < lines_.size(); ++i) {
            line_ = static_cast<int>(i) + 1;
            std::string line = lines_[i];
            if (line.empty() && i < lastCode) {
                change("empty line -> \";\"");
                result_.lines.push_back(";");
                continue;
            }
            result_.lines.push_back(tidyLine(line));
        }
        checkDataInsideTheCode();
        std::stable_sort(result_.byHand.begin(), result_.byHand.end(),
                         [](const TidyNote& a, const TidyNote& b) { return a.line < b.line; });
        return std::move(result_);
    }

private:
    void change(const std::string& text) { result_.changes.push_back({line_, text}); }
    void byHand(const std::string& text) { result_.byHand.push_back({line_, text}); }

    void collectLabels() {
        for (const std::string& line : lines_) {
            typed::Fields f = typed::split(line);
            std::string name;
            if (f.hasColon) name = f.label;
            else if (typed::split(f.operands).mnemonic == "EQU" || typed::split(f.operands).mnemonic == "SET") {
                name = f.mnemonic;
            }
            if (name.empty() || !std::all_of(name.begin(), name.end(), isNameChar)) continue;
            labels_.insert(upper(name));
            typed::Fields value = f.hasColon ? typed::split(f.operands) : typed::split(typed::split(f.operands).operands);
            std::string equ = f.hasColon ? f.mnemonic : typed::split(f.operands).mnemonic;
            // Only a plain number can stand in for the name.
            if ((equ == "EQU" || equ == "SET") && !value.mnemonic.empty() && value.operands.empty() &&
                isDigit(value.mnemonic[0])) {
                equValues_[upper(name)] = value.mnemonic;
            }
        }
    }

    void shortenLongLabels() {
        std::set<std::string> taken;
        for (const std::string& name : labels_) {
            if (name.size() <= kMaxLabelLength) taken.insert(name);
        }
        auto usable = [&](const std::string& candidate) {
            return !taken.count(candidate) && !isRegisterName(candidate) && findInstruction(candidate) == nullptr;
        };
        for (const std::string& name : labels_) {
            if (name.size() <= kMaxLabelLength) continue;
            std::string shortName = name.substr(0, kMaxLabelLength);
            // A clash gets a number in place of the last characters: COUNTER1, COUNTER2
            // become COUNTE and COUNT1.
            for (int n = 1; !usable(shortName); ++n) {
                std::string suffix = std::to_string(n);
                shortName = name.substr(0, kMaxLabelLength - suffix.size()) + suffix;
            }
            taken.insert(shortName);
            shortNames_.insert(shortName);
            renamed_[name] = shortName;
        }
    }

    std::string tidyLine(std::string line) {
        size_t slashes = slashComment(line);
        if (slashes != std::string::npos) {
            line.replace(slashes, 2, ";");
            change("\"//\" -> \";\"");
        }
        typed::Fields f = typed::split(line);
        const std::string& word = f.mnemonic;
        typed::Fields rest = typed::split(f.operands);

        if (!f.hasColon && !word.empty() && (word[0] == '#' || word[0] == '.')) return foreignDirective(line, f);
        for (const char* directive : kForeignDirectives) {
            if (!f.hasColon && word == directive) return commentOut(line, "directive of another assembler");
        }
        if (word == "RIM" || word == "SIM") {
            std::string result = "; " + line + " ; " + word + " is 8085 only: no 8080 instruction";
            change(quoteCode(line) + " -> comment (" + word + " is an 8085 instruction)");
            return cutLong(result);
        }
        if (!f.hasColon && (rest.mnemonic == "EQU" || rest.mnemonic == "SET")) {
            size_t at = line.find_first_not_of(" \t");
            std::string newLine = line.substr(0, at + f.mnemonic.size()) + ": EQU " + rest.operands;
            size_t comment = commentStart(line);
            if (comment != std::string::npos) newLine += " " + line.substr(comment);
            change(quoteCode(line) + " -> " + quoteCode(newLine));
            line = newLine;
            f = typed::split(line);
        }
        if (word == "ORG" && !f.hasColon) noteOrg(f.operands);
        if (!f.hasColon || f.label.size() <= kMaxLabelLength) {
            // nothing to do for the label
        } else if (auto it = renamed_.find(upper(f.label)); it != renamed_.end()) {
            size_t at = line.find(f.label);
            if (at != std::string::npos) {
                line.replace(at, f.label.size(), it->second);
                change("label " + quote(f.label) + " -> " + quote(it->second));
            }
        }
        line = tidyOperands(line);
        checkByHand(line);
        if (!typed::isBlankOrComment(line) && f.mnemonic != "EQU" && f.mnemonic != "ORG" && !f.mnemonic.empty()) {
            codeSeen_ = true;
        }
        return cutLong(line);
    }

    std::string commentOut(const std::string& line, const std::string& why) {
        change(quoteCode(line) + " -> comment (" + why + ")");
        return cutLong("; " + line);
    }

    std::string foreignDirective(const std::string& line, const typed::Fields& f) {
        std::string name = f.mnemonic.size() > 1 ? f.mnemonic.substr(1) : typed::split(f.operands).mnemonic;
        std::string operands = f.mnemonic.size() > 1 ? f.operands : typed::split(f.operands).operands;
        if (name == "ORG" && !orgSeen_ && !codeSeen_) {
            std::string newLine = "        ORG     " + operands;
            change(quoteCode(line) + " -> " + quoteCode(newLine));
            noteOrg(operands);
            return newLine;
        }
        if (name == "ORG") noteOrg(operands);
        return commentOut(line, "directive of another assembler");
    }

    void noteOrg(const std::string& operands) {
        if (orgSeen_ || codeSeen_) {
            byHand("a second ORG " + quote(operands) +
                   ": here ORG may only stand before the first instruction; move that part with a label, or "
                   "place its data with DS");
        }
        orgSeen_ = true;
        auto value = numberValue(operands);
        if (value && *value > kMemorySize - 1) {
            byHand("ORG " + operands + " lies above 3FFFH, the last cell of memory");
        }
    }

    std::optional<std::string> tidyToken(const std::string& token) {
        std::string name = upper(token);
        if (auto it = renamed_.find(name); it != renamed_.end()) return it->second;
        if (labels_.count(name)) return std::nullopt;
        if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X') &&
            std::all_of(token.begin() + 2, token.end(), isHexDigit)) {
            std::string digits = upper(token.substr(2));
            return (isDigit(digits[0]) ? "" : "0") + digits + "H";
        }
        bool hexEnding = name.size() >= 2 && name.back() == 'H' &&
                         std::all_of(name.begin(), name.end() - 1, isHexDigit);
        if (hexEnding && !isDigit(name[0])) return "0" + token;
        if (hexEnding) return std::nullopt;
        if (name.size() > 1 && std::all_of(name.begin(), name.end(), [](char c) { return c == '0'; })) return "0";
        if (!hex_ || !std::all_of(name.begin(), name.end(), isHexDigit)) return std::nullopt;
        // Bare numbers in the trainer-kit convention are hexadecimal.
        bool binary = name.back() == 'B' && name.size() > 1 &&
                      std::all_of(name.begin(), name.end() - 1, [](char c) { return c == '0' || c == '1'; });
        if (binary || isRegisterName(name)) return std::nullopt;
        if (name.size() == 1 && isDigit(name[0])) return std::nullopt;
        return (isDigit(name[0]) ? "" : "0") + name + "H";
    }

    std::string tidyOperands(const std::string& line) {
        typed::Fields f = typed::split(line);
        if (f.operands.empty() || f.mnemonic == "RST") return line;
        size_t comment = commentStart(line);
        std::string code = comment == std::string::npos ? line : line.substr(0, comment);
        size_t at = code.rfind(f.operands);
        if (at == std::string::npos) return line;
        std::string operands = code.substr(at);
        // An 8-bit operand takes a number, never a name: an EQU name there becomes its value.
        static const std::set<std::string> byteOperands = {"MVI", "ADI", "ACI", "SUI", "SBI", "ANI",
                                                           "XRI", "ORI", "CPI", "IN",  "OUT"};
        const bool byteOperand = byteOperands.count(f.mnemonic) != 0;
        std::string tidied = rewriteTokens(operands, [&](const std::string& token) -> std::optional<std::string> {
            auto replacement = tidyToken(token);
            if (auto value = equValues_.find(upper(token)); byteOperand && value != equValues_.end()) {
                replacement = tidyToken(value->second).value_or(value->second);
            }
            if (replacement && *replacement != token) change(quote(token) + " -> " + quote(*replacement));
            return replacement;
        });
        return code.substr(0, at) + tidied + (comment == std::string::npos ? "" : line.substr(comment));
    }

    void checkByHand(const std::string& line) {
        typed::Fields f = typed::split(line);
        std::vector<std::string> operands = typed::operandList(f.operands);
        const std::string code = std::string(typed::codePart(line));
        if (f.mnemonic == "RST" && f.operands == "1") {
            byHand("RST 1 does nothing here: if it ends the program, write HLT");
        }
        if (isJumpOrCall(f.mnemonic) && operands.size() == 1) {
            const std::string target = upper(operands[0]);
            if (!target.empty() && (isDigit(target[0]) || target.find_first_of("$+-") != std::string::npos)) {
                byHand(quoteCode(code) + ": a jump or call target must be a label; a trainer kit's ROM routines are "
                                    "not here, the RST services replace them");
            } else if (!target.empty() && !labels_.count(target) && !shortNames_.count(target)) {
                byHand(quoteCode(code) + ": no line declares " + target +
                       ": (a trainer kit's ROM routine? the RST services replace them)");
            }
            return;
        }
        static const std::set<std::string> addressed = {"LDA", "STA", "LHLD", "SHLD", "LXI"};
        if (!addressed.count(f.mnemonic) || operands.empty()) return;
        const std::string& address = operands.back();
        auto value = numberValue(address);
        if (value && *value > kMemorySize - 1 && *value <= 0xFFFF) {
            byHand(quoteCode(code) + ": " + upper(address) +
                   (f.mnemonic == "LXI" ? " (if it is an address)" : "") +
                   " lies above 3FFFH, the last cell of memory; use an address below 4000H");
        }
        if (address.find_first_of("$+-") != std::string::npos && address[0] != '\'') {
            byHand(quoteCode(code) + ": an operand is a label or a number, never a sum; put a label on that cell");
        }
    }

    // A kit's program often keeps its data at a fixed address that here lies inside
    // the program itself, which starts at 0000H: the run would write over its own code
    // without a word.
    void checkDataInsideTheCode() {
        HeadlessPlatform platform;
        auto machine = std::make_unique<Machine>(platform);
        if (compileProgram(*machine, result_.lines, {}) != -1) return;
        const std::int32_t size = machine->fields().addressCounter;
        static const std::set<std::string> direct = {"LDA", "STA", "LHLD", "SHLD"};
        for (size_t i = 0; i < result_.lines.size() && i < kMaxProgramLines; ++i) {
            typed::Fields f = typed::split(result_.lines[i]);
            if (!direct.count(f.mnemonic)) continue;
            auto value = numberValue(f.operands);
            if (!value || *value >= size) continue;
            line_ = static_cast<int>(i) + 1;
            char range[32];
            std::snprintf(range, sizeof range, "0000H-%04XH", static_cast<unsigned>(size - 1));
            byHand(quoteCode(result_.lines[i]) + ": " + upper(f.operands) + " lies inside the program (" + range +
                   "), which starts at 0000H here; put the data above it, such as at 2000H");
        }
    }

    std::string cutLong(std::string line) {
        if (static_cast<int>(line.size()) <= kMaxLineLength) return line;
        size_t comment = commentStart(line);
        if (comment != std::string::npos && static_cast<int>(comment) < kMaxLineLength) {
            line.resize(static_cast<size_t>(kMaxLineLength));
            change("comment cut to fit 255 characters");
        } else {
            byHand("the line is longer than 255 characters");
        }
        return line;
    }

    const std::vector<std::string>& lines_;
    bool hex_;
    int line_ = 0;
    bool orgSeen_ = false;
    bool codeSeen_ = false;
    std::set<std::string> labels_;
    std::map<std::string, std::string> renamed_;
    std::map<std::string, std::string> equValues_;
    std::set<std::string> shortNames_;
    TidyResult result_;
};

}  // namespace

TidyResult tidyProgram(const std::vector<std::string>& lines, bool bareNumbersAreHex) {
    return Tidier(lines, bareNumbersAreHex).run();
}

std::vector<Message> remainingFaults(const std::vector<std::string>& lines, int* faultLine) {
    HeadlessPlatform platform;
    auto machine = std::make_unique<Machine>(platform);
    const int line = compileProgram(*machine, lines, {});
    if (faultLine != nullptr) *faultLine = line > 0 ? line - 1 : -1;
    return platform.messages;
}

std::string formatChange(const TidyNote& note) { return "line " + std::to_string(note.line) + ": " + note.text; }

std::string formatByHand(const TidyNote& note) {
    return "line " + std::to_string(note.line) + ": by hand: " + note.text;
}

ImportReport importReport(const std::vector<std::string>& lines, bool bareNumbersAreHex) {
    TidyResult tidied = tidyProgram(lines, bareNumbersAreHex);
    ImportReport report;
    for (const TidyNote& note : tidied.changes) report.notes.push_back({formatChange(note), note.line - 1, false});
    for (const TidyNote& note : tidied.byHand) report.notes.push_back({formatByHand(note), note.line - 1, true});
    // The compile's own answer says which line its fault is on.
    int line = -1;
    const std::vector<Message> faults = remainingFaults(tidied.lines, &line);
    for (const Message& fault : faults) {
        report.notes.push_back({"still to fix: " + formatMessageLine(fault), line, true});
        if (!fault.hint.empty()) report.notes.push_back({"still to fix: " + formatHintLine(fault), line, true});
    }
    report.changes = static_cast<int>(tidied.changes.size());
    report.toDo = static_cast<int>(tidied.byHand.size() + faults.size());
    report.lines = std::move(tidied.lines);
    return report;
}

std::optional<ImportReport> importProgramFile(const std::string& path, bool bareNumbersAreHex, Platform& platform) {
    LoadResult loaded = loadProgramText(path);
    if (!loaded.ok) {
        platform.showMessageWithHelp({MessageKind::Error, loaded.error, {}, helpPageOf(loaded.errorCode)});
        return std::nullopt;
    }
    if (!loaded.note.empty()) platform.showMessage(MessageKind::Information, loaded.note);
    ImportReport report = importReport(loaded.text.lines, bareNumbersAreHex);
    // The converted text goes into the editor whole or not at all, like any file.
    const Diagnostic refusal = editorRefusalOf(SourceText{report.lines, loaded.text.ending}, path);
    if (refusal.code != Ok) {
        platform.showMessageWithHelp(messageOf(refusal, {}));
        return std::nullopt;
    }
    return report;
}

std::string importSummary(const ImportReport& report, std::string_view fileName) {
    return std::to_string(report.changes) + " change(s) made, " + std::to_string(report.toDo) +
           " thing(s) to do by hand. The converted program is a new untitled text; the file " + std::string(fileName) +
           " is unchanged.";
}

}  // namespace verdin
