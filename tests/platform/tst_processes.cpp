#include "Recorder.h"
#include "platform/Processes.h"
#include "platform/Sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

using namespace platform;

class TestProcesses final : public QObject {
    Q_OBJECT

private slots:
    void startedWithArgumentsFolderAndPriority_data();
    void startedWithArgumentsFolderAndPriority();
    void endedProgramsAreReaped();
    void missingProgram();
    void shellOpen_data();
    void shellOpen();
    void sounds();

private:
    QTemporaryDir m_dir;
    // An xdg-open of our own first on PATH: it records what it was asked to open and exits
    // with the status given in TL97_OPEN_STATUS.
    void installOpener();
};

void TestProcesses::installOpener()
{
    const QString opener = m_dir.filePath("bin/xdg-open");
    if (QFile::exists(opener))
        return;
    QDir(m_dir.path()).mkpath("bin");
    QFile script(opener);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\nprintf 'cwd=%s\\nnice=0\\narg=%s\\n' \"$PWD\" \"$1\" > \"$TL97_RECORD\"\n"
        "exit ${TL97_OPEN_STATUS:-0}\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", QFile::encodeName(m_dir.filePath("bin")) + ':' + qgetenv("PATH"));
}

void TestProcesses::startedWithArgumentsFolderAndPriority_data()
{
    QTest::addColumn<Priority>("priority");
    QTest::addColumn<int>("nice");
    QTest::newRow("low") << Priority::Low << 19;
    QTest::newRow("normal") << Priority::Normal << 0;
    // Raised only where the system allows it: as root, by ten steps.
    QTest::newRow("high") << Priority::High << (geteuid() == 0 ? -10 : 0);
}

void TestProcesses::startedWithArgumentsFolderAndPriority()
{
    QFETCH(Priority, priority);
    Recorder recorder;
    int error = -1;
    auto process =
        startProcess(ARGV_RECORDER, {"one", "two words", ""}, m_dir.path(), priority, &error);
    QVERIFY(process);
    QCOMPARE(error, 0);
    QTRY_VERIFY(recorder.started());
    const Recorded r = recorder.read();
    QCOMPARE(r.arguments, (QStringList{"one", "two words", ""}));
    QCOMPARE(r.folder, QDir(m_dir.path()).canonicalPath());
    QTEST(r.nice, "nice");
    // Our own priority is left as it was.
    QCOMPARE(getpriority(PRIO_PROCESS, 0), 0);
}

void TestProcesses::endedProgramsAreReaped()
{
    int error = 0;
    auto process = startProcess("true", {}, QString(), Priority::Normal, &error);
    QVERIFY(process);
    const qint64 pid = process->pid();
    QTRY_VERIFY(!process->isRunning());
    QCOMPARE(process->exitCode(), 0);
    QVERIFY(!QFile::exists(QString("/proc/%1").arg(pid)));

    auto failing = startProcess("false", {}, QString(), Priority::Normal, &error);
    QVERIFY(failing->waitForExit(5000));
    QCOMPARE(failing->exitCode(), 1);
}

void TestProcesses::missingProgram()
{
    int error = 0;
    QVERIFY(
        !startProcess(m_dir.filePath("no such program"), {}, QString(), Priority::Normal, &error));
    QCOMPARE(error, ENOENT);
}

void TestProcesses::shellOpen_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<int>("openerStatus");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("recordedArgument");
    QTest::newRow("a program with parameters") << ARGV_RECORDER << "-a 'b c'" << 0 << true << "-a";
    QTest::newRow("a document") << "notes.txt"
                                << "" << 0 << true << "notes.txt";
    QTest::newRow("a folder") << "."
                              << "" << 0 << true << ".";
    QTest::newRow("an address") << "https://example.org/"
                                << "" << 0 << true << "https://example.org/";
    QTest::newRow("no program for the document") << "notes.txt"
                                                 << "" << 3 << false << "";
    QTest::newRow("nothing of that name") << "missing.txt"
                                          << "" << 0 << false << "";
}

void TestProcesses::shellOpen()
{
    QFETCH(QString, file);
    QFETCH(QString, parameters);
    QFETCH(int, openerStatus);
    QFETCH(bool, succeeds);
    QFETCH(QString, recordedArgument);
    installOpener();
    qputenv("TL97_OPEN_STATUS", QByteArray::number(openerStatus));
    QFile notes(m_dir.filePath("notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    Recorder recorder;
    const int result = platform::shellOpen(file, parameters, m_dir.path());
    QCOMPARE(result >= 32, succeeds);
    if (!succeeds)
        return;
    QTRY_VERIFY(recorder.started());
    const QString recorded = recorder.read().arguments.value(0);
    QVERIFY2(recorded.endsWith(recordedArgument == "." ? QDir(m_dir.path()).dirName()
                                                       : recordedArgument) ||
                 recorded == recordedArgument,
             qPrintable(recorded));
}

void TestProcesses::sounds()
{
    auto player = createSoundPlayer();
    QVERIFY(player->play("BEEP"));
    QVERIFY(!player->play(m_dir.filePath("missing.wav")));
    QFile text(m_dir.filePath("not-a-sound.wav"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("this is no sound");
    text.close();
    QVERIFY(!player->play(text.fileName()));
    // A real WAV file plays only where there is somewhere to play it.
    QFile wave(m_dir.filePath("alarm.wav"));
    QVERIFY(wave.open(QIODevice::WriteOnly));
    QByteArray data("RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00"
                    "\x40\x1f\x00\x00\x01\x00\x08\x00"
                    "data\x00\x00\x00\x00",
                    44);
    wave.write(data);
    wave.close();
    QCOMPARE(player->play(wave.fileName()), !QMediaDevices::audioOutputs().isEmpty());
}

QTEST_MAIN(TestProcesses)
#include "tst_processes.moc"
