// Packed decimal numbers: any four cells read, any double written, anywhere in memory.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace verdin;
    fuzz::ByteReader in{data, size};
    HeadlessPlatform platform;
    Machine machine(platform);

    // Four cells at an address chosen by the input, the edges of memory included.
    const std::int32_t address = in.word() % (kMemorySize + 8) - 4;
    for (std::int32_t a = address; a < address + 4; ++a) {
        const std::uint8_t b = in.byte();
        if (a >= 0 && a < kMemorySize) machine.memory[a] = b;
    }
    const std::int32_t high = address < 0 ? -1 : address / 256, low = address < 0 ? address + 256 : address % 256;
    const double value = machine.readNumber(high, low);
    const bool valid = machine.status == Ok;

    // What was read is written back at HL; a valid number must read back as itself.
    const std::uint16_t hl = in.word();
    machine.regH = (hl >> 8) & 0x7F;
    machine.regL = hl & 0xFF;
    machine.status = Ok;
    machine.writeNumber(value);
    if (valid && machine.status == Ok) {
        const double again = machine.readNumber(machine.regH, machine.regL);
        if (machine.status != Ok || again != value) std::abort();
    }

    // Any double at all: stored, it reads back valid and within the five digits kept.
    double any = 0;
    if (size >= 8) std::memcpy(&any, data + size - 8, sizeof any);
    machine.status = Ok;
    machine.writeNumber(any);
    if (machine.status == Ok) {
        const double back = machine.readNumber(machine.regH, machine.regL);
        if (machine.status != Ok) std::abort();
        if (std::fabs(back - any) > std::fabs(any) * 2e-4) std::abort();
    }
    return 0;
}
