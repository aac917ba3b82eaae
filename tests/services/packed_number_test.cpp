// What no program can hand the number writer: values without digits and an address
// where four cells do not fit. Numbers from programs are golden cases in
// tests/golden/cases/packed_numbers.cases.
#include <cmath>

#include <algorithm>
#include <array>

#include "service_test_support.h"
#include "services/service_support.h"

namespace verdin::test {
namespace {

TEST(PackedNumberWriter, RefusesWhatItCannotStoreAndLeavesTheCells) {
    ProcessorState cpu;
    const std::array<std::int32_t, 4> before = {0x01, 0x25, 0x00, 0x01};
    auto cellsAt = [&cpu](std::size_t address, std::size_t count) {
        return std::vector<std::int32_t>(cpu.memory.begin() + static_cast<std::ptrdiff_t>(address),
                                         cpu.memory.begin() + static_cast<std::ptrdiff_t>(address + count));
    };
    for (double value : {1.0e100, -1.0e-80, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        std::copy(before.begin(), before.end(), cpu.memory.begin() + 1000);
        EXPECT_EQ(writePackedNumber(cpu, 1000, value), ResultOutOfRange) << value;
        EXPECT_EQ(cellsAt(1000, 4), std::vector<std::int32_t>(before.begin(), before.end())) << value;
    }
    // every service checks this before it calls the writer
    EXPECT_EQ(writePackedNumber(cpu, 16381, 1.0), OutOfMemory);
    EXPECT_EQ(cellsAt(16381, 3), (std::vector<std::int32_t>{0, 0, 0}));
}

}  // namespace
}  // namespace verdin::test
