#include "shell/commands.h"

#include "isa/instruction_table.h"
#include "translator/translate.h"

namespace verdin {

std::int32_t compileProgram(Machine& machine, const std::vector<std::string>& lines, bool stopAtEmptyLine,
                            bool showMessage, std::int32_t mode) {
    machine.reset();
    // The hints see the whole text, the lines after an empty one included.
    machine.sourceLines = lines;
    size_t count = 0;
    while (count < lines.size() && !(stopAtEmptyLine && lines[count].empty())) ++count;
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
        machine.showError("Too many lines at string " + std::to_string(beyond + 1) +
                              ". A program can hold at most 250 lines.",
                          Ok);
        return machine.errorLine;
    }
    std::int32_t result = machine.compile(showMessage, Compile);
    if (result != -1 || mode == Compile) return result;
    const bool translation = mode == TranslateZ80 || mode == TranslateX86;
    return machine.compile(showMessage, mode, translation ? &translateProgram : nullptr);
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
