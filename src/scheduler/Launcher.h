#pragma once

#include <QString>

#include <memory>

namespace platform {
class Process;
}
namespace store {
class MessagePresenter;
}

namespace scheduler {

// Where a started task's script goes to be run; the script interpreter implements it.
class ScriptQueue {
public:
    virtual ~ScriptQueue() = default;
    virtual void QueueScript(qint64 taskId) = 0;
};

// What RunProgram is asked to start.
struct ProgramStart {
    qint64 taskId = 0;   // whose script to queue after the start; 0 for none
    bool direct = false; // start as a new process (kept for a wait), else the shell's open
    int windowState = 1; // 0 hidden, 1 normal, 2 minimised, 3 maximised, 7, 8 without focus
    bool normalWindow = true;
    bool defaultPriority = true;
    int priority = 2; // 1 low, 2 normal, 3 high, 4 normal
    QString command;  // program and parameters, a document, folder or address; "N/A" for none
    QString folder;   // where to start it; blank for none given
};

// Starts the programs of tasks and script lines, and hands the task's script on.
class Launcher final {
public:
    explicit Launcher(store::MessagePresenter &messages);
    ~Launcher();

    // Where started tasks' scripts go; none until set.
    void setScriptQueue(ScriptQueue *queue) { m_queue = queue; }

    // Starts the program (nothing for "N/A"), then queues the task's script. A program that
    // cannot be started is reported and queues no script. True when it started, or was "N/A".
    bool RunProgram(const ProgramStart &start);

    // The command of the last start, without trailing blanks.
    const QString &lastCommand() const { return m_lastCommand; }
    // The process id of the program the last start started; 0 when none is known (nothing
    // started, or a document handed to the desktop's opener).
    qint64 lastStartedPid() const { return m_lastPid; }
    // The program of the last direct start, for the caller to wait for; nullptr once taken.
    std::unique_ptr<platform::Process> takeLastProcess();

private:
    int shellStart(const QString &command, const QString &folder);
    int shellOpen(const QString &file, const QString &parameters, const QString &folder);
    bool directStart(const ProgramStart &start, const QString &command, int *error);
    void reportFailure(const QString &command, int code);

    store::MessagePresenter &m_messages;
    ScriptQueue *m_queue = nullptr;
    QString m_lastCommand;
    qint64 m_lastPid = 0;
    std::unique_ptr<platform::Process> m_lastProcess;
};

} // namespace scheduler
