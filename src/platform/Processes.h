#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace platform {

// A process this program started. It is reaped as soon as it ends, so no started program is
// ever left a zombie; until then it can be waited for.
class Process final {
public:
    struct State;
    explicit Process(std::shared_ptr<State> state) : m_state(std::move(state)) {}

    qint64 pid() const;
    bool isRunning() const;
    int exitCode() const; // -1 while running or when it ended by a signal
    // Waits up to `ms` for the process to end; true when it has.
    bool waitForExit(int ms);

private:
    std::shared_ptr<State> m_state;
};

enum class Priority { Low, Normal, High };

// Starts a program with its arguments, in a working folder (blank: this process's), at a
// priority: low is the lowest nice value, high is raised only as far as the system allows
// (normal otherwise). nullptr and errno-style `error` when it cannot start.
std::unique_ptr<Process> startProcess(const QString &program, const QStringList &arguments,
                                      const QString &folder, Priority priority, int *error);

// The full path of a program: as given when it has a folder, else found on PATH; blank when it
// is not an executable file.
QString findExecutable(const QString &program);

// Opens a file, folder or internet address the desktop's way, as the shell's "open" does:
// an executable file is started with the parameters; anything else is handed to xdg-open.
// Returns 32 or more on success, else a code below 32: 2 not found, 5 not allowed, 31 no
// program for it. `pid` (when given) is set to the started program's process id, or 0 when
// the desktop's opener started whatever program it found.
int shellOpen(const QString &file, const QString &parameters, const QString &folder,
              qint64 *pid = nullptr);

} // namespace platform
