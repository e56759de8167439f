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

const QString HistoryCaption = QStringLiteral("Cannot Remove History");
const QString HistoryFailure = QStringLiteral(" error while removing history");

} // namespace

void DeleteMatching(RecordContext &ctx, TableId id, const KeyRead &read,
                    const std::function<bool(const Record &)> &wanted, const QString &caption,
                    const QString &failureSuffix)
{
    std::vector<Record> page;
    std::optional<Record> last;
    for (;;) {
        KeyRead next = read;
        if (last)
            next.after(*last);
        if (const StoreError e = next.limit(PageRows).read(*ctx.connection(id), &page); !e.ok()) {
            ctx.messages().notify(caption, e.text() + failureSuffix);
            return;
        }
        if (page.empty())
            return;
        for (const Record &row : page) {
            if (wanted && !wanted(row))
                continue;
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

void RemoveDisabledTasks(RecordContext &ctx)
{
    Record firstDisabled(SCH::table());
    firstDisabled.setNumber(SCH::Disabled, 1);
    DeleteMatching(ctx, TableId::Schedule,
                   KeyRead(SCH::table(), SCH::KEYDATEENABLED).from(firstDisabled), nullptr,
                   HistoryCaption, HistoryFailure);
}

void RemoveCompletedTasks(RecordContext &ctx)
{
    DeleteMatching(ctx, TableId::Schedule,
                   KeyRead(SCH::table(), SCH::KEYID).where(SCH::COMPLETED, 1), nullptr,
                   HistoryCaption, HistoryFailure);
}

void ClearTodoList(RecordContext &ctx)
{
    DeleteMatching(ctx, TableId::Todo, KeyRead(TDO::table(), TDO::KEYDONE), nullptr,
                   QStringLiteral("Cannot Remove To Do List"),
                   QStringLiteral(" error while removing To Do entry"));
}

} // namespace store
