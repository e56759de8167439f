#include "DataFolder.h"
#include "Rows.h"
#include "store/Connection.h"
#include "store/Housekeeping.h"
#include "store/OpenTable.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "store/tables/Todo.h"

#include <QTest>

using namespace store;

class TestHousekeeping final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void disabledTasksGoWithTheirScripts();
    void completedTasksGo();
    void toDoListEmptied();
    void failedRemovalIsReportedAndTheScanGoesOn();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    void addTask(int id, int disabled, int completed, int date);
    QVariantList taskIds()
    {
        return columnInKeyOrder(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID);
    }
};

void TestHousekeeping::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    for (TableId id : {TableId::Schedule, TableId::Scripting, TableId::Todo})
        QVERIFY(OpenTable(*m_ctx, id));
}

void TestHousekeeping::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestHousekeeping::addTask(int id, int disabled, int completed, int date)
{
    QVERIFY(addRow(*m_ctx, TableId::Schedule,
                   {{SCH::ID, id},
                    {SCH::Disabled, disabled},
                    {SCH::COMPLETED, completed},
                    {SCH::Date, date},
                    {SCH::Time, 1}})
                .ok());
    QVERIFY(addRow(*m_ctx, TableId::Scripting, {{SCR::ID, id}, {SCR::Sequence, 1}}).ok());
}

void TestHousekeeping::disabledTasksGoWithTheirScripts()
{
    // More than a page of disabled tasks, with enabled ones before and after them in due order.
    Connection &c = *m_ctx->connection(TableId::Schedule);
    QVERIFY(c.begin().ok());
    addTask(1, 0, 0, 90000);
    for (int id = 2; id <= 452; ++id)
        addTask(id, 1, id % 2, 80000 + id);
    addTask(453, 0, 0, 70000);
    QVERIFY(c.commit().ok());

    RemoveDisabledTasks(*m_ctx);
    QCOMPARE(taskIds(), (QVariantList{1, 453}));
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Scripting, SCR::KeyID, SCR::ID),
             (QVariantList{1, 453}));
    QVERIFY(m_data->messages().shown().empty());
}

void TestHousekeeping::completedTasksGo()
{
    addTask(1, 1, 1, 80000);
    addTask(2, 0, 0, 80001);
    addTask(3, 1, 0, 80002);
    addTask(4, 0, 1, 80003);
    RemoveCompletedTasks(*m_ctx);
    QCOMPARE(taskIds(), (QVariantList{2, 3}));
}

void TestHousekeeping::toDoListEmptied()
{
    for (const char *item : {"Milk", "", "Bread"})
        QVERIFY(addRow(*m_ctx, TableId::Todo, {{TDO::ToDo, item}}).ok());
    ClearTodoList(*m_ctx);
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Todo, TDO::KEYDONE, TDO::ToDo), QVariantList());
}

void TestHousekeeping::failedRemovalIsReportedAndTheScanGoesOn()
{
    for (int id = 1; id <= 3; ++id)
        addTask(id, 1, 1, 80000 + id);
    m_data->rawExec("CREATE TRIGGER refuse BEFORE DELETE ON \"S\" WHEN OLD.\"ID\" = 2 BEGIN "
                    "SELECT RAISE(ABORT, 'refused'); END");
    RemoveDisabledTasks(*m_ctx);
    QCOMPARE(taskIds(), QVariantList{2});
    QCOMPARE(m_data->messages().shown().size(), 1u);
    QCOMPARE(m_data->messages().shown().front().caption, QString("Cannot Remove History"));
    QCOMPARE(m_data->messages().shown().front().text,
             QString("refused (1811) error while removing history"));
}

QTEST_GUILESS_MAIN(TestHousekeeping)
#include "tst_housekeeping.moc"
