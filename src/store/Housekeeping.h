#pragma once

namespace store {

class RecordContext;

// Bulk removals offered by the options window. Each record goes with its cascades in a
// transaction of its own; a record that cannot be removed is reported and the scan goes on.
// The context must have Schedule (or Todo) open.
void RemoveDisabledTasks(RecordContext &ctx);  // history copies included
void RemoveCompletedTasks(RecordContext &ctx); // the history
void ClearTodoList(RecordContext &ctx);

} // namespace store
