#pragma once
// The "@" alarms: each "@" of a note that is followed by a time, and the minutes at which that
// time falls due. A time may stand one blank after its "@"; it is an hour of one or two digits,
// ":" and two digits of minutes, optionally followed (with or without one blank) by AM or PM in
// any case: "9:05", "21:05", "05:33", "9:05 PM", "9:05pm", "@ 14:30"; or an hour of 1 to 12
// with AM or PM and no minutes: "3pm", "3 PM", "11am". Time is counted in minutes of the local
// wall clock, so seconds play no part and a time falls due at its own minute.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ClockLocale.h"

namespace vantoly {

struct AlarmMarker {
    int32_t start;  // the "@"
    int32_t length; // the "@" and the time as written, AM or PM included
    // Minutes of the day at which it falls due: one, or two for an hour of 1 to 9 written
    // without AM or PM and without a leading zero (that time in the morning or the evening,
    // whichever comes first). None for a note that ends in an "@" and holds no time: that one
    // falls due at once.
    std::array<int, 2> minutesOfDay{};
    int count = 0;
    bool operator==(const AlarmMarker&) const = default;
};

// Every "@" a time follows, in the note's order; for a note with none that ends in an "@", that
// "@" alone.
std::vector<AlarmMarker> FindAlarms(std::u16string_view note);
// The first of them.
std::optional<AlarmMarker> FindAlarm(std::u16string_view note);

// A marker's time as the note writes it ("9:05 PM", "21:05"); empty for one that holds none.
std::u16string AlarmDisplayTime(std::u16string_view note, const AlarmMarker& marker);
// The first alarm's; empty when the note holds none.
std::u16string AlarmDisplayTime(std::u16string_view note);

// Minutes since 1970-01-01 0:00 on the local wall clock: a calendar count, so a clock that
// springs forward skips minutes and one that falls back goes over the same minutes again.
int64_t WallMinute(const LocalDateTime& time);

// The first minute at or after `from` at which the marker falls due, passing over the minute at
// which it already fired.
int64_t AlarmDue(const AlarmMarker& marker, int64_t from, std::optional<int64_t> fired);

} // namespace vantoly
