// Times the store's hot paths on task tables of growing size: the due check's read (first task
// in due order), a page of 50 tasks in date order from an arbitrary date, and adding one task.
#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/tables/Schedule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace store;

namespace {

class QuietPresenter final : public MessagePresenter {
public:
    Button present(const StandardMessage &m) override
    {
        std::fprintf(stderr, "message %d: %s\n", m.number, qPrintable(m.text));
        return m.defaultButton;
    }
    void halt(const QString &text) override
    {
        std::fprintf(stderr, "halt: %s\n", qPrintable(text));
        std::exit(1);
    }
};

constexpr int FirstDay = 80000; // late 2019
constexpr int Days = 20 * 365;

Record randomTask(QRandomGenerator &gen, qint64 id)
{
    Record t(SCH::table());
    t.setNumber(SCH::ID, id);
    t.setText(SCH::TaskType, QStringLiteral("Display Message"));
    t.setText(SCH::Category, QStringLiteral("Category %1").arg(gen.bounded(12)));
    t.setText(SCH::Description, QStringLiteral("Task number %1").arg(id));
    t.setText(SCH::ScheduleType, QStringLiteral("Custom"));
    t.setNumber(SCH::Every, 1);
    t.setText(SCH::EveryType, QStringLiteral("day(s)"));
    t.setNumber(SCH::Date, FirstDay + gen.bounded(Days));
    t.setNumber(SCH::Time, 1 + gen.bounded(8640000));
    t.setNumber(SCH::Disabled, gen.bounded(20) == 0 ? 1 : 0);
    t.setText(SCH::Message, QStringLiteral("Reminder text of task %1").arg(id));
    return t;
}

bool fill(RecordContext &ctx, int tasks)
{
    QRandomGenerator gen(97);
    Connection &c = *ctx.connection(TableId::Schedule);
    constexpr int Batch = 20000;
    for (int done = 0; done < tasks;) {
        if (!c.begin().ok())
            return false;
        for (int i = 0; i < Batch && done < tasks; ++i) {
            Record t = randomTask(gen, ++done);
            if (!addRecord(c, &t).ok())
                return false;
        }
        if (!c.commit().ok())
            return false;
    }
    return true;
}

// Median of `runs` timings of `work`, in microseconds.
template <typename Work> double medianMicros(int runs, Work work)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work(i);
        times.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Figures {
    double due;
    double page;
    double add;
};

Figures measure(int tasks)
{
    QTemporaryDir dir;
    QuietPresenter presenter;
    Store st(dir.path(), presenter);
    RecordContext ctx(st);
    if (!OpenTable(ctx, TableId::Schedule) || !fill(ctx, tasks)) {
        std::fprintf(stderr, "cannot build the table of %d tasks\n", tasks);
        std::exit(1);
    }
    Connection &c = *ctx.connection(TableId::Schedule);
    QRandomGenerator gen(1959);
    Figures f{};

    f.due = medianMicros(2000, [&](int) {
        Record first(SCH::table());
        KeyRead(SCH::table(), SCH::KEYDATEENABLED).first(c, &first);
    });
    f.page = medianMicros(2000, [&](int) {
        Record at(SCH::table());
        at.setNumber(SCH::Date, FirstDay + gen.bounded(Days));
        std::vector<Record> rows;
        KeyRead(SCH::table(), SCH::KEYDATE).from(at).limit(50).read(c, &rows);
        if (rows.size() != 50 && at.number(SCH::Date) < FirstDay + Days - 30)
            std::fprintf(stderr, "short page: %zu rows\n", rows.size());
    });
    f.add = medianMicros(200, [&](int i) {
        Record t = randomTask(gen, tasks + 1 + i);
        addRecord(c, &t);
    });
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::vector<int> sizes{10000, 100000, 1000000};
    if (argc > 1)
        sizes = {QByteArray(argv[1]).toInt()};

    std::printf("%10s %14s %14s %14s\n", "tasks", "due check", "50-row page", "add a task");
    Figures base{};
    for (int tasks : sizes) {
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
