#include "DataFolder.h"
#include "ManualClock.h"
#include "Modal.h"
#include "Moments.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "schedule_ui/BrowseSchedule.h"
#include "schedule_ui/Calendar.h"
#include "schedule_ui/QuickStart.h"
#include "schedule_ui/SelectedDay.h"
#include "schedule_ui/TaskLook.h"
#include "schedule_ui/UpdateSchedule.h"
#include "scheduler/TaskNotices.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/OpenTable.h"
#include "store/Pictures.h"
#include "store/RecordIo.h"
#include "store/Settings.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "store/tables/TagFile.h"
#include "toolkit/KeyListModel.h"
#include "toolkit/ListBox.h"
#include "toolkit/ListWindow.h"

#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace store;
using schedule_ui::ScheduleBrowser;
using toolkit::ListWindow;

namespace {

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << (a->isSeparator() ? QString("-") : a->text() + (a->isEnabled() ? "" : " (off)"));
    return texts;
}

} // namespace

class TestBrowseSchedule final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rowsShowTheTaskState_data();
    void rowsShowTheTaskState();
    void eachViewListsItsTasks();
    void buttonsFollowTheTabAndTheList();
    void theMenuMirrorsTheButtons();
    void quickStartAddsAOneTimeCopy_data();
    void quickStartAddsAOneTimeCopy();
    void aPickedDayIsWhereNewTasksStart();
    void addingInTheCategoryViewGivesTheCategory();
    void copyStartsFromTheHighlightedTask();
    void theShownDayFollowsMidnight();
    void runNowTakesTheTaskAsStored();
    void theSchedulersNoticeReloads();
    void captionAndFirstViewFollowTheSettings();

private:
    qint64 addTask(qint64 id, const char *description, qint64 date, const FieldValues &more = {});
    void tag(qint64 id, int table = 1);
    ListWindow *openBrowser();
    ScheduleBrowser *browser() const { return m_window->findChild<ScheduleBrowser *>(); }
    QStringList column(int column) const;
    void highlight(const QString &description);
    QPushButton *button(const char *text) const { return m_window->button(text); }
    // Acts on the task form once it is the window in front (after any progress window).
    void onForm(std::function<void(schedule_ui::ScheduleForm *)> act)
    {
        onNextModal(this, [this, act](QWidget *w) {
            if (auto *form = qobject_cast<schedule_ui::ScheduleForm *>(w))
                act(form);
            else
                onForm(act);
        });
    }

    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    std::unique_ptr<TableUse> m_tables[3];
    ManualClock m_clock{QDateTime()};
    RecordingSoundPlayer m_sound;
    scheduler::TaskNotices m_notices;
    std::vector<Record> m_ran;
    QPointer<ListWindow> m_window;
};

void TestBrowseSchedule::init()
{
    settings() = Settings();
    schedule_ui::publishBrowsedDay(0);
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    const TableId tables[] = {TableId::Schedule, TableId::Scripting, TableId::TagFile};
    for (std::size_t i = 0; i < std::size(tables); ++i)
        m_tables[i] = std::make_unique<TableUse>(*m_ctx, tables[i]);
    m_ran.clear();
    m_clock.set(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
}

void TestBrowseSchedule::cleanup()
{
    delete m_window;
    for (auto &t : m_tables)
        t.reset();
    m_ctx.reset();
    m_data.reset();
}

qint64 TestBrowseSchedule::addTask(qint64 id, const char *description, qint64 date,
                                   const FieldValues &more)
{
    FieldValues values{{SCH::ID, id},
                       {SCH::Description, description},
                       {SCH::TaskType, "Display Message"},
                       {SCH::ScheduleType, "Once"},
                       {SCH::Date, date},
                       {SCH::Time, at(10, 0)}};
    values.insert(values.end(), more.begin(), more.end());
    Record task = makeRecord(TableId::Schedule, values);
    const bool added = addRecord(*m_ctx->connection(TableId::Schedule), &task).ok();
    return added ? task.position() : 0;
}

void TestBrowseSchedule::tag(qint64 position, int table)
{
    QVERIFY(addRow(*m_ctx, TableId::TagFile,
                   {{TF_::USR, 0}, {TF_::TBL, table}, {TF_::PTR, position}, {TF_::VAL, "x"}})
                .ok());
}

ListWindow *TestBrowseSchedule::openBrowser()
{
    const schedule_ui::TaskServices services{
        m_clock, m_sound, [this](const Record &task) { m_ran.push_back(task); }, &m_notices};
    m_window = ScheduleBrowser::open(m_data->store(), services);
    return m_window;
}

QStringList TestBrowseSchedule::column(int c) const
{
    QStringList shown;
    const toolkit::KeyListModel *model = m_window->list()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        shown << model->index(row, c).data().toString();
    return shown;
}

void TestBrowseSchedule::highlight(const QString &description)
{
    const int row = int(column(4).indexOf(description));
    QVERIFY(row >= 0);
    m_window->list()->highlight(row);
}

void TestBrowseSchedule::rowsShowTheTaskState_data()
{
    QTest::addColumn<FieldValues>("flags");
    QTest::addColumn<int>("state");
    QTest::addColumn<QColor>("colour");
    const QColor gray(128, 128, 128);
    using schedule_ui::TaskState;
    QTest::newRow("history copy") << FieldValues{{SCH::COMPLETED, 1}, {SCH::Disabled, 1}}
                                  << int(TaskState::Done) << gray;
    QTest::newRow("skip next time")
        << FieldValues{{SCH::SkipNextTime, 1}} << int(TaskState::SkipNext) << QColor(Qt::blue);
    QTest::newRow("disabled") << FieldValues{{SCH::Disabled, 1}} << int(TaskState::Disabled)
                              << gray;
    QTest::newRow("waiting") << FieldValues{} << int(TaskState::Scheduled) << QColor();
}

void TestBrowseSchedule::rowsShowTheTaskState()
{
    QFETCH(FieldValues, flags);
    QFETCH(int, state);
    QFETCH(QColor, colour);
    addTask(1, "Task", day(2026, 12, 10), flags);
    openBrowser();
    const toolkit::KeyListModel *model = m_window->list()->model();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 0).data(Qt::ToolTipRole).toString(),
             schedule_ui::stateText(schedule_ui::TaskState(state)));
    QVERIFY(!model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QCOMPARE(model->index(0, 1).data(Qt::ForegroundRole).value<QColor>(), colour);
    // Only the date is coloured.
    QVERIFY(!model->index(0, 4).data(Qt::ForegroundRole).isValid());
}

void TestBrowseSchedule::eachViewListsItsTasks()
{
    const qint64 marked1 = addTask(1, "Dentist", day(2026, 12, 14), {{SCH::Category, "home"}});
    addTask(2, "Report", day(2026, 12, 10), {{SCH::Category, "Work"}});
    addTask(3, "Plants", day(2026, 12, 10), {{SCH::Category, "HOME"}, {SCH::Time, at(8, 0)}});
    const qint64 marked2 = addTask(4, "Taxes", day(2026, 12, 11));
    // A mark of another table's record at the same position is not a task's.
    const qint64 unmarked = addTask(5, "Gym", day(2026, 12, 9));
    tag(marked1);
    tag(marked2);
    tag(unmarked, 2);
    openBrowser();
    QCOMPARE(m_window->currentTab(), int(ScheduleBrowser::DayView));
    QCOMPARE(column(4), (QStringList{"Plants", "Report"}));

    m_window->selectTab(ScheduleBrowser::AllByDate);
    QCOMPARE(column(4), (QStringList{"Gym", "Plants", "Report", "Taxes", "Dentist"}));

    browser()->setCategory("Home");
    m_window->selectTab(ScheduleBrowser::ByCategory);
    QCOMPARE(column(4), (QStringList{"Dentist", "Plants"}));

    m_window->selectTab(ScheduleBrowser::Marked);
    QCOMPARE(column(4), (QStringList{"Taxes", "Dentist"}));
}

void TestBrowseSchedule::buttonsFollowTheTabAndTheList()
{
    openBrowser();
    m_window->show();
    QVERIFY(button("&Pick Day")->isVisible());
    QVERIFY(!button("&Pick Category")->isVisible());
    for (const char *needsTask : {"Cop&y", "&Edit", "&Delete", "Run Now"})
        QVERIFY2(!button(needsTask)->isEnabled(), needsTask);
    QVERIFY(button("&Add")->isEnabled());
    m_window->selectTab(ScheduleBrowser::ByCategory);
    QVERIFY(!button("&Pick Day")->isVisible());
    QVERIFY(button("&Pick Category")->isVisible());
    QCOMPARE(button("Run Now")->toolTip(), QString("Run the highlighted task"));
}

void TestBrowseSchedule::theMenuMirrorsTheButtons()
{
    addTask(1, "Report", day(2026, 12, 10));
    openBrowser();
    m_window->show();
    QStringList shown;
    QStringList quickStarts;
    onNextModal(this, [&](QWidget *w) {
        auto *menu = qobject_cast<QMenu *>(w);
        shown = menuTexts(menu);
        for (QAction *a : menu->actions()) {
            if (a->menu())
                quickStarts = menuTexts(a->menu());
        }
        menu->close();
    });
    emit m_window->list()->view()->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(shown, (QStringList{"&Add", "&Edit", "&Delete", "-", "Cop&y", "-", "Run Now",
                                 "Quick Start"}));
    QCOMPARE(quickStarts, (QStringList{"Start Now", "-", "5 minutes", "10 minutes", "30 minutes",
                                       "1 hour", "2 hours", "3 hours", "-", "Cancel"}));

    m_window->selectTab(ScheduleBrowser::Marked);
    onNextModal(this, [&](QWidget *w) {
        shown = menuTexts(qobject_cast<QMenu *>(w));
        w->close();
    });
    emit m_window->list()->view()->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(shown, (QStringList{"&Add", "&Edit (off)", "&Delete (off)", "-", "Cop&y (off)", "-",
                                 "Run Now (off)", "Quick Start (off)"}));
}

void TestBrowseSchedule::quickStartAddsAOneTimeCopy_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<qint64>("date");
    QTest::addColumn<qint64>("time");
    QTest::newRow("5 minutes before midnight runs into the next day")
        << QTime(23, 58) << "5 minutes" << day(2026, 12, 11) << at(0, 3, 1);
    QTest::newRow("start now") << QTime(9, 30) << "Start Now" << day(2026, 12, 10)
                               << at(9, 30, 1) + 1;
    QTest::newRow("3 hours") << QTime(9, 30) << "3 hours" << day(2026, 12, 10) << at(12, 30, 1);
}

void TestBrowseSchedule::quickStartAddsAOneTimeCopy()
{
    QFETCH(QTime, now);
    QFETCH(QString, choice);
    QFETCH(qint64, date);
    QFETCH(qint64, time);
    m_clock.set(QDateTime(QDate(2026, 12, 10), now));
    addTask(7, "Backup", day(2026, 12, 1),
            {{SCH::ScheduleType, "Day of Week"},
             {SCH::Monday, 1},
             {SCH::AdvanceWarnDate, day(2026, 11, 30)},
             {SCH::AdvanceWarnTime, at(9, 0)},
             {SCH::Disabled, 1},
             {SCH::SkipNextTime, 1},
             {SCH::Message, "Back up the files"}});
    for (qint64 sequence : {1, 2})
        QVERIFY(addRow(*m_ctx, TableId::Scripting,
                       {{SCR::ID, 7}, {SCR::Sequence, sequence}, {SCR::ACTION, "Wait"}})
                    .ok());
    openBrowser();
    m_window->selectTab(ScheduleBrowser::AllByDate);
    highlight("Backup");
    qint64 delay = -1;
    for (const schedule_ui::QuickStartChoice &c : schedule_ui::quickStartChoices()) {
        if (c.text && choice == c.text)
            delay = c.delay;
    }
    browser()->quickStart(delay);

    Record copy(SCH::table());
    QVERIFY(KeyRead(SCH::table(), SCH::KEYID)
                .where(SCH::ID, 8)
                .first(*m_ctx->connection(TableId::Schedule), &copy)
                .ok());
    QCOMPARE(copy.number(SCH::Date), date);
    QCOMPARE(copy.number(SCH::Time), time);
    QCOMPARE(copy.text(SCH::ScheduleType), QString("Once"));
    for (int cleared : {SCH::AdvanceWarnDate, SCH::AdvanceWarnTime, SCH::Disabled, SCH::COMPLETED,
                        SCH::Skipped, SCH::SkipNextTime})
        QCOMPARE(copy.number(cleared), 0);
    QCOMPARE(copy.text(SCH::Description), QString("Backup"));
    QCOMPARE(copy.text(SCH::Message), QString("Back up the files"));
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Scripting, SCR::KeyID, SCR::ID),
             (QVariantList{7, 7, 8, 8}));
    // The task it came from is left as it was.
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 7));
    QCOMPARE(m_ctx->record(TableId::Schedule).number(SCH::Disabled), 1);
}

void TestBrowseSchedule::aPickedDayIsWhereNewTasksStart()
{
    openBrowser();
    m_window->show();
    onNextModal(this, [](QWidget *w) {
        auto *calendar = qobject_cast<schedule_ui::Calendar *>(w);
        QVERIFY(calendar);
        calendar->pick(24);
    });
    button("&Pick Day")->click();
    QCOMPARE(browser()->selectedDay(), day(2026, 12, 24));
    QCOMPARE(m_window->findChild<QTabBar *>()->tabText(0),
             pictures::formatDate(day(2026, 12, 24), "@d3"));

    qint64 formDate = 0;
    onNextModal(this, [&](QWidget *w) {
        formDate = m_window->context().record(TableId::Schedule).number(SCH::Date);
        w->close();
    });
    button("&Add")->click();
    QCOMPARE(formDate, day(2026, 12, 24));
}

void TestBrowseSchedule::addingInTheCategoryViewGivesTheCategory()
{
    addTask(1, "Dentist", day(2026, 12, 14), {{SCH::Category, "Home"}});
    openBrowser();
    m_window->show();
    browser()->setCategory("Home");
    m_window->selectTab(ScheduleBrowser::ByCategory);
    onForm([](schedule_ui::ScheduleForm *form) { form->accept(); });
    button("&Add")->click();
    QCOMPARE(column(3), (QStringList{"Home", "Home"}));
    // The new task is the highlighted row.
    QCOMPARE(m_window->list()->highlighted()->number(SCH::ID), 2);
    QCOMPARE(m_window->list()->highlighted()->text(SCH::TaskType), QString("Both"));
}

void TestBrowseSchedule::copyStartsFromTheHighlightedTask()
{
    addTask(1, "Dentist", day(2026, 12, 10), {{SCH::Disabled, 1}, {SCH::Category, "Home"}});
    openBrowser();
    m_window->show();
    highlight("Dentist");
    QString caption;
    onForm([&caption](schedule_ui::ScheduleForm *form) {
        caption = form->windowTitle();
        form->accept();
    });
    button("Cop&y")->click();
    QCOMPARE(caption, QString("Adding a Schedule Task"));
    QCOMPARE(column(4), (QStringList{"Dentist", "Dentist"}));
    const Record *copy = m_window->list()->highlighted();
    QCOMPARE(copy->number(SCH::ID), 2);
    QCOMPARE(copy->text(SCH::Category), QString("Home"));
    QCOMPARE(copy->number(SCH::Disabled), 0);
}

void TestBrowseSchedule::theShownDayFollowsMidnight()
{
    m_clock.set(QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59)));
    addTask(1, "Early start", day(2026, 12, 11), {{SCH::Time, at(0, 30)}});
    openBrowser();
    QVERIFY(column(4).isEmpty());
    m_clock.advanceSeconds(2);
    browser()->checkDay();
    QCOMPARE(browser()->selectedDay(), day(2026, 12, 11));
    QCOMPARE(schedule_ui::browsedDay(), day(2026, 12, 11));
    QCOMPARE(column(4), QStringList{"Early start"});
    // A day the user picked stays when the next midnight passes.
    browser()->setSelectedDay(day(2026, 12, 20));
    m_clock.advanceSeconds(24 * 3600);
    browser()->checkDay();
    QCOMPARE(browser()->selectedDay(), day(2026, 12, 20));
}

void TestBrowseSchedule::runNowTakesTheTaskAsStored()
{
    addTask(1, "Report", day(2026, 12, 10));
    openBrowser();
    // Another window renames it after the list was read.
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    Record renamed = m_ctx->record(TableId::Schedule);
    renamed.setText(SCH::Description, "Quarterly report");
    QVERIFY(putRecord(*m_ctx->connection(TableId::Schedule), &renamed).ok());
    highlight("Report");
    button("Run Now")->click();
    QCOMPARE(m_ran.size(), std::size_t(1));
    QCOMPARE(m_ran.front().text(SCH::Description), QString("Quarterly report"));
    QCOMPARE(column(4), QStringList{"Quarterly report"});
}

void TestBrowseSchedule::theSchedulersNoticeReloads()
{
    openBrowser();
    QVERIFY(column(4).isEmpty());
    addTask(1, "Snoozed", day(2026, 12, 10));
    m_notices.tell();
    QCOMPARE(column(4), QStringList{"Snoozed"});
}

void TestBrowseSchedule::captionAndFirstViewFollowTheSettings()
{
    openBrowser();
    QCOMPARE(m_window->windowTitle(), QString("View Schedule"));
    QCOMPARE(m_window->findChild<QTabBar *>()->tabText(0), FormatDate(day(2026, 12, 10)));
    delete m_window;
    settings().currentUser = "alice";
    settings().fullSchedule = true;
    openBrowser();
    QCOMPARE(m_window->windowTitle(), QString("View Schedule - alice"));
    QCOMPARE(m_window->currentTab(), int(ScheduleBrowser::AllByDate));
}

QTEST_MAIN(TestBrowseSchedule)
#include "tst_browseschedule.moc"
