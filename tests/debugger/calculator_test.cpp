#include "debugger/calculator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

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
    Calculator calc;

    void SetUp() override { calc.open(); }
};

TEST_F(CalculatorTest, KeySequencesOfTheTable) {
    std::ifstream table(std::string(VERDIN_SOURCE_DIR) + "/tests/golden/calculator.txt");
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        const size_t arrow = line.find(" => ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos) continue;
        Calculator fresh;
        fresh.open();
        type(fresh, line.substr(0, arrow));
        EXPECT_EQ(shownOn(fresh), line.substr(arrow + 4)) << line;
        ++rows;
    }
    EXPECT_GE(rows, 30);
}

// The display line: base, marker, then the value right-aligned in 15 columns. The
// entry never grows past its capacity, whatever is typed.
TEST_F(CalculatorTest, DisplayLayoutAndEntryCapacity) {
    EXPECT_EQ(calc.display(), "DN" + std::string(14, ' ') + "0");
    type(calc, "255ms");
    EXPECT_EQ(calc.display(), "H " + std::string(11, ' ') + "00FF");
    type(calc, std::string(30, 'F'));
    EXPECT_EQ(calc.calcEntry.size(), Calculator::kEntryCapacity);
}

// Closing and reopening keeps the base, accumulator and operator, not the entry or
// the sign marker.
TEST_F(CalculatorTest, StateSurvivesReopening) {
    type(calc, "ms12+");
    calc.open();
    EXPECT_EQ(calc.calcSign, ' ');
    EXPECT_TRUE(calc.calcEntry.empty());
    type(calc, "1=");
    EXPECT_EQ(shownOn(calc), "0013");
}

// The control table routes the dialog's buttons.
TEST_F(CalculatorTest, ControlsRouteToKeys) {
    for (int id : {1005, 1031, 1010, 1018, 1021, 1028}) {  // M 1 A + F =
        for (const auto& c : kCalcControls)
            if (c.id == id) calc.press(c);
    }
    EXPECT_EQ(shownOn(calc), "0029");
}

// The desktop dialog and the page both lay the pad out from these: a key off the pad,
// two keys on one cell or two keys a screen reader cannot tell apart would show in both.
TEST(CalculatorKeysTest, EveryKeyHasACellOfItsOwnAndANameOfItsOwn) {
    std::set<std::pair<int, int>> cells;
    std::set<std::string> names;
    for (const CalcControl& c : kCalcControls) {
        const std::string label = calcKeyLabel(c);
        const CalcKeyPlace place = calcKeyPlace(c);
        EXPECT_GE(place.row, 1) << label << " has no place";
        EXPECT_GE(place.column, 0) << label;
        EXPECT_LE(place.column + place.span, kCalcPadColumns) << label;
        for (int k = 0; k < place.span; ++k) {
            EXPECT_TRUE(cells.insert({place.row, place.column + k}).second) << label << " sits on another key";
        }
        EXPECT_TRUE(names.insert(calcKeySpokenName(c)).second) << label;
    }
    EXPECT_EQ(calcKeySpokenName(kCalcControls[17]), "Minus");

    // Letters only in hexadecimal, +/- only in decimal, the rest always.
    Calculator calc;
    auto enabled = [&calc](std::string_view face) {
        for (const CalcControl& c : kCalcControls)
            if (calcKeyLabel(c) == face) return calc.keyEnabled(c);
        return false;
    };
    EXPECT_FALSE(enabled("A"));
    EXPECT_TRUE(enabled("+/-"));
    EXPECT_TRUE(enabled("7"));
    calc.switchBase();
    EXPECT_TRUE(enabled("F"));
    EXPECT_FALSE(enabled("+/-"));
    EXPECT_TRUE(enabled("="));
    EXPECT_EQ(calcKeyLabel(kCalcControls[24]), "+/-");
}

}  // namespace
}  // namespace verdin
