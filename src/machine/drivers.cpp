// The Step and Run drivers of the debug window.
//
// Execution follows source lines while addressCounter stays the true program
// counter, so before a line runs out of sequence its address is recomputed by
// assembling every line above it again (prescan).
#include "machine/machine.h"
#include "simulator/instruction_table.h"

namespace verdin {

namespace {
// The Run message of a status; the line number is appended by the caller.
const char* runMessage(std::int32_t code) {
    switch (code) {
        case OutOfMemory: return "Out of memory";
        case InvalidPort: return "Invalid port address";
        case RetWithoutCall: return "Ret without Call";
        case InvalidNumber: return "Invalid number";
        case ResultOutOfRange: return "The result of operation is out of range";
        default: return nullptr;
    }
}
}  // namespace

void Machine::prescan(std::int32_t n) {
    addressCounter = 0;
    nextLine = 0;
    mode = Compile;
    if (n <= 0) {
        nextLine = n;
        mode = Execute;
        return;
    }
    for (std::int32_t i = 0; i < n && i < kMaxProgramLines; ++i) {
        currentLine = i;
        splitLine(programLines[i]);
        preScan = 1;
        dispatchLine();
        preScan = 0;
    }
    nextLine = n;
    mode = Execute;
}

std::int32_t Machine::lineAtAddress(std::int32_t address) {
    const std::int32_t savedLine = currentLine, savedNext = nextLine, savedMode = mode,
                       savedStatus = status, savedCounter = addressCounter;
    std::int32_t found = -1;
    addressCounter = 0;
    mode = Compile;
    status = Ok;
    for (std::int32_t i = 0; i < programLineCount && i < kMaxProgramLines; ++i) {
        if (addressCounter == address) {
            found = i;
            break;
        }
        currentLine = i;
        splitLine(programLines[i]);
        preScan = 1;
        dispatchLine();
        preScan = 0;
        if (status != Ok) break;
    }
    currentLine = savedLine;
    nextLine = savedNext;
    mode = savedMode;
    status = savedStatus;
    addressCounter = savedCounter;
    return found;
}

void Machine::stepLine() {
    std::int32_t line = nextLine;
    mode = Execute;
    currentLine = line;
    if (line < 0 || line >= kMaxProgramLines) {
        mnemonicText.clear();
        labelField.clear();
        operandText.clear();
    } else {
        splitLine(programLines[line]);
        if (mnemonicText != "}") dispatchLine();
    }
    // A step that leaves the program counter where it was has reached the end of the
    // program: the text screen of the run is closed.
    if (addressCounter == stopAddress) closeTextScreen();
    stopAddress = addressCounter;
    if (currentLine != nextLine) nextLine = currentLine;
}

void Machine::step(std::int32_t line) {
    prescan(line);
    stepLine();
    lastStatus = status;
    if (status == Ok) return;
    if (status == Interrupted) {
        showInfo("Program interrupted by user");
    } else if (status == NoLineAtAddress) {
        showError("No program line at address " + messageName, status);
    } else if (const char* text = runMessage(status)) {
        showError(text, status);
    }
    status = Ok;
}

void Machine::run() {
    startLine = 0;
    prescan(0);
    status = pass();
    lastStatus = status;
    if (status == Ok) return;
    errorLine = currentLine;
    if (status == Interrupted) {
        showInfo("Program interrupted by user");
    } else if (status == NoLineAtAddress) {
        showError("No program line at address " + messageName + " at string " + intToText(errorLine), status);
    } else if (const char* text = runMessage(status)) {
        showError(std::string(text) + " at string " + intToText(errorLine), status);
    }
    status = Ok;
}

}  // namespace verdin
