#include "debugger/calculator.h"

#include <gtest/gtest.h>

#include <string>

#include "machine/machine.h"

namespace verdin {
namespace {

class CalculatorTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine machine{platform};
    Calculator calc{machine};

    void SetUp() override { calc.open(); }

    // Keys as the dialog would see them: digits, "+-*/", "=", "c" for CE, "s" for
    // the sign marker, "m" for the base switch and "n" for +/-.
    void keys(const std::string& sequence) {
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
    std::string shown() const {
        const std::string& d = calc.display();
        return d.substr(d.find_first_not_of(' ', 2));
    }
};

// Verify that the display is the base, the marker and the value right-aligned in 15
// columns, starting with decimal 0.
TEST_F(CalculatorTest, DisplayLayout) {
    EXPECT_EQ(calc.display(), "DN" + std::string(14, ' ') + "0");
    keys("255m");
    EXPECT_EQ(calc.display(), "HN" + std::string(11, ' ') + "00FF");
    keys("s");
    EXPECT_EQ(calc.display(), "H " + std::string(11, ' ') + "00FF");
}

// Verify the decimal entry: five digits at most, no leading zeros, and values above
// the largest word read "Error".
TEST_F(CalculatorTest, DecimalEntry) {
    keys("123456");
    EXPECT_EQ(calc.calcEntry, "12345");
    EXPECT_EQ(calc.calcValue, 12345);
    keys("c07");
    EXPECT_EQ(shown(), "7");
    keys("c65535");
    EXPECT_EQ(shown(), "65535");
    keys("c65536");
    EXPECT_EQ(shown(), "Error");
    keys("cABC");  // letters are hexadecimal only
    EXPECT_EQ(shown(), "0");
}

// Verify the four operators with "=" and division by zero.
TEST_F(CalculatorTest, ArithmeticWithEquals) {
    keys("9*9=");
    EXPECT_EQ(shown(), "81");
    keys("10-20=");
    EXPECT_EQ(shown(), "-10");
    keys("2+3=");
    EXPECT_EQ(shown(), "5");
    keys("17/5=");
    EXPECT_EQ(shown(), "3");
    keys("7/0=");
    EXPECT_EQ(shown(), "Error");
}

// Verify that a chain without "=" computes left to right, each operator applying the
// one before it exactly once.
TEST_F(CalculatorTest, ChainedOperatorsComputeLeftToRight) {
    keys("2+3+4=");
    EXPECT_EQ(shown(), "9");
    keys("2+3+");
    EXPECT_EQ(shown(), "5");  // the running result shows at each operator
    keys("4*2=");
    EXPECT_EQ(shown(), "18");
    keys("5-1*3=");
    EXPECT_EQ(shown(), "12");
    keys("8+*2=");  // a second operator key replaces the first
    EXPECT_EQ(shown(), "16");
}

// Verify that a result becomes the first operand of the next operator, and that "="
// without an operator keeps the typed value on display.
TEST_F(CalculatorTest, ResultCarriesIntoNextOperation) {
    keys("2+3=*4=");
    EXPECT_EQ(shown(), "20");
    keys("5=");
    EXPECT_EQ(shown(), "5");
    keys("+1=");
    EXPECT_EQ(shown(), "6");
}

// Verify that CE starts a fresh calculation: the number typed next is not lost.
TEST_F(CalculatorTest, ClearEntryStartsFresh) {
    keys("9+4c");
    EXPECT_EQ(shown(), "0");
    EXPECT_EQ(calc.calcAccumulator, 0);
    keys("5+3=");
    EXPECT_EQ(shown(), "8");
}

// Verify that a decimal result too long for the five-digit display reads "Error"
// instead of a number cut to its first digits, and that overflowing 32-bit products
// are caught.
TEST_F(CalculatorTest, LargeDecimalResultsShowError) {
    keys("300*300=");
    EXPECT_EQ(shown(), "Error");
    keys("1000n*1000=");
    EXPECT_EQ(shown(), "Error");
    keys("300n*300=");
    EXPECT_EQ(shown(), "-90000");
    keys("65535*65535*65535=");
    EXPECT_EQ(shown(), "Error");
}

// Verify that results in hexadecimal mode are shown in hexadecimal, negative ones as
// their 16-bit two's complement, and results beyond a word as "Error".
TEST_F(CalculatorTest, HexadecimalResults) {
    keys("m10+10=");
    EXPECT_EQ(shown(), "0020");
    keys("10-20=");
    EXPECT_EQ(shown(), "FFF0");
    keys("FFFF+1=");
    EXPECT_EQ(shown(), "Error");
    keys("c1A*10=");
    EXPECT_EQ(shown(), "01A0");
}

// Verify the base switch in both directions and the part the sign marker plays.
TEST_F(CalculatorTest, BaseSwitch) {
    keys("255m");
    EXPECT_EQ(calc.calcBase, 'H');
    EXPECT_TRUE(calc.lettersEnabled());
    EXPECT_FALSE(calc.negateEnabled());
    keys("m");
    EXPECT_EQ(shown(), "-65281");
    keys("c255msm");
    EXPECT_EQ(shown(), "255");
    keys("c1nm");
    EXPECT_EQ(shown(), "FFFF");
    keys("sm");
    EXPECT_EQ(shown(), "-1");
    // A result survives the switch although its entry is already cleared.
    keys("c6*7=m");
    EXPECT_EQ(shown(), "002A");
    keys("m");
    EXPECT_EQ(shown(), "-65494");
}

// Verify that the hexadecimal entry counts only its first four digits and never grows
// past its capacity.
TEST_F(CalculatorTest, HexadecimalEntryIsBounded) {
    keys("m");
    keys(std::string(30, 'F'));
    EXPECT_EQ(calc.calcEntry.size(), Calculator::kEntryCapacity);
    EXPECT_EQ(shown(), "FFFF");
    keys("c12345");
    EXPECT_EQ(shown(), "1234");
}

// Verify negation of a typed value and of a result on display.
TEST_F(CalculatorTest, Negate) {
    keys("42n");
    EXPECT_EQ(shown(), "-42");
    keys("n");
    EXPECT_EQ(shown(), "42");
    keys("c2+3=n");
    EXPECT_EQ(shown(), "-5");
    keys("+1=");
    EXPECT_EQ(shown(), "-4");
}

// Verify that the sign marker only changes the marker, not a result on display.
TEST_F(CalculatorTest, SignMarkerKeepsTheValue) {
    keys("2+3=s");
    EXPECT_EQ(calc.display(), "D " + std::string(14, ' ') + "5");
    keys("+1=");
    EXPECT_EQ(shown(), "6");
}

// Verify what survives closing and reopening: base, marker, accumulator and operator,
// but not the entry; the letter keys follow the base.
TEST_F(CalculatorTest, StateSurvivesReopening) {
    keys("ms12+");
    calc.open();
    EXPECT_EQ(calc.calcBase, 'H');
    EXPECT_EQ(calc.calcSign, ' ');
    EXPECT_EQ(calc.calcOperator, '+');
    EXPECT_EQ(calc.calcAccumulator, 0x12);
    EXPECT_TRUE(calc.calcEntry.empty());
    EXPECT_TRUE(calc.lettersEnabled());
    keys("1=");
    EXPECT_EQ(shown(), "0013");
}

// Verify that the control table routes the dialog's buttons and that the calculator
// leaves the machine's status alone.
TEST_F(CalculatorTest, ControlsRouteToKeys) {
    machine.status = InvalidOperand;
    auto pressId = [&](int id) {
        for (const auto& c : kCalcControls)
            if (c.id == id) calc.press(c);
    };
    pressId(1005);  // M
    pressId(1031);  // 1
    pressId(1010);  // A
    pressId(1018);  // +
    pressId(1021);  // F
    pressId(1028);  // =
    EXPECT_EQ(shown(), "0029");
    EXPECT_EQ(machine.status, InvalidOperand);
}

}  // namespace
}  // namespace verdin
