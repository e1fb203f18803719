#pragma once
// The "@" alarm: the first "@" of a note and the characters after it, compared as text with the
// current time written on the 12-hour clock ("h:mm AM/PM") or, when exactly five characters
// follow, on the 24-hour clock ("h:mm"). Seconds play no part.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantoly {

std::u16string TwelveHourTime(int hour, int minute);
std::u16string TwentyFourHourTime(int hour, int minute);

struct AlarmSelection {
    int32_t start;  // the first "@"
    int32_t length; // the "@" and the time compared, cut at the end of the note
    bool operator==(const AlarmSelection&) const = default;
};

// What the alarm selects when it fires at this minute; nothing when it does not fire.
std::optional<AlarmSelection> MatchAlarm(std::u16string_view note, int hour, int minute);

// The short form of the alarm time shown in the balloon title.
std::u16string AlarmDisplayTime(std::u16string_view note, int hour, int minute);

} // namespace vantoly
