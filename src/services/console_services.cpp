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

void Machine::portsToMemory() {
    const std::int32_t hl = pairHL();
    if (hl > kLastNumberAddress) {
        status = OutOfMemory;
        return;
    }
    for (std::int32_t i = 0; i < kPortBlock; ++i) memory[static_cast<std::size_t>(hl + i)] = inPorts[static_cast<std::size_t>(i)];
}

void Machine::memoryToPorts() {
    const std::int32_t hl = pairHL();
    if (hl > kLastNumberAddress) {
        status = OutOfMemory;
        return;
    }
    if (regA > kHighestFirstPort) {
        status = InvalidPort;
        return;
    }
    for (std::int32_t i = 0; i < kPortBlock; ++i) {
        outPorts[static_cast<std::size_t>(regA + i)] = memory[static_cast<std::size_t>(hl + i)];
    }
}

void portService(Machine& m) {
    if (m.regA == 0) m.portsToMemory();
    else m.memoryToPorts();
}

void Machine::copyNumber() {
    const std::int32_t hl = pairHL(), de = pairDE();
    if (hl > kLastNumberAddress || de > kLastNumberAddress) {
        status = OutOfMemory;
        return;
    }
    for (std::int32_t i = 0; i < 4; ++i) memory[static_cast<std::size_t>(de + i)] = memory[static_cast<std::size_t>(hl + i)];
}

void numberArithmetic(Machine& m) {
    const std::int32_t op = m.regA;
    if (op != '+' && op != '-' && op != '*' && op != '/') return;
    if (m.pairHL() > kLastNumberAddress || m.pairDE() > kLastNumberAddress) {
        m.status = OutOfMemory;
        return;
    }
    const double x = m.readNumber(m.regH, m.regL);
    if (m.status == InvalidNumber) return;
    const double y = m.readNumber(m.regD, m.regE);
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
    m.writeNumber(result);
}

bool conversionService(Machine& m) {
    const std::int32_t de = m.pairDE(), hl = m.pairHL();
    if (de > kTextLimit || hl > kTextLimit) {
        m.status = OutOfMemory;
        return false;
    }
    auto at = [&m](std::int32_t address) -> std::int32_t& { return m.memory[static_cast<std::size_t>(address)]; };
    switch (m.regA) {
        case 0:
            if (hl > kLastNumberAddress) break;
            m.writeNumber(256.0 * at(de + 1) + at(de));
            return true;
        case 1: {
            if (de > kLastNumberAddress) break;
            // An invalid source is still converted; its status stops the run after
            // this instruction.
            const double x = std::trunc(m.readNumber(m.regD, m.regE));
            const std::int32_t v = x <= 0.0 ? 0 : x >= 65535.0 ? 65535 : static_cast<std::int32_t>(x);
            at(hl) = v % 256;
            at(hl + 1) = v / 256;
            return true;
        }
        case 2:
            if (hl > kLastNumberAddress) break;
            m.writeNumber(TextTools::toNumber(readMemoryText(m, de)));
            return true;
        case 3: {
            if (de > kLastNumberAddress) break;
            storeMemoryText(m, hl, generalText(m.readNumber(m.regD, m.regE)));
            return true;
        }
        default: return true;
    }
    m.status = OutOfMemory;
    return false;
}

void inputService(Machine& m) {
    const std::int32_t hl = m.pairHL();
    // Nothing is asked for that could not be stored.
    if (hl > (m.regA == 0 ? kTextLimit : kLastNumberAddress)) {
        m.status = OutOfMemory;
        return;
    }
    std::optional<std::string> answer = m.ownerWindow->inputValue(m.inputText);
    if (!answer) return;
    constexpr std::size_t kInputLength = 79;
    m.inputText = answer->substr(0, kInputLength);
    if (m.inputText.empty()) return;
    if (m.regA == 0) storeMemoryText(m, hl, m.inputText);
    else m.writeNumber(TextTools::toNumber(m.inputText));
}

}  // namespace verdin
