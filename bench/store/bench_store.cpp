// Times the store's hot paths on task tables of growing size: the due check's read (first task
// in due order), a page of 50 tasks in date order from an arbitrary date, and adding one task.
#include "BenchTasks.h"
#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/tables/Schedule.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace store;

namespace {

struct Figures {
    double due;
    double page;
    double add;
};

Figures measure(int tasks)
{
    BenchData data(tasks);
    RecordContext ctx(data.store);
    if (!OpenTable(ctx, TableId::Schedule))
        std::exit(1);
    Connection &c = *ctx.connection(TableId::Schedule);
    QRandomGenerator gen(1959);
    Figures f{};
    f.due = medianMicros(2000, [&](int) {
        Record first(SCH::table());
        KeyRead(SCH::table(), SCH::KEYDATEENABLED).first(c, &first);
    });
    f.page = medianMicros(2000, [&](int) {
        Record at(SCH::table());
        at.setNumber(SCH::Date, BenchFirstDay + gen.bounded(BenchDays));
        std::vector<Record> rows;
        KeyRead(SCH::table(), SCH::KEYDATE).from(at).limit(50).read(c, &rows);
    });
    f.add = medianMicros(200, [&](int i) {
        Record t = benchTask(tasks + 1 + i, 1);
        addRecord(c, &t);
    });
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    std::printf("%10s %14s %14s %14s\n", "tasks", "due check", "50-row page", "add a task");
    Figures base{};
    for (int tasks : benchSizes(argc, argv)) {
        const Figures f = measure(tasks);
        if (base.due == 0)
            base = f;
        std::printf("%10d %11.1f us %11.1f us %11.1f us\n", tasks, f.due, f.page, f.add);
        std::printf("%10s %13.2fx %13.2fx %13.2fx\n", "vs first", f.due / base.due,
                    f.page / base.page, f.add / base.add);
        std::fflush(stdout);
    }
    return 0;
}
