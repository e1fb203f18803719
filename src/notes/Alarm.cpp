#include "notes/Alarm.h"

#include <algorithm>

#include "app/NumberText.h"

namespace vantoly {
namespace {

std::u16string twoDigits(int value) {
    return std::u16string{char16_t(u'0' + value / 10), char16_t(u'0' + value % 10)};
}

// Up to count characters after the first "@"; nothing when the note has no "@".
std::optional<std::u16string_view> afterMarker(std::u16string_view note, size_t count) {
    const size_t at = note.find(u'@');
    if (at == std::u16string_view::npos)
        return std::nullopt;
    return note.substr(at + 1, count);
}

} // namespace

std::u16string TwelveHourTime(int hour, int minute) {
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    return IntegerText(int16_t(shown)) + u":" + twoDigits(minute) + (hour < 12 ? u" AM" : u" PM");
}

std::u16string TwentyFourHourTime(int hour, int minute) {
    return IntegerText(int16_t(hour)) + u":" + twoDigits(minute);
}

std::optional<AlarmSelection> MatchAlarm(std::u16string_view note, int hour, int minute) {
    std::u16string time = TwelveHourTime(hour, minute);
    const auto alarm = afterMarker(note, time.size());
    if (!alarm)
        return std::nullopt;
    if (alarm->size() == 5)
        time = TwentyFourHourTime(hour, minute);
    if (time.find(*alarm) == std::u16string::npos)
        return std::nullopt;
    const size_t at = note.find(u'@');
    const size_t length = std::min(time.size() + 1, note.size() - at);
    return AlarmSelection{int32_t(at), int32_t(length)};
}

std::u16string AlarmDisplayTime(std::u16string_view note, int hour, int minute) {
    const auto shown = afterMarker(note, TwelveHourTime(hour, minute).size() - 3);
    return shown ? std::u16string(*shown) : std::u16string();
}

} // namespace vantoly
