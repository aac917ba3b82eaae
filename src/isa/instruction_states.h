// How many clock states (T-states) each instruction form takes on the Intel 8080 and
// on the 8085, so that a student can time a delay loop. One row per operand form of
// every instruction; lines without an instruction (labels, comments, directives) take
// no time.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace verdin {

enum class Timing { Intel8080, Intel8085 };

// A conditional jump, call or return takes `taken` states when its condition holds and
// `notTaken` otherwise; both are equal when the form has one count.
struct StateCount {
    int notTaken;
    int taken;
};

struct StateForm {
    std::string_view mnemonic;  // upper case, e.g. "MOV"
    std::string_view form;      // operand form as a student reads it: "r,r", "r,M", "M,r", "" when none
    StateCount i8080;
    StateCount i8085;
};

// Every form of every instruction, in the order of the instruction table.
std::span<const StateForm> stateForms();
// The forms of one mnemonic (any letter case); empty for a directive or unknown name.
std::vector<StateForm> stateFormsOf(std::string_view mnemonic);

// The count of a form under one timing.
inline const StateCount& statesUnder(const StateForm& form, Timing timing) {
    return timing == Timing::Intel8085 ? form.i8085 : form.i8080;
}

// The form an upper-case mnemonic takes with the operand text of a normalised line
// ("A,M", "M", "B", "PSW", "2000H"); null for a directive, an unknown mnemonic, or an
// operand that names neither a register nor memory where the form depends on it.
const StateForm* stateFormOfLine(std::string_view mnemonic, std::string_view operand);

// "8080" / "8085": the word a settings file and the command line use; and back.
const char* timingKey(Timing timing);
bool timingFromKey(std::string_view key, Timing& timing);

}  // namespace verdin
