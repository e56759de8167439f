#include "DataFolder.h"
#include "ManualClock.h"
#include "Moments.h"
#include "Rows.h"
#include "scheduler/Exceptions.h"
#include "scheduler/Occurrence.h"
#include "store/Dates.h"
#include "store/OpenTable.h"
#include "store/tables/Holidays.h"
#include "store/tables/Schedule.h"

#include <QTest>

using namespace store;
using scheduler::ApplyExceptions;

namespace {

const qint64 Saturday = day(1997, 3, 8);
const qint64 NineAm = dates::timeValue(QTime(9, 0));

} // namespace

class TestExceptions final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void excludedSaturday_data();
    void excludedSaturday();
    void skippedAgainAfterMovingOn();
    void earlierCopyReplaced_data();
    void earlierCopyReplaced();
    void weekendsClearWeekdays();
    void holidaysPushTheCopyOn();
    void annualHolidayRollsToNextYear();
    void timeWindow_data();
    void timeWindow();
    void onceTaskLosesItsRule();
    void noRuleChangesNothing();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    ManualClock m_clock{QDateTime(QDate(1997, 3, 1), QTime(8, 0))};
    Record &current() { return m_ctx->record(TableId::Schedule); }
    // Stores a weekly Saturday task (number 1) and makes it current.
    void saturdayTask(const FieldValues &rule);
    Record stored(qint64 id);
};

void TestExceptions::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::Schedule));
    QVERIFY(OpenTable(*m_ctx, TableId::Holidays));
}

void TestExceptions::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestExceptions::saturdayTask(const FieldValues &rule)
{
    FieldValues values{{SCH::ID, 1},
                       {SCH::Description, "Mow the lawn"},
                       {SCH::ScheduleType, "Day of Week"},
                       {SCH::Saturday, 1},
                       {SCH::Date, Saturday},
                       {SCH::Time, NineAm},
                       {SCH::Message, "Before it rains"}};
    values.insert(values.end(), rule.begin(), rule.end());
    QVERIFY(addRow(*m_ctx, TableId::Schedule, values).ok());
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
}

Record TestExceptions::stored(qint64 id)
{
    RecordContext reader(m_data->store());
    if (!OpenTable(reader, TableId::Schedule) ||
        !loadRow(reader, TableId::Schedule, SCH::KEYID, SCH::ID, id))
        return Record(SCH::table());
    return reader.record(TableId::Schedule);
}

void TestExceptions::excludedSaturday_data()
{
    QTest::addColumn<QString>("shift");
    QTest::addColumn<qint64>("copyDate");
    QTest::newRow("next day is Monday") << "Next Day" << Saturday + 2;
    QTest::newRow("previous day is Friday") << "Previous Day" << Saturday - 1;
    QTest::newRow("skip makes no copy") << "Skip (to Next Valid " << qint64(0);
}

void TestExceptions::excludedSaturday()
{
    QFETCH(QString, shift);
    QFETCH(qint64, copyDate);
    saturdayTask({{SCH::ExceptWeekends, 1}, {SCH::ShiftType, shift}});
    QVERIFY(ApplyExceptions(*m_ctx, false, m_clock));

    const Record source = stored(1);
    QCOMPARE(source.number(SCH::Date), Saturday);
    QCOMPARE(source.number(SCH::SkipNextTime), 1);
    QCOMPARE(source.number(SCH::ExceptionLink), copyDate ? 2 : 0);
    QCOMPARE(source.text(SCH::ScheduleType), QString("Day of Week"));
    const Record copy = stored(2);
    QCOMPARE(copy.number(SCH::Date), copyDate);
    if (copyDate) {
        QCOMPARE(copy.text(SCH::ScheduleType), QString("Once"));
        QCOMPARE(copy.number(SCH::SkipNextTime), 0);
        QCOMPARE(copy.number(SCH::ExceptionLink), 0);
        QCOMPARE(copy.number(SCH::Time), NineAm);
        QCOMPARE(copy.text(SCH::Description), QString("Mow the lawn"));
        QCOMPARE(copy.text(SCH::Message), QString("Before it rains"));
    }
    QCOMPARE(current().number(SCH::ID), 1);
}

void TestExceptions::skippedAgainAfterMovingOn()
{
    saturdayTask({{SCH::ExceptWeekends, 1}});
    QVERIFY(ApplyExceptions(*m_ctx, false, m_clock));
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    current().setNumber(SCH::SkipNextTime, 0);
    scheduler::NextOccurrence(current(), Saturday, NineAm, m_data->messages());
    QCOMPARE(current().number(SCH::Date), Saturday + 7);
    QVERIFY(ApplyExceptions(*m_ctx, false, m_clock));
    QCOMPARE(stored(1).number(SCH::SkipNextTime), 1);
    QCOMPARE(stored(1).number(SCH::Date), Saturday + 7);
}

void TestExceptions::earlierCopyReplaced_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("from the task form") << true;
    QTest::newRow("from the dispatcher") << false;
}

void TestExceptions::earlierCopyReplaced()
{
    QFETCH(bool, replace);
    saturdayTask({{SCH::ExceptWeekends, 1}, {SCH::ShiftType, "Next Day"}, {SCH::ExceptionLink, 5}});
    QVERIFY(addRow(*m_ctx, TableId::Schedule,
                   {{SCH::ID, 5}, {SCH::ScheduleType, "Once"}, {SCH::Date, Saturday - 5}})
                .ok());
    QVERIFY(ApplyExceptions(*m_ctx, replace, m_clock));
    QCOMPARE(stored(1).number(SCH::ExceptionLink), 6);
    QCOMPARE(stored(6).number(SCH::Date), Saturday + 2);
    QCOMPARE(stored(5).number(SCH::ID), replace ? 0 : 5);
}

void TestExceptions::weekendsClearWeekdays()
{
    saturdayTask({{SCH::ExceptWeekends, 1}, {SCH::ExceptWeekdays, 1}, {SCH::Date, Saturday + 2}});
    QVERIFY(!ApplyExceptions(*m_ctx, false, m_clock));
    QCOMPARE(current().number(SCH::ExceptWeekdays), 0);
    QCOMPARE(current().number(SCH::SkipNextTime), 0);
}

void TestExceptions::holidaysPushTheCopyOn()
{
    // Monday and Tuesday are holidays: a Monday task goes to Wednesday.
    for (qint64 d : {Saturday + 2, Saturday + 3})
        QVERIFY(addRow(*m_ctx, TableId::Holidays, {{HOL::HOLIDAYDATE, d}, {HOL::HOLIDAY, "Fair"}})
                    .ok());
    saturdayTask(
        {{SCH::ExceptHolidays, 1}, {SCH::ShiftType, "Next Day"}, {SCH::Date, Saturday + 2}});
    QVERIFY(ApplyExceptions(*m_ctx, false, m_clock));
    QCOMPARE(stored(2).number(SCH::Date), Saturday + 4);
}

void TestExceptions::annualHolidayRollsToNextYear()
{
    m_clock.set(QDateTime(QDate(1997, 1, 3), QTime(8, 0)));
    const struct {
        qint64 date;
        const char *name;
        int annual;
    } holidays[] = {{day(1996, 2, 29), "Leap", 1},
                    {day(1996, 12, 25), "Christmas", 1},
                    {day(1996, 12, 31), "Once only", 0},
                    {day(1997, 1, 6), "Epiphany", 1}};
    for (const auto &h : holidays) {
        QVERIFY(
            addRow(*m_ctx, TableId::Holidays,
                   {{HOL::HOLIDAYDATE, h.date}, {HOL::HOLIDAY, h.name}, {HOL::ANNUAL, h.annual}})
                .ok());
    }
    saturdayTask({{SCH::ExceptHolidays, 1}});
    QVERIFY(!ApplyExceptions(*m_ctx, false, m_clock));
    QCOMPARE(
        columnInKeyOrder(*m_ctx, TableId::Holidays, HOL::KeyHolidayDate, HOL::HOLIDAYDATE),
        (QVariantList{day(1996, 12, 31), day(1997, 1, 6), day(1997, 3, 1), day(1997, 12, 25)}));
}

void TestExceptions::timeWindow_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("every");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("windowEnd"); // hour; 0 for none given
    QTest::addColumn<qint64>("date");
    QTest::addColumn<QTime>("moved");
    QTest::newRow("every 15 minutes, due at 12:15")
        << "Custom" << 15 << "minute(s)" << QTime(12, 15) << 13 << Saturday << QTime(13, 0);
    QTest::newRow("daily at 12:30")
        << "Custom" << 1 << "day(s)" << QTime(12, 30) << 13 << Saturday + 1 << QTime(13, 0);
    QTest::newRow("window open to the end of day")
        << "Custom" << 1 << "day(s)" << QTime(20, 0) << 0 << Saturday + 1 << QTime(23, 59, 59, 990);
}

void TestExceptions::timeWindow()
{
    QFETCH(QString, type);
    QFETCH(int, every);
    QFETCH(QString, unit);
    QFETCH(QTime, time);
    QFETCH(int, windowEnd);
    QFETCH(qint64, date);
    QFETCH(QTime, moved);
    saturdayTask({{SCH::ScheduleType, type},
                  {SCH::Every, every},
                  {SCH::EveryType, unit},
                  {SCH::Time, dates::timeValue(time)},
                  {SCH::ExceptTime, 1},
                  {SCH::ExceptTimeBegin, dates::timeValue(QTime(12, 0))},
                  {SCH::ExceptTimeEnd, windowEnd ? dates::timeValue(QTime(windowEnd, 0)) : 0}});
    QVERIFY(ApplyExceptions(*m_ctx, false, m_clock));
    const Record task = stored(1);
    QCOMPARE(dates::toDate(task.number(SCH::Date)), dates::toDate(date));
    QCOMPARE(dates::toTime(task.number(SCH::Time)), moved);
    QVERIFY(task.number(SCH::ExceptTimeEnd) != 0);
}

void TestExceptions::onceTaskLosesItsRule()
{
    saturdayTask({{SCH::ScheduleType, "Once"},
                  {SCH::ExceptWeekends, 1},
                  {SCH::ExceptTime, 1},
                  {SCH::ExceptTimeBegin, 5},
                  {SCH::ExceptTimeEnd, 9},
                  {SCH::EXCEPTOTHER, "x"}});
    QVERIFY(!ApplyExceptions(*m_ctx, false, m_clock));
    for (int f : {SCH::ExceptWeekends, SCH::ExceptTime, SCH::ExceptTimeBegin, SCH::ExceptTimeEnd})
        QCOMPARE(current().number(f), 0);
    QVERIFY(current().text(SCH::EXCEPTOTHER).isEmpty());
    // Not written here: the caller saves the task.
    QCOMPARE(stored(1).number(SCH::ExceptWeekends), 1);
}

void TestExceptions::noRuleChangesNothing()
{
    saturdayTask({});
    QVERIFY(!ApplyExceptions(*m_ctx, false, m_clock));
    QCOMPARE(stored(1).revision(), 1);
}

QTEST_GUILESS_MAIN(TestExceptions)
#include "tst_exceptions.moc"
