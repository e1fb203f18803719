#include "base/Utf8.h"

namespace vantoly {

std::u16string FromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = uint8_t(bytes[i]);
        const size_t length = lead < 0x80       ? 1
                              : lead >> 5 == 6  ? 2
                              : lead >> 4 == 14 ? 3
                              : lead >> 3 == 30 ? 4
                                                : 0;
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        bool whole = length > 0 && i + length <= bytes.size();
        for (size_t k = 1; whole && k < length; ++k) {
            const auto next = uint8_t(bytes[i + k]);
            whole = next >> 6 == 2;
            c = c << 6 | (next & 0x3F);
        }
        // The shortest form only: an overlong one ("C0 AF" for "/") is as invalid as a surrogate.
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!whole || c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += char16_t(c);
        }
        i += length;
    }
    return out;
}

} // namespace vantoly

namespace vantoly {

// Measured first, then written straight into the room made for it: a big note goes to the
// journal at every autosave.
void AppendUtf8(std::u16string_view text, std::string& out) {
    size_t bytes = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : pair ? 4 : 3;
        i += pair ? 1 : 0;
    }
    const size_t before = out.size();
    out.resize(before + bytes);
    char* to = out.data() + before;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            *to++ = char(c);
            continue;
        }
        if (c >= 0xD800 && c < 0xE000) {
            const bool pair =
                c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
            c = pair ? 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00) : 0xFFFD;
        }
        if (c < 0x800) {
            *to++ = char(0xC0 | c >> 6);
            *to++ = char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *to++ = char(0xE0 | c >> 12);
            *to++ = char(0x80 | (c >> 6 & 0x3F));
            *to++ = char(0x80 | (c & 0x3F));
        } else { // two code units in, four bytes out
            *to++ = char(0xF0 | c >> 18);
            *to++ = char(0x80 | (c >> 12 & 0x3F));
            *to++ = char(0x80 | (c >> 6 & 0x3F));
            *to++ = char(0x80 | (c & 0x3F));
        }
    }
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(text, out);
    return out;
}

} // namespace vantoly
