#pragma once
// Where the note window may stand: a position or size stored on a monitor that is gone (a laptop
// undocked, a lower resolution), or damaged, would bring it up where the user cannot reach it.
// Pixels of the window system, frame included.
#include <vector>

namespace vantoly {

struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The frame as it may stand on the given work areas: left where it is while at least half its
// title bar (titleHeight tall) lies on one of them and it is no larger than that one; otherwise
// no larger than that area, or the nearest one (but never below the least size), and moved to
// the nearest place where it lies whole on it.
ScreenRect KeepOnAScreen(ScreenRect frame, int titleHeight, const std::vector<ScreenRect>& areas,
                         int leastWidth, int leastHeight);

} // namespace vantoly
