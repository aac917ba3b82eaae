// Every word converted through a number and back, which the golden programs
// (tests/golden/cases/services.cases) sample at a few values only.
#include "service_test_support.h"
#include "services/service_support.h"

namespace verdin::test {
namespace {

using Conversions = ServiceTest;

TEST_F(Conversions, EveryWordSurvivesTheRoundTripThroughANumber) {
    for (std::int32_t word = 0; word <= 65535; ++word) {
        putCells(800, {word % 256, word / 256});
        setDE(800), setHL(900), setA(0);
        rst(5);
        setDE(900), setHL(1000), setA(1);
        rst(5);
        ASSERT_EQ(cells(1000, 2), cells(800, 2)) << word;
    }
}

// The value input's number: what a person types for a number, and the near misses
// that used to be read digit by digit (12abc as 12000, 4 2 as 402).
TEST(ValueInputNumbers, TakeSignDigitsAndOnePointOnly) {
    for (const char* typed : {"42", "-7.25", "+.5", "5.", "  12 ", "\t0\t", "007", "-0"}) {
        EXPECT_TRUE(isTypedNumber(typed)) << typed;
    }
    for (const char* typed : {"12abc", "1e3", "4 2", "1,5", "abc", "", "  ", "-", "+.", ".", "1.2.3", "--1",
                              "- 1", "1-", "0x10", "12H"}) {
        EXPECT_FALSE(isTypedNumber(typed)) << typed;
    }
}

}  // namespace
}  // namespace verdin::test
