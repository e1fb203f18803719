#include "tray/DayIcon.h"

namespace vantoly {
namespace {

std::u16string decimal(int value) {
    std::u16string out;
    for (char c : std::to_string(value))
        out += char16_t(c);
    return out;
}

} // namespace

std::u16string DayIconPath(std::u16string_view appDir, std::u16string_view iconFolder, int day) {
    return std::u16string(appDir) + u"\\" + std::u16string(iconFolder) + decimal(day) + u".ico";
}

std::u16string NoteIndicatorPath(std::u16string_view appDir, int day) {
    return std::u16string(appDir) + u"\\white\\" + decimal(day) + u".ico";
}

std::u16string ScratchIconPath(std::u16string_view dir) {
    return std::u16string(dir) + u"\\tmp.ico";
}

} // namespace vantoly
