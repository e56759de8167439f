#pragma once

#include "toolkit/ListDecl.h"

class QString;
class QWidget;

namespace store {
class Store;
}
namespace toolkit {
struct FormDecl;
}

// The task category windows.
namespace schedule_ui {

struct TaskServices;

// The categories, each with a button listing its tasks (which the task form edits).
toolkit::ListDecl BrowseCategories(const TaskServices &services);
const toolkit::ListDecl &SelectCategories();
const toolkit::FormDecl &UpdateCategories();

// The tasks of one category, in description order; the category's case does not matter.
// New tasks are given the category.
toolkit::ListDecl BrowseScheduleByCategory(const QString &category, const TaskServices &services);
// Opens that list beside the window asking for it (in the same frame when it has one).
void showTasksOfCategory(const QString &category, store::Store &store, const TaskServices &services,
                         QWidget *from);

} // namespace schedule_ui
