#include "simulator/instruction_table.h"


#include "machine/machine.h"

namespace verdin {

namespace {
using K = OperandKind;
using Mc = Machine;

// Opcodes are written in hexadecimal, as the Intel 8080 data book lists them.
// In the order in which the mnemonics have always been compared; the order decides
// nothing now that the lookup is by name, but keeps listings and help stable.
const std::array<Instruction, kInstructionCount> kTable = {{
    {"NOP", &Mc::nop, 0x00, 1, 0, K::None},
    {"HLT", &Mc::hlt, 0x76, 1, 0, K::None},
    {"LXI", &Mc::lxi, 0x01, 3, 0, K::PairWord},
    {"STAX", &Mc::indirect, 0x02, 1, 0, K::Pair},
    {"INX", &Mc::pairStep, 0x03, 1, 0, K::Pair},
    {"INR", &Mc::incDec, 0x04, 1, 0, K::Register},
    {"DCR", &Mc::incDec, 0x05, 1, 0, K::Register},
    {"MVI", &Mc::mvi, 0x06, 2, 0, K::RegisterByte},
    {"RLC", &Mc::accumulator, 0x07, 1, 0, K::None},
    {"DAD", &Mc::dad, 0x09, 1, 0, K::Pair},
    {"LDAX", &Mc::indirect, 0x0A, 1, 0, K::Pair},
    {"DCX", &Mc::pairStep, 0x0B, 1, 0, K::Pair},
    {"RRC", &Mc::accumulator, 0x0F, 1, 0, K::None},
    {"RAL", &Mc::accumulator, 0x17, 1, 0, K::None},
    {"RAR", &Mc::accumulator, 0x1F, 1, 0, K::None},
    {"SHLD", &Mc::directAddress, 0x22, 3, 0, K::Address},
    {"DAA", &Mc::daa, 0x27, 1, 0, K::None},
    {"LHLD", &Mc::directAddress, 0x2A, 3, 0, K::Address},
    {"CMA", &Mc::accumulator, 0x2F, 1, 0, K::None},
    {"STA", &Mc::directAddress, 0x32, 3, 0, K::Address},
    {"STC", &Mc::accumulator, 0x37, 1, 0, K::None},
    {"LDA", &Mc::directAddress, 0x3A, 3, 0, K::Address},
    {"CMC", &Mc::accumulator, 0x3F, 1, 0, K::None},
    {"MOV", &Mc::mov, 0x40, 1, 0, K::TwoRegisters},
    {"ADD", &Mc::aluRegister, 0x80, 1, 0, K::Register},
    {"ADC", &Mc::aluRegister, 0x88, 1, 0, K::Register},
    {"SUB", &Mc::aluRegister, 0x90, 1, 0, K::Register},
    {"SBB", &Mc::aluRegister, 0x98, 1, 0, K::Register},
    {"ANA", &Mc::aluRegister, 0xA0, 1, 0, K::Register},
    {"CPI", &Mc::aluImmediate, 0xFE, 2, 0, K::Byte},
    {"XRA", &Mc::aluRegister, 0xA8, 1, 0, K::Register},
    {"ORA", &Mc::aluRegister, 0xB0, 1, 0, K::Register},
    {"CMP", &Mc::aluRegister, 0xB8, 1, 0, K::Register},
    {"POP", &Mc::pop, 0xC1, 1, 0, K::Pair},
    {"JMP", &Mc::jump, 0xC3, 3, Always, K::Address},
    {"JZ", &Mc::jump, 0xCA, 3, Z, K::Address},
    {"JNZ", &Mc::jump, 0xC2, 3, NZ, K::Address},
    {"JC", &Mc::jump, 0xDA, 3, C, K::Address},
    {"JNC", &Mc::jump, 0xD2, 3, NC, K::Address},
    {"JPO", &Mc::jump, 0xE2, 3, PO, K::Address},
    {"JPE", &Mc::jump, 0xEA, 3, PE, K::Address},
    {"JP", &Mc::jump, 0xF2, 3, P, K::Address},
    {"JM", &Mc::jump, 0xFA, 3, M, K::Address},
    {"CALL", &Mc::call, 0xCD, 3, Always, K::Address},
    {"CZ", &Mc::call, 0xCC, 3, Z, K::Address},
    {"CNZ", &Mc::call, 0xC4, 3, NZ, K::Address},
    {"CC", &Mc::call, 0xDC, 3, C, K::Address},
    {"CNC", &Mc::call, 0xD4, 3, NC, K::Address},
    {"CPO", &Mc::call, 0xE4, 3, PO, K::Address},
    {"CPE", &Mc::call, 0xEC, 3, PE, K::Address},
    {"CP", &Mc::call, 0xF4, 3, P, K::Address},
    {"CM", &Mc::call, 0xFC, 3, M, K::Address},
    {"PUSH", &Mc::push, 0xC5, 1, 0, K::Pair},
    {"ADI", &Mc::aluImmediate, 0xC6, 2, 0, K::Byte},
    {"RST", &Mc::rstService, 0xC7, 1, 0, K::Restart},
    {"RET", &Mc::ret, 0xC9, 1, Always, K::None},
    {"RZ", &Mc::ret, 0xC8, 1, Z, K::None},
    {"RNZ", &Mc::ret, 0xC0, 1, NZ, K::None},
    {"RC", &Mc::ret, 0xD8, 1, C, K::None},
    {"RNC", &Mc::ret, 0xD0, 1, NC, K::None},
    {"RPO", &Mc::ret, 0xE0, 1, PO, K::None},
    {"RPE", &Mc::ret, 0xE8, 1, PE, K::None},
    {"RP", &Mc::ret, 0xF0, 1, P, K::None},
    {"RM", &Mc::ret, 0xF8, 1, M, K::None},
    {"ACI", &Mc::aluImmediate, 0xCE, 2, 0, K::Byte},
    {"OUT", &Mc::port, 0xD3, 2, 0, K::Byte},
    {"SUI", &Mc::aluImmediate, 0xD6, 2, 0, K::Byte},
    {"IN", &Mc::port, 0xDB, 2, 0, K::Byte},
    {"SBI", &Mc::aluImmediate, 0xDE, 2, 0, K::Byte},
    {"XTHL", &Mc::xthl, 0xE3, 1, 0, K::None},
    {"ANI", &Mc::aluImmediate, 0xE6, 2, 0, K::Byte},
    {"PCHL", &Mc::pchl, 0xE9, 1, 0, K::None},
    {"XCHG", &Mc::xchg, 0xEB, 1, 0, K::None},
    {"XRI", &Mc::aluImmediate, 0xEE, 2, 0, K::Byte},
    {"DI", &Mc::interruptFlag, 0xF3, 1, 0, K::None},
    {"ORI", &Mc::aluImmediate, 0xF6, 2, 0, K::Byte},
    {"SPHL", &Mc::sphl, 0xF9, 1, 0, K::None},
    {"EI", &Mc::interruptFlag, 0xFB, 1, 0, K::None},
    {"EQU", &Mc::equ, 0x00, 0, 0, K::Data},
    {"DB", &Mc::db, 0x00, 0, 0, K::Data},
    {"DW", &Mc::dw, 0x00, 2, 0, K::Data},
    {"DS", &Mc::ds, 0x00, 0, 0, K::Data},
    {"ORG", &Mc::org, 0x00, 0, 0, K::Data},
    {"END", &Mc::end, 0x00, 0, 0, K::None},
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
