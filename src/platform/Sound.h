#pragma once

#include <QString>

#include <memory>

namespace platform {

// Plays alarm sounds.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Starts a WAV file playing without waiting for it, or sounds the desktop beep for "BEEP".
    // False, with nothing played, when the file cannot be played: missing, not a WAV file, or
    // no audio output on this machine.
    virtual bool play(const QString &file) = 0;
};

// The desktop's sound output through Qt Multimedia.
std::unique_ptr<SoundPlayer> createSoundPlayer();

} // namespace platform
