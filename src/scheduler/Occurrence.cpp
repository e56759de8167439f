#include "scheduler/Occurrence.h"

#include "scheduler/CalendarMath.h"
#include "store/Dates.h"
#include "store/MessagePresenter.h"
#include "store/Record.h"
#include "store/tables/Schedule.h"

#include <algorithm>

namespace scheduler {

namespace SCH = store::SCH;
using namespace calendar;
using store::Record;

namespace {

constexpr qint64 DayLength = store::dates::HundredthsPerDay;
constexpr qint64 Minute = 6000;
constexpr qint64 Hour = 360000;
constexpr qint64 MostDaysPerStep = 255;

enum class Rule { Once, Monthly, Yearly, DayOfWeek, DayOfMonth, Custom };
enum class Unit { Minutes, Hours, Days, Weeks, Months, Years, Unknown };

Rule ruleOf(const Record &task)
{
    const QString type = task.text(SCH::ScheduleType);
    if (type == QLatin1String("Once"))
        return Rule::Once;
    if (type == QLatin1String("Monthly"))
        return Rule::Monthly;
    if (type == QLatin1String("Yearly"))
        return Rule::Yearly;
    if (type == QLatin1String("Day of Week"))
        return Rule::DayOfWeek;
    if (type == QLatin1String("Day of Month"))
        return Rule::DayOfMonth;
    return Rule::Custom;
}

Unit unitOf(const Record &task)
{
    const QString unit = task.text(SCH::EveryType).left(3).toLower();
    static const std::pair<const char *, Unit> units[] = {
        {"min", Unit::Minutes}, {"hou", Unit::Hours},  {"day", Unit::Days},
        {"wee", Unit::Weeks},   {"mon", Unit::Months}, {"yea", Unit::Years}};
    for (const auto &[name, u] : units) {
        if (unit == QLatin1String(name))
            return u;
    }
    return Unit::Unknown;
}

bool weekdaySelected(const Record &task, qint64 day)
{
    return task.number(SCH::Sunday + weekday(day)) != 0;
}

bool anyWeekday(const Record &task)
{
    for (int f = SCH::Sunday; f <= SCH::Saturday; ++f) {
        if (task.number(f) != 0)
            return true;
    }
    return false;
}

constexpr int WeekFlags[] = {SCH::Every1st, SCH::Every2nd, SCH::Every3rd, SCH::Every4th};

// Day of Month: the date's week of the month (1st to 4th, or the last seven days) is one whose
// flag the task has set.
bool weekFlagMatches(const Record &task, qint64 day)
{
    const int week = weekOfMonth(day);
    if (week >= 1 && task.number(WeekFlags[week - 1]) != 0)
        return true;
    return task.number(SCH::EveryLast) != 0 && inLastWeek(day);
}

// A task without any week flag takes every week.
bool weekAccepted(const Record &task, qint64 day)
{
    bool anyWeek = task.number(SCH::EveryLast) != 0;
    for (int f : WeekFlags)
        anyWeek = anyWeek || task.number(f) != 0;
    return !anyWeek || weekFlagMatches(task, day);
}

// The next day, or the next selected weekday when any is selected.
qint64 nextCandidate(const Record &task, qint64 day, bool anySelected)
{
    ++day;
    while (anySelected && !weekdaySelected(task, day))
        ++day;
    return day;
}

qint64 monthEnd(qint64 date, qint64 reference)
{
    const qint64 end = lastDayOfMonth(std::max(date, reference));
    return end > reference ? end : lastDayOfMonth(end + 1);
}

qint64 raisedCount(Record &task)
{
    if (task.number(SCH::Every) < 1)
        task.setNumber(SCH::Every, 1);
    return task.number(SCH::Every);
}

// One step of a repetition in minutes or hours; `perDay` units make a day.
void addTimeStep(qint64 &date, qint64 &time, qint64 count, qint64 unit, qint64 perDay)
{
    if (count > perDay) {
        date += std::min(count / perDay, MostDaysPerStep);
        time += (count % perDay) * unit;
    } else {
        time += count * unit;
    }
    while (time > DayLength) {
        time -= DayLength;
        ++date;
    }
}

qint64 stepLength(qint64 count, qint64 unit, qint64 perDay)
{
    return count > perDay
               ? std::min(count / perDay, MostDaysPerStep) * DayLength + (count % perDay) * unit
               : count * unit;
}

void reportUnits(qint64 &date, qint64 reference, store::MessagePresenter &messages)
{
    messages.notify(QStringLiteral("Invalid Units"),
                    QStringLiteral("Custom repetition is not set up properly.  Select units."));
    if (date <= reference)
        date = reference + 1;
}

qint64 unitLength(Unit unit)
{
    return unit == Unit::Minutes ? Minute : Hour;
}

qint64 unitsPerDay(Unit unit)
{
    return unit == Unit::Minutes ? 1440 : 24;
}

// Months later, the day number kept (carried as dates are built), until after the reference.
qint64 monthsOnStepwise(qint64 date, qint64 reference, int months)
{
    while (date <= reference) {
        const Ymd d = ymd(date);
        date = buildDate(d.month + months, d.day, d.year);
    }
    return date;
}

qint64 monthsOnFast(qint64 date, qint64 reference, int months)
{
    // Until the day no longer carries (29 to 31), go as the rule goes; a carried day is at most
    // 3 and never carries again, so from then on the months can be counted.
    while (date <= reference && ymd(date).day > 28) {
        const Ymd d = ymd(date);
        date = buildDate(d.month + months, d.day, d.year);
    }
    if (date > reference)
        return date;
    const Ymd a = ymd(date);
    const Ymd r = ymd(reference);
    const qint64 month = qint64(a.year) * 12 + a.month - 1;
    const qint64 referenceMonth = qint64(r.year) * 12 + r.month - 1;
    // The first month in which the kept day falls after the reference.
    const qint64 target = a.day > r.day ? referenceMonth : referenceMonth + 1;
    const qint64 steps = (target - month + months - 1) / months;
    return buildDate(int(a.month + steps * months), a.day, a.year);
}

} // namespace

int CompareDateTime(qint64 date1, qint64 time1, qint64 date2, qint64 time2)
{
    if (time1 > DayLength) {
        time1 -= DayLength;
        ++date1;
    }
    if (time2 > DayLength) {
        time2 -= DayLength;
        ++date2;
    }
    if (date1 != date2)
        return date1 < date2 ? -1 : 1;
    if (time1 != time2)
        return time1 < time2 ? -1 : 1;
    return 0;
}

void NextOccurrenceStepwise(Record &task, qint64 R, qint64 T, store::MessagePresenter &messages)
{
    qint64 date = task.number(SCH::Date);
    qint64 time = task.number(SCH::Time);
    switch (ruleOf(task)) {
    case Rule::Once:
        task.setNumber(SCH::COMPLETED, 1);
        return;
    case Rule::Monthly:
        date = monthsOnStepwise(date, R, 1);
        break;
    case Rule::Yearly:
        while (date <= R) {
            const Ymd d = ymd(date);
            date = buildDate(d.month, d.day, d.year + 1);
        }
        break;
    case Rule::DayOfWeek:
        while (date <= R)
            date = nextCandidate(task, date, anyWeekday(task));
        break;
    case Rule::DayOfMonth:
        if (task.number(SCH::LastDayofMonth) != 0) {
            date = monthEnd(date, R);
            break;
        }
        for (const bool any = anyWeekday(task);;) {
            date = nextCandidate(task, date, any);
            while (date <= R)
                date = nextCandidate(task, date, any);
            if (weekAccepted(task, date))
                break;
        }
        break;
    case Rule::Custom: {
        const qint64 count = raisedCount(task);
        switch (const Unit unit = unitOf(task)) {
        case Unit::Minutes:
        case Unit::Hours:
            while (CompareDateTime(date, time, R, T) < 0)
                addTimeStep(date, time, count, unitLength(unit), unitsPerDay(unit));
            break;
        case Unit::Days:
            while (date <= R)
                date += count;
            break;
        case Unit::Weeks:
            while (date <= R)
                date += 7 * count;
            break;
        case Unit::Months:
            date = monthsOnStepwise(date, R, int(count));
            break;
        case Unit::Years:
            while (date <= R) {
                const Ymd d = ymd(date);
                date = buildDate(d.month, d.day, d.year + int(count));
            }
            break;
        case Unit::Unknown:
            reportUnits(date, R, messages);
            break;
        }
        break;
    }
    }
    task.setNumber(SCH::Date, date);
    task.setNumber(SCH::Time, time);
}

void NextOccurrence(Record &task, qint64 R, qint64 T, store::MessagePresenter &messages)
{
    qint64 date = task.number(SCH::Date);
    qint64 time = task.number(SCH::Time);
    switch (ruleOf(task)) {
    case Rule::Once:
        task.setNumber(SCH::COMPLETED, 1);
        return;
    case Rule::Monthly:
        date = monthsOnFast(date, R, 1);
        break;
    case Rule::Yearly:
        date = monthsOnFast(date, R, 12);
        break;
    case Rule::DayOfWeek:
        if (date <= R)
            date = nextCandidate(task, R, anyWeekday(task));
        break;
    case Rule::DayOfMonth:
        if (task.number(SCH::LastDayofMonth) != 0) {
            date = monthEnd(date, R);
            break;
        }
        // The first acceptable candidate after the later of the task's date and the reference.
        for (const bool any = anyWeekday(task);;) {
            date = nextCandidate(task, std::max(date, R), any);
            if (weekAccepted(task, date))
                break;
        }
        break;
    case Rule::Custom: {
        const qint64 count = raisedCount(task);
        switch (const Unit unit = unitOf(task)) {
        case Unit::Minutes:
        case Unit::Hours: {
            if (CompareDateTime(date, time, R, T) >= 0)
                break;
            const qint64 perDay = unitsPerDay(unit);
            addTimeStep(date, time, count, unitLength(unit), perDay);
            if (time < 1 || time > DayLength) {
                // A time the steps never bring within the day: go as the rule goes.
                while (CompareDateTime(date, time, R, T) < 0)
                    addTimeStep(date, time, count, unitLength(unit), perDay);
                break;
            }
            // Each step adds the same length to date * day + time, which carrying keeps; the
            // moment is earlier than the reference exactly while that sum is below `limit`.
            qint64 referenceDate = R;
            qint64 referenceTime = T;
            if (referenceTime > DayLength) {
                referenceTime -= DayLength;
                ++referenceDate;
            }
            const qint64 limit =
                referenceDate * DayLength + std::clamp<qint64>(referenceTime, 1, DayLength + 1);
            qint64 moment = date * DayLength + time;
            if (moment < limit) {
                const qint64 step = stepLength(count, unitLength(unit), perDay);
                moment += (limit - moment + step - 1) / step * step;
            }
            date = (moment - 1) / DayLength;
            time = moment - date * DayLength;
            break;
        }
        case Unit::Days:
        case Unit::Weeks: {
            const qint64 step = unit == Unit::Days ? count : 7 * count;
            if (date <= R)
                date += ((R - date) / step + 1) * step;
            break;
        }
        case Unit::Months:
            date = monthsOnFast(date, R, int(count));
            break;
        case Unit::Years:
            date = monthsOnFast(date, R, int(12 * count));
            break;
        case Unit::Unknown:
            reportUnits(date, R, messages);
            break;
        }
        break;
    }
    }
    task.setNumber(SCH::Date, date);
    task.setNumber(SCH::Time, time);
}

bool DateFitsSchedule(const Record &task, qint64 date)
{
    if (date == 0)
        date = task.number(SCH::Date);
    switch (ruleOf(task)) {
    case Rule::DayOfWeek:
        return weekdaySelected(task, date);
    case Rule::DayOfMonth:
        if (task.number(SCH::LastDayofMonth) != 0)
            return date == lastDayOfMonth(date);
        return weekdaySelected(task, date) && weekFlagMatches(task, date);
    default:
        return true;
    }
}

} // namespace scheduler
