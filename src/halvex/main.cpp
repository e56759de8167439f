// halvex: ends one running process by its executable's name or path.
// Usage: halvex NAME   (blanks around the name are ignored)
#include "ProcessList.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include <X11/Xlib.h>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Through the system calls: the C library's wrappers are not declared for C++ in every version.
int openProcess(pid_t pid)
{
    return int(syscall(SYS_pidfd_open, pid, 0));
}

int sendSignal(int process, int signal)
{
    return int(syscall(SYS_pidfd_send_signal, process, signal, nullptr, 0));
}

// The reason as the system describes it, in capitals.
QString errorName(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)).toUpper();
}

bool displayAvailable()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

// A failure is shown in a message box on the desktop, else written to standard error.
void report(int argc, char **argv, const QString &what, int error)
{
    const QString text = what + errorName(error);
    if (!displayAvailable()) {
        std::fprintf(stderr, "Error: %s\n", text.toLocal8Bit().constData());
        return;
    }
    QApplication app(argc, argv);
    QMessageBox::critical(nullptr, QStringLiteral("Error"), text);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    QString name = words.join(u' ');
    while (name.startsWith(u' '))
        name.remove(0, 1);

    const pid_t pid = halvex::findProcess(halvex::runningProcesses(), name);
    if (pid == 0)
        return 0;
    // Held by a descriptor, the process cannot be confused with a later one of its number.
    const int process = openProcess(pid);
    if (process < 0 || sendSignal(process, 0) != 0) {
        const int error = errno;
        if (process >= 0)
            close(process);
        report(argc, argv, QStringLiteral("Open Process: "), error);
        return 0;
    }
    const int error = sendSignal(process, SIGKILL) != 0 ? errno : 0;
    close(process);
    if (error != 0)
        report(argc, argv, QStringLiteral("Terminate Process: "), error);
    return 0;
}
