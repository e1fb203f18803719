#include "notes/Alarm.h"

#include <chrono>

namespace vantoly {
namespace {

constexpr int kMinutesPerDay = 24 * 60;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetterOrDigit(char16_t c) {
    return isDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The length of "AM" or "PM" (any case, also "a.m." and "p.m.") at `at`; 0 where there is none.
// A longer word ("Amsterdam") is no AM.
size_t meridiemAt(std::u16string_view note, size_t at, bool& pm) {
    if (at >= note.size())
        return 0;
    const char16_t half = note[at] | 0x20;
    if (half != u'a' && half != u'p')
        return 0;
    size_t end = at + 1;
    const bool dotted = end < note.size() && note[end] == u'.';
    if (dotted)
        ++end;
    if (end >= note.size() || (note[end] | 0x20) != u'm')
        return 0;
    ++end;
    if (dotted && end < note.size() && note[end] == u'.')
        ++end;
    if (end < note.size() && isAsciiLetterOrDigit(note[end]))
        return 0;
    pm = half == u'p';
    return end - at;
}

// The alarm whose "@" stands at `at`, when a time follows it.
std::optional<AlarmMarker> timeAfter(std::u16string_view note, size_t at) {
    size_t i = at + 1;
    if (i < note.size() && (note[i] == u' ' || note[i] == u'\u00A0'))
        ++i;
    int hour = 0;
    size_t hourDigits = 0;
    for (; hourDigits < 2 && i < note.size() && isDigit(note[i]); ++i, ++hourDigits)
        hour = hour * 10 + (note[i] - u'0');
    if (hourDigits == 0 || (i < note.size() && isDigit(note[i])))
        return std::nullopt;
    int minute = 0;
    const bool minutes =
        i + 2 < note.size() && note[i] == u':' && isDigit(note[i + 1]) && isDigit(note[i + 2]);
    if (minutes) {
        minute = (note[i + 1] - u'0') * 10 + (note[i + 2] - u'0');
        i += 3;
        if (hour > 23 || minute > 59 || (i < note.size() && isDigit(note[i])))
            return std::nullopt;
    }

    AlarmMarker marker{int32_t(at), int32_t(i - at)};
    size_t half = i;
    if (half < note.size() && (note[half] == u' ' || note[half] == u'\u00A0'))
        ++half;
    bool pm = false;
    const size_t meridiem = meridiemAt(note, half, pm);
    if (meridiem > 0 && hour >= 1 && hour <= 12) {
        marker.length = int32_t(half + meridiem - at);
        marker.minutesOfDay[0] = (hour % 12 + (pm ? 12 : 0)) * 60 + minute;
        marker.count = 1;
    } else if (!minutes) {
        return std::nullopt; // "@3": an hour alone is no time
    } else if (hourDigits == 1 && hour >= 1 && hour <= 9) {
        marker.minutesOfDay = {hour * 60 + minute, (hour + 12) * 60 + minute};
        marker.count = 2;
    } else {
        // 0, 10 to 23, or a leading zero: the 24-hour clock.
        marker.minutesOfDay[0] = hour * 60 + minute;
        marker.count = 1;
    }
    return marker;
}

} // namespace

std::vector<AlarmMarker> FindAlarms(std::u16string_view note) {
    std::vector<AlarmMarker> markers;
    for (size_t at = note.find(u'@'); at != std::u16string_view::npos; at = note.find(u'@', at + 1))
        if (auto marker = timeAfter(note, at))
            markers.push_back(*marker);
    if (markers.empty() && !note.empty() && note.back() == u'@')
        markers.push_back(AlarmMarker{int32_t(note.size() - 1), 1});
    return markers;
}

std::optional<AlarmMarker> FindAlarm(std::u16string_view note) {
    const auto markers = FindAlarms(note);
    return markers.empty() ? std::nullopt : std::optional(markers.front());
}

std::u16string AlarmDisplayTime(std::u16string_view note, const AlarmMarker& marker) {
    if (marker.count == 0)
        return {};
    std::u16string_view time = note.substr(size_t(marker.start) + 1, size_t(marker.length) - 1);
    if (!time.empty() && (time.front() == u' ' || time.front() == u'\u00A0'))
        time.remove_prefix(1);
    return std::u16string(time);
}

std::u16string AlarmDisplayTime(std::u16string_view note) {
    const auto marker = FindAlarm(note);
    return marker ? AlarmDisplayTime(note, *marker) : std::u16string();
}

int64_t WallMinute(const LocalDateTime& time) {
    using namespace std::chrono;
    const sys_days day{year{time.year} / month{unsigned(time.month)} / unsigned(time.day)};
    return int64_t(day.time_since_epoch().count()) * kMinutesPerDay + time.hour * 60 + time.minute;
}

int64_t AlarmDue(const AlarmMarker& marker, int64_t from, std::optional<int64_t> fired) {
    if (marker.count == 0)
        return from;
    const int64_t firstDay = from >= 0 ? from / kMinutesPerDay : (from + 1) / kMinutesPerDay - 1;
    // Two minutes a day at the most and one of them passed over: two days always hold one.
    for (int64_t day = firstDay;; ++day)
        for (int i = 0; i < marker.count; ++i) {
            const int64_t minute = day * kMinutesPerDay + marker.minutesOfDay[size_t(i)];
            if (minute >= from && minute != fired)
                return minute;
        }
}

} // namespace vantoly
