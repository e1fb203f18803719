#include "base/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vantoly {

std::u16string NumberText(float value, std::u16string_view decimalSeparator) {
    // As "%.7G" would write it, but whatever the C library's locale: the separator is ours.
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::general, 7)
            .ptr;
    std::u16string out;
    for (const char* p = buffer; p != end; ++p) {
        if (*p == '.')
            out += decimalSeparator;
        else
            out += char16_t(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p);
    }
    return out;
}

std::u16string IntegerText(int16_t value) {
    return DecimalText(value);
}

std::u16string DecimalText(int32_t value) {
    std::u16string out;
    for (char c : std::to_string(value))
        out += char16_t(c);
    return out;
}

std::optional<float> ParseNumberText(std::u16string_view text,
                                     std::u16string_view decimalSeparator) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
        text.remove_suffix(1);
    std::string ascii;
    for (size_t i = 0; i < text.size();) {
        if (!decimalSeparator.empty() &&
            text.substr(i, decimalSeparator.size()) == decimalSeparator) {
            ascii += '.';
            i += decimalSeparator.size();
            continue;
        }
        const char16_t c = text[i++];
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' ||
                             c == u'e' || c == u'E';
        if (!allowed)
            return std::nullopt;
        ascii += char(c);
    }
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value) ||
        std::fabs(value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(value);
}

std::optional<int16_t> ParseIntegerText(std::u16string_view text,
                                        std::u16string_view decimalSeparator) {
    const auto number = ParseNumberText(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    const double rounded =
        std::nearbyint(double(*number)); // the default mode rounds halves to even
    if (rounded < std::numeric_limits<int16_t>::min() ||
        rounded > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return int16_t(rounded);
}

} // namespace vantoly
