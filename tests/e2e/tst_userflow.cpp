#include "Desktop.h"
#include "ScriptedPresenter.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/Store.h"
#include "store/tables/Schedule.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

qint64 fakeDay()
{
    return store::dates::dayNumber(QDate(2026, 12, 11));
}

} // namespace

// A user adds a reminder through the task form, sees it in the schedule browser, gets its
// message when it is due, snoozes it and finds the snoozed task in the browser. The program
// runs a fake clock that starts half a minute before the reminder is due.
class TestUserFlow final : public QObject {
    Q_OBJECT

private slots:
    void reminderAddedRemindedSnoozedAndFound();

private:
    std::vector<store::Record> tasks();
    QTemporaryDir m_dir;
    QString m_data = m_dir.filePath("data");
    ScriptedPresenter m_messages;
};

std::vector<store::Record> TestUserFlow::tasks()
{
    store::Store st(m_data, m_messages);
    store::RecordContext ctx(st);
    std::vector<store::Record> rows;
    if (store::OpenTable(ctx, store::TableId::Schedule))
        store::KeyRead(store::SCH::table(), store::SCH::KEYID)
            .read(*ctx.connection(store::TableId::Schedule), &rows);
    return rows;
}

void TestUserFlow::reminderAddedRemindedSnoozedAndFound()
{
    using namespace store;
    QDir().mkpath(m_data);
    QFile ini(m_data + "/TL97.INI");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Settings]\nLogEvents=1\n");
    ini.close();

    Desktop desktop;
    QProcess program;
    QProcessEnvironment env = desktop.display().environment();
    env.insert("LD_PRELOAD", FAKETIME_LIBRARY);
    env.insert("FAKETIME", "@2026-12-11 09:59:30");
    // A sanitizer build wants its runtime first; the preloaded clock comes before it here.
    env.insert("ASAN_OPTIONS",
               env.value("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
    program.setProcessEnvironment(env);
    program.start(TL97_BINARY, {"--data-dir", m_data});
    QVERIFY(program.waitForStarted());
    const QString frame = desktop.waitForWindow("^Tallimer 97");
    QVERIFY(!frame.isEmpty());

    // The schedule browser opens with the program; Alt+A is its Add button.
    desktop.activate(frame);
    desktop.keys({"alt+a"});
    const QString form = desktop.waitForWindow("^Adding a Schedule Task$");
    QVERIFY(!form.isEmpty());
    desktop.activate(form);
    // The task type starts at "Both"; the one left of it is "Display Message".
    desktop.keys({"Left", "alt+d"});
    desktop.type("Call the dentist");
    // On the When page: "Once", then past the date and its calendar button to the time.
    desktop.keys({"alt+w", "space", "Tab", "Tab", "Tab", "ctrl+a"});
    desktop.type("10:00AM");
    desktop.keys({"Return"});
    QVERIFY(desktop.waitUntilGone("^Adding a Schedule Task$"));

    std::vector<Record> stored = tasks();
    QCOMPARE(stored.size(), std::size_t(1));
    const Record &added = stored.front();
    QCOMPARE(added.text(SCH::Description), QString("Call the dentist"));
    QCOMPARE(added.text(SCH::TaskType), QString("Display Message"));
    QCOMPARE(added.text(SCH::ScheduleType), QString("Once"));
    QCOMPARE(added.number(SCH::Date), fakeDay());
    QCOMPARE(added.number(SCH::Time), dates::timeValue(QTime(10, 0)));

    // The browser highlights the new task: Ctrl+Enter opens it for a change.
    desktop.activate(frame);
    desktop.keys({"ctrl+Return"});
    const QString change = desktop.waitForWindow("^Changing a Schedule Task$");
    QVERIFY(!change.isEmpty());
    desktop.activate(change);
    desktop.keys({"Escape"});
    QVERIFY(desktop.waitUntilGone("^Changing a Schedule Task$"));

    // At ten the message comes; its Snooze button asks again in ten minutes.
    const QString log = m_data + "/TL97Evnt.LOG";
    const auto logged = [&log] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QTRY_VERIFY_WITH_TIMEOUT(logged().contains("Message                       Call the dentist"),
                             90000);
    desktop.activate(frame);
    desktop.keys({"alt+s"});
    const auto snoozed = [this]() -> std::optional<Record> {
        for (const Record &r : tasks()) {
            if (r.text(SCH::Category) == "Snooze")
                return r;
        }
        return std::nullopt;
    };
    QTRY_VERIFY_WITH_TIMEOUT(snoozed().has_value(), 20000);
    QCOMPARE(snoozed()->text(SCH::Description), QString("Call the dentist"));
    QCOMPARE(snoozed()->number(SCH::Date), fakeDay());
    QVERIFY(snoozed()->number(SCH::Time) > dates::timeValue(QTime(10, 10)));

    // The day's list now holds the history copy and, last, the snoozed task: the user goes to
    // it and renames it.
    desktop.activate(frame);
    desktop.keys({"End", "ctrl+Return"});
    const QString snoozeForm = desktop.waitForWindow("^Changing a Schedule Task$");
    QVERIFY(!snoozeForm.isEmpty());
    desktop.activate(snoozeForm);
    desktop.keys({"alt+d", "ctrl+a"});
    desktop.type("Call the dentist again");
    desktop.keys({"Return"});
    QVERIFY(desktop.waitUntilGone("^Changing a Schedule Task$"));
    QTRY_COMPARE_WITH_TIMEOUT(snoozed()->text(SCH::Description), QString("Call the dentist again"),
                              10000);

    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QVERIFY(logged().contains("Exit Tallimer"));
}

QTEST_GUILESS_MAIN(TestUserFlow)
#include "tst_userflow.moc"
