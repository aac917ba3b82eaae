// 8-bit arithmetic and logic on the accumulator: ADD ADC SUB SBB ANA XRA ORA CMP,
// their immediate forms, INR, DCR and DAA.
//
// The flag rules are this workbench's own and are what students see in the debug
// window: SUB leaves the magnitude of a negative difference and sets CY, a compare
// takes P from the accumulator, and S and Z of an addition come from the sum before
// it is reduced. The auxiliary carry of additions is the carry out of bit 3, as on
// the Intel 8080.
#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

namespace {
enum AluOp { Add, AddCarry, Subtract, SubtractBorrow, And, Xor, Or, Compare };
constexpr std::int32_t kInr = 0x04;
}  // namespace

void Machine::applyAlu(int op, std::int32_t operand, bool keepAuxCarry) {
    if (intelRules()) {
        intelAlu(op, operand);
        return;
    }
    switch (op) {
        case Add:
        case AddCarry: {
            std::int32_t carry = op == AddCarry ? flagCY : 0;
            std::int32_t sum = regA + operand + carry;
            if (!keepAuxCarry) flagAC = ((regA & 0x0F) + (operand & 0x0F) + carry) > 0x0F ? 1 : 0;
            regA = sum;
            flagZ = sum == 0 ? 1 : 0;
            flagS = sum >= 128 ? 1 : 0;
            flagCY = 0;
            if (sum > 255) {
                flagCY = 1;
                regA -= 256;
            }
            flagP = parityEven(regA);
            break;
        }
        case Subtract:
        case SubtractBorrow: {
            std::int32_t d = regA - operand - (op == SubtractBorrow ? flagCY : 0);
            flagZ = flagCY = flagP = flagS = flagAC = 0;
            regA = d;
            if (d == 0) flagZ = 1;
            if (d >= 128) flagS = 1;
            if (d < 0) {
                flagCY = 1;
                // 0 - 255 - 1 has no magnitude that fits a byte: it leaves 00H with Z=1,
                // as the 8080 does, so that a JZ agrees with what A shows.
                if (d == -256) {
                    regA = 0;
                    flagZ = 1;
                } else {
                    regA = -d;
                }
            }
            flagP = parityEven(regA);
            break;
        }
        case Compare: {
            std::int32_t d = regA - operand;
            flagZ = flagCY = flagS = flagAC = 0;
            if (d == 0) flagZ = 1;
            else {
                flagS = d >= 128 ? 1 : 0;
                flagCY = d < 0 ? 1 : 0;
            }
            flagP = parityEven(regA);
            break;
        }
        default: {
            if (op == And) regA &= operand;
            else if (op == Xor) regA ^= operand;
            else regA |= operand;
            flagCY = flagS = flagZ = 0;
            flagAC = op == And ? 1 : 0;
            if (regA == 0) flagZ = 1;
            else if (regA >= 128) flagS = 1;
            flagP = parityEven(regA);
        }
    }
}

void Machine::aluRegister(const Instruction& ins) {
    int r = runningLine->first;
    if (mode == Compile) {
        if (r == kNoRegister) {
            status = InvalidRegister;
            return;
        }
        storeByte(addressCounter, ins.opcode + r);
        addressCounter += 1;
        return;
    }
    std::int32_t operand;
    if (r == kRegisterM) {
        if (pairHL() > kMemorySize - 1) {
            status = OutOfMemory;
            return;
        }
        operand = memory[pairHL()];
    } else {
        operand = registerRef(r);
    }
    int op = (ins.opcode - 0x80) / 8;
    // ADD M and ADC M leave the auxiliary carry as it was.
    applyAlu(op, operand, r == kRegisterM && (op == Add || op == AddCarry));
    addressCounter += 1;
}

void Machine::aluImmediate(const Instruction& ins) {
    if (mode == Compile) {
        assembleWithByte(ins.opcode, operandText);
        return;
    }
    operandLow = cell(addressCounter + 1);
    applyAlu((ins.opcode - 0xC6) / 8, operandLow, false);
    addressCounter += 2;
}

void Machine::incDec(const Instruction& ins) {
    int r = runningLine->first;
    if (mode == Compile) {
        if (r == kNoRegister) {
            status = InvalidRegister;
            return;
        }
        storeByte(addressCounter, ins.opcode + 8 * r);
        addressCounter += 1;
        return;
    }
    bool increment = ins.opcode == kInr;
    std::int32_t old;
    if (r == kRegisterM) {
        // INR M may not write above the stack pointer; DCR M only needs memory.
        std::int32_t limit = increment ? sp : kMemorySize - 1;
        if (pairHL() > limit || pairHL() > kMemorySize - 1) {
            status = OutOfMemory;
            return;
        }
        old = memory[pairHL()];
    } else {
        old = registerRef(r);
    }
    if (intelRules()) {
        std::int32_t result = intelIncDec(old, increment);
        if (r == 6) poke(pairHL(), result);
        else registerRef(r) = result;
        addressCounter += 1;
        return;
    }
    std::int32_t value = old + (increment ? 1 : -1);
    flagP = parityEven(value);  // taken before the wrap
    flagZ = flagS = 0;
    if (increment) {
        flagAC = (old & 0x0F) == 0x0F ? 1 : 0;
        if (value == 256) value = 0;
    } else {
        flagAC = 0;
        if (value == -1) value = 255;
    }
    if (value == 0) flagZ = 1;
    else if (value >= 128) flagS = 1;
    if (r == kRegisterM) poke(pairHL(), value);
    else registerRef(r) = value;
    addressCounter += 1;
}

void Machine::daa(const Instruction& ins) {
    if (mode == Execute && intelRules()) {
        intelDaa();
    } else if (mode == Execute) {
        if ((regA & 0x0F) > 9) {
            regA += 6;
            if (regA > 255) regA -= 256;
        }
        flagCY = flagZ = flagS = flagAC = 0;
        std::int32_t high = regA >> 4;
        if (high > 9) {
            regA = (((high + 6) & 0x0F) << 4) | (regA & 0x0F);
            flagCY = 1;
        }
        flagS = regA >= 128 ? 1 : 0;
        flagZ = regA == 0 ? 1 : 0;
        flagP = parityEven(regA);
    } else {
        storeByte(addressCounter, ins.opcode);
    }
    addressCounter += 1;
}

void Machine::accumulator(const Instruction& ins) {
    if (mode != Execute) {
        storeByte(addressCounter, ins.opcode);
        addressCounter += 1;
        return;
    }
    if (intelRules()) {
        intelAccumulator(ins.opcode);
        addressCounter += 1;
        return;
    }
    switch (ins.opcode) {
        case 0x2F: regA = 255 - regA, flagAC = 1; break;        // CMA
        case 0x37: flagCY = 1, flagAC = 0; break;               // STC
        case 0x3F: flagCY = flagCY ? 0 : 1; break;              // CMC
        case 0x07:                                               // RLC
            flagCY = (regA >> 7) & 1;
            regA = ((regA << 1) | flagCY) & 0xFF;
            flagAC = 0;
            break;
        case 0x0F:  // RRC
            flagCY = regA & 1;
            regA = (regA >> 1) | (flagCY << 7);
            flagAC = 0;
            break;
        case 0x17:  // RAL: the old carry does not enter bit 0
            flagCY = (regA >> 7) & 1;
            regA = (regA << 1) & 0xFF;
            flagAC = 0;
            break;
        default:  // RAR: the old carry does not enter bit 7
            flagCY = regA & 1;
            regA >>= 1;
            flagAC = 0;
    }
    addressCounter += 1;
}

}  // namespace verdin
