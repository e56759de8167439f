#pragma once

#include "platform/Sound.h"

#include <QStringList>

// Stands in for the sound output, which a test machine does not have: records what it was
// asked to play, and fails like a missing file when told to.
class RecordingSoundPlayer final : public platform::SoundPlayer {
public:
    bool play(const QString &file) override
    {
        played << file;
        return playable;
    }
    QStringList played;
    bool playable = true;
};
