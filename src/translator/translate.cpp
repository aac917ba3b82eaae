// The translation pass: one template per mnemonic and target, filled in from the
// line's operand text.
#include "translator/translate.h"

#include <algorithm>
#include <array>

#include "isa/instruction_table.h"

namespace verdin {

namespace {

// Placeholders of the templates:
//   {op}   the operand text as the line parser left it
//   {tail} the operand text from its first comma on (the value of LXI and MVI)
//   {r}    the register named by the operand's first character
//   {s}    the register named from the operand's third character (MOV's source)
//   {p}    the pair named by the operand's first character (S is SP, P is PSW)
//   {c}    the condition of the jump, call and return families
//   {m}    the 8080 mnemonic itself
//   {h}    the restart address 8·n of RST n in hexadecimal digits
//
// STAX and LDAX name the pair on the Z-80 ("LD (BC),A"): the bare 8080 letter,
// "LD (B),A", is not Z-80 text and no assembler takes it.
constexpr std::array<TranslationTemplate, kInstructionCount> kTemplates = {{
    {"NOP", "NOP", "NOP"},
    {"HLT", "HALT", "HLT"},
    {"LXI", "LD {p}{tail}", "MOV {p}{tail}"},
    {"STAX", "LD ({p}),A", "MOV [{op}],AL"},
    {"INX", "INC {p}", "INC {p}"},
    {"INR", "INC {r}", "INC {r}"},
    {"DCR", "DEC {r}", "DEC {r}"},
    {"MVI", "LD {r}{tail}", "MOV {r}{tail}"},
    {"RLC", "RLCA", "RCL AL,1"},
    {"DAD", "ADD HL,{p}", "ADD CX,{p}"},
    {"LDAX", "LD A,({p})", "MOV AL,[{op}]"},
    {"DCX", "DEC {p}", "DEC {p}"},
    {"RRC", "RRCA", "RCR AL,1"},
    {"RAL", "RLA", "ROL AL,1"},
    {"RAR", "RRA", "ROR AL,1"},
    {"SHLD", "LD ({op}),HL", "MOV [{op}],CX"},
    {"DAA", "DAA", "DAA"},
    {"LHLD", "LD HL,({op})", "MOV CX,[{op}]"},
    {"CMA", "CPL", "NOT AL"},
    {"STA", "LD ({op}),A", "MOV [{op}],AL"},
    {"STC", "SCF", "STC"},
    {"LDA", "LD A,({op})", "MOV AL,[{op}]"},
    {"CMC", "CCF", "CMC"},
    {"MOV", "LD {r},{s}", "MOV {r},{s}"},
    {"ADD", "ADD A,{r}", "ADD AL,{r}"},
    {"ADC", "ADC A,{r}", "ADC AL,{r}"},
    {"SUB", "SUB {r}", "SUB AL,{r}"},
    {"SBB", "SBC A,{r}", "SBB AL,{r}"},
    {"ANA", "AND {r}", "AND AL,{r}"},
    {"CPI", "CP {op}", "CMP AL,{op}"},
    {"XRA", "XOR {r}", "XOR AL,{r}"},
    {"ORA", "OR {r}", "OR AL,{r}"},
    {"CMP", "CP {r}", "CMP AL,{r}"},
    {"POP", "POP {p}", "POP {p}"},
    {"JMP", "JP {op}", "JMP {op}"},
    {"JZ", "JP {c},{op}", "{m} {op}"},
    {"JNZ", "JP {c},{op}", "{m} {op}"},
    {"JC", "JP {c},{op}", "{m} {op}"},
    {"JNC", "JP {c},{op}", "{m} {op}"},
    {"JPO", "JP {c},{op}", "{m} {op}"},
    {"JPE", "JP {c},{op}", "{m} {op}"},
    {"JP", "JP {c},{op}", "{m} {op}"},
    {"JM", "JP {c},{op}", "{m} {op}"},
    {"CALL", "CALL {op}", "CALL {op}"},
    {"CZ", "CALL {c},{op}", "{m} {op}"},
    {"CNZ", "CALL {c},{op}", "{m} {op}"},
    {"CC", "CALL {c},{op}", "{m} {op}"},
    {"CNC", "CALL {c},{op}", "{m} {op}"},
    {"CPO", "CALL {c},{op}", "{m} {op}"},
    {"CPE", "CALL {c},{op}", "{m} {op}"},
    {"CP", "CALL {c},{op}", "{m} {op}"},
    {"CM", "CALL {c},{op}", "{m} {op}"},
    {"PUSH", "PUSH {p}", "PUSH {p}"},
    {"ADI", "ADD A,{op}", "ADD AL,{op}"},
    {"RST", "RST {h}H", "INT {op}"},
    {"RET", "RET ", "{m} {op}"},
    {"RZ", "RET {c}", "{m} "},
    {"RNZ", "RET {c}", "{m} "},
    {"RC", "RET {c}", "{m} "},
    {"RNC", "RET {c}", "{m} "},
    {"RPO", "RET {c}", "{m} "},
    {"RPE", "RET {c}", "{m} "},
    {"RP", "RET {c}", "{m} "},
    {"RM", "RET {c}", "{m} "},
    {"ACI", "ADC A,{op}", "ADC AL,{op}"},
    {"OUT", "OUT ({op}),A", "OUT {op},AL"},
    {"SUI", "SUB {op}", "SUB AL,{op}"},
    {"IN", "IN A,({op})", "IN AL,{op}"},
    {"SBI", "SBC A,{op}", "SBB AL,{op}"},
    {"XTHL", "EX (SP),HL", "XCHG SP,CX"},
    {"ANI", "AND {op}", "AND AL,{op}"},
    {"PCHL", "JP (HL)", "JMP [CX]"},
    {"XCHG", "EX DE,HL", "XCHG DE,CX"},
    {"XRI", "XOR {op}", "XOR AL,{op}"},
    {"DI", "DI", "DI"},
    {"ORI", "OR {op}", "OR AL,{op}"},
    {"SPHL", "LD SP,HL", "MOV SP,CX"},
    {"EI", "EI", "EI"},
    {"EQU", "EQU {op}", "EQU {op}"},
    {"DB", "DB {op}", "DB {op}"},
    {"DW", "DW {op}", "DW {op}"},
    {"DS", "DS {op}", "DS {op}"},
    {"ORG", "ORG {op}", "ORG {op}"},
    {"END", "END", "END"},
}};

constexpr std::array<std::string_view, 8> kZ80Registers = {"B", "C", "D", "E", "H", "L", "(HL)", "A"};
constexpr std::array<std::string_view, 8> kX86Registers = {"BH", "BL", "DH", "DL", "CH", "CL", "[CX]", "AL"};
constexpr std::array<std::string_view, 8> kConditions = {"NZ", "Z", "NC", "C", "PO", "PE", "P", "M"};

// The pair named by the first character of an operand.
int pairOfLetter(std::string_view operand) {
    if (operand.empty()) return 10;
    switch (operand[0]) {
        case 'B': return 0;
        case 'D': return 2;
        case 'H': return 4;
        case 'S': return 11;
        case 'P': return 12;
        default: return 10;
    }
}

std::string restartHex(std::string_view operand) {
    int n = !operand.empty() && operand[0] >= '0' && operand[0] <= '9' ? operand[0] - '0' : 0;
    int value = 8 * n;
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[value % 16]);
        value /= 16;
    } while (value > 0);
    return digits;
}

// A name the helpers cannot give (an operand the compile pass would have refused)
// falls back to the operand's own text, so nothing of the line silently vanishes.
std::string_view orText(std::string_view name, std::string_view text) { return name.empty() ? text : name; }

std::string expand(std::string_view pattern, const Instruction& ins, const MachineFields& m) {
    const std::string_view op = m.operandText;
    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        size_t open = pattern.find('{', i);
        size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos) {
            out += pattern.substr(i);
            break;
        }
        out += pattern.substr(i, open - i);
        std::string_view key = pattern.substr(open + 1, close - open - 1);
        if (key == "op") {
            out += op;
        } else if (key == "tail") {
            size_t comma = op.find(',');
            if (comma != std::string_view::npos) out += op.substr(comma);
        } else if (key == "r") {
            std::string_view letter = op.substr(0, std::min<size_t>(op.size(), 1));
            out += orText(registerName(Machine::registerIndex(letter), m.mode), letter);
        } else if (key == "s") {
            std::string_view source = op.size() > 2 ? op.substr(2) : std::string_view();
            out += orText(registerName(Machine::registerIndex(source), m.mode), source);
        } else if (key == "p") {
            out += orText(pairName(pairOfLetter(op), m.mode), op);
        } else if (key == "c") {
            out += conditionName(ins.variant);
        } else if (key == "m") {
            out += ins.name;
        } else if (key == "h") {
            out += restartHex(op);
        } else {
            out += pattern.substr(open, close - open + 1);
        }
        i = close + 1;
    }
    return out;
}

}  // namespace

std::string_view registerName(int index, std::int32_t mode) {
    if (index < 0 || index >= static_cast<int>(kZ80Registers.size())) return {};
    return mode == TranslateX86 ? kX86Registers[static_cast<size_t>(index)] : kZ80Registers[static_cast<size_t>(index)];
}

std::string_view pairName(int index, std::int32_t mode) {
    const bool x86 = mode == TranslateX86;
    switch (index) {
        case kPairB: return x86 ? "BX" : "BC";
        case kPairD: return x86 ? "DX" : "DE";
        case kPairH: return x86 ? "CX" : "HL";
        case kPairSp: return "SP";
        case kPairPsw: return x86 ? "PSW" : "AF";
        default: return {};
    }
}

std::string_view conditionName(std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(kConditions.size())) return {};
    return kConditions[static_cast<size_t>(code)];
}

const TranslationTemplate* findTranslationTemplate(std::string_view mnemonic) {
    auto it = std::find_if(kTemplates.begin(), kTemplates.end(),
                           [&](const TranslationTemplate& t) { return t.mnemonic == mnemonic; });
    return it == kTemplates.end() ? nullptr : &*it;
}

Machine::TranslatedLine translateLine(const Machine& machine) {
    const MachineFields& m = machine.fields();
    Machine::TranslatedLine translated;
    const Instruction* ins = findInstruction(m.mnemonicText);
    if (ins == nullptr) {
        // The label alone keeps the jumps to a line without a mnemonic a target.
        if (!m.mnemonicText.empty()) translated.status = InvalidCommand;
        else if (!m.labelField.empty() && m.labelField[0] != ' ') translated.text = std::string(m.labelField);
        return translated;
    }
    std::string line(m.labelField);
    if (const TranslationTemplate* t = findTranslationTemplate(ins->name)) {
        line += expand(m.mode == TranslateX86 ? t->x86 : t->z80, *ins, m);
    }
    translated.text = std::move(line);
    // DS and DW keep their memory checks in this pass: it counts on from the size the
    // compile left, so reserved space that runs past the end of memory stops it too.
    if (ins->name == "DS" || ins->name == "DW") translated.countedBy = ins;
    return translated;
}

}  // namespace verdin
