#pragma once

#include "store/StoreError.h"
#include "store/TableDef.h"

#include <QString>

// The file- and table-level work behind OpenTable: creating data files and tables, telling
// whether an existing file and table are sound, rebuilding keys, converting older layouts.
namespace store {
class Connection;
}

namespace store::schema {

// Creates a new data file of the store: empty, mode 0600, owned by the password when one is
// given. The file appears complete or not at all; when another process created it first,
// theirs is kept.
StoreError createFile(const QString &path, const QString &ownerPassword);

// Checks an existing file before the database engine opens it, so that a file that is not a
// database, or one the user made read-only, is refused without being touched.
StoreError checkFile(const QString &path);

// InvalidPassword unless the file records the owner password.
StoreError checkOwner(Connection &c, const QString &ownerPassword);

// FileNotFound when the table is missing, InvalidRecordDeclaration when its stored layout or
// version differs from the declaration, KeyMustBeRebuilt when a key's index is missing or
// differs, otherwise none.
StoreError inspectTable(Connection &c, const TableDef &def, int version);

StoreError createTable(Connection &c, const TableDef &def, int version);
StoreError rebuildKeys(Connection &c, const TableDef &def);

// Converts a table stored under another layout to the declared one, keeping its records: fields
// are copied by name, new fields start blank. Refused (InvalidRecordDeclaration) when the stored
// version is newer than `version`. A work table without a version is recreated empty.
StoreError convertTable(Connection &c, const TableDef &def, int version);

} // namespace store::schema
