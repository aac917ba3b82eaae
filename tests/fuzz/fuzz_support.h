// What every fuzz target shares: a scratch folder of its own, a guard that keeps a
// fuzzed program's host-file services inside it, a machine, and a reader of input bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "machine/machine.h"
#include "platform/platform.h"
#include "services/services.h"

namespace verdin::fuzz {

// A fresh folder under the system's temporary folder, made on first use. Its path is
// absolute and free of symbolic links.
const std::string& scratchFolder();
// Removes everything inside the scratch folder, so that every input starts alike and
// nothing a fuzzed program writes accumulates.
void clearScratch();
// Writes `bytes` to `name` inside the scratch folder; returns the full path.
std::string writeScratchFile(const std::string& name, std::string_view bytes);

// While a FileGuard lives, fopen, fopen64 and remove refuse (as a missing file would)
// every path outside the scratch folder: a fuzzed program builds its file names at
// run time, so no filter on the source text can keep it from "/etc/passwd" or "../x".
struct FileGuard {
    FileGuard();
    ~FileGuard();
};

// A machine whose host files and tables live in the scratch folder, emptied when the
// machine is gone (and its files closed).
struct Workbench {
    struct Clearing {
        ~Clearing() { clearScratch(); }
    } clearing;
    HeadlessPlatform platform;
    Machine machine{platform};
    Workbench() { machine.services().setSourceFolder(scratchFolder()); }
};

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Reads fuzz input as a sequence of small numbers.
struct ByteReader {
    const std::uint8_t* data;
    std::size_t size, pos = 0;
    bool empty() const { return pos >= size; }
    std::uint8_t byte() { return pos < size ? data[pos++] : 0; }
    std::uint16_t word() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }
    // Up to `max` bytes as text, its length taken from the input.
    std::string text(std::size_t max) {
        std::string s;
        for (std::size_t n = byte() % (max + 1); n > 0 && !empty(); --n) s.push_back(static_cast<char>(byte()));
        return s;
    }
};

}  // namespace verdin::fuzz
