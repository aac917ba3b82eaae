#include "debugger/calculator.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "machine/numbers.h"

namespace verdin {

const std::array<CalcControl, 26> kCalcControls{{
    {1020, CalcKey::Digit, '0'},    {1031, CalcKey::Digit, '1'},    {1016, CalcKey::Digit, '2'},
    {1027, CalcKey::Digit, '3'},    {1011, CalcKey::Digit, '4'},    {1012, CalcKey::Digit, '5'},
    {1013, CalcKey::Digit, '6'},    {1007, CalcKey::Digit, '7'},    {1008, CalcKey::Digit, '8'},
    {1009, CalcKey::Digit, '9'},    {1010, CalcKey::Digit, 'A'},    {1030, CalcKey::Digit, 'B'},
    {1019, CalcKey::Digit, 'C'},    {1023, CalcKey::Digit, 'D'},    {1022, CalcKey::Digit, 'E'},
    {1021, CalcKey::Digit, 'F'},    {1018, CalcKey::Operator, '+'}, {1026, CalcKey::Operator, '-'},
    {1025, CalcKey::Operator, '*'}, {1024, CalcKey::Operator, '/'}, {1028, CalcKey::Equals, 0},
    {1029, CalcKey::Clear, 0},      {1004, CalcKey::Sign, 0},       {1005, CalcKey::Base, 0},
    {1006, CalcKey::Negate, 0},     {1002, CalcKey::Help, 0},
}};

std::string calcKeyLabel(const CalcControl& control) {
    switch (control.key) {
        case CalcKey::Digit:
        case CalcKey::Operator: return std::string(1, control.symbol);
        case CalcKey::Equals: return "=";
        case CalcKey::Clear: return "CE";
        case CalcKey::Sign: return "S";
        case CalcKey::Base: return "M";
        case CalcKey::Negate: return "+/-";
        case CalcKey::Help: return "?";
    }
    return {};
}

std::string calcKeySpokenName(const CalcControl& control) {
    switch (control.key) {
        case CalcKey::Equals: return "Equals";
        case CalcKey::Clear: return "Clear entry";
        case CalcKey::Sign: return "Sign marker";
        case CalcKey::Base: return "Hexadecimal or decimal";
        case CalcKey::Negate: return "Change sign";
        case CalcKey::Help: return "Help";
        case CalcKey::Operator:
            switch (control.symbol) {
                case '+': return "Plus";
                case '-': return "Minus";
                case '*': return "Times";
                case '/': return "Divided by";
                default: break;
            }
            break;
        case CalcKey::Digit: break;
    }
    return calcKeyLabel(control);
}

CalcKeyPlace calcKeyPlace(const CalcControl& control) {
    struct Place {
        const char* label;
        CalcKeyPlace place;
    };
    // As a pocket calculator's: the letters left of the digits, the operators right.
    static constexpr Place kPlaces[] = {
        {"M", {1, 0, 1}}, {"S", {1, 1, 1}}, {"?", {1, 2, 1}}, {"+/-", {1, 3, 1}}, {"CE", {1, 4, 2}},
        {"A", {2, 0, 1}}, {"B", {2, 1, 1}}, {"7", {2, 2, 1}}, {"8", {2, 3, 1}},   {"9", {2, 4, 1}}, {"/", {2, 5, 1}},
        {"C", {3, 0, 1}}, {"D", {3, 1, 1}}, {"4", {3, 2, 1}}, {"5", {3, 3, 1}},   {"6", {3, 4, 1}}, {"*", {3, 5, 1}},
        {"E", {4, 0, 1}}, {"F", {4, 1, 1}}, {"1", {4, 2, 1}}, {"2", {4, 3, 1}},   {"3", {4, 4, 1}}, {"-", {4, 5, 1}},
        {"0", {5, 2, 2}}, {"=", {5, 4, 1}}, {"+", {5, 5, 1}},
    };
    const std::string label = calcKeyLabel(control);
    for (const Place& p : kPlaces) {
        if (label == p.label) return p.place;
    }
    return {0, 0, 1};
}

namespace {

constexpr std::int32_t kWordMax = 65535;
// Five decimal digits is all the entry holds, so it is all a result may have.
constexpr std::int32_t kDecimalMin = -99999;

bool isHexLetter(char c) { return c >= 'A' && c <= 'F'; }
bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

Calculator::Calculator() { calcRefresh(); }

void Calculator::open() {
    calcEntry.clear();
    entryTyped_ = false;
    calcRefresh();
}

void Calculator::digit(char d) {
    if (!isDecimalDigit(d) && !(hexMode() && isHexLetter(d))) return;
    if (calcEntry.size() >= kEntryCapacity) return;
    calcEntry += d;
    entryTyped_ = true;
    calcRefresh();
}

void Calculator::operatorKey(char op) {
    if (!isOperator(op)) return;
    if (!isOperator(calcOperator)) {
        // The first operator of a chain: the value on display is its first operand.
        calcAccumulator = calcValue;
        showResult(calcValue);
    } else if (entryTyped_) {
        calcApply();
    }
    // Without a new number in between, a second operator key only replaces the first.
    calcOperator = op;
    entryTyped_ = false;
}

void Calculator::equals() {
    if (isOperator(calcOperator)) {
        calcApply();
    } else {
        showResult(calcValue);
    }
    calcAccumulator = 0;
    calcOperator = ' ';
}

void Calculator::clearEntry() {
    calcEntry.clear();
    calcOperator = '\0';
    calcAccumulator = 0;
    entryTyped_ = false;
    calcRefresh();
}

void Calculator::toggleSign() {
    calcSign = calcSign == 'N' ? ' ' : 'N';
    // Only the marker changes: the value on display (perhaps a result whose entry is
    // already cleared) must not be read again from the entry.
    redraw(shown_);
}

void Calculator::switchBase() {
    const std::int32_t v = calcValue;
    if (!hexMode()) {
        calcBase = 'H';
        if (v < -kWordMax || v > kWordMax) return showError(v);
        calcEntry = formatNumber(v < 0 ? v + 65536 : v, 2, 0);
    } else {
        calcBase = 'D';
        if (v < 0 || v > kWordMax) return showError(v);
        calcEntry = std::to_string(calcSign == 'N' && v != 0 ? v - 65536 : v);
    }
    calcRefresh();
}

void Calculator::negate() {
    if (hexMode() || calcText == "Error") return;
    // After a result the entry is empty while the display shows the result: negate that.
    if (calcEntry.empty()) calcEntry = std::to_string(calcValue);
    if (calcValue > 0) {
        calcEntry.insert(0, 1, '-');
    } else if (calcValue < 0) {
        calcEntry.erase(0, 1);
    }
    entryTyped_ = true;
    calcRefresh();
}

void Calculator::press(const CalcControl& control) {
    switch (control.key) {
        case CalcKey::Digit: digit(control.symbol); break;
        case CalcKey::Operator: operatorKey(control.symbol); break;
        case CalcKey::Equals: equals(); break;
        case CalcKey::Clear: clearEntry(); break;
        case CalcKey::Sign: toggleSign(); break;
        case CalcKey::Base: switchBase(); break;
        case CalcKey::Negate: negate(); break;
        case CalcKey::Help: break;
    }
}

void Calculator::calcRefresh() {
    const bool negative = !calcEntry.empty() && calcEntry.front() == '-';
    std::string digits = negative ? calcEntry.substr(1) : calcEntry;
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    // The typing limit of decimal mode; results never reach here longer (showResult).
    if (!hexMode() && digits.size() > 5) digits.resize(5);
    calcEntry = (negative ? "-" : "") + digits;

    if (hexMode()) {
        // The keys feed only hex digits, so the reader cannot object.
        calcValue = parseHex(digits, 4).value;
    } else {
        calcValue = std::atoi(calcEntry.c_str());
    }

    if (calcValue > kWordMax) {
        calcText = "Error";
    } else if (hexMode()) {
        calcText = formatNumber(calcValue, 2, 0);
    } else {
        calcText = std::to_string(calcValue);
        calcEntry = calcText;
    }
    redraw(calcText);
}

void Calculator::calcApply() {
    std::int64_t acc = calcAccumulator;
    const std::int64_t value = calcValue;
    switch (calcOperator) {
        case '+': acc += value; break;
        case '-': acc -= value; break;
        case '*': acc *= value; break;
        case '/':
            if (value == 0) {
                // Past the largest word, so the display reads "Error".
                acc = kWordMax + 1;
            } else {
                acc /= value;
            }
            break;
        default: break;
    }
    acc = std::clamp<std::int64_t>(acc, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
    calcAccumulator = static_cast<std::int32_t>(acc);
    showResult(calcAccumulator);
}

void Calculator::showResult(std::int64_t value) {
    const auto v = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    if (hexMode()) {
        if (v < -kWordMax || v > kWordMax) {
            showError(v);
        } else {
            // Negative results show as their two's complement, as the base switch does.
            calcEntry = formatNumber(v < 0 ? v + 65536 : v, 2, 0);
            calcRefresh();
        }
    } else if (v < kDecimalMin || v > kWordMax) {
        showError(v);
    } else {
        calcEntry = std::to_string(v);
        calcRefresh();
    }
    calcEntry.clear();
    entryTyped_ = false;
}

void Calculator::showError(std::int32_t value) {
    calcValue = value;
    calcText = "Error";
    calcEntry.clear();
    redraw(calcText);
}

void Calculator::redraw(const std::string& shown) {
    shown_ = shown;
    const int pad = std::max(0, kDisplayWidth - static_cast<int>(shown.size()));
    display_ = std::string(1, calcBase) + calcSign + std::string(static_cast<size_t>(pad), ' ') + shown;
}

}  // namespace verdin
