// The "Text screen" of the services as a model: its lines, the last of which the
// next output continues. Front ends draw it from Platform::textScreenChanged, or
// stream it from Platform::textScreenOutput.
#include <algorithm>

#include "services/dbf_table.h"
#include "services/service_support.h"

namespace verdin {

namespace {
constexpr char kNewLine = 13;
constexpr char kClearScreen = 1;

// The line that output continues, taken off the screen; empty on a new screen.
std::string takeLastLine(ServicesFields& s) {
    if (!ensureTextScreen(s) || s.textScreenLines.empty()) return {};
    std::string last = std::move(s.textScreenLines.back());
    s.textScreenLines.pop_back();
    return last;
}
}  // namespace

bool ensureTextScreen(ServicesFields& s) {
    if (s.textScreenShown) return true;
    s.textScreenShown = 1;
    s.textScreenLines.clear();
    return false;
}

void textScreenUpdated(ServiceCall& m, const ServicesFields& s, const std::string& appended) {
    m.platform.textScreenChanged(s.textScreenLines, true);
    if (!appended.empty()) m.platform.textScreenOutput(appended);
}

void screenWrite(ServiceCall& m, ServicesFields& s) {
    const std::int32_t hl = m.cpu.pairHL();
    if (hl > kMemorySize) {
        m.status = OutOfMemory;
        return;
    }
    std::string appended;
    if (m.cpu.regA == 0) {
        std::string buffer = takeLastLine(s);
        for (std::int32_t a = hl; a < kMemorySize && buffer.size() < kTextLength; ++a) {
            const std::int32_t c = m.cpu.memory[static_cast<std::size_t>(a)];
            if (c == 0) break;
            buffer += static_cast<char>(c);
            appended += static_cast<char>(c);
        }
        std::size_t start = 0;
        for (std::size_t i = 0; i < buffer.size(); ++i) {
            if (buffer[i] == kNewLine) {
                s.textScreenLines.push_back(buffer.substr(start, i - start));
                start = i + 1;
            } else if (buffer[i] == kClearScreen) {
                s.textScreenLines.clear();
                start = i + 1;
            }
        }
        s.textScreenLines.push_back(buffer.substr(start));
    } else {
        if (hl > kLastNumberAddress) {
            m.status = OutOfMemory;
            return;
        }
        // The number is read before the screen is touched, so that an invalid one
        // leaves the screen exactly as it was, closed or open.
        const double x = readNumber(m, m.cpu.regH, m.cpu.regL);
        if (m.status == InvalidNumber) return;
        std::string buffer = takeLastLine(s);
        appended = m.cpu.regA == 1 ? exponentText(x) : integerText(x);
        appended.resize(std::min(appended.size(), kTextLength - std::min(kTextLength, buffer.size())));
        buffer += appended;
        s.textScreenLines.push_back(std::move(buffer));
    }
    textScreenUpdated(m, s, appended);
}

void screenListRecords(ServiceCall& m, ServicesFields& s) {
    DbfTable& table = s.database;
    const bool hadLines = ensureTextScreen(s) && !s.textScreenLines.empty();
    const std::int64_t records = table.recordsHeld();
    std::int64_t count = m.cpu.pairBC();
    if (count == 0 || table.currentRecord + count > records) count = records - table.currentRecord;
    // The stream shows what the screen shows: the records start on a line of their
    // own and the empty line after them is where the next output goes.
    std::string appended = hadLines ? std::string(1, kNewLine) : std::string();
    for (std::int64_t i = 0; i < count; ++i) {
        std::string line = table.recordText(table.currentRecord + i);
        if (line.size() > kTextLength) line.resize(kTextLength);
        appended += line;
        appended += kNewLine;
        s.textScreenLines.push_back(std::move(line));
    }
    s.textScreenLines.emplace_back();
    textScreenUpdated(m, s, appended);
}

}  // namespace verdin
