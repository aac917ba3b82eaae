// What no program can hand the number writer: values without digits and an address
// where four cells do not fit. Numbers from programs are golden cases in
// tests/golden/cases/packed_numbers.cases.
#include <cmath>

#include "service_test_support.h"

namespace verdin::test {
namespace {

using PackedNumber = ServiceTest;

TEST_F(PackedNumber, WriterRefusesWhatItCannotStoreAndLeavesTheCells) {
    const std::vector<std::int32_t> before = {0x01, 0x25, 0x00, 0x01};
    setHL(1000);
    for (double value : {1.0e100, -1.0e-80, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        putCells(1000, before);
        m.status = Ok;
        m.writeNumber(value);
        EXPECT_EQ(m.status, ResultOutOfRange) << value;
        EXPECT_EQ(cells(1000, 4), before) << value;
    }
    setHL(16381);  // every service checks this before it calls the writer
    m.status = Ok;
    m.writeNumber(1.0);
    EXPECT_EQ(m.status, OutOfMemory);
    EXPECT_EQ(cells(16381, 3), (std::vector<std::int32_t>{0, 0, 0}));
}

}  // namespace
}  // namespace verdin::test
