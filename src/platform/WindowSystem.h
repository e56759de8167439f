#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace platform {

using WindowId = unsigned long;

struct TopLevelWindow {
    WindowId id;
    QString title;
};

// Other applications' windows on the desktop.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // False when there is no desktop to reach (nothing is found, nothing happens).
    virtual bool isAvailable() const = 0;
    // The top-level windows that have a title, front to back; hidden windows too.
    virtual std::vector<TopLevelWindow> topLevelWindows() = 0;
    // The window that has the focus; 0 for none.
    virtual WindowId foregroundWindow() = 0;
    // Brings the window to the front with the focus, restoring it when minimised or hidden.
    // False when the window is gone.
    virtual bool activate(WindowId window) = 0;
    // Asks the window to close, as its close box would. False when it is gone.
    virtual bool close(WindowId window) = 0;
    // The process that owns the window, as it says; 0 when it does not say.
    virtual qint64 processOf(WindowId window) = 0;
};

// The X11 desktop on the given display (the environment's when blank); one that reaches
// nothing when X is not there.
std::unique_ptr<WindowSystem> createWindowSystem(const QString &display = QString());

} // namespace platform
