#pragma once

#include <QString>

namespace script {

struct QueueEntry;

// The run-status line for the entry at the head of the queue; "Script completed" for none.
QString scriptStatus(const QueueEntry *head);

} // namespace script
