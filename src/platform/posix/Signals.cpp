#include "platform/Signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

int wakeUp[2] = {-1, -1};

// Only async-signal-safe work here: tell the event loop through a socket.
void noteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[0], &byte, 1);
}

} // namespace

void onTerminationSignals(QObject *context, std::function<void()> closeDown)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp) != 0)
        return;
    auto *notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [notifier, closeDown = std::move(closeDown)] {
                         char byte = 0;
                         [[maybe_unused]] const ssize_t got = ::read(wakeUp[1], &byte, 1);
                         notifier->setEnabled(false);
                         closeDown();
                     });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &action, nullptr);
}

} // namespace platform
