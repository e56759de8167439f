// Times a list window over the task table of growing size: from opening to its first page
// painted, going to the end (End), and a page down. Figures should not grow with the table.
#include "BenchTasks.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/tables/Schedule.h"
#include "toolkit/ListBox.h"
#include "toolkit/ListDecl.h"
#include "toolkit/ListWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <cstdio>

using namespace store;
using namespace toolkit;

namespace {

const ListDecl &taskList()
{
    static const ListDecl list{"BenchTasks",
                               "Tasks",
                               TableId::Schedule,
                               {{"By Date", SCH::KEYDATE}},
                               {{"Description", SCH::Description, 40},
                                {"Date", SCH::Date, 12, Show::Date},
                                {"Time", SCH::Time, 8, Show::Time}},
                               {{Action::Close, "Cl&ose"}}};
    return list;
}

void press(QWidget *view, Qt::Key key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &down);
}

struct Figures {
    double open;
    double end;
    double pageDown;
};

Figures measure(int tasks)
{
    BenchData data(tasks);
    Store &st = data.store;
    Figures f{};
    f.open = medianMicros(21, [&](int) {
        ListWindow w(taskList(), st);
        w.resize(800, 600);
        w.show();
        w.grab();
    });
    ListWindow w(taskList(), st);
    w.resize(800, 600);
    w.show();
    w.grab();
    QWidget *view = w.list()->view();
    f.end = medianMicros(21, [&](int i) {
        press(view, i % 2 ? Qt::Key_Home : Qt::Key_End);
        w.grab();
    });
    press(view, Qt::Key_Home);
    f.pageDown = medianMicros(101, [&](int) {
        press(view, Qt::Key_PageDown);
        w.grab();
    });
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::printf("%10s %16s %16s %16s\n", "tasks", "open+paint", "End+paint", "PgDn+paint");
    Figures base{};
    for (int tasks : benchSizes(argc, argv)) {
        const Figures f = measure(tasks);
        if (base.open == 0)
            base = f;
        std::printf("%10d %13.2f ms %13.2f ms %13.2f ms\n", tasks, f.open / 1000, f.end / 1000,
                    f.pageDown / 1000);
        std::printf("%10s %15.2fx %15.2fx %15.2fx\n", "vs first", f.open / base.open,
                    f.end / base.end, f.pageDown / base.pageDown);
        std::fflush(stdout);
    }
    return 0;
}
