#pragma once

#include <QString>

namespace store {
class Clock;
class RecordContext;
} // namespace store

namespace organiser {

// Keeps each new text put on the clipboard, while the settings ask for it, as an entry of the
// clipboard table, within the number of entries the settings allow. Called on every tick of
// the frame's timer; it looks at the clipboard every third call.
class ClipboardCapture final {
public:
    static constexpr int MostChars = 4096;
    static constexpr int SignatureChars = 40;

    // The context needs the Clipboard table open. Failures are silent: nothing is stored.
    void ClipboardPoll(store::RecordContext &ctx, const store::Clock &clock);

    // The capital letters among a text's characters, the first 40 of them: a text with the
    // same capitals in the same order is taken for the same text.
    static QString signature(const QString &text);

private:
    void trim(store::RecordContext &ctx, const QString &onClipboard) const;

    int m_calls = 0;
    QString m_lastSeen;
};

} // namespace organiser
