#include "DataFolder.h"
#include "store/ProfileFile.h"

#include <QTest>

using namespace store;

class TestProfileFile final : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void writingKeepsEverythingElse();
    void missingFileReadsAsEmpty();
    void unwritableFolderFailsCleanly();
};

void TestProfileFile::reading_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QByteArray ini = "; comment\r\n[Main]\r\nXPosit=10\r\n[Settings]\r\n  LogEvents = 1  \r\n"
                           "Name=\"quoted value\"\r\nbroken line\r\n=nokey\r\n";
    QTest::newRow("plain") << ini << "Main"
                           << "XPosit"
                           << "10";
    QTest::newRow("case of section and key") << ini << "settings"
                                             << "LOGEVENTS"
                                             << "1";
    QTest::newRow("quotes stripped") << ini << "Settings"
                                     << "Name"
                                     << "quoted value";
    QTest::newRow("key of another section") << ini << "Main"
                                            << "LogEvents"
                                            << "default";
    QTest::newRow("missing section") << ini << "Other"
                                     << "XPosit"
                                     << "default";
    QTest::newRow("no sections") << QByteArray("LogEvents=1\n") << "Settings"
                                 << "LogEvents"
                                 << "default";
    QTest::newRow("binary garbage around a section")
        << QByteArray("\x00\xff\xfe\x01garbage\n[Settings]\nLogEvents=1\n\x80\x81\n", 38)
        << "Settings"
        << "LogEvents"
        << "1";
    QTest::newRow("huge line ignored")
        << QByteArray("[Settings]\nA=" + QByteArray(200000, 'x') + "\nB=2\n") << "Settings"
        << "A"
        << "default";
    QTest::newRow("line after a huge one")
        << QByteArray("[Settings]\nA=" + QByteArray(200000, 'x') + "\nB=2\n") << "Settings"
        << "B"
        << "2";
}

void TestProfileFile::reading()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, section);
    QFETCH(QString, key);
    DataFolder data;
    data.writeFile("TL97.INI", contents);
    QTEST(ProfileFile(data.path("TL97.INI")).value(section, key, "default"), "value");
}

void TestProfileFile::writingKeepsEverythingElse()
{
    DataFolder data;
    data.writeFile("POSITION.INI", "; kept\n[Main]\nXPosit=10\nYPosit=20\n\n[Setup]\nWidth=5\n");
    ProfileFile f(data.path("POSITION.INI"));
    f.setValue("main", "xposit", "11");
    f.setValue("Main", "Maximize", "No");
    f.setValue("ShowMessage", "XPosit", "");
    QVERIFY(f.save());
    QCOMPARE(data.readFile("POSITION.INI"),
             QByteArray("; kept\n[Main]\nxposit=11\nYPosit=20\nMaximize=No\n\n[Setup]\nWidth=5\n"
                        "\n[ShowMessage]\nXPosit=\n"));
    QCOMPARE(ProfileFile(data.path("POSITION.INI")).value("ShowMessage", "XPosit", "default"),
             QString());
}

void TestProfileFile::missingFileReadsAsEmpty()
{
    DataFolder data;
    ProfileFile f(data.path("missing.ini"));
    QCOMPARE(f.value("Settings", "LogEvents", "0"), QString("0"));
    f.setValue("Settings", "LogEvents", "1");
    QVERIFY(f.save());
    QCOMPARE(data.readFile("missing.ini"), QByteArray("[Settings]\nLogEvents=1\n"));
}

void TestProfileFile::unwritableFolderFailsCleanly()
{
    ProfileFile f("/proc/no-such-folder/TL97.INI");
    f.setValue("Settings", "LogEvents", "1");
    QVERIFY(!f.save());
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
