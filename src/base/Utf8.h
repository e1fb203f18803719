#pragma once
// The program's text from the UTF-8 the platforms report problems in; a byte that is no part of
// a UTF-8 character becomes U+FFFD.
#include <string>
#include <string_view>

namespace vantoly {

std::u16string FromUtf8(std::string_view bytes);

} // namespace vantoly
