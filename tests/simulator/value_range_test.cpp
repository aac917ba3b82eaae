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

#include "arrange.h"
#include "isa/instruction_table.h"
#include "random_program.h"
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
            {"A", m.fields().regA, 255},  {"B", m.fields().regB, 255},  {"C", m.fields().regC, 255}, {"D", m.fields().regD, 255},
            {"E", m.fields().regE, 255},  {"H", m.fields().regH, 255},  {"L", m.fields().regL, 255}, {"F", m.fields().regF, 255},
            {"S", m.fields().flagS, 1},   {"Z", m.fields().flagZ, 1},   {"AC", m.fields().flagAC, 1}, {"P", m.fields().flagP, 1},
            {"CY", m.fields().flagCY, 1}, {"SP", m.fields().sp, 65535}, {"PC", m.fields().addressCounter, 65535}};
        for (const auto& [name, value, high] : values) expect(name, value, high);
        for (std::size_t p = 0; p < m.fields().inPorts.size(); ++p) {
            expect("in port", m.fields().inPorts[p], 255);
            expect("out port", m.fields().outPorts[p], 255);
        }
        const auto wild = std::find_if(m.fields().memory.begin(), m.fields().memory.end(), [](std::int32_t c) { return c < 0 || c > 255; });
        if (wild != m.fields().memory.end()) out << "[" << wild - m.fields().memory.begin() << "]=" << *wild << " ";
        if (!out.str().empty()) fault = where() + ": " + out.str();
    }
    bool stopBefore(const Machine& m, std::int32_t line) override {
        check(m, [line] { return "before line " + std::to_string(line + 1) + " ran"; });
        ++seen;
        return false;
    }
};

std::string listing(const std::vector<std::string>& lines) {
    return std::accumulate(lines.begin(), lines.end(), std::string(),
                           [](std::string text, const std::string& line) { return text + line + "\n"; });
}

TEST(ValueRange, RandomProgramsKeepEveryValueInRange) {
    for (ArithmeticRules rules : {ArithmeticRules::Workbench, ArithmeticRules::Intel8080}) {
        for (int i = 0; i < kPrograms; ++i) {
            const unsigned seed = static_cast<unsigned>(i * 2 + (rules == ArithmeticRules::Intel8080 ? 1 : 0));
            const std::vector<std::string> lines = testing::RandomProgram(seed, kLines).make();
            testing::Bench bench;
            Machine& m = bench.machine;
            m.setArithmeticRules(rules);
            ASSERT_EQ(compileProgram(m, lines, {.showMessage = true}), -1) << bench.last() << "\n" << listing(lines);
            const std::int32_t programSize = m.fields().addressCounter;
            std::mt19937 state(seed);
            auto any = [&](int n) {
                if (n == 256 && state() % 4 != 0) return testing::edgeByte(state);
                return static_cast<std::int32_t>(state() % static_cast<unsigned>(n));
            };
            {
                Arranged s(m);
                for (std::int32_t a = programSize; a < kMemorySize; ++a) s->memory[static_cast<size_t>(a)] = any(256);
            }
            auto randomRegisters = [&] {
                Arranged s(m);
                for (std::int32_t* r : {&s->regA, &s->regB, &s->regC, &s->regD, &s->regE, &s->regL}) *r = any(256);
                s->regH = any(0x40);
                for (std::int32_t* f : {&s->flagS, &s->flagZ, &s->flagAC, &s->flagP, &s->flagCY}) *f = any(2);
            };
            randomRegisters();
            for (int port = 0; port < kPortCount; ++port) m.setInputPort(port, any(256));
            arrange(m)->sp = any(kInitialSp + 1);
            RangeWatch watch;
            m.setLineBreaks(&watch);
            // Half the programs are stepped line by line, half run; a fault or HLT only
            // moves the start on to the next line, so that every program runs its share.
            const bool stepping = i % 2 == 0;
            std::int32_t line = 0;
            for (int starts = 0; watch.seen < kLinesRun && starts < kLinesRun && watch.fault.empty(); ++starts) {
                m.clearStopRequest();
                const std::int32_t from = line;
                if (stepping) {
                    // A program settles into few states; a fresh start now and then
                    // tries each line on more of them.
                    if (state() % 2 == 0) randomRegisters();
                    m.step(line);
                    ++watch.seen;
                    line = m.fields().lastStatus == Ok ? m.fields().nextLine + 1 : m.fields().currentLine + 1;
                } else {
                    m.setLineBudget(kLinesRun - watch.seen);
                    m.runFrom(line);
                    line = m.fields().currentLine + 1;
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
