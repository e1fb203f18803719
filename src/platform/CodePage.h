#pragma once
// The system's 8-bit code page. A character it cannot represent becomes its replacement.
#include <string>
#include <string_view>

namespace vantoly {

class CodePage {
  public:
    virtual ~CodePage() = default;
    virtual std::string fromUnicode(std::u16string_view text) const = 0;
    virtual std::u16string toUnicode(std::string_view bytes) const = 0;
};

} // namespace vantoly
