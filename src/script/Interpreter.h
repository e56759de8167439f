#pragma once

#include "platform/WindowSystem.h"
#include "scheduler/Launcher.h"
#include "scheduler/ScriptRunner.h"
#include "script/KeySender.h"
#include "script/RunQueue.h"

#include <deque>
#include <functional>
#include <memory>

namespace platform {
class KeyInjector;
class Process;
} // namespace platform
namespace store {
class Clock;
class MessagePresenter;
class RecordContext;
} // namespace store

namespace script {

// Runs the scripts of started tasks: their lines are planned into one run queue and the entry
// at its head is run when its moment has come, one entry a tick of the frame's timer. Scripts
// queued one after another run strictly in order, each closed by its end marker.
class ScriptInterpreter final : public scheduler::ScriptQueue, public scheduler::ScriptRunner {
public:
    struct Services {
        store::RecordContext &ctx; // with Scripting open
        const store::Clock &clock;
        store::MessagePresenter &messages;
        scheduler::Launcher &launcher;
        platform::WindowSystem &windows;
        platform::KeyInjector &keys;
        KeyFeedback keyFeedback;
        std::function<void(const QString &)> showStatus; // the run-status line
        QString terminator; // the program that ends processes by name; blank when missing
        bool debug = false; // show what window waits, focus changes and If lines decide
    };

    explicit ScriptInterpreter(Services services);
    ~ScriptInterpreter() override;

    void QueueScript(qint64 taskId) override;
    bool isQueued() const override { return !m_queue.empty(); }
    void ScriptStep() override;
    void StopRunningScript() override;

    const std::deque<QueueEntry> &entries() const { return m_queue; }

private:
    enum class Outcome { Finished, Holding };

    void RunScriptItem(Moment now);
    Outcome runHead(Moment now);
    void ShowScriptStatus();
    Outcome exitScript();
    Outcome setFocus();
    Outcome closeProgram();
    platform::WindowId mainWindowOf(qint64 process);
    Outcome wait(Moment now);
    Outcome startProgram(Moment now);
    Outcome waitForProgramEnd(Moment now);
    Outcome ifLine(Moment now);
    Outcome skipBlock();
    void shiftLaterEntries(Moment now);
    void debugMessage(const QString &caption, const QString &text);
    bool stopped(quint64 generation) const { return generation != m_generation; }

    Services m_s;
    std::deque<QueueEntry> m_queue;
    // Counts the stops, so an action that let events in can tell the queue was emptied.
    quint64 m_generation = 0;
    bool m_windowWaitActive = false;
    Moment m_waitStart;
    std::unique_ptr<platform::Process> m_process;
};

} // namespace script
