// RST 0 (port blocks), RST 2 (number arithmetic), RST 3 (copy a number), RST 5
// (conversions) and the value input of RST 7.
#include <algorithm>
#include <cmath>

#include "services/service_support.h"

namespace verdin {

namespace {
constexpr std::int32_t kPortBlock = 4;
constexpr std::int32_t kHighestFirstPort = kPortCount - kPortBlock;  // 12
}  // namespace

void portsToMemory(ServiceCall& m) {
    const std::int32_t hl = m.cpu.pairHL();
    if (hl > kLastNumberAddress) {
        m.status = OutOfMemory;
        return;
    }
    for (std::int32_t i = 0; i < kPortBlock; ++i) {
        m.cpu.memory[static_cast<std::size_t>(hl + i)] = m.cpu.inPorts[static_cast<std::size_t>(i)];
    }
}

void memoryToPorts(ServiceCall& m) {
    const std::int32_t hl = m.cpu.pairHL();
    if (hl > kLastNumberAddress) {
        m.status = OutOfMemory;
        return;
    }
    if (m.cpu.regA > kHighestFirstPort) {
        m.status = InvalidPort;
        return;
    }
    for (std::int32_t i = 0; i < kPortBlock; ++i) {
        m.cpu.outPorts[static_cast<std::size_t>(m.cpu.regA + i)] = m.cpu.memory[static_cast<std::size_t>(hl + i)];
    }
}

void portService(ServiceCall& m) {
    if (m.cpu.regA == 0) portsToMemory(m);
    else memoryToPorts(m);
}

void copyNumber(ServiceCall& m) {
    const std::int32_t hl = m.cpu.pairHL(), de = m.cpu.pairDE();
    if (hl > kLastNumberAddress || de > kLastNumberAddress) {
        m.status = OutOfMemory;
        return;
    }
    for (std::int32_t i = 0; i < 4; ++i) {
        m.cpu.memory[static_cast<std::size_t>(de + i)] = m.cpu.memory[static_cast<std::size_t>(hl + i)];
    }
}

void numberArithmetic(ServiceCall& m) {
    const std::int32_t op = m.cpu.regA;
    if (op != '+' && op != '-' && op != '*' && op != '/') return;
    if (m.cpu.pairHL() > kLastNumberAddress || m.cpu.pairDE() > kLastNumberAddress) {
        m.status = OutOfMemory;
        return;
    }
    const double x = readNumber(m, m.cpu.regH, m.cpu.regL);
    if (m.status == InvalidNumber) return;
    const double y = readNumber(m, m.cpu.regD, m.cpu.regE);
    if (m.status == InvalidNumber) return;
    double result = 0.0;
    switch (op) {
        case '+': result = x + y; break;
        case '-': result = x - y; break;
        case '*': result = x * y; break;
        default:
            // A quotient by zero has no digits; it is refused here rather than stored
            // as cells that only a later read would find invalid.
            if (y == 0.0) {
                m.status = ResultOutOfRange;
                return;
            }
            result = x / y;
            break;
    }
    writeNumber(m, result);
}

bool conversionService(ServiceCall& m) {
    const std::int32_t de = m.cpu.pairDE(), hl = m.cpu.pairHL();
    if (de > kTextLimit || hl > kTextLimit) {
        m.status = OutOfMemory;
        return false;
    }
    auto at = [&m](std::int32_t address) -> std::int32_t& { return m.cpu.memory[static_cast<std::size_t>(address)]; };
    switch (m.cpu.regA) {
        case 0:
            if (hl > kLastNumberAddress) break;
            writeNumber(m, 256.0 * at(de + 1) + at(de));
            return true;
        case 1: {
            if (de > kLastNumberAddress) break;
            // An invalid source is still converted; its status stops the run after
            // this instruction.
            const double x = std::trunc(readNumber(m, m.cpu.regD, m.cpu.regE));
            const std::int32_t v = x <= 0.0 ? 0 : x >= 65535.0 ? 65535 : static_cast<std::int32_t>(x);
            at(hl) = v % 256;
            at(hl + 1) = v / 256;
            return true;
        }
        case 2:
            if (hl > kLastNumberAddress) break;
            writeNumber(m, TextTools::toNumber(readMemoryText(m.cpu, de)));
            return true;
        case 3: {
            if (de > kLastNumberAddress) break;
            storeMemoryText(m.cpu, hl, generalText(readNumber(m, m.cpu.regD, m.cpu.regE)));
            return true;
        }
        default: return true;
    }
    m.status = OutOfMemory;
    return false;
}

bool isTypedNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    std::size_t i = first;
    if (i < last && (text[i] == '-' || text[i] == '+')) ++i;
    bool digit = false, point = false;
    for (; i < last; ++i) {
        if (text[i] >= '0' && text[i] <= '9') digit = true;
        else if (text[i] == '.' && !point) point = true;
        else return false;
    }
    return digit;
}

namespace {
// The question the program printed before asking: what the student reads last.
std::string screenPrompt(const ServicesFields& s) {
    if (!s.textScreenShown) return {};
    for (auto line = s.textScreenLines.rbegin(); line != s.textScreenLines.rend(); ++line) {
        if (line->find_first_not_of(" \t") != std::string::npos) return *line;
    }
    return {};
}

std::string withoutBlanksAround(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}
}  // namespace

void inputService(ServiceCall& m, ServicesFields& s) {
    const std::int32_t hl = m.cpu.pairHL();
    // Nothing is asked for that could not be stored.
    if (hl > (m.cpu.regA == 0 ? kTextLimit : kLastNumberAddress)) {
        m.status = OutOfMemory;
        return;
    }
    ValueRequest request{screenPrompt(s), m.cpu.regA == 0 ? ValueKind::Text : ValueKind::Number, s.inputText};
    constexpr std::size_t kInputLength = 79;
    std::string answer;
    while (true) {
        if (!m.platform.inputReady(request)) {
            m.status = WaitingForInput;
            return;
        }
        std::optional<std::string> typed = m.platform.inputValue(request);
        if (!typed) return;
        answer = typed->substr(0, kInputLength);
        // Reading digits out of anything would store 402 for "4 2" without a word:
        // the student is told and asked again, with the text kept to correct it.
        if (request.kind == ValueKind::Text || withoutBlanksAround(answer).empty() || isTypedNumber(answer)) break;
        m.platform.showMessage(MessageKind::Warning, "Not a number: <" + withoutBlanksAround(answer) +
                                                             ">. Type digits, at most one point, and a minus "
                                                             "sign in front if needed.");
        request.initial = answer;
    }
    s.inputText = answer;
    if (s.inputText.empty()) return;
    if (m.cpu.regA == 0) storeMemoryText(m.cpu, hl, s.inputText);
    else if (isTypedNumber(s.inputText)) writeNumber(m, TextTools::toNumber(withoutBlanksAround(s.inputText)));
}

}  // namespace verdin
