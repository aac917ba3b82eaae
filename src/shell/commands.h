// What the main window's assembler commands do with the editor's lines, shared by
// the desktop workbench and the command-line tool so both behave the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace verdin {

struct CompileOptions {
    // The Debug command hands over the lines up to the first empty one only.
    bool stopAtEmptyLine = false;
    // Whether a successful compile says so in a box (a fault is always shown).
    bool showMessage = false;
    // Compile, Execute (compile, then run) or a translation.
    std::int32_t mode = Compile;
};

// Reset, copy the lines into the program store, then compile. Returns -1 on success
// or the faulty line counted from 1. A text longer than the program store is refused
// with a message instead of being cut short without a word.
//   compileProgram(machine, lines, {.stopAtEmptyLine = true, .showMessage = true});
std::int32_t compileProgram(Machine& machine, const std::vector<std::string>& lines, const CompileOptions& options);

// The assembled image: the cells 0 .. addressCounter - 1 as bytes.
std::vector<std::uint8_t> programImage(const Machine& machine);

// The Run button of the debug window: resetRun, clear Stop, run.
void runProgram(Machine& machine);

struct ListingLine {
    std::int32_t address = -1;  // -1 for lines outside the program
    std::vector<std::uint8_t> bytes;
    std::string source;
};

// Address and bytes of every line after a successful compile.
std::vector<ListingLine> listProgram(Machine& machine, const std::vector<std::string>& lines);

}  // namespace verdin
