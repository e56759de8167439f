#pragma once

#include "store/KeyRead.h"
#include "store/TableDef.h"

#include <functional>

namespace store {

class Record;
class RecordContext;

// Deletes, with their cascades, the records the read finds that `wanted` accepts, a page at a
// time. A record that cannot be deleted is reported as "<error><failureSuffix>" under the
// caption and the scan goes on; a read that fails ends the scan with the same message.
void DeleteMatching(RecordContext &ctx, TableId id, const KeyRead &read,
                    const std::function<bool(const Record &)> &wanted, const QString &caption,
                    const QString &failureSuffix);

// Bulk removals offered by the options window. Each record goes with its cascades in a
// transaction of its own; a record that cannot be removed is reported and the scan goes on.
// The context must have Schedule (or Todo) open.
void RemoveDisabledTasks(RecordContext &ctx);  // history copies included
void RemoveCompletedTasks(RecordContext &ctx); // the history
void ClearTodoList(RecordContext &ctx);

} // namespace store
