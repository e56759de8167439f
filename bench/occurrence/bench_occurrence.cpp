// Times NextOccurrence against the stepwise rule for every schedule rule with the task 1 day,
// 1 year and 20 years behind its reference moment.
#include "BenchTasks.h"
#include "scheduler/Occurrence.h"
#include "store/Dates.h"
#include "store/tables/Schedule.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>

using namespace store;

namespace {

struct Rule {
    const char *name;
    const char *type;
    const char *unit;
    int weekday;  // -1 none
    int weekFlag; // SCH field, or -1
};

const Rule Rules[] = {
    {"Monthly", "Monthly", "", -1, -1},
    {"Yearly", "Yearly", "", -1, -1},
    {"Day of Week (Mon)", "Day of Week", "", 1, -1},
    {"Day of Month (2nd Tue)", "Day of Month", "", 2, SCH::Every2nd},
    {"Day of Month (end)", "Day of Month", "", -1, SCH::LastDayofMonth},
    {"every minute", "Custom", "minute(s)", -1, -1},
    {"every hour", "Custom", "hour(s)", -1, -1},
    {"every day", "Custom", "day(s)", -1, -1},
    {"every week", "Custom", "week(s)", -1, -1},
    {"every month", "Custom", "month(s)", -1, -1},
    {"every year", "Custom", "year(s)", -1, -1},
};

Record taskFor(const Rule &rule, qint64 date)
{
    Record t(SCH::table());
    t.setText(SCH::ScheduleType, QLatin1String(rule.type));
    t.setText(SCH::EveryType, QLatin1String(rule.unit));
    t.setNumber(SCH::Every, 1);
    t.setNumber(SCH::Date, date);
    t.setNumber(SCH::Time, dates::timeValue(QTime(9, 0)));
    if (rule.weekday >= 0)
        t.setNumber(SCH::Sunday + rule.weekday, 1);
    if (rule.weekFlag >= 0)
        t.setNumber(rule.weekFlag, 1);
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    PrintingPresenter messages;
    const qint64 reference = dates::dayNumber(QDate(2026, 12, 10));
    const qint64 referenceTime = dates::timeValue(QTime(12, 0));
    const struct {
        const char *name;
        qint64 days;
    } behind[] = {{"1 day", 1}, {"1 year", 365}, {"20 years", 20 * 365 + 5}};

    std::printf("%-24s %-9s %14s %14s %10s\n", "rule", "behind", "fast", "stepwise", "ratio");
    for (const Rule &rule : Rules) {
        for (const auto &b : behind) {
            const Record start = taskFor(rule, reference - b.days);
            const double fast = medianMicros(201, [&](int) {
                Record t = start;
                scheduler::NextOccurrence(t, reference, referenceTime, messages);
            });
            const double stepwise = medianMicros(b.days > 1000 ? 3 : 51, [&](int) {
                Record t = start;
                scheduler::NextOccurrenceStepwise(t, reference, referenceTime, messages);
            });
            std::printf("%-24s %-9s %11.2f us %11.2f us %9.0fx\n", rule.name, b.name, fast,
                        stepwise, stepwise / fast);
            std::fflush(stdout);
        }
    }
    return 0;
}
