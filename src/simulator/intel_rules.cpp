// Results and flags as the Intel 8080 computes them, for the "Intel 8080" rule set.
// The handlers stay the same for both rule sets; only their flag and result
// computations come here when that rule set is chosen.
//
// The processor subtracts by adding the complement of the operand and the
// complement of the borrow, so CY of a subtraction is the inverted carry out of bit 7
// and AC is the plain carry out of bit 3 of that addition.
#include "machine/machine.h"

namespace verdin {

namespace {
enum AluOp { Add, AddCarry, Subtract, SubtractBorrow, And, Xor, Or, Compare };

struct RuleNames {
    ArithmeticRules rules;
    const char* name;
    const char* key;
};
constexpr RuleNames kRuleNames[] = {
    {ArithmeticRules::Workbench, "Workbench", "workbench"},
    {ArithmeticRules::Intel8080, "Intel 8080", "intel8080"},
};
}  // namespace

const char* arithmeticRulesName(ArithmeticRules rules) {
    for (const RuleNames& n : kRuleNames) {
        if (n.rules == rules) return n.name;
    }
    return kRuleNames[0].name;
}

const char* arithmeticRulesKey(ArithmeticRules rules) {
    for (const RuleNames& n : kRuleNames) {
        if (n.rules == rules) return n.key;
    }
    return kRuleNames[0].key;
}

std::optional<ArithmeticRules> arithmeticRulesFromKey(std::string_view key) {
    for (const RuleNames& n : kRuleNames) {
        if (key == n.key) return n.rules;
    }
    return std::nullopt;
}

void Machine::intelAlu(int op, std::int32_t operand) {
    const std::int32_t a = regA & 0xFF;
    const std::int32_t b = operand & 0xFF;
    std::int32_t result = a;
    switch (op) {
        case Add:
        case AddCarry: {
            std::int32_t carry = op == AddCarry ? flagCY : 0;
            std::int32_t sum = a + b + carry;
            flagAC = ((a & 0x0F) + (b & 0x0F) + carry) > 0x0F ? 1 : 0;
            flagCY = sum > 0xFF ? 1 : 0;
            result = sum & 0xFF;
            break;
        }
        case Subtract:
        case SubtractBorrow:
        case Compare: {
            std::int32_t borrow = op == SubtractBorrow ? flagCY : 0;
            std::int32_t complement = ~b & 0xFF;
            std::int32_t sum = a + complement + (1 - borrow);
            flagAC = ((a & 0x0F) + (complement & 0x0F) + (1 - borrow)) > 0x0F ? 1 : 0;
            flagCY = sum > 0xFF ? 0 : 1;
            result = sum & 0xFF;
            break;
        }
        case And:
            flagAC = ((a | b) >> 3) & 1;
            flagCY = 0;
            result = a & b;
            break;
        default:
            flagAC = flagCY = 0;
            result = op == Xor ? (a ^ b) : (a | b);
    }
    flagS = result >= 0x80 ? 1 : 0;
    flagZ = result == 0 ? 1 : 0;
    flagP = parityEven(result);
    if (op != Compare) regA = result;
}

std::int32_t Machine::intelIncDec(std::int32_t old, bool increment) {
    old &= 0xFF;
    // DCR adds FFH, so its AC is set whenever the low four bits are not all zero.
    std::int32_t value = (old + (increment ? 1 : 0xFF)) & 0xFF;
    flagAC = increment ? ((old & 0x0F) == 0x0F ? 1 : 0) : ((old & 0x0F) != 0 ? 1 : 0);
    flagS = value >= 0x80 ? 1 : 0;
    flagZ = value == 0 ? 1 : 0;
    flagP = parityEven(value);
    return value;
}

void Machine::intelDaa() {
    const std::int32_t a = regA & 0xFF;
    std::int32_t correction = 0;
    std::int32_t carry = flagCY;
    if ((a & 0x0F) > 9 || flagAC) correction |= 0x06;
    // The high digit is judged after the low correction: 9AH becomes A0H first.
    if (a > 0x99 || flagCY) {
        correction |= 0x60;
        carry = 1;
    }
    flagAC = ((a & 0x0F) + (correction & 0x0F)) > 0x0F ? 1 : 0;
    regA = (a + correction) & 0xFF;
    flagCY = carry;
    flagS = regA >= 0x80 ? 1 : 0;
    flagZ = regA == 0 ? 1 : 0;
    flagP = parityEven(regA);
}

void Machine::intelAccumulator(std::int32_t opcode) {
    const std::int32_t a = regA & 0xFF;
    switch (opcode) {
        case 0x2F: regA = ~a & 0xFF; break;          // CMA
        case 0x37: flagCY = 1; break;                // STC
        case 0x3F: flagCY = flagCY ? 0 : 1; break;   // CMC
        case 0x07:                                   // RLC
            flagCY = (a >> 7) & 1;
            regA = ((a << 1) | flagCY) & 0xFF;
            break;
        case 0x0F:  // RRC
            flagCY = a & 1;
            regA = (a >> 1) | (flagCY << 7);
            break;
        case 0x17: {  // RAL
            std::int32_t in = flagCY;
            flagCY = (a >> 7) & 1;
            regA = ((a << 1) | in) & 0xFF;
            break;
        }
        default: {  // RAR
            std::int32_t in = flagCY;
            flagCY = a & 1;
            regA = (a >> 1) | (in << 7);
        }
    }
}

}  // namespace verdin
