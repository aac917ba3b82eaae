// What the debug window's program list shows beside each normalised line: the line's
// number as the editor counts it, the address of its code and the comment the
// student typed on it (the normalised line has lost it).
#pragma once

#include <string>
#include <vector>

namespace verdin {

class Machine;

struct ProgramLineInfo {
    std::string number;   // from 1, right-aligned to the widest number of the list
    std::string address;  // "0005", or empty for a line without code of its own
    std::string comment;  // "; sum of the table", or empty
};

// One entry for each of the first `count` program lines of a machine that has just
// compiled them. Reading the addresses assembles nothing the compile did not.
std::vector<ProgramLineInfo> programLineInfo(Machine& m, int count);

}  // namespace verdin
