#include "DataFolder.h"
#include "ManualClock.h"
#include "store/EventLog.h"
#include "store/Settings.h"

#include <QDir>
#include <QLocale>
#include <QTest>

using namespace store;

class TestEventLog final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void nothingWhileLoggingIsOff();
    void fixedWidthRecords_data();
    void fixedWidthRecords();
    void closedAfterEvery101stWrite();
    void existingFileFoundWhateverItsCase();
    void fileThatCannotBeMadeEndsTheProgram_data();
    void fileThatCannotBeMadeEndsTheProgram();

private:
    const QDateTime m_halloween{QDate(1959, 10, 31), QTime(17, 30)};
};

void TestEventLog::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestEventLog::init()
{
    settings() = Settings();
    settings().logEvents = true;
}

void TestEventLog::nothingWhileLoggingIsOff()
{
    settings().logEvents = false;
    DataFolder data;
    ManualClock clock(m_halloween);
    EventLog log(data.store(), clock);
    log.add("Started", "Tallimer 97");
    QVERIFY(!log.isOpen());
    QVERIFY(!QFile::exists(data.path(EventLog::FileName)));
}

void TestEventLog::fixedWidthRecords_data()
{
    QTest::addColumn<QString>("dateFormat");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("line");
    QTest::newRow("10/31/59")
        << "d1"
        << "Started"
        << "Tallimer 97 Version 1.5"
        << "10/31/59  5:30 PM   Started                       Tallimer 97 Version 1.5" +
               QString(27, ' ');
    QTest::newRow("long date cut to 10")
        << "d4"
        << "Run Program"
        << "N/A"
        << "October 315:30 PM   Run Program                   N/A" + QString(47, ' ');
    QTest::newRow("long label and data cut, never wrapped")
        << "d3" << QString(35, 'L') << "line one\nline two\t" + QString(60, 'x')
        << "OCT 31,1955:30 PM   " + QString(30, 'L') + "line one line two " + QString(32, 'x');
}

void TestEventLog::fixedWidthRecords()
{
    QFETCH(QString, dateFormat);
    QFETCH(QString, label);
    QFETCH(QString, data);
    QFETCH(QString, line);
    settings().dateFormat = dateFormat;
    DataFolder folder;
    ManualClock clock(m_halloween);
    {
        EventLog log(folder.store(), clock);
        log.add(label, data);
    }
    QCOMPARE(line.size(), 100);
    QCOMPARE(QString::fromUtf8(folder.readFile(EventLog::FileName)), line + "\r\n");
}

void TestEventLog::closedAfterEvery101stWrite()
{
    DataFolder data;
    ManualClock clock(m_halloween);
    EventLog log(data.store(), clock);
    for (int i = 1; i <= 100; ++i)
        log.add("Script", QString::number(i));
    QVERIFY(log.isOpen());
    log.add("Script", "101");
    QVERIFY(!log.isOpen());
    log.add("Script", "102");
    QVERIFY(log.isOpen());
    const QByteArray contents = data.readFile(EventLog::FileName);
    QCOMPARE(contents.count("\r\n"), 102);
    QCOMPARE(contents.size(), 102 * 102);
}

void TestEventLog::existingFileFoundWhateverItsCase()
{
    DataFolder data;
    data.writeFile("TL97EVNT.LOG", "earlier line\r\n");
    ManualClock clock(m_halloween);
    EventLog log(data.store(), clock);
    log.add("Exit Tallimer", "");
    QVERIFY(data.readFile("TL97EVNT.LOG").startsWith("earlier line\r\nOCT 31,195"));
    QCOMPARE(QDir(data.path(".")).entryList({"*.LOG", "*.log"}), QStringList{"TL97EVNT.LOG"});
}

void TestEventLog::fileThatCannotBeMadeEndsTheProgram_data()
{
    QTest::addColumn<bool>("folderMissing");
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("halt");
    QTest::newRow("cannot be created") << true << 4 << "File Creation Error!";
    QTest::newRow("cannot be opened") << false << 30 << "Disk Error";
}

void TestEventLog::fileThatCannotBeMadeEndsTheProgram()
{
    QFETCH(bool, folderMissing);
    DataFolder data;
    ScriptedPresenter messages;
    Store st(folderMissing ? data.path("missing") : data.path("."), messages);
    if (!folderMissing)
        QVERIFY(QDir(data.path(".")).mkdir(EventLog::FileName));
    ManualClock clock(m_halloween);
    EventLog log(st, clock);
    log.add("Started", "");
    QVERIFY(!log.isOpen());
    QTEST(messages.numbers().value(0), "message");
    QTEST(messages.halts().value(0), "halt");
    QVERIFY(messages.shown().front().text.contains("TL97Evnt.LOG"));
}

QTEST_GUILESS_MAIN(TestEventLog)
#include "tst_eventlog.moc"
