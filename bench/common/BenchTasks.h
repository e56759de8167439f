#pragma once

#include "store/MessagePresenter.h"
#include "store/Record.h"
#include "store/Store.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace store {
class RecordContext;
}

// Prints messages instead of showing them; a halt ends the benchmark.
class PrintingPresenter final : public store::MessagePresenter {
public:
    store::Button present(const store::StandardMessage &m) override;
    void halt(const QString &text) override;
};

// A temporary data folder whose task table holds this many tasks; the benchmark ends when it
// cannot be built.
struct BenchData {
    explicit BenchData(int tasks);
    QTemporaryDir dir;
    PrintingPresenter presenter;
    store::Store store;
};

// Adds this many tasks with dates spread over twenty years, as one user's history might be.
// Schedule must be open in the context. False when an add failed.
bool addBenchTasks(store::RecordContext &ctx, int tasks);
store::Record benchTask(qint64 id, int seed);

// The table sizes to measure: 10k, 100k and 1M tasks, or the one given on the command line.
std::vector<int> benchSizes(int argc, char **argv);

inline constexpr int BenchFirstDay = 80000; // late 2019
inline constexpr int BenchDays = 20 * 365;

// Median of `runs` timings of `work(i)`, in microseconds.
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
