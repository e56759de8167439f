#pragma once

namespace store {
class Clock;
class RecordContext;
} // namespace store

namespace scheduler {

// Applies the current task's exception rule to its next occurrence: an occurrence inside the
// excepted time window is moved out of it; one on an excepted day (weekend, weekday, holiday)
// is skipped, or handed to a one-time copy on the nearest allowed day before or after it,
// linked from the task. With replacePrevious, the copy made for the task before is deleted.
// True when it wrote the task itself; false when it changed nothing (or, for a one-time
// task, only cleared its rule in memory), and the caller writes the task if it needs to.
// The context needs Schedule and Holidays open; `clock` tells which holidays have passed.
bool ApplyExceptions(store::RecordContext &ctx, bool replacePrevious, const store::Clock &clock);

} // namespace scheduler
