#include "scheduler/CalendarMath.h"

#include "store/Dates.h"

#include <QDate>

namespace scheduler::calendar {

namespace {

// Day numbers count from Sunday 28 December 1800, whose Julian day is this.
const qint64 JulianOfDayZero = QDate(1800, 12, 28).toJulianDay();

} // namespace

Ymd ymd(qint64 day)
{
    const QDate d = QDate::fromJulianDay(JulianOfDayZero + day);
    return {d.year(), d.month(), d.day()};
}

qint64 buildDate(int month, int day, int year)
{
    const int months = year * 12 + (month - 1);
    const int y = months >= 0 ? months / 12 : (months - 11) / 12;
    const int m = months - y * 12 + 1;
    return QDate(y, m, 1).toJulianDay() - JulianOfDayZero + (day - 1);
}

qint64 lastDayOfMonth(qint64 day)
{
    const Ymd d = ymd(day);
    return buildDate(d.month + 1, 1, d.year) - 1;
}

int weekOfMonth(qint64 day)
{
    const int d = ymd(day).day;
    return d <= 28 ? (d - 1) / 7 + 1 : 0;
}

bool inLastWeek(qint64 day)
{
    return ymd(day + 7).month != ymd(day).month;
}

} // namespace scheduler::calendar
