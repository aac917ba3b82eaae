#include "debugger/state_time.h"

#include <gtest/gtest.h>

namespace verdin {
namespace {

TEST(StateTime, TheLineGivesBothCountsAndTheTimeInAShortUnit) {
    EXPECT_EQ(statesText(0, 0, 2000), "States: last 0, total 0 (0 µs at 2 MHz)");
    EXPECT_EQ(statesText(17, 1234, 2000), "States: last 17, total 1234 (617 µs at 2 MHz)");
    EXPECT_EQ(statesText(4, 10, 3000), "States: last 4, total 10 (3.33 µs at 3 MHz)");
    EXPECT_EQ(statesText(10, 2000, 2000), "States: last 10, total 2000 (1 ms at 2 MHz)");
    EXPECT_EQ(statesText(10, 123456789, 3072), "States: last 10, total 123456789 (40.188 s at 3.072 MHz)");
    EXPECT_EQ(statesText(1, 5, 500), "States: last 1, total 5 (10 µs at 500 kHz)");
}

TEST(StateTime, AClockIsTypedInMegahertz) {
    EXPECT_EQ(parseClockMHz("2"), 2000);
    EXPECT_EQ(parseClockMHz(" 3.072 MHz "), 3072);
    EXPECT_EQ(parseClockMHz("2,5"), 2500);
    EXPECT_EQ(parseClockMHz("0.001"), 1);
    EXPECT_EQ(parseClockMHz("100"), 100000);
    for (const char* bad : {"", "MHz", "0", "0.0001", "100.001", "1e3", "-2", "2.5.1", "99999999999"}) {
        EXPECT_EQ(parseClockMHz(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(parseClockMHz(megahertzText(500)), 500) << "what the box offers reads back";
    EXPECT_EQ(clockCaption(Timing::Intel8085), "Clock of the 8085 in MHz:");
}

}  // namespace
}  // namespace verdin
