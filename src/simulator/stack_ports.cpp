// The memory stack and the ports: PUSH, POP, IN, OUT, EI, DI.
#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

namespace {
constexpr std::int32_t kPushPsw = 0xF5;
constexpr std::int32_t kPopPsw = 0xF1;

bool validStackPair(int p) { return p == kPairB || p == kPairD || p == kPairH || p == kPairPsw; }
}  // namespace

// PUSH and POP take B, D, H or PSW; PSW has an opcode of its own.
void Machine::assembleStackPair(const Instruction& ins, int p, std::int32_t pswOpcode) {
    if (!validStackPair(p)) {
        status = InvalidRegister;
        return;
    }
    storeByte(addressCounter, p == kPairPsw ? pswOpcode : ins.opcode + 8 * p);
    addressCounter += 1;
}

void Machine::push(const Instruction& ins) {
    int p = runningLine->first;
    if (mode == Compile) {
        assembleStackPair(ins, p, kPushPsw);
        return;
    }
    // Below address 2 the pushed pair would land outside memory.
    if (sp > kMemorySize - 2 || sp < 2) {
        status = OutOfMemory;
        return;
    }
    regF = composeFlags();
    // The processor's flag byte always has bit 1 set (bits 3 and 5 stay clear).
    if (intelRules()) regF |= 0x02;
    sp -= 2;
    if (p == kPairPsw) {
        poke(sp + 1, regA);
        poke(sp, regF);
    } else {
        poke(sp + 1, registerRef(p));
        poke(sp, registerRef(p + 1));
    }
    addressCounter += 1;
}

void Machine::pop(const Instruction& ins) {
    int p = runningLine->first;
    if (mode == Compile) {
        assembleStackPair(ins, p, kPopPsw);
        return;
    }
    if (sp >= kMemorySize - 1 || sp < 0) {
        status = OutOfMemory;
        return;
    }
    if (p == kPairPsw) {
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
        assembleWithByte(ins.opcode, operandText);
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
