#pragma once
// The layout that follows the window's outer size: the note box grows with the window, the bottom
// row keeps its distance from the bottom edge, and OK and Clear keep theirs from the right edge
// once the window is wide enough. Single precision throughout, as the window reports its size.
#include <vector>

#include "platform/Toolkit.h"

namespace vantoly {

inline constexpr float kDefaultOuterWidth = 5790;
inline constexpr float kDefaultOuterHeight = 5400;

struct ControlMove {
    Control control;
    Edge edge;
    float twips;
    bool operator==(const ControlMove&) const = default;
};

// The moves for an outer size, in the order they are made. Below the height threshold the note
// box's height and the bottom row are left where they were.
std::vector<ControlMove> Layout(float width, float height);

} // namespace vantoly
