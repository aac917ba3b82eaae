#include "shell/commands.h"

#include "isa/instruction_table.h"
#include "translator/translate.h"

namespace verdin {

std::int32_t compileProgram(Machine& machine, const std::vector<std::string>& lines, const CompileOptions& options) {
    machine.reset();
    // The hints see the whole text, the lines after an empty one included.
    machine.sourceLines = lines;
    size_t count = 0;
    while (count < lines.size() && !(options.stopAtEmptyLine && lines[count].empty())) ++count;
    // Stored directly: reset has just forgotten everything derived from the store, so
    // setProgramLine would only forget it again once per line.
    for (size_t i = 0; i < count && i < kMaxProgramLines; ++i) machine.programLines[i] = lines[i];
    bool storeFull = true;
    for (size_t i = 0; i < kMaxProgramLines && i < count; ++i) {
        if (lines[i].empty()) storeFull = false;
    }
    // Blank lines after the last one that holds something are no part of the program:
    // most editors end a file with a line break, and some with several.
    size_t beyond = kMaxProgramLines;
    while (beyond < count && lines[beyond].find_first_not_of(" \t") == std::string::npos) ++beyond;
    if (beyond < count && storeFull) {
        machine.status = TooManyLines;
        machine.errorLine = static_cast<std::int32_t>(beyond + 1);
        machine.report({TooManyLines, machine.errorLine});
        return machine.errorLine;
    }
    std::int32_t result = machine.compile(options.showMessage, Compile);
    if (result != -1 || options.mode == Compile) return result;
    const bool translation = options.mode == TranslateZ80 || options.mode == TranslateX86;
    return machine.compile(options.showMessage, options.mode, translation ? &translateProgram : nullptr);
}

std::vector<std::uint8_t> programImage(const Machine& machine) {
    std::vector<std::uint8_t> image;
    for (std::int32_t a = 0; a < machine.addressCounter && a < kMemorySize; ++a) {
        image.push_back(static_cast<std::uint8_t>(machine.memory[a] & 0xFF));
    }
    return image;
}

void runProgram(Machine& machine) {
    machine.resetRun();
    machine.interruptRequested = 0;
    machine.run();
}

std::vector<ListingLine> listProgram(Machine& machine, const std::vector<std::string>& lines) {
    std::vector<ListingLine> listing;
    std::int32_t savedCounter = machine.addressCounter;
    machine.addressCounter = 0;
    machine.mode = Compile;
    for (size_t i = 0; i < lines.size(); ++i) {
        ListingLine entry;
        entry.source = lines[i];
        auto line = static_cast<std::int32_t>(i);
        if (line < machine.programLineCount) {
            std::int32_t start = machine.addressCounter;
            machine.reassembleLine(line);
            entry.address = start;
            // DS reserves cells without filling them and ORG moves the counter:
            // neither has bytes of its own to show.
            if (machine.mnemonicText != "DS" && machine.mnemonicText != "ORG") {
                for (std::int32_t a = start; a < machine.addressCounter && a < kMemorySize; ++a) {
                    entry.bytes.push_back(static_cast<std::uint8_t>(machine.memory[a]));
                }
            }
        }
        listing.push_back(std::move(entry));
    }
    machine.addressCounter = savedCounter;
    return listing;
}

}  // namespace verdin
