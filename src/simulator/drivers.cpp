// The Step and Run drivers of the debug window. A Step or a Run from a line first
// goes to that line out of sequence (prescan, simulator/line_table.cpp).
#include "machine/machine.h"

namespace verdin {

namespace {
// The faults a Step or Run shows a message for; the others end the command silently.
bool shownAfterRun(std::int32_t code) {
    switch (code) {
        case OutOfMemory:
        case InvalidPort:
        case RetWithoutCall:
        case InvalidNumber:
        case ResultOutOfRange:
        case Interrupted:
        case NoLineAtAddress: return true;
        default: return false;
    }
}
}  // namespace

// The machine is made here, above the services it makes, so that the libraries below
// it (the state, the text tools, the services themselves) never need the services.
Machine::Machine(Platform& platform) : services_(makeSystemServices()) {
    ownerWindow = &platform;
    reset();
}

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
    if (shownAfterRun(status)) report({status, -1, messageName});
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
    if (status == Interrupted) report({Interrupted});
    else if (shownAfterRun(status)) report({status, errorLine, messageName});
    status = Ok;
}

std::int32_t Machine::executeLine(std::string_view text, std::int32_t address) {
    const std::string line = TextTools::upperOutsideQuotes(normalizeLine(text));
    status = Ok;
    mode = Execute;
    addressCounter = address;
    splitLine(line);
    dispatchLine();
    // The fields view `line`, which ends here.
    mnemonicText = labelField = operandText = {};
    return addressCounter;
}

}  // namespace verdin
