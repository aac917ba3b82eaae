#include "simulator/instruction_table.h"


#include "machine/machine.h"

namespace verdin {

namespace {
using K = OperandKind;
using Mc = Machine;

// In the order in which the mnemonics have always been compared; the order decides
// nothing now that the lookup is by name, but keeps listings and help stable.
const std::array<Instruction, kInstructionCount> kTable = {{
    {"NOP", &Mc::nop, 0, 1, 0, K::None},
    {"HLT", &Mc::hlt, 118, 1, 0, K::None},
    {"LXI", &Mc::lxi, 1, 3, 0, K::PairWord},
    {"STAX", &Mc::indirect, 2, 1, 0, K::Pair},
    {"INX", &Mc::pairStep, 3, 1, 0, K::Pair},
    {"INR", &Mc::incDec, 4, 1, 0, K::Register},
    {"DCR", &Mc::incDec, 5, 1, 0, K::Register},
    {"MVI", &Mc::mvi, 6, 2, 0, K::RegisterByte},
    {"RLC", &Mc::accumulator, 7, 1, 0, K::None},
    {"DAD", &Mc::dad, 9, 1, 0, K::Pair},
    {"LDAX", &Mc::indirect, 10, 1, 0, K::Pair},
    {"DCX", &Mc::pairStep, 11, 1, 0, K::Pair},
    {"RRC", &Mc::accumulator, 15, 1, 0, K::None},
    {"RAL", &Mc::accumulator, 23, 1, 0, K::None},
    {"RAR", &Mc::accumulator, 31, 1, 0, K::None},
    {"SHLD", &Mc::directAddress, 34, 3, 0, K::Address},
    {"DAA", &Mc::daa, 39, 1, 0, K::None},
    {"LHLD", &Mc::directAddress, 42, 3, 0, K::Address},
    {"CMA", &Mc::accumulator, 47, 1, 0, K::None},
    {"STA", &Mc::directAddress, 50, 3, 0, K::Address},
    {"STC", &Mc::accumulator, 55, 1, 0, K::None},
    {"LDA", &Mc::directAddress, 58, 3, 0, K::Address},
    {"CMC", &Mc::accumulator, 63, 1, 0, K::None},
    {"MOV", &Mc::mov, 64, 1, 0, K::TwoRegisters},
    {"ADD", &Mc::aluRegister, 128, 1, 0, K::Register},
    {"ADC", &Mc::aluRegister, 136, 1, 0, K::Register},
    {"SUB", &Mc::aluRegister, 144, 1, 0, K::Register},
    {"SBB", &Mc::aluRegister, 152, 1, 0, K::Register},
    {"ANA", &Mc::aluRegister, 160, 1, 0, K::Register},
    {"CPI", &Mc::aluImmediate, 254, 2, 0, K::Byte},
    {"XRA", &Mc::aluRegister, 168, 1, 0, K::Register},
    {"ORA", &Mc::aluRegister, 176, 1, 0, K::Register},
    {"CMP", &Mc::aluRegister, 184, 1, 0, K::Register},
    {"POP", &Mc::pop, 193, 1, 0, K::Pair},
    {"JMP", &Mc::jump, 195, 3, Always, K::Address},
    {"JZ", &Mc::jump, 202, 3, Z, K::Address},
    {"JNZ", &Mc::jump, 194, 3, NZ, K::Address},
    {"JC", &Mc::jump, 218, 3, C, K::Address},
    {"JNC", &Mc::jump, 210, 3, NC, K::Address},
    {"JPO", &Mc::jump, 226, 3, PO, K::Address},
    {"JPE", &Mc::jump, 234, 3, PE, K::Address},
    {"JP", &Mc::jump, 242, 3, P, K::Address},
    {"JM", &Mc::jump, 250, 3, M, K::Address},
    {"CALL", &Mc::call, 205, 3, Always, K::Address},
    {"CZ", &Mc::call, 204, 3, Z, K::Address},
    {"CNZ", &Mc::call, 196, 3, NZ, K::Address},
    {"CC", &Mc::call, 220, 3, C, K::Address},
    {"CNC", &Mc::call, 212, 3, NC, K::Address},
    {"CPO", &Mc::call, 228, 3, PO, K::Address},
    {"CPE", &Mc::call, 236, 3, PE, K::Address},
    {"CP", &Mc::call, 244, 3, P, K::Address},
    {"CM", &Mc::call, 252, 3, M, K::Address},
    {"PUSH", &Mc::push, 197, 1, 0, K::Pair},
    {"ADI", &Mc::aluImmediate, 198, 2, 0, K::Byte},
    {"RST", &Mc::rstService, 199, 1, 0, K::Restart},
    {"RET", &Mc::ret, 201, 1, Always, K::None},
    {"RZ", &Mc::ret, 200, 1, Z, K::None},
    {"RNZ", &Mc::ret, 192, 1, NZ, K::None},
    {"RC", &Mc::ret, 216, 1, C, K::None},
    {"RNC", &Mc::ret, 208, 1, NC, K::None},
    {"RPO", &Mc::ret, 224, 1, PO, K::None},
    {"RPE", &Mc::ret, 232, 1, PE, K::None},
    {"RP", &Mc::ret, 240, 1, P, K::None},
    {"RM", &Mc::ret, 248, 1, M, K::None},
    {"ACI", &Mc::aluImmediate, 206, 2, 0, K::Byte},
    {"OUT", &Mc::port, 211, 2, 0, K::Byte},
    {"SUI", &Mc::aluImmediate, 214, 2, 0, K::Byte},
    {"IN", &Mc::port, 219, 2, 0, K::Byte},
    {"SBI", &Mc::aluImmediate, 222, 2, 0, K::Byte},
    {"XTHL", &Mc::xthl, 227, 1, 0, K::None},
    {"ANI", &Mc::aluImmediate, 230, 2, 0, K::Byte},
    {"PCHL", &Mc::pchl, 233, 1, 0, K::None},
    {"XCHG", &Mc::xchg, 235, 1, 0, K::None},
    {"XRI", &Mc::aluImmediate, 238, 2, 0, K::Byte},
    {"DI", &Mc::interruptFlag, 243, 1, 0, K::None},
    {"ORI", &Mc::aluImmediate, 246, 2, 0, K::Byte},
    {"SPHL", &Mc::sphl, 249, 1, 0, K::None},
    {"EI", &Mc::interruptFlag, 251, 1, 0, K::None},
    {"EQU", &Mc::equ, 0, 0, 0, K::Data},
    {"DB", &Mc::db, 0, 0, 0, K::Data},
    {"DW", &Mc::dw, 0, 2, 0, K::Data},
    {"DS", &Mc::ds, 0, 0, 0, K::Data},
    {"ORG", &Mc::org, 0, 0, 0, K::Data},
    {"END", &Mc::end, 0, 0, 0, K::None},
}};

// A mnemonic of up to four characters packed into one integer, so that finding a row
// costs a few integer comparisons rather than string comparisons on every line run.
std::uint32_t packName(std::string_view name) {
    std::uint32_t key = 0;
    for (char c : name) key = (key << 8) | static_cast<unsigned char>(c);
    return key;
}

// A perfect hash of the packed names: the multiplier is searched once so that no two
// mnemonics share a slot, and a lookup is one multiplication and one comparison.
struct HashTable {
    static constexpr int kBits = 10;
    std::array<const Instruction*, 1u << kBits> slots{};
    std::uint32_t multiplier = 0;

    static std::uint32_t slotOf(std::uint32_t packed, std::uint32_t multiplier) {
        return (packed * multiplier) >> (32 - kBits);
    }

    HashTable() {
        for (std::uint32_t candidate = 0x9E3779B1u;; candidate += 2) {
            slots.fill(nullptr);
            bool clash = false;
            for (const auto& row : kTable) {
                const Instruction*& slot = slots[slotOf(packName(row.name), candidate)];
                if (slot != nullptr) {
                    clash = true;
                    break;
                }
                slot = &row;
            }
            if (!clash) {
                multiplier = candidate;
                return;
            }
        }
    }
};

const HashTable& hashTable() {
    static const HashTable table;
    return table;
}
}  // namespace

const std::array<Instruction, kInstructionCount>& instructionTable() { return kTable; }

const Instruction* findInstruction(std::string_view mnemonic) {
    if (mnemonic.empty() || mnemonic.size() > 4) return nullptr;
    const HashTable& table = hashTable();
    const Instruction* row = table.slots[HashTable::slotOf(packName(mnemonic), table.multiplier)];
    return row != nullptr && row->name == mnemonic ? row : nullptr;
}

}  // namespace verdin
