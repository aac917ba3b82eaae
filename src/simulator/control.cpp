// Transfer of control: JMP/Jcc, CALL/Ccc, RET/Rcc.
//
// The simulator runs source lines, so a taken jump or call must land on a line: the
// target address comes from the assembled image, the target line from its label.
// A call also records the line to come back to beside the return address.
#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

void Machine::jump(const Instruction& ins) {
    if (mode == Compile) {
        storeByte(addressCounter, ins.opcode);
        addressCounter += 1;
        if (preScan) addressCounter += 2;
        else recordLabelRef();
        return;
    }
    if (!conditionHolds(ins.variant)) {
        addressCounter += 3;
        return;
    }
    addressCounter = operandWord();
    if (runningLine->targetLine >= 0) currentLine = runningLine->targetLine - 1;
    else labelLineOfOperand();
}

std::int32_t Machine::labelLineOfOperand() {
    std::int32_t line = runningLine->targetLine != kUnknownLine ? runningLine->targetLine
                                                                : targetLineOf(currentLine, operandText);
    if (line < 0) {
        status = LabelNotDefined;
        messageName = operandText;
        return line;
    }
    currentLine = line - 1;
    return line;
}

void Machine::call(const Instruction& ins) {
    if (mode == Compile) {
        jump(ins);
        return;
    }
    if (!conditionHolds(ins.variant)) {
        addressCounter += 3;
        return;
    }
    // A call past the 100 records, or one whose return address would fall below
    // address 0, stops the program instead of writing outside the tables.
    if (callDepth + 1 >= kMaxCallDepth || sp < 2 || sp > kMemorySize) {
        status = OutOfMemory;
        return;
    }
    std::int32_t returnAddress = addressCounter + 3;
    sp -= 2;
    callDepth += 1;
    returnAddresses[callDepth] = returnAddress;
    poke(sp, returnAddress % 256);
    poke(sp + 1, (returnAddress / 256) % 256);
    std::int32_t target = operandWord();
    addressCounter = target;
    returnLines[callDepth] = currentLine + 1;
    std::int32_t line = runningLine->targetLine >= 0 ? runningLine->targetLine : labelLineOfOperand();
    if (line < 0) return;
    mode = Compile;
    prescan(line);
    currentLine = line - 1;
    mode = Execute;
}

void Machine::ret(const Instruction& ins) {
    if (mode == Compile) {
        storeByte(addressCounter, ins.opcode);
        addressCounter += 1;
        return;
    }
    if (!conditionHolds(ins.variant)) {
        addressCounter += 1;
        return;
    }
    addressCounter = cell(sp) + 256 * cell(sp + 1);
    sp += 2;
    if (callDepth < 0 || addressCounter != returnAddresses[callDepth]) {
        status = RetWithoutCall;
        return;
    }
    currentLine = returnLines[callDepth] - 1;
    callDepth -= 1;
}

}  // namespace verdin
