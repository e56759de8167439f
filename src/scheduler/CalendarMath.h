#pragma once

#include <QtGlobal>

// Calendar arithmetic on day numbers (see store/Dates.h).
namespace scheduler::calendar {

struct Ymd {
    int year;
    int month; // 1..12
    int day;   // 1..31
};

Ymd ymd(qint64 day);
// The date of a day in a month of a year, carrying a day beyond the month's length into the
// following month and a month above 12 into the following year: day 31 of February 1997 is
// 3 March 1997.
qint64 buildDate(int month, int day, int year);
inline int weekday(qint64 day) // 0 Sunday .. 6 Saturday
{
    return int(((day % 7) + 7) % 7);
}
qint64 lastDayOfMonth(qint64 day);
// 1 to 4 for days 1-7, 8-14, 15-21 and 22-28 of the month; 0 for 29 to 31.
int weekOfMonth(qint64 day);
// In the last seven days of its month.
bool inLastWeek(qint64 day);

} // namespace scheduler::calendar
