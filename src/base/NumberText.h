#pragma once
// The text forms of settings values: geometry as number text, options as integer text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantoly {

// At most seven significant digits, "-" when negative, no leading blank; a whole value has no
// decimal separator, a fractional part uses the locale's.
std::u16string NumberText(float value, std::u16string_view decimalSeparator);
std::u16string IntegerText(int16_t value);
// Decimal digits of any 32-bit value, "-" when negative.
std::u16string DecimalText(int32_t value);

// Nothing when the text is not a finite single-precision number. Both the locale's separator and
// "." are taken as the decimal point; blanks around the number are allowed.
std::optional<float> ParseNumberText(std::u16string_view text,
                                     std::u16string_view decimalSeparator);
// A number text rounded to the nearest 16-bit integer (halves to even); nothing when it is not a
// number or out of range.
std::optional<int16_t> ParseIntegerText(std::u16string_view text,
                                        std::u16string_view decimalSeparator);

} // namespace vantoly
