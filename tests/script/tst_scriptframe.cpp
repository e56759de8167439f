#include "DataFolder.h"
#include "ManualClock.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "ScriptFixture.h"
#include "scheduler/Frame.h"
#include "store/Dates.h"
#include "store/tables/Schedule.h"

#include <QTimer>
#include <QToolButton>

using namespace store;

// The frame driving a real interpreter: a due task's script is stepped every half second,
// shown in the status bar and offered to be stopped.
class TestScriptFrame final : public QObject {
    Q_OBJECT

private slots:
    void aQueuedScriptIsSteppedShownAndStoppable();

private:
    static int nextTickMs(const scheduler::Frame &frame)
    {
        for (const QTimer *t : frame.findChildren<QTimer *>()) {
            if (t->isSingleShot() && t->isActive())
                return t->interval();
        }
        return -1;
    }
};

void TestScriptFrame::aQueuedScriptIsSteppedShownAndStoppable()
{
    settings() = Settings();
    DataFolder data;
    ManualClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    RecordingSoundPlayer sound;
    scheduler::Launcher launcher(data.messages());
    scheduler::Frame frame(data.store(), clock, sound, launcher);
    const auto windows = platform::createWindowSystem();
    const auto keys = platform::createKeyInjector();
    script::ScriptInterpreter scripts({frame.context(),
                                       clock,
                                       data.messages(),
                                       launcher,
                                       *windows,
                                       *keys,
                                       {},
                                       [&](const QString &s) { frame.showScriptStatus(s); },
                                       QString()});
    launcher.setScriptQueue(&scripts);
    frame.setScripts(&scripts);
    QVERIFY(addRow(frame.context(), TableId::Scripting, scriptLine(7, 1, "Wait|60||And")).ok());
    QVERIFY(addRow(frame.context(), TableId::Schedule,
                   {{SCH::ID, 7},
                    {SCH::Description, "Nightly"},
                    {SCH::TaskType, "Run Program"},
                    {SCH::Command, "N/A"},
                    {SCH::ScheduleType, "Once"},
                    {SCH::Date, dates::dayNumber(clock.now().date())},
                    {SCH::Time, dates::timeValue(QTime(8, 59))}})
                .ok());
    frame.start();
    const QStringList idleTray = frame.trayMenuItems();
    QCOMPARE(idleTray.last(), QString("E&xit Tallimer"));
    QVERIFY(!idleTray.contains("&Stop Running Script"));

    frame.tick();
    QVERIFY(scripts.isQueued());
    QCOMPARE(nextTickMs(frame), 500);
    QCOMPARE(frame.scriptIndicator(), QString("*"));
    QStringList tray = idleTray;
    tray.insert(tray.size() - 1, "&Stop Running Script");
    QCOMPARE(frame.trayMenuItems(), tray);
    // The wait's last second announces it where the next task was shown.
    clock.set(clock.now().addMSecs(60500));
    frame.tick();
    QCOMPARE(frame.statusZone(2), QString("Wait:60 seconds "));

    QToolButton *logo = nullptr;
    for (QToolButton *b : frame.findChildren<QToolButton *>()) {
        if (b->toolTip() == "Stop Running Script")
            logo = b;
    }
    QVERIFY(logo);
    logo->click();
    QVERIFY(!scripts.isQueued());
    frame.tick();
    QCOMPARE(nextTickMs(frame), 1250);
    QCOMPARE(frame.scriptIndicator(), QString());
    QCOMPARE(frame.trayMenuItems(), idleTray);
}

QTEST_MAIN(TestScriptFrame)
#include "tst_scriptframe.moc"
