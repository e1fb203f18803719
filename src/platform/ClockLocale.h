#pragma once
// The local clock and the user's locale.
#include <string>

namespace vantoly {

struct LocalDateTime {
    int year = 2000;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int weekday = 7; // 1 Sunday .. 7 Saturday
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;
};

class ClockLocale {
  public:
    virtual ~ClockLocale() = default;
    virtual LocalDateTime now() const = 0;
    // Full, stand-alone month name (1..12) in the user's language.
    virtual std::u16string monthName(int month) const = 0;
    virtual std::u16string decimalSeparator() const = 0;
};

} // namespace vantoly
