#include "platform/Processes.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

Q_LOGGING_CATEGORY(lcProcesses, "tl97.platform.processes")

namespace platform {

struct Process::State {
    pid_t pid = 0;
    int pidfd = -1;
    bool running = true;
    int exitCode = -1;
};

namespace {

constexpr int ShellSuccess = 33;
constexpr int NotFound = 2;
constexpr int NotAllowed = 5;
constexpr int NoAssociation = 31;
constexpr int LowNice = 19;
constexpr int HighNice = -10;
// How long a shell open waits for xdg-open to say whether it could open the file.
constexpr int OpenerWaitMs = 5000;

// Collects the exit of every process started here the moment it ends: each one's pidfd is
// watched from the event loop, or waited on when a caller waits.
class Reaper final : public QObject {
public:
    static Reaper &instance()
    {
        static Reaper reaper;
        return reaper;
    }

    void watch(const std::shared_ptr<Process::State> &state)
    {
        auto *notifier = new QSocketNotifier(state->pidfd, QSocketNotifier::Read, this);
        m_watched.insert(state.get(), notifier);
        connect(notifier, &QSocketNotifier::activated, this, [this, state] { reap(state); });
    }

    void reap(const std::shared_ptr<Process::State> &state)
    {
        if (!state->running)
            return;
        siginfo_t info{};
        if (waitid(idtype_t(P_PIDFD), id_t(state->pidfd), &info, WEXITED) != 0)
            return;
        state->exitCode = info.si_code == CLD_EXITED ? info.si_status : -1;
        state->running = false;
        // The notifier lets go of the descriptor before it is closed.
        if (QSocketNotifier *notifier = m_watched.take(state.get())) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        ::close(state->pidfd);
        state->pidfd = -1;
    }

private:
    QHash<const Process::State *, QSocketNotifier *> m_watched;
};

QString absoluteIn(const QString &folder, const QString &file)
{
    return QDir(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath(file);
}

bool isAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 &&
           (!url.host().isEmpty() || url.scheme() == QLatin1String("mailto"));
}

} // namespace

qint64 Process::pid() const
{
    return m_state->pid;
}

bool Process::isRunning() const
{
    return m_state->running;
}

int Process::exitCode() const
{
    return m_state->exitCode;
}

bool Process::waitForExit(int ms)
{
    if (!m_state->running)
        return true;
    pollfd fd{m_state->pidfd, POLLIN, 0};
    if (::poll(&fd, 1, ms) > 0)
        Reaper::instance().reap(m_state);
    return !m_state->running;
}

QString findExecutable(const QString &program)
{
    if (program.isEmpty())
        return QString();
    if (program.contains(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

std::unique_ptr<Process> startProcess(const QString &program, const QStringList &arguments,
                                      const QString &folder, Priority priority, int *error)
{
    const QString path = findExecutable(program);
    if (path.isEmpty()) {
        *error = ENOENT;
        return nullptr;
    }
    std::vector<QByteArray> args{QFile::encodeName(path)};
    for (const QString &a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray workDir = QFile::encodeName(folder);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, workDir.constData());
    // New programs start with default signal handling, whatever this program has set.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signalSet;
    sigfillset(&signalSet);
    posix_spawnattr_setsigdefault(&attributes, &signalSet);
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&attributes, &signalSet);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    // A nice value belongs to a thread on Linux and children take the spawning thread's: spawn
    // from a short-lived thread so this program's own priority stays as it is.
    pid_t pid = 0;
    int result = 0;
    std::thread spawner([&] {
        if (priority == Priority::Low)
            setpriority(PRIO_PROCESS, 0, LowNice);
        else if (priority == Priority::High && setpriority(PRIO_PROCESS, 0, HighNice) != 0)
            qCInfo(lcProcesses) << "high priority not allowed; starting at normal priority";
        result = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    });
    spawner.join();
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        *error = result;
        return nullptr;
    }
    auto state = std::make_shared<Process::State>();
    state->pid = pid;
    state->pidfd = int(syscall(SYS_pidfd_open, pid, 0));
    if (state->pidfd < 0) {
        // Without a pidfd the child is still reaped, by a thread that waits for it.
        std::thread([state] {
            int status = 0;
            if (waitpid(state->pid, &status, 0) == state->pid)
                state->exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            state->running = false;
        }).detach();
    } else {
        Reaper::instance().watch(state);
    }
    *error = 0;
    return std::make_unique<Process>(state);
}

int shellOpen(const QString &file, const QString &parameters, const QString &folder, qint64 *pid)
{
    if (pid)
        *pid = 0;
    if (file.trimmed().isEmpty())
        return NotFound;
    QString target = file;
    if (!isAddress(file)) {
        const QString local = file.contains(u'/') ? file : absoluteIn(folder, file);
        const QFileInfo info(local);
        // A bare name that is no file here may be a program on PATH.
        const QString program = findExecutable(info.exists() ? local : file);
        if (!program.isEmpty() && !info.isDir()) {
            int error = 0;
            const std::unique_ptr<Process> started = startProcess(
                program, QProcess::splitCommand(parameters), folder, Priority::Normal, &error);
            if (!started)
                return error == EACCES ? NotAllowed : NotFound;
            if (pid)
                *pid = started->pid();
            return ShellSuccess;
        }
        if (!info.exists())
            return NotFound;
        target = info.absoluteFilePath();
    }
    int error = 0;
    std::unique_ptr<Process> opener =
        startProcess(QStringLiteral("xdg-open"), {target}, folder, Priority::Normal, &error);
    if (!opener)
        return NoAssociation;
    // xdg-open tells by its exit status whether it found a program for the file; one still
    // busy after the wait has found one.
    if (!opener->waitForExit(OpenerWaitMs))
        return ShellSuccess;
    return opener->exitCode() == 0 ? ShellSuccess : NoAssociation;
}

} // namespace platform
