#include "ScriptedPresenter.h"
#include "scheduler/Occurrence.h"
#include "store/Dates.h"
#include "store/Record.h"
#include "store/tables/Schedule.h"

#include <QRandomGenerator>
#include <QTest>

using namespace store;
using scheduler::CompareDateTime;
using scheduler::DateFitsSchedule;
using scheduler::NextOccurrence;
using scheduler::NextOccurrenceStepwise;

namespace {

qint64 day(int y, int m, int d)
{
    return dates::dayNumber(QDate(y, m, d));
}

qint64 at(int h, int m, int hundredths = 0)
{
    return dates::timeValue(QTime(h, m)) + hundredths;
}

// A task of a schedule type with flags named as the form shows them: weekdays "Sun" to
// "Sat", weeks "1st" to "4th" and "Last", "End" for the month end.
Record task(const QString &type, const QString &flags = {}, int every = 1, const QString &unit = {},
            qint64 date = 0, qint64 time = 0)
{
    Record t(SCH::table());
    t.setText(SCH::ScheduleType, type);
    t.setNumber(SCH::Every, every);
    t.setText(SCH::EveryType, unit);
    t.setNumber(SCH::Date, date);
    t.setNumber(SCH::Time, time);
    const QStringList names{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const QStringList weeks{"1st", "2nd", "3rd", "4th", "Last"};
    for (const QString &f : flags.split(',', Qt::SkipEmptyParts)) {
        if (names.contains(f))
            t.setNumber(SCH::Sunday + int(names.indexOf(f)), 1);
        else if (weeks.contains(f))
            t.setNumber(SCH::Every1st + int(weeks.indexOf(f)), 1);
        else if (f == "End")
            t.setNumber(SCH::LastDayofMonth, 1);
    }
    return t;
}

} // namespace

class TestOccurrence final : public QObject {
    Q_OBJECT

private slots:
    void nextOccurrence_data();
    void nextOccurrence();
    void countBelowOneIsRaisedAndKept();
    void unknownUnitIsReportedAndRecursDaily();
    void onceIsCompleted();
    void compareDateTime_data();
    void compareDateTime();
    void dateFitsSchedule_data();
    void dateFitsSchedule();
    void fastPathEqualsTheStepwiseRule();
};

void TestOccurrence::nextOccurrence_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("every");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<qint64>("date");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<qint64>("refDate");
    QTest::addColumn<qint64>("refTime");
    QTest::addColumn<qint64>("nextDate");
    QTest::addColumn<qint64>("nextTime");

    const qint64 nine = at(9, 0);
    auto add = [&](const char *name, const char *type, const char *flags, int every,
                   const char *unit, qint64 date, qint64 time, qint64 refDate, qint64 refTime,
                   qint64 nextDate, qint64 nextTime) {
        QTest::newRow(name) << QString(type) << QString(flags) << every << QString(unit) << date
                            << time << refDate << refTime << nextDate << nextTime;
    };
    add("monthly from 31 January carries to 3 March", "Monthly", "", 1, "", day(1997, 1, 31), nine,
        day(1997, 1, 31), nine, day(1997, 3, 3), nine);
    add("monthly then stays on the carried day", "Monthly", "", 1, "", day(1997, 3, 3), nine,
        day(1997, 3, 3), nine, day(1997, 4, 3), nine);
    add("monthly into February 1900, no leap year", "Monthly", "", 1, "", day(1900, 1, 29), nine,
        day(1900, 1, 29), nine, day(1900, 3, 1), nine);
    add("monthly into February 2000, a leap year", "Monthly", "", 1, "", day(2000, 1, 29), nine,
        day(2000, 1, 29), nine, day(2000, 2, 29), nine);
    add("monthly years behind", "Monthly", "", 1, "", day(1990, 5, 31), nine, day(1997, 6, 15),
        nine, day(1997, 7, 1), nine);
    add("yearly from 29 February 1996", "Yearly", "", 1, "", day(1996, 2, 29), nine,
        day(1996, 2, 29), nine, day(1997, 3, 1), nine);
    add("yearly then 1 March", "Yearly", "", 1, "", day(1997, 3, 1), nine, day(1997, 3, 1), nine,
        day(1998, 3, 1), nine);
    add("day of week, Monday and Friday, run on a Friday", "Day of Week", "Mon,Fri", 1, "",
        day(1997, 1, 31), nine, day(1997, 1, 31), nine, day(1997, 2, 3), nine);
    add("day of week without a weekday", "Day of Week", "", 1, "", day(1990, 1, 1), nine,
        day(1997, 1, 31), nine, day(1997, 2, 1), nine);
    add("day of week already ahead", "Day of Week", "Tue", 1, "", day(1997, 2, 20), nine,
        day(1997, 1, 31), nine, day(1997, 2, 20), nine);
    add("first Monday when the 1st is a Monday", "Day of Month", "Mon,1st", 1, "", day(1997, 8, 20),
        nine, day(1997, 8, 20), nine, day(1997, 9, 1), nine);
    add("a Monday on the 8th is no first Monday", "Day of Month", "Mon,1st", 1, "", day(1997, 9, 1),
        nine, day(1997, 9, 1), nine, day(1997, 10, 6), nine);
    add("last Friday, the 31st", "Day of Month", "Fri,Last", 1, "", day(1997, 10, 20), nine,
        day(1997, 10, 20), nine, day(1997, 10, 31), nine);
    add("fourth of five Fridays", "Day of Month", "Fri,4th", 1, "", day(1999, 1, 1), nine,
        day(1999, 1, 1), nine, day(1999, 1, 22), nine);
    add("last of five Fridays", "Day of Month", "Fri,Last", 1, "", day(1999, 1, 1), nine,
        day(1999, 1, 1), nine, day(1999, 1, 29), nine);
    add("second and last Friday: the second", "Day of Month", "Fri,2nd,Last", 1, "",
        day(1999, 1, 1), nine, day(1999, 1, 1), nine, day(1999, 1, 8), nine);
    add("second and last Friday: then the last", "Day of Month", "Fri,2nd,Last", 1, "",
        day(1999, 1, 8), nine, day(1999, 1, 8), nine, day(1999, 1, 29), nine);
    add("day of month moves on even when ahead", "Day of Month", "Wed", 1, "", day(1999, 3, 3),
        nine, day(1999, 1, 1), nine, day(1999, 3, 10), nine);
    add("month end performed on the 31st", "Day of Month", "End", 1, "", day(1997, 1, 31), nine,
        day(1997, 1, 31), nine, day(1997, 2, 28), nine);
    add("month end performed on the 15th", "Day of Month", "End", 1, "", day(1997, 1, 15), nine,
        day(1997, 1, 15), nine, day(1997, 1, 31), nine);
    add("month end across the year", "Day of Month", "End", 1, "", day(1999, 12, 31), nine,
        day(1999, 12, 31), nine, day(2000, 1, 31), nine);
    add("month end of a leap February", "Day of Month", "End", 1, "", day(2000, 1, 31), nine,
        day(2000, 1, 31), nine, day(2000, 2, 29), nine);
    add("every 90 minutes past midnight", "Custom", "", 90, "minute(s)", day(1997, 5, 1), at(23, 0),
        day(1997, 5, 1), at(23, 0, 1), day(1997, 5, 2), at(0, 30));
    add("every minute, at the reference moment", "Custom", "", 1, "minute(s)", day(1997, 5, 1),
        at(10, 0), day(1997, 5, 1), at(10, 0), day(1997, 5, 1), at(10, 0));
    add("every 30 minutes over midnight", "Custom", "", 30, "minute(s)", day(1997, 5, 1),
        at(23, 45), day(1997, 5, 1), at(23, 50), day(1997, 5, 2), at(0, 15));
    add("1500 minutes: a day and an hour a step", "Custom", "", 1500, "minute(s)", day(1997, 5, 1),
        at(8, 0), day(1997, 5, 1), at(8, 0, 1), day(1997, 5, 2), at(9, 0));
    add("400000 minutes: at most 255 days a step", "Custom", "", 400000, "minute(s)",
        day(1997, 5, 1), at(8, 0), day(1997, 5, 1), at(8, 0, 1), day(1997, 5, 1) + 256, at(2, 40));
    add("30 hours: a day and six hours a step", "Custom", "", 30, "hour(s)", day(1997, 5, 1),
        at(20, 0), day(1997, 5, 3), at(0, 0), day(1997, 5, 3), at(2, 0));
    add("every 3 days", "Custom", "", 3, "day(s)", day(1997, 5, 1), nine, day(1997, 5, 7), nine,
        day(1997, 5, 10), nine);
    add("every 2 weeks", "Custom", "", 2, "week(s)", day(1997, 5, 1), nine, day(1997, 5, 15), nine,
        day(1997, 5, 29), nine);
    add("every 2 months from 31 October", "Custom", "", 2, "month(s)", day(1997, 10, 31), nine,
        day(1997, 10, 31), nine, day(1997, 12, 31), nine);
    add("every 2 months from 30 November", "Custom", "", 2, "month(s)", day(1997, 11, 30), nine,
        day(1997, 11, 30), nine, day(1998, 1, 30), nine);
    add("every 14 months, past December", "Custom", "", 14, "month(s)", day(1997, 11, 15), nine,
        day(1997, 11, 15), nine, day(1999, 1, 15), nine);
    add("every 4 years from a leap day", "Custom", "", 4, "year(s)", day(1896, 2, 29), nine,
        day(1896, 2, 29), nine, day(1900, 3, 1), nine);
    add("a blank type is a custom repetition", "", "", 1, "day(s)", day(1997, 5, 1), nine,
        day(1997, 5, 1), nine, day(1997, 5, 2), nine);
    add("units known by their first three letters", "Custom", "", 1, "WEEKS", day(1997, 5, 1), nine,
        day(1997, 5, 1), nine, day(1997, 5, 8), nine);
}

void TestOccurrence::nextOccurrence()
{
    QFETCH(QString, type);
    QFETCH(QString, flags);
    QFETCH(int, every);
    QFETCH(QString, unit);
    QFETCH(qint64, date);
    QFETCH(qint64, time);
    QFETCH(qint64, refDate);
    QFETCH(qint64, refTime);
    QFETCH(qint64, nextDate);
    QFETCH(qint64, nextTime);
    for (auto next : {&NextOccurrence, &NextOccurrenceStepwise}) {
        ScriptedPresenter messages;
        Record t = task(type, flags, every, unit, date, time);
        next(t, refDate, refTime, messages);
        QCOMPARE(dates::toDate(t.number(SCH::Date)), dates::toDate(nextDate));
        QCOMPARE(t.number(SCH::Time), nextTime);
        QVERIFY(messages.shown().empty());
        QCOMPARE(t.number(SCH::COMPLETED), 0);
    }
}

void TestOccurrence::countBelowOneIsRaisedAndKept()
{
    ScriptedPresenter messages;
    Record t = task("Custom", "", 0, "day(s)", day(1997, 5, 1), at(9, 0));
    NextOccurrence(t, day(1997, 5, 1), at(9, 0), messages);
    QCOMPARE(t.number(SCH::Every), 1);
    QCOMPARE(t.number(SCH::Date), day(1997, 5, 2));
}

void TestOccurrence::unknownUnitIsReportedAndRecursDaily()
{
    ScriptedPresenter messages;
    Record t = task("Custom", "", 1, "fortnight(s)", day(1990, 1, 1), at(9, 0));
    NextOccurrence(t, day(1997, 5, 1), at(9, 0), messages);
    QCOMPARE(t.number(SCH::Date), day(1997, 5, 2));
    QCOMPARE(messages.shown().size(), 1u);
    QCOMPARE(messages.shown().front().caption, QString("Invalid Units"));
    QCOMPARE(messages.shown().front().text,
             QString("Custom repetition is not set up properly.  Select units."));
}

void TestOccurrence::onceIsCompleted()
{
    ScriptedPresenter messages;
    Record t = task("Once", "", 1, "", day(1997, 5, 1), at(9, 0));
    NextOccurrence(t, day(1997, 5, 1), at(9, 0), messages);
    QCOMPARE(t.number(SCH::COMPLETED), 1);
    QCOMPARE(t.number(SCH::Date), day(1997, 5, 1));
}

void TestOccurrence::compareDateTime_data()
{
    QTest::addColumn<qint64>("d1");
    QTest::addColumn<qint64>("t1");
    QTest::addColumn<qint64>("d2");
    QTest::addColumn<qint64>("t2");
    QTest::addColumn<int>("result");
    const qint64 d = day(1997, 5, 1);
    QTest::newRow("past the end of day is the next day")
        << d << qint64(8640001) << d + 1 << qint64(1) << 0;
    QTest::newRow("earlier time") << d << qint64(1) << d << qint64(2) << -1;
    QTest::newRow("later date wins over time") << d + 1 << qint64(1) << d << dates::EndOfDay << 1;
    QTest::newRow("reduced once only")
        << d << qint64(2 * 8640000 + 1) << d + 1 << qint64(8640001) << -1;
    QTest::newRow("not set is before midnight") << d << qint64(0) << d << qint64(1) << -1;
}

void TestOccurrence::compareDateTime()
{
    QFETCH(qint64, d1);
    QFETCH(qint64, t1);
    QFETCH(qint64, d2);
    QFETCH(qint64, t2);
    QTEST(CompareDateTime(d1, t1, d2, t2), "result");
    QCOMPARE(CompareDateTime(d2, t2, d1, t1), -CompareDateTime(d1, t1, d2, t2));
}

void TestOccurrence::dateFitsSchedule_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<qint64>("date");
    QTest::addColumn<bool>("fits");
    QTest::newRow("monthly fits any date") << "Monthly"
                                           << "" << day(1997, 9, 3) << true;
    QTest::newRow("selected weekday") << "Day of Week"
                                      << "Mon" << day(1997, 9, 1) << true;
    QTest::newRow("other weekday") << "Day of Week"
                                   << "Mon" << day(1997, 9, 2) << false;
    QTest::newRow("no weekday selected") << "Day of Week"
                                         << "" << day(1997, 9, 1) << false;
    QTest::newRow("month end") << "Day of Month"
                               << "End" << day(1997, 2, 28) << true;
    QTest::newRow("not the month end") << "Day of Month"
                                       << "End" << day(1997, 2, 27) << false;
    QTest::newRow("first Monday") << "Day of Month"
                                  << "Mon,1st" << day(1997, 9, 1) << true;
    QTest::newRow("second Monday") << "Day of Month"
                                   << "Mon,1st" << day(1997, 9, 8) << false;
    QTest::newRow("no week flag") << "Day of Month"
                                  << "Mon" << day(1997, 9, 1) << false;
    QTest::newRow("last Friday") << "Day of Month"
                                 << "Fri,Last" << day(1997, 10, 31) << true;
    QTest::newRow("fourth Friday, not the last") << "Day of Month"
                                                 << "Fri,Last" << day(1997, 10, 24) << false;
    QTest::newRow("the task's own date") << "Day of Week"
                                         << "Mon" << qint64(0) << true;
}

void TestOccurrence::dateFitsSchedule()
{
    QFETCH(QString, type);
    QFETCH(QString, flags);
    QFETCH(qint64, date);
    QTEST(DateFitsSchedule(task(type, flags, 1, "", day(1997, 9, 1)), date), "fits");
}

void TestOccurrence::fastPathEqualsTheStepwiseRule()
{
    QRandomGenerator gen(19591031);
    const QStringList types{"Once",         "Monthly", "Yearly", "Day of Week",
                            "Day of Month", "Custom",  "",       "Weekly-ish"};
    const QStringList units{"minute(s)", "hour(s)", "day(s)", "week(s)", "month(s)",
                            "year(s)",   "",        "MIN",    "decades"};
    const int counts[] = {-3, 0,  1,  2,  3,    7,    13,   23,   24,
                          25, 59, 61, 90, 1439, 1440, 1441, 3000, 400000};
    const qint64 times[] = {0, 1, 2, 4320001, 8639999, 8640000, 8640001, 9000000};
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        Record t(SCH::table());
        t.setText(SCH::ScheduleType, types[gen.bounded(int(types.size()))]);
        const QString unit = units[gen.bounded(int(units.size()))];
        t.setText(SCH::EveryType, unit);
        t.setNumber(SCH::Every, gen.bounded(3) == 0 ? counts[gen.bounded(int(std::size(counts)))]
                                                    : gen.bounded(1, 40));
        for (int f = SCH::Sunday; f <= SCH::Saturday; ++f)
            t.setNumber(f, gen.bounded(4) == 0);
        for (int f = SCH::Every1st; f <= SCH::LastDayofMonth; ++f)
            t.setNumber(f, gen.bounded(5) == 0);
        const qint64 date = day(1900, 1, 1) + gen.bounded(200 * 365);
        t.setNumber(SCH::Date, date);
        t.setNumber(SCH::Time, gen.bounded(3) == 0 ? times[gen.bounded(int(std::size(times)))]
                                                   : 1 + gen.bounded(8640000));
        // Minutes and hours are kept within weeks of the reference, or the stepwise rule
        // would take minutes to get there; everything else up to 20 years.
        const bool timeUnit = unit.left(3).toLower() == "min" || unit.left(3).toLower() == "hou";
        const qint64 behind = timeUnit ? gen.bounded(-2, 40) : gen.bounded(-400, 20 * 366);
        const qint64 refDate = date + behind;
        const qint64 refTime = gen.bounded(4) == 0 ? times[gen.bounded(int(std::size(times)))]
                                                   : 1 + gen.bounded(8640000);
        ScriptedPresenter fastMessages;
        ScriptedPresenter stepMessages;
        Record fast = t;
        Record stepwise = t;
        NextOccurrence(fast, refDate, refTime, fastMessages);
        NextOccurrenceStepwise(stepwise, refDate, refTime, stepMessages);
        if (!fast.sameValues(stepwise) || fastMessages.numbers() != stepMessages.numbers()) {
            QFAIL(qPrintable(QString("task %1: %2 every %3 %4 from %5 %6, reference %7 %8: fast %9 "
                                     "%10, stepwise %11 %12")
                                 .arg(i)
                                 .arg(t.text(SCH::ScheduleType))
                                 .arg(t.number(SCH::Every))
                                 .arg(unit)
                                 .arg(date)
                                 .arg(t.number(SCH::Time))
                                 .arg(refDate)
                                 .arg(refTime)
                                 .arg(fast.number(SCH::Date))
                                 .arg(fast.number(SCH::Time))
                                 .arg(stepwise.number(SCH::Date))
                                 .arg(stepwise.number(SCH::Time))));
        }
        ++compared;
    }
    QCOMPARE(compared, 20000);
}

QTEST_GUILESS_MAIN(TestOccurrence)
#include "tst_occurrence.moc"
