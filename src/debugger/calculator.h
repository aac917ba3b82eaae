// The calculator: a one-line display, digit keys 0-9 and A-F, + - * /, "=", CE, a
// base switch between decimal and 16-bit hexadecimal, a sign marker and a negate key.
// The dialog owns one Calculator for the whole run, so the base, the sign marker,
// the accumulator and a pending operator survive closing and reopening it.
//
// Usage:
//   verdin::Calculator calc;
//   calc.open();
//   calc.digit('9'); calc.operatorKey('*'); calc.digit('9'); calc.equals();
//   calc.display();                     // "DN" + 13 spaces + "81"
//
// Arithmetic is on 32-bit integers. Operators chain left to right (2 + 3 + 4 = is 9).
// A result that the display cannot show as it is reads "Error": in decimal anything
// above 65535 or with more than five digits, in hexadecimal anything outside one
// 16-bit word (negative results show as their two's complement, -1 as FFFF).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace verdin {

enum class CalcKey {
    Digit,      // 0-9, A-F
    Operator,   // + - * /
    Equals,
    Clear,      // CE
    Sign,       // S: the sign marker
    Base,       // M: decimal / hexadecimal
    Negate,     // +/-
    Help,       // ?
};

// The keys of the dialog by control id, for the window to route its buttons.
struct CalcControl {
    int id;
    CalcKey key;
    char symbol;  // the digit or operator; 0 for the other keys
};
extern const std::array<CalcControl, 26> kCalcControls;
constexpr int kCalcDisplayControl = 1001;
constexpr int kCalcHelpContext = 131207;

// A key's face ("7", "+/-", "CE", ...), and what a screen reader says for it: the keys
// whose face is a letter or a sign say what they do.
std::string calcKeyLabel(const CalcControl& control);
std::string calcKeySpokenName(const CalcControl& control);
// Where the key sits on the pad below the display: row (from 1), column, columns spanned.
struct CalcKeyPlace {
    int row;
    int column;
    int span;
};
CalcKeyPlace calcKeyPlace(const CalcControl& control);
constexpr int kCalcPadColumns = 6;

class Calculator {
public:
    static constexpr std::size_t kEntryCapacity = 19;
    static constexpr int kDisplayWidth = 15;

    Calculator();

    // ---- State (kept between openings) -----------------------------------------
    std::string calcEntry;         // decimal digits with an optional "-", or hex digits
    std::string calcText;          // the value as the display shows it, or "Error"
    char calcBase = 'D';           // 'D' decimal, 'H' hexadecimal
    char calcSign = 'N';           // 'N' or ' ': with 'N' a hex value turns into decimal
                                   // as a negative number (FFFF is -1, 00FF is -65281)
    char calcOperator = ' ';       // '+', '-', '*', '/' pending; ' ' or NUL for none
    std::int32_t calcValue = 0;    // the value on display
    std::int32_t calcAccumulator = 0;

    // ---- Keys --------------------------------------------------------------------
    // The dialog opened: the entry starts empty, everything else is kept.
    void open();
    // 0-9 always, A-F in hexadecimal mode; other characters and a full entry are ignored.
    void digit(char d);
    void operatorKey(char op);
    void equals();
    void clearEntry();
    void toggleSign();
    void switchBase();
    void negate();
    // Routes a key of kCalcControls; Help is the window's business and does nothing here.
    void press(const CalcControl& control);

    // ---- What the dialog shows --------------------------------------------------
    // calcBase, calcSign, then the value right-aligned in 15 columns.
    const std::string& display() const { return display_; }
    bool lettersEnabled() const { return calcBase == 'H'; }
    bool negateEnabled() const { return calcBase == 'D'; }
    // Whether `control` can be pressed now: the letters only in hexadecimal, +/- only
    // in decimal, every other key always.
    bool keyEnabled(const CalcControl& control) const {
        if (control.key == CalcKey::Digit && control.symbol >= 'A') return lettersEnabled();
        if (control.key == CalcKey::Negate) return negateEnabled();
        return true;
    }

    // Reads the entry into calcValue and redraws.
    void calcRefresh();
    // Applies the pending operator to the accumulator and shows the result.
    void calcApply();

private:
    bool hexMode() const { return calcBase == 'H'; }
    static bool isOperator(char op) { return op == '+' || op == '-' || op == '*' || op == '/'; }
    // Shows `value` as a result: written in the current base when it can be, else
    // "Error" with calcValue holding it. The entry is left empty for the next number.
    void showResult(std::int64_t value);
    void redraw(const std::string& shown);
    void showError(std::int32_t value);
    std::string display_;
    std::string shown_;
    // Whether a digit was typed since the last operator or result, so that two
    // operator keys in a row change the operator instead of applying it twice.
    bool entryTyped_ = false;
};

}  // namespace verdin
