#include "machine/machine.h"

namespace verdin {

Machine::Machine(Platform& platform) : ownerWindow(&platform) { reset(); }

void Machine::reset() {
    tabText.assign(1, '\t');
    translatedCount = 0;
    programLineCount = 0;
    messageName.clear();
    sourceLines.clear();
    mnemonicText = {};
    labelField = {};
    operandText = {};
    scratchText.clear();
    hexText.clear();
    interruptRequested = 0;
    operandHigh = operandLow = 0;
    addressCounter = errorLine = currentLine = nextLine = stopAddress = startLine = 0;
    preScan = 0;
    mode = Compile;
    status = Ok;
    labelCount = refCount = 0;
    lastStatus = Ok;
    lineBudget = -1;
    states = 0;
    flagZ = flagCY = flagP = flagS = flagAC = 0;
    regA = regB = regC = regD = regE = regH = regL = regF = 0;
    sp = kInitialSp;
    callDepth = -1;
    returnAddresses.fill(0);
    returnLines.fill(0);
    labelAddresses.fill(0);
    refAddresses.fill(0);
    for (auto& s : labelNames) s.clear();
    for (auto& s : refNames) s.clear();
    for (auto& s : programLines) s.clear();
    for (auto& s : translatedLines) s.clear();
    memory.fill(0);
    inPorts.fill(0);
    outPorts.fill(0);
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

void Machine::invalidateCaches() {
    targetLineCache.fill(kUnknownLine);
    forgetLineTable();
    linesDecoded = false;
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
