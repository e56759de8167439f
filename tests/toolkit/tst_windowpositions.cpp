#include "DataFolder.h"
#include "toolkit/WindowPositions.h"

#include <QTest>
#include <QWidget>

using toolkit::WindowPositions;

class TestWindowPositions final : public QObject {
    Q_OBJECT

private slots:
    void savedWindowComesBackWhereItWas();
    void maximisedWindowKeepsItsNormalPlace();
    void minimisedWindowWritesNothing();
    void restore_data();
    void restore();
    void columnLayout();
};

void TestWindowPositions::savedWindowComesBackWhereItWas()
{
    DataFolder data;
    const WindowPositions positions(data.path("."));
    QWidget first;
    first.setGeometry(110, 120, 300, 200);
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    positions.save(&first, "BrowseSchedule");
    QCOMPARE(QString::fromUtf8(data.readFile("POSITION.INI")),
             QString("[BrowseSchedule]\nMaximize=No\nXPosit=110\nYPosit=120\nWidth=300\n"
                     "Height=200\n"));

    QWidget second;
    positions.restore(&second, "BrowseSchedule", true);
    QCOMPARE(second.geometry(), QRect(110, 120, 300, 200));
    QVERIFY(!second.isMaximized());
}

void TestWindowPositions::maximisedWindowKeepsItsNormalPlace()
{
    DataFolder data;
    const WindowPositions positions(data.path("."));
    QWidget window;
    window.setGeometry(50, 60, 320, 240);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(Qt::WindowMaximized);
    positions.save(&window, "Main");

    QWidget again;
    positions.restore(&again, "Main", true);
    QVERIFY(again.windowState() & Qt::WindowMaximized);
    again.setWindowState(Qt::WindowNoState);
    QCOMPARE(again.geometry(), QRect(50, 60, 320, 240));
}

void TestWindowPositions::minimisedWindowWritesNothing()
{
    DataFolder data;
    const WindowPositions positions(data.path("."));
    QWidget window;
    window.setGeometry(70, 80, 300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    positions.save(&window, "ShowMessage");
    const QByteArray before = data.readFile("POSITION.INI");

    window.move(400, 400);
    window.setWindowState(Qt::WindowMinimized);
    positions.save(&window, "ShowMessage");
    QCOMPARE(data.readFile("POSITION.INI"), before);
}

void TestWindowPositions::restore_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("resizable");
    QTest::addColumn<QRect>("geometry");
    const QRect own(10, 20, 200, 150);
    QTest::newRow("never saved") << QByteArray() << true << own;
    QTest::newRow("blanked by the reset")
        << QByteArray("[Setup]\nMaximize=\nXPosit=\nYPosit=\nWidth=\nHeight=\n") << true << own;
    QTest::newRow("a zero value") << QByteArray("[Setup]\nXPosit=5\nYPosit=0\nWidth=9\nHeight=9\n")
                                  << true << own;
    QTest::newRow("not resizable keeps its size")
        << QByteArray("[Setup]\nXPosit=300\nYPosit=310\nWidth=900\nHeight=900\n") << false
        << QRect(300, 310, 200, 150);
    QTest::newRow("garbage numbers")
        << QByteArray("[Setup]\nXPosit=left\nYPosit=top\n") << true << own;
}

void TestWindowPositions::restore()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, resizable);
    QFETCH(QRect, geometry);
    DataFolder data;
    if (!ini.isEmpty())
        data.writeFile("POSITION.INI", ini);
    QWidget window;
    window.setGeometry(10, 20, 200, 150);
    WindowPositions(data.path(".")).restore(&window, "setup", resizable);
    QCOMPARE(window.geometry(), geometry);
    QVERIFY(!window.isMaximized());
}

void TestWindowPositions::columnLayout()
{
    DataFolder data;
    const WindowPositions positions(data.path("."));
    const QByteArray state("\x00\xff layout", 9);
    positions.setColumns("BrowseTodo", 2, state);
    QCOMPARE(positions.columns("BrowseTodo", 2), state);
    QVERIFY(positions.columns("BrowseTodo", 1).isEmpty());
    QVERIFY(data.readFile("POSITION.INI").contains("?Browse:2="));
}

QTEST_MAIN(TestWindowPositions)
#include "tst_windowpositions.moc"
