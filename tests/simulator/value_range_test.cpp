// Whatever a program does, every register, flag, memory cell and port keeps a value the
// 8080 can hold. Random programs over the whole instruction set run from random
// registers and memory under both rule sets, and the machine is inspected before every
// line it runs (and once more at the end), so a value that escapes its range is caught
// on the line that made it.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <tuple>

#include "isa/instruction_table.h"
#include "support.h"

namespace verdin {
namespace {

constexpr int kPrograms = 150;
constexpr int kLines = 40;
constexpr int kLinesRun = 600;

// Inspects the machine before every line of a run; the first fault found is kept.
struct RangeWatch : LineBreaks {
    std::string fault;
    int seen = 0;  // lines run
    RangeWatch() { flagged.fill(1); }

    // `where` is only read when something is out of range.
    template <typename Where>
    void check(const Machine& m, Where where) {
        if (!fault.empty()) return;
        std::ostringstream out;
        auto expect = [&](const char* name, std::int32_t value, std::int32_t high) {
            if (value < 0 || value > high) out << name << "=" << value << " ";
        };
        const std::tuple<const char*, std::int32_t, std::int32_t> values[] = {
            {"A", m.regA, 255},  {"B", m.regB, 255},  {"C", m.regC, 255}, {"D", m.regD, 255},
            {"E", m.regE, 255},  {"H", m.regH, 255},  {"L", m.regL, 255}, {"F", m.regF, 255},
            {"S", m.flagS, 1},   {"Z", m.flagZ, 1},   {"AC", m.flagAC, 1}, {"P", m.flagP, 1},
            {"CY", m.flagCY, 1}, {"SP", m.sp, 65535}, {"PC", m.addressCounter, 65535}};
        for (const auto& [name, value, high] : values) expect(name, value, high);
        for (std::size_t p = 0; p < m.inPorts.size(); ++p) {
            expect("in port", m.inPorts[p], 255);
            expect("out port", m.outPorts[p], 255);
        }
        const auto wild = std::find_if(m.memory.begin(), m.memory.end(), [](std::int32_t c) { return c < 0 || c > 255; });
        if (wild != m.memory.end()) out << "[" << wild - m.memory.begin() << "]=" << *wild << " ";
        if (!out.str().empty()) fault = where() + ": " + out.str();
    }
    bool stopBefore(const Machine& m, std::int32_t line) override {
        check(m, [line] { return "before line " + std::to_string(line + 1) + " ran"; });
        ++seen;
        return false;
    }
};

std::int32_t edgeByte(std::mt19937& rng) {
    static constexpr std::int32_t kEdges[] = {0, 1, 0x0F, 0x7F, 0x80, 0x99, 0xFF, 0, 0xFF};
    return kEdges[rng() % std::size(kEdges)];
}

// A program of random instructions with random operands; every third line or so has a
// label for the jumps and calls to land on.
class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    std::vector<std::string> make() {
        std::vector<std::string> lines;
        int labels = 0;
        for (int i = 0; i < kLines; ++i)
            if (pick(3) == 0 && labels < 20) labelOf_[i] = "L" + std::to_string(labels++);
        if (labelOf_.empty()) labelOf_[0] = "L0";
        for (int i = 0; i < kLines; ++i) lines.push_back((labelOf_.count(i) ? labelOf_[i] + ": " : "  ") + instruction());
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
                if (Machine::handlerOf(*row) == &Machine::directAddress) return name + " " + address();
                return name + " " + label();
            // RST 4 and RST 6 work on host files and tables, which random registers
            // would name anywhere on this computer; the other services are safe.
            case OperandKind::Restart: return name + " " + of({"0", "1", "2", "3", "5", "7"});
            case OperandKind::Data: break;
        }
        return "NOP";
    }

    std::mt19937 rng_;
    std::map<int, std::string> labelOf_;
};

std::string listing(const std::vector<std::string>& lines) {
    return std::accumulate(lines.begin(), lines.end(), std::string(),
                           [](std::string text, const std::string& line) { return text + line + "\n"; });
}

TEST(ValueRange, RandomProgramsKeepEveryValueInRange) {
    for (ArithmeticRules rules : {ArithmeticRules::Workbench, ArithmeticRules::Intel8080}) {
        for (int i = 0; i < kPrograms; ++i) {
            const unsigned seed = static_cast<unsigned>(i * 2 + (rules == ArithmeticRules::Intel8080 ? 1 : 0));
            const std::vector<std::string> lines = Generator(seed).make();
            testing::Bench bench;
            Machine& m = bench.machine;
            m.arithmeticRules = rules;
            ASSERT_EQ(compileProgram(m, lines, {.showMessage = true}), -1) << bench.last() << "\n" << listing(lines);
            const std::int32_t programSize = m.addressCounter;
            std::mt19937 state(seed);
            auto any = [&](int n) {
                if (n == 256 && state() % 4 != 0) return edgeByte(state);
                return static_cast<std::int32_t>(state() % static_cast<unsigned>(n));
            };
            for (std::int32_t a = programSize; a < kMemorySize; ++a) m.memory[static_cast<size_t>(a)] = any(256);
            auto randomRegisters = [&] {
                for (std::int32_t* r : {&m.regA, &m.regB, &m.regC, &m.regD, &m.regE, &m.regL}) *r = any(256);
                m.regH = any(0x40);
                for (std::int32_t* f : {&m.flagS, &m.flagZ, &m.flagAC, &m.flagP, &m.flagCY}) *f = any(2);
            };
            randomRegisters();
            for (auto& port : m.inPorts) port = any(256);
            m.sp = any(kInitialSp + 1);
            RangeWatch watch;
            m.lineBreaks = &watch;
            // Half the programs are stepped line by line, half run; a fault or HLT only
            // moves the start on to the next line, so that every program runs its share.
            const bool stepping = i % 2 == 0;
            std::int32_t line = 0;
            for (int starts = 0; watch.seen < kLinesRun && starts < kLinesRun && watch.fault.empty(); ++starts) {
                m.interruptRequested = 0;
                const std::int32_t from = line;
                if (stepping) {
                    // A program settles into few states; a fresh start now and then
                    // tries each line on more of them.
                    if (state() % 2 == 0) randomRegisters();
                    m.step(line);
                    ++watch.seen;
                    line = m.lastStatus == Ok ? m.nextLine + 1 : m.currentLine + 1;
                } else {
                    m.lineBudget = kLinesRun - watch.seen;
                    m.runFrom(line);
                    line = m.currentLine + 1;
                }
                watch.check(m, [from] { return "after a command from line " + std::to_string(from + 1); });
                if (line < 0 || line >= kLines) line = 0;
            }
            EXPECT_TRUE(watch.fault.empty()) << arithmeticRulesName(rules) << " rules, " << watch.fault << "\n"
                                             << listing(lines);
        }
    }
}

}  // namespace
}  // namespace verdin
