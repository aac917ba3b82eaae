#include "shell/commands.h"

#include "isa/instruction_table.h"
#include "translator/translate.h"

namespace verdin {

std::int32_t compileProgram(Machine& machine, const std::vector<std::string>& lines, const CompileOptions& options) {
    size_t count = 0;
    while (count < lines.size() && !(options.stopAtEmptyLine && lines[count].empty())) ++count;
    // The hints see the whole text, the lines after an empty one included.
    machine.loadProgram(lines, count);
    bool storeFull = true;
    for (size_t i = 0; i < kMaxProgramLines && i < count; ++i) {
        if (lines[i].empty()) storeFull = false;
    }
    // Blank lines after the last one that holds something are no part of the program:
    // most editors end a file with a line break, and some with several.
    size_t beyond = kMaxProgramLines;
    while (beyond < count && lines[beyond].find_first_not_of(" \t") == std::string::npos) ++beyond;
    if (beyond < count && storeFull) return machine.reportFault({TooManyLines, static_cast<std::int32_t>(beyond + 1)});
    std::int32_t result = machine.compile(options.showMessage, Compile);
    if (result != -1 || options.mode == Compile) return result;
    const bool translation = options.mode == TranslateZ80 || options.mode == TranslateX86;
    return machine.compile(options.showMessage, options.mode, translation ? &translateLine : nullptr);
}

std::vector<std::uint8_t> programImage(const Machine& machine) {
    std::vector<std::uint8_t> image;
    const MachineFields& m = machine.fields();
    for (std::int32_t a = 0; a < m.addressCounter && a < kMemorySize; ++a) {
        image.push_back(static_cast<std::uint8_t>(m.memory[a] & 0xFF));
    }
    return image;
}

void runProgram(Machine& machine) {
    machine.resetRun();
    machine.clearStopRequest();
    machine.run();
}

std::vector<ListingLine> listProgram(Machine& machine, const std::vector<std::string>& lines) {
    std::vector<Machine::AssembledLine> assembled = machine.assembleLinesAgain();
    std::vector<ListingLine> listing;
    for (size_t i = 0; i < lines.size(); ++i) {
        ListingLine entry;
        entry.source = lines[i];
        if (i < assembled.size()) {
            entry.address = assembled[i].address;
            entry.bytes = std::move(assembled[i].bytes);
        }
        listing.push_back(std::move(entry));
    }
    return listing;
}

}  // namespace verdin
