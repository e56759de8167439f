#pragma once

#include "scheduler/MessageWindow.h"

#include <functional>
#include <optional>

namespace store {
class Record;
}

namespace scheduler {

// Performs due tasks, gives advance warnings and removes expired history, on the frame's
// timer ticks. It works in the frame's record context; its questions are modal.
class Dispatcher final {
public:
    static constexpr int MostMessageWindows = 60;

    struct Services {
        store::RecordContext &ctx;
        MessageServices messages;
        // Brings the frame back from the tray or the task bar before a task shows itself.
        std::function<void()> restoreFrame;
        std::function<bool()> frameMinimised;
    };

    explicit Dispatcher(Services services);

    // The earliest enabled task, performed when its moment has come (at most one a tick);
    // nullopt when there is no enabled task. `dispatched` tells whether one was performed.
    std::optional<store::Record> dueCheck(bool *dispatched);
    // Performs the context's current task and moves it on.
    void DispatchTask();
    // Gives at most one due advance warning.
    void advanceWarningCheck();
    // Once a day, removes history older than HistoryExpires days; true when it ran.
    bool historyCheck();
    // Performs the context's current task once, leaving its schedule alone.
    void RunTaskNow();

private:
    // The missed-task question, or else the confirmation; a No marks the run skipped.
    void askToRun(const store::Record &task, bool *skipped, bool log);
    void playAlarm(const store::Record &task);
    void perform(const store::Record &task, bool startProgram);
    void moveOn(bool skipped);

    Services m_s;
    qint64 m_historyCheckDate = 0;
};

} // namespace scheduler
