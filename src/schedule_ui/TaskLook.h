#pragma once

#include <QColor>
#include <QIcon>

namespace store {
class Record;
}

// How a task looks in a list of tasks: a picture for its state and the colour of its date.
namespace schedule_ui {

enum class TaskState { Done, SkipNext, Disabled, Scheduled };

// A history copy is done; else a task whose next occurrence is to be skipped, a disabled
// task, or one waiting to be performed.
TaskState taskState(const store::Record &task);
QIcon stateIcon(TaskState state);
// Says in words what the picture shows.
QString stateText(TaskState state);
// Gray for a disabled task (history copies included), else blue for one whose next occurrence
// will be skipped; invalid for the list's own colour.
QColor dateColour(const store::Record &task);

} // namespace schedule_ui
