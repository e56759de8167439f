#pragma once

#include <QString>

#include <vector>

// How dates and times are shown and typed. A date format is a DateFormat code ("d3") or a
// picture ("@d3"):
//   d1 10/31/59      d2 10/31/1959    d3 OCT 31,1959   d4 October 31, 1959
//   d5 31/10/59      d6 31/10/1959    d7 31 OCT 59     d8 31 OCT 1959
//   d13 10/59        d14 10/1959      d15 59/10        d16 1959/10
//   d17 the desktop's short date     d18 the desktop's long date       n4b the year only
// Codes 9 to 12, which have no format of their own, and any other code show as d3, the
// default. Month names are English except in d17 and d18, which follow the desktop.
namespace store::pictures {

QString formatDate(qint64 day, const QString &format);

struct DateFormatName {
    const char *code;
    const char *name;
    bool offered; // one of the ten the options window lets the user choose
};
// Every DateFormat code with the name the options window shows for it, offered ones first in
// the order they are offered.
const std::vector<DateFormatName> &dateFormatNames();

// The day number of a date typed in a format, 0 when the text is not a date. Typing is
// lenient: one-digit days and months, any separators, month names or their first three
// letters in any case, a four-digit year where two are shown. A two-digit year is taken to be
// within the hundred years that start 80 years before referenceYear. A format without a day
// gives the first of the month, the year-only format 1 January.
qint64 parseDate(const QString &text, const QString &format, int referenceYear);

// "@t3": the 12-hour clock with AM/PM, for example 5:30PM; blank for 0.
QString formatTime(qint64 time);
// A typed time, 12-hour with AM/PM or 24-hour, with or without minutes and seconds;
// 0 when the text is not a time.
qint64 parseTime(const QString &text);

// The status bar's date, for example Friday, October 31, 1959.
QString longDate(qint64 day);
// The time in the desktop's short time format.
QString shortTime(qint64 time);

} // namespace store::pictures
