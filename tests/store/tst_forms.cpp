#include "DataFolder.h"
#include "Rows.h"
#include "store/AutoNumber.h"
#include "store/FormController.h"
#include "store/OpenTable.h"
#include "store/tables/Categories.h"
#include "store/tables/Contact.h"
#include "store/tables/Link.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "store/tables/Todo.h"

#include <QTest>

using namespace store;

Q_DECLARE_METATYPE(store::Button)
Q_DECLARE_METATYPE(store::Response)

class TestForms final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newNumberIsOneAboveTheHighest_data();
    void newNumberIsOneAboveTheHighest();
    void scriptLinesAreNumberedWithinTheirTask_data();
    void scriptLinesAreNumberedWithinTheirTask();
    void confirmedInsertIsStored();
    void cancelledInsertLeavesNothingBehind();
    void numberingGivesUpAfterThreeFailures_data();
    void numberingGivesUpAfterThreeFailures();
    void duplicateKeyKeepsTheFormOpen();
    void unchangedRecordIsNotWritten();
    void failedSaveOffersToTryAgain_data();
    void failedSaveOffersToTryAgain();
    void changedElsewhereShowsTheStoredValues();
    void deleteIsConfirmedFirst_data();
    void deleteIsConfirmedFirst();
    void taskCopyTakesTheNextFreeNumber();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    ScriptedPresenter &messages() { return m_data->messages(); }
    QVariantList column(TableId id, int key, int field)
    {
        return columnInKeyOrder(*m_ctx, id, key, field);
    }
};

void TestForms::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    for (TableId id : {TableId::Categories, TableId::Schedule, TableId::Scripting, TableId::Contact,
                       TableId::Link, TableId::Todo})
        QVERIFY(OpenTable(*m_ctx, id));
}

void TestForms::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestForms::newNumberIsOneAboveTheHighest_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("field");
    QTest::addColumn<QVariantList>("existing");
    QTest::addColumn<int>("expected");
    QTest::newRow("first task") << int(TableId::Schedule) << int(SCH::ID) << QVariantList() << 1;
    QTest::newRow("gaps below are not reused")
        << int(TableId::Schedule) << int(SCH::ID) << QVariantList{3, 17, 41} << 42;
    QTest::newRow("first contact")
        << int(TableId::Contact) << int(C_::ClientID) << QVariantList() << 1;
    QTest::newRow("contact after 41")
        << int(TableId::Contact) << int(C_::ClientID) << QVariantList{41, 2} << 42;
}

void TestForms::newNumberIsOneAboveTheHighest()
{
    QFETCH(int, table);
    QFETCH(int, field);
    QFETCH(QVariantList, existing);
    QFETCH(int, expected);
    const TableId id = TableId(table);
    for (const QVariant &n : existing)
        QVERIFY(addRow(*m_ctx, id, {{field, n}}).ok());

    m_ctx->record(id).clear();
    m_ctx->request = Request::Insert;
    FormController form(*m_ctx, id);
    QVERIFY(form.open());
    QCOMPARE(m_ctx->record(id).number(field), expected);
    // The number is reserved in the table while the form is open.
    QVERIFY(loadRow(*m_ctx, id, 0, field, expected));
}

void TestForms::scriptLinesAreNumberedWithinTheirTask_data()
{
    QTest::addColumn<int>("task");
    QTest::addColumn<int>("expected");
    QTest::newRow("after the task's last line") << 3 << 3;
    QTest::newRow("first line of a task after all others") << 5 << 1;
    QTest::newRow("first line of a task before others") << 2 << 1;
}

void TestForms::scriptLinesAreNumberedWithinTheirTask()
{
    QFETCH(int, task);
    QFETCH(int, expected);
    for (const auto &[id, sequence] : {std::pair{3, 1}, {3, 2}, {4, 7}})
        QVERIFY(
            addRow(*m_ctx, TableId::Scripting, {{SCR::ID, id}, {SCR::Sequence, sequence}}).ok());

    m_ctx->record(TableId::Scripting) =
        makeRecord(TableId::Scripting, {{SCR::ID, task}, {SCR::ACTION, "Send Keystrokes"}});
    m_ctx->request = Request::Insert;
    FormController form(*m_ctx, TableId::Scripting);
    QVERIFY(form.open());
    const Record &line = m_ctx->record(TableId::Scripting);
    QCOMPARE(line.number(SCR::ID), task);
    QCOMPARE(line.number(SCR::Sequence), expected);
    QCOMPARE(line.text(SCR::ACTION), QString("Send Keystrokes"));
}

void TestForms::confirmedInsertIsStored()
{
    m_ctx->record(TableId::Schedule) = makeRecord(TableId::Schedule, {{SCH::Message, "Primed"}});
    m_ctx->request = Request::Insert;
    FormController form(*m_ctx, TableId::Schedule);
    QVERIFY(form.open());
    QCOMPARE(m_ctx->record(TableId::Schedule).text(SCH::Message), QString("Primed"));
    m_ctx->record(TableId::Schedule).setText(SCH::Description, "Dentist");
    QVERIFY(form.accept());
    QCOMPARE(m_ctx->response, Response::Completed);
    QCOMPARE(column(TableId::Schedule, SCH::KEYID, SCH::Description), QVariantList{"Dentist"});
    QVERIFY(messages().shown().empty());
}

void TestForms::cancelledInsertLeavesNothingBehind()
{
    QVERIFY(addRow(*m_ctx, TableId::Schedule, {{SCH::ID, 4}, {SCH::Description, "Kept"}}).ok());
    m_ctx->request = Request::Insert;
    FormController form(*m_ctx, TableId::Schedule);
    QVERIFY(form.open());
    const qint64 number = m_ctx->record(TableId::Schedule).number(SCH::ID);
    QCOMPARE(number, 5);
    // While the form was open, the user added a script line and a contact to the new task.
    QVERIFY(addRow(*m_ctx, TableId::Scripting, {{SCR::ID, number}, {SCR::Sequence, 1}}).ok());
    QVERIFY(addRow(*m_ctx, TableId::Link, {{L::ID, number}, {L::ClientID, 8}}).ok());

    form.cancel();
    QCOMPARE(m_ctx->response, Response::Cancelled);
    QCOMPARE(column(TableId::Schedule, SCH::KEYID, SCH::ID), QVariantList{4});
    QCOMPARE(column(TableId::Scripting, SCR::KeyID, SCR::ID), QVariantList());
    QCOMPARE(column(TableId::Link, L::KEYSCHEDULE, L::ID), QVariantList());
    QVERIFY(messages().shown().empty());
}

void TestForms::numberingGivesUpAfterThreeFailures_data()
{
    QTest::addColumn<Button>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Cancel closes the form") << Button::Cancel << false;
    QTest::newRow("Retry starts over") << Button::Retry << true;
}

void TestForms::numberingGivesUpAfterThreeFailures()
{
    QFETCH(Button, answer);
    QFETCH(bool, opens);
    // Every add is refused and counted (RAISE(FAIL) keeps what the trigger wrote).
    m_data->rawExec("CREATE TABLE attempts (n INTEGER)");
    m_data->rawExec("CREATE TRIGGER refuse BEFORE INSERT ON \"S\" BEGIN INSERT INTO attempts "
                    "VALUES (1); SELECT RAISE(FAIL, 'no room'); END");
    messages().answerNext(answer);
    messages().onMessage([&](const StandardMessage &) { m_data->rawExec("DROP TRIGGER refuse"); });

    m_ctx->request = Request::Insert;
    FormController form(*m_ctx, TableId::Schedule);
    QCOMPARE(form.open(), opens);
    QCOMPARE(messages().numbers(), QList<int>{25});
    QCOMPARE(messages().shown().front().text,
             QString("Attempts to automatically number this record have failed.  Error: no room "
                     "(1811)."));
    QCOMPARE(m_data->rawScalar("SELECT count(*) FROM attempts").toInt(), 3);
    QCOMPARE(m_ctx->response, opens ? Response::None : Response::Cancelled);
    QCOMPARE(column(TableId::Schedule, SCH::KEYID, SCH::ID),
             opens ? QVariantList{1} : QVariantList());
}

void TestForms::duplicateKeyKeepsTheFormOpen()
{
    QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, "WORK"}}).ok());
    m_ctx->record(TableId::Categories) = makeRecord(TableId::Categories, {{CAT::Category, "Work"}});
    m_ctx->request = Request::Insert;
    FormController form(*m_ctx, TableId::Categories);
    QVERIFY(form.open());
    QVERIFY(!form.accept());
    QCOMPARE(messages().numbers(), QList<int>{24});
    QCOMPARE(messages().shown().front().text,
             QString("Adding this record creates a duplicate entry for the key:Category"));
    QCOMPARE(m_ctx->response, Response::None);

    m_ctx->record(TableId::Categories).setText(CAT::Category, "Home");
    QVERIFY(form.accept());
    QCOMPARE(column(TableId::Categories, CAT::KEYCATEGORY, CAT::Category),
             (QVariantList{"Home", "WORK"}));
}

void TestForms::unchangedRecordIsNotWritten()
{
    QVERIFY(addRow(*m_ctx, TableId::Schedule, {{SCH::ID, 1}, {SCH::Description, "Same"}}).ok());
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    m_ctx->request = Request::Change;
    FormController form(*m_ctx, TableId::Schedule);
    QVERIFY(form.open());
    m_ctx->record(TableId::Schedule).setText(SCH::Description, "Same   ");
    QVERIFY(form.accept());
    QCOMPARE(m_ctx->response, Response::Completed);
    QCOMPARE(m_data->rawScalar("SELECT \"Revision\" FROM \"S\"").toInt(), 1);
}

void TestForms::failedSaveOffersToTryAgain_data()
{
    QTest::addColumn<Button>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Yes saves again") << Button::Yes << true << Response::Completed << "After";
    QTest::newRow("No gives up") << Button::No << true << Response::Cancelled << "Before";
    QTest::newRow("Cancel stays in the form")
        << Button::Cancel << false << Response::None << "Before";
}

void TestForms::failedSaveOffersToTryAgain()
{
    QFETCH(Button, answer);
    QFETCH(bool, closes);
    QFETCH(Response, response);
    QFETCH(QString, stored);
    QVERIFY(addRow(*m_ctx, TableId::Schedule, {{SCH::ID, 1}, {SCH::Description, "Before"}}).ok());
    m_data->rawExec("CREATE TRIGGER refuse BEFORE UPDATE ON \"S\" BEGIN SELECT RAISE(ABORT, "
                    "'disk full'); END");
    messages().onMessage([&](const StandardMessage &m) {
        if (m.number == 16)
            m_data->rawExec("DROP TRIGGER refuse");
    });
    messages().answerNext(Button::Ok);
    messages().answerNext(answer);

    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 1));
    m_ctx->request = Request::Change;
    FormController form(*m_ctx, TableId::Schedule);
    QVERIFY(form.open());
    m_ctx->record(TableId::Schedule).setText(SCH::Description, "After");
    QCOMPARE(form.accept(), closes);
    QCOMPARE(messages().numbers(), (QList<int>{15, 16}));
    QCOMPARE(m_ctx->response, response);
    QCOMPARE(m_data->rawScalar("SELECT \"Description\" FROM \"S\"").toString(), stored);
}

void TestForms::changedElsewhereShowsTheStoredValues()
{
    QVERIFY(addRow(*m_ctx, TableId::Todo, {{TDO::ToDo, "Paint the fence"}}).ok());
    QVERIFY(loadRow(*m_ctx, TableId::Todo, TDO::KEYTODO, TDO::ToDo, "Paint the fence"));
    m_ctx->request = Request::Change;
    FormController form(*m_ctx, TableId::Todo);
    QVERIFY(form.open());
    m_data->rawExec("UPDATE \"ToDo\" SET \"Priority\" = 9, \"Revision\" = \"Revision\" + 1");

    m_ctx->record(TableId::Todo).setText(TDO::ToDo, "Paint the fence green");
    QVERIFY(!form.accept());
    QCOMPARE(messages().numbers(), QList<int>{38});
    QCOMPARE(m_ctx->record(TableId::Todo).number(TDO::Priority), 9);
    QCOMPARE(m_ctx->record(TableId::Todo).text(TDO::ToDo), QString("Paint the fence"));
    QCOMPARE(m_ctx->userValues(TableId::Todo)->text(TDO::ToDo), QString("Paint the fence green"));

    // OK on what is now shown closes without another write.
    QVERIFY(form.accept());
    QCOMPARE(m_ctx->response, Response::Completed);
    QCOMPARE(m_data->rawScalar("SELECT \"Revision\" FROM \"ToDo\"").toInt(), 2);
}

void TestForms::deleteIsConfirmedFirst_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QList<Button>>("answers");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<Response>("response");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("OK deletes") << "Unused" << QList<Button>{Button::Ok} << QList<int>{32}
                                << Response::Completed << true;
    QTest::newRow("Cancel keeps it") << "Unused" << QList<Button>{Button::Cancel} << QList<int>{32}
                                     << Response::Cancelled << false;
    QTest::newRow("refused delete, not retried")
        << "General" << QList<Button>{Button::Ok, Button::Ok, Button::No} << QList<int>{32, 13, 18}
        << Response::Cancelled << false;
    QTest::newRow("refused delete, retried")
        << "General" << QList<Button>{Button::Ok, Button::Ok, Button::Yes, Button::Ok, Button::No}
        << QList<int>{32, 13, 18, 13, 18} << Response::Cancelled << false;
}

void TestForms::deleteIsConfirmedFirst()
{
    QFETCH(QString, category);
    QFETCH(QList<Button>, answers);
    QFETCH(Response, response);
    QFETCH(bool, deleted);
    for (const char *name : {"General", "Unused"})
        QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, name}}).ok());
    QVERIFY(addRow(*m_ctx, TableId::Schedule, {{SCH::ID, 1}, {SCH::Category, "General"}}).ok());
    for (Button b : answers)
        messages().answerNext(b);

    QVERIFY(loadRow(*m_ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category, category));
    m_ctx->request = Request::Delete;
    FormController form(*m_ctx, TableId::Categories);
    QVERIFY(!form.open());
    QTEST(messages().numbers(), "shown");
    QCOMPARE(m_ctx->response, response);
    QCOMPARE(!column(TableId::Categories, CAT::KEYCATEGORY, CAT::Category).contains(category),
             deleted);
}

void TestForms::taskCopyTakesTheNextFreeNumber()
{
    for (int id : {3, 9})
        QVERIFY(
            addRow(*m_ctx, TableId::Schedule, {{SCH::ID, id}, {SCH::Description, "Task"}}).ok());
    const Record image = makeRecord(TableId::Schedule, {{SCH::ID, 3},
                                                        {SCH::Description, "(Skipped) Task"},
                                                        {SCH::COMPLETED, 1},
                                                        {SCH::Message, "Remember"}});
    QVERIFY(AddTaskCopy(*m_ctx, image).ok());
    QCOMPARE(m_ctx->record(TableId::Schedule).number(SCH::ID), 10);
    QVERIFY(loadRow(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID, 10));
    QCOMPARE(m_ctx->record(TableId::Schedule).text(SCH::Message), QString("Remember"));
    QCOMPARE(m_ctx->record(TableId::Schedule).number(SCH::COMPLETED), 1);
}

QTEST_GUILESS_MAIN(TestForms)
#include "tst_forms.moc"
