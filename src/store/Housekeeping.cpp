#include "store/Housekeeping.h"

#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/Rules.h"
#include "store/tables/Schedule.h"
#include "store/tables/Todo.h"

namespace store {

namespace {

constexpr int PageRows = 200;

// Deletes every record the read finds, a page at a time, reporting each failure as
// "<error><failureSuffix>" under the caption.
void deleteEach(RecordContext &ctx, TableId id, const KeyRead &read, const QString &caption,
                const QString &failureSuffix)
{
    std::vector<Record> page;
    std::optional<Record> last;
    for (;;) {
        KeyRead next = read;
        if (last)
            next.after(*last);
        if (!next.limit(PageRows).read(*ctx.connection(id), &page).ok() || page.empty())
            return;
        for (const Record &row : page) {
            ctx.record(id) = row;
            const std::optional<RuleFailure> failure = DeleteCascading(ctx, id);
            if (failure && failure->message == 0)
                return;
            if (failure)
                ctx.messages().notify(caption, failure->args.error.text() + failureSuffix);
        }
        last = page.back();
    }
}

const QString HistoryCaption = QStringLiteral("Cannot Remove History");
const QString HistoryFailure = QStringLiteral(" error while removing history");

} // namespace

void RemoveDisabledTasks(RecordContext &ctx)
{
    Record firstDisabled(SCH::table());
    firstDisabled.setNumber(SCH::Disabled, 1);
    deleteEach(ctx, TableId::Schedule,
               KeyRead(SCH::table(), SCH::KEYDATEENABLED).from(firstDisabled), HistoryCaption,
               HistoryFailure);
}

void RemoveCompletedTasks(RecordContext &ctx)
{
    deleteEach(ctx, TableId::Schedule, KeyRead(SCH::table(), SCH::KEYID).where(SCH::COMPLETED, 1),
               HistoryCaption, HistoryFailure);
}

void ClearTodoList(RecordContext &ctx)
{
    deleteEach(ctx, TableId::Todo, KeyRead(TDO::table(), TDO::KEYDONE),
               QStringLiteral("Cannot Remove To Do List"),
               QStringLiteral(" error while removing To Do entry"));
}

} // namespace store
