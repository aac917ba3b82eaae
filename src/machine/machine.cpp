#include "machine/machine.h"

namespace verdin {

void Machine::reset() {
    translatedCount = 0;
    programLineCount = 0;
    messageName.clear();
    sourceLines.clear();
    mnemonicText = {};
    labelField = {};
    operandText = {};
    interruptRequested = 0;
    operandHigh = operandLow = 0;
    addressCounter = errorLine = currentLine = nextLine = startLine = 0;
    preScan = 0;
    mode = Compile;
    status = Ok;
    labelCount = refCount = 0;
    lastStatus = Ok;
    lineBudget = -1;
    states = 0;
    static_cast<ProcessorState&>(*this) = ProcessorState{};
    labelAddresses.fill(0);
    refAddresses.fill(0);
    for (auto& s : labelNames) s.clear();
    for (auto& s : refNames) s.clear();
    for (auto& s : programLines) s.clear();
    for (auto& s : translatedLines) s.clear();
    invalidateCaches();
}

void Machine::resetRun() {
    translatedCount = refCount = stopAddress = 0;
    states = 0;
    regA = regB = regC = regD = regE = regH = regL = regF = 0;
    preScan = 0;
    mode = Compile;
    status = Ok;
    nextLine = 0;
    flagZ = flagCY = flagP = flagS = flagAC = 0;
    sp = kInitialSp;
    callDepth = -1;
    messageName.clear();
    returnAddresses.fill(0);
    returnLines.fill(0);
    // The input ports are what the user typed into the debug window for this run;
    // clearing them would hide those values from the program.
    outPorts.fill(0);
}

void Machine::restoreProcessorState(const ProcessorState& state) {
    static_cast<ProcessorState&>(*this) = state;
    // Memory was written behind poke's back: the line table compares the cells it
    // writes back before it trusts them again.
    lineTable.allDirty = true;
}

void Machine::setRegister(int index, std::int32_t value) {
    if (index == kRegisterM) return;
    registerRef(index) = value;
    regF = composeFlags();
}

void Machine::setInputPort(int port, std::int32_t value) {
    if (port >= 0 && port < kPortCount) inPorts[static_cast<std::size_t>(port)] = value;
}

std::int32_t Machine::composeFlags() const {
    return flagS * 128 + flagZ * 64 + flagAC * 16 + flagP * 4 + flagCY;
}

void Machine::splitFlags(std::int32_t f) {
    flagCY = f & 1;
    flagP = (f >> 2) & 1;
    flagAC = (f >> 4) & 1;
    flagZ = (f >> 6) & 1;
    flagS = (f >> 7) & 1;
}

void Machine::storeByte(std::int32_t address, std::int32_t value) {
    if (address < 0 || address >= kMemorySize) {
        status = OutOfMemory;
        return;
    }
    memory[address] = value & 0xFF;
}

std::int32_t Machine::readHex(std::string_view text, int digits) {
    const HexNumber number = parseHex(text, digits);
    if (number.fault == HexFault::NotADigit) status = InvalidOperand;
    else if (number.fault == HexFault::ForeignCharacter) status = IllegalCharacters;
    return number.value;
}

void Machine::invalidateCaches() {
    targetLineCache.fill(kUnknownLine);
    forgetLineTable();
    ++programGeneration;
}

// The table's own data (simulator/line_table.cpp makes and uses it): emptied here,
// with the other caches of the program, since any change of a line can move lines.
void Machine::forgetLineTable() {
    LineTable& t = lineTable;
    for (std::int32_t address : t.cells) {
        t.cellLine[static_cast<size_t>(address)] = -1;
        t.dirtyFlag[static_cast<size_t>(address)] = 0;
    }
    t.cells.clear();
    t.dirty.clear();
    t.lineCount = 0;
    t.linesNoted = 0;
    t.allDirty = true;
}

void Machine::setProgramLine(std::int32_t line, std::string_view text) {
    if (line < 0 || line >= kMaxProgramLines) return;
    programLines[line].assign(text);
    invalidateCaches();
}

std::int32_t Machine::targetLineOf(std::int32_t line, std::string_view name) {
    if (line < 0 || line >= kMaxProgramLines) return findLabelLine(name);
    std::int32_t& cached = targetLineCache[line];
    if (cached == kUnknownLine) cached = findLabelLine(name);
    return cached;
}

std::int32_t Machine::findLabelLine(std::string_view name) const {
    std::string wanted = std::string(name) + ":";
    for (std::int32_t i = 0; i < programLineCount && i < kMaxProgramLines; ++i) {
        if (TextTools::trim(TextTools::mid(programLines[i], 0, 7)) == wanted) return i;
    }
    return -1;
}

}  // namespace verdin
