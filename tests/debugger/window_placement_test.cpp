#include "debugger/window_placement.h"

#include <gtest/gtest.h>

namespace verdin {
namespace {

const ScreenRect kScreen{0, 0, 1920, 1080};

// Right of the window when it fits, else below it; never off the screen.
TEST(WindowPlacement, RightThenBelow) {
    const ScreenRect owner{100, 50, 900, 600};
    const ScreenRect right = placeBeside(owner, {}, 500, 300, kScreen, 8);
    EXPECT_EQ(right.x, 1008);
    EXPECT_EQ(right.y, 50);

    const ScreenRect below = placeBeside({600, 200, 1200, 600}, {}, 500, 250, kScreen, 8);
    EXPECT_EQ(below.y, 808);
    EXPECT_EQ(below.x, 600);

    // Near the right edge: below, pulled left onto the screen.
    EXPECT_EQ(placeBeside({1500, 0, 400, 500}, {}, 600, 300, kScreen, 8).x, 1320);
}

// A screen the debug window fills: the text screen hides as little of the program and
// the registers as it can, and stays whole on the screen.
TEST(WindowPlacement, NoRoomCoversLeastOfWhatMustStayReadable) {
    const ScreenRect small{0, 0, 1024, 768};
    const ScreenRect owner{0, 0, 1000, 700};
    const ScreenRect program{10, 30, 500, 400};
    const ScreenRect registers{520, 30, 150, 200};
    const ScreenRect placed = placeBeside(owner, {program, registers}, 480, 300, small, 8);
    EXPECT_TRUE(small.contains(placed));
    EXPECT_EQ(placed.overlap(program), 0);
    EXPECT_EQ(placed.overlap(registers), 0);

    // Larger than the screen: shrunk to it.
    EXPECT_TRUE(small.contains(placeBeside(owner, {program}, 3000, 2000, small, 8)));

    // A screen that does not start at 0 (a panel on the left, a second monitor).
    const ScreenRect offset{1920, 40, 1280, 984};
    const ScreenRect there = placeBeside({1920, 40, 1200, 900}, {{1930, 70, 600, 500}}, 400, 300, offset, 8);
    EXPECT_TRUE(offset.contains(there));
    EXPECT_EQ(there.overlap({1930, 70, 600, 500}), 0);
}

}  // namespace
}  // namespace verdin
