#include "DataFolder.h"
#include "ManualClock.h"
#include "Recorder.h"
#include "platform/Processes.h"
#include "scheduler/Launcher.h"
#include "store/EventLog.h"
#include "store/Settings.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace store;
using scheduler::Launcher;
using scheduler::ProgramStart;

namespace {

class RecordingQueue final : public scheduler::ScriptQueue {
public:
    void QueueScript(qint64 taskId) override { queued << taskId; }
    QList<qint64> queued;
};

} // namespace

class TestLauncher final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void shellStart_data();
    void shellStart();
    void notApplicableStartsNothing();
    void missingProgramQueuesNoScript();
    void directStartCutsTheCommand();
    void directStartAtLowPriorityInItsFolder();
    void startsAreLogged();

private:
    QTemporaryDir m_dir;
    QString m_program; // the recorder, copied to a folder whose name has a blank
    ScriptedPresenter m_messages;
};

void TestLauncher::initTestCase()
{
    QVERIFY(QDir(m_dir.path()).mkpath("Program Files/Editor"));
    m_program = m_dir.filePath("Program Files/Editor/edit");
    QVERIFY(QFile::copy(ARGV_RECORDER, m_program));
    QFile notes(m_dir.filePath("notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    // The desktop's opener of documents, our own: records what it opens.
    QVERIFY(QDir(m_dir.path()).mkpath("bin"));
    QFile opener(m_dir.filePath("bin/xdg-open"));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write(
        "#!/bin/sh\nprintf 'cwd=%s\\nnice=0\\narg=%s\\n' \"$PWD\" \"$1\" > \"$TL97_RECORD\"\n");
    opener.close();
    QVERIFY(opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", QFile::encodeName(m_dir.filePath("bin")) + ':' + qgetenv("PATH"));
}

void TestLauncher::shellStart_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("arguments");
    const QString program = m_dir.filePath("Program Files/Editor/edit");
    QTest::newRow("unquoted path with a blank, then a parameter")
        << program + " notes.txt" << QStringList{"notes.txt"};
    QTest::newRow("quoted path with parameters")
        << "\"" + program + "\" -n \"two words\"" << QStringList{"-n", "two words"};
    QTest::newRow("program alone") << program << QStringList();
    QTest::newRow("a document opens with the desktop's program")
        << m_dir.filePath("notes.txt") << QStringList{m_dir.filePath("notes.txt")};
}

void TestLauncher::shellStart()
{
    QFETCH(QString, command);
    QFETCH(QStringList, arguments);
    Recorder recorder;
    RecordingQueue queue;
    Launcher launcher(m_messages);
    launcher.setScriptQueue(&queue);
    ProgramStart start;
    start.taskId = 7;
    start.command = command + "   ";
    QVERIFY(launcher.RunProgram(start));
    QTRY_VERIFY(recorder.started());
    QCOMPARE(recorder.read().arguments, arguments);
    QCOMPARE(queue.queued, QList<qint64>{7});
    QCOMPARE(launcher.lastCommand(), command);
    QVERIFY(m_messages.shown().empty());
}

void TestLauncher::notApplicableStartsNothing()
{
    RecordingQueue queue;
    Launcher launcher(m_messages);
    launcher.setScriptQueue(&queue);
    ProgramStart start;
    start.taskId = 3;
    start.command = "n/a";
    QVERIFY(launcher.RunProgram(start));
    QCOMPARE(queue.queued, QList<qint64>{3});
    QVERIFY(launcher.lastCommand().isEmpty());
}

void TestLauncher::missingProgramQueuesNoScript()
{
    ScriptedPresenter messages;
    RecordingQueue queue;
    Launcher launcher(messages);
    launcher.setScriptQueue(&queue);
    ProgramStart start;
    start.taskId = 4;
    start.command = m_dir.filePath("Program Files/Missing/tool") + " --all";
    QVERIFY(!launcher.RunProgram(start));
    QVERIFY(queue.queued.isEmpty());
    QCOMPARE(messages.shown().size(), 1u);
    QCOMPARE(messages.shown().front().text, "Could not start " + start.command + ".");
    QVERIFY(messages.shown().front().caption.startsWith("Error Code "));
}

void TestLauncher::directStartCutsTheCommand()
{
    Recorder recorder;
    Launcher launcher(m_messages);
    ProgramStart start;
    start.direct = true;
    start.command = "\"" + m_program + "\" " + QString(200, 'x');
    QVERIFY(launcher.RunProgram(start));
    QTRY_VERIFY(recorder.started());
    const int kept = 119 - int(m_program.size()) - 3;
    QCOMPARE(recorder.read().arguments, QStringList{QString(kept, 'x')});
    const std::unique_ptr<platform::Process> process = launcher.takeLastProcess();
    QVERIFY(process);
    QVERIFY(process->waitForExit(5000));
    QVERIFY(!launcher.takeLastProcess());
}

void TestLauncher::directStartAtLowPriorityInItsFolder()
{
    Recorder recorder;
    Launcher launcher(m_messages);
    ProgramStart start;
    start.direct = true;
    start.defaultPriority = false;
    start.priority = 1;
    start.command = "\"" + m_program + "\" here";
    start.folder = m_dir.filePath("Program Files");
    QVERIFY(launcher.RunProgram(start));
    QTRY_VERIFY(recorder.started());
    const Recorded r = recorder.read();
    QCOMPARE(r.nice, 19);
    QCOMPARE(r.folder, QDir(m_dir.filePath("Program Files")).canonicalPath());
}

void TestLauncher::startsAreLogged()
{
    DataFolder data;
    ManualClock clock(QDateTime(QDate(1997, 5, 1), QTime(9, 0)));
    EventLog log(data.store(), clock);
    installEventLog(&log);
    settings().logEvents = true;
    Launcher launcher(m_messages);
    ProgramStart start;
    start.command = "N/A";
    launcher.RunProgram(start);
    settings().logEvents = false;
    installEventLog(nullptr);
    QVERIFY(data.readFile(EventLog::FileName).contains("Run Program                   N/A"));
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
