// Where each program line lies in memory, recorded once by the compile, and the moves
// to a line out of sequence (Step, call, PCHL, Run from a line) that use it.
//
// Execution follows source lines while addressCounter stays the true program counter.
// Going to a line out of sequence is defined as assembling every line above it again:
// that gives the line's address and writes the opcodes and byte immediates of those
// lines back over whatever the running program stored there. The table gives the same
// address and writes back the same cells, at a cost that does not grow with the line.
#include <algorithm>

#include "machine/machine.h"

namespace verdin {

// The fields a pass over the lines moves, put back when it ends, for the passes that
// only look (making the table, finding the line at an address). A friend of Machine.
class KeptLineFields {
public:
    explicit KeptLineFields(Machine& m)
        : m_(m), line_(m.currentLine), next_(m.nextLine), mode_(m.mode), status_(m.status),
          counter_(m.addressCounter), mnemonic_(m.mnemonicText), label_(m.labelField), operand_(m.operandText) {}
    ~KeptLineFields() {
        m_.currentLine = line_;
        m_.nextLine = next_;
        m_.mode = mode_;
        m_.status = status_;
        m_.addressCounter = counter_;
        m_.mnemonicText = mnemonic_;
        m_.labelField = label_;
        m_.operandText = operand_;
    }
    KeptLineFields(const KeptLineFields&) = delete;
    KeptLineFields& operator=(const KeptLineFields&) = delete;

private:
    Machine& m_;
    std::int32_t line_, next_, mode_, status_, counter_;
    std::string_view mnemonic_, label_, operand_;
};

void Machine::reassembleLine(std::int32_t i) {
    currentLine = i;
    splitLine(programLines[i]);
    preScan = 1;
    dispatchLine();
    preScan = 0;
}

void Machine::noteCompiledLine(const Instruction* ins) {
    LineTable& t = lineTable;
    if (currentLine != t.linesNoted || currentLine >= kMaxProgramLines) return;
    t.lineAddress[static_cast<size_t>(currentLine)] = addressCounter;
    t.lineInstruction[static_cast<size_t>(currentLine)] = ins;
    ++t.linesNoted;
}

void Machine::makeLineTable() {
    LineTable& t = lineTable;
    const std::int32_t count = std::min(programLineCount, kMaxProgramLines);
    if (t.linesNoted != count) return;
    t.lineAddress[static_cast<size_t>(count)] = addressCounter;
    if (!std::is_sorted(t.lineAddress.begin(), t.lineAddress.begin() + count + 1)) return;
    if (t.cellLine.empty()) {
        t.cellLine.assign(kMemorySize, -1);
        t.cellImage.assign(kMemorySize, 0);
        t.dirtyFlag.assign(kMemorySize, 0);
    }
    for (std::int32_t i = 0; i < count; ++i) {
        const Instruction* ins = t.lineInstruction[static_cast<size_t>(i)];
        // Assembled again, an instruction writes its opcode and a byte operand but
        // leaves a 16-bit operand as the program has it; a directive writes nothing.
        // The values are those the compile has just stored.
        if (ins == nullptr || ins->size == 0) continue;
        const std::int32_t first = t.lineAddress[static_cast<size_t>(i)];
        for (std::int32_t address = first; address < first + (ins->size == 2 ? 2 : 1); ++address) {
            if (address >= kMemorySize || t.cellLine[static_cast<size_t>(address)] >= 0) {
                forgetLineTable();
                return;
            }
            t.cellLine[static_cast<size_t>(address)] = static_cast<std::int16_t>(i);
            t.cellImage[static_cast<size_t>(address)] = static_cast<std::int16_t>(memory[address]);
            t.cells.push_back(address);
        }
    }
    t.lineCount = count;
}

void Machine::markDirty(std::int32_t address) {
    lineTable.dirtyFlag[address] = 1;
    lineTable.dirty.push_back(address);
}

void Machine::restoreLineCells(std::int32_t n) {
    LineTable& t = lineTable;
    // The common case of a call: nothing the lines write again has changed.
    if (!t.allDirty && t.dirty.empty()) return;
    if (t.allDirty) {
        for (std::int32_t address : t.cells) {
            if (memory[address] != t.cellImage[address] && !t.dirtyFlag[address]) markDirty(address);
        }
        t.allDirty = false;
    }
    size_t kept = 0;
    for (std::int32_t address : t.dirty) {
        if (t.cellLine[address] < n) {
            memory[address] = t.cellImage[address];
            t.dirtyFlag[address] = 0;
        } else {
            t.dirty[kept++] = address;
        }
    }
    t.dirty.resize(kept);
}

void Machine::prescan(std::int32_t n) {
    if (lineTableCovers(n)) {
        // Most calls find no cell changed: then there is nothing to write back.
        if (lineTable.allDirty || !lineTable.dirty.empty()) restoreLineCells(n);
        addressCounter = lineTable.lineAddress[static_cast<size_t>(n)];
        currentLine = n - 1;
        splitLine(programLines[n - 1]);
        preScan = 0;
        nextLine = n;
        mode = Execute;
        return;
    }
    // Assembling line by line writes cells the table does not see.
    lineTable.allDirty = true;
    addressCounter = 0;
    nextLine = 0;
    mode = Compile;
    if (n <= 0) {
        nextLine = n;
        mode = Execute;
        return;
    }
    for (std::int32_t i = 0; i < n && i < kMaxProgramLines; ++i) reassembleLine(i);
    nextLine = n;
    mode = Execute;
}

std::int32_t Machine::lineAtAddress(std::int32_t address) {
    if (lineTableCovers(programLineCount)) {
        const auto begin = lineTable.lineAddress.begin(), end = begin + lineTable.lineCount;
        const auto at = std::lower_bound(begin, end, address);
        const std::int32_t line = at != end && *at == address ? static_cast<std::int32_t>(at - begin) : -1;
        restoreLineCells(line < 0 ? lineTable.lineCount : line);
        return line;
    }
    const KeptLineFields kept(*this);
    addressCounter = 0;
    mode = Compile;
    status = Ok;
    for (std::int32_t i = 0; i < programLineCount && i < kMaxProgramLines; ++i) {
        if (addressCounter == address) return i;
        reassembleLine(i);
        if (status != Ok) break;
    }
    return -1;
}

}  // namespace verdin
