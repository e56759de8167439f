#include "DataFolder.h"
#include "ManualClock.h"
#include "Rows.h"
#include "platform/WindowSystem.h"
#include "script/WindowMonitor.h"
#include "store/Dates.h"
#include "store/OpenTable.h"
#include "store/tables/WindowLookup.h"

#include <QTest>

using namespace store;
using script::WindowMonitor;

namespace {

// The windows on a desktop that the test makes up: the monitor's bookkeeping is what is
// tested here; the real window list is tested against real windows elsewhere.
class ListedWindows final : public platform::WindowSystem {
public:
    bool isAvailable() const override { return true; }
    std::vector<platform::TopLevelWindow> topLevelWindows() override { return windows; }
    platform::WindowId foregroundWindow() override { return 0; }
    bool activate(platform::WindowId) override { return false; }
    bool close(platform::WindowId) override { return false; }
    qint64 processOf(platform::WindowId) override { return 0; }

    void show(const QStringList &titles)
    {
        windows.clear();
        for (const QString &t : titles)
            windows.push_back({platform::WindowId(windows.size() + 1), t});
    }
    std::vector<platform::TopLevelWindow> windows;
};

} // namespace

class TestWindowMonitor final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void oneTitleAStepAfterAFullPass();
    void sameTitleInAnotherCaseOnce();
    void longTitlesCutAndBlankOnesSkipped();
    void oldestGoesBeyondTheMost();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    ManualClock m_clock{QDateTime(QDate(1997, 5, 1), QTime(9, 0))};
    ListedWindows m_windows;
    void steps(WindowMonitor &monitor, int n)
    {
        for (int i = 0; i < n; ++i) {
            monitor.MonitorWindows(*m_ctx, m_windows, m_clock);
            m_clock.advanceSeconds(1);
        }
    }
    QVariantList titles()
    {
        return columnInKeyOrder(*m_ctx, TableId::WindowLookup, WL::KEYDATE, WL::TITLE);
    }
};

void TestWindowMonitor::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::WindowLookup));
}

void TestWindowMonitor::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestWindowMonitor::oneTitleAStepAfterAFullPass()
{
    WindowMonitor monitor;
    m_windows.show({"Editor", "Terminal"});
    steps(monitor, 1); // takes the list
    QCOMPARE(monitor.pending(), 2);
    QCOMPARE(titles(), QVariantList());
    steps(monitor, 1);
    QCOMPARE(titles(), QVariantList{"Editor"});
    m_windows.show({"Calculator"}); // not looked at until the pass is worked off
    steps(monitor, 1);
    QCOMPARE(titles(), (QVariantList{"Editor", "Terminal"}));
    steps(monitor, 2);
    QCOMPARE(titles(), (QVariantList{"Editor", "Terminal", "Calculator"}));
    QVERIFY(loadRow(*m_ctx, TableId::WindowLookup, WL::KeyTitle, WL::TITLE, "Editor"));
    QCOMPARE(m_ctx->record(TableId::WindowLookup).number(WL::TIME),
             dates::timeValue(QTime(9, 0, 1)));
}

void TestWindowMonitor::sameTitleInAnotherCaseOnce()
{
    WindowMonitor monitor;
    m_windows.show({"Mail", "MAIL", "mail"});
    steps(monitor, 4);
    QCOMPARE(titles(), QVariantList{"Mail"});
}

void TestWindowMonitor::longTitlesCutAndBlankOnesSkipped()
{
    WindowMonitor monitor;
    m_windows.show({QString(90, u'x'), "   "});
    steps(monitor, 3);
    QCOMPARE(titles(), QVariantList{QString(70, u'x')});
}

void TestWindowMonitor::oldestGoesBeyondTheMost()
{
    WindowMonitor monitor(100);
    QStringList hundred;
    for (int i = 1; i <= 100; ++i)
        hundred << QString("Window %1").arg(i, 3, 10, QChar('0'));
    m_windows.show(hundred);
    steps(monitor, 101);
    QCOMPARE(titles().size(), 100);
    m_windows.show({"Newcomer"});
    steps(monitor, 2);
    const QVariantList kept = titles();
    QCOMPARE(kept.size(), 100);
    QVERIFY(!kept.contains("Window 001"));
    QCOMPARE(kept.first(), QVariant("Window 002"));
    QCOMPARE(kept.last(), QVariant("Newcomer"));
}

QTEST_GUILESS_MAIN(TestWindowMonitor)
#include "tst_windowmonitor.moc"
