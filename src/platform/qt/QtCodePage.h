#pragma once
// Qt adapter: the 8-bit code page is UTF-8 (65001), whatever the locale, as Qt 6 itself takes
// every 8-bit text on Linux: under LANG=C a Cyrillic note still reaches the balloon whole.
#include "base/Utf8.h"
#include "platform/CodePage.h"

namespace vantoly::qt {

class QtCodePage : public CodePage {
  public:
    std::string fromUnicode(std::u16string_view text) const override { return ToUtf8(text); }
    std::u16string toUnicode(std::string_view bytes) const override { return FromUtf8(bytes); }
};

} // namespace vantoly::qt
