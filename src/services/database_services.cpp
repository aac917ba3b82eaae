// RST 4: the .dbf table services, selected by the letter in A.
#include <algorithm>
#include <cmath>

#include "services/dbf_table.h"
#include "services/service_support.h"

namespace verdin {

namespace {
// The field-list block of "M": at most 255 cells, ended by two 0 cells in a row.
std::vector<std::uint8_t> fieldListBlock(const ProcessorState& cpu, std::int32_t address) {
    constexpr std::size_t kBlockLength = 255;
    std::vector<std::uint8_t> block;
    for (std::int32_t a = address; a < kTextLimit && block.size() < kBlockLength; ++a) {
        const auto c = static_cast<std::uint8_t>(cpu.memory[static_cast<std::size_t>(a)] & 0xFF);
        if (c == 0 && !block.empty() && block.back() == 0) {
            block.pop_back();
            break;
        }
        block.push_back(c);
    }
    return block;
}

// A record index taken from a packed number, kept where an int64 is exact.
std::int64_t recordIndex(double value) {
    constexpr double kLimit = 9.0e15;
    return static_cast<std::int64_t>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

bool outOfMemory(ServiceCall& m) {
    m.status = OutOfMemory;
    return false;
}
}  // namespace

bool databaseService(ServiceCall& m, ServicesFields& s) {
    DbfTable& table = s.database;
    const std::int32_t hl = m.cpu.pairHL(), de = m.cpu.pairDE(), bc = m.cpu.pairBC();
    const std::int32_t letter = m.cpu.regA;
    const bool needsTable = letter == 'F' || letter == 'R' || letter == 'A' || letter == 'I' || letter == 'D' ||
                            letter == 'B' || letter == 'P';
    if (needsTable && !table.isOpen()) {
        showServiceError(m, DatabaseNotOpened);
        return true;
    }
    switch (letter) {
        case 'M': {
            if (hl > kTextLimit) return outOfMemory(m);
            const int result = table.create(fieldListBlock(m.cpu, hl), s.sourceFolder);
            if (result == DbfTable::kWriteFailed) showServiceError(m, WriteFailed);
            if (result == DbfTable::kStructureError) showServiceError(m, DatabaseStructure);
            break;
        }
        case 'O':
            table.close();
            if (hl > kTextLimit) return outOfMemory(m);
            if (!table.open(resolveHostPath(s.sourceFolder, readMemoryText(m.cpu, hl)))) {
                showServiceError(m, NotADbfFile);
            }
            break;
        case 'C': table.close(); break;
        case 'F':
        case 'R': {
            if (de > kTextLimit || hl > kTextLimit) return outOfMemory(m);
            const std::string name = readMemoryText(m.cpu, de);
            if (letter == 'F') {
                const std::string value = table.getField(name);
                if (table.fieldFound) storeMemoryText(m.cpu, hl, value);
            } else {
                table.putField(name, readMemoryText(m.cpu, hl));
            }
            if (!table.fieldFound) showServiceError(m, FieldNotFound);
            break;
        }
        case 'A': table.append(); break;
        case 'I': table.insert(); break;
        case 'D': table.toggleDeleted(); break;
        case 'G':
            if (hl > kTextLimit) return outOfMemory(m);
            table.go(hl);
            break;
        case 'S':
            if (hl > kTextLimit) return outOfMemory(m);
            table.skip(hl);
            break;
        case 'B': screenListRecords(m, s); break;
        case 'P': {
            if (bc > kTextLimit || de > kTextLimit || hl > kTextLimit) return outOfMemory(m);
            if (de > kLastNumberAddress || hl > kLastNumberAddress) return outOfMemory(m);
            // An invalid bound stops the run after this instruction; nothing is copied.
            const double first = readNumber(m, m.cpu.regH, m.cpu.regL);
            if (m.status == InvalidNumber) break;
            const double last = readNumber(m, m.cpu.regD, m.cpu.regE);
            if (m.status == InvalidNumber) break;
            const std::string path = resolveHostPath(s.sourceFolder, readMemoryText(m.cpu, bc));
            const int result = table.exportRange(recordIndex(first), recordIndex(last), path);
            if (result == DbfTable::kWriteFailed) showServiceError(m, WriteFailed);
            if (result == DbfTable::kReadFailed) showServiceError(m, ReadFailed);
            break;
        }
        default: break;
    }
    return true;
}

}  // namespace verdin
