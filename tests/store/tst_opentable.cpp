#include "DataFolder.h"
#include "Rows.h"
#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/Tables.h"
#include "store/tables/Schedule.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <sys/stat.h>

using namespace store;

class TestOpenTable final : public QObject {
    Q_OBJECT

private slots:
    void freshStartCreatesEveryTable();
    void useCountsPerContext();
    void existingFileFoundWhateverItsCase();
    void olderLayoutIsConverted();
    void newerLayoutEndsWithUpgradeText();
    void damagedKey_data();
    void damagedKey();
    void badFileIsRefusedUntouched_data();
    void badFileIsRefusedUntouched();
    void lockedFileIsWaitedFor();
    void secondWindowKeepsTheFirstOnesWritesVisible();
    void missingFileWithoutCreateEnds();
    void tagTableIsAWorkTable();
};

void TestOpenTable::freshStartCreatesEveryTable()
{
    DataFolder data;
    RecordContext ctx(data.store());
    for (int id = 0; id <= int(TableId::TagFile); ++id)
        QVERIFY(OpenTable(ctx, TableId(id)));
    QVERIFY(data.messages().shown().empty());

    for (const QString name : {"TL97.TPS", "TagFile_.TPS"}) {
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(data.path(name)).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
    }
    QCOMPARE(data.rawScalar("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name "
                            "NOT IN ('Layout', 'Owner')")
                 .toInt(),
             11);
    QCOMPARE(data.rawScalar("SELECT \"Version\" FROM \"Layout\" WHERE \"TableName\" = 'S'").toInt(),
             4);
    QCOMPARE(data.rawScalar("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND "
                            "tbl_name = 'S' AND name LIKE 'SCH_%'")
                 .toInt(),
             12);
    // No staging file is left behind by the creation.
    QCOMPARE(QDir(data.path(".")).entryList({"*.new-*"}, QDir::Files), QStringList());
}

void TestOpenTable::useCountsPerContext()
{
    DataFolder data;
    RecordContext browser(data.store());
    RecordContext form(data.store());
    QVERIFY(OpenTable(browser, TableId::Schedule));
    QVERIFY(OpenTable(browser, TableId::Schedule));
    QVERIFY(OpenTable(form, TableId::Schedule));
    QCOMPARE(browser.useCount(TableId::Schedule), 2);
    QCOMPARE(form.useCount(TableId::Schedule), 1);
    QVERIFY(browser.connection(TableId::Schedule) != form.connection(TableId::Schedule));

    browser.record(TableId::Schedule).setText(SCH::Description, "Browsing");
    QVERIFY(form.record(TableId::Schedule).text(SCH::Description).isEmpty());

    CloseTable(browser, TableId::Schedule);
    QVERIFY(browser.connection(TableId::Schedule));
    CloseTable(browser, TableId::Schedule);
    QCOMPARE(browser.useCount(TableId::Schedule), 0);
    QVERIFY(!browser.connection(TableId::Schedule));
    QVERIFY(browser.record(TableId::Schedule).text(SCH::Description).isEmpty());
}

void TestOpenTable::existingFileFoundWhateverItsCase()
{
    DataFolder data;
    {
        RecordContext ctx(data.store());
        QVERIFY(OpenTable(ctx, TableId::Categories));
    }
    QVERIFY(QFile::rename(data.databasePath(), data.path("Tl97.tps")));
    data.restart();
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    QCOMPARE(QDir(data.path(".")).entryList({"*.tps", "*.TPS"}, QDir::Files),
             QStringList({"Tl97.tps"}));
}

void TestOpenTable::olderLayoutIsConverted()
{
    DataFolder data;
    data.rawLoad(FIXTURES_DIR "/schedule_v3.sql");
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    QVERIFY(data.messages().shown().empty());
    QVERIFY(data.messages().halts().isEmpty());

    QCOMPARE(data.rawScalar("SELECT \"Version\" FROM \"Layout\" WHERE \"TableName\" = 'S'").toInt(),
             4);
    QCOMPARE(data.rawScalar("SELECT count(*) FROM \"S\"").toInt(), 2);
    QCOMPARE(data.rawScalar("SELECT \"Description\" FROM \"S\" WHERE \"ID\" = 7").toString(),
             QString("Weekly report"));
    QCOMPARE(data.rawScalar("SELECT \"Message\" FROM \"S\" WHERE \"ID\" = 7").toString(),
             QString("Send the weekly report"));
    QCOMPARE(data.rawScalar("SELECT \"Command\" FROM \"S\" WHERE \"ID\" = 12").toString(),
             QString("/usr/bin/backup --all"));
    // Fields the old layout lacked, or left empty, start blank.
    QCOMPARE(data.rawScalar("SELECT \"ExceptionLink\" || '|' || \"AlarmFile\" || '|' || "
                            "\"Message\" FROM \"S\" WHERE \"ID\" = 12")
                 .toString(),
             QString("0||"));
    QCOMPARE(data.rawScalar("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND "
                            "tbl_name = 'S'")
                 .toInt(),
             12);

    // The converted table opens as any other from now on.
    data.restart();
    RecordContext again(data.store());
    QVERIFY(OpenTable(again, TableId::Schedule));
    QVERIFY(data.messages().shown().empty());
}

void TestOpenTable::newerLayoutEndsWithUpgradeText()
{
    DataFolder data;
    {
        RecordContext ctx(data.store());
        QVERIFY(OpenTable(ctx, TableId::Schedule));
    }
    data.rawExec("INSERT INTO \"S\" (\"ID\", \"Description\") VALUES (1, 'Kept')");
    data.rawExec("UPDATE \"Layout\" SET \"Version\" = 5 WHERE \"TableName\" = 'S'");
    data.restart();
    RecordContext ctx(data.store());
    QVERIFY(!OpenTable(ctx, TableId::Schedule));
    QCOMPARE(data.messages().halts(), QStringList({UpgradeText}));
    QCOMPARE(data.rawScalar("SELECT \"Description\" FROM \"S\"").toString(), QString("Kept"));
    QCOMPARE(data.rawScalar("SELECT \"Version\" FROM \"Layout\" WHERE \"TableName\" = 'S'").toInt(),
             5);
}

void TestOpenTable::damagedKey_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QStringList>("damage");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QList<int>>("messages");
    QTest::addColumn<QStringList>("halts");

    QTest::newRow("missing key rebuilt on Yes")
        << int(TableId::Schedule) << QStringList{"DROP INDEX \"SCH_KEYDATE\""} << int(Button::Yes)
        << true << QList<int>{2} << QStringList();
    QTest::newRow("altered key rebuilt on Yes")
        << int(TableId::Schedule)
        << QStringList{"DROP INDEX \"SCH_KEYDATE\"",
                       "CREATE INDEX \"SCH_KEYDATE\" ON \"S\" (\"Time\", \"Date\")"}
        << int(Button::Yes) << true << QList<int>{2} << QStringList();
    QTest::newRow("No ends the program")
        << int(TableId::Schedule) << QStringList{"DROP INDEX \"SCH_KEYID\""} << int(Button::No)
        << false << QList<int>{2} << QStringList{"Invalid Key!"};
    QTest::newRow("rebuild fails on duplicates")
        << int(TableId::Categories)
        << QStringList{"DROP INDEX \"CAT_KEYCATEGORY\"",
                       "INSERT INTO \"Categories\" (\"Category\") VALUES ('Work'), ('WORK')"}
        << int(Button::Yes) << false << QList<int>{2, 3} << QStringList{"Error Rebuilding Key!"};
}

void TestOpenTable::damagedKey()
{
    QFETCH(int, table);
    QFETCH(QStringList, damage);
    QFETCH(int, answer);
    QFETCH(bool, opens);
    const TableId id = TableId(table);

    DataFolder data;
    {
        RecordContext ctx(data.store());
        QVERIFY(OpenTable(ctx, id));
    }
    for (const QString &sql : damage)
        data.rawExec(sql);
    data.restart();
    data.messages().answerNext(Button(answer));
    RecordContext ctx(data.store());
    QCOMPARE(OpenTable(ctx, id), opens);
    QTEST(data.messages().numbers(), "messages");
    QTEST(data.messages().halts(), "halts");
    QCOMPARE(data.messages().shown().front().text,
             tableDef(id).storedName() + " key file is invalid.  Do you want to rebuild the key?");
    if (opens) {
        data.messages().clear();
        data.restart();
        RecordContext again(data.store());
        QVERIFY(OpenTable(again, id));
        QVERIFY(data.messages().shown().empty());
    }
}

void TestOpenTable::badFileIsRefusedUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error");
    QTest::newRow("zero bytes") << "empty"
                                << "Invalid Data File (36)";
    QTest::newRow("random bytes") << "random"
                                  << "Invalid Data File (36)";
    QTest::newRow("read-only") << "readonly"
                               << "Access Denied (5)";
    QTest::newRow("another owner password") << "owner"
                                            << "Invalid Password (43)";
    QTest::newRow("another program's database") << "foreign"
                                                << "Invalid Password (43)";
}

void TestOpenTable::badFileIsRefusedUntouched()
{
    QFETCH(QString, kind);
    QFETCH(QString, error);
    DataFolder data;
    const QString path = data.databasePath();
    if (kind == "empty" || kind == "random") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (kind == "random") {
            QByteArray bytes(8192, Qt::Uninitialized);
            QRandomGenerator gen(97);
            for (char &b : bytes)
                b = char(gen.bounded(256));
            f.write(bytes);
        }
    } else if (kind == "readonly") {
        {
            RecordContext ctx(data.store());
            QVERIFY(OpenTable(ctx, TableId::Schedule));
        }
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    } else if (kind == "owner") {
        ScriptedPresenter otherMessages;
        Store other(data.path("."), otherMessages, "another password");
        RecordContext ctx(other);
        QVERIFY(OpenTable(ctx, TableId::Schedule));
    } else {
        data.rawExec("CREATE TABLE notes (body TEXT)");
    }
    data.restart();
    const FileState before = fileState(path);

    RecordContext ctx(data.store());
    QVERIFY(!OpenTable(ctx, TableId::Schedule));
    QCOMPARE(data.messages().numbers(), QList<int>{30});
    QCOMPARE(data.messages().shown().front().text,
             "File (TL97\\!S) could not be opened.  Error: " + error + ".");
    QCOMPARE(data.messages().halts(), QStringList{"Disk Error"});
    QVERIFY(!ctx.connection(TableId::Schedule));
    QVERIFY(fileState(path) == before);
    if (kind == "empty" || kind == "random")
        QVERIFY(!QFile::exists(path + "-wal"));
}

void TestOpenTable::lockedFileIsWaitedFor()
{
    DataFolder data;
    {
        RecordContext ctx(data.store());
        QVERIFY(OpenTable(ctx, TableId::Categories));
    }
    data.restart();
    // Longer than one ordinary wait, so the open must go on to wait for the lock's recovery.
    QProcess peer;
    peer.start(STORE_PEER, {"exclusive", data.databasePath(),
                            QString::number(Connection::BusyTimeoutMs + 1500)});
    QVERIFY(peer.waitForReadyRead(10000));
    QCOMPARE(peer.readLine(), QByteArray("ready\n"));

    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    QVERIFY(data.messages().shown().empty());
    QVERIFY(peer.waitForFinished(10000));
    QCOMPARE(peer.exitCode(), 0);
}

// A window opening a table while another window of the process has the file open must not
// cost the process its locks: another process would then take the write-ahead log away from
// under it, and what this process writes afterwards would never reach the file.
void TestOpenTable::secondWindowKeepsTheFirstOnesWritesVisible()
{
    DataFolder data;
    RecordContext first(data.store());
    QVERIFY(OpenTable(first, TableId::Schedule));
    QVERIFY(addRow(first, TableId::Schedule, {{SCH::ID, 1}, {SCH::Description, "One"}}).ok());
    RecordContext second(data.store());
    QVERIFY(OpenTable(second, TableId::Schedule));

    const auto peerDescribes = [&](int id, const QString &text) {
        QProcess peer;
        peer.start(STORE_PEER, {"describe", data.path(""), QString::number(id), text});
        return peer.waitForFinished(10000) ? peer.exitCode() : -1;
    };
    QCOMPARE(peerDescribes(1, "Changed by the peer"), 0);
    QVERIFY(addRow(first, TableId::Schedule, {{SCH::ID, 2}, {SCH::Description, "Two"}}).ok());
    QCOMPARE(peerDescribes(2, "Seen by the peer"), 0);
}

void TestOpenTable::missingFileWithoutCreateEnds()
{
    DataFolder data;
    RecordContext ctx(data.store());
    QVERIFY(!OpenTable(ctx, TableId::Schedule, false));
    QCOMPARE(data.messages().numbers(), QList<int>{4});
    QCOMPARE(data.messages().shown().front().text,
             "Error: (File Not Found (2)) creating TL97\\!S.  Press OK to end this application.");
    QCOMPARE(data.messages().halts(), QStringList{"File Creation Error!"});
    QVERIFY(!QFile::exists(data.databasePath()));
}

void TestOpenTable::tagTableIsAWorkTable()
{
    DataFolder data;
    {
        RecordContext ctx(data.store());
        QVERIFY(OpenTable(ctx, TableId::TagFile));
    }
    // Not owned: any copy of the program may use it. A layout it does not know is not converted
    // but started afresh.
    QVERIFY(QFile::exists(data.path("TagFile_.TPS")));
    QVERIFY(!QFile::exists(data.databasePath()));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "tags");
        db.setDatabaseName(data.path("TagFile_.TPS"));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(!q.exec("SELECT * FROM \"Owner\""));
        QVERIFY(q.exec("DROP TABLE \"TagFile_\""));
        QVERIFY(q.exec("CREATE TABLE \"TagFile_\" (\"PTR\" INTEGER)"));
        QVERIFY(q.exec("INSERT INTO \"TagFile_\" VALUES (7)"));
    }
    QSqlDatabase::removeDatabase("tags");
    data.restart();
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::TagFile));
    QVERIFY(data.messages().shown().empty());
    std::vector<Record> rows;
    QVERIFY(
        KeyRead(tableDef(TableId::TagFile), 0).read(*ctx.connection(TableId::TagFile), &rows).ok());
    QVERIFY(rows.empty());
}

QTEST_GUILESS_MAIN(TestOpenTable)
#include "tst_opentable.moc"
