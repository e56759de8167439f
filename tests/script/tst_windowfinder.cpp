#include "PrivateDisplay.h"
#include "platform/WindowSystem.h"
#include "script/WindowFinder.h"

#include <QTest>

using platform::WindowSystem;
using script::FindScriptWindow;
using script::TitleMatches;

class TestWindowFinder final : public QObject {
    Q_OBJECT

private slots:
    void patterns_data();
    void patterns();

    void initTestCase_data();
    void init();
    void cleanup();
    void findsRealWindows_data();
    void findsRealWindows();
    void frontWindowOfTwoMatches();
    void activationMovesTheFocus();
    void closeRequestReachesTheWindow();

private:
    std::unique_ptr<PrivateDisplay> m_display;
    std::unique_ptr<WindowSystem> m_windows;
};

void TestWindowFinder::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("matches");
    QTest::newRow("exact, other case") << "connect to"
                                       << "Connect To" << true;
    QTest::newRow("exact, trailing blanks") << "Connect To   "
                                            << "Connect To " << true;
    QTest::newRow("not exact without a star") << "Connect"
                                              << "Connect To" << false;
    QTest::newRow("prefix") << "Untitled - *"
                            << "Untitled - Editor" << true;
    QTest::newRow("prefix ignores what follows the star") << "untitled - *Notes"
                                                          << "Untitled - Editor" << true;
    QTest::newRow("prefix longer than the title") << "Untitled - Editor 2*"
                                                  << "Untitled - Editor" << false;
    QTest::newRow("phrase") << "*mail"
                            << "Inbox - Mail Reader" << true;
    QTest::newRow("phrase with trailing blanks") << "*Mail   "
                                                 << "Inbox - Mail Reader" << true;
    QTest::newRow("phrase not there") << "*Calendar"
                                      << "Inbox - Mail Reader" << false;
    QTest::newRow("lone star matches nothing") << "*"
                                               << "Anything" << false;
    QTest::newRow("tilde is not part of the pattern") << "~Connect To"
                                                      << "Connect To" << true;
    QTest::newRow("an executable's name is just text") << "notepad.exe"
                                                       << "Untitled - Notepad" << false;
}

void TestWindowFinder::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, title);
    QTEST(TitleMatches(pattern, title), "matches");
}

void TestWindowFinder::initTestCase_data()
{
    QTest::addColumn<bool>("windowManager");
    QTest::newRow("bare X") << false;
    QTest::newRow("openbox") << true;
}

void TestWindowFinder::init()
{
    if (QByteArray(QTest::currentTestFunction()) == "patterns")
        return;
    QFETCH_GLOBAL(bool, windowManager);
    m_display = std::make_unique<PrivateDisplay>(windowManager);
    m_windows = platform::createWindowSystem(m_display->name());
    QVERIFY(m_windows->isAvailable());
}

void TestWindowFinder::cleanup()
{
    m_windows.reset();
    m_display.reset();
}

void TestWindowFinder::findsRealWindows_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("found"); // blank: none
    QTest::newRow("exact") << "connect to"
                           << "Connect To";
    QTest::newRow("prefix") << "Untitled - *"
                            << "Untitled - Editor";
    QTest::newRow("phrase") << "*mail"
                            << "Inbox - Mail Reader";
    QTest::newRow("a hidden window") << "Hidden Settings"
                                     << "Hidden Settings";
    QTest::newRow("nothing") << "*Calendar"
                             << "";
}

void TestWindowFinder::findsRealWindows()
{
    QFETCH(QString, pattern);
    QFETCH(QString, found);
    ShownWindow a(*m_display, "Untitled - Editor");
    ShownWindow b(*m_display, "Connect To");
    ShownWindow c(*m_display, "Inbox - Mail Reader");
    ShownWindow d(*m_display, "Hidden Settings", true);
    QVERIFY(a.id() && b.id() && c.id() && d.id());
    const std::map<QString, unsigned long> ids{{"Untitled - Editor", a.id()},
                                               {"Connect To", b.id()},
                                               {"Inbox - Mail Reader", c.id()},
                                               {"Hidden Settings", d.id()}};
    QTRY_COMPARE(FindScriptWindow(*m_windows, pattern), found.isEmpty() ? 0ul : ids.at(found));
}

void TestWindowFinder::frontWindowOfTwoMatches()
{
    ShownWindow first(*m_display, "Twin A");
    ShownWindow second(*m_display, "Twin B");
    QVERIFY(first.id() && second.id());
    QTRY_COMPARE(FindScriptWindow(*m_windows, "Twin*"), second.id());
    QVERIFY(m_windows->activate(first.id()));
    QTRY_COMPARE(FindScriptWindow(*m_windows, "Twin*"), first.id());
}

void TestWindowFinder::activationMovesTheFocus()
{
    ShownWindow first(*m_display, "Focus One");
    ShownWindow second(*m_display, "Focus Two");
    QVERIFY(first.id() && second.id());
    // A window that is not viewable yet cannot take the focus: ask again until it has it.
    for (int attempt = 0; attempt < 40 && m_windows->foregroundWindow() != first.id(); ++attempt) {
        QVERIFY(m_windows->activate(first.id()));
        QTest::qWait(250);
    }
    QCOMPARE(m_windows->foregroundWindow(), first.id());
    QVERIFY(first.said("focus"));
    QVERIFY(m_windows->activate(second.id()));
    QTRY_COMPARE(m_windows->foregroundWindow(), second.id());
}

void TestWindowFinder::closeRequestReachesTheWindow()
{
    ShownWindow w(*m_display, "Close Me");
    QVERIFY(w.id());
    QVERIFY(m_windows->close(w.id()));
    QVERIFY(w.said("closed"));
    QVERIFY(w.process().waitForFinished(5000));
    QVERIFY(!m_windows->close(0x7fffffff));
}

QTEST_GUILESS_MAIN(TestWindowFinder)
#include "tst_windowfinder.moc"
