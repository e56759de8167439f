#include "Rows.h"

#include "store/KeyRead.h"
#include "store/RecordIo.h"
#include "store/Tables.h"

using namespace store;

Record makeRecord(TableId id, const FieldValues &values)
{
    Record r(tableDef(id));
    for (const auto &[field, value] : values)
        r.setValue(field, value);
    return r;
}

StoreError addRow(RecordContext &ctx, TableId id, const FieldValues &values)
{
    Record r = makeRecord(id, values);
    return addRecord(*ctx.connection(id), &r);
}

bool loadRow(RecordContext &ctx, TableId id, int key, int field, const QVariant &value)
{
    return KeyRead(tableDef(id), key)
        .where(field, value)
        .first(*ctx.connection(id), &ctx.record(id))
        .ok();
}

QVariantList columnInKeyOrder(RecordContext &ctx, TableId id, int key, int field)
{
    std::vector<Record> rows;
    const StoreError e = KeyRead(tableDef(id), key).read(*ctx.connection(id), &rows);
    QVariantList values;
    if (!e.ok())
        values << QVariant(e.text());
    for (const Record &r : rows)
        values << r.value(field);
    return values;
}
