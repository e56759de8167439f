#pragma once

#include "store/Record.h"
#include "store/RecordContext.h"
#include "store/StoreError.h"

#include <QVariant>

#include <utility>
#include <vector>

using FieldValues = std::vector<std::pair<int, QVariant>>;

// A record of the table with the given fields set and the rest blank.
store::Record makeRecord(store::TableId id, const FieldValues &values);
// Adds such a record through the context's connection; the table must be open in it.
store::StoreError addRow(store::RecordContext &ctx, store::TableId id, const FieldValues &values);
// Reads the table's first record whose field holds the value into the context's current record.
bool loadRow(store::RecordContext &ctx, store::TableId id, int key, int field,
             const QVariant &value);
// The values of one field of every row of the table in the key's order.
QVariantList columnInKeyOrder(store::RecordContext &ctx, store::TableId id, int key, int field);
