#pragma once

#include <QStringList>

namespace platform {
class WindowSystem;
}
namespace store {
class Clock;
class RecordContext;
} // namespace store

namespace script {

// Records the titles of the windows open on the desktop in WindowLookup, one title a step, so
// scripts can offer them later. A full pass over the open windows is taken only after the
// previous one has been worked off.
class WindowMonitor final {
public:
    static constexpr int DefaultMaxWindows = 100;

    explicit WindowMonitor(int maxWindows = DefaultMaxWindows) : m_maxWindows(maxWindows) {}

    // One step: refill the pending titles, or record the first of them (new titles only,
    // dated now; the oldest record goes when the table would hold more than the most
    // allowed). The context needs WindowLookup open.
    void MonitorWindows(store::RecordContext &ctx, platform::WindowSystem &windows,
                        const store::Clock &clock);

    int pending() const { return int(m_pending.size()); }

private:
    int m_maxWindows;
    QStringList m_pending;
};

} // namespace script
