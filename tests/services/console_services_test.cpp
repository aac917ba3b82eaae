// Every word converted through a number and back, which the golden programs
// (tests/golden/cases/services.cases) sample at a few values only.
#include "service_test_support.h"

namespace verdin::test {
namespace {

using Conversions = ServiceTest;

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
