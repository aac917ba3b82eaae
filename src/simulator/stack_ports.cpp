// The memory stack and the ports: PUSH, POP, IN, OUT, EI, DI.
#include "machine/machine.h"
#include "simulator/instruction_table.h"

namespace verdin {

namespace {
constexpr int kPsw = 12;

bool validStackPair(int p) { return p == 0 || p == 2 || p == 4 || p == kPsw; }
}  // namespace

void Machine::push(const Instruction& ins) {
    int p = pairIndex(operandText);
    if (mode == Compile) {
        if (!validStackPair(p)) {
            status = InvalidRegister;
            return;
        }
        storeByte(addressCounter, p == kPsw ? 245 : ins.opcode + 8 * p);
        addressCounter += 1;
        return;
    }
    // Below address 2 the pushed pair would land outside memory.
    if (sp > kMemorySize - 2 || sp < 2) {
        status = OutOfMemory;
        return;
    }
    regF = composeFlags();
    sp -= 2;
    if (p == kPsw) {
        poke(sp + 1, regA);
        poke(sp, regF);
    } else {
        poke(sp + 1, registerRef(p));
        poke(sp, registerRef(p + 1));
    }
    addressCounter += 1;
}

void Machine::pop(const Instruction& ins) {
    int p = pairIndex(operandText);
    if (mode == Compile) {
        if (!validStackPair(p)) {
            status = InvalidRegister;
            return;
        }
        storeByte(addressCounter, p == kPsw ? 241 : ins.opcode + 8 * p);
        addressCounter += 1;
        return;
    }
    if (sp >= kMemorySize - 1 || sp < 0) {
        status = OutOfMemory;
        return;
    }
    if (p == kPsw) {
        regA = memory[sp + 1];
        regF = memory[sp];
        splitFlags(regF);
    } else {
        registerRef(p) = memory[sp + 1];
        registerRef(p + 1) = memory[sp];
    }
    sp += 2;
    addressCounter += 1;
}

void Machine::port(const Instruction& ins) {
    if (mode == Compile) {
        storeByte(addressCounter, ins.opcode);
        addressCounter += 1;
        byteOperand(operandText);
        if (status != Ok) return;
        addressCounter += 1;
        return;
    }
    std::int32_t number = cell(addressCounter + 1);
    operandLow = number;
    if (number > kPortCount - 1) {
        status = InvalidPort;
        return;
    }
    if (ins.name == "OUT") outPorts[number] = regA;
    else regA = inPorts[number];
    addressCounter += 2;
}

void Machine::interruptFlag(const Instruction& ins) {
    if (mode == Compile) storeByte(addressCounter, ins.opcode);
    addressCounter += 1;
}

}  // namespace verdin
