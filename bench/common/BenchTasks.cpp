#include "BenchTasks.h"

#include "store/Connection.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/tables/Schedule.h"

#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>

using namespace store;

Button PrintingPresenter::present(const StandardMessage &m)
{
    std::fprintf(stderr, "message %d: %s\n", m.number, qPrintable(m.text));
    return m.defaultButton;
}

void PrintingPresenter::halt(const QString &text)
{
    std::fprintf(stderr, "halt: %s\n", qPrintable(text));
    std::exit(1);
}

BenchData::BenchData(int tasks) : store(dir.path(), presenter)
{
    RecordContext ctx(store);
    if (!OpenTable(ctx, TableId::Schedule) || !addBenchTasks(ctx, tasks)) {
        std::fprintf(stderr, "cannot build the table of %d tasks\n", tasks);
        std::exit(1);
    }
}

std::vector<int> benchSizes(int argc, char **argv)
{
    if (argc > 1)
        return {std::atoi(argv[1])};
    return {10000, 100000, 1000000};
}

Record benchTask(qint64 id, int seed)
{
    QRandomGenerator gen(quint32(id * 7919 + seed));
    Record t(SCH::table());
    t.setNumber(SCH::ID, id);
    t.setText(SCH::TaskType, QStringLiteral("Display Message"));
    t.setText(SCH::Category, QStringLiteral("Category %1").arg(gen.bounded(12)));
    t.setText(SCH::Description, QStringLiteral("Task number %1").arg(id));
    t.setText(SCH::ScheduleType, QStringLiteral("Custom"));
    t.setNumber(SCH::Every, 1);
    t.setText(SCH::EveryType, QStringLiteral("day(s)"));
    t.setNumber(SCH::Date, BenchFirstDay + gen.bounded(BenchDays));
    t.setNumber(SCH::Time, 1 + gen.bounded(8640000));
    t.setNumber(SCH::Disabled, gen.bounded(20) == 0 ? 1 : 0);
    t.setText(SCH::Message, QStringLiteral("Reminder text of task %1").arg(id));
    return t;
}

bool addBenchTasks(RecordContext &ctx, int tasks)
{
    Connection &c = *ctx.connection(TableId::Schedule);
    constexpr int Batch = 20000;
    for (int done = 0; done < tasks;) {
        if (!c.begin().ok())
            return false;
        for (int i = 0; i < Batch && done < tasks; ++i) {
            Record t = benchTask(++done, 0);
            if (!addRecord(c, &t).ok())
                return false;
        }
        if (!c.commit().ok())
            return false;
    }
    return true;
}
