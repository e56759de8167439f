#pragma once

#include "store/TableDef.h"

#include <QString>

// SQL derived from the table declarations; no other part of the program writes SQL for tables.
namespace store::sql {

// Every row carries this change counter so a write can tell that someone else wrote in between.
inline constexpr const char *RevisionColumn = "Revision";

QString quoted(const char *name);
QString quoted(const QString &name);

QString createTable(const TableDef &def, const QString &tableName);
QString indexName(const TableDef &def, int key);
QString createIndex(const TableDef &def, int key);

// A key component as the key compares it: text components of a case-insensitive key fold case.
QString keyTerm(const TableDef &def, int key, int component);
// "NOT (all components blank)" for a blanks-out key, empty otherwise. Reads in the key's order
// carry the same condition so the planner uses the partial index and blank records stay absent.
QString blanksCondition(const TableDef &def, int key);

// rowid, the change counter, then every field in declaration order.
QString selectList(const TableDef &def);
QString insertRecord(const TableDef &def);
// Guarded write: changes the row only while its change counter is still the one read.
QString updateRecord(const TableDef &def);

} // namespace store::sql
