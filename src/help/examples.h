// The example programs of examples/, compiled into the programs: File > Examples
// opens one as a new untitled text, wherever the workbench runs from.
#pragma once

#include <string>
#include <vector>

namespace verdin::help {

struct ExampleProgram {
    std::string name;   // "multiply.asm"
    std::string title;  // its first comment line: "Multiplication by shift and add: HL = D * E."
    std::vector<std::string> lines;  // as the editor loads them
};

// Every example, in the order of their file names.
std::vector<ExampleProgram> examplePrograms();

}  // namespace verdin::help
