#pragma once

#include <QString>

#include <memory>

namespace platform {

// Types into whichever window has the keyboard focus, as the user would.
class KeyInjector {
public:
    virtual ~KeyInjector() = default;

    // False when keystrokes cannot be sent here (no display, or no XTest); nothing is sent.
    virtual bool isAvailable() const = 0;
    // A key by its code: a virtual-key code with Shift (0x100), Ctrl (0x200) and Alt (0x400)
    // held around it; the mouse codes 1, 2, 3 click the left, right and middle button at the
    // pointer, 5, 6, 7 double-click them.
    virtual void pressKey(int code) = 0;
    // Each character as the key that makes it on the current keyboard layout, with Shift as
    // needed and letters in their own case whatever Caps Lock says. Characters the layout
    // cannot make are left out.
    virtual void pressText(const QString &text) = 0;
};

std::unique_ptr<KeyInjector> createKeyInjector(const QString &display = QString());

} // namespace platform
