#include "tray/DayIcon.h"

#include "base/NumberText.h"

namespace vantoly {

std::u16string DayIconPath(std::u16string_view appDir, std::u16string_view iconFolder, int day) {
    return std::u16string(appDir) + u"\\" + std::u16string(iconFolder) + DecimalText(day) + u".ico";
}

std::u16string NoteIndicatorPath(std::u16string_view appDir, int day) {
    return std::u16string(appDir) + u"\\white\\" + DecimalText(day) + u".ico";
}

std::u16string ScratchIconPath(std::u16string_view dir) {
    return std::u16string(dir) + u"\\tmp.ico";
}

} // namespace vantoly
