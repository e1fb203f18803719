#include "window/Screens.h"

#include <algorithm>
#include <cstdint>

namespace vantoly {
namespace {

int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
    const int64_t width = std::min<int64_t>(int64_t(a.left) + a.width, int64_t(b.left) + b.width) -
                          std::max(a.left, b.left);
    const int64_t height = std::min<int64_t>(int64_t(a.top) + a.height, int64_t(b.top) + b.height) -
                           std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

ScreenRect KeepOnAScreen(ScreenRect frame, int titleHeight, const std::vector<ScreenRect>& areas,
                         int leastWidth, int leastHeight) {
    // The screen that holds at least half the title bar, or the nearest one.
    const ScreenRect titleBar{frame.left, frame.top, frame.width, titleHeight};
    const ScreenRect* home = nullptr;
    const ScreenRect* nearest = nullptr;
    int64_t nearestDistance = 0;
    for (const ScreenRect& area : areas) {
        if (Overlap(area, titleBar) * 2 >= int64_t(titleBar.width) * titleHeight) {
            home = &area;
            break;
        }
        const int64_t dx =
            (int64_t(area.left) * 2 + area.width - int64_t(frame.left) * 2 - frame.width) / 2;
        const int64_t dy =
            (int64_t(area.top) * 2 + area.height - int64_t(frame.top) * 2 - frame.height) / 2;
        if (!nearest || dx * dx + dy * dy < nearestDistance) {
            nearest = &area;
            nearestDistance = dx * dx + dy * dy;
        }
    }
    const ScreenRect* area = home ? home : nearest;
    if (!area)
        return frame;
    const bool tooLarge = frame.width > area->width || frame.height > area->height;
    frame.width = std::max(std::min(frame.width, area->width), leastWidth);
    frame.height = std::max(std::min(frame.height, area->height), leastHeight);
    if (home && !tooLarge)
        return frame;
    frame.left = std::max(area->left, std::min(frame.left, area->left + area->width - frame.width));
    frame.top = std::max(area->top, std::min(frame.top, area->top + area->height - frame.height));
    return frame;
}

} // namespace vantoly
