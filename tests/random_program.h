// Random programs over the whole instruction set, for the tests that must hold
// whatever a program does.
#pragma once

#include <initializer_list>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin::testing {

inline std::int32_t edgeByte(std::mt19937& rng) {
    static constexpr std::int32_t kEdges[] = {0, 1, 0x0F, 0x7F, 0x80, 0x99, 0xFF, 0, 0xFF};
    return kEdges[rng() % std::size(kEdges)];
}

// A program of random instructions with random operands; every third line or so has a
// label for the jumps and calls to land on.
class RandomProgram {
public:
    RandomProgram(unsigned seed, int lines) : rng_(seed), lines_(lines) {}

    std::vector<std::string> make() {
        std::vector<std::string> lines;
        int labels = 0;
        for (int i = 0; i < lines_; ++i)
            if (pick(3) == 0 && labels < 20) labelOf_[i] = "L" + std::to_string(labels++);
        if (labelOf_.empty()) labelOf_[0] = "L0";
        for (int i = 0; i < lines_; ++i) lines.push_back((labelOf_.count(i) ? labelOf_[i] + ": " : "  ") + instruction());
        return lines;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    std::string of(std::initializer_list<const char*> names) {
        return names.begin()[pick(static_cast<int>(names.size()))];
    }
    // Mostly edge values: the faults live at 0, 255 and the sign and digit boundaries.
    std::string byte() { return std::to_string(pick(4) != 0 ? edgeByte(rng_) : pick(256)); }
    // Mostly inside memory, so that a run goes on; now and then anywhere.
    std::string address() { return std::to_string(pick(8) == 0 ? pick(65536) : pick(kMemorySize)); }
    std::string label() { return std::next(labelOf_.begin(), pick(static_cast<int>(labelOf_.size())))->second; }

    std::string instruction() {
        const auto& table = instructionTable();
        const Instruction* row;
        do {
            row = &table[static_cast<size_t>(pick(kInstructionCount))];
        } while (row->operands == OperandKind::Data || row->name == "END" || (row->name == "HLT" && pick(3) != 0));
        const std::string name(row->name);
        switch (row->operands) {
            case OperandKind::None: return name;
            case OperandKind::Register: return name + " " + of({"A", "B", "C", "D", "E", "H", "L", "M"});
            case OperandKind::TwoRegisters: {
                std::string d = of({"A", "B", "C", "D", "E", "H", "L", "M"});
                std::string s = d == "M" ? of({"A", "B", "C", "D", "E", "H", "L"})
                                         : of({"A", "B", "C", "D", "E", "H", "L", "M"});
                return name + " " + d + "," + s;
            }
            case OperandKind::RegisterByte: {
                // H mostly stays below 40H, so that M names a cell and runs go on.
                const std::string r = of({"A", "B", "C", "D", "E", "H", "L", "M"});
                return name + " " + r + "," + (r == "H" && pick(4) != 0 ? std::to_string(pick(0x40)) : byte());
            }
            case OperandKind::Pair:
                if (name == "LDAX" || name == "STAX") return name + " " + of({"B", "D"});
                if (name == "PUSH" || name == "POP") return name + " " + of({"B", "D", "H", "PSW"});
                return name + " " + of({"B", "D", "H", "SP"});
            case OperandKind::PairWord: {
                const std::string pair = of({"B", "D", "H", "SP"});
                return name + " " + pair + "," + (pair == "SP" ? std::to_string(pick(kInitialSp + 1)) : address());
            }
            case OperandKind::Byte:
                if (name == "IN" || name == "OUT") return name + " " + std::to_string(pick(20));
                return name + " " + byte();
            case OperandKind::Address:
                if (name == "LDA" || name == "STA" || name == "LHLD" || name == "SHLD") return name + " " + address();
                return name + " " + label();
            // RST 4 and RST 6 work on host files and tables, which random registers
            // would name anywhere on this computer; the other services are safe.
            case OperandKind::Restart: return name + " " + of({"0", "1", "2", "3", "5", "7"});
            case OperandKind::Data: break;
        }
        return "NOP";
    }

    std::mt19937 rng_;
    int lines_;
    std::map<int, std::string> labelOf_;
};

}  // namespace verdin::testing
