#include "store/Dates.h"

namespace store::dates {

namespace {

// Day 0 of the count: Sunday 28 December 1800.
const QDate &epoch()
{
    static const QDate day0(1800, 12, 28);
    return day0;
}

} // namespace

QDate toDate(qint64 dayNumber)
{
    if (dayNumber < FirstDay)
        return {};
    return epoch().addDays(dayNumber);
}

qint64 dayNumber(const QDate &date)
{
    if (!date.isValid())
        return 0;
    const qint64 n = epoch().daysTo(date);
    return n < FirstDay ? 0 : n;
}

QTime toTime(qint64 timeValue)
{
    if (timeValue <= 0)
        return {};
    const qint64 hundredths = (timeValue - 1) % HundredthsPerDay;
    return QTime::fromMSecsSinceStartOfDay(int(hundredths * 10));
}

qint64 timeValue(const QTime &time)
{
    if (!time.isValid())
        return 0;
    return time.msecsSinceStartOfDay() / 10 + 1;
}

} // namespace store::dates
