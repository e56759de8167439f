#include "store/AutoNumber.h"

#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/Log.h"
#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/tables/Schedule.h"

namespace store {

namespace {

constexpr int AttemptsBeforeAsking = 3;

// The highest number in use within the record's group, 0 when there is none.
StoreError highestNumber(Connection &c, const Record &primed, qint64 *highest)
{
    const TableDef &def = primed.def();
    const KeyDef &key = def.keys.at(def.autoNumberKey);
    const int numberField = key.components.back();
    KeyRead read(def, def.autoNumberKey);
    read.backward();
    for (std::size_t i = 0; i + 1 < key.components.size(); ++i)
        read.where(key.components[i], primed.value(key.components[i]));
    Record last(def);
    const StoreError e = read.first(c, &last);
    *highest = e.ok() ? last.number(numberField) : 0;
    return e.is(ErrorCode::RecordNotAvailable) ? StoreError() : e;
}

} // namespace

bool ReserveNumber(RecordContext &ctx, TableId id)
{
    Record &current = ctx.record(id);
    const Record primed = current;
    const TableDef &def = primed.def();
    const int numberField = def.keys.at(def.autoNumberKey).components.back();
    Connection &c = *ctx.connection(id);

    int attempts = 0;
    for (;;) {
        qint64 highest = 0;
        if (StoreError e = highestNumber(c, primed, &highest); !e.ok()) {
            ctx.messages().show(35, argsFor(id, e));
            return false;
        }
        Record candidate = primed;
        candidate.setNumber(numberField, highest + 1);
        const StoreError e = addRecord(c, &candidate);
        if (e.ok()) {
            current = candidate;
            return true;
        }
        qCDebug(lcStore) << "numbering" << def.label << "failed:" << e.text();
        if (++attempts < AttemptsBeforeAsking)
            continue;
        MessageArgs args;
        args.error = e;
        if (ctx.messages().show(25, args) != Button::Retry)
            return false;
        attempts = 0;
    }
}

StoreError AddTaskCopy(RecordContext &ctx, const Record &image)
{
    Connection &c = *ctx.connection(TableId::Schedule);
    Record &task = ctx.record(TableId::Schedule);
    qint64 highest = 0;
    Record probe(SCH::table());
    if (StoreError e = highestNumber(c, probe, &highest); !e.ok())
        return e;
    task = image;
    task.setStored(0, 0);
    qint64 number = highest + 1;
    Record taken(SCH::table());
    while (KeyRead(SCH::table(), SCH::KEYID).where(SCH::ID, number).first(c, &taken).ok())
        ++number;
    task.setNumber(SCH::ID, number);
    const StoreError e = addRecord(c, &task);
    if (!e.ok())
        qCWarning(lcStore) << "cannot add the copy of task" << image.number(SCH::ID) << e.text();
    return e;
}

} // namespace store
