#include "platform/ApplicationCommands.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>

namespace {

// The application at the other end: an object on a bus connection of its own, under a name of
// its own, recording the calls that reach it.
class Receiver final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tallimer.TestApp")

public:
    QStringList calls;

public slots:
    void Open(const QString &file, int line) { calls << QString("Open %1 %2").arg(file).arg(line); }
    void Refresh() { calls << "Refresh"; }
    void Zoom(double factor, bool fit) { calls << QString("Zoom %1 %2").arg(factor).arg(fit); }
};

} // namespace

class TestApplicationCommands final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void parse_data();
    void parse();
    void reachesTheRunningApplication_data();
    void reachesTheRunningApplication();
    void nothingIsSentWithoutAReceiver_data();
    void nothingIsSentWithoutAReceiver();

private:
    Receiver m_receiver;
    QDBusConnection m_service{QString()};
};

void TestApplicationCommands::initTestCase()
{
    m_service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "test-app");
    if (!m_service.isConnected())
        QSKIP("no session bus: run under dbus-run-session");
    QVERIFY(m_service.registerService("org.tallimer.TestApp"));
    QVERIFY(
        m_service.registerObject("/documents/one", &m_receiver, QDBusConnection::ExportAllSlots));
}

void TestApplicationCommands::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus("test-app");
}

void TestApplicationCommands::parse_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("call"); // interface|method|arguments with their types; blank: none
    QTest::newRow("method alone") << "Refresh"
                                  << "|Refresh|";
    QTest::newRow("interface and method") << "org.example.Editor.Save()"
                                          << "org.example.Editor|Save|";
    QTest::newRow("arguments of each kind")
        << R"(Open("a \"b\" c", 42, -7, 1.5, true, plain words, 99999999999))"
        << R"(|Open|QString:a "b" c,int:42,int:-7,double:1.5,bool:true,QString:plain words,qlonglong:99999999999)";
    QTest::newRow("blanks around") << "  Go ( 1 ,\"x\" )  "
                                   << "|Go|int:1,QString:x";
    QTest::newRow("an empty string") << R"(Find(""))"
                                     << "|Find|QString:";
    QTest::newRow("unclosed list") << "Open(1, 2"
                                   << "";
    QTest::newRow("unclosed text") << R"(Open("abc))"
                                   << "";
    QTest::newRow("text after the list") << "Open(1) now"
                                         << "";
    QTest::newRow("a blank in the name") << "Open file"
                                         << "";
    QTest::newRow("no method after the dot") << "org.example."
                                             << "";
    QTest::newRow("nothing") << "   "
                             << "";
}

void TestApplicationCommands::parse()
{
    QFETCH(QString, command);
    QFETCH(QString, call);
    const std::optional<platform::MethodCall> parsed = platform::parseMethodCall(command);
    QString seen;
    if (parsed) {
        QStringList arguments;
        for (const QVariant &a : parsed->arguments)
            arguments << QString(a.typeName()) + ":" + a.toString();
        seen = parsed->interface + "|" + parsed->method + "|" + arguments.join(",");
    }
    QCOMPARE(seen, call);
}

void TestApplicationCommands::reachesTheRunningApplication_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("received");
    QTest::newRow("with its interface") << R"(org.tallimer.TestApp.Open("notes.txt", 12))"
                                        << "Open notes.txt 12";
    QTest::newRow("by the method alone") << "Refresh"
                                         << "Refresh";
    QTest::newRow("a decimal and a flag") << "Zoom(1.5, true)"
                                          << "Zoom 1.5 1";
}

void TestApplicationCommands::reachesTheRunningApplication()
{
    QFETCH(QString, command);
    QFETCH(QString, received);
    m_receiver.calls.clear();
    QVERIFY(platform::sendApplicationCommand("org.tallimer.TestApp  ", "/documents/one", command));
    QTRY_COMPARE(m_receiver.calls, QStringList{received});
}

void TestApplicationCommands::nothingIsSentWithoutAReceiver_data()
{
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("sent");
    QTest::newRow("an application that is not running") << "org.tallimer.Absent"
                                                        << "/documents/one"
                                                        << "Refresh" << false;
    QTest::newRow("a name no application can hold") << "Notepad"
                                                    << "/"
                                                    << "Refresh" << false;
    QTest::newRow("a topic that is no object path") << "org.tallimer.TestApp"
                                                    << "documents"
                                                    << "Refresh" << false;
    QTest::newRow("a command that is no call") << "org.tallimer.TestApp"
                                               << "/documents/one"
                                               << "Open(" << false;
    // Sent, and refused by the application: ignored.
    QTest::newRow("a method it does not have") << "org.tallimer.TestApp"
                                               << "/documents/one"
                                               << "Explode(3)" << true;
    QTest::newRow("an object it does not have") << "org.tallimer.TestApp"
                                                << "/documents/two"
                                                << "Refresh" << true;
}

void TestApplicationCommands::nothingIsSentWithoutAReceiver()
{
    QFETCH(QString, application);
    QFETCH(QString, topic);
    QFETCH(QString, command);
    QFETCH(bool, sent);
    m_receiver.calls.clear();
    QCOMPARE(platform::sendApplicationCommand(application, topic, command), sent);
    QTest::qWait(100);
    QVERIFY(m_receiver.calls.isEmpty());
}

QTEST_GUILESS_MAIN(TestApplicationCommands)
#include "tst_applicationcommands.moc"
