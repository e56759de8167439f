#pragma once

#include <QDate>
#include <QTime>

// Dates are stored as day numbers (1 January 1801 is day 4; day % 7 is the weekday, 0 = Sunday)
// and times as hundredths of a second since midnight plus one (1 is midnight). 0 means not set.
namespace store::dates {

inline constexpr qint64 FirstDay = 4; // 1 January 1801
inline constexpr qint64 Midnight = 1;
inline constexpr qint64 EndOfDay = 8640000; // 23:59:59.99
inline constexpr qint64 HundredthsPerDay = 8640000;

QDate toDate(qint64 dayNumber);      // invalid for 0 and for days before 1 January 1801
qint64 dayNumber(const QDate &date); // 0 for an invalid date or one before 1801
QTime toTime(qint64 timeValue);      // invalid for 0; a value past the end of day wraps
qint64 timeValue(const QTime &time); // 0 for an invalid time

} // namespace store::dates
