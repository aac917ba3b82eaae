// Hints: one or two sentences under a message that say what in the student's text
// caused it and how to fix it. The messages themselves never change; a hint only
// adds what the message cannot know, such as the lines after the program's end, a
// label that is too long, or a number written the way another assembler wants it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/diagnostics.h"

namespace verdin {

class Machine;

// The hint for the message that the machine is about to show: its code's hint rule
// (diagnostics/), judged from the machine's state and the text as typed
// (Machine::sourceLines). Empty when there is nothing useful to add.
std::string hintFor(const Machine& machine, const Diagnostic& diagnostic);

// Why a Step or Run ended with "Program interrupted by user", which the box says
// whether HLT or Stop ended it: "The program reached HLT on line N (lines counted from
// 1)." or "Stop ended the run before line N (...)."; the line limit of a run that
// stops after so many lines is told apart too.
std::string interruptHint(const Machine& machine);
// The Stop sentence for a stop before `line` (counted from 0).
std::string stopHintBefore(std::int32_t line);

// Pieces of a typed line, shared with the conversion of programs from other tools.
namespace typed {
// The line without its comment (from the first ';' outside single quotes).
std::string_view codePart(std::string_view line);
// True for a line that holds nothing but blanks and perhaps a comment.
bool isBlankOrComment(std::string_view line);
// A line split into its label (the text before a leading "name:"), mnemonic and
// operands, blanks trimmed; the mnemonic upper-cased.
struct Fields {
    std::string label;
    bool hasColon = false;
    std::string mnemonic;
    std::string operands;
};
Fields split(std::string_view line);
// The operands split at commas outside single quotes, each trimmed.
std::vector<std::string> operandList(std::string_view operands);
std::string upper(std::string_view text);
}  // namespace typed

}  // namespace verdin
