#include "window/Layout.h"

namespace vantoly {

std::vector<ControlMove> Layout(float width, float height) {
    std::vector<ControlMove> moves;
    moves.push_back({Control::txtNote, Edge::Width, width - 315.0f});
    if (height > 1455.0f) {
        moves.push_back({Control::txtNote, Edge::Height, height - 1305.0f});
        const float bottomRow = height - 840.0f;
        for (Control control : {Control::Command1, Control::Command2, Control::Command3,
                                Control::chkBlack, Control::chkNote})
            moves.push_back({control, Edge::Top, bottomRow});
    }
    if (width > 4200.0f) {
        moves.push_back({Control::Command2, Edge::Left, width - 1080.0f});
        moves.push_back({Control::Command3, Edge::Left, width - 2040.0f});
    } else {
        moves.push_back({Control::Command3, Edge::Left, 1920.0f});
        moves.push_back({Control::Command2, Edge::Left, 2880.0f});
    }
    return moves;
}

} // namespace vantoly
