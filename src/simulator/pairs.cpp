// Register-pair instructions: LXI, INX, DCX, DAD, XCHG, XTHL, SPHL, PCHL.
#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

namespace {
constexpr int kHighestStackAddress = kMemorySize - 2;

// Pair code to its offset in the opcode: B 0x00, D 0x10, H 0x20, SP 0x30.
int pairOffset(int p) { return p == kPairSp ? 0x30 : 8 * p; }
}  // namespace

void Machine::lxi(const Instruction& ins) {
    char first = operandText.empty() ? '\0' : operandText[0];
    if (mode == Compile) {
        int p = kNoRegister;
        std::string value;
        if ((first == 'B' || first == 'D' || first == 'H') && operandText.size() > 1 && operandText[1] == ',') {
            p = pairIndex(std::string(1, first));
            value = TextTools::tail(operandText, 2);
        } else if (operandText.rfind("SP,", 0) == 0) {
            p = kPairSp;
            value = TextTools::tail(operandText, 3);
        }
        if (p == kNoRegister) {
            status = InvalidRegister;
            return;
        }
        storeByte(addressCounter, ins.opcode + pairOffset(p));
        addressCounter += 1;
        if (preScan) addressCounter += 2;
        else wordOperand(value);
        return;
    }
    std::int32_t nn = operandWord();
    switch (first) {
        case 'B': regB = nn / 256, regC = nn % 256; break;
        case 'D': regD = nn / 256, regE = nn % 256; break;
        case 'H': regH = nn / 256, regL = nn % 256; break;
        default:
            sp = nn;
            if (nn > kHighestStackAddress) {
                status = OutOfMemory;
                return;
            }
    }
    addressCounter += 3;
}

// INX, DCX and DAD take B, D, H or SP, encoded in bits 4 and 5 of the opcode.
void Machine::assemblePairOperand(const Instruction& ins, int p) {
    if (p != kPairB && p != kPairD && p != kPairH && p != kPairSp) {
        status = InvalidRegister;
        return;
    }
    storeByte(addressCounter, ins.opcode + pairOffset(p));
    addressCounter += 1;
}

void Machine::pairStep(const Instruction& ins) {
    int p = runningLine->first;
    if (mode == Compile) {
        assemblePairOperand(ins, p);
        return;
    }
    int delta = ins.name == "INX" ? 1 : -1;
    if (p == kPairSp) {
        std::int32_t next = sp + delta;
        if (next < 0 || next > kHighestStackAddress) {
            status = OutOfMemory;
            return;
        }
        sp = next;
    } else {
        std::int32_t& high = registerRef(p);
        std::int32_t& low = registerRef(p + 1);
        low += delta;
        if (low == 256 || low == -1) {
            low = (low + 256) % 256;
            high = (high + delta + 256) % 256;
        }
    }
    addressCounter += 1;
}

void Machine::dad(const Instruction& ins) {
    int p = runningLine->first;
    if (mode == Compile) {
        assemblePairOperand(ins, p);
        return;
    }
    std::int32_t high = p == kPairSp ? sp / 256 : registerRef(p);
    std::int32_t low = p == kPairSp ? sp % 256 : registerRef(p + 1);
    regL += low;
    std::int32_t carry = 0;
    if (regL >= 256) {
        regL -= 256;
        carry = 1;
    }
    regH += high + carry;
    flagCY = 0;
    if (regH > 255) {
        regH -= 256;
        flagCY = 1;
    }
    addressCounter += 1;
}

void Machine::xchg(const Instruction& ins) {
    if (mode == Execute) {
        std::swap(regD, regH);
        std::swap(regE, regL);
    } else {
        storeByte(addressCounter, ins.opcode);
    }
    addressCounter += 1;
}

void Machine::xthl(const Instruction& ins) {
    if (mode == Execute) {
        if (pairHL() > kHighestStackAddress || sp > kHighestStackAddress || sp < 0) {
            status = OutOfMemory;
            return;
        }
        std::int32_t low = memory[sp], high = memory[sp + 1];
        poke(sp, regL);
        poke(sp + 1, regH);
        regL = low;
        regH = high;
    } else {
        storeByte(addressCounter, ins.opcode);
    }
    addressCounter += 1;
}

void Machine::sphl(const Instruction& ins) {
    if (mode == Execute) {
        if (pairHL() > kHighestStackAddress) {
            status = OutOfMemory;
            return;
        }
        sp = pairHL();
    } else {
        storeByte(addressCounter, ins.opcode);
    }
    addressCounter += 1;
}

void Machine::pchl(const Instruction& ins) {
    if (mode != Execute) {
        storeByte(addressCounter, ins.opcode);
        addressCounter += 1;
        return;
    }
    // The simulator executes lines, so a jump to an address must land on the line the
    // assembler placed there; an address in the middle of nowhere stops the program.
    std::int32_t target = pairHL();
    std::int32_t line = lineAtAddress(target);
    if (line < 0) {
        status = NoLineAtAddress;
        messageName = formatNumber(target, 2, 0) + "H";
        return;
    }
    addressCounter = target;
    currentLine = line - 1;
}

}  // namespace verdin
