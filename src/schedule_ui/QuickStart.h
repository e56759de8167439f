#pragma once

#include <QtGlobal>

#include <vector>

class QWidget;

namespace store {
class Clock;
class Record;
class RecordContext;
} // namespace store

namespace schedule_ui {

// A start offered by the Quick Start menu: its text and how long after now, in hundredths of
// a second. No text: a separator.
struct QuickStartChoice {
    const char *text;
    qint64 delay;
};

// "Start Now", the delays from five minutes to three hours, and "Cancel" (delay 0: nothing).
const std::vector<QuickStartChoice> &quickStartChoices();

// The one-time task that performs `task` once, `delay` hundredths of a second and one more
// second from now: a "Once" task with no advance warning that starts enabled, not done and not
// skipped, otherwise as `task`.
store::Record quickStartCopy(const store::Record &task, qint64 delay, const store::Clock &clock);

// Adds that copy under a new number with the task's script lines; a failure is shown. The
// context needs Schedule and Scripting open.
bool QuickStart(store::RecordContext &ctx, const store::Record &task, qint64 delay,
                const store::Clock &clock, QWidget *parent = nullptr);

} // namespace schedule_ui
