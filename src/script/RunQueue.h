#pragma once

#include "script/Actions.h"
#include "script/Moment.h"
#include "store/Record.h"

#include <vector>

namespace script {

// One entry of the run queue: a copy of a script line with the moment it is planned to run,
// and the moment a timed wait of it gives up (unset for none).
struct QueueEntry {
    store::Record line;
    Moment run;
    Moment deadline;
    // The process of the program the script's task started, when known: what "Close Program"
    // closes when the window in front is the scheduler's own.
    qint64 taskProgram = 0;

    Action action() const;
    QString text(store::SCR::Field field) const { return line.text(field); }
    qint64 number(store::SCR::Field field) const { return line.number(field); }
};

// Whether a "Wait" line waits for its window or its seconds, whichever comes first ("Or"),
// rather than its seconds and then its window ("And", also when blank).
bool isOrWait(const store::Record &line);

// Plans a task's lines, read in order, as run-queue entries followed by the end marker. The
// script starts twice the delay (hundredths) after now, and not before the last entry still
// queued; ordinary lines are spaced by the delay, an "And" wait delays its line and the rest
// by its seconds, If lines and "...End If" take no time.
std::vector<QueueEntry> planScript(const std::vector<store::Record> &lines, Moment now,
                                   const QueueEntry *last, int delay);

} // namespace script
