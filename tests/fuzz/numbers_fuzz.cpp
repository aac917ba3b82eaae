// Packed decimal numbers: any four cells read, any double written, anywhere in memory.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"
#include "services/service_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace verdin;
    fuzz::ByteReader in{data, size};
    ProcessorState cpu;

    // Four cells at an address chosen by the input, the edges of memory included.
    const std::int32_t address = in.word() % (kMemorySize + 8) - 4;
    for (std::int32_t a = address; a < address + 4; ++a) {
        const std::uint8_t b = in.byte();
        if (a >= 0 && a < kMemorySize) cpu.memory[a] = b;
    }
    const PackedNumber read = readPackedNumber(cpu, address);

    // What was read is written back at HL; a valid number must read back as itself.
    const std::int32_t hl = in.word() & 0x7FFF;
    if (writePackedNumber(cpu, hl, read.value) == Ok && read.valid) {
        const PackedNumber again = readPackedNumber(cpu, hl);
        if (!again.valid || again.value != read.value) std::abort();
    }

    // Any double at all: stored, it reads back valid and within the five digits kept.
    double any = 0;
    if (size >= 8) std::memcpy(&any, data + size - 8, sizeof any);
    if (writePackedNumber(cpu, hl, any) == Ok) {
        const PackedNumber back = readPackedNumber(cpu, hl);
        if (!back.valid) std::abort();
        if (std::fabs(back.value - any) > std::fabs(any) * 2e-4) std::abort();
    }
    return 0;
}
