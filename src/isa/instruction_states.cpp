// The states column of the instruction table.
//
// Transcribed from Intel's own tables: the 8080 column from the "Instruction Set"
// chapter and the instruction summary of the Intel 8080 Microcomputer Systems User's
// Manual (September 1975); the 8085 column from the instruction set summary of the
// MCS-80/85 Family User's Manual (October 1979) and the Intel 8085AH data sheet.
// Where Intel writes two counts ("11/17") the first is the condition not met.
//
// The two processors differ in MOV r,r, INR/DCR r, INX/DCX, SPHL, PCHL (the 8080
// spends a fifth state on the first machine cycle, the 8085 four or six), PUSH, RST,
// CALL and the conditional calls, returns and jumps, XTHL and HLT.
#include "isa/instruction_states.h"

#include <array>
#include <cctype>

namespace verdin {

namespace {

constexpr StateCount one(int states) { return {states, states}; }
constexpr StateCount two(int notTaken, int taken) { return {notTaken, taken}; }

// mnemonic, operand form, 8080, 8085 -- in the order of the instruction table.
constexpr StateForm kForms[] = {
    {"NOP", "", one(4), one(4)},
    {"HLT", "", one(7), one(5)},
    {"LXI", "rp,nn", one(10), one(10)},
    {"STAX", "rp", one(7), one(7)},
    {"INX", "rp", one(5), one(6)},
    {"INR", "r", one(5), one(4)},
    {"INR", "M", one(10), one(10)},
    {"DCR", "r", one(5), one(4)},
    {"DCR", "M", one(10), one(10)},
    {"MVI", "r,n", one(7), one(7)},
    {"MVI", "M,n", one(10), one(10)},
    {"RLC", "", one(4), one(4)},
    {"DAD", "rp", one(10), one(10)},
    {"LDAX", "rp", one(7), one(7)},
    {"DCX", "rp", one(5), one(6)},
    {"RRC", "", one(4), one(4)},
    {"RAL", "", one(4), one(4)},
    {"RAR", "", one(4), one(4)},
    {"SHLD", "nn", one(16), one(16)},
    {"DAA", "", one(4), one(4)},
    {"LHLD", "nn", one(16), one(16)},
    {"CMA", "", one(4), one(4)},
    {"STA", "nn", one(13), one(13)},
    {"STC", "", one(4), one(4)},
    {"LDA", "nn", one(13), one(13)},
    {"CMC", "", one(4), one(4)},
    {"MOV", "r,r", one(5), one(4)},
    {"MOV", "r,M", one(7), one(7)},
    {"MOV", "M,r", one(7), one(7)},
    {"ADD", "r", one(4), one(4)},
    {"ADD", "M", one(7), one(7)},
    {"ADC", "r", one(4), one(4)},
    {"ADC", "M", one(7), one(7)},
    {"SUB", "r", one(4), one(4)},
    {"SUB", "M", one(7), one(7)},
    {"SBB", "r", one(4), one(4)},
    {"SBB", "M", one(7), one(7)},
    {"ANA", "r", one(4), one(4)},
    {"ANA", "M", one(7), one(7)},
    {"CPI", "n", one(7), one(7)},
    {"XRA", "r", one(4), one(4)},
    {"XRA", "M", one(7), one(7)},
    {"ORA", "r", one(4), one(4)},
    {"ORA", "M", one(7), one(7)},
    {"CMP", "r", one(4), one(4)},
    {"CMP", "M", one(7), one(7)},
    {"POP", "rp", one(10), one(10)},
    {"POP", "PSW", one(10), one(10)},
    {"JMP", "label", one(10), one(10)},
    {"JZ", "label", one(10), two(7, 10)},
    {"JNZ", "label", one(10), two(7, 10)},
    {"JC", "label", one(10), two(7, 10)},
    {"JNC", "label", one(10), two(7, 10)},
    {"JPO", "label", one(10), two(7, 10)},
    {"JPE", "label", one(10), two(7, 10)},
    {"JP", "label", one(10), two(7, 10)},
    {"JM", "label", one(10), two(7, 10)},
    {"CALL", "label", one(17), one(18)},
    {"CZ", "label", two(11, 17), two(9, 18)},
    {"CNZ", "label", two(11, 17), two(9, 18)},
    {"CC", "label", two(11, 17), two(9, 18)},
    {"CNC", "label", two(11, 17), two(9, 18)},
    {"CPO", "label", two(11, 17), two(9, 18)},
    {"CPE", "label", two(11, 17), two(9, 18)},
    {"CP", "label", two(11, 17), two(9, 18)},
    {"CM", "label", two(11, 17), two(9, 18)},
    {"PUSH", "rp", one(11), one(12)},
    {"PUSH", "PSW", one(11), one(12)},
    {"ADI", "n", one(7), one(7)},
    {"RST", "n", one(11), one(12)},
    {"RET", "", one(10), one(10)},
    {"RZ", "", two(5, 11), two(6, 12)},
    {"RNZ", "", two(5, 11), two(6, 12)},
    {"RC", "", two(5, 11), two(6, 12)},
    {"RNC", "", two(5, 11), two(6, 12)},
    {"RPO", "", two(5, 11), two(6, 12)},
    {"RPE", "", two(5, 11), two(6, 12)},
    {"RP", "", two(5, 11), two(6, 12)},
    {"RM", "", two(5, 11), two(6, 12)},
    {"ACI", "n", one(7), one(7)},
    {"OUT", "port", one(10), one(10)},
    {"SUI", "n", one(7), one(7)},
    {"IN", "port", one(10), one(10)},
    {"SBI", "n", one(7), one(7)},
    {"XTHL", "", one(18), one(16)},
    {"ANI", "n", one(7), one(7)},
    {"PCHL", "", one(5), one(6)},
    {"XCHG", "", one(4), one(4)},
    {"XRI", "n", one(7), one(7)},
    {"DI", "", one(4), one(4)},
    {"ORI", "n", one(7), one(7)},
    {"SPHL", "", one(5), one(6)},
    {"EI", "", one(4), one(4)},
};

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    }
    return true;
}

// The first row of a mnemonic; its other forms follow it directly.
const StateForm* firstForm(std::string_view mnemonic) {
    for (const StateForm& f : kForms) {
        if (sameName(mnemonic, f.mnemonic)) return &f;
    }
    return nullptr;
}

// The row of `first`'s mnemonic whose form is `form`.
const StateForm* formNamed(const StateForm* first, std::string_view form) {
    const StateForm* end = std::end(kForms);
    for (const StateForm* f = first; f != end && f->mnemonic == first->mnemonic; ++f) {
        if (f->form == form) return f;
    }
    return nullptr;
}

}  // namespace

std::span<const StateForm> stateForms() { return kForms; }

std::vector<StateForm> stateFormsOf(std::string_view mnemonic) {
    std::vector<StateForm> forms;
    for (const StateForm& f : kForms) {
        if (sameName(mnemonic, f.mnemonic)) forms.push_back(f);
    }
    return forms;
}

const StateForm* stateFormOfLine(std::string_view mnemonic, std::string_view operand) {
    const StateForm* first = firstForm(mnemonic);
    if (first == nullptr) return nullptr;
    const std::string_view form = first->form;
    if (form == "r") return formNamed(first, operand == "M" ? "M" : "r");
    if (form == "r,n") return formNamed(first, operand.substr(0, 2) == "M," ? "M,n" : "r,n");
    if (form == "r,r") {
        if (operand.substr(0, 2) == "M,") return formNamed(first, "M,r");
        return formNamed(first, operand.size() > 2 && operand.substr(1) == ",M" ? "r,M" : "r,r");
    }
    if (form == "rp" && operand == "PSW") {
        const StateForm* psw = formNamed(first, "PSW");
        if (psw != nullptr) return psw;
    }
    return first;
}

const char* timingKey(Timing timing) { return timing == Timing::Intel8085 ? "8085" : "8080"; }

bool timingFromKey(std::string_view key, Timing& timing) {
    if (key == "8080") timing = Timing::Intel8080;
    else if (key == "8085") timing = Timing::Intel8085;
    else return false;
    return true;
}

}  // namespace verdin
