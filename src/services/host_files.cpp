// RST 6: one host file of bytes at a time, selected by the letter in A.
#include <algorithm>
#include <cmath>

#include "services/service_support.h"

namespace verdin {

namespace {
// At most this many bytes move per read or write call.
constexpr std::int32_t kBlockLimit = 256;
// A block never reaches the last memory cell.
constexpr std::int32_t kBlockEnd = 16383;

std::int32_t blockCount(const ServiceCall& m) {
    const std::int32_t hl = m.cpu.pairHL();
    std::int32_t count = m.cpu.pairDE();
    if (hl + count > kBlockEnd) count = kBlockEnd - hl;
    return std::min(count, kBlockLimit);
}

void setCountInDE(ProcessorState& cpu, std::size_t count) {
    cpu.regE = static_cast<std::int32_t>(count % 256);
    cpu.regD = static_cast<std::int32_t>(count / 256);
}

// C streams opened for update need a positioning call between reading and writing;
// programs freely mix the two, so every transfer starts with one.
void keepPosition(std::FILE* f) { std::fseek(f, 0, SEEK_CUR); }
}  // namespace

bool fileService(ServiceCall& m, ServicesFields& s) {
    const std::int32_t hl = m.cpu.pairHL();
    const std::int32_t letter = m.cpu.regA;
    if (letter == 'C') {
        if (s.userFile != nullptr) std::fclose(s.userFile);
        s.userFile = nullptr;
        return true;
    }
    if (letter == 'D') {
        if (s.userFile != nullptr) std::fclose(s.userFile);
        s.userFile = nullptr;
        if (hl > kTextLimit) {
            m.status = OutOfMemory;
            return false;
        }
        const std::string path = resolveHostPath(s.sourceFolder, readMemoryText(m.cpu, hl));
        std::FILE* f = std::fopen(path.c_str(), "r+b");
        if (f == nullptr) {
            showServiceError(m, FileNotFound);
            return true;
        }
        std::fclose(f);
        std::remove(path.c_str());
        return true;
    }
    if (letter == 'O') {
        if (s.userFile != nullptr) {
            showServiceError(m, FileAlreadyOpened);
            return true;
        }
        if (hl > kTextLimit) {
            m.status = OutOfMemory;
            return false;
        }
        s.userFile = std::fopen(resolveHostPath(s.sourceFolder, readMemoryText(m.cpu, hl)).c_str(), "r+b");
        if (s.userFile == nullptr) showServiceError(m, FileNotFound);
        return true;
    }
    if (letter != 'R' && letter != 'W' && letter != 'S' && letter != 'F') return true;
    if (s.userFile == nullptr) {
        showServiceError(m, FileNotOpened);
        return true;
    }
    // Seek and size take or give a number at HL, which needs four cells.
    const bool number = letter == 'S' || letter == 'F';
    if (hl > (number ? kLastNumberAddress : kTextLimit)) {
        m.status = OutOfMemory;
        return false;
    }
    switch (letter) {
        case 'R': {
            std::uint8_t bytes[kBlockLimit];
            const std::int32_t count = blockCount(m);
            keepPosition(s.userFile);
            const std::size_t got = count > 0 ? std::fread(bytes, 1, static_cast<std::size_t>(count), s.userFile) : 0;
            for (std::size_t i = 0; i < got; ++i) m.cpu.memory[static_cast<std::size_t>(hl) + i] = bytes[i];
            setCountInDE(m.cpu, got);
            break;
        }
        case 'W': {
            std::uint8_t bytes[kBlockLimit];
            const std::int32_t count = std::max(blockCount(m), 0);
            for (std::int32_t i = 0; i < count; ++i) {
                bytes[i] = static_cast<std::uint8_t>(m.cpu.memory[static_cast<std::size_t>(hl + i)] & 0xFF);
            }
            keepPosition(s.userFile);
            std::size_t put = std::fwrite(bytes, 1, static_cast<std::size_t>(count), s.userFile);
            // Bytes still in the stream's buffer are not written yet: a full disk shows
            // only here, and the program must not be told they reached the file.
            if (std::fflush(s.userFile) != 0) {
                put = 0;
                std::clearerr(s.userFile);
            }
            setCountInDE(m.cpu, put);
            break;
        }
        case 'S': {
            const double position = std::trunc(readNumber(m, m.cpu.regH, m.cpu.regL));
            if (m.status == InvalidNumber) break;
            // A position no stream can reach is a failed seek, which is not reported.
            if (position >= 0.0 && position <= 2147483647.0) {
                std::fseek(s.userFile, static_cast<long>(position), SEEK_SET);
            }
            break;
        }
        default: {  // 'F'
            std::fseek(s.userFile, 0, SEEK_END);
            writeNumber(m, static_cast<double>(std::ftell(s.userFile)));
            break;
        }
    }
    return true;
}

}  // namespace verdin
