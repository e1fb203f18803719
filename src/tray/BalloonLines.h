#pragma once
// The balloon's text as lines, for a tray that would draw a long note on one line.
#include <cstddef>
#include <string>
#include <string_view>

namespace vantoly {

// UTF-8 text in lines of at most `columns` characters, for a balloon that would draw it on one
// line off the screen: a line breaks at its last blank, or inside a word longer than a line. The
// lines are cut to at most `room` bytes, never inside a character.
std::string BalloonLines(std::string_view text, size_t columns, size_t room);

} // namespace vantoly
