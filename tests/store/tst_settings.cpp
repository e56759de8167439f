#include "DataFolder.h"
#include "Rows.h"
#include "store/Config.h"
#include "store/OpenTable.h"
#include "store/Settings.h"
#include "store/tables/Configuration.h"

#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace store;

class TestSettings final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void settingsFileIsTakenOverOnce();
    void storedValues_data();
    void storedValues();
    void dateFormatFallsBackToTheProfile();
    void currentUser_data();
    void currentUser();
    void putConfigReplacesTheValue();
    void badSettingsFilesGiveDefaults_data();
    void badSettingsFilesGiveDefaults();
    void readAndWriteErrors();
    void savingWritesEveryValueInOrder();
    void repeatInterval_data();
    void repeatInterval();
    void changedDateFormatIsAnnounced_data();
    void changedDateFormatIsAnnounced();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    void store(const char *name, const char *value) { PutConfig(*m_ctx, name, value); }
};

void TestSettings::init()
{
    settings() = Settings();
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::Configuration));
}

void TestSettings::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestSettings::settingsFileIsTakenOverOnce()
{
    m_data->writeFile("TL97.INI", "[Settings]\nLogEvents=1\nDebug=2\n");
    LoadSettings(*m_ctx);
    QVERIFY(settings().logEvents);
    QCOMPARE(GetConfig(*m_ctx, "LogEvents"), QString("1"));
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Configuration, CF::KEYDATATYPE, CF::DATATYPE),
             (QVariantList{"DateFormat", "LogEvents"}));

    m_data->writeFile("TL97.INI", "[Settings]\nLogEvents=0\n");
    settings() = Settings();
    LoadSettings(*m_ctx);
    QVERIFY(settings().logEvents);
}

void TestSettings::storedValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value"); // "-" for none stored
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("expected");
    QTest::newRow("StartUpActive stored 1 is off") << "StartUpActive"
                                                   << "1"
                                                   << "active" << 0;
    QTest::newRow("StartUpActive stored 0 is on") << "StartUpActive"
                                                  << "0"
                                                  << "active" << 1;
    QTest::newRow("StartUpActive absent is on") << "StartUpActive"
                                                << "-"
                                                << "active" << 1;
    QTest::newRow("StartUpSchedule stored 1 is off") << "StartUpSchedule"
                                                     << "1"
                                                     << "schedule" << 0;
    QTest::newRow("ScriptingDelay 20 reads as 50") << "ScriptingDelay"
                                                   << "20"
                                                   << "delay" << 50;
    QTest::newRow("ScriptingDelay 75") << "ScriptingDelay"
                                       << "75"
                                       << "delay" << 75;
    QTest::newRow("BurstSize 0 reads as 7") << "BurstSize"
                                            << "0"
                                            << "burst" << 7;
    QTest::newRow("BurstSize 300 reads as 255") << "BurstSize"
                                                << "300"
                                                << "burst" << 255;
    QTest::newRow("MaxClipboardEntries never saved") << "MaxClipboardEntries"
                                                     << "-"
                                                     << "clips" << 50;
    QTest::newRow("MaxClipboardEntries saved as 0") << "MaxClipboardEntries"
                                                    << "0"
                                                    << "clips" << 0;
    QTest::newRow("text is no number") << "HistoryExpires"
                                       << "ten"
                                       << "history" << 0;
    QTest::newRow("flag from a number") << "NoTray"
                                        << "2"
                                        << "notray" << 1;
}

void TestSettings::storedValues()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, field);
    QFETCH(int, expected);
    if (value != "-")
        PutConfig(*m_ctx, name, value);
    LoadSettings(*m_ctx);
    const Settings &s = settings();
    const QHash<QString, int> read{{"active", s.startUpActive},
                                   {"schedule", s.startUpSchedule},
                                   {"delay", s.scriptingDelay},
                                   {"burst", s.burstSize},
                                   {"clips", s.maxClipboardEntries},
                                   {"history", s.historyExpires},
                                   {"notray", s.noTray}};
    QCOMPARE(read.value(field, -1), expected);
}

void TestSettings::dateFormatFallsBackToTheProfile()
{
    // TL97.INI is not consulted for the date format; the user profile is.
    m_data->writeFile("TL97.INI", "[Settings]\nDateFormat=d2\n");
    m_data->writeFile("win.ini", "[Settings]\nDateFormat=d6\n");
    LoadSettings(*m_ctx);
    QCOMPARE(settings().dateFormat, QString("d6"));
    QCOMPARE(FormatDate(58015), QString("31/10/1959"));
    QCOMPARE(GetConfig(*m_ctx, "DateFormat"), QString("d6"));
}

void TestSettings::currentUser_data()
{
    QTest::addColumn<QString>("multiUser");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("expected");
    const struct passwd *pw = getpwuid(getuid());
    QVERIFY(pw);
    QTest::newRow("single user") << "0"
                                 << "alice"
                                 << "";
    QTest::newRow("named user") << "1"
                                << "alice"
                                << "alice";
    QTest::newRow("account name") << "1"
                                  << "" << QString::fromLocal8Bit(pw->pw_name);
}

void TestSettings::currentUser()
{
    QFETCH(QString, multiUser);
    QFETCH(QString, userId);
    PutConfig(*m_ctx, "MultiUser", multiUser);
    PutConfig(*m_ctx, "UserID", userId);
    LoadSettings(*m_ctx);
    QTEST(settings().currentUser, "expected");
}

void TestSettings::putConfigReplacesTheValue()
{
    store("RepeatAlarmInterval", "5");
    store("repeatalarminterval", "10");
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Configuration, CF::KEYDATATYPE, CF::DATAVALUE),
             QVariantList{"10"});
    QVERIFY(m_data->messages().shown().empty());
}

void TestSettings::badSettingsFilesGiveDefaults_data()
{
    QTest::addColumn<QByteArray>("contents");
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) % 256);
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("no sections") << QByteArray("LogEvents=1\nScriptingDelay=90\n");
    QTest::newRow("huge lines") << QByteArray("[Settings]\nLogEvents=" + QByteArray(500000, '1') +
                                              "\n" + QByteArray(300000, '[') + "\n");
    QTest::newRow("values that are no numbers")
        << QByteArray("[Settings]\nScriptingDelay=fast\nBurstSize=-4\nHistoryExpires=1e9\n");
}

void TestSettings::badSettingsFilesGiveDefaults()
{
    QFETCH(QByteArray, contents);
    m_data->writeFile("TL97.INI", contents);
    m_data->writeFile("win.ini", contents);
    LoadSettings(*m_ctx);
    const Settings &s = settings();
    QVERIFY(!s.logEvents);
    QCOMPARE(s.scriptingDelay, 50);
    QCOMPARE(s.burstSize, 7);
    QCOMPARE(s.historyExpires, 0);
    QCOMPARE(s.dateFormat, QString("d3"));
    QVERIFY(m_data->messages().shown().empty());
}

void TestSettings::readAndWriteErrors()
{
    m_data->rawExec("CREATE TRIGGER refuse BEFORE INSERT ON \"CF\" BEGIN SELECT RAISE(ABORT, "
                    "'disk full'); END");
    PutConfig(*m_ctx, "LogEvents", "1");
    QCOMPARE(m_data->messages().shown().back().caption, QString("Error!"));
    QCOMPARE(m_data->messages().shown().back().text,
             "Error writing configuration information.  Code LogEvents" + QString(31, ' ') +
                 " - disk full (1811)");

    m_data->rawExec("DROP TABLE \"CF\"");
    QCOMPARE(GetConfig(*m_ctx, "LogEvents", "fallback"), QString("fallback"));
    QCOMPARE(m_data->messages().shown().back().caption, QString("Error!"));
    QVERIFY(m_data->messages().shown().back().text.startsWith(
        "Error retrieving configuration information code LogEvents" + QString(31, ' ') +
        " - no such table"));
}

void TestSettings::savingWritesEveryValueInOrder()
{
    settings().startUpActive = false;
    settings().scriptingDelay = 20;
    settings().logEvents = true;
    SaveSettings(*m_ctx, "d3");
    const QStringList order{"HistoryExpires",
                            "RemoveUncompleted",
                            "StartUpSchedule",
                            "StartUpToDo",
                            "StartUpClipboardSaver",
                            "StartUpContacts",
                            "StartUpActive",
                            "StartUpMinimized",
                            "FullSchedule",
                            "HideToolbar",
                            "NoTray",
                            "MaximizeOnRun",
                            "UseExternalMessage",
                            "MultiUser",
                            "UserID",
                            "LogEvents",
                            "MonitorClipboard",
                            "UseModalMessage",
                            "MaxClipboardEntries",
                            "RepeatAlarmInterval",
                            "ScriptingDelay",
                            "BurstSize",
                            "DateFormat"};
    QCOMPARE(m_data
                 ->rawScalar("SELECT group_concat(\"DATATYPE\", ',') FROM (SELECT "
                             "\"DATATYPE\" FROM \"CF\" ORDER BY rowid)")
                 .toString(),
             order.join(','));
    QCOMPARE(GetConfig(*m_ctx, "StartUpActive"), QString("1"));
    QCOMPARE(GetConfig(*m_ctx, "StartUpSchedule"), QString("0"));
    QCOMPARE(GetConfig(*m_ctx, "LogEvents"), QString("1"));
    // Stored as entered, used within its limit.
    QCOMPARE(GetConfig(*m_ctx, "ScriptingDelay"), QString("20"));
    QCOMPARE(settings().scriptingDelay, 50);
    QVERIFY(m_data->messages().shown().empty());

    settings() = Settings();
    LoadSettings(*m_ctx);
    QVERIFY(!settings().startUpActive);
    QVERIFY(settings().logEvents);
}

void TestSettings::repeatInterval_data()
{
    QTest::addColumn<int>("entered");
    QTest::addColumn<QString>("saved");
    QTest::newRow("0 plays once") << 0 << "0";
    QTest::newRow("1 raised") << 1 << "5";
    QTest::newRow("3 raised") << 3 << "5";
    QTest::newRow("5 kept") << 5 << "5";
    QTest::newRow("30 kept") << 30 << "30";
}

void TestSettings::repeatInterval()
{
    QFETCH(int, entered);
    settings().repeatAlarmInterval = entered;
    SaveSettings(*m_ctx, "d3");
    QTEST(GetConfig(*m_ctx, "RepeatAlarmInterval"), "saved");
    QTEST(QString::number(settings().repeatAlarmInterval), "saved");
}

void TestSettings::changedDateFormatIsAnnounced_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("announced");
    QTest::newRow("unchanged") << "d3" << false;
    QTest::newRow("changed") << "d1" << true;
}

void TestSettings::changedDateFormatIsAnnounced()
{
    QFETCH(QString, chosen);
    QFETCH(bool, announced);
    settings().dateFormat = chosen;
    SaveSettings(*m_ctx, "d3");
    QCOMPARE(m_data->messages().shown().size(), announced ? 1u : 0u);
    if (announced) {
        const StandardMessage &m = m_data->messages().shown().front();
        QCOMPARE(m.caption, QString("Information"));
        QCOMPARE(m.icon, Icon::Information);
        QVERIFY(m.text.startsWith("Date format changes will not affect currently open windows."));
    }
    QCOMPARE(GetConfig(*m_ctx, "DateFormat"), chosen);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
