#pragma once

#include "toolkit/FormPages.h"

#include <vector>

// The pages on which a task is edited, shared by the task form and the task wizards.
namespace schedule_ui {

enum TaskPage { TaskPageTask, TaskPageCommand, TaskPageMessage, TaskPageWhen, TaskPageAdvanced };

// The buttons among the fields.
namespace taskbutton {
inline constexpr const char *BrowseProgram = "browseProgram";
inline constexpr const char *Except = "except";
inline constexpr const char *PickDate = "pickDate";
inline constexpr const char *PickWarningDate = "pickWarningDate";
inline constexpr const char *BrowseSound = "browseSound";
inline constexpr const char *Play = "play";
} // namespace taskbutton

const std::vector<toolkit::FormPage> &taskPages();

// The task and schedule types as stored.
inline constexpr const char *TaskTypes[] = {"Run Program", "Display Message", "Both", "None"};
inline constexpr const char *ScheduleTypes[] = {"Once",    "Day of Week", "Day of Month",
                                                "Monthly", "Yearly",      "Custom"};

} // namespace schedule_ui
