#include "debugger/calculator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "machine/machine.h"

namespace verdin {
namespace {

// Keys as the dialog sends them (see tests/golden/calculator.txt).
void type(Calculator& calc, const std::string& sequence) {
    for (char k : sequence) {
        switch (k) {
            case '+': case '-': case '*': case '/': calc.operatorKey(k); break;
            case '=': calc.equals(); break;
            case 'c': calc.clearEntry(); break;
            case 's': calc.toggleSign(); break;
            case 'm': calc.switchBase(); break;
            case 'n': calc.negate(); break;
            default: calc.digit(k); break;
        }
    }
}

// The value part of the display: what stands after the base and sign marker.
std::string shownOn(const Calculator& calc) {
    const std::string& d = calc.display();
    return d.substr(d.find_first_not_of(' ', 2));
}

class CalculatorTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine machine{platform};
    Calculator calc{machine};

    void SetUp() override { calc.open(); }
    void keys(const std::string& sequence) { type(calc, sequence); }
    std::string shown() const { return shownOn(calc); }
};

TEST_F(CalculatorTest, KeySequencesOfTheTable) {
    std::ifstream table(std::string(VERDIN_SOURCE_DIR) + "/tests/golden/calculator.txt");
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        const size_t arrow = line.find(" => ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos) continue;
        Calculator fresh(machine);
        fresh.open();
        type(fresh, line.substr(0, arrow));
        EXPECT_EQ(shownOn(fresh), line.substr(arrow + 4)) << line;
        ++rows;
    }
    EXPECT_GE(rows, 30);
}

// Verify the display line: base, marker, then the value right-aligned in 15 columns.
TEST_F(CalculatorTest, DisplayLayout) {
    EXPECT_EQ(calc.display(), "DN" + std::string(14, ' ') + "0");
    keys("255ms");
    EXPECT_EQ(calc.display(), "H " + std::string(11, ' ') + "00FF");
    EXPECT_TRUE(calc.lettersEnabled());
    EXPECT_FALSE(calc.negateEnabled());
}

// The entry never grows past its capacity, whatever is typed.
TEST_F(CalculatorTest, EntryIsBounded) {
    keys("m" + std::string(30, 'F'));
    EXPECT_EQ(calc.calcEntry.size(), Calculator::kEntryCapacity);
}

// Verify what survives closing and reopening: base, marker, accumulator and operator,
// but not the entry; the letter keys follow the base.
TEST_F(CalculatorTest, StateSurvivesReopening) {
    keys("ms12+");
    calc.open();
    EXPECT_EQ(calc.calcSign, ' ');
    EXPECT_TRUE(calc.calcEntry.empty());
    EXPECT_TRUE(calc.lettersEnabled());
    keys("1=");
    EXPECT_EQ(shown(), "0013");
}

// Verify that the control table routes the dialog's buttons and that the calculator
// leaves the machine's status alone.
TEST_F(CalculatorTest, ControlsRouteToKeys) {
    machine.status = InvalidOperand;
    for (int id : {1005, 1031, 1010, 1018, 1021, 1028}) {  // M 1 A + F =
        for (const auto& c : kCalcControls)
            if (c.id == id) calc.press(c);
    }
    EXPECT_EQ(shown(), "0029");
    EXPECT_EQ(machine.status, InvalidOperand);
}

}  // namespace
}  // namespace verdin
