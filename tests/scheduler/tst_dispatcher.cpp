#include "DataFolder.h"
#include "ManualClock.h"
#include "Moments.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "scheduler/Dispatcher.h"
#include "scheduler/Launcher.h"
#include "store/Dates.h"
#include "store/EventLog.h"
#include "store/OpenTable.h"
#include "store/Pictures.h"
#include "store/Settings.h"
#include "store/tables/Schedule.h"

#include <QApplication>
#include <QTest>

using namespace store;
using scheduler::Dispatcher;

namespace {

const QDate Today(1997, 5, 14);
qint64 day(const QDate &d)
{
    return dates::dayNumber(d);
}

class RecordingQueue final : public scheduler::ScriptQueue {
public:
    void QueueScript(qint64 id) override { queued << id; }
    QList<qint64> queued;
};

} // namespace

class TestDispatcher final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tasksDueTogetherGoOnePerTick();
    void onceTaskLeavesItsHistoryCopy();
    void lateTaskSkippedSilentlyByTheTenMinuteRule();
    void missedTaskQuestion_data();
    void missedTaskQuestion();
    void confirmationAnsweredNo();
    void skipNextTimeOnlyMovesOn();
    void advanceWarningMovesWithTheTask();
    void warningWithADateButNoTime();
    void historyExpires();
    void runTaskNowLeavesTheScheduleAlone();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    ManualClock m_clock{QDateTime(Today, QTime(9, 0))};
    RecordingSoundPlayer m_sound;
    RecordingQueue m_queue;
    std::unique_ptr<scheduler::Launcher> m_launcher;
    std::unique_ptr<Dispatcher> m_dispatcher;
    std::unique_ptr<EventLog> m_log;

    void addTask(const FieldValues &values);
    Record task(qint64 id);
    QVariantList ids() { return columnInKeyOrder(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID); }
    bool tick()
    {
        bool dispatched = false;
        m_dispatcher->dueCheck(&dispatched);
        return dispatched;
    }
    QByteArray logged() const { return m_data->readFile(EventLog::FileName); }
};

void TestDispatcher::init()
{
    settings() = Settings();
    settings().logEvents = true;
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    for (TableId id : {TableId::Schedule, TableId::Holidays, TableId::Scripting, TableId::Link})
        QVERIFY(OpenTable(*m_ctx, id));
    m_clock.set(QDateTime(Today, QTime(9, 0)));
    m_sound.played.clear();
    m_queue.queued.clear();
    m_launcher = std::make_unique<scheduler::Launcher>(m_data->messages());
    m_launcher->setScriptQueue(&m_queue);
    m_dispatcher = std::make_unique<Dispatcher>(Dispatcher::Services{
        *m_ctx, {m_data->store(), m_clock, m_sound, *m_launcher, nullptr}, nullptr, nullptr});
    m_log = std::make_unique<EventLog>(m_data->store(), m_clock);
    installEventLog(m_log.get());
}

void TestDispatcher::cleanup()
{
    installEventLog(nullptr);
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    m_log.reset();
    m_dispatcher.reset();
    m_launcher.reset();
    m_ctx.reset();
    m_data.reset();
}

void TestDispatcher::addTask(const FieldValues &values)
{
    FieldValues all{{SCH::TaskType, "Run Program"}, {SCH::Command, "N/A"},
                    {SCH::ScheduleType, "Custom"},  {SCH::Every, 1},
                    {SCH::EveryType, "day(s)"},     {SCH::Date, day(Today)},
                    {SCH::Time, at(9, 0)}};
    all.insert(all.end(), values.begin(), values.end());
    QVERIFY(addRow(*m_ctx, TableId::Schedule, all).ok());
}

Record TestDispatcher::task(qint64 id)
{
    RecordContext reader(m_data->store());
    if (!OpenTable(reader, TableId::Schedule) ||
        !loadRow(reader, TableId::Schedule, SCH::KEYID, SCH::ID, id))
        return Record(SCH::table());
    return reader.record(TableId::Schedule);
}

void TestDispatcher::tasksDueTogetherGoOnePerTick()
{
    addTask({{SCH::ID, 1}, {SCH::Description, "First"}, {SCH::ScheduleType, "Once"}});
    addTask({{SCH::ID, 2}, {SCH::Description, "Second"}, {SCH::ScheduleType, "Once"}});
    QVERIFY(tick());
    QCOMPARE(m_queue.queued, QList<qint64>{1});
    QVERIFY(tick());
    QCOMPARE(m_queue.queued, (QList<qint64>{1, 2}));
    QVERIFY(!tick());
}

void TestDispatcher::onceTaskLeavesItsHistoryCopy()
{
    addTask({{SCH::ID, 7},
             {SCH::Description, "Dentist"},
             {SCH::ScheduleType, "Once"},
             {SCH::Message, "Bring the forms"}});
    m_clock.set(QDateTime(Today, QTime(9, 1)));
    QVERIFY(tick());
    // The task is gone before its copy is numbered: one above the highest left.
    QCOMPARE(ids(), QVariantList{1});
    const Record copy = task(1);
    QCOMPARE(copy.number(SCH::COMPLETED), 1);
    QCOMPARE(copy.number(SCH::Disabled), 1);
    QCOMPARE(copy.number(SCH::Date), day(Today));
    QCOMPARE(copy.number(SCH::Time), at(9, 0));
    QCOMPARE(copy.number(SCH::LastRunTime), at(9, 1));
    QCOMPARE(copy.text(SCH::Description), QString("Dentist"));
    QCOMPARE(copy.text(SCH::Message), QString("Bring the forms"));
}

void TestDispatcher::lateTaskSkippedSilentlyByTheTenMinuteRule()
{
    addTask({{SCH::ID, 1},
             {SCH::Description, "Standup"},
             {SCH::SkipIfMissed, 1},
             {SCH::UserSkip, 1},
             {SCH::Alarm, 1},
             {SCH::AlarmFile, "beep"}});
    m_clock.set(QDateTime(Today, QTime(9, 11)));
    QVERIFY(tick());
    QVERIFY(m_data->messages().shown().empty());
    QVERIFY(m_queue.queued.isEmpty());
    QCOMPARE(m_sound.played, QStringList{"BEEP"});
    const Record moved = task(1);
    QCOMPARE(moved.number(SCH::Date), day(Today) + 1);
    QCOMPARE(moved.number(SCH::LastRunTime), at(9, 11));
    QCOMPARE(task(2).text(SCH::Description), QString("(Skipped) Standup"));
}

void TestDispatcher::missedTaskQuestion_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("asked");
    QTest::newRow("a program") << "Run Program" << true;
    QTest::newRow("a message is shown without asking") << "Display Message" << false;
}

void TestDispatcher::missedTaskQuestion()
{
    QFETCH(QString, type);
    QFETCH(bool, asked);
    addTask({{SCH::ID, 1},
             {SCH::Description, "Backup   "},
             {SCH::TaskType, type},
             {SCH::Warn, 1},
             {SCH::Date, day(Today) - 1}});
    m_data->messages().answerNext(Button::No);
    QVERIFY(tick());
    QCOMPARE(m_data->messages().shown().size(), asked ? 1u : 0u);
    if (asked) {
        const StandardMessage &q = m_data->messages().shown().front();
        QCOMPARE(q.caption, QString("Missed Task"));
        QCOMPARE(q.text, QString("Backup was not run.  Run it now?"));
        QCOMPARE(q.defaultButton, Button::No);
        QVERIFY(logged().contains("Missed task skipped           Backup"));
        QCOMPARE(task(2).text(SCH::Description), QString("(Skipped) Backup"));
    } else {
        QCOMPARE(task(2).text(SCH::Description), QString("Backup"));
    }
    QCOMPARE(task(1).number(SCH::LastRunDate), day(Today));
    QCOMPARE(task(1).number(SCH::Date), day(Today) + 1);
}

void TestDispatcher::confirmationAnsweredNo()
{
    addTask({{SCH::ID, 1}, {SCH::Description, "Defragment"}, {SCH::UserSkip, 1}});
    m_data->messages().answerNext(Button::No);
    QVERIFY(tick());
    QCOMPARE(m_data->messages().shown().front().text,
             QString("Defragment is due to run.  Run it now?"));
    QVERIFY(m_queue.queued.isEmpty());
    QVERIFY(logged().contains("Task skipped                  Defragment"));
}

void TestDispatcher::skipNextTimeOnlyMovesOn()
{
    addTask({{SCH::ID, 1},
             {SCH::Description, "Report"},
             {SCH::SkipNextTime, 1},
             {SCH::UserSkip, 1},
             {SCH::Alarm, 1},
             {SCH::AlarmFile, "/s/bell.wav"}});
    QVERIFY(tick());
    QVERIFY(m_data->messages().shown().empty());
    QVERIFY(m_sound.played.isEmpty());
    QVERIFY(m_queue.queued.isEmpty());
    const Record moved = task(1);
    QCOMPARE(moved.number(SCH::SkipNextTime), 0);
    QCOMPARE(moved.number(SCH::LastRunDate), 0);
    QCOMPARE(moved.number(SCH::Date), day(Today) + 1);
    QCOMPARE(task(2).text(SCH::Description), QString("Report"));
}

void TestDispatcher::advanceWarningMovesWithTheTask()
{
    addTask({{SCH::ID, 1},
             {SCH::Description, "Rent"},
             {SCH::Every, 7},
             {SCH::Time, at(12, 0)},
             {SCH::AdvanceWarnDate, day(Today) - 2},
             {SCH::AdvanceWarnTime, at(11, 0)},
             {SCH::AdvanceWarned, 1},
             {SCH::Message, "Pay the rent"}});
    m_clock.set(QDateTime(Today, QTime(12, 0)));
    QVERIFY(tick());
    const Record moved = task(1);
    QCOMPARE(moved.number(SCH::Date), day(Today) + 7);
    QCOMPARE(moved.number(SCH::AdvanceWarnDate), day(Today) + 5);
    QCOMPARE(moved.number(SCH::AdvanceWarnTime), at(11, 0));
    QCOMPARE(moved.number(SCH::AdvanceWarned), 0);

    m_clock.set(QDateTime(Today.addDays(5), QTime(11, 1)));
    m_dispatcher->advanceWarningCheck();
    QCOMPARE(m_data->messages().shown().size(), 1u);
    const StandardMessage &warning = m_data->messages().shown().front();
    QCOMPARE(warning.caption, QString("Advanced Warning"));
    QCOMPARE(warning.icon, Icon::None);
    QCOMPARE(warning.text, pictures::formatDate(day(Today) + 7, "d3") + " 12:00PM\nCommand:  N/A");
    QCOMPARE(task(1).number(SCH::AdvanceWarned), 1);
    m_dispatcher->advanceWarningCheck();
    QCOMPARE(m_data->messages().shown().size(), 1u);
}

void TestDispatcher::warningWithADateButNoTime()
{
    addTask({{SCH::ID, 1}, {SCH::Time, at(15, 0)}, {SCH::AdvanceWarnDate, day(Today) - 1}});
    m_clock.set(QDateTime(Today, QTime(15, 0)));
    QVERIFY(tick());
    QCOMPARE(task(1).number(SCH::AdvanceWarnDate), day(Today));
    QCOMPARE(task(1).number(SCH::AdvanceWarnTime), at(15, 0));
}

void TestDispatcher::historyExpires()
{
    settings().historyExpires = 30;
    for (const auto &[id, age] : {std::pair{1, 30}, {2, 29}, {3, 400}})
        addTask({{SCH::ID, id},
                 {SCH::COMPLETED, id != 3},
                 {SCH::Disabled, 1},
                 {SCH::Date, day(Today) - age}});
    QVERIFY(m_dispatcher->historyCheck());
    // Kept: the copy 29 days old, and a task the user disabled (not history).
    QCOMPARE(ids(), (QVariantList{2, 3}));
    QVERIFY(logged().contains("History                       Checked for tasks needing removal"));
    QVERIFY(!m_dispatcher->historyCheck());
    // A day on, the other copy is 30 days old, and the disabled task goes too once asked.
    settings().removeUncompleted = true;
    m_clock.set(QDateTime(Today.addDays(1), QTime(9, 0)));
    QVERIFY(m_dispatcher->historyCheck());
    QCOMPARE(ids(), QVariantList());
}

void TestDispatcher::runTaskNowLeavesTheScheduleAlone()
{
    addTask({{SCH::ID, 5}, {SCH::Date, day(Today) + 3}});
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 5));
    m_dispatcher->RunTaskNow();
    QCOMPARE(m_queue.queued, QList<qint64>{5});
    QCOMPARE(m_ctx->record(TableId::Schedule).number(SCH::LastRunDate), day(Today));
    QCOMPARE(task(5).number(SCH::LastRunDate), 0);
    QCOMPARE(task(5).number(SCH::Date), day(Today) + 3);
    QCOMPARE(ids(), QVariantList{5});
}

QTEST_MAIN(TestDispatcher)
#include "tst_dispatcher.moc"
