#include "DataFolder.h"
#include "ManualClock.h"
#include "Moments.h"
#include "schedule_ui/Calendar.h"
#include "store/Dates.h"
#include "store/tables/Schedule.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace store;
using schedule_ui::Calendar;

namespace {

// The days of the shown month whose buttons can be pressed, and those shown at all.
QList<int> days(const Calendar &c, bool enabledOnly)
{
    QList<int> list;
    for (int i = 0; i < 42; ++i) {
        const QPushButton *b = c.dayButton(i);
        if (!b->text().isEmpty() && (!enabledOnly || b->isEnabled()))
            list << b->text().toInt();
    }
    return list;
}

} // namespace

class TestCalendar final : public QObject {
    Q_OBJECT

private slots:
    void init() { m_data = std::make_unique<DataFolder>(); }
    void cleanup() { m_data.reset(); }
    void theGridStartsOnTheFirstsWeekday();
    void onlyTheDaysTheScheduleRunsOn();
    void everyDayWithNone();
    void monthAndYearWrap();
    void typedMonthAndYearOutOfRange_data();
    void typedMonthAndYearOutOfRange();
    void anEarlierDayIsConfirmed();
    void closeReturnsTheStartDate();

private:
    std::unique_ptr<DataFolder> m_data;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(9, 0))};
};

void TestCalendar::theGridStartsOnTheFirstsWeekday()
{
    Calendar c(m_data->store(), m_clock, 0, "Select Date", "None", nullptr);
    QCOMPARE(c.shownMonth(), 12);
    QCOMPARE(c.shownYear(), 2026);
    // 1 December 2026 is a Tuesday: the third button of the first row.
    QCOMPARE(c.dayButton(1)->text(), QString());
    QCOMPARE(c.dayButton(2)->text(), QString("1"));
    QCOMPARE(c.dayButton(32)->text(), QString("31"));
    QCOMPARE(days(c, false).size(), 31);
    c.showMonth(2, 2026); // February 2026 begins on a Sunday and fills four rows exactly
    QCOMPARE(c.dayButton(0)->text(), QString("1"));
    QCOMPARE(c.dayButton(27)->text(), QString("28"));
    QCOMPARE(c.dayButton(28)->text(), QString());
}

void TestCalendar::onlyTheDaysTheScheduleRunsOn()
{
    Record task(SCH::table());
    task.setText(SCH::ScheduleType, "Day of Week");
    task.setNumber(SCH::Monday, 1);
    task.setNumber(SCH::Date, day(2026, 12, 14));
    Calendar c(m_data->store(), m_clock, day(2026, 12, 14), QString(), QString(), &task);
    QCOMPARE(days(c, true), (QList<int>{7, 14, 21, 28}));
    QCOMPARE(days(c, false).size(), 31);
    c.showMonth(1, 2027);
    QCOMPARE(days(c, true), (QList<int>{4, 11, 18, 25}));
}

void TestCalendar::everyDayWithNone()
{
    Record task(SCH::table());
    task.setText(SCH::ScheduleType, "Day of Week");
    task.setNumber(SCH::Monday, 1);
    Calendar c(m_data->store(), m_clock, 0, "Select Date", "None", &task);
    QCOMPARE(days(c, true).size(), 31);
    QCOMPARE(c.windowTitle(), QString("Select Date"));
}

void TestCalendar::monthAndYearWrap()
{
    Calendar c(m_data->store(), m_clock, day(2099, 12, 1), QString(), "None", nullptr);
    c.showMonth(c.shownMonth(), c.shownYear() + 1);
    QCOMPARE(c.shownYear(), 1801);
    c.showMonth(c.shownMonth() + 1, c.shownYear());
    QCOMPARE(c.shownMonth(), 1);
    QCOMPARE(c.shownYear(), 1802);
    c.showMonth(c.shownMonth() - 1, c.shownYear());
    QCOMPARE(c.shownMonth(), 12);
    QCOMPARE(c.shownYear(), 1801);
    c.showMonth(c.shownMonth(), c.shownYear() - 1);
    QCOMPARE(c.shownYear(), 2099);
}

void TestCalendar::typedMonthAndYearOutOfRange_data()
{
    QTest::addColumn<int>("field"); // 0 the month, 1 the year
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // blank: accepted
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::newRow("month 13") << 0 << "13"
                              << "Month should be between 1 to 12" << 12 << 2026;
    QTest::newRow("month 0") << 0 << "0"
                             << "Month should be between 1 to 12" << 12 << 2026;
    QTest::newRow("month 3") << 0 << "3"
                             << "" << 3 << 2026;
    QTest::newRow("year 1800") << 1 << "1800"
                               << "Year should be between 1801 to 2099" << 12 << 2026;
    QTest::newRow("year 2100") << 1 << "2100"
                               << "Year should be between 1801 to 2099" << 12 << 2026;
    QTest::newRow("year 1959") << 1 << "1959"
                               << "" << 12 << 1959;
}

void TestCalendar::typedMonthAndYearOutOfRange()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(int, month);
    QFETCH(int, year);
    Calendar c(m_data->store(), m_clock, 0, QString(), "None", nullptr);
    QLineEdit *edit = c.findChildren<QLineEdit *>().at(field);
    edit->setText(typed);
    emit edit->editingFinished();
    const auto &shown = m_data->messages().shown();
    QCOMPARE(shown.empty() ? QString() : shown.front().text, message);
    if (!message.isEmpty())
        QCOMPARE(shown.front().caption, QString("Error Message"));
    QCOMPARE(c.shownMonth(), month);
    QCOMPARE(c.shownYear(), year);
}

void TestCalendar::anEarlierDayIsConfirmed()
{
    Calendar c(m_data->store(), m_clock, 0, QString(), "None", nullptr);
    m_data->messages().answerNext(Button::No);
    c.pick(9);
    QCOMPARE(m_data->messages().shown().back().caption, QString("Confirm"));
    QCOMPARE(
        m_data->messages().shown().back().text,
        QString("You have selected a date earlier than today.  Do you wish to use this date?"));
    QCOMPARE(c.result(), int(QDialog::Rejected));
    QCOMPARE(c.date(), 0);
    m_data->messages().answerNext(Button::Yes);
    c.pick(9);
    QCOMPARE(c.result(), int(QDialog::Accepted));
    QCOMPARE(c.date(), day(2026, 12, 9));
    // Today and later need no question.
    m_data->messages().clear();
    Calendar later(m_data->store(), m_clock, 0, QString(), "None", nullptr);
    later.dayButton(11)->click(); // the 10th
    QVERIFY(m_data->messages().shown().empty());
    QCOMPARE(later.date(), day(2026, 12, 10));
}

void TestCalendar::closeReturnsTheStartDate()
{
    Calendar c(m_data->store(), m_clock, day(2027, 3, 5), QString(), "None", nullptr);
    c.showMonth(6, 2030);
    for (QPushButton *b : c.findChildren<QPushButton *>()) {
        if (b->text() == "Cl&ose")
            b->click();
    }
    QCOMPARE(c.result(), int(QDialog::Rejected));
    QCOMPARE(c.date(), day(2027, 3, 5));
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
