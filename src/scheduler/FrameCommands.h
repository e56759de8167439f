#pragma once

#include <vector>

namespace scheduler {

// What the frame's menus, toolbar and tray menu can ask for. The frame carries out its own
// (exit, setup, window arrangement); the windows of other parts are opened by handlers the
// program registers, and an item without a handler is left out of the menus.
enum class Command {
    Setup,
    ViewLog,
    Exit,
    ViewSchedule,
    AddMessageWizard,
    AddProgramWizard,
    AddTaskWizard,
    ToDoList,
    Contacts,
    ClipboardSaver,
    ScheduleCategories,
    ContactCategories,
    Tile,
    Cascade,
    ArrangeIcons,
    About,
    WindowTitles, // only from the About window's hidden area
};

struct MenuItem {
    const char *menu;    // the menu bar entry, e.g. "&Browse"
    const char *submenu; // nullptr for an item of the menu itself
    const char *text;
    const char *tip;
    Command command;
};

// The frame's menus in order.
const std::vector<MenuItem> &frameMenu();

struct ToolbarButton {
    const char *text;
    const char *tip;
    Command command;
};

const std::vector<ToolbarButton> &frameToolbar();

} // namespace scheduler
