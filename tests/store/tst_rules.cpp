#include "DataFolder.h"
#include "Rows.h"
#include "store/Connection.h"
#include "store/OpenTable.h"
#include "store/Rules.h"
#include "store/tables/Categories.h"
#include "store/tables/Contact.h"
#include "store/tables/ContactCategories.h"
#include "store/tables/Link.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "store/tables/Todo.h"

#include <QProcess>
#include <QTest>

using namespace store;

class TestRules final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void deletingATaskDeletesItsScriptAndLinks();
    void deletingAContactDeletesOnlyItsLinks();
    void renumberingATaskCarriesItsChildren();
    void failedCascadeLeavesNothingChanged();
    void failedDelete_data();
    void failedDelete();
    void categoryInUse_data();
    void categoryInUse();
    void unusedCategoryCanGo();
    void secondWindowToSaveSeesTheFirstOnesValues_data();
    void secondWindowToSaveSeesTheFirstOnesValues();
    void secondProcessToSaveSeesTheFirstOnesValues();
    void busyDatabaseCancelsTheTransaction();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    void openAll(RecordContext &ctx);
    QVariantList ids(TableId id, int key, int field)
    {
        return columnInKeyOrder(*m_ctx, id, key, field);
    }
};

void TestRules::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    openAll(*m_ctx);
    // Two tasks with script lines, two contacts linked to them, categories and a to-do item.
    for (const char *name : {"General", "Unused", "ToDoOnly"})
        QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, name}}).ok());
    QVERIFY(addRow(*m_ctx, TableId::ContactCategories, {{CC::ContactCategory, "Friends"}}).ok());
    for (int task : {1, 2}) {
        QVERIFY(addRow(*m_ctx, TableId::Schedule,
                       {{SCH::ID, task}, {SCH::Category, "General"}, {SCH::Description, "Task"}})
                    .ok());
        for (int line : {1, 2})
            QVERIFY(
                addRow(*m_ctx, TableId::Scripting, {{SCR::ID, task}, {SCR::Sequence, line}}).ok());
    }
    for (int contact : {5, 6}) {
        QVERIFY(addRow(*m_ctx, TableId::Contact,
                       {{C_::ClientID, contact},
                        {C_::LastName, "Smith"},
                        {C_::ContactCategory, "Friends"}})
                    .ok());
    }
    for (const auto &[task, contact] : {std::pair{1, 5}, {2, 5}, {1, 6}})
        QVERIFY(addRow(*m_ctx, TableId::Link, {{L::ID, task}, {L::ClientID, contact}}).ok());
    QVERIFY(
        addRow(*m_ctx, TableId::Todo, {{TDO::Category, "ToDoOnly"}, {TDO::ToDo, "Buy milk"}}).ok());
}

void TestRules::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestRules::openAll(RecordContext &ctx)
{
    for (TableId id : {TableId::Categories, TableId::ContactCategories, TableId::Schedule,
                       TableId::Scripting, TableId::Contact, TableId::Link, TableId::Todo})
        QVERIFY(OpenTable(ctx, id));
}

void TestRules::deletingATaskDeletesItsScriptAndLinks()
{
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    QVERIFY(DeleteWithRules(*m_ctx, TableId::Schedule));
    QVERIFY(m_data->messages().shown().empty());
    QCOMPARE(ids(TableId::Schedule, SCH::KEYID, SCH::ID), QVariantList{2});
    QCOMPARE(ids(TableId::Scripting, SCR::KeyID, SCR::ID), (QVariantList{2, 2}));
    QCOMPARE(ids(TableId::Link, L::KEYSCHEDULE, L::ID), QVariantList{2});
    QCOMPARE(ids(TableId::Contact, C_::KeyClientID, C_::ClientID), (QVariantList{5, 6}));
}

void TestRules::deletingAContactDeletesOnlyItsLinks()
{
    QVERIFY(loadRow(*m_ctx, TableId::Contact, C_::KeyClientID, C_::ClientID, 5));
    QVERIFY(DeleteWithRules(*m_ctx, TableId::Contact));
    QCOMPARE(ids(TableId::Link, L::KeyClient, L::ClientID), QVariantList{6});
    QCOMPARE(ids(TableId::Schedule, SCH::KEYID, SCH::ID), (QVariantList{1, 2}));
}

void TestRules::renumberingATaskCarriesItsChildren()
{
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    m_ctx->takeSnapshot(TableId::Schedule);
    m_ctx->record(TableId::Schedule).setNumber(SCH::ID, 50);
    QCOMPARE(SaveWithRules(*m_ctx, TableId::Schedule, false), SaveResult::Done);
    QCOMPARE(ids(TableId::Scripting, SCR::KeyID, SCR::ID), (QVariantList{2, 2, 50, 50}));
    QCOMPARE(ids(TableId::Link, L::KEYSCHEDULE, L::ID), (QVariantList{2, 50, 50}));
}

void TestRules::failedCascadeLeavesNothingChanged()
{
    // The second script line refuses its new number, after the task and the first line took it.
    m_data->rawExec("CREATE TRIGGER refuse BEFORE UPDATE OF \"ID\" ON \"Script\" "
                    "WHEN OLD.\"Sequence\" = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    m_ctx->takeSnapshot(TableId::Schedule);
    m_ctx->record(TableId::Schedule).setNumber(SCH::ID, 50);
    QCOMPARE(SaveWithRules(*m_ctx, TableId::Schedule, false), SaveResult::Failed);
    QCOMPARE(m_data->messages().numbers(), QList<int>{15});
    QVERIFY(m_data->messages().shown().front().text.endsWith("Probable Cause: Scripting."));
    QCOMPARE(ids(TableId::Schedule, SCH::KEYID, SCH::ID), (QVariantList{1, 2}));
    QCOMPARE(ids(TableId::Scripting, SCR::KeyID, SCR::ID), (QVariantList{1, 1, 2, 2}));
    QCOMPARE(ids(TableId::Link, L::KEYSCHEDULE, L::ID), (QVariantList{1, 1, 2}));

    // The rolled-back write did not count: the same record saves once the obstacle is gone.
    m_data->rawExec("DROP TRIGGER refuse");
    QCOMPARE(SaveWithRules(*m_ctx, TableId::Schedule, false), SaveResult::Done);
    QCOMPARE(ids(TableId::Scripting, SCR::KeyID, SCR::ID), (QVariantList{2, 2, 50, 50}));
}

void TestRules::failedDelete_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("text");
    QTest::newRow("a script line refuses to go")
        << "CREATE TRIGGER refuse BEFORE DELETE ON \"Script\" BEGIN SELECT RAISE(ABORT, "
           "'refused'); END"
        << 17
        << "An error (refused (1811)) was experienced when attempting to delete a record from "
           "the file Scripting.";
    QTest::newRow("another window deleted the task first")
        << "DELETE FROM \"S\" WHERE \"ID\" = 1" << 35
        << "Error: (Record Not Found (35)) attempting to access a record from the Schedule file.  "
           "Returning to previous window.";
}

void TestRules::failedDelete()
{
    QFETCH(QString, obstacle);
    QFETCH(int, message);
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    m_data->rawExec(obstacle);
    QVERIFY(!DeleteWithRules(*m_ctx, TableId::Schedule));
    QCOMPARE(m_data->messages().numbers(), QList<int>{message});
    QTEST(m_data->messages().shown().front().text, "text");
    // Nothing of the cascade stays done.
    QCOMPARE(ids(TableId::Link, L::KEYSCHEDULE, L::ID), (QVariantList{1, 1, 2}));
    QCOMPARE(ids(TableId::Scripting, SCR::KeyID, SCR::ID), (QVariantList{1, 1, 2, 2}));
}

void TestRules::categoryInUse_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("child");
    QTest::newRow("task category")
        << int(TableId::Categories) << int(CAT::KEYCATEGORY) << int(CAT::Category) << "General"
        << "Schedule";
    QTest::newRow("contact category")
        << int(TableId::ContactCategories) << int(CC::KEYCONTACTCATEGORIES)
        << int(CC::ContactCategory) << "Friends"
        << "Contact";
}

void TestRules::categoryInUse()
{
    QFETCH(int, table);
    QFETCH(int, key);
    QFETCH(int, field);
    QFETCH(QString, name);
    QFETCH(QString, child);
    const TableId id = TableId(table);
    ScriptedPresenter &messages = m_data->messages();

    QVERIFY(loadRow(*m_ctx, id, key, field, name));
    QVERIFY(!DeleteWithRules(*m_ctx, id));
    QCOMPARE(messages.numbers(), QList<int>{13});
    QCOMPARE(messages.shown().back().text,
             "This record is referenced from the file " + child +
                 ".  This record cannot be deleted while these references exist.");
    QVERIFY(columnInKeyOrder(*m_ctx, id, key, field).contains(name));

    messages.clear();
    m_ctx->takeSnapshot(id);
    m_ctx->record(id).setText(field, "Renamed");
    QCOMPARE(SaveWithRules(*m_ctx, id, false), SaveResult::Failed);
    QCOMPARE(messages.numbers(), QList<int>{12});
    QCOMPARE(messages.shown().back().caption, QString("Referential Integrity Update Error"));
    QCOMPARE(m_ctx->record(id).text(field), name);
    QVERIFY(!columnInKeyOrder(*m_ctx, id, key, field).contains("Renamed"));
}

void TestRules::unusedCategoryCanGo()
{
    // A category that only to-do items use is not protected by any rule.
    for (const char *name : {"Unused", "ToDoOnly"}) {
        QVERIFY(loadRow(*m_ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category, name));
        QVERIFY(DeleteWithRules(*m_ctx, TableId::Categories));
    }
    // A task whose category differs only in case does not hold the category back.
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 2));
    m_ctx->record(TableId::Schedule).setText(SCH::Category, "GENERAL");
    QCOMPARE(SaveWithRules(*m_ctx, TableId::Schedule, false), SaveResult::Done);
    QVERIFY(loadRow(*m_ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category, "General"));
    QVERIFY(!DeleteWithRules(*m_ctx, TableId::Categories));
    QVERIFY(m_data->messages().numbers() == QList<int>{13});
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category),
             QVariantList{"General"});
}

void TestRules::secondWindowToSaveSeesTheFirstOnesValues_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("matchField");
    QTest::addColumn<QVariant>("match");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("message");
    QTest::newRow("task form") << int(TableId::Schedule) << int(SCH::KEYID) << int(SCH::ID)
                               << QVariant(1) << int(SCH::Description) << 15;
    QTest::newRow("to-do form, which recalls the user's values")
        << int(TableId::Todo) << int(TDO::KEYTODO) << int(TDO::ToDo) << QVariant("Buy milk")
        << int(TDO::ToDo) << 38;
}

void TestRules::secondWindowToSaveSeesTheFirstOnesValues()
{
    QFETCH(int, table);
    QFETCH(int, key);
    QFETCH(int, matchField);
    QFETCH(QVariant, match);
    QFETCH(int, field);
    QFETCH(int, message);
    const TableId id = TableId(table);
    const bool fromForm = message == 38;
    RecordContext second(m_data->store());
    openAll(second);
    QVERIFY(loadRow(*m_ctx, id, key, matchField, match));
    QVERIFY(loadRow(second, id, key, matchField, match));

    m_ctx->record(id).setText(field, "First window's text");
    QCOMPARE(SaveWithRules(*m_ctx, id, fromForm), SaveResult::Done);
    second.record(id).setText(field, "Second window's text");
    QCOMPARE(SaveWithRules(second, id, fromForm), SaveResult::ChangedElsewhere);

    QCOMPARE(m_data->messages().numbers(), QList<int>{message});
    QVERIFY(m_data->messages().shown().front().text.startsWith(
        "This record was changed by another station."));
    QCOMPARE(second.record(id).text(field), QString("First window's text"));
    QCOMPARE(second.userValues(id).has_value(), fromForm);
    if (fromForm)
        QCOMPARE(second.userValues(id)->text(field), QString("Second window's text"));

    // The re-read record is watched again: saving it now wins.
    second.record(id).setText(field, "Second window's text");
    QCOMPARE(SaveWithRules(second, id, fromForm), SaveResult::Done);
    QVERIFY(loadRow(*m_ctx, id, key, field, "Second window's text"));
}

void TestRules::secondProcessToSaveSeesTheFirstOnesValues()
{
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 2));
    QProcess peer;
    peer.start(STORE_PEER, {"describe", m_data->path("."), "2", "Changed by the other copy"});
    QVERIFY(peer.waitForFinished(10000));
    QCOMPARE(peer.exitCode(), 0);

    m_ctx->record(TableId::Schedule).setText(SCH::Description, "Changed here");
    QCOMPARE(SaveWithRules(*m_ctx, TableId::Schedule, false), SaveResult::ChangedElsewhere);
    QCOMPARE(m_data->messages().numbers(), QList<int>{15});
    QCOMPARE(m_ctx->record(TableId::Schedule).text(SCH::Description),
             QString("Changed by the other copy"));
}

void TestRules::busyDatabaseCancelsTheTransaction()
{
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 2));
    QProcess peer;
    peer.start(STORE_PEER,
               {"write", m_data->databasePath(), QString::number(Connection::BusyTimeoutMs * 3)});
    QVERIFY(peer.waitForReadyRead(10000));

    m_ctx->record(TableId::Schedule).setText(SCH::Description, "Waiting");
    QCOMPARE(SaveWithRules(*m_ctx, TableId::Schedule, false), SaveResult::Failed);
    QCOMPARE(m_data->messages().numbers(), QList<int>{34});
    QCOMPARE(m_data->messages().shown().front().text,
             QString("Error: (File Is Already Locked (32)) attempting to frame the update "
                     "transaction on Schedule.  Update transaction cancelled."));

    QVERIFY(peer.waitForFinished(10000));
    QCOMPARE(SaveWithRules(*m_ctx, TableId::Schedule, false), SaveResult::Done);
}

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
