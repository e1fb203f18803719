#pragma once
// Qt adapter: the 8-bit code page. UTF-8 (65001) where the user's locale uses it, as every current
// desktop does; otherwise chosen from the locale as Windows chooses its ANSI code page, converted
// with iconv. A character the code page cannot represent becomes "?".
#include <QLocale>

#include "platform/CodePage.h"

namespace vantoly::qt {

constexpr int kUtf8CodePage = 65001;

int AnsiCodePageFor(const QLocale& locale);
// The code page of the C library's locale as the application set it: 65001 for UTF-8.
int SystemCodePage();

class QtCodePage : public CodePage {
  public:
    explicit QtCodePage(int codePage);
    ~QtCodePage() override;
    QtCodePage(const QtCodePage&) = delete;
    QtCodePage& operator=(const QtCodePage&) = delete;

    int codePage() const { return codePage_; }
    std::string fromUnicode(std::u16string_view text) const override;
    std::u16string toUnicode(std::string_view bytes) const override;

  private:
    int codePage_;
    void* toBytes_;
    void* fromBytes_;
};

} // namespace vantoly::qt
