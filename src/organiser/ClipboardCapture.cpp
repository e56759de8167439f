#include "organiser/ClipboardCapture.h"

#include "store/Clock.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/Settings.h"
#include "store/Text.h"
#include "store/tables/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace organiser {

namespace CLI = store::CLI;
using store::TableId;
using store::withoutTrailingBlanks;

namespace {

constexpr int CallsBetweenChecks = 3;

// Blank, or starting with a control character such as a tab or a line break.
bool notWorthKeeping(const QString &text)
{
    const QString kept = withoutTrailingBlanks(text);
    return kept.isEmpty() || kept.front() < u' ';
}

bool sameText(const QString &a, const QString &b)
{
    return withoutTrailingBlanks(a) == withoutTrailingBlanks(b);
}

} // namespace

QString ClipboardCapture::signature(const QString &text)
{
    QString capitals;
    for (const QChar c : text) {
        if (c >= u'A' && c <= u'Z') {
            capitals += c;
            if (capitals.size() == SignatureChars)
                break;
        }
    }
    return capitals;
}

void ClipboardCapture::ClipboardPoll(store::RecordContext &ctx, const store::Clock &clock)
{
    if (!store::settings().monitorClipboard)
        return;
    if (++m_calls <= CallsBetweenChecks)
        return;
    m_calls = 1;
    const QString text = QGuiApplication::clipboard()->text().left(MostChars);
    // An emptied clipboard does not count as seen: copying the last text again is no news.
    if (sameText(text, m_lastSeen) || notWorthKeeping(text))
        return;
    store::Connection *c = ctx.connection(TableId::Clipboard);
    if (!c)
        return;
    const QDateTime now = clock.now();
    store::Record entry(CLI::table());
    entry.setText(CLI::ClipContents, text);
    entry.setNumber(CLI::CLIPDATE, store::dates::dayNumber(now.date()));
    entry.setNumber(CLI::CLIPTIME, store::dates::timeValue(now.time()));
    entry.setText(CLI::USER, store::settings().currentUser);
    entry.setText(CLI::CLIPHASHKEY, signature(text));
    // A text with a signature seen before is refused by its key; that is how it should be.
    store::addRecord(*c, &entry);
    trim(ctx, text);
    m_lastSeen = text;
}

// Removes the oldest entries the user has not kept until the table is within its limit,
// sparing the text on the clipboard now. Other users' entries are theirs to trim.
void ClipboardCapture::trim(store::RecordContext &ctx, const QString &onClipboard) const
{
    const int limit = store::settings().maxClipboardEntries;
    store::Connection &c = *ctx.connection(TableId::Clipboard);
    qint64 count = 0;
    if (limit <= 0 || !store::countRecords(c, CLI::table(), &count).ok() || count <= limit)
        return;
    const QString user = store::settings().currentUser;
    std::vector<store::Record> oldest;
    if (!store::KeyRead(CLI::table(), CLI::KEYCLIPDATE)
             .whereNoCase(CLI::USER, user)
             .where(CLI::CLIPKEEP, 0)
             .read(c, &oldest)
             .ok())
        return;
    for (const store::Record &entry : oldest) {
        if (count <= limit)
            return;
        if (sameText(entry.text(CLI::ClipContents), onClipboard))
            continue;
        if (store::deleteRecord(c, CLI::table(), entry.position()).ok())
            --count;
    }
}

} // namespace organiser
