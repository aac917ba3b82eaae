// The Step and Run drivers of the debug window.
//
// Execution follows source lines while addressCounter stays the true program
// counter, so before a line runs out of sequence its address is recomputed by
// assembling every line above it again (prescan).
#include "machine/machine.h"

#include <algorithm>

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

void Machine::pumpIfTimeHasCome() {
    linesSincePump = 0;
    auto now = std::chrono::steady_clock::now();
    if (now - lastPump < std::chrono::milliseconds(15)) return;
    lastPump = now;
    ownerWindow->pumpEvents();
}

void Machine::buildPrescanCache() {
    PrescanCache& cache = prescanCache;
    const std::int32_t savedLine = currentLine, savedMode = mode, savedStatus = status,
                       savedCounter = addressCounter, savedNext = nextLine;
    const std::string_view savedMnemonic = mnemonicText, savedLabel = labelField, savedOperand = operandText;
    cache = PrescanCache{};
    cache.lineCount = std::min(programLineCount, kMaxProgramLines);
    cache.cellLine.assign(kMemorySize, -1);
    cache.cellImage.assign(kMemorySize, 0);
    cache.dirtyFlag.assign(kMemorySize, 0);
    cache.valid = true;
    cache.recording = true;
    addressCounter = 0;
    mode = Compile;
    status = Ok;
    for (std::int32_t i = 0; i < cache.lineCount; ++i) {
        cache.lineAddress.push_back(addressCounter);
        cache.recordingLine = i;
        currentLine = i;
        splitLine(programLines[i]);
        preScan = 1;
        dispatchLine();
        preScan = 0;
        if (status != Ok) cache.valid = false;
    }
    cache.lineAddress.push_back(addressCounter);
    cache.recording = false;
    cache.allDirty = true;
    currentLine = savedLine;
    mode = savedMode;
    status = savedStatus;
    addressCounter = savedCounter;
    nextLine = savedNext;
    mnemonicText = savedMnemonic;
    labelField = savedLabel;
    operandText = savedOperand;
}

bool Machine::prescanCacheCovers(std::int32_t n) {
    if (!usePrescanCache || n > programLineCount) return false;
    if (prescanCache.lineCount != std::min(programLineCount, kMaxProgramLines) || prescanCache.lineAddress.empty()) {
        buildPrescanCache();
    }
    return prescanCache.valid && n <= prescanCache.lineCount;
}

void Machine::markDirty(std::int32_t address) {
    prescanCache.dirtyFlag[address] = 1;
    prescanCache.dirty.push_back(address);
}

void Machine::restorePrescanCells(std::int32_t n) {
    PrescanCache& c = prescanCache;
    // The common case of a call: nothing the prescan writes has changed.
    if (!c.allDirty && c.dirty.empty()) return;
    if (c.allDirty) {
        for (std::int32_t address : c.cells) {
            if (memory[address] != c.cellImage[address] && !c.dirtyFlag[address]) {
                c.dirtyFlag[address] = 1;
                c.dirty.push_back(address);
            }
        }
        c.allDirty = false;
    }
    size_t kept = 0;
    for (std::int32_t address : c.dirty) {
        if (c.cellLine[address] < n) {
            memory[address] = c.cellImage[address];
            c.dirtyFlag[address] = 0;
        } else {
            c.dirty[kept++] = address;
        }
    }
    c.dirty.resize(kept);
}

void Machine::prescan(std::int32_t n) {
    const PrescanCache& c = prescanCache;
    // Most calls find the remembered prescan current and no cell of it changed: then
    // there is nothing to check or write back.
    const bool clean = c.valid && usePrescanCache && !c.allDirty && c.dirty.empty() && n > 0 &&
                       n <= programLineCount && n <= c.lineCount &&
                       c.lineCount == std::min(programLineCount, kMaxProgramLines);
    if (clean || (n > 0 && prescanCacheCovers(n))) {
        if (!clean) restorePrescanCells(n);
        addressCounter = prescanCache.lineAddress[static_cast<size_t>(n)];
        currentLine = n - 1;
        splitLine(programLines[n - 1]);
        preScan = 0;
        nextLine = n;
        mode = Execute;
        return;
    }
    // Assembling line by line writes cells the cache does not see.
    prescanCache.allDirty = true;
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
    // Finding the line means assembling the lines above it, with the same writes
    // as a prescan of them; without a match, of all lines.
    if (prescanCacheCovers(programLineCount)) {
        const auto& lines = prescanCache.lineAddress;
        for (std::int32_t i = 0; i < prescanCache.lineCount; ++i) {
            if (lines[static_cast<size_t>(i)] == address) {
                restorePrescanCells(i);
                return i;
            }
        }
        restorePrescanCells(prescanCache.lineCount);
        return -1;
    }
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

}  // namespace verdin
