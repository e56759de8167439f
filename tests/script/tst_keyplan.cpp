#include "script/KeyNames.h"
#include "script/KeyPlan.h"

#include <QTest>

using namespace script;

Q_DECLARE_METATYPE(std::vector<script::KeyStep>)

namespace {

KeyStep roundPause()
{
    return {KeyStep::Pause, {}, 0};
}
KeyStep text(const QString &t)
{
    return {KeyStep::Text, t, 0};
}
KeyStep key(int code)
{
    return {KeyStep::Key, {}, code};
}

QString describe(const std::vector<KeyStep> &steps)
{
    QStringList parts;
    for (const KeyStep &s : steps)
        parts << (s.kind == KeyStep::Pause  ? QString("pause")
                  : s.kind == KeyStep::Text ? "text(" + s.text + ")"
                                            : QString("key(0x%1)").arg(s.code, 0, 16));
    return parts.join(", ");
}

} // namespace

class TestKeyPlan final : public QObject {
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void nameTableIsComplete();
    void rounds_data();
    void rounds();
};

void TestKeyPlan::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code"); // -1: not a key
    QTest::newRow("Enter") << "Enter" << 0x0D;
    QTest::newRow("ENTER") << "ENTER" << 0x0D;
    QTest::newRow("enter") << "enter" << 0x0D;
    QTest::newRow("EnterKey") << "EnterKey" << 0x0D;
    QTest::newRow("trailing blanks dropped") << "Enter  " << 0x0D;
    QTest::newRow("a leading blank is no key") << " Enter" << -1;
    QTest::newRow("AltF4") << "AltF4" << 0x473;
    QTest::newRow("CtrlShiftEsc") << "CtrlShiftEsc" << 0x31B;
    QTest::newRow("ShiftCtrlEsc is no key") << "ShiftCtrlEsc" << -1;
    QTest::newRow("all three modifiers is no key") << "CtrlAltShiftA" << -1;
    QTest::newRow("CtrlAltDelete") << "CtrlAltDelete" << 0x62E;
    QTest::newRow("CtrlShiftPad5") << "CtrlShiftPad5" << 0x365;
    QTest::newRow("AltShiftMouseLeft2") << "AltShiftMouseLeft2" << 0x505;
    QTest::newRow("Pause is the pause token") << "Pause" << -1;
    QTest::newRow("PauseKey") << "PauseKey" << 0x13;
    QTest::newRow("ShiftPause") << "ShiftPause" << 0x113;
    QTest::newRow("CapsLockKey") << "CapsLockKey" << 0x14;
    QTest::newRow("no CapsLock with a modifier") << "CtrlCapsLockKey" << -1;
    QTest::newRow("a lone letter is text") << "A" << -1;
    QTest::newRow("AKey") << "AKey" << 0x41;
    QTest::newRow("F12 alone") << "F12" << 0x7B;
    QTest::newRow("End has no short form") << "End" << -1;
    QTest::newRow("EndKey") << "EndKey" << 0x23;
    QTest::newRow("MouseCenter2") << "MouseCenter2" << 7;
}

void TestKeyPlan::names()
{
    QFETCH(QString, name);
    QFETCH(int, code);
    QCOMPARE(keyCode(name).value_or(-1), code);
}

void TestKeyPlan::nameTableIsComplete()
{
    QCOMPARE(keyNames().size(), 623);
    QCOMPARE(QSet<QString>(keyNames().begin(), keyNames().end()).size(), 623);
    QVERIFY(isPauseToken("pause "));
}

void TestKeyPlan::rounds_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("burst");
    QTest::addColumn<std::vector<KeyStep>>("steps");
    QTest::newRow("AltF4 after one pause")
        << "[AltF4]" << 7 << std::vector{roundPause(), key(0x473)};
    QTest::newRow("three letters and Enter")
        << "abc[Enter]" << 7 << std::vector{roundPause(), text("abc"), roundPause(), key(0x0D)};
    QTest::newRow("ten letters and Tab")
        << "abcdefghij[Tab]" << 7 << std::vector{roundPause(), text("abcdefg"), roundPause(),
                                                 text("hij"),  roundPause(),    key(0x09)};
    QTest::newRow("ten letters alone")
        << "abcdefghij" << 7 << std::vector{roundPause(), text("abcdefghij")};
    QTest::newRow("trailing blanks never typed")
        << "abc   " << 7 << std::vector{roundPause(), text("abc")};
    QTest::newRow("pause token costs a pause")
        << "[Pause]x" << 7 << std::vector{roundPause(), roundPause(), text("x")};
    QTest::newRow("PauseKey sends Pause")
        << "[PauseKey]" << 7 << std::vector{roundPause(), key(0x13)};
    QTest::newRow("names in any case")
        << "[enter][ENTERKEY]" << 7
        << std::vector{roundPause(), key(0x0D), roundPause(), key(0x0D)};
    QTest::newRow("a blank after the bracket types the name")
        << "[ Enter]" << 7 << std::vector{roundPause(), text(" Enter")};
    QTest::newRow("ShiftCtrlEsc typed")
        << "[ShiftCtrlEsc]" << 7 << std::vector{roundPause(), text("ShiftCtrlEsc")};
    QTest::newRow("two brackets type one") << "[[]" << 7 << std::vector{roundPause(), text("[")};
    QTest::newRow("a closing bracket is a character")
        << "a]b" << 7 << std::vector{roundPause(), text("a]b")};
    QTest::newRow("a lone bracket disappears")
        << "ab[cd" << 7
        << std::vector{roundPause(), text("ab"), roundPause(), roundPause(), text("cd")};
    QTest::newRow("a burst of one")
        << "ab[Tab]" << 1
        << std::vector{roundPause(), text("a"), roundPause(), text("b"), roundPause(), key(0x09)};
    QTest::newRow("blank sends nothing") << "   " << 7 << std::vector<KeyStep>{};
}

void TestKeyPlan::rounds()
{
    QFETCH(QString, keys);
    QFETCH(int, burst);
    QFETCH(std::vector<KeyStep>, steps);
    const std::vector<KeyStep> planned = planKeys(keys, burst);
    QCOMPARE(describe(planned), describe(steps));
}

QTEST_GUILESS_MAIN(TestKeyPlan)
#include "tst_keyplan.moc"
