#include "debugger/debug_lists.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "machine/machine.h"

namespace verdin {

namespace {

// The window reads a const machine, so it formats bytes itself; masking keeps a
// stray value from ever printing more than its two or four digits.
std::string hex2(std::int32_t v) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(v) & 0xFFu);
    return text;
}

std::string hex4(std::int32_t v) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(v) & 0xFFFFu);
    return text;
}

// "HH LL": a 16-bit value as its high and low byte.
std::string wordBytes(std::int32_t v) { return hex2(v >> 8) + " " + hex2(v); }

std::string pairEntry(const char* name, std::int32_t high, std::int32_t low) {
    return std::string(" ") + name + "  " + hex2(high) + " " + hex2(low);
}

std::string portEntry(int port, std::int32_t value) { return " " + hex2(port) + "    " + hex2(value); }

bool validPort(int port) { return port >= 0 && port < kPortCount; }

struct PairRegisters {
    const char* name;
    std::int32_t Machine::*high;
    std::int32_t Machine::*low;
};

// Entries 1..3 of the registers list; entry 0 (AF) and the fixed SP and PC are special.
constexpr std::array<PairRegisters, 3> kPairs{{
    {"BC", &Machine::regB, &Machine::regC},
    {"DE", &Machine::regD, &Machine::regE},
    {"HL", &Machine::regH, &Machine::regL},
}};

}  // namespace

// ---- List entries --------------------------------------------------------------

std::string registerEntry(const Machine& m, int index) {
    switch (index) {
        case 0: return pairEntry("AF", m.regA, m.composeFlags());
        case 1:
        case 2:
        case 3: {
            const PairRegisters& pair = kPairs[index - 1];
            return pairEntry(pair.name, m.*pair.high, m.*pair.low);
        }
        case 4: return " SP  " + wordBytes(m.sp);
        case 5: return " PC  " + wordBytes(m.stopAddress);
        default: return {};
    }
}

std::array<std::string, 6> registerEntries(const Machine& m) {
    std::array<std::string, 6> entries;
    for (int i = 0; i < 6; ++i) entries[i] = registerEntry(m, i);
    return entries;
}

std::array<std::string, 5> flagEntries(const Machine& m) {
    auto entry = [](const char* label, std::int32_t flag) { return std::string(label) + std::to_string(flag); };
    return {entry("   CY   ", m.flagCY), entry("    Z   ", m.flagZ), entry("    P   ", m.flagP),
            entry("    S   ", m.flagS), entry("   AC   ", m.flagAC)};
}

std::vector<std::string> stackEntries(const Machine& m, int top, int rows) {
    std::vector<std::string> entries;
    const int first = 2 * stackFirstLine(top, rows);
    for (int k = 0; k < rows; ++k) {
        const int a = first + 2 * k;
        if (a + 1 >= kMemorySize) break;
        entries.push_back(hex4(a) + "  " + hex2(m.memory[a]) + " " + hex2(m.memory[a + 1]));
    }
    return entries;
}

std::vector<std::string> dumpEntries(const Machine& m, int top, int rows) {
    std::vector<std::string> entries;
    const int firstRow = dumpFirstRow(top, rows);
    for (int k = 0; k < rows; ++k) {
        const int a = 8 * (firstRow + k);
        if (a + 7 >= kMemorySize) break;
        std::string row = hex4(a) + "   ";
        for (int i = 0; i < 8; ++i) row += hex2(m.memory[a + i]) + " ";
        entries.push_back(std::move(row));
    }
    return entries;
}

std::string inputPortEntry(const Machine& m, int port) {
    return validPort(port) ? portEntry(port, m.inPorts[port]) : std::string();
}

std::string outputPortEntry(const Machine& m, int port) {
    return validPort(port) ? portEntry(port, m.outPorts[port]) : std::string();
}

std::array<std::string, 16> inputPortEntries(const Machine& m) {
    std::array<std::string, 16> entries;
    for (int i = 0; i < kPortCount; ++i) entries[i] = inputPortEntry(m, i);
    return entries;
}

std::array<std::string, 16> outputPortEntries(const Machine& m) {
    std::array<std::string, 16> entries;
    for (int i = 0; i < kPortCount; ++i) entries[i] = outputPortEntry(m, i);
    return entries;
}

std::vector<std::string> programEntries(const Machine& m, int lastLine) {
    const int count = std::clamp(lastLine + 1, 0, static_cast<int>(m.programLines.size()));
    return std::vector<std::string>(m.programLines.begin(), m.programLines.begin() + count);
}

// ---- The two scrollable views ------------------------------------------------

int dumpRowOf(int address) { return clampDumpTop(address / 8); }

int stackFirstLine(int top, int rows) { return std::clamp(top, 0, kStackScrollMax - std::max(rows, kDebugRows)); }
int dumpFirstRow(int top, int rows) { return std::clamp(top, 0, kDumpScrollMax - std::max(rows, kDebugRows)); }

int clampStackTop(int top) { return std::clamp(top, 0, kStackViewMax); }
int clampDumpTop(int top) { return std::clamp(top, 0, kDumpViewMax); }

bool ScrollView::scroll(ListScroll action, int thumb) {
    int p = top;
    switch (action) {
        case ListScroll::LineUp: p = top - 1; break;
        case ListScroll::LineDown: p = top + 1; break;
        case ListScroll::PageUp: p = top - kDebugRows; break;
        case ListScroll::PageDown: p = top + kDebugRows; break;
        case ListScroll::ThumbTrack: p = thumb; break;
        case ListScroll::Top: p = 0; break;
        case ListScroll::Bottom: p = barMax; break;
        case ListScroll::ThumbPosition:
        case ListScroll::EndScroll: return false;
    }
    if (p == top) return false;
    barPosition = std::clamp(p, 0, barMax);
    top = std::clamp(p, 0, maxTop);
    return true;
}

int DebugViews::stepLine(int selected, int lineCount) {
    if (selected < 0 || selected >= lineCount) return 0;
    return std::min(selected, kMaxProgramLines - 1);
}

// ---- The "Input" dialog ------------------------------------------------------

InputRequest inputPortRequest(const Machine& m, int port) {
    if (!validPort(port)) return {};
    return {"Input port #" + hex2(port), hex2(m.inPorts[port])};
}

std::optional<InputRequest> registerPairRequest(const Machine& m, int index) {
    if (index == 0) return InputRequest{"Registers AF", hex2(m.regA)};
    if (index < 1 || index > 3) return std::nullopt;
    const PairRegisters& pair = kPairs[index - 1];
    return InputRequest{std::string("Registers ") + pair.name, hex2(m.*pair.high) + hex2(m.*pair.low)};
}

bool applyInputPort(Machine& m, int port, const std::string& typed) {
    if (!validPort(port)) return false;
    // The digits are picked out here: the machine's reader lets the second of two
    // foreign characters in a row stand as a digit ("1GG" would read 10) and then
    // reports a different status, so it cannot tell a clean value on its own.
    std::string digits;
    for (char c : typed) {
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
    }
    const bool clean = digits.size() == typed.size();
    const std::int32_t before = m.status;
    m.inPorts[port] = m.parseHex(digits, 2);
    m.status = before;
    if (!clean) m.showError("Invalid number", IllegalCharacters);
    return clean;
}

bool applyRegisterPair(Machine& m, int index, const std::string& typed) {
    if (index < 0 || index > 3) return false;
    const std::int32_t before = m.status;
    if (index == 0) {
        m.regA = m.parseHex(typed, 2);
    } else {
        const std::string digits = typed.size() < 4 ? std::string(4 - typed.size(), '0') + typed : typed;
        const PairRegisters& pair = kPairs[index - 1];
        m.*pair.high = m.parseHex(digits.substr(0, 2), 2);
        m.*pair.low = m.parseHex(digits.substr(digits.size() - 2), 2);
    }
    m.regF = m.composeFlags();
    m.status = before;
    return true;
}

}  // namespace verdin
