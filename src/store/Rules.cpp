#include "store/Rules.h"

#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/Relations.h"
#include "store/Tables.h"

#include <memory>

namespace store {

namespace {

class ChildTables {
public:
    ChildTables(RecordContext &ctx, const std::vector<Relation> &relations)
    {
        for (const Relation &r : relations) {
            m_uses.push_back(std::make_unique<TableUse>(ctx, r.child));
            m_open = m_open && m_uses.back()->isOpen();
        }
    }
    bool isOpen() const { return m_open; }

private:
    std::vector<std::unique_ptr<TableUse>> m_uses;
    bool m_open = true;
};

// The children that carry exactly the parent's value (case and blanks as stored). The child key
// folds case, so every row of the case-insensitive range is looked at, not just the first.
StoreError readChildren(Connection &c, const Relation &r, const QVariant &parentValue,
                        std::vector<Record> *children)
{
    const TableDef &def = tableDef(r.child);
    KeyRead read(def, r.childKey);
    if (def.fields.at(r.childField).isText())
        read.whereNoCase(r.childField, parentValue);
    read.where(r.childField, parentValue);
    return read.read(c, children);
}

// Rolls back before the message: no lock is held while the user reads it.
template <typename Result>
Result abandon(RecordContext &ctx, Connection &c, int message, const MessageArgs &args,
               Result result)
{
    c.rollback();
    ctx.messages().show(message, args);
    return result;
}

} // namespace

SaveResult SaveWithRules(RecordContext &ctx, TableId id, bool fromForm)
{
    const std::vector<Relation> children = childRelations(id);
    ChildTables childTables(ctx, children);
    if (!childTables.isOpen())
        return SaveResult::Failed;
    Connection &c = *ctx.connection(id);
    Record &rec = ctx.record(id);

    MessageArgs update = argsFor(id);
    update.op = QStringLiteral("Update");
    if (StoreError e = c.begin(); !e.ok()) {
        update.error = e;
        ctx.messages().show(34, update);
        return SaveResult::Failed;
    }
    const qint64 position = rec.position();
    const qint64 revision = rec.revision();
    auto restoreRevision = [&] { rec.setStored(position, revision); };

    if (StoreError e = putRecord(c, &rec); !e.ok()) {
        if (!e.is(ErrorCode::RecordChanged))
            return abandon(ctx, c, 15, argsFor(id, e), SaveResult::Failed);
        c.rollback();
        if (fromForm)
            ctx.setUserValues(id, rec);
        ctx.messages().show(fromForm ? 38 : 15, argsFor(id, e));
        if (StoreError reread = fetchRecord(c, position, &rec); !reread.ok())
            ctx.messages().show(35, argsFor(id, reread));
        ctx.takeSnapshot(id);
        return SaveResult::ChangedElsewhere;
    }

    // Only a snapshot of this very record tells what its key value was.
    const std::optional<Record> &snapshot = ctx.snapshot(id);
    const bool snapshotOfRecord = snapshot && snapshot->position() == position;
    for (const Relation &r : children) {
        if (!snapshotOfRecord)
            break;
        const QVariant oldValue = snapshot->value(r.parentField);
        const QVariant newValue = rec.value(r.parentField);
        if (oldValue == newValue)
            continue;
        std::vector<Record> rows;
        if (StoreError e = readChildren(c, r, oldValue, &rows); !e.ok()) {
            restoreRevision();
            return abandon(ctx, c, 35, argsFor(r.child, e), SaveResult::Failed);
        }
        if (r.onChange == Rule::Restrict && !rows.empty()) {
            restoreRevision();
            rec.setValue(r.parentField, oldValue);
            return abandon(ctx, c, 12, argsFor(r.child), SaveResult::Failed);
        }
        for (Record &child : rows) {
            child.setValue(r.childField, newValue);
            if (StoreError e = putRecord(c, &child); !e.ok()) {
                restoreRevision();
                return abandon(ctx, c, 15, argsFor(r.child, e), SaveResult::Failed);
            }
        }
    }
    if (StoreError e = c.commit(); !e.ok()) {
        restoreRevision();
        ctx.messages().show(15, argsFor(id, e));
        return SaveResult::Failed;
    }
    ctx.takeSnapshot(id);
    return SaveResult::Done;
}

std::optional<RuleFailure> DeleteCascading(RecordContext &ctx, TableId id)
{
    const std::vector<Relation> children = childRelations(id);
    ChildTables childTables(ctx, children);
    if (!childTables.isOpen())
        return RuleFailure{};
    Connection &c = *ctx.connection(id);
    Record &rec = ctx.record(id);

    if (StoreError e = c.begin(); !e.ok()) {
        MessageArgs args = argsFor(id, e);
        args.op = QStringLiteral("Delete");
        return RuleFailure{34, args};
    }
    auto fail = [&c](int message, const MessageArgs &args) {
        c.rollback();
        return RuleFailure{message, args};
    };
    if (StoreError e = fetchRecord(c, rec.position(), &rec); !e.ok())
        return fail(35, argsFor(id, e));

    for (const Relation &r : children) {
        std::vector<Record> rows;
        if (StoreError e = readChildren(c, r, rec.value(r.parentField), &rows); !e.ok())
            return fail(35, argsFor(r.child, e));
        if (r.onDelete == Rule::Restrict && !rows.empty())
            return fail(13, argsFor(r.child));
        for (const Record &child : rows) {
            if (StoreError e = deleteRecord(c, child.def(), child.position()); !e.ok())
                return fail(17, argsFor(r.child, e));
        }
    }
    if (StoreError e = deleteRecord(c, rec.def(), rec.position()); !e.ok())
        return fail(17, argsFor(id, e));
    if (StoreError e = c.commit(); !e.ok())
        return RuleFailure{17, argsFor(id, e)};
    return std::nullopt;
}

bool DeleteWithRules(RecordContext &ctx, TableId id)
{
    const std::optional<RuleFailure> failure = DeleteCascading(ctx, id);
    if (failure && failure->message != 0)
        ctx.messages().show(failure->message, failure->args);
    return !failure;
}

} // namespace store
