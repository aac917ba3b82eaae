// What the main window's assembler commands do with the editor's lines, shared by
// the desktop workbench and the command-line tool so both behave the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace verdin {

// Reset, copy the lines into the program store (the Debug command stops at the first
// empty line), then compile. Returns -1 on success or the faulty line counted from 1.
// A text longer than the program store is refused with a message instead of being
// cut short without a word.
std::int32_t compileProgram(Machine& machine, const std::vector<std::string>& lines, bool stopAtEmptyLine,
                            bool showMessage, std::int32_t mode = Compile);

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
