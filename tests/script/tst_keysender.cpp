#include "PrivateDisplay.h"
#include "platform/KeyInjector.h"
#include "platform/WindowSystem.h"
#include "script/KeySender.h"

#include <QTest>

using namespace platform;
using script::SendScriptKeys;

class TestKeySender final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();
    void typedTextArrives_data();
    void typedTextArrives();
    void namedKeysArrive();
    void altF4ClosesTheWindow();
    void feedbackPerRound();

private:
    std::unique_ptr<PrivateDisplay> m_display;
    std::unique_ptr<WindowSystem> m_windows;
    std::unique_ptr<KeyInjector> m_keys;
    // A test window with the focus.
    std::unique_ptr<ShownWindow> focusedWindow();
    void send(const QString &keys) { SendScriptKeys(keys, *m_keys, 2, 7); }
};

void TestKeySender::initTestCase_data()
{
    QTest::addColumn<bool>("windowManager");
    QTest::newRow("bare X") << false;
    QTest::newRow("openbox") << true;
}

void TestKeySender::init()
{
    QFETCH_GLOBAL(bool, windowManager);
    m_display = std::make_unique<PrivateDisplay>(windowManager);
    m_windows = createWindowSystem(m_display->name());
    m_keys = createKeyInjector(m_display->name());
    QVERIFY(m_keys->isAvailable());
}

void TestKeySender::cleanup()
{
    m_keys.reset();
    m_windows.reset();
    m_display.reset();
}

std::unique_ptr<ShownWindow> TestKeySender::focusedWindow()
{
    auto w = std::make_unique<ShownWindow>(*m_display, "Typing Target");
    if (!w->id())
        return nullptr;
    // A window that is not viewable yet cannot take the focus: ask again until it has it.
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (m_windows->foregroundWindow() == w->id() && w->said("focus", 0))
            return w;
        m_windows->activate(w->id());
        QTest::qWait(250);
    }
    return nullptr;
}

void TestKeySender::typedTextArrives_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("capsLock");
    QTest::addColumn<QString>("typed");
    QTest::newRow("capitals, digits, punctuation")
        << "Hello, World 123! (a+b)*c = \"d\"; e/f? #x_y" << false
        << "Hello, World 123! (a+b)*c = \"d\"; e/f? #x_y";
    QTest::newRow("with Caps Lock on") << "Mixed Case Words 42" << true << "Mixed Case Words 42";
    QTest::newRow("CtrlA then text") << "abc[CtrlA]xyz" << false << "xyz";
    QTest::newRow("unknown names as text, brackets") << "[Hello][[]a]b" << false << "Hello[a]b";
}

void TestKeySender::typedTextArrives()
{
    QFETCH(QString, keys);
    QFETCH(bool, capsLock);
    auto w = focusedWindow();
    QVERIFY(w);
    if (capsLock)
        m_keys->pressKey(0x14);
    send(keys);
    if (capsLock)
        m_keys->pressKey(0x14);
    QTest::qWait(100);
    QVERIFY(m_windows->close(w->id()));
    QFETCH(QString, typed);
    QVERIFY2(w->said("closed text=" + typed.toUtf8()), qPrintable(typed));
}

void TestKeySender::namedKeysArrive()
{
    auto w = focusedWindow();
    QVERIFY(w);
    send("[Enter]");
    QVERIFY(w->said("key Return"));
    send("[TabKey]");
    QVERIFY(w->said("key Tab"));
}

void TestKeySender::altF4ClosesTheWindow()
{
    QFETCH_GLOBAL(bool, windowManager);
    if (!windowManager)
        QSKIP("Alt+F4 is the window manager's");
    auto w = focusedWindow();
    QVERIFY(w);
    send("[AltF4]");
    QVERIFY(w->said("closed"));
}

void TestKeySender::feedbackPerRound()
{
    int rounds = 0;
    int finished = 0;
    script::KeyFeedback feedback{[&] { ++rounds; }, [&] { ++finished; }};
    SendScriptKeys("abcdefghij[Pause]", *m_keys, 1, 7, feedback);
    QCOMPARE(rounds, 3);
    QCOMPARE(finished, 1);
    SendScriptKeys("   ", *m_keys, 1, 7, feedback);
    QCOMPARE(rounds, 3);
    QCOMPARE(finished, 1);
}

QTEST_GUILESS_MAIN(TestKeySender)
#include "tst_keysender.moc"
