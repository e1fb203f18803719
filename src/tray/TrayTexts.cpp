#include "tray/TrayTexts.h"

#include <array>
#include <cmath>

#include "base/NumberText.h"
#include "notes/Alarm.h"

namespace vantoly {

int32_t TrayMessageNumber(float x, float twipsPerPixel) {
    const float quotient = x / twipsPerPixel;
    const float rounded = std::nearbyint(quotient);
    if (!(rounded >= -2147483648.0f && rounded < 2147483648.0f))
        return 0;
    return int32_t(rounded);
}

std::u16string_view WeekdayName(int weekday) {
    static constexpr std::array<std::u16string_view, 7> names{
        u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
    if (weekday < 1 || weekday > 7)
        return u"";
    return names[size_t(weekday - 1)];
}

std::u16string TooltipText(std::u16string_view weekdayName, std::u16string_view monthName, int day,
                           int year) {
    std::u16string tip(weekdayName);
    tip += u", ";
    tip += monthName;
    tip += u" ";
    tip += DecimalText(day);
    tip += u", ";
    tip += DecimalText(year);
    tip += std::u16string(2, u'\0');
    return tip;
}

// A note that ends in "@" rings at once: its title is "Alarm: " with no time after it.
std::u16string BalloonTitle(std::u16string_view note, const std::optional<AlarmMarker>& next) {
    const std::optional<AlarmMarker> marker = next ? next : FindAlarm(note);
    if (marker)
        return u"Alarm: " + AlarmDisplayTime(note, *marker) + u'\0';
    return std::u16string(u"Reminder") + u'\0';
}

std::u16string BalloonText(std::u16string_view note) {
    constexpr size_t room = 255;
    size_t length = std::min(note.size(), room);
    // Never leave half of a surrogate pair at the end.
    if (length < note.size() && length > 0 && note[length - 1] >= 0xD800 &&
        note[length - 1] <= 0xDBFF)
        --length;
    return std::u16string(note.substr(0, length)) + u'\0';
}

} // namespace vantoly
