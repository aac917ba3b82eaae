// Data transfer between registers and memory: NOP, HLT, MOV, MVI, LDA, STA, LHLD,
// SHLD, LDAX, STAX (Intel 8080 Assembly Language Programming Manual, chapter 4).
#include <algorithm>

#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

void Machine::nop(const Instruction& ins) {
    if (mode == Compile) storeByte(addressCounter, ins.opcode);
    addressCounter += 1;
}

void Machine::hlt(const Instruction& ins) {
    if (mode == Compile) storeByte(addressCounter, ins.opcode);
    addressCounter += 1;
    if (mode == Execute) {
        status = Interrupted;
        stopAddress = addressCounter;
    }
}

void Machine::mov(const Instruction& ins) {
    int d = runningLine->first;
    int s = runningLine->second;
    if (mode == Compile) {
        if (operandText.size() != 3 || operandText[1] != ',' || d == kNoRegister || s == kNoRegister ||
            (d == kRegisterM && s == kRegisterM)) {
            status = InvalidRegister;
            return;
        }
        storeByte(addressCounter, ins.opcode + 8 * d + s);
        addressCounter += 1;
        return;
    }
    if ((d == kRegisterM || s == kRegisterM) && pairHL() > kMemorySize - 1) {
        status = OutOfMemory;
        return;
    }
    std::int32_t value = s == kRegisterM ? memory[pairHL()] : registerRef(s);
    if (d == kRegisterM) poke(pairHL(), value);
    else registerRef(d) = value;
    addressCounter += 1;
}

void Machine::mvi(const Instruction& ins) {
    int r = runningLine->first;
    if (mode == Compile) {
        if (r == kNoRegister || operandText.size() < 2 || operandText[1] != ',') {
            status = InvalidRegister;
            return;
        }
        assembleWithByte(ins.opcode + 8 * r, operandText.substr(2));
        return;
    }
    std::int32_t n = cell(addressCounter + 1);
    operandLow = n;
    if (r == kRegisterM) {
        // The cell must not lie above the stack pointer, where the stack lives.
        if (pairHL() > sp || pairHL() > kMemorySize - 1) {
            status = OutOfMemory;
            return;
        }
        poke(pairHL(), n);
    } else {
        registerRef(r) = n;
    }
    addressCounter += 2;
}

void Machine::directAddress(const Instruction& ins) {
    if (mode == Compile) {
        storeByte(addressCounter, ins.opcode);
        addressCounter += 1;
        if (preScan) addressCounter += 2;
        else wordOperand(operandText);
        return;
    }
    std::int32_t nn = operandWord();
    bool pair = ins.name == "LHLD" || ins.name == "SHLD";
    if (nn > kMemorySize - (pair ? 2 : 1)) {
        status = OutOfMemory;
        return;
    }
    if (ins.name == "LDA") regA = memory[nn];
    else if (ins.name == "STA") poke(nn, regA);
    else if (ins.name == "LHLD") regL = memory[nn], regH = memory[nn + 1];
    else poke(nn, regL), poke(nn + 1, regH);
    addressCounter += 3;
}

void Machine::indirect(const Instruction& ins) {
    if (mode == Compile) {
        if (operandText != "B" && operandText != "D") {
            status = InvalidRegister;
            return;
        }
        storeByte(addressCounter, ins.opcode + (operandText == "D" ? 16 : 0));
        addressCounter += 1;
        return;
    }
    std::int32_t address = runningLine->first == kPairD ? pairDE() : pairBC();
    if (address > kMemorySize - 1) {
        status = OutOfMemory;
        return;
    }
    if (ins.name == "LDAX") regA = memory[address];
    else poke(address, regA);
    addressCounter += 1;
}

}  // namespace verdin
