// The listing of a program: the address and bytes of every source line, four bytes a
// row, then the labels with their addresses. `verdin-cli listing` prints these rows
// and the desktop's Listing window shows them, so both always agree.
//
// Usage:
//   if (compileProgram(machine, lines, {}) == -1)
//       for (const std::string& row : listingRows(machine, lines)) out << row << "\n";
//   ProgramListing shown = makeListing(lines);   // compiles on a machine of its own
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"

namespace verdin {

// The rows of the listing of `lines`, which `machine` has just compiled.
std::vector<std::string> listingRows(Machine& machine, const std::vector<std::string>& lines);

struct ProgramListing {
    bool compiled = false;
    // The listing's rows, or the compile's message (and its hint) when it failed.
    std::vector<std::string> rows;
    int faultLine = -1;  // counted from 1, when it failed
};

// Compiles `lines` as Compile does, on a machine of its own so that the machine the
// student debugs is not touched, and lists the result. No message box is shown: the
// message becomes the listing's text.
ProgramListing makeListing(const std::vector<std::string>& lines, ArithmeticRules rules = ArithmeticRules::Workbench);

}  // namespace verdin
