#include "DataFolder.h"
#include "ManualClock.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "scheduler/Frame.h"
#include "scheduler/Launcher.h"
#include "store/Config.h"
#include "store/Dates.h"
#include "store/OpenTable.h"
#include "store/Settings.h"
#include "store/tables/Schedule.h"

#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>

using namespace store;
using scheduler::Command;
using scheduler::Frame;

class TestFrame final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionCarriesTheVersionUntilTheFirstTick();
    void nextTaskInTheStatusBar();
    void inactiveScheduler();
    void menusHoldOnlyWhatExists();
    void trayMenu();
    void withoutATrayTheFrameStaysUsable();
    void startsMinimisedIntoTheTray();

private:
    std::unique_ptr<DataFolder> m_data;
    ManualClock m_clock{QDateTime(QDate(1997, 5, 1), QTime(9, 0))};
    RecordingSoundPlayer m_sound;
    std::unique_ptr<scheduler::Launcher> m_launcher;
    std::unique_ptr<Frame> m_frame;
    QStringList menuTitles() const;
};

void TestFrame::init()
{
    settings() = Settings();
    m_data = std::make_unique<DataFolder>();
    m_launcher = std::make_unique<scheduler::Launcher>(m_data->messages());
    m_frame = std::make_unique<Frame>(m_data->store(), m_clock, m_sound, *m_launcher);
}

void TestFrame::cleanup()
{
    m_frame.reset();
    m_launcher.reset();
    m_data.reset();
}

QStringList TestFrame::menuTitles() const
{
    QStringList titles;
    for (QAction *a : m_frame->menuBar()->actions())
        titles << a->text();
    return titles;
}

void TestFrame::captionCarriesTheVersionUntilTheFirstTick()
{
    m_frame->start();
    QCOMPARE(m_frame->windowTitle(), QString("Tallimer 97 1.5"));
    m_frame->tick();
    QCOMPARE(m_frame->windowTitle(), QString("Tallimer 97"));
    QCOMPARE(m_frame->statusZone(2), QString());
    QCOMPARE(m_frame->statusZone(3), QString("Thursday, May 1, 1997"));
    QCOMPARE(m_frame->statusZone(4), QString("9:00AM"));
}

void TestFrame::nextTaskInTheStatusBar()
{
    RecordContext ctx(m_data->store());
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    QVERIFY(addRow(ctx, TableId::Schedule,
                   {{SCH::ID, 1}, {SCH::Description, "Later"}, {SCH::Date, 72100}, {SCH::Time, 1}})
                .ok());
    QVERIFY(addRow(ctx, TableId::Schedule,
                   {{SCH::ID, 2}, {SCH::Description, "Sooner"}, {SCH::Date, 72000}, {SCH::Time, 1}})
                .ok());
    QVERIFY(addRow(ctx, TableId::Schedule,
                   {{SCH::ID, 3}, {SCH::Description, "Off"}, {SCH::Disabled, 1}, {SCH::Date, 1}})
                .ok());
    m_frame->start();
    m_frame->tick();
    QCOMPARE(m_frame->statusZone(2), QString("Next: Sooner"));
    QCOMPARE(m_frame->windowTitle(), QString("Tallimer 97"));
}

void TestFrame::inactiveScheduler()
{
    RecordContext ctx(m_data->store());
    QVERIFY(OpenTable(ctx, TableId::Configuration));
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    for (const qint64 id : {1, 2})
        QVERIFY(addRow(ctx, TableId::Schedule,
                       {{SCH::ID, id},
                        {SCH::Description, id == 1 ? "First" : "Second"},
                        {SCH::TaskType, "Run Program"},
                        {SCH::Command, "N/A"},
                        {SCH::ScheduleType, "Once"},
                        {SCH::Date, dates::dayNumber(m_clock.now().date())},
                        {SCH::Time, dates::timeValue(QTime(8, 58)) + id}})
                    .ok());
    // Performed tasks leave their history copies, stamped with when they ran.
    const auto performed = [&] {
        return columnInKeyOrder(ctx, TableId::Schedule, SCH::KEYID, SCH::LastRunDate)
            .count(QVariant(qlonglong(dates::dayNumber(m_clock.now().date()))));
    };
    // The clipboard capture runs on every tick, active or not.
    int everyTick = 0;
    m_frame->setEveryTick([&everyTick] { ++everyTick; });
    m_frame->start();
    settings().startUpActive = false;
    m_frame->tick();
    m_frame->tick();
    QCOMPARE(m_frame->windowTitle(), QString("Tallimer 97 (Inactive)"));
    QCOMPARE(m_frame->statusZone(2), QString("Inactive"));
    QCOMPARE(performed(), 0);
    QCOMPARE(everyTick, 2);
    // Made active again, the overdue tasks are performed one a tick.
    settings().startUpActive = true;
    m_frame->tick();
    QCOMPARE(performed(), 1);
    m_frame->tick();
    QCOMPARE(performed(), 2);
}

void TestFrame::menusHoldOnlyWhatExists()
{
    m_frame->setHandler(Command::ScheduleCategories, [] {});
    m_frame->start();
    QCOMPARE(menuTitles(), (QStringList{"&File", "&Browse", "&Window", "&Help"}));
    QStringList browse;
    for (QAction *a : m_frame->menuBar()->actions().at(1)->menu()->actions())
        browse << a->text();
    QCOMPARE(browse, QStringList{"Schedule Cate&gories"});
}

void TestFrame::trayMenu()
{
    m_frame->start();
    QCOMPARE(m_frame->trayMenuItems(),
             (QStringList{"&Options", "-", "&Restore", "-", "&About", "E&xit Tallimer"}));
    m_frame->setHandler(Command::ToDoList, [] {});
    QCOMPARE(m_frame->trayMenuItems().first(), QString("&View To Do"));
    QCOMPARE(m_frame->tray()->toolTip(), QString("Double-click here to restore"));
    m_frame->tick();
    QCOMPARE(m_frame->tray()->toolTip(), QString("Tallimer 97"));
}

void TestFrame::withoutATrayTheFrameStaysUsable()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("a tray host is running on this display");
    m_frame->start();
    m_frame->showMinimized();
    QTest::qWait(50);
    QVERIFY(!m_frame->inTray());
    QVERIFY(m_frame->isVisible());
}

void TestFrame::startsMinimisedIntoTheTray()
{
    if (QStandardPaths::findExecutable("trayer").isEmpty())
        QSKIP("no tray host installed");
    QProcess host;
    host.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                          "60", "--height", "24"});
    QVERIFY(host.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
    {
        RecordContext ctx(m_data->store());
        QVERIFY(OpenTable(ctx, TableId::Configuration));
        PutConfig(ctx, "StartUpMinimized", "1");
    }
    m_frame->start();
    QTRY_VERIFY(m_frame->inTray());
    QVERIFY(!m_frame->isVisible());
    QCOMPARE(m_frame->tray()->toolTip(), QString("Double-click here to restore"));
    m_frame->tick();
    QCOMPARE(m_frame->tray()->toolTip(), QString("Tallimer 97"));
    const QImage resting = m_frame->tray()->icon().pixmap(32).toImage();
    m_frame->keystrokeRound();
    QCOMPARE(m_frame->tray()->toolTip(), QString("\"Send Keys\" in progress"));
    m_frame->keystrokeRound();
    QVERIFY(m_frame->tray()->icon().pixmap(32).toImage() != resting);
    m_frame->keystrokesDone();
    QCOMPARE(m_frame->tray()->icon().pixmap(32).toImage(), resting);
    emit m_frame->tray()->activated(QSystemTrayIcon::Trigger);
    QVERIFY(!m_frame->inTray());
    QVERIFY(m_frame->isVisible());
    QVERIFY(!m_frame->tray()->isVisible());
    m_frame.reset();
    host.terminate();
    host.waitForFinished();
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
