#pragma once

#include <QtGlobal>

namespace schedule_ui {

// The day the schedule browser was last set to show, so that a task added from any window
// starts on it; 0 until a browser has opened.
qint64 browsedDay();
void publishBrowsedDay(qint64 day);

} // namespace schedule_ui
