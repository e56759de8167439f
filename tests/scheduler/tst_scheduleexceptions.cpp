#include "DataFolder.h"
#include "Modal.h"
#include "scheduler/ScheduleExceptions.h"
#include "store/Dates.h"
#include "store/OpenTable.h"
#include "store/tables/Schedule.h"
#include "toolkit/ListDecl.h"
#include "toolkit/ListWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace store;
using scheduler::ScheduleExceptions;

class TestScheduleExceptions final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheTasksRule();
    void controlsEnableEachOther();
    void closeTakesTheRuleIntoTheTask();
    void unreadableTimeKeepsTheWindowOpen();
    void defineHolidaysOpensTheHolidayList();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    Record &task() { return m_ctx->record(TableId::Schedule); }
    template <typename W> static W *child(QWidget *parent, const QString &text)
    {
        for (W *w : parent->findChildren<W *>()) {
            if (w->text() == text)
                return w;
        }
        return nullptr;
    }
};

void TestScheduleExceptions::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::Schedule));
}

void TestScheduleExceptions::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestScheduleExceptions::showsTheTasksRule()
{
    task().setNumber(SCH::ExceptHolidays, 1);
    task().setNumber(SCH::ExceptTime, 1);
    task().setNumber(SCH::ExceptTimeBegin, dates::timeValue(QTime(12, 0)));
    task().setText(SCH::ShiftType, "Previous Day");
    ScheduleExceptions w(*m_ctx);
    QCOMPARE(w.windowTitle(), QString("Exceptions"));
    QVERIFY(child<QCheckBox>(&w, "Except Holidays")->isChecked());
    QVERIFY(child<QRadioButton>(&w, "Previous Day")->isChecked());
    QCOMPARE(w.findChildren<QLineEdit *>().first()->text(), QString("12:00PM"));
}

void TestScheduleExceptions::controlsEnableEachOther()
{
    ScheduleExceptions w(*m_ctx);
    auto *weekends = child<QCheckBox>(&w, "Except Weekends");
    auto *weekdays = child<QCheckBox>(&w, "Except Weekdays");
    auto *range = child<QCheckBox>(&w, "Except Time Range");
    auto *action = w.findChild<QGroupBox *>();
    QVERIFY(!action->isEnabled());
    QVERIFY(!w.findChildren<QLineEdit *>().first()->isEnabled());
    weekends->click();
    QVERIFY(!weekdays->isEnabled());
    QVERIFY(action->isEnabled());
    weekends->click();
    QVERIFY(weekdays->isEnabled());
    weekdays->click();
    QVERIFY(!weekends->isEnabled());
    range->click();
    QVERIFY(w.findChildren<QLineEdit *>().first()->isEnabled());
}

void TestScheduleExceptions::closeTakesTheRuleIntoTheTask()
{
    ScheduleExceptions w(*m_ctx);
    child<QCheckBox>(&w, "Except Weekends")->click();
    child<QCheckBox>(&w, "Except Time Range")->click();
    w.findChildren<QLineEdit *>()[0]->setText("12:00PM");
    w.findChildren<QLineEdit *>()[1]->setText("13:00");
    child<QRadioButton>(&w, "Skip (to Next Valid Day)")->click();
    child<QPushButton>(&w, "Cl&ose")->click();
    QCOMPARE(task().number(SCH::ExceptWeekends), 1);
    QCOMPARE(task().number(SCH::ExceptTime), 1);
    QCOMPARE(task().number(SCH::ExceptTimeEnd), dates::timeValue(QTime(13, 0)));
    QCOMPARE(task().text(SCH::ShiftType), QString("Skip (to Next Valid"));
    QVERIFY(m_data->readFile("POSITION.INI").contains("[ScheduleExceptions]"));
}

void TestScheduleExceptions::unreadableTimeKeepsTheWindowOpen()
{
    ScheduleExceptions w(*m_ctx);
    w.show();
    child<QCheckBox>(&w, "Except Time Range")->click();
    w.findChildren<QLineEdit *>()[0]->setText("lunchtime");
    child<QPushButton>(&w, "Cl&ose")->click();
    QVERIFY(w.isVisible());
    QCOMPARE(m_data->messages().shown().back().caption, QString("Invalid Entry"));
    QCOMPARE(task().number(SCH::ExceptTime), 0);
}

void TestScheduleExceptions::defineHolidaysOpensTheHolidayList()
{
    ScheduleExceptions w(*m_ctx);
    w.show();
    QString caption;
    onNextModal(this, [&](QWidget *dialog) {
        auto *list = dialog->findChild<toolkit::ListWindow *>();
        caption = dialog->windowTitle();
        list->button(toolkit::Action::Close)->click();
    });
    child<QPushButton>(&w, "Define Holidays...")->click();
    QCOMPARE(caption, QString("Browse Holidays"));
}

QTEST_MAIN(TestScheduleExceptions)
#include "tst_scheduleexceptions.moc"
