#include "PrivateDisplay.h"
#include "ScriptFixture.h"
#include "script/RunQueue.h"
#include "script/ScriptStatus.h"
#include "script/WindowFinder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <csignal>
#include <unistd.h>

using script::Moment;
using script::QueueEntry;

// A desktop shared with other tests can be slow to map and focus windows.
constexpr int LoadedDesktopMs = 15000;

namespace {

// A window of the test process itself on the test's display, standing for the scheduler's own
// windows: it says it belongs to this process, and notes a request to close it.
class OwnWindow final {
public:
    explicit OwnWindow(const QString &display)
        : m_display(XOpenDisplay(display.toLocal8Bit().constData()))
    {
        m_window =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 200, 100, 0, 0, 0);
        XStoreName(m_display, m_window, "Tallimer 97");
        const auto pid = static_cast<unsigned long>(getpid());
        XChangeProperty(m_display, m_window, XInternAtom(m_display, "_NET_WM_PID", False),
                        XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&pid), 1);
        m_delete = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(m_display, m_window, &m_delete, 1);
        XMapWindow(m_display, m_window);
        XFlush(m_display);
    }
    ~OwnWindow() { XCloseDisplay(m_display); }
    platform::WindowId id() const { return m_window; }
    bool closeRequested()
    {
        XSync(m_display, False);
        while (XPending(m_display)) {
            XEvent e;
            XNextEvent(m_display, &e);
            if (e.type == ClientMessage && Atom(e.xclient.data.l[0]) == m_delete)
                m_closeRequested = true;
        }
        return m_closeRequested;
    }

private:
    Display *m_display;
    Window m_window;
    Atom m_delete;
    bool m_closeRequested = false;
};

} // namespace

class TestInterpreter final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void planning_data();
    void planning();
    void scriptsQueuedTogetherNeverOverlap();
    void planningCarriesIntoTheNextDay();
    void flow_data();
    void flow();
    void debugMessages();
    void stoppingDuringAMessageLogsNothing();
    void windowWaitMovesTheLaterEntries();
    void waitUntilAWindowHasGone();
    void setFocusBringsTheWindowForward();
    void startProgramWaitsWithATimeout();
    void startProgramWaitsForTheEnd();
    void startProgramWithoutOptionsGoesOn();
    void closeTheWindowInFront();
    void neverCloseTheSchedulersOwnWindow();
    void closeProgramByName();
    void statusLine_data();
    void statusLine();

private:
    std::unique_ptr<PrivateDisplay> m_display;
    std::unique_ptr<platform::WindowSystem> m_windows;
    std::unique_ptr<platform::KeyInjector> m_keys;
    QTemporaryDir m_dir;
};

void TestInterpreter::initTestCase()
{
    m_display = std::make_unique<PrivateDisplay>(true);
    m_windows = platform::createWindowSystem(m_display->name());
    m_keys = platform::createKeyInjector(m_display->name());
    QVERIFY(m_windows->isAvailable());
}

void TestInterpreter::planning_data()
{
    QTest::addColumn<QStringList>("lines");
    // Hundredths after queuing at which each entry, the end marker last, is planned to run.
    QTest::addColumn<QList<qint64>>("offsets");
    const qint64 d = 50;
    QTest::newRow("an And wait of 5 s first, then a line")
        << QStringList{"Wait|5||And", "Send Keystrokes|x"}
        << QList<qint64>{2 * d + 500, 2 * d + 500 + d, 2 * d + 500 + d};
    QTest::newRow("an Or wait spends nothing when planned")
        << QStringList{"Send Keystrokes|x", "Wait|30|Notes*|Or", "Send Keystrokes|y"}
        << QList<qint64>{3 * d, 3 * d, 4 * d, 4 * d};
    QTest::newRow("If lines and End If take no time")
        << QStringList{"If Window...|Window Exists|Notes*", "Set Focus|Notes*", "...End If",
                       "If Time Elapsed...|Greater Than|20", "...End If"}
        << QList<qint64>{2 * d, 3 * d, 3 * d, 3 * d, 3 * d, 3 * d};
    QTest::newRow("no lines: only the end") << QStringList{} << QList<qint64>{2 * d};
}

void TestInterpreter::planning()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<qint64>, offsets);
    ScriptRun run(*m_windows, *m_keys);
    const Moment queued = Moment::of(run.clock.now());
    run.queue(1, lines);
    const auto &entries = run.interpreter->entries();
    QCOMPARE(entries.size(), size_t(offsets.size()));
    for (qsizetype i = 0; i < offsets.size(); ++i)
        QCOMPARE(entries[size_t(i)].run, queued.plus(offsets[i]));
    QCOMPARE(entries.back().text(store::SCR::ACTION), QString("**End**"));
}

void TestInterpreter::scriptsQueuedTogetherNeverOverlap()
{
    ScriptRun run(*m_windows, *m_keys);
    const Moment queued = Moment::of(run.clock.now());
    run.queue(1, {"Send Keystrokes|a", "Wait|10||And", "If Time Elapsed...|Less|5"});
    run.queue(2, {"If Time Elapsed...|Greater Than|3", "Send Keystrokes|b"});
    const auto &q = run.interpreter->entries();
    QCOMPARE(q.size(), size_t(7));
    const Moment firstEnd = q[3].run;
    QCOMPARE(firstEnd, queued.plus(100 + 50 + 1000));
    // The second starts a delay after the first one's end; its If line measures from there.
    QCOMPARE(q[4].run, firstEnd.plus(50));
    QCOMPARE(q[4].deadline, firstEnd.plus(50 + 300));
    QCOMPARE(q[5].run, firstEnd.plus(100));
    QCOMPARE(q[2].deadline, queued.plus(100 + 500));
    for (size_t i = 1; i < q.size(); ++i)
        QVERIFY(!(q[i].run < q[i - 1].run));
}

void TestInterpreter::planningCarriesIntoTheNextDay()
{
    ScriptRun run(*m_windows, *m_keys);
    run.clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)));
    const Moment queued = Moment::of(run.clock.now());
    run.queue(1, {"Wait|3||And", "Send Keystrokes|a"});
    const auto &q = run.interpreter->entries();
    QCOMPARE(q[0].run.date, queued.date + 1);
    QCOMPARE(q[0].run, (Moment{queued.date + 1, store::dates::timeValue(QTime(0, 0, 2))}));
    QCOMPARE(q[1].run, q[0].run.plus(50));
    // It runs when the new day has come.
    QVERIFY(run.runOut());
    QCOMPARE(run.logged(), (QStringList{"Wait", "Send Keystrokes", "**End**"}));
}

void TestInterpreter::flow_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second"); // queued after the first; none when empty
    QTest::addColumn<QStringList>("logged");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("If a window doesn't exist, and none does: the block runs")
        << QStringList{"If Window...|Window Doesn't Exist|No Such Window*",
                       "Display Message|inside|Block", "...End If"}
        << QStringList{} << QStringList{"If Window...", "Display Message", "...End If", "**End**"}
        << QStringList{"Block: inside"};
    QTest::newRow("a failing If skips its nested block, the outer End If ends the skip")
        << QStringList{"If Window...|Window Exists|No Such Window*",
                       "Display Message|a|A",
                       "If Time Elapsed...|Greater Than|0",
                       "Display Message|b|B",
                       "...End If",
                       "Display Message|c|C",
                       "...End If",
                       "Display Message|d|D"}
        << QStringList{} << QStringList{"If Window...", "...End If", "Display Message", "**End**"}
        << QStringList{"D: d"};
    QTest::newRow("a failing If without End If empties the queue, later scripts too")
        << QStringList{"If Window...|Window Exists|No Such Window*", "Display Message|a|A"}
        << QStringList{"Display Message|b|B"} << QStringList{"If Window..."} << QStringList{};
    QTest::newRow("Exit Script ends only its own script")
        << QStringList{"Display Message|a|A", "Exit Script", "Display Message|b|B"}
        << QStringList{"Display Message|c|C"}
        << QStringList{"Display Message", "**End**", "Display Message", "**End**"}
        << QStringList{"A: a", "C: c"};
    QTest::newRow("Exit Script as the last entry of the queue")
        << QStringList{"Exit Script"} << QStringList{} << QStringList{"**End**"} << QStringList{};
    QTest::newRow("time elapsed 0 s: greater than holds at once")
        << QStringList{"If Time Elapsed...|Greater Than|0", "Display Message|x|X", "...End If"}
        << QStringList{}
        << QStringList{"If Time Elapsed...", "Display Message", "...End If", "**End**"}
        << QStringList{"X: x"};
    QTest::newRow("time elapsed 0 s: less than fails at once")
        << QStringList{"If Time Elapsed...|Time Elapsed is Less|0", "Display Message|x|X",
                       "...End If"}
        << QStringList{} << QStringList{"If Time Elapsed...", "...End If", "**End**"}
        << QStringList{};
    QTest::newRow("less than an hour, early on: holds")
        << QStringList{"If Time Elapsed...|Time Elapsed is Less|3600", "Display Message|x|X",
                       "...End If"}
        << QStringList{}
        << QStringList{"If Time Elapsed...", "Display Message", "...End If", "**End**"}
        << QStringList{"X: x"};
    QTest::newRow("an unknown action is reported and passed")
        << QStringList{"Sing", "Display Message|after|Next"} << QStringList{}
        << QStringList{"Sing", "Display Message", "**End**"}
        << QStringList{"Script Error: Invalid script option:  Sing", "Next: after"};
    QTest::newRow("an And wait of seconds, no window")
        << QStringList{"Wait|2||And", "Display Message|x|X"} << QStringList{}
        << QStringList{"Wait", "Display Message", "**End**"} << QStringList{"X: x"};
    QTest::newRow("a command to an application that is not running")
        << QStringList{"DDE (Dynamic Data Exchange)|Execute|org.tallimer.Absent|/|item|Refresh",
                       "Display Message|x|X"}
        << QStringList{} << QStringList{"DDE (Dynamic Data Exchange)", "Display Message", "**End**"}
        << QStringList{"X: x"};
    QTest::newRow("an Or wait for a window that never comes gives up after its seconds")
        << QStringList{"Wait|3|No Such Window*|Or", "Display Message|x|X"} << QStringList{}
        << QStringList{"Wait", "Display Message", "**End**"} << QStringList{"X: x"};
}

void TestInterpreter::flow()
{
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QStringList, logged);
    QFETCH(QStringList, messages);
    ScriptRun run(*m_windows, *m_keys);
    run.queue(1, first);
    if (!second.isEmpty())
        run.queue(2, second);
    QVERIFY(run.runOut());
    QCOMPARE(run.logged(), logged);
    QCOMPARE(run.messages(), messages);
    QCOMPARE(run.statuses.last(), QString("Script completed"));
}

void TestInterpreter::debugMessages()
{
    ScriptRun run(*m_windows, *m_keys, true);
    run.queue(1, {"Set Focus|No Such Window*", "If Window...|Window Exists|No Such Window*",
                  "...End If", "If Time Elapsed...|Greater Than|0", "...End If"});
    QVERIFY(run.runOut());
    QCOMPARE(run.messages(),
             (QStringList{"Set Focus: No Such Window*", "Failed Set Focus: No Such Window*",
                          "Test failed: Removing task items.",
                          "Test passed: Next item will be processed."}));
}

void TestInterpreter::stoppingDuringAMessageLogsNothing()
{
    ScriptRun run(*m_windows, *m_keys);
    run.presenter().onMessage(
        [&](const store::StandardMessage &) { run.interpreter->StopRunningScript(); });
    run.queue(1, {"Display Message|Stop me|Now", "Display Message|never|Never"});
    QVERIFY(run.runOut());
    QCOMPARE(run.messages(), QStringList{"Now: Stop me"});
    QVERIFY(run.logged().isEmpty());
}

void TestInterpreter::windowWaitMovesTheLaterEntries()
{
    ScriptRun run(*m_windows, *m_keys);
    run.queue(1, {"Wait|0|Late Window|And", "Display Message|x|X"});
    const Moment planned = run.interpreter->entries()[1].run;
    while (run.interpreter->entries().front().run > Moment::of(run.clock.now()))
        run.tick();
    run.tick(); // the wait begins
    QCOMPARE(run.head(), QString("Wait"));
    for (int i = 0; i < 60; ++i)
        run.tick();
    QCOMPARE(run.head(), QString("Wait"));
    ShownWindow late(*m_display, "Late Window");
    QVERIFY(late.id() != 0);
    QTRY_VERIFY_WITH_TIMEOUT(script::FindScriptWindow(*m_windows, "Late Window") != 0,
                             LoadedDesktopMs);
    run.tick(); // 30.5 s after the wait began, the window is there
    QCOMPARE(run.head(), QString("Display Message"));
    QCOMPARE(run.interpreter->entries().front().run, planned.plus(3050));
    QTRY_COMPARE_WITH_TIMEOUT(m_windows->foregroundWindow(), late.id(), LoadedDesktopMs);
}

void TestInterpreter::waitUntilAWindowHasGone()
{
    ScriptRun run(*m_windows, *m_keys);
    auto notes = std::make_unique<ShownWindow>(*m_display, "Untitled - Notes");
    QTRY_VERIFY_WITH_TIMEOUT(script::FindScriptWindow(*m_windows, "untitled - *") != 0,
                             LoadedDesktopMs);
    run.queue(1, {"Wait|0|~Untitled - *|And", "Display Message|gone|Gone"});
    for (int i = 0; i < 10; ++i)
        run.tick();
    QCOMPARE(run.head(), QString("Wait"));
    notes.reset();
    QTRY_VERIFY_WITH_TIMEOUT(script::FindScriptWindow(*m_windows, "untitled - *") == 0,
                             LoadedDesktopMs);
    QVERIFY(run.runOut());
    QCOMPARE(run.messages(), QStringList{"Gone: gone"});
}

void TestInterpreter::setFocusBringsTheWindowForward()
{
    ScriptRun run(*m_windows, *m_keys);
    ShownWindow back(*m_display, "Background Editor");
    ShownWindow front(*m_display, "Front Window");
    QTRY_COMPARE_WITH_TIMEOUT(m_windows->foregroundWindow(), front.id(), LoadedDesktopMs);
    run.queue(1, {"Set Focus|*Editor"});
    QVERIFY(run.runOut());
    QTRY_COMPARE_WITH_TIMEOUT(m_windows->foregroundWindow(), back.id(), LoadedDesktopMs);
    QCOMPARE(run.logged(), (QStringList{"Set Focus", "**End**"}));
}

void TestInterpreter::startProgramWaitsWithATimeout()
{
    ScriptRun run(*m_windows, *m_keys);
    const QString pidFile = m_dir.filePath("pid");
    // Wait flag, high priority, normal window; the program keeps running.
    run.queue(1, {"Start Program|sh -c \"echo $$ > " + pidFile + "; exec sleep 60\"||131|10",
                  "Display Message|after|Next"});
    for (int i = 0; i < 10 && run.head() != "Wait for Program End"; ++i)
        run.tick();
    QCOMPARE(run.head(), QString("Wait for Program End"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(pidFile), LoadedDesktopMs);
    for (int i = 0; i < 19; ++i)
        run.tick();
    QCOMPARE(run.head(), QString("Wait for Program End"));
    run.tick();
    run.tick();
    QCOMPARE(run.head(), QString("Display Message"));
    QFile f(pidFile);
    QVERIFY(f.open(QIODevice::ReadOnly));
    ::kill(pid_t(f.readAll().trimmed().toLongLong()), SIGKILL);
    QVERIFY(run.runOut());
    QCOMPARE(run.logged(), (QStringList{"Wait for Program End", "Display Message", "**End**"}));
}

void TestInterpreter::startProgramWaitsForTheEnd()
{
    ScriptRun run(*m_windows, *m_keys);
    run.queue(1, {"Start Program|sh -c \"sleep 2; exit 3\"||100|0", "Display Message|after|Next"});
    for (int i = 0; i < 10 && run.head() != "Wait for Program End"; ++i)
        run.tick();
    // No time-out: however long the test's clock runs, the entry waits for the program.
    for (int i = 0; i < 400; ++i)
        run.tick();
    QCOMPARE(run.head(), QString("Wait for Program End"));
    for (int i = 0; i < 200 && run.head() == "Wait for Program End"; ++i) {
        QTest::qWait(50);
        run.tick();
    }
    QCOMPARE(run.head(), QString("Display Message"));
}

void TestInterpreter::startProgramWithoutOptionsGoesOn()
{
    ScriptRun run(*m_windows, *m_keys);
    const QString made = m_dir.filePath("made");
    run.queue(1,
              {"Start Program|touch made|" + m_dir.path(), "Start Program|no-such-program-x||100"});
    QVERIFY(run.runOut());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(made), LoadedDesktopMs);
    // The program that could not start is reported by the launcher and not waited for.
    QCOMPARE(run.messages().size(), 1);
    QVERIFY(run.messages().front().contains("Could not start no-such-program-x."));
    QCOMPARE(run.logged(), (QStringList{"Start Program", "Start Program", "**End**"}));
}

void TestInterpreter::closeTheWindowInFront()
{
    ScriptRun run(*m_windows, *m_keys);
    ShownWindow editor(*m_display, "Editor - unsaved");
    m_windows->activate(editor.id());
    QTRY_COMPARE_WITH_TIMEOUT(m_windows->foregroundWindow(), editor.id(), LoadedDesktopMs);
    run.queue(1, {"Close Program"});
    QVERIFY(run.runOut());
    QVERIFY(editor.said("closed"));
}

void TestInterpreter::neverCloseTheSchedulersOwnWindow()
{
    ScriptRun run(*m_windows, *m_keys);
    OwnWindow own(m_display->name());
    const auto ownInFront = [&] {
        m_windows->activate(own.id());
        QTRY_COMPARE_WITH_TIMEOUT(m_windows->foregroundWindow(), own.id(), LoadedDesktopMs);
    };
    // No program of the task to close instead: nothing is closed.
    ownInFront();
    run.queue(1, {"Close Program"});
    QVERIFY(run.runOut());
    QTest::qWait(200);
    QVERIFY(!own.closeRequested());

    // The task started a program: its window is closed in the scheduler's place.
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("DISPLAY", m_display->name().toLocal8Bit());
    run.startTask(2, QString(TEST_WINDOW) + " \"Task Window\"",
                  {"Wait|0|Task Window|And", "Close Program"});
    qputenv("DISPLAY", display);
    for (int i = 0; i < 3000 && run.head() != "Close Program"; ++i) {
        run.tick();
        QTest::qWait(5);
    }
    ownInFront();
    QVERIFY(run.runOut());
    QTRY_VERIFY_WITH_TIMEOUT(script::FindScriptWindow(*m_windows, "Task Window") == 0,
                             LoadedDesktopMs);
    QVERIFY(!own.closeRequested());
}

void TestInterpreter::closeProgramByName()
{
    ScriptRun run(*m_windows, *m_keys, false, HALVEX);
    const QString program = m_dir.filePath("tl97doze");
    QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), program));
    QProcess target;
    target.start(program, {"60"});
    QVERIFY(target.waitForStarted());
    run.queue(1, {"Close Program|" + program});
    QVERIFY(run.runOut());
    QVERIFY(target.waitForFinished(5000));
    QCOMPARE(run.logged(), (QStringList{"Close Program", "**End**"}));
}

void TestInterpreter::statusLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("status");
    QTest::newRow("wait with seconds") << "Wait|5|Untitled*|And"
                                       << "Wait:5 seconds Untitled*";
    QTest::newRow("wait for a window") << "Wait|0|Untitled*|And"
                                       << "Wait:Untitled*";
    QTest::newRow("start") << "Start Program|edit notes.txt|/tmp|000|0"
                           << "Start Program:edit notes.txt";
    QTest::newRow("keys") << "Send Keystrokes|abc[Enter]"
                          << "Send Keystrokes:abc[Enter]";
    QTest::newRow("command") << "DDE (Dynamic Data Exchange)|Execute|org.example.App|/doc|item|Save"
                             << "DDE (Dynamic Data Exchange):Execute org.example.App /doc";
    QTest::newRow("focus") << "Set Focus|*Notes"
                           << "Set Focus:*Notes";
    QTest::newRow("if window") << "If Window...|Window Exists|*Notes"
                               << "If Window...:*Notes";
    QTest::newRow("if time") << "If Time Elapsed...|Greater Than|90"
                             << "If Time Elapsed...:90 seconds";
    QTest::newRow("other") << "Display Message|hi|there"
                           << "Display Message";
}

void TestInterpreter::statusLine()
{
    QFETCH(QString, line);
    QFETCH(QString, status);
    QueueEntry entry{makeRecord(store::TableId::Scripting, scriptLine(1, 1, line)), {}, {}};
    QCOMPARE(script::scriptStatus(&entry), status);
    QCOMPARE(script::scriptStatus(nullptr), QString("Script completed"));
}

QTEST_MAIN(TestInterpreter)
#include "tst_interpreter.moc"
