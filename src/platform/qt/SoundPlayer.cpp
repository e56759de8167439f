#include "platform/Sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

Q_LOGGING_CATEGORY(lcSound, "tl97.platform.sound")

namespace platform {

namespace {

bool isWave(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = f.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8, 4) == "WAVE";
}

class QtSoundPlayer final : public SoundPlayer {
public:
    bool play(const QString &file) override
    {
        if (file.trimmed().compare(QLatin1String("BEEP"), Qt::CaseInsensitive) == 0) {
            QApplication::beep();
            return true;
        }
        if (!isWave(file)) {
            qCInfo(lcSound) << "not a sound file that can be played:" << file;
            return false;
        }
        // Without an output device a sound effect would claim to play and stay silent.
        if (QMediaDevices::audioOutputs().isEmpty()) {
            qCInfo(lcSound) << "no audio output to play" << file;
            return false;
        }
        auto *effect = new QSoundEffect(&m_owner);
        effect->setSource(QUrl::fromLocalFile(file));
        QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
            if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
                effect->deleteLater();
        });
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
            if (effect->status() == QSoundEffect::Ready)
                effect->play();
            else if (effect->status() == QSoundEffect::Error)
                effect->deleteLater();
        });
        return true;
    }

private:
    QObject m_owner;
};

} // namespace

std::unique_ptr<SoundPlayer> createSoundPlayer()
{
    return std::make_unique<QtSoundPlayer>();
}

} // namespace platform
