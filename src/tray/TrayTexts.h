#pragma once
// What the tray callback writes into the record: the message number it recovers from the mouse
// position, the tooltip and the balloon's title and text, each with the NUL endings the shell reads
// up to.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "notes/Alarm.h"
#include "platform/ClockLocale.h"

namespace vantoly {

// Tray message numbers with a meaning for the program.
constexpr int32_t WM_MOUSEMOVE = 512;
constexpr int32_t WM_LBUTTONDBLCLK = 515;
constexpr int32_t WM_RBUTTONUP = 517;

// X divided by the twips per pixel, rounded to the nearest integer (a half to the even one).
// A position that is no number at all, or outside 32 bits, yields a number without a meaning.
int32_t TrayMessageNumber(float x, float twipsPerPixel);

// Sunday is 1; English whatever the user's language. Empty outside 1 to 7.
std::u16string_view WeekdayName(int weekday);

// "Monday, December 7, 2026" and two NULs.
std::u16string TooltipText(std::u16string_view weekdayName, std::u16string_view monthName, int day,
                           int year);

// "Alarm: " and the time as the note writes it, or "Reminder"; one NUL. The time is the one
// given (the next to ring), otherwise the note's first.
std::u16string BalloonTitle(std::u16string_view note, const std::optional<AlarmMarker>& next = {});

// The note and one NUL, the note cut so the NUL stays inside the 256-character field.
std::u16string BalloonText(std::u16string_view note);

} // namespace vantoly
