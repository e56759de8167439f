#pragma once

#include "store/StoreError.h"
#include "store/TableDef.h"

namespace store {

class Record;
class RecordContext;

// Numbers a form's new record: takes the next number of the table's numbering key (within the
// record's group for script lines), and adds the record at once so the number is reserved while
// the form is open. The context's current record holds the caller's primed values and, on
// success, the reserved record. False: the user gave up (or the key could not be read, message
// shown) and nothing was added.
bool ReserveNumber(RecordContext &ctx, TableId id);

// Adds a copy of a task under a new number, one above the highest (skipping numbers taken in the
// meantime). The copy becomes the context's current task, its number in SCH:ID. The error of a
// failed add, which callers may carry on without.
StoreError AddTaskCopy(RecordContext &ctx, const Record &image);

} // namespace store
