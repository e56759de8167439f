#pragma once

#include <QtGlobal>

namespace store {
class MessagePresenter;
class Record;
} // namespace store

// When a task happens next. All work on a Schedule record in memory and leave writing it to
// the caller.
namespace scheduler {

// -1, 0 or 1 as the first moment is earlier than, equal to or later than the second. A time
// past the end of its day is first moved into the next day, once.
int CompareDateTime(qint64 date1, qint64 time1, qint64 date2, qint64 time2);

// Moves the task's date (and, for repetitions in minutes or hours, its time) to its next
// occurrence after the reference moment, by its schedule type; a one-time task is marked
// completed instead. A repetition count below 1 is raised to 1. A custom repetition whose unit
// is unknown is reported and recurs daily. Whole periods are skipped by arithmetic, so a task
// far behind costs no more than one just due.
void NextOccurrence(store::Record &task, qint64 referenceDate, qint64 referenceTime,
                    store::MessagePresenter &messages);

// The same result reached one period at a time, as the rules are stated: the reference the
// fast path is checked against.
void NextOccurrenceStepwise(store::Record &task, qint64 referenceDate, qint64 referenceTime,
                            store::MessagePresenter &messages);

// Whether the schedule would ever put the task on this date (0: the task's own date).
bool DateFitsSchedule(const store::Record &task, qint64 date);

} // namespace scheduler
