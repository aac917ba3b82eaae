// Tidy: rewrites a program written for a trainer kit or another assembler into this
// workbench's language, changing only what has one sure meaning, and lists every
// change and everything left to do by hand. Addresses are never moved, and numbers
// are reinterpreted only when asked to (bare numbers read as hexadecimal).
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace verdin {

struct TidyNote {
    int line = 0;  // counted from 1, as the editor counts
    std::string text;
};

struct TidyResult {
    std::vector<std::string> lines;
    std::vector<TidyNote> changes;
    std::vector<TidyNote> byHand;
};

// `bareNumbersAreHex`: the trainer-kit convention, in which 2050 means 2050H.
TidyResult tidyProgram(const std::vector<std::string>& lines, bool bareNumbersAreHex);

// What the assembler still says about the converted lines: the first fault with its
// hint, or nothing when they compile.
std::vector<Message> remainingFaults(const std::vector<std::string>& lines);

// "line N: text", the one-line form of a change; to-do items start "line N: by hand: ".
std::string formatChange(const TidyNote& note);
std::string formatByHand(const TidyNote& note);

}  // namespace verdin
