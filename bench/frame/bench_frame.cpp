// Times one idle tick of the frame (nothing due) with task tables of growing size: the due
// check's read, the advance-warning read and the status bar, as every 1.25 seconds.
#include "BenchTasks.h"
#include "platform/Sound.h"
#include "scheduler/Frame.h"
#include "scheduler/Launcher.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/Settings.h"
#include "store/tables/Schedule.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace store;

namespace {

// Before every task: nothing is due at this moment.
class EarlyClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2019, 1, 1), QTime(8, 0)); }
};

struct Figures {
    double median;
    double p99;
};

Figures measure(int tasks)
{
    BenchData data(tasks);
    Store &st = data.store;
    PrintingPresenter &presenter = data.presenter;
    EarlyClock clock;
    const auto sound = platform::createSoundPlayer();
    scheduler::Launcher launcher(presenter);
    scheduler::Frame frame(st, clock, *sound, launcher);
    frame.start();
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 2000; ++i) {
        timer.start();
        frame.tick();
        times.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 99 / 100]};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("%10s %14s %14s\n", "tasks", "tick median", "tick p99");
    for (int tasks : benchSizes(argc, argv)) {
        const Figures f = measure(tasks);
        std::printf("%10d %11.1f us %11.1f us\n", tasks, f.median, f.p99);
        std::fflush(stdout);
    }
    return 0;
}
