#include "machine/hints.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

namespace typed {

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    size_t last = text.size();
    while (last > first && (isBlank(text[last - 1]) || text[last - 1] == '\r')) --last;
    return text.substr(first, last - first);
}
}  // namespace

std::string_view codePart(std::string_view line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\'') quoted = !quoted;
        else if (line[i] == ';' && !quoted) return line.substr(0, i);
    }
    return line;
}

bool isBlankOrComment(std::string_view line) { return trimmed(codePart(line)).empty(); }

Fields split(std::string_view line) {
    Fields fields;
    std::string_view code = trimmed(codePart(line));
    size_t colon = code.find(':');
    size_t blank = code.find_first_of(" \t'");
    if (colon != std::string_view::npos && (blank == std::string_view::npos || colon < blank)) {
        fields.label = std::string(code.substr(0, colon));
        fields.hasColon = true;
        code = trimmed(code.substr(colon + 1));
    }
    size_t end = code.find_first_of(" \t");
    fields.mnemonic = upper(code.substr(0, end));
    if (end != std::string_view::npos) fields.operands = std::string(trimmed(code.substr(end)));
    return fields;
}

std::vector<std::string> operandList(std::string_view operands) {
    std::vector<std::string> list;
    if (trimmed(operands).empty()) return list;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i <= operands.size(); ++i) {
        if (i < operands.size() && operands[i] == '\'') quoted = !quoted;
        if (i == operands.size() || (operands[i] == ',' && !quoted)) {
            list.emplace_back(trimmed(operands.substr(start, i - start)));
            start = i + 1;
        }
    }
    return list;
}

}  // namespace typed

namespace {

using typed::upper;

std::string quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

// An address as the hints write it, with its suffix.
std::string hex4(std::int32_t value) { return verdin::hex4(value) + "H"; }

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A hexadecimal number that starts with a letter, such as FFH: read as a name.
bool isLetterHex(std::string_view token) {
    if (token.size() < 2 || !std::isalpha(static_cast<unsigned char>(token[0]))) return false;
    char last = token.back();
    if (last != 'H' && last != 'h') return false;
    return std::all_of(token.begin(), token.end() - 1, isHexDigit);
}

bool isCStyleHex(std::string_view token) {
    return token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X') &&
           std::all_of(token.begin() + 2, token.end(), isHexDigit);
}

// Hexadecimal digits with a letter among them and no H: the trainer-kit way.
bool isBareHex(std::string_view token) {
    return !token.empty() && isDigit(token[0]) && std::all_of(token.begin(), token.end(), isHexDigit) &&
           !std::all_of(token.begin(), token.end(), isDigit);
}

bool isNumeric(std::string_view token) { return !token.empty() && isDigit(token[0]); }

// The lines the student typed: the whole editor text when the command handed it
// over, or else the program store as it stood before the compile rewrote it.
const std::vector<std::string>& sourceOf(const Machine& m) { return m.fields().sourceLines; }

struct ProgramEnd {
    size_t line;  // index of the empty or "}" line
    bool brace;
};

std::optional<ProgramEnd> programEnd(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size() && i < kMaxProgramLines; ++i) {
        if (lines[i].empty()) return ProgramEnd{i, false};
        if (typed::split(lines[i]).mnemonic == "}") return ProgramEnd{i, true};
    }
    return std::nullopt;
}

size_t codeLinesAfter(const std::vector<std::string>& lines, size_t end) {
    size_t count = 0;
    for (size_t i = end + 1; i < lines.size(); ++i) {
        if (!typed::isBlankOrComment(lines[i])) ++count;
    }
    return count;
}

std::string endHint(const std::vector<std::string>& lines, const ProgramEnd& end, size_t after) {
    std::string n = std::to_string(end.line + 1);
    std::string rest = after == 1 ? "the 1 line after it was not compiled. "
                                  : "the " + std::to_string(after) + " lines after it were not compiled. ";
    (void)lines;
    if (end.brace) return "The program ends at the \"}\" on line " + n + ": " + rest + "Delete that line if the program goes on.";
    return "The program ends at the empty line " + n + ": " + rest +
           "Delete the empty lines between instructions, or put ; on them.";
}

// The line (index) that declares `name:`, ignoring case, or -1.
long declarationOf(const std::vector<std::string>& lines, std::string_view name) {
    for (size_t i = 0; i < lines.size(); ++i) {
        typed::Fields f = typed::split(lines[i]);
        if (f.hasColon && upper(f.label) == upper(name)) return static_cast<long>(i);
    }
    return -1;
}

// The value text of `name: EQU value`, or nothing.
std::optional<std::string> equValueOf(const std::vector<std::string>& lines, std::string_view name) {
    long at = declarationOf(lines, name);
    if (at < 0) return std::nullopt;
    typed::Fields f = typed::split(lines[static_cast<size_t>(at)]);
    if (f.mnemonic != "EQU") return std::nullopt;
    return f.operands;
}

const char* kRomSentence = "A trainer kit's ROM routines are not here: the RST services replace its display and keyboard.";

std::string undefinedLabelHint(const Machine& m) {
    const auto& lines = sourceOf(m);
    const std::string& name = m.fields().messageName;
    auto end = programEnd(lines);
    if (end) {
        long at = declarationOf(lines, name);
        if (at > static_cast<long>(end->line)) {
            return "Label " + name + " is declared on line " + std::to_string(at + 1) +
                   ", after the end of the program at the " + (end->brace ? "\"}\" on line " : "empty line ") +
                   std::to_string(end->line + 1) + ". " +
                   (end->brace ? "Delete that line if the program goes on."
                               : "Delete the empty lines between instructions, or put ; on them.");
        }
    }
    if (long at = declarationOf(lines, name); at >= 0 && name.size() > 6) {
        const std::string& typedName = typed::split(lines[static_cast<size_t>(at)]).label;
        return "The label " + quote(typedName) + " on line " + std::to_string(at + 1) + " has " +
               std::to_string(name.size()) + " characters; a label has at most 6. Shorten it there and wherever "
               "it is used.";
    }
    // The instruction that used the name tells a target from an address.
    std::string mnemonic;
    for (size_t i = 0; i < lines.size() && i < kMaxProgramLines; ++i) {
        typed::Fields f = typed::split(lines[i]);
        for (const std::string& operand : typed::operandList(f.operands)) {
            if (upper(operand) == name) mnemonic = f.mnemonic;
        }
        if (!mnemonic.empty()) break;
    }
    const bool target = isJumpOrCall(mnemonic);
    const bool computed = name.find_first_of("$+-*") != std::string::npos;
    if (target && (isNumeric(name) || isLetterHex(name) || computed)) {
        return "A jump or call target is a label, so " + quote(name) +
               " cannot be used: put a label on the line to go to. " + kRomSentence;
    }
    if (computed) {
        return quote(name) + " is no label: an operand is a label or a number, never a sum. "
               "Put a label on the cell itself, or write its address as a number.";
    }
    if (isLetterHex(name)) {
        return quote(name) + " starts with a letter, so it is read as a label: write " + quote("0" + name) +
               " for the number.";
    }
    if (target) {
        return "No line declares " + quote(name + ":") + ". If " + name + " is a routine of a trainer kit, " +
               "it is not here: the RST services replace its display and keyboard routines.";
    }
    return "No line of the program declares " + quote(name + ":") + ".";
}

std::string longLabelHint(const typed::Fields& f) {
    return "The label " + quote(f.label) + " has " + std::to_string(f.label.size()) +
           " characters; a label has at most 6. Shorten it here and wherever it is used.";
}

// A title or a note typed as a program line: a first word too long for a label, or
// words without the commas of an operand list. A mistyped mnemonic ("MOVX A,B") is
// not one, and gets no hint: the message says enough.
bool looksLikeTitle(std::string_view line) {
    typed::Fields f = typed::split(line);
    if (f.mnemonic.size() > 6) return true;
    if (f.operands.find(',') != std::string::npos) return false;
    size_t words = 0;
    bool inWord = false;
    for (char c : typed::codePart(line)) {
        const bool blank = c == ' ' || c == '\t';
        if (!blank && !inWord) ++words;
        inWord = !blank;
    }
    return words >= 3;
}

const char* const kForeignDirectives[] = {"CPU", "TITLE", "PAGE", "NAME", "LIST", "NOLIST", "SECTION",
                                          "INCLUDE", "MODEL", "DEVICE", "PROCESSOR", "CSEG", "DSEG"};

std::string commandHint(const std::string& line) {
    typed::Fields f = typed::split(line);
    if (f.hasColon && f.label.size() > 6 && f.label.find_first_of(" \t") == std::string::npos) {
        return longLabelHint(f);
    }
    std::string word = f.mnemonic;
    if (!word.empty() && (word[0] == '#' || word[0] == '.')) {
        std::string bare = word.size() > 1 ? word.substr(1) : upper(typed::split(f.operands).mnemonic);
        std::string shown = word.size() > 1 ? word : word + " " + bare;
        if (bare == "ORG") {
            return quote(shown) + " is a directive of another assembler: write ORG without \"" + word.substr(0, 1) +
                   "\" (one ORG, before the first instruction), or put ; in front of the line.";
        }
        return quote(shown) + " is a directive of another assembler, not needed here: put ; in front of the line.";
    }
    for (const char* directive : kForeignDirectives) {
        if (word == directive) {
            return quote(word) + " is a directive of another assembler, not needed here: put ; in front of the line.";
        }
    }
    if (word == "RIM" || word == "SIM") {
        return word + " is an 8085 instruction, not an 8080 one: this machine has no interrupt mask or serial "
                      "line. Delete the line or put ; in front of it.";
    }
    typed::Fields rest = typed::split(f.operands);
    if (!f.hasColon && (rest.mnemonic == "EQU" || rest.mnemonic == "SET")) {
        std::string fixed = f.mnemonic + ": EQU " + rest.operands;
        if (rest.mnemonic == "SET") {
            return "SET is not a directive here; a name gets one value with EQU: write " + quote(fixed) + ".";
        }
        return "A name declared with EQU needs a colon: write " + quote(fixed) + ".";
    }
    if (!f.hasColon && findInstruction(f.mnemonic) == nullptr && findInstruction(rest.mnemonic) != nullptr &&
        f.mnemonic.size() <= 6) {
        return quote(f.mnemonic) + " is no instruction; as a label it needs a colon: write " +
               quote(f.mnemonic + ":") + ".";
    }
    if (!f.hasColon && findInstruction(f.mnemonic) == nullptr && findInstruction(rest.mnemonic) == nullptr &&
        looksLikeTitle(line)) {
        std::string title(typed::codePart(line));
        while (!title.empty() && (title.back() == ' ' || title.back() == '\t' || title.back() == '\r')) title.pop_back();
        title.erase(0, title.find_first_not_of(" \t"));
        return quote(title) + " is neither an instruction nor a label, so it reads as a title: put ; in front of "
               "the line to keep it as a comment.";
    }
    return {};
}

// 1010B where a 16-bit value is wanted, or more than eight binary digits: a hex
// suggestion such as "1010BH" would fail again.
std::string binaryHint(const std::string& mnemonic, const std::string& operand) {
    if (operand.size() < 2 || (operand.back() != 'B' && operand.back() != 'b')) return {};
    const std::string digits = operand.substr(0, operand.size() - 1);
    if (digits.find_first_not_of("01") != std::string::npos) return {};
    unsigned long value = 0;
    for (char c : digits) value = std::min(value * 2 + static_cast<unsigned long>(c - '0'), 0x10000ul);
    const Instruction* ins = findInstruction(mnemonic);
    const bool byteOperand = mnemonic == "DB" || (ins != nullptr && (ins->operands == OperandKind::Byte ||
                                                                     ins->operands == OperandKind::RegisterByte));
    if (!byteOperand && value <= 0xFFFF) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%lXH", value);
        std::string hexText = std::isalpha(static_cast<unsigned char>(hex[0])) ? "0" + std::string(hex) : hex;
        return quote(operand) + " is a binary number, and binary numbers are for 8-bit operands only: " + mnemonic +
               " takes a 16-bit value here, so write " + quote(hexText) + " or " + quote(std::to_string(value)) + ".";
    }
    if (digits.size() <= 8) return {};
    std::string hint = quote(operand) + " has " + std::to_string(digits.size()) +
                       " binary digits, and a binary number has at most 8 (one byte): ";
    if (value > 0xFF) return hint + "its value does not fit 0 to 255, so check the digits.";
    const size_t one = digits.find('1');
    return hint + "write " + quote((one == std::string::npos ? "0" : digits.substr(one)) + "B") +
           ", without the leading zeros.";
}

// A label names a 16-bit address, never the byte stored there.
std::string labelAsByteHint(const typed::Fields& f, const std::string& name) {
    const std::string hint = quote(name) + " is a label, a 16-bit address, and " + f.mnemonic +
                             " takes an 8-bit number or a character. ";
    const std::string label = upper(name);
    const std::string pointer = "LXI H," + label;
    if (f.mnemonic == "DB") return hint + "To store its address, write " + quote("DW " + label) + ".";
    const std::string r = upper(typed::operandList(f.operands).front());
    if (f.mnemonic == "MVI" && r != "M") {
        std::string fix = quote(pointer) + " and then " + quote("MOV " + r + ",M");
        if (r == "A") fix = quote("LDA " + label) + ", or " + fix;
        return hint + "To load the byte stored there, write " + fix + ".";
    }
    static const std::pair<const char*, const char*> kMemoryForms[] = {
        {"ADI", "ADD"}, {"ACI", "ADC"}, {"SUI", "SUB"}, {"SBI", "SBB"},
        {"ANI", "ANA"}, {"XRI", "XRA"}, {"ORI", "ORA"}, {"CPI", "CMP"}};
    for (const auto& [immediate, memoryForm] : kMemoryForms) {
        if (f.mnemonic == immediate) {
            return hint + "To use the byte stored there, write " + quote(pointer) + " and then " +
                   quote(std::string(memoryForm) + " M") + ".";
        }
    }
    return hint + "Write the number itself here.";
}

std::string operandHint(const std::vector<std::string>& lines, const std::string& line) {
    typed::Fields f = typed::split(line);
    for (const std::string& operand : typed::operandList(f.operands)) {
        if (isCStyleHex(operand)) {
            std::string digits = upper(operand.substr(2));
            if (!isDigit(digits[0])) digits = "0" + digits;
            return quote(operand) + " is written " + quote(digits + "H") + " here: hexadecimal numbers end in H.";
        }
        if (isLetterHex(operand)) {
            return quote(operand) + " starts with a letter, so it is read as a name: write " +
                   quote("0" + operand) + ".";
        }
        if (operand.size() > 1 && std::all_of(operand.begin(), operand.end(), [](char c) { return c == '0'; })) {
            return "Zero is written " + quote("0") + " here, not " + quote(operand) + ".";
        }
        if (std::string hint = binaryHint(f.mnemonic, operand); !hint.empty()) return hint;
        if (isBareHex(operand)) {
            return quote(operand) + " has letters, so it is no decimal number: a hexadecimal number ends in H, " +
                   "write " + quote(upper(operand) + "H") + ".";
        }
        if (operand.find_first_of("$+") != std::string::npos && operand[0] != '\'') {
            return quote(operand) + " cannot be computed: an operand is a label or a number, never a sum.";
        }
        if (auto value = equValueOf(lines, operand)) {
            return quote(operand) + " is a name declared with EQU, and an 8-bit operand takes a number: write " +
                   quote(*value) + " here.";
        }
        if (declarationOf(lines, operand) >= 0 && findInstruction(f.mnemonic) != nullptr) {
            return labelAsByteHint(f, operand);
        }
    }
    return {};
}

std::string registerHint(const std::string& line) {
    typed::Fields f = typed::split(line);
    const Instruction* ins = findInstruction(f.mnemonic);
    if (ins == nullptr) return {};
    std::string accepted, valid;
    switch (ins->operands) {
        case OperandKind::Register:
        case OperandKind::TwoRegisters:
        case OperandKind::RegisterByte:
            accepted = "A, B, C, D, E, H, L and M";
            valid = "A B C D E H L M";
            break;
        case OperandKind::Pair:
        case OperandKind::PairWord:
            if (f.mnemonic == "PUSH" || f.mnemonic == "POP") {
                accepted = "B, D, H and PSW (for BC, DE, HL and A with the flags)";
                valid = "B D H PSW";
            } else if (f.mnemonic == "LDAX" || f.mnemonic == "STAX") {
                accepted = "B and D (for BC and DE)";
                valid = "B D";
            } else {
                accepted = "B, D, H and SP (for BC, DE, HL and SP)";
                valid = "B D H SP";
            }
            break;
        default: return {};
    }
    std::vector<std::string> operands = typed::operandList(f.operands);
    std::string wrong = f.operands;
    size_t registers = ins->operands == OperandKind::TwoRegisters ? 2 : 1;
    for (size_t i = 0; i < operands.size() && i < registers; ++i) {
        std::string name = upper(operands[i]);
        if (name.empty() || (" " + valid + " ").find(" " + name + " ") == std::string::npos) {
            wrong = operands[i];
            break;
        }
    }
    std::string hint = f.mnemonic + " accepts " + accepted;
    if (f.mnemonic == "MOV") hint += " (but not M,M)";
    if (wrong.empty()) return hint + ".";
    return hint + "; " + quote(wrong) + " is not one of them.";
}

// The address that a run-time "Out of memory" is about, from the faulting line.
std::string memoryHint(const Machine& m) {
    const std::string_view mnemonic = m.fields().mnemonicText;
    const std::string_view operands = m.fields().operandText;
    const std::string range = " Memory holds the cells 0000H to 3FFFH only.";
    auto outside = [&](std::int32_t address) {
        return "The address " + hex4(address) + " is outside memory." + range +
               " Use an address in that range, such as 2000H for data.";
    };
    if (m.fields().addressCounter > kMemorySize - 1) {
        return "The program counter reached " + hex4(m.fields().addressCounter) + ", past the last cell 3FFFH.";
    }
    const bool stackLine = mnemonic == "PUSH" || mnemonic == "POP" || mnemonic == "XTHL" || mnemonic == "SPHL" ||
                           isJumpOrCall(mnemonic) || (mnemonic == "LXI" && startsWith(operands, "SP")) ||
                           ((mnemonic == "INX" || mnemonic == "DCX") && operands == "SP");
    if (mnemonic == "XTHL" && m.fields().pairHL() > kMemorySize - 2) {
        return "XTHL exchanges HL with the cells at SP and SP + 1, and HL holds " + hex4(m.fields().pairHL()) +
               ", above 3FFEH, the highest value XTHL accepts here. Load HL with a lower value first.";
    }
    if ((mnemonic == "INX" || mnemonic == "DCX") && operands == "SP") {
        const std::string where = mnemonic == "INX"
                                      ? "from " + hex4(m.fields().sp) + " to " + hex4(m.fields().sp + 1) + ", above 3FFEH, the highest"
                                      : "below 0000H, the lowest";
        return std::string(mnemonic) + " SP would take the stack pointer " + where + " address it may hold. Take the " +
               std::string(mnemonic) + " SP out, or load SP with LXI SP first.";
    }
    if (stackLine && !startsWith(mnemonic, "J")) {
        if (m.fields().callDepth + 1 >= kMaxCallDepth && mnemonic[0] == 'C') {
            return "The program made 100 calls without returning: a subroutine that calls itself, or a "
                   "jump out of a subroutine without RET.";
        }
        std::int32_t value = mnemonic == "SPHL" ? m.fields().pairHL() : m.fields().sp;
        return "The stack pointer " + hex4(value) + " leaves no room for the stack: it must lie between 0002H and " +
               "3FFEH. Leave SP at 3FFEH, where it starts, or load a lower address with LXI SP.";
    }
    if (mnemonic == "LDA" || mnemonic == "STA" || mnemonic == "LHLD" || mnemonic == "SHLD") {
        return outside(m.operandWord());
    }
    if (mnemonic == "LDAX" || mnemonic == "STAX") return outside(operands == "D" ? m.fields().pairDE() : m.fields().pairBC());
    if (operands.find('M') != std::string_view::npos && mnemonic != "RST") {
        std::int32_t hl = m.fields().pairHL();
        if (hl <= kMemorySize - 1) {
            return "HL holds " + hex4(hl) + ", above the stack pointer " + hex4(m.fields().sp) +
                   ", where the stack lives: keep data below the stack.";
        }
        return "HL holds " + hex4(hl) + ", which is outside memory." + range;
    }
    return {};
}

// A run that went on past an RST 1 that was meant to end the program: the RST 1 is
// the last instruction before a subroutine, data or the end of the text.
std::string rstOneHint(const Machine& m) {
    const auto& lines = sourceOf(m);
    const auto fault = static_cast<size_t>(std::max(m.fields().currentLine, 0));
    for (size_t i = std::min(fault, lines.size()); i-- > 0;) {
        typed::Fields f = typed::split(lines[i]);
        if (f.mnemonic == "HLT" || f.mnemonic == "JMP" || f.mnemonic == "RET") return {};
        if (f.mnemonic != "RST" || f.operands != "1") continue;
        size_t next = i + 1;
        while (next < lines.size() && !lines[next].empty() && typed::isBlankOrComment(lines[next])) ++next;
        bool last = next >= lines.size() || lines[next].empty();
        if (!last) {
            typed::Fields after = typed::split(lines[next]);
            last = after.hasColon || after.mnemonic == "DB" || after.mnemonic == "DW" || after.mnemonic == "DS" ||
                   after.mnemonic == "}";
        }
        if (!last) return {};
        return "RST 1 at string " + std::to_string(i) +
               " does nothing here, so the program ran on past it. HLT ends a program.";
    }
    return {};
}

std::optional<std::string> lineOf(const Machine& m, std::int32_t number) {
    const auto& lines = sourceOf(m);
    if (number < 1 || static_cast<size_t>(number) > lines.size()) return std::nullopt;
    return lines[static_cast<size_t>(number) - 1];
}

}  // namespace

namespace {
constexpr const char* kCounted = " (lines counted from 1).";
}  // namespace

std::string stopHintBefore(std::int32_t line) {
    return "Stop ended the run before line " + std::to_string(line + 1) + kCounted;
}

std::string interruptHint(const Machine& m) {
    if (!m.fields().interruptRequested) {
        return "The program reached HLT on line " + std::to_string(m.fields().currentLine + 1) + kCounted;
    }
    // A run stopped from outside leaves currentLine on the last line it ran.
    if (m.fields().lineBudget == 0) {
        return "The line limit ended the run before line " + std::to_string(m.fields().currentLine + 2) + kCounted;
    }
    return stopHintBefore(m.fields().currentLine + 1);
}

std::string hintFor(const Machine& m, const Diagnostic& diagnostic) {
    const DiagnosticRow* row = findDiagnostic(diagnostic.code);
    const HintRule rule = row == nullptr ? HintRule::None : row->hint;
    // In a run every fault may come from an RST 1 that was meant to end the program.
    if (m.fields().mode == Execute) {
        if (rule == HintRule::Interrupt) return interruptHint(m);
        std::string hint = rstOneHint(m);
        if (hint.empty() && rule == HintRule::Memory) hint = memoryHint(m);
        return hint;
    }
    const auto& lines = sourceOf(m);
    switch (rule) {
        case HintRule::ProgramEnd: {
            auto end = programEnd(lines);
            if (!end) return {};
            size_t after = codeLinesAfter(lines, end->line);
            return after > 0 ? endHint(lines, *end, after) : std::string();
        }
        case HintRule::UndefinedLabel: return undefinedLabelHint(m);
        case HintRule::Command:
        case HintRule::Operand:
        case HintRule::Register:
        case HintRule::Memory: break;
        default: return {};
    }
    auto line = lineOf(m, m.fields().errorLine);
    if (!line) return {};
    if (rule == HintRule::Memory) {
        return "The program does not fit into memory, which holds the cells 0000H to 3FFFH: an ORG or DS "
               "above 3FFFH, or too much data.";
    }
    if (typed::codePart(*line).find("//") != std::string_view::npos) {
        return "Comments start with ; here, not with \"//\": write ; in place of //.";
    }
    if (rule == HintRule::Command) return commandHint(*line);
    if (rule == HintRule::Operand) return operandHint(lines, *line);
    return registerHint(*line);
}

}  // namespace verdin
