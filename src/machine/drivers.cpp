// The Step and Run drivers of the debug window. A Step or a Run from a line first
// goes to that line out of sequence (prescan, machine/line_table.cpp).
#include "machine/machine.h"

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

void Machine::pumpIfTimeHasCome() {
    linesSincePump = 0;
    auto now = std::chrono::steady_clock::now();
    if (now - lastPump < std::chrono::milliseconds(15)) return;
    lastPump = now;
    ownerWindow->pumpEvents();
}

void Machine::stepLine() {
    std::int32_t line = nextLine;
    mode = Execute;
    currentLine = line;
    bool programEnd = true;
    if (line < 0 || line >= kMaxProgramLines) {
        mnemonicText = {};
        labelField = {};
        operandText = {};
    } else {
        splitLine(programLines[line]);
        programEnd = programLines[line].empty() || mnemonicText == "}";
        if (mnemonicText != "}") dispatchLine();
    }
    // Only the program's end closes the text screen of the run. A comment, a label, an
    // EQU or a jump to itself leaves the counter where it was too, and the output
    // must stay in view while the student steps on.
    if (programEnd) closeTextScreen();
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

void Machine::run() { runFrom(0); }

void Machine::runFrom(std::int32_t line) {
    prescan(line);
    continueRun(line);
}

void Machine::continueRun(std::int32_t line) {
    startLine = line;
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
