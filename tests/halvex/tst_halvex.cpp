#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

// The real terminator against real processes: copies of sleep under a name of the test's own,
// so nothing else on the machine can match.
class TestHalvex final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void oneProcessARun();
    void matching_data();
    void matching();
    void anotherUsersProcessIsReported();

private:
    std::unique_ptr<QProcess> napper();
    struct Run {
        int status;
        QByteArray errors;
    };
    Run halvex(const QString &name, const QStringList &asUser = {});

    QTemporaryDir m_dir;
    QString m_program; // <temporary folder>/tl97nap
};

void TestHalvex::initTestCase()
{
    m_program = m_dir.filePath("tl97nap");
    QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), m_program));
    QVERIFY(QFile::setPermissions(m_program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                 QFile::ExeOther));
}

std::unique_ptr<QProcess> TestHalvex::napper()
{
    auto p = std::make_unique<QProcess>();
    p->start(m_program, {"60"});
    p->waitForStarted();
    return p;
}

TestHalvex::Run TestHalvex::halvex(const QString &name, const QStringList &asUser)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY"); // failures then go to standard error, not into a message box
    p.setProcessEnvironment(env);
    if (asUser.isEmpty())
        p.start(HALVEX, {name});
    else
        p.start(asUser.front(), asUser.mid(1) + QStringList{HALVEX, name});
    p.waitForFinished(10000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

void TestHalvex::oneProcessARun()
{
    auto first = napper();
    auto second = napper();
    QCOMPARE(halvex(m_program).status, 0);
    QTRY_VERIFY(first->state() == QProcess::NotRunning || second->state() == QProcess::NotRunning);
    QTest::qWait(200);
    QVERIFY(first->state() == QProcess::Running || second->state() == QProcess::Running);
    QCOMPARE(halvex(m_program).status, 0);
    QTRY_VERIFY(first->state() == QProcess::NotRunning && second->state() == QProcess::NotRunning);
    // Nothing left to match: silent, and still a normal end.
    const Run none = halvex(m_program);
    QCOMPARE(none.status, 0);
    QVERIFY(none.errors.isEmpty());
}

void TestHalvex::matching_data()
{
    QTest::addColumn<QString>("name"); // %1: the program's full path, %2: its folder's name
    QTest::addColumn<bool>("ends");
    QTest::newRow("the full path") << "%1" << true;
    QTest::newRow("trailing blanks ignored") << "%1" + QString(200, ' ') << true;
    QTest::newRow("letter case ignored") << "%1" << true;
    QTest::newRow("a tail after a folder separator") << "%2/tl97nap" << true;
    QTest::newRow("a bare name does not match a full path") << "tl97nap" << false;
    QTest::newRow("not a tail that starts inside a name") << "%2/l97nap" << false;
    QTest::newRow("nor a part of the path") << "%2" << false;
    QTest::newRow("no name") << "" << false;
}

void TestHalvex::matching()
{
    QFETCH(QString, name);
    QFETCH(bool, ends);
    QString given =
        QString(name).replace("%1", m_program).replace("%2", QDir(m_dir.path()).dirName());
    if (QString(QTest::currentDataTag()) == "letter case ignored")
        given = given.toUpper();
    auto target = napper();
    const Run run = halvex(given);
    QCOMPARE(run.status, 0);
    QVERIFY(run.errors.isEmpty());
    QCOMPARE(target->waitForFinished(ends ? 5000 : 300), ends);
    target->kill();
    target->waitForFinished();
}

void TestHalvex::anotherUsersProcessIsReported()
{
    if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("needs to run as root with setpriv, to act as another user");
    auto target = napper();
    // Another user cannot read where the program lies; its short name is what it sees.
    const Run run =
        halvex("tl97nap", {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.errors, QByteArray("Error: Open Process: OPERATION NOT PERMITTED\n"));
    QCOMPARE(target->state(), QProcess::Running);
    target->kill();
    target->waitForFinished();
}

QTEST_GUILESS_MAIN(TestHalvex)
#include "tst_halvex.moc"
