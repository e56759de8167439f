#pragma once

#include <functional>

class QObject;

namespace platform {

// Runs `closeDown` from the event loop when the process is asked to end (SIGTERM, SIGINT or
// SIGHUP, as at the end of a desktop session), so the program ends the way it does when the
// user exits it. Once only; later signals are ignored.
void onTerminationSignals(QObject *context, std::function<void()> closeDown);

} // namespace platform
