#include <QDir>
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

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
