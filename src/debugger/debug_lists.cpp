#include "debugger/debug_lists.h"

#include <algorithm>
#include <cctype>

#include "debugger/machine_changes.h"
#include "machine/machine.h"
#include "machine/numbers.h"

namespace verdin {

namespace {

// "HH LL": a 16-bit value as its high and low byte.
std::string wordBytes(std::int32_t v) { return hex2(v >> 8) + " " + hex2(v); }

std::string pairEntry(const char* name, std::int32_t high, std::int32_t low) {
    return std::string(" ") + name + "  " + hex2(high) + " " + hex2(low);
}

// A row put together part by part, each changed part marked where it lands.
class RowBuilder {
public:
    RowBuilder& add(std::string_view part, bool changed = false) {
        if (changed && !part.empty()) {
            row_.changed.insert(row_.changed.end(),
                                {static_cast<int>(row_.text.size()), static_cast<int>(part.size())});
        }
        row_.text += part;
        return *this;
    }
    DebugRow take() { return std::move(row_); }

private:
    DebugRow row_;
};

std::vector<std::string> textsOf(std::vector<DebugRow> rows) {
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    for (DebugRow& row : rows) texts.push_back(std::move(row.text));
    return texts;
}

template <std::size_t N, class Changed>
std::vector<DebugRow> wholeRows(const std::array<std::string, N>& entries, Changed changed) {
    std::vector<DebugRow> rows;
    for (int i = 0; i < static_cast<int>(N); ++i) rows.push_back(RowBuilder().add(entries[i], changed(i)).take());
    return rows;
}

DebugRow portRow(int port, std::int32_t value, bool changed) {
    return RowBuilder().add(" " + hex2(port) + "    ").add(hex2(value), changed).take();
}

// A cell shown in a row is marked when the changes (if any are given) saw it change.
bool cellChanged(const MachineChanges* changes, int address) { return changes && changes->cellChanged(address); }

std::vector<DebugRow> stackRowsOf(const Machine& m, const MachineChanges* changes, int top, int rows) {
    std::vector<DebugRow> entries;
    const int first = 2 * stackFirstLine(top, rows);
    for (int k = 0; k < rows; ++k) {
        const int a = first + 2 * k;
        if (a + 1 >= kMemorySize) break;
        entries.push_back(RowBuilder()
                              .add(hex4(a) + "  ")
                              .add(hex2(m.fields().memory[a]), cellChanged(changes, a))
                              .add(" ")
                              .add(hex2(m.fields().memory[a + 1]), cellChanged(changes, a + 1))
                              .take());
    }
    return entries;
}

std::vector<DebugRow> dumpRowsOf(const Machine& m, const MachineChanges* changes, int top, int rows) {
    std::vector<DebugRow> entries;
    const int firstRow = dumpFirstRow(top, rows);
    for (int k = 0; k < rows; ++k) {
        const int a = 8 * (firstRow + k);
        if (a + 7 >= kMemorySize) break;
        RowBuilder row;
        row.add(hex4(a) + "   ");
        for (int i = 0; i < 8; ++i) row.add(hex2(m.fields().memory[a + i]), cellChanged(changes, a + i)).add(" ");
        entries.push_back(row.take());
    }
    return entries;
}

bool validPort(int port) { return port >= 0 && port < kPortCount; }

struct PairRegisters {
    const char* name;
    std::int32_t ProcessorState::*high;
    std::int32_t ProcessorState::*low;
};

// Entries 1..3 of the registers list; entry 0 (AF) and the fixed SP and PC are special.
constexpr std::array<PairRegisters, 3> kPairs{{
    {"BC", &ProcessorState::regB, &ProcessorState::regC},
    {"DE", &ProcessorState::regD, &ProcessorState::regE},
    {"HL", &ProcessorState::regH, &ProcessorState::regL},
}};

}  // namespace

// ---- List entries --------------------------------------------------------------

std::string registerEntry(const Machine& m, int index) {
    switch (index) {
        case 0: return pairEntry("AF", m.fields().regA, m.composeFlags());
        case 1:
        case 2:
        case 3: {
            const PairRegisters& pair = kPairs[index - 1];
            return pairEntry(pair.name, m.processorState().*pair.high, m.processorState().*pair.low);
        }
        case 4: return " SP  " + wordBytes(m.fields().sp);
        case 5: return " PC  " + wordBytes(m.fields().stopAddress);
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
    return {entry("   CY   ", m.fields().flagCY), entry("    Z   ", m.fields().flagZ), entry("    P   ", m.fields().flagP),
            entry("    S   ", m.fields().flagS), entry("   AC   ", m.fields().flagAC)};
}

std::vector<std::string> stackEntries(const Machine& m, int top, int rows) {
    return textsOf(stackRowsOf(m, nullptr, top, rows));
}

std::vector<std::string> dumpEntries(const Machine& m, int top, int rows) {
    return textsOf(dumpRowsOf(m, nullptr, top, rows));
}

std::string inputPortEntry(const Machine& m, int port) {
    return validPort(port) ? portRow(port, m.fields().inPorts[port], false).text : std::string();
}

std::string outputPortEntry(const Machine& m, int port) {
    return validPort(port) ? portRow(port, m.fields().outPorts[port], false).text : std::string();
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

std::vector<DebugRow> registerRows(const Machine& m, const MachineChanges& changes) {
    return wholeRows(registerEntries(m), [&](int i) { return changes.registerEntryChanged(i); });
}

std::vector<DebugRow> flagRows(const Machine& m, const MachineChanges& changes) {
    return wholeRows(flagEntries(m), [&](int i) { return changes.flagEntryChanged(i); });
}

std::vector<DebugRow> stackRows(const Machine& m, const MachineChanges& changes, int top, int rows) {
    return stackRowsOf(m, &changes, top, rows);
}

std::vector<DebugRow> dumpRows(const Machine& m, const MachineChanges& changes, int top, int rows) {
    return dumpRowsOf(m, &changes, top, rows);
}

std::vector<DebugRow> inputPortRows(const Machine& m) {
    std::vector<DebugRow> rows;
    for (int i = 0; i < kPortCount; ++i) rows.push_back(portRow(i, m.fields().inPorts[i], false));
    return rows;
}

std::vector<DebugRow> outputPortRows(const Machine& m, const MachineChanges& changes) {
    std::vector<DebugRow> rows;
    for (int i = 0; i < kPortCount; ++i) rows.push_back(portRow(i, m.fields().outPorts[i], changes.outPortChanged(i)));
    return rows;
}

std::vector<std::string> programEntries(const Machine& m, int lastLine) {
    const int count = std::clamp(lastLine + 1, 0, static_cast<int>(m.fields().programLines.size()));
    return std::vector<std::string>(m.fields().programLines.begin(), m.fields().programLines.begin() + count);
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

// ---- Zoom ---------------------------------------------------------------------------

int zoomedPoints(int points, int direction) {
    static constexpr std::array<int, 15> kSizes{6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 28, 32};
    points = std::clamp(points, kMinZoomPoints, kMaxZoomPoints);
    if (direction > 0) {
        for (int size : kSizes) {
            if (size > points) return size;
        }
        return kMaxZoomPoints;
    }
    if (direction < 0) {
        for (auto it = kSizes.rbegin(); it != kSizes.rend(); ++it) {
            if (*it < points) return *it;
        }
        return kMinZoomPoints;
    }
    return points;
}

// ---- The "Input" dialog ------------------------------------------------------

InputRequest inputPortRequest(const Machine& m, int port) {
    if (!validPort(port)) return {};
    return {"Input port #" + hex2(port), hex2(m.fields().inPorts[port])};
}

std::optional<InputRequest> registerPairRequest(const Machine& m, int index) {
    if (index == 0) return InputRequest{"Registers AF", hex2(m.fields().regA)};
    if (index < 1 || index > 3) return std::nullopt;
    const PairRegisters& pair = kPairs[index - 1];
    return InputRequest{std::string("Registers ") + pair.name, hex2(m.processorState().*pair.high) + hex2(m.processorState().*pair.low)};
}

std::optional<std::int32_t> parseTypedHex(std::string_view typed, int maxDigits) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!typed.empty() && blank(typed.front())) typed.remove_prefix(1);
    while (!typed.empty() && blank(typed.back())) typed.remove_suffix(1);
    if (typed.empty() || static_cast<int>(typed.size()) > maxDigits) return std::nullopt;
    std::int32_t value = 0;
    for (char c : typed) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10;
        value = value * 16 + digit;
    }
    return value;
}

namespace {
// A refused value leaves everything as it was and says why, as an input port's
// "Invalid number" always did: reporting changes no status.
void refuse(Machine& m) { m.report({IllegalCharacters}); }
}  // namespace

bool applyInputPort(Machine& m, int port, const std::string& typed) {
    if (!validPort(port)) return false;
    const std::optional<std::int32_t> value = parseTypedHex(typed, 2);
    if (!value) {
        refuse(m);
        return false;
    }
    m.setInputPort(port, *value);
    return true;
}

bool applyRegisterPair(Machine& m, int index, const std::string& typed) {
    if (index < 0 || index > 3) return false;
    const std::optional<std::int32_t> value = parseTypedHex(typed, index == 0 ? 2 : 4);
    if (!value) {
        refuse(m);
        return false;
    }
    if (index == 0) {
        m.setRegister(7, *value);
    } else {
        // The pairs' registers in the order of registerIndex: B C, D E, H L.
        m.setRegister(2 * (index - 1), *value >> 8);
        m.setRegister(2 * (index - 1) + 1, *value & 0xFF);
    }
    return true;
}

// ---- The stack view follows SP -------------------------------------------------

int stackLineOf(std::int32_t sp) { return sp / 2; }

bool spInMemory(std::int32_t sp) { return sp >= 0 && sp < kMemorySize; }

std::optional<int> stackTopFollowingSp(std::int32_t sp, int top, int rows) {
    if (!spInMemory(sp)) return std::nullopt;
    const int line = stackLineOf(sp);
    const int first = stackFirstLine(top, rows);
    if (line >= first && line < first + rows) return std::nullopt;
    return clampStackTop(line);
}

int spEntryIndex(int firstLine, int count, std::int32_t sp) {
    if (!spInMemory(sp)) return -1;
    const int k = stackLineOf(sp) - firstLine;
    return k >= 0 && k < count ? k : -1;
}

std::string spOutsideMemoryText(std::int32_t sp) {
    return "SP " + hex4(sp) + " is outside memory (0000 to 3FFF): the stack view stays where it was.";
}

}  // namespace verdin
