#pragma once

#include <QString>

#include <functional>

namespace platform {
class KeyInjector;
}

namespace script {

// What the sender shows while it works: the frame's tray tip and animation.
struct KeyFeedback {
    std::function<void()> roundStarted; // as each round begins
    std::function<void()> finished;     // after the last round of a text that sent anything
};

// Sends a keystroke text to the window with the focus, in rounds that each begin with a pause
// of `delayHundredths`, plain text at most `burst` characters a round before a bracket. The
// program's events are handled while it waits.
void SendScriptKeys(const QString &keys, platform::KeyInjector &injector, int delayHundredths,
                    int burst, const KeyFeedback &feedback = {});

} // namespace script
