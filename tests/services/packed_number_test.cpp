#include <cmath>

#include "service_test_support.h"

namespace verdin::test {
namespace {

using PackedNumber = ServiceTest;
constexpr std::int32_t kAt = 1000;

// Exponents that no text converts; the other documented examples are golden
// programs (TextsBecomePackedNumbersOfFourDecimals).
TEST_F(PackedNumber, EncodesTheLargestAndSmallestExponents) {
    putNumber(kAt, 9.9999e79);
    EXPECT_EQ(cells(kAt, 4), (std::vector<std::int32_t>{0x09, 0x99, 0x99, 0x79}));
    putNumber(kAt, 1.0e-79);
    EXPECT_EQ(cells(kAt, 4), (std::vector<std::int32_t>{0x01, 0x00, 0x00, 0xF9}));
}

TEST_F(PackedNumber, RoundTripsFiveDigitValuesAcrossTheRange) {
    for (double value : {3.1416, -27182.0, 1.0e-79, 6.0221e23, -9.9999e79, 0.0001, 65535.0, -1.0}) {
        putNumber(kAt, value);
        const std::vector<std::int32_t> stored = cells(kAt, 4);
        const double back = number(kAt);
        EXPECT_EQ(m.status, Ok);
        EXPECT_NEAR(back, value, std::fabs(value) * 1e-12) << value;
        putNumber(kAt + 8, back);
        EXPECT_EQ(cells(kAt + 8, 4), stored) << value;
    }
}

TEST_F(PackedNumber, RefusesResultsOutsideTheRangeAndLeavesTheCells) {
    const std::vector<std::int32_t> before = {0x01, 0x25, 0x00, 0x01};
    setHL(kAt);
    for (double value : {1.0e80, -1.0e80, 1.0e-80, 1.0e100, 9.9999999e79, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        putCells(kAt, before);
        m.status = Ok;
        m.writeNumber(value);
        EXPECT_EQ(m.status, ResultOutOfRange) << value;
        EXPECT_EQ(cells(kAt, 4), before) << value;
    }
}

TEST_F(PackedNumber, ReadsTheExponentCellAsBcdOrPlainBinary) {
    putCells(kAt, {0x01, 0x00, 0x00, 0x79});
    EXPECT_DOUBLE_EQ(number(kAt) / 1e79, 1.0);
    EXPECT_EQ(m.status, Ok);
    putCells(kAt, {0x01, 0x00, 0x00, 0x0A});  // low nibble not a digit: binary 10
    EXPECT_NEAR(number(kAt), 1e10, 1e-2);
    EXPECT_EQ(m.status, Ok);
    putCells(kAt, {0x01, 0x00, 0x00, 0x7F});  // binary 127
    number(kAt);
    EXPECT_EQ(m.status, InvalidNumber);
    putCells(kAt, {0x01, 0x00, 0x00, 0x80 + 0x79});
    EXPECT_NEAR(number(kAt) * 1e79, 1.0, 1e-9);
}

TEST_F(PackedNumber, FlagsCellsThatAreNoNumberButStillReturnTheirValue) {
    putCells(kAt, {0x01, 0x2A, 0x00, 0x00});  // nibble A in the mantissa
    number(kAt);
    EXPECT_EQ(m.status, InvalidNumber);
    putCells(kAt, {0x01, 0x00, 0xF0, 0x00});
    number(kAt);
    EXPECT_EQ(m.status, InvalidNumber);
    putCells(kAt, {0x0A, 0x00, 0x00, 0x00});  // first digit 10
    EXPECT_DOUBLE_EQ(number(kAt), 10.0);
    EXPECT_EQ(m.status, InvalidNumber);
    putCells(kAt, {0x80 + 0x60 + 0x01, 0x25, 0x00, 0x01});  // bits 6 and 5 ignored
    EXPECT_DOUBLE_EQ(number(kAt), -12.5);
    EXPECT_EQ(m.status, Ok);
}

TEST_F(PackedNumber, WriterRefusesAnAddressWhereFourCellsDoNotFit) {
    setHL(16381);
    m.writeNumber(1.0);
    EXPECT_EQ(m.status, OutOfMemory);
    EXPECT_EQ(cells(16381, 3), (std::vector<std::int32_t>{0, 0, 0}));
}

}  // namespace
}  // namespace verdin::test
