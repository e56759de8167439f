#include "store/FormController.h"

#include "store/AutoNumber.h"
#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/RecordIo.h"
#include "store/Rules.h"
#include "store/Tables.h"

namespace store {

FormController::FormController(RecordContext &ctx, TableId id)
    : m_ctx(ctx), m_id(id), m_request(ctx.request), m_asOpened(ctx.record(id))
{}

bool FormController::close(Response response)
{
    m_ctx.response = response;
    return true;
}

bool FormController::open()
{
    m_ctx.response = Response::None;
    switch (m_request) {
    case Request::Insert:
        if (tableDef(m_id).autoNumberKey >= 0) {
            if (!ReserveNumber(m_ctx, m_id))
                return !close(Response::Cancelled);
            m_reserved = true;
        }
        m_asOpened = m_ctx.record(m_id);
        return true;
    case Request::Change:
        m_asOpened = m_ctx.record(m_id);
        m_ctx.takeSnapshot(m_id);
        m_ctx.setUserValues(m_id, std::nullopt);
        return true;
    case Request::Delete:
        if (m_ctx.messages().show(32) != Button::Ok)
            return !close(Response::Cancelled);
        while (!DeleteWithRules(m_ctx, m_id)) {
            if (m_ctx.messages().show(18) != Button::Yes)
                return !close(Response::Cancelled);
        }
        return !close(Response::Completed);
    case Request::None:
    case Request::Select:
        break;
    }
    return !close(Response::Cancelled);
}

bool FormController::accept()
{
    return m_request == Request::Insert ? acceptInsert() : acceptChange();
}

bool FormController::acceptInsert()
{
    Connection &c = *m_ctx.connection(m_id);
    Record &rec = m_ctx.record(m_id);
    const StoreError e = m_reserved ? putRecord(c, &rec) : addRecord(c, &rec);
    if (e.ok())
        return close(Response::Completed);
    MessageArgs args;
    args.error = e;
    if (e.is(ErrorCode::DuplicateKey)) {
        args.key = duplicatedKeyName(m_ctx, m_id);
        m_ctx.messages().show(24, args);
    } else {
        m_ctx.messages().show(14, args);
    }
    return false;
}

bool FormController::acceptChange()
{
    if (m_ctx.record(m_id).sameValues(m_asOpened))
        return close(Response::Completed);
    for (;;) {
        switch (SaveWithRules(m_ctx, m_id, tableDef(m_id).formRecall)) {
        case SaveResult::Done:
            return close(Response::Completed);
        case SaveResult::ChangedElsewhere:
            m_asOpened = m_ctx.record(m_id);
            return false;
        case SaveResult::Failed:
            break;
        }
        switch (m_ctx.messages().show(16)) {
        case Button::Yes:
            continue;
        case Button::No:
            return close(Response::Cancelled);
        default:
            return false;
        }
    }
}

void FormController::cancel()
{
    // Removing the reserved task also removes script lines and links added under its number,
    // which would otherwise pass to the next task given the same number.
    if (m_reserved)
        DeleteWithRules(m_ctx, m_id);
    close(Response::Cancelled);
}

QString duplicatedKeyName(RecordContext &ctx, TableId id)
{
    const TableDef &def = tableDef(id);
    const Record &rec = ctx.record(id);
    Connection &c = *ctx.connection(id);
    int firstUnique = -1;
    for (int key = 0; key < int(def.keys.size()); ++key) {
        const KeyDef &k = def.keys[key];
        if (!k.has(Unique))
            continue;
        if (firstUnique < 0)
            firstUnique = key;
        bool allBlank = true;
        KeyRead read(def, key);
        for (int field : k.components) {
            allBlank = allBlank && rec.isBlank(field);
            if (k.has(NoCase) && def.fields[field].isText())
                read.whereNoCase(field, rec.value(field));
            else
                read.where(field, rec.value(field));
        }
        if (allBlank && k.has(BlanksOut))
            continue;
        std::vector<Record> rows;
        if (!read.limit(2).read(c, &rows).ok())
            continue;
        for (const Record &row : rows) {
            if (row.position() != rec.position())
                return def.keyDisplayName(key);
        }
    }
    return firstUnique >= 0 ? def.keyDisplayName(firstUnique) : QString();
}

} // namespace store
