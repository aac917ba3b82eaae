#include "isa/instruction_table.h"

namespace verdin {

namespace {
using isa_rows::kTable;

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

const Instruction* findInstruction(std::string_view mnemonic) {
    if (mnemonic.empty() || mnemonic.size() > 4) return nullptr;
    const HashTable& table = hashTable();
    const Instruction* row = table.slots[HashTable::slotOf(packName(mnemonic), table.multiplier)];
    return row != nullptr && row->name == mnemonic ? row : nullptr;
}

}  // namespace verdin
