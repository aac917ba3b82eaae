// Where the text screen opens: beside the debug window, so that a program's output is
// in view while the student steps, and never off the screen.
//
// Usage:
//   ScreenRect at = placeBeside(debugFrame, {programList, registers}, {w, h}, available);
#pragma once

#include <vector>

namespace verdin {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }    // one past the last column
    int bottom() const { return y + height; }  // one past the last row
    bool contains(const ScreenRect& r) const {
        return r.x >= x && r.y >= y && r.right() <= right() && r.bottom() <= bottom();
    }
    // The area two rectangles share; 0 when they do not meet.
    long long overlap(const ScreenRect& r) const;
};

// The frame of a window of `width` x `height` (shrunk to `available` when larger):
// right of `owner` when it fits there, else below it, else wherever inside `available`
// it covers the least of `keepVisible` (then of `owner`). Always wholly inside
// `available`. `gap` separates it from the owner.
ScreenRect placeBeside(const ScreenRect& owner, const std::vector<ScreenRect>& keepVisible, int width, int height,
                       const ScreenRect& available, int gap = 8);

}  // namespace verdin
