#include "Desktop.h"
#include "Rows.h"
#include "ScriptedPresenter.h"
#include "platform/KeyInjector.h"
#include "platform/WindowSystem.h"
#include "script/WindowFinder.h"
#include "store/Config.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/Store.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "store/tables/WindowLookup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real tl97 started in a data folder of its own, as a user starts it.
class TestProgram final : public QObject {
    Q_OBJECT

private slots:
    void startsAndEndsThroughTheExitPath_data();
    void startsAndEndsThroughTheExitPath();
    void refusesAFolderItCannotUse();
    void performsDueTasksOnePerTick();
    void inactiveSchedulerWaitsUntilMadeActiveInSetup();
    void recordsWindowTitlesWhenAsked();
    void missedTaskQuestionAnsweredNo();
    void scriptTypesIntoTheProgramItStarted();

private:
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

void TestProgram::startsAndEndsThroughTheExitPath_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestProgram::startsAndEndsThroughTheExitPath()
{
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QString data = dir.filePath("data");
    QVERIFY(QDir().mkpath(data));
    {
        QFile ini(data + "/TL97.INI");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\nLogEvents=1\n");
    }
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    program.setProcessEnvironment(env);
    program.start(TL97_BINARY, {"--data-dir", data});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(read(data + "/TL97Evnt.LOG").contains("Started"), 20000);
    QVERIFY(read(data + "/TL97Evnt.LOG").contains("Tallimer 97 1.5"));
    QVERIFY(QFile::exists(data + "/TL97.TPS"));

    ::kill(pid_t(program.processId()), signal);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(read(data + "/TL97Evnt.LOG").contains("Exit Tallimer"));
    QVERIFY(read(data + "/POSITION.INI").contains("[Main]"));
}

void TestProgram::refusesAFolderItCannotUse()
{
    QProcess program;
    program.start(TL97_BINARY, {"--data-dir", "/proc/not-a-place-for-data"});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 1);
    QVERIFY(program.readAllStandardError().contains("cannot use the data folder"));
}

namespace {

// A data folder with logging on and tasks due a minute ago (or as given).
struct DueTasks {
    QTemporaryDir dir;
    ScriptedPresenter messages;
    QString data = dir.filePath("data");

    DueTasks()
    {
        QDir().mkpath(data);
        QFile ini(data + "/TL97.INI");
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Settings]\nLogEvents=1\n");
    }

    void add(qint64 id, const char *description, const FieldValues &more, int minutesAgo = 1)
    {
        store::Store st(data, messages);
        store::RecordContext ctx(st);
        QVERIFY(store::OpenTable(ctx, store::TableId::Schedule));
        const QDateTime due = QDateTime::currentDateTime().addSecs(-60 * minutesAgo);
        FieldValues values{{store::SCH::ID, id},
                           {store::SCH::Description, description},
                           {store::SCH::TaskType, "Run Program"},
                           {store::SCH::Command, "N/A"},
                           {store::SCH::ScheduleType, "Custom"},
                           {store::SCH::Every, 1},
                           {store::SCH::EveryType, "day(s)"},
                           {store::SCH::Date, store::dates::dayNumber(due.date())},
                           {store::SCH::Time, store::dates::timeValue(due.time())}};
        values.insert(values.end(), more.begin(), more.end());
        QVERIFY(addRow(ctx, store::TableId::Schedule, values).ok());
    }

    // The descriptions of the history copies, in number order.
    QStringList history()
    {
        store::Store st(data, messages);
        store::RecordContext ctx(st);
        QStringList copies;
        if (!store::OpenTable(ctx, store::TableId::Schedule))
            return copies;
        std::vector<store::Record> rows;
        store::KeyRead(store::SCH::table(), store::SCH::KEYID)
            .where(store::SCH::COMPLETED, 1)
            .read(*ctx.connection(store::TableId::Schedule), &rows);
        for (const store::Record &r : rows)
            copies << r.text(store::SCH::Description);
        return copies;
    }

    void addScript(qint64 task, const std::vector<FieldValues> &lines)
    {
        store::Store st(data, messages);
        store::RecordContext ctx(st);
        QVERIFY(store::OpenTable(ctx, store::TableId::Scripting));
        qint64 sequence = 0;
        for (FieldValues line : lines) {
            line.push_back({store::SCR::ID, task});
            line.push_back({store::SCR::Sequence, ++sequence});
            QVERIFY(addRow(ctx, store::TableId::Scripting, line).ok());
        }
    }

    void start(QProcess &program)
    {
        program.start(TL97_BINARY, {"--data-dir", data});
        QVERIFY(program.waitForStarted());
    }
};

void stop(QProcess &program)
{
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
}

} // namespace

void TestProgram::performsDueTasksOnePerTick()
{
    DueTasks tasks;
    tasks.add(1, "First", {{store::SCH::ScheduleType, "Once"}});
    tasks.add(2, "Second", {{store::SCH::ScheduleType, "Once"}});
    tasks.add(3, "Late", {{store::SCH::SkipIfMissed, 1}}, 11);
    tasks.add(4, "Skipper", {{store::SCH::SkipNextTime, 1}});
    QProcess program;
    tasks.start(program);
    QTRY_COMPARE_WITH_TIMEOUT(tasks.history().size(), 4, 30000);
    stop(program);
    // Key order: the late task is the earliest; the two due together come one per tick.
    QCOMPARE(tasks.history(), (QStringList{"(Skipped) Late", "First", "Second", "Skipper"}));
    const QByteArray logged = read(tasks.data + "/TL97Evnt.LOG");
    QCOMPARE(logged.count("Run Program"), 2);
    QVERIFY(logged.indexOf("Run Program") > logged.indexOf("Started"));
}

void TestProgram::inactiveSchedulerWaitsUntilMadeActiveInSetup()
{
    DueTasks tasks;
    tasks.add(1, "Waiting", {});
    tasks.add(2, "Waiting too", {});
    {
        store::Store st(tasks.data, tasks.messages);
        store::RecordContext ctx(st);
        QVERIFY(store::OpenTable(ctx, store::TableId::Configuration));
        store::PutConfig(ctx, "StartUpActive", "1");
    }
    const Desktop desktop;
    QProcess program;
    program.setProcessEnvironment(desktop.display().environment());
    tasks.start(program);
    const QString frame = desktop.waitForWindow("^Tallimer 97 \\(Inactive\\)$");
    QVERIFY(!frame.isEmpty());
    QTest::qWait(4000); // inactive ticks
    QVERIFY(tasks.history().isEmpty());
    QVERIFY(!read(tasks.data + "/TL97Evnt.LOG").contains("Run Program"));

    // The user ticks "Scheduler active" in File > Setup and presses OK.
    desktop.activate(frame);
    desktop.keys({"alt+f", "s"});
    const QString setup = desktop.waitForWindow("^Tallimer Setup");
    QVERIFY(!setup.isEmpty());
    desktop.activate(setup);
    desktop.click(setup, 18, -51);
    desktop.keys({"alt+o"});
    QVERIFY(desktop.waitUntilGone("^Tallimer Setup"));
    QTRY_COMPARE_WITH_TIMEOUT(tasks.history(), (QStringList{"Waiting", "Waiting too"}), 20000);
    stop(program);
    QCOMPARE(read(tasks.data + "/TL97Evnt.LOG").count("Run Program"), 2);
}

void TestProgram::recordsWindowTitlesWhenAsked()
{
    DueTasks tasks;
    QDir().mkpath(tasks.dir.filePath("config/tallimer97"));
    QFile profile(tasks.dir.filePath("config/tallimer97/win.ini"));
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write("[Tallimer]\nMonitor Windows=1\n");
    profile.close();
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", tasks.dir.filePath("config"));
    program.setProcessEnvironment(env);
    tasks.start(program);
    // Its own frame is a window on the desktop like any other.
    const auto recorded = [&] {
        store::Store st(tasks.data, tasks.messages);
        store::RecordContext ctx(st);
        return store::OpenTable(ctx, store::TableId::WindowLookup) &&
               loadRow(ctx, store::TableId::WindowLookup, store::WL::KeyTitle, store::WL::TITLE,
                       "Tallimer 97");
    };
    QTRY_VERIFY_WITH_TIMEOUT(recorded(), 20000);
    stop(program);
}

void TestProgram::missedTaskQuestionAnsweredNo()
{
    DueTasks tasks;
    tasks.add(1, "Backup", {{store::SCH::Warn, 1}}, 24 * 60);
    QProcess program;
    tasks.start(program);
    // The question is a message box of the real program; find it and answer with Escape (No).
    const std::unique_ptr<platform::WindowSystem> windows = platform::createWindowSystem();
    const std::unique_ptr<platform::KeyInjector> keys = platform::createKeyInjector();
    platform::WindowId box = 0;
    QTRY_VERIFY_WITH_TIMEOUT((box = script::FindScriptWindow(*windows, "Missed Task")) != 0, 20000);
    for (int attempt = 0; attempt < 40 && windows->foregroundWindow() != box; ++attempt) {
        windows->activate(box);
        QTest::qWait(100);
    }
    keys->pressKey(0x1B);
    QTRY_COMPARE_WITH_TIMEOUT(tasks.history(), QStringList{"(Skipped) Backup"}, 20000);
    stop(program);
    QVERIFY(read(tasks.data + "/TL97Evnt.LOG").contains("Missed task skipped           Backup"));
    QVERIFY(!read(tasks.data + "/TL97Evnt.LOG").contains("Run Program"));
}

void TestProgram::scriptTypesIntoTheProgramItStarted()
{
    using namespace store;
    const PrivateDisplay display(true);
    DueTasks tasks;
    tasks.add(1, "Fill in the form", {});
    const QString title = "Script Target";
    tasks.addScript(1, {{{SCR::ACTION, "Start Program"},
                         {SCR::COMMAND, QString(TEST_WINDOW) + " \"" + title + "\""}},
                        {{SCR::ACTION, "Wait"}, {SCR::WAITFORWINDOW, title}},
                        {{SCR::ACTION, "Set Focus"}, {SCR::FOCUSONWINDOW, title}},
                        {{SCR::ACTION, "Send Keystrokes"}, {SCR::KEYSTROKES, "typed by a script"}},
                        {{SCR::ACTION, "Send Keystrokes"}, {SCR::KEYSTROKES, "[AltF4]"}}});
    QProcess program;
    program.setProcessEnvironment(display.environment());
    tasks.start(program);
    // The window the script started says what was typed into it as it closes; it writes to
    // the output it shares with the program that started it.
    QByteArray said;
    QElapsedTimer waited;
    waited.start();
    // A loaded machine (or a sanitizer build) can take a while over all the steps.
    while (!said.contains("closed") && waited.elapsed() < 90000) {
        program.waitForReadyRead(100);
        said += program.readAllStandardOutput();
    }
    QVERIFY2(said.contains("closed text=typed by a script"), said.constData());
    QTRY_VERIFY_WITH_TIMEOUT(read(tasks.data + "/TL97Evnt.LOG").contains("**End**"), 10000);
    stop(program);
    const QByteArray logged = read(tasks.data + "/TL97Evnt.LOG");
    QCOMPARE(logged.count("Script                        "), 6);
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
