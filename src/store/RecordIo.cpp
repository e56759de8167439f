#include "store/RecordIo.h"

#include "store/Sql.h"
#include "store/Statement.h"

namespace store {

namespace {

void bindFields(Statement &q, const Record &record)
{
    for (int i = 0; i < int(record.def().fields.size()); ++i)
        q.bindValue(i, record.value(i));
}

} // namespace

void readRow(const QSqlQuery &q, Record *record)
{
    const int fields = int(record->def().fields.size());
    for (int i = 0; i < fields; ++i)
        record->setValue(i, q.value(i + 2));
    record->setStored(q.value(0).toLongLong(), q.value(1).toLongLong());
}

StoreError addRecord(Connection &c, Record *record)
{
    Statement q(c, sql::insertRecord(record->def()));
    bindFields(q, *record);
    if (StoreError e = q.exec(); !e.ok())
        return e;
    record->setStored(q.lastInsertId().toLongLong(), 1);
    return {};
}

StoreError putRecord(Connection &c, Record *record)
{
    const TableDef &def = record->def();
    Statement q(c, sql::updateRecord(def));
    bindFields(q, *record);
    const int fields = int(def.fields.size());
    q.bindValue(fields, record->position());
    q.bindValue(fields + 1, record->revision());
    if (StoreError e = q.exec(); !e.ok())
        return e;
    if (q.numRowsAffected() == 1) {
        record->setStored(record->position(), record->revision() + 1);
        return {};
    }
    Record stored(def);
    const StoreError e = fetchRecord(c, record->position(), &stored);
    return e.ok() ? StoreError(ErrorCode::RecordChanged) : e;
}

StoreError deleteRecord(Connection &c, const TableDef &def, qint64 position)
{
    Statement q(
        c, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sql::quoted(def.internalName)));
    q.bindValue(0, position);
    return q.exec();
}

StoreError countRecords(Connection &c, const TableDef &def, qint64 *count)
{
    Statement q(c, QStringLiteral("SELECT count(*) FROM %1").arg(sql::quoted(def.internalName)));
    const StoreError e = q.exec();
    *count = e.ok() && q.next() ? q.value(0).toLongLong() : 0;
    return e;
}

StoreError fetchRecord(Connection &c, qint64 position, Record *record)
{
    const TableDef &def = record->def();
    Statement q(c, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                       .arg(sql::selectList(def), sql::quoted(def.internalName)));
    q.bindValue(0, position);
    if (StoreError e = q.exec(); !e.ok())
        return e;
    if (!q.next())
        return StoreError(ErrorCode::RecordNotFound);
    readRow(q.query(), record);
    return {};
}

} // namespace store
