#include "debugger/calculator.h"

#include <gtest/gtest.h>

#include <string>

#include "machine/machine.h"

namespace verdin {
namespace {

// Keys as the dialog sends them: digits, "+-*/", "=", "c" for CE, "s" for the sign
// marker, "m" for the base switch and "n" for +/-.
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

// Verify what the display shows after each key sequence, typed on a fresh calculator.
TEST_F(CalculatorTest, KeySequences) {
    const struct {
        const char* keys;
        const char* shown;
    } cases[] = {
        // Decimal entry: five digits, no leading zeros, words only, no letters.
        {"", "0"}, {"123456", "12345"}, {"07", "7"}, {"65535", "65535"}, {"65536", "Error"}, {"ABC", "0"},
        // Operators with "=", and division by zero.
        {"9*9=", "81"}, {"10-20=", "-10"}, {"17/5=", "3"}, {"7/0=", "Error"},
        // Chains compute left to right; a second operator key only replaces the first.
        {"2+3+4=", "9"}, {"2+3+", "5"}, {"5-1*3=", "12"}, {"8+*2=", "16"},
        // A result is the first operand of the next operator; "=" alone keeps the value.
        {"2+3=*4=", "20"}, {"5=", "5"}, {"9+4c5+3=", "8"},
        // Decimal results too long for the display read "Error", never a cut number.
        {"300*300=", "Error"}, {"1000n*1000=", "Error"}, {"300n*300=", "-90000"},
        {"65535*65535*65535=", "Error"},
        // Hexadecimal results stay hexadecimal; negative ones in two's complement.
        {"m10+10=", "0020"}, {"m10-20=", "FFF0"}, {"mFFFF+1=", "Error"}, {"m1A*10=", "01A0"},
        {"m12345", "1234"},
        // The base switch, and the sign marker's part in reading hexadecimal back.
        {"255m", "00FF"}, {"255mm", "-65281"}, {"255msm", "255"}, {"1nm", "FFFF"}, {"1nmm", "-1"},
        {"6*7=m", "002A"}, {"6*7=mm", "-65494"},
        // Negation of a typed value and of a result; the marker leaves a result alone.
        {"42n", "-42"}, {"42nn", "42"}, {"2+3=n", "-5"}, {"2+3=n+1=", "-4"}, {"2+3=s+1=", "6"},
    };
    for (const auto& c : cases) {
        Calculator fresh(machine);
        fresh.open();
        type(fresh, c.keys);
        EXPECT_EQ(shownOn(fresh), c.shown) << "keys " << c.keys;
    }
}

// Verify the display line: base, marker, then the value right-aligned in 15 columns.
TEST_F(CalculatorTest, DisplayLayout) {
    EXPECT_EQ(calc.display(), "DN" + std::string(14, ' ') + "0");
    keys("255ms");
    EXPECT_EQ(calc.display(), "H " + std::string(11, ' ') + "00FF");
    EXPECT_TRUE(calc.lettersEnabled());
    EXPECT_FALSE(calc.negateEnabled());
}

// Verify that the hexadecimal entry never grows past its capacity.
TEST_F(CalculatorTest, EntryIsBounded) {
    keys("m" + std::string(30, 'F'));
    EXPECT_EQ(calc.calcEntry.size(), Calculator::kEntryCapacity);
    EXPECT_EQ(shown(), "FFFF");
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
