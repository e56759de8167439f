#pragma once

#include "store/Record.h"
#include "store/StoreError.h"

class QSqlQuery;

// Record-level reads and writes on one connection.
namespace store {

class Connection;

// Fills the record from a row selected with sql::selectList().
void readRow(const QSqlQuery &q, Record *record);

// Adds the record; on success it knows its position. DuplicateKey when a unique key refuses it.
StoreError addRecord(Connection &c, Record *record);
// Writes the record back to its position unless someone else changed it since it was read
// (RecordChanged) or deleted it (RecordNotFound). On success the record knows its new revision.
StoreError putRecord(Connection &c, Record *record);
StoreError deleteRecord(Connection &c, const TableDef &def, qint64 position);
// How many records the table holds.
StoreError countRecords(Connection &c, const TableDef &def, qint64 *count);
// Reads the record stored at a position; RecordNotFound when there is none.
StoreError fetchRecord(Connection &c, qint64 position, Record *record);

} // namespace store
