#include "debugger/window_placement.h"

#include <algorithm>
#include <limits>

namespace verdin {

long long ScreenRect::overlap(const ScreenRect& r) const {
    const long long w = std::min(right(), r.right()) - std::max(x, r.x);
    const long long h = std::min(bottom(), r.bottom()) - std::max(y, r.y);
    return w > 0 && h > 0 ? w * h : 0;
}

ScreenRect placeBeside(const ScreenRect& owner, const std::vector<ScreenRect>& keepVisible, int width, int height,
                       const ScreenRect& available, int gap) {
    ScreenRect placed{0, 0, std::clamp(width, 0, available.width), std::clamp(height, 0, available.height)};
    auto clampX = [&](int x) { return std::clamp(x, available.x, available.right() - placed.width); };
    auto clampY = [&](int y) { return std::clamp(y, available.y, available.bottom() - placed.height); };

    if (owner.right() + gap + placed.width <= available.right()) {
        placed.x = std::max(owner.right() + gap, available.x);
        placed.y = clampY(owner.y);
        return placed;
    }
    if (owner.bottom() + gap + placed.height <= available.bottom()) {
        placed.x = clampX(owner.x);
        placed.y = std::max(owner.bottom() + gap, available.y);
        return placed;
    }
    // No room beside it: the corners of the screen and the places lined up with the
    // owner's edges are tried, and the one hiding least of what must stay readable wins.
    const int xs[] = {available.x, available.right() - placed.width, owner.x, owner.right() - placed.width,
                      owner.right() + gap};
    const int ys[] = {available.y, available.bottom() - placed.height, owner.y, owner.bottom() - placed.height,
                      owner.bottom() + gap};
    long long best = std::numeric_limits<long long>::max();
    long long bestOwner = best;
    ScreenRect chosen = placed;
    for (int y : ys) {
        for (int x : xs) {
            const ScreenRect candidate{clampX(x), clampY(y), placed.width, placed.height};
            long long covered = 0;
            for (const ScreenRect& r : keepVisible) covered += candidate.overlap(r);
            const long long ownerCovered = candidate.overlap(owner);
            if (covered < best || (covered == best && ownerCovered < bestOwner)) {
                best = covered;
                bestOwner = ownerCovered;
                chosen = candidate;
            }
        }
    }
    return chosen;
}

}  // namespace verdin
