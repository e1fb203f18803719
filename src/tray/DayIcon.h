#pragma once
// Where the tray icon's pictures are. Paths use "\" between their parts; the platform maps them
// to its own separators and, where its file names distinguish case, finds "white" as "White".
#include <string>
#include <string_view>

namespace vantoly {

inline constexpr std::u16string_view kBlackFolder = u"Black\\";
inline constexpr std::u16string_view kWhiteFolder = u"White\\";

// appDir\IconFolder<day>.ico, the day without leading zero.
std::u16string DayIconPath(std::u16string_view appDir, std::u16string_view iconFolder, int day);
// appDir\white\<day>.ico: the picture shown while a note is present and the indicator is on.
std::u16string NoteIndicatorPath(std::u16string_view appDir, int day);
// dir\tmp.ico, the copy of the indicator picture that the tray shows.
std::u16string ScratchIconPath(std::u16string_view dir);

} // namespace vantoly
