#include "platform/qt/QtClockLocale.h"

#include <QDateTime>
#include <QLocale>

#include "platform/qt/QtPaths.h"

namespace vantoly::qt {

LocalDateTime QtClockLocale::now() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    // Qt counts Monday as 1 and Sunday as 7; the program counts Sunday as 1.
    return LocalDateTime{date.year(), date.month(),  date.day(),   date.dayOfWeek() % 7 + 1,
                         time.hour(), time.minute(), time.second()};
}

std::u16string QtClockLocale::monthName(int month) const {
    return fromQ(QLocale::system().standaloneMonthName(month, QLocale::LongFormat));
}

std::u16string QtClockLocale::decimalSeparator() const {
    return fromQ(QLocale::system().decimalPoint());
}

} // namespace vantoly::qt
