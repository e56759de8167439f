#include "script/WindowMonitor.h"

#include "platform/WindowSystem.h"
#include "script/WindowFinder.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/Text.h"
#include "store/tables/WindowLookup.h"

namespace script {

namespace WL = store::WL;
using store::TableId;

namespace {

constexpr int PendingChars = 125;
constexpr int RecordedChars = 70;

} // namespace

void WindowMonitor::MonitorWindows(store::RecordContext &ctx, platform::WindowSystem &windows,
                                   const store::Clock &clock)
{
    if (m_pending.isEmpty()) {
        for (const platform::TopLevelWindow &w : ListOpenWindows(windows))
            m_pending << w.title.left(PendingChars);
        return;
    }
    const QString title = store::withoutTrailingBlanks(m_pending.takeFirst().left(RecordedChars));
    if (title.isEmpty())
        return;
    store::Connection &c = *ctx.connection(TableId::WindowLookup);
    store::Record seen(WL::table());
    if (store::KeyRead(WL::table(), WL::KeyTitle)
            .whereNoCase(WL::TITLE, title)
            .first(c, &seen)
            .ok())
        return;
    const QDateTime now = clock.now();
    store::Record added(WL::table());
    added.setText(WL::TITLE, title);
    added.setNumber(WL::DATE, store::dates::dayNumber(now.date()));
    added.setNumber(WL::TIME, store::dates::timeValue(now.time()));
    if (!store::addRecord(c, &added).ok())
        return;
    qint64 count = 0;
    if (!store::countRecords(c, WL::table(), &count).ok() || count <= m_maxWindows)
        return;
    store::Record oldest(WL::table());
    if (store::KeyRead(WL::table(), WL::KEYDATE).first(c, &oldest).ok())
        store::deleteRecord(c, WL::table(), oldest.position());
}

} // namespace script
