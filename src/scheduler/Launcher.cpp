#include "scheduler/Launcher.h"

#include "platform/Processes.h"
#include "store/EventLog.h"
#include "store/MessagePresenter.h"
#include "store/Text.h"

#include <QProcess>

#include <cerrno>

namespace scheduler {

namespace {

constexpr int CommandChars = 255;
constexpr int DirectCommandChars = 119;

platform::Priority priorityOf(const ProgramStart &start)
{
    if (start.defaultPriority)
        return platform::Priority::Normal;
    switch (start.priority) {
    case 1:
        return platform::Priority::Low;
    case 3:
        return platform::Priority::High;
    default:
        return platform::Priority::Normal;
    }
}

} // namespace

Launcher::Launcher(store::MessagePresenter &messages) : m_messages(messages) {}

Launcher::~Launcher() = default;

std::unique_ptr<platform::Process> Launcher::takeLastProcess()
{
    return std::move(m_lastProcess);
}

bool Launcher::RunProgram(const ProgramStart &start)
{
    store::AddLog(QStringLiteral("Run Program"), start.command);
    const QString command = store::withoutTrailingBlanks(start.command).left(CommandChars);
    // Window states have no meaning for programs started on this desktop; the window
    // manager places their windows.
    m_lastPid = 0;
    if (command.toUpper() != QLatin1String("N/A")) {
        m_lastCommand = command;
        if (start.direct) {
            int error = 0;
            if (!directStart(start, command, &error)) {
                reportFailure(command, error);
                return false;
            }
        } else if (const int result = shellStart(command, start.folder); result < 32) {
            reportFailure(command, result);
            return false;
        }
    }
    if (start.taskId != 0 && m_queue)
        m_queue->QueueScript(start.taskId);
    return true;
}

int Launcher::shellStart(const QString &command, const QString &folder)
{
    // The whole command as a file: a document, folder, address or program without parameters.
    int result = shellOpen(command, QString(), folder);
    if (result >= 32)
        return result;

    // Split once: a quoted program and what follows it, or the text before the first blank.
    QString program = command;
    QString parameters;
    bool split = false;
    if (command.startsWith(u'"')) {
        const qsizetype close = command.indexOf(u'"', 1);
        program = command.mid(1, close < 0 ? -1 : close - 1);
        parameters = close < 0 ? QString() : command.mid(close + 1).trimmed();
        split = true;
    } else if (const qsizetype blank = command.indexOf(u' ');
               blank >= 0 && blank < command.size() - 1) {
        program = command.left(blank);
        parameters = command.mid(blank + 1).trimmed();
        split = true;
    }
    result = shellOpen(program, parameters, folder);
    if (result >= 32 || !split)
        return result;

    // A program name with blanks in it, unquoted: the longest name that starts is the one.
    for (qsizetype n = command.size() - 1; n >= 2; --n) {
        if (command.at(n) != u' ')
            continue;
        result = shellOpen(command.left(n), command.mid(n + 1).trimmed(), folder);
        if (result >= 32)
            return result;
    }
    return result;
}

int Launcher::shellOpen(const QString &file, const QString &parameters, const QString &folder)
{
    return platform::shellOpen(file, parameters, folder, &m_lastPid);
}

bool Launcher::directStart(const ProgramStart &start, const QString &command, int *error)
{
    const QStringList words = QProcess::splitCommand(command.left(DirectCommandChars));
    if (words.isEmpty()) {
        *error = ENOENT;
        return false;
    }
    std::unique_ptr<platform::Process> process =
        platform::startProcess(words.front(), words.mid(1), start.folder, priorityOf(start), error);
    if (!process)
        return false;
    m_lastPid = process->pid();
    m_lastProcess = std::move(process);
    return true;
}

void Launcher::reportFailure(const QString &command, int code)
{
    m_messages.notify(QStringLiteral("Error Code %1").arg(code),
                      QStringLiteral("Could not start %1.").arg(command));
}

} // namespace scheduler
