// What the golden programs (tests/golden/cases/services.cases) cannot express: a
// service called with registers no program sets that way, and every word converted.
#include "service_test_support.h"

namespace verdin::test {
namespace {

using RstDispatch = ServiceTest;
using Conversions = ServiceTest;

TEST_F(RstDispatch, OwnAddressChecksOfRst4To6KeepTheCounterOnTheLine) {
    setDE(16383);
    m.regA = 0;
    EXPECT_EQ(rst(5), 0);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    setHL(16383);
    m.regA = 'O';
    EXPECT_EQ(rst(6), 0);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    EXPECT_EQ(rst(4), 0);
    EXPECT_EQ(m.status, OutOfMemory);
}

TEST_F(RstDispatch, OtherFaultsStillAdvanceTheCounter) {
    setHL(16381);
    m.regA = 0;
    EXPECT_EQ(rst(0), 1);  // address check inside RST 0
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    setHL(100), m.regA = 13;
    EXPECT_EQ(rst(0), 1);
    EXPECT_EQ(m.status, InvalidPort);
    m.status = Ok;
    putCells(200, {0x01, 0x00, 0xAA, 0x00});
    setHL(200), setDE(200), m.regA = '+';
    EXPECT_EQ(rst(2), 1);
    EXPECT_EQ(m.status, InvalidNumber);
    m.status = Ok;
    setHL(16385), m.regB = 0, m.regA = 0;
    EXPECT_EQ(rst(7), 1);
    EXPECT_EQ(m.status, OutOfMemory);
}

TEST_F(Conversions, EveryWordSurvivesTheRoundTripThroughANumber) {
    for (std::int32_t word = 0; word <= 65535; ++word) {
        putCells(800, {word % 256, word / 256});
        setDE(800), setHL(900), m.regA = 0;
        rst(5);
        setDE(900), setHL(1000), m.regA = 1;
        rst(5);
        ASSERT_EQ(cells(1000, 2), cells(800, 2)) << word;
    }
}

}  // namespace
}  // namespace verdin::test
