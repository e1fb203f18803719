#pragma once
// The program's UTF-16 text and UTF-8 bytes. A byte that is no part of a UTF-8 character, and a
// half of a surrogate pair standing alone, become U+FFFD; every other character is kept,
// U+FEFF and U+FFFE included.
#include <string>
#include <string_view>

namespace vantoly {

std::u16string FromUtf8(std::string_view bytes);
std::string ToUtf8(std::u16string_view text);
// Appends the text's UTF-8 to `out`.
void AppendUtf8(std::u16string_view text, std::string& out);

} // namespace vantoly
