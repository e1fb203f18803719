#pragma once
// Qt adapter: the local clock and the user's locale (QLocale::system()).
#include "platform/ClockLocale.h"

namespace vantoly::qt {

class QtClockLocale : public ClockLocale {
  public:
    LocalDateTime now() const override;
    std::u16string monthName(int month) const override;
    std::u16string decimalSeparator() const override;
};

} // namespace vantoly::qt
