#include "DataFolder.h"
#include "ManualClock.h"
#include "Modal.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "scheduler/Launcher.h"
#include "scheduler/MessageWindow.h"
#include "scheduler/TaskNotices.h"
#include "store/Dates.h"
#include "store/EventLog.h"
#include "store/OpenTable.h"
#include "store/Settings.h"
#include "store/tables/Schedule.h"
#include "store/tables/Todo.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace store;
using scheduler::MessageWindow;

class TestMessageWindow final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowShowsTheMessage();
    void snoozePastMidnight();
    void twoSnoozesTwoTasks();
    void addToToDoKeepsTheWindowOpen();
    void alarmRepeatsOnlyForTasksWithOne_data();
    void alarmRepeatsOnlyForTasksWithOne();
    void plainMessageBox();
    void externalProgramGetsTheTextUnchanged();
    void modalWindow();
    void messagesAreLogged();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    ManualClock m_clock{QDateTime(QDate(1997, 5, 1), QTime(23, 55))};
    RecordingSoundPlayer m_sound;
    std::unique_ptr<scheduler::Launcher> m_launcher;
    QMdiArea m_area;
    scheduler::TaskNotices m_notices;
    scheduler::MessageServices services()
    {
        return {m_data->store(), m_clock, m_sound, *m_launcher, &m_area, &m_notices};
    }
    void show(const QString &title, const QString &text, const QString &alarm = {})
    {
        scheduler::messageHandOver() = {title, text, alarm};
        scheduler::ShowMessage(services());
    }
    MessageWindow *window(int i = 0) { return m_area.findChildren<MessageWindow *>().value(i); }
    static QPushButton *button(QWidget *w, const QString &text)
    {
        for (QPushButton *b : w->findChildren<QPushButton *>()) {
            if (b->text() == text)
                return b;
        }
        return nullptr;
    }
};

void TestMessageWindow::init()
{
    settings() = Settings();
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::Schedule));
    QVERIFY(OpenTable(*m_ctx, TableId::Todo));
    m_launcher = std::make_unique<scheduler::Launcher>(m_data->messages());
    m_sound.played.clear();
    m_area.show();
}

void TestMessageWindow::cleanup()
{
    m_area.closeAllSubWindows();
    QTRY_COMPARE(scheduler::openMessageCount(), 0);
    m_launcher.reset();
    m_ctx.reset();
    m_data.reset();
}

void TestMessageWindow::windowShowsTheMessage()
{
    show("Dentist", "At 10, bring the forms");
    QVERIFY(window());
    QCOMPARE(window()->windowTitle(), QString("Message"));
    QVERIFY(window()->findChild<QLabel *>()->text() == "Dentist");
    QCOMPARE(window()->findChild<QPlainTextEdit *>()->toPlainText(),
             QString("At 10, bring the forms"));
    QVERIFY(window()->findChild<QPlainTextEdit *>()->isReadOnly());
    QCOMPARE(scheduler::openMessageCount(), 1);
    show("Second", "");
    QCOMPARE(scheduler::openMessageCount(), 2);
    button(window(), "Cl&ose")->click();
    QTRY_COMPARE(scheduler::openMessageCount(), 1);
    QVERIFY(m_data->readFile("POSITION.INI").contains("[ShowMessage]"));
}

void TestMessageWindow::snoozePastMidnight()
{
    QVERIFY(addRow(*m_ctx, TableId::Schedule, {{SCH::ID, 41}}).ok());
    show("Take the pills", "Two of them");
    QSignalSpy told(&m_notices, &scheduler::TaskNotices::tasksChanged);
    button(window(), "&Snooze")->click();
    QTRY_COMPARE(scheduler::openMessageCount(), 0);
    // Open lists of tasks are told of the new one.
    QCOMPARE(told.count(), 1);
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 42));
    const Record &task = m_ctx->record(TableId::Schedule);
    QCOMPARE(dates::toDate(task.number(SCH::Date)), QDate(1997, 5, 2));
    QCOMPARE(dates::toTime(task.number(SCH::Time)), QTime(0, 5));
    QCOMPARE(task.text(SCH::Category), QString("Snooze"));
    QCOMPARE(task.text(SCH::Description), QString("Take the pills"));
    QCOMPARE(task.text(SCH::Message), QString("Two of them"));
    QCOMPARE(task.text(SCH::TaskType), QString("Display Message"));
    QCOMPARE(task.text(SCH::ScheduleType), QString("Once"));
    QCOMPARE(task.number(SCH::SkipIfMissed), 1);
    QCOMPARE(task.number(SCH::Alarm), 0);
}

void TestMessageWindow::twoSnoozesTwoTasks()
{
    show("First", "");
    show("Second", "");
    button(window(0), "&Snooze")->click();
    QTRY_COMPARE(scheduler::openMessageCount(), 1);
    button(window(0), "&Snooze")->click();
    QTRY_COMPARE(scheduler::openMessageCount(), 0);
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::Description).size(), 2);
}

void TestMessageWindow::addToToDoKeepsTheWindowOpen()
{
    show("Call the plumber", "The kitchen tap drips");
    button(window(), "&Add to To Do List")->click();
    QVERIFY(window()->isVisible());
    QVERIFY(loadRow(*m_ctx, TableId::Todo, TDO::KEYTODO, TDO::ToDo, "Call the plumber"));
    const Record &item = m_ctx->record(TableId::Todo);
    QCOMPARE(item.number(TDO::Priority), 5);
    QCOMPARE(item.number(TDO::Done), 0);
    QCOMPARE(item.text(TDO::Category), QString("General"));
    QCOMPARE(item.text(TDO::Notes), QString("The kitchen tap drips"));
    QCOMPARE(m_data->messages().shown().back().caption, QString("Saved"));
    QCOMPARE(m_data->messages().shown().back().text,
             QString("Added to To Do List:\nCall the plumber"));
}

void TestMessageWindow::alarmRepeatsOnlyForTasksWithOne_data()
{
    QTest::addColumn<QString>("alarm");
    QTest::addColumn<int>("repeats");
    QTest::newRow("with an alarm") << "/sounds/bell.wav" << 2;
    QTest::newRow("without one") << "" << 0;
}

void TestMessageWindow::alarmRepeatsOnlyForTasksWithOne()
{
    QFETCH(QString, alarm);
    QFETCH(int, repeats);
    settings().repeatAlarmInterval = 30;
    show("Wake up", "", alarm);
    for (int i = 0; i < 2; ++i) {
        m_clock.advanceSeconds(20);
        QTest::qWait(MessageWindow::RepeatCheckMs * 2);
        QCOMPARE(m_sound.played.size(), repeats ? i : 0);
        m_clock.advanceSeconds(11);
        QTRY_COMPARE(m_sound.played.size(), repeats ? i + 1 : 0);
    }
    QCOMPARE(m_sound.played.size(), repeats);
    if (repeats)
        QCOMPARE(m_sound.played.front(), alarm);
}

void TestMessageWindow::plainMessageBox()
{
    settings().useWinMessage = true;
    settings().repeatAlarmInterval = 5;
    show("Backup", "Insert the disk", "BEEP");
    QVERIFY(!window());
    QCOMPARE(m_data->messages().shown().back().caption, QString("Backup"));
    QCOMPARE(m_data->messages().shown().back().text, QString("Insert the disk"));
    QVERIFY(!m_data->readFile("POSITION.INI").contains("[ShowMessage]"));
}

void TestMessageWindow::externalProgramGetsTheTextUnchanged()
{
    settings().useExternalMessage = true;
    show("Quote", "He said \"hello\"   ");
    QVERIFY(!window());
    QCOMPARE(m_launcher->lastCommand(), QString("TLMsg.EXE \"He said \"hello\"\""));
}

void TestMessageWindow::modalWindow()
{
    settings().useModalMessage = true;
    QString text;
    onNextModal(this, [&](QWidget *dialog) {
        QCOMPARE(scheduler::openMessageCount(), 0);
        text = dialog->findChild<QPlainTextEdit *>()->toPlainText();
        button(dialog, "Cl&ose")->click();
    });
    show("Modal", "Acknowledge me");
    QCOMPARE(text, QString("Acknowledge me"));
    QVERIFY(!window());
}

void TestMessageWindow::messagesAreLogged()
{
    EventLog log(m_data->store(), m_clock);
    installEventLog(&log);
    settings().logEvents = true;
    settings().useModalMessage = true;
    onNextModal(this, [&](QWidget *dialog) { button(dialog, "Cl&ose")->click(); });
    show("Dentist   ", "", "/sounds/bell.wav");
    installEventLog(nullptr);
    // The modal window writes its own entry besides the one of ShowMessage.
    const QByteArray logged = m_data->readFile(EventLog::FileName);
    QCOMPARE(logged.count("Message                       Dentist /sounds/bell.wav"), 2);
}

QTEST_MAIN(TestMessageWindow)
#include "tst_messagewindow.moc"
