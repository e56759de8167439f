#include "store/Pictures.h"

#include "store/Dates.h"

#include <QLocale>
#include <QRegularExpression>

#include <optional>
#include <vector>

namespace store::pictures {

namespace {

enum class Part { Day, Month, Year };

enum class Kind { Pattern, LocaleShort, LocaleLong };

struct DateStyle {
    Kind kind = Kind::Pattern;
    const char *pattern = "";
    bool upperCase = false;
};

// The code number as the program reads it: the two characters after the first.
DateStyle styleOf(QString format)
{
    if (format.startsWith(u'@'))
        format.remove(0, 1);
    if (format.compare(QLatin1String("n4b"), Qt::CaseInsensitive) == 0)
        return {Kind::Pattern, "yyyy", false};
    switch (format.mid(1, 2).toInt()) {
    case 1:
        return {Kind::Pattern, "MM/dd/yy", false};
    case 2:
        return {Kind::Pattern, "MM/dd/yyyy", false};
    case 4:
        return {Kind::Pattern, "MMMM d, yyyy", false};
    case 5:
        return {Kind::Pattern, "dd/MM/yy", false};
    case 6:
        return {Kind::Pattern, "dd/MM/yyyy", false};
    case 7:
        return {Kind::Pattern, "dd MMM yy", true};
    case 8:
        return {Kind::Pattern, "dd MMM yyyy", true};
    case 13:
        return {Kind::Pattern, "MM/yy", false};
    case 14:
        return {Kind::Pattern, "MM/yyyy", false};
    case 15:
        return {Kind::Pattern, "yy/MM", false};
    case 16:
        return {Kind::Pattern, "yyyy/MM", false};
    case 17:
        return {Kind::LocaleShort, "", false};
    case 18:
        return {Kind::LocaleLong, "", false};
    default:
        return {Kind::Pattern, "MMM dd,yyyy", true};
    }
}

QString patternOf(const DateStyle &style)
{
    switch (style.kind) {
    case Kind::LocaleShort:
        return QLocale().dateFormat(QLocale::ShortFormat);
    case Kind::LocaleLong:
        return QLocale().dateFormat(QLocale::LongFormat);
    case Kind::Pattern:
        break;
    }
    return QLatin1String(style.pattern);
}

// The order of day, month and year in a QDate pattern; day names ("ddd") do not count.
std::vector<Part> orderOf(const QString &pattern)
{
    std::vector<Part> order;
    auto add = [&](Part p) {
        if (std::find(order.begin(), order.end(), p) == order.end())
            order.push_back(p);
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c)
            ++run;
        if (c == u'\'') {
            const qsizetype close = pattern.indexOf(u'\'', i + 1);
            i = close < 0 ? pattern.size() : close + 1;
            continue;
        }
        if (c == u'd' && run <= 2)
            add(Part::Day);
        else if (c == u'M')
            add(Part::Month);
        else if (c == u'y')
            add(Part::Year);
        i += run;
    }
    return order;
}

// 1 to 12 for an English or desktop month name or its first three letters (or more).
std::optional<int> monthFromName(const QString &word)
{
    if (word.size() < 3)
        return std::nullopt;
    const QLocale locales[] = {QLocale::c(), QLocale()};
    for (const QLocale &locale : locales) {
        for (int m = 1; m <= 12; ++m) {
            for (QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
                const QString name = locale.monthName(m, type);
                if (name.startsWith(word, Qt::CaseInsensitive))
                    return m;
            }
        }
    }
    return std::nullopt;
}

bool isDayName(const QString &word)
{
    const QLocale locales[] = {QLocale::c(), QLocale()};
    for (const QLocale &locale : locales) {
        for (int d = 1; d <= 7; ++d) {
            for (QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
                if (locale.dayName(d, type).compare(word, Qt::CaseInsensitive) == 0)
                    return true;
            }
        }
    }
    return false;
}

int windowedYear(const QString &digits, int referenceYear)
{
    const int y = digits.toInt();
    if (digits.size() > 2)
        return y;
    const int first = referenceYear - 80;
    int year = first - first % 100 + y;
    if (year < first)
        year += 100;
    return year;
}

} // namespace

const std::vector<DateFormatName> &dateFormatNames()
{
    static const std::vector<DateFormatName> names{
        {"d17", "Windows Default", true}, {"d4", "October 31, 1959", true},
        {"d3", "OCT 31,1959", true},      {"d1", "10/31/59", true},
        {"d2", "10/31/1959", true},       {"d7", "31 OCT 59", true},
        {"d8", "31 OCT 1959", true},      {"d5", "31/10/59", true},
        {"d6", "31/10/1959", true},       {"d18", "Windows Default 2", true},
        {"d15", "59/10", false},          {"d16", "1959/10", false},
        {"d13", "10/59", false},          {"d14", "10/1959", false},
        {"n4b", "Year Only", false},
    };
    return names;
}

QString formatDate(qint64 day, const QString &format)
{
    const QDate date = dates::toDate(day);
    if (!date.isValid())
        return QString();
    const DateStyle style = styleOf(format);
    switch (style.kind) {
    case Kind::LocaleShort:
        return QLocale().toString(date, QLocale::ShortFormat);
    case Kind::LocaleLong:
        return QLocale().toString(date, QLocale::LongFormat);
    case Kind::Pattern:
        break;
    }
    const QString text = QLocale::c().toString(date, QLatin1String(style.pattern));
    return style.upperCase ? text.toUpper() : text;
}

qint64 parseDate(const QString &text, const QString &format, int referenceYear)
{
    const std::vector<Part> order = orderOf(patternOf(styleOf(format)));
    static const QRegularExpression tokenPattern(QStringLiteral("(\\d+)|(\\p{L}+)"));
    std::vector<QString> numbers;
    std::optional<int> namedMonth;
    for (auto it = tokenPattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.hasCaptured(1)) {
            numbers.push_back(m.captured(1));
            continue;
        }
        const QString word = m.captured(2);
        if (isDayName(word))
            continue;
        const std::optional<int> month = monthFromName(word);
        if (!month || namedMonth)
            return 0;
        namedMonth = month;
    }

    int day = 1;
    int month = namedMonth.value_or(1);
    int year = 0;
    std::size_t next = 0;
    for (Part part : order) {
        if (part == Part::Month && namedMonth)
            continue;
        if (next >= numbers.size())
            return 0;
        const QString &digits = numbers[next++];
        if (digits.size() > 4)
            return 0;
        switch (part) {
        case Part::Day:
            day = digits.toInt();
            break;
        case Part::Month:
            month = digits.toInt();
            break;
        case Part::Year:
            year = windowedYear(digits, referenceYear);
            break;
        }
    }
    if (next != numbers.size() || year == 0)
        return 0;
    return dates::dayNumber(QDate(year, month, day));
}

QString formatTime(qint64 time)
{
    const QTime t = dates::toTime(time);
    if (!t.isValid())
        return QString();
    return QLocale::c().toString(t, QStringLiteral("h:mmAP"));
}

qint64 parseTime(const QString &text)
{
    static const QRegularExpression timePattern(QStringLiteral(
        "^\\s*(\\d{1,2})(?:[:.](\\d{2}))?(?:[:.](\\d{2}))?\\s*(?:([AaPp])\\.?[Mm]?\\.?)?\\s*$"));
    const QRegularExpressionMatch m = timePattern.match(text);
    if (!m.hasMatch())
        return 0;
    int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const int second = m.captured(3).toInt();
    if (m.hasCaptured(4)) {
        if (hour < 1 || hour > 12)
            return 0;
        const bool pm = m.captured(4).compare(QLatin1String("p"), Qt::CaseInsensitive) == 0;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return dates::timeValue(QTime(hour, minute, second));
}

QString longDate(qint64 day)
{
    const QDate date = dates::toDate(day);
    return date.isValid() ? QLocale::c().toString(date, QStringLiteral("dddd, MMMM d, yyyy"))
                          : QString();
}

QString shortTime(qint64 time)
{
    const QTime t = dates::toTime(time);
    return t.isValid() ? QLocale().toString(t, QLocale::ShortFormat) : QString();
}

} // namespace store::pictures
