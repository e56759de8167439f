#include "Modal.h"
#include "toolkit/ProgressWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using toolkit::ProgressWindow;

class TestProgressWindow final : public QObject {
    Q_OBJECT

private slots:
    void runsToTheEnd();
    void cancelStopsTheJob_data();
    void cancelStopsTheJob();
    void emptyJob();
};

void TestProgressWindow::runsToTheEnd()
{
    qint64 done = 0;
    QStringList seen;
    ProgressWindow window(1000, 150, [&](int units) {
        done = std::min<qint64>(1000, done + units);
        return done;
    });
    window.setActivity("Copying Script");
    QLabel *label = window.findChild<QLabel *>("progress");
    QCOMPARE(window.findChild<QLabel *>("activity")->text(), QString("Copying Script"));
    QTimer probe;
    connect(&probe, &QTimer::timeout, this, [&] {
        if (seen.isEmpty() || seen.last() != label->text())
            seen << label->text();
    });
    probe.start(0);
    QCOMPARE(window.windowTitle(), QString("Progress..."));
    QVERIFY(window.run());
    QCOMPARE(done, 1000);
    QCOMPARE(seen.last(), QString("Process Completed"));
    QVERIFY(seen.contains("15% Completed") || seen.contains("30% Completed"));
}

void TestProgressWindow::cancelStopsTheJob_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("cancel confirmed") << true;
    QTest::newRow("cancel withdrawn") << false;
}

void TestProgressWindow::cancelStopsTheJob()
{
    QFETCH(bool, confirmed);
    qint64 done = 0;
    ProgressWindow *window = nullptr;
    ProgressWindow w(
        100000, 1,
        [&](int units) {
            done += units;
            if (done == 50)
                window->findChild<QPushButton *>()->click();
            return done;
        },
        nullptr, "Loading Log");
    window = &w;
    int asked = 0;
    w.setConfirmCancel([&] {
        ++asked;
        if (!confirmed)
            done = 100000 - 1; // let the job finish soon after
        return confirmed;
    });
    QCOMPARE(w.run(), !confirmed);
    QCOMPARE(asked, 1);
    QCOMPARE(w.windowTitle(), QString("Loading Log"));
    if (confirmed)
        QCOMPARE(done, 50);
}

void TestProgressWindow::emptyJob()
{
    int steps = 0;
    ProgressWindow w(0, 10, [&](int) {
        ++steps;
        return qint64(0);
    });
    QVERIFY(w.run());
    QCOMPARE(steps, 1);
}

QTEST_MAIN(TestProgressWindow)
#include "tst_progresswindow.moc"
