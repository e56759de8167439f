#include "scheduler/FrameCommands.h"

namespace scheduler {

const std::vector<MenuItem> &frameMenu()
{
    static const std::vector<MenuItem> items{
        {"&File", nullptr, "&Setup", "Set preferences", Command::Setup},
        {"&File", nullptr, "View &Log", "Browse the Usage Log", Command::ViewLog},
        {"&File", nullptr, "E&xit", "Exit this application", Command::Exit},
        {"&Browse", nullptr, "&View Schedule", "Browse Schedule", Command::ViewSchedule},
        {"&Browse", "&Wizards", "Add &Message", "Add a message to be displayed",
         Command::AddMessageWizard},
        {"&Browse", "&Wizards", "Add &Program", "Add a program to the schedule",
         Command::AddProgramWizard},
        {"&Browse", "&Wizards", "Generic &Add ", "Add a message, program, both or neither",
         Command::AddTaskWizard},
        {"&Browse", nullptr, "&To Do List", "To Do List", Command::ToDoList},
        {"&Browse", nullptr, "&Contacts", "Browse Contacts", Command::Contacts},
        {"&Browse", nullptr, "Clip&board Saver", "Browse Clipboard Saver", Command::ClipboardSaver},
        {"&Browse", nullptr, "Schedule Cate&gories", "Browse Categories",
         Command::ScheduleCategories},
        {"&Browse", nullptr, "Contact Categories", "Browse Contact Categories",
         Command::ContactCategories},
        {"&Window", nullptr, "T&ile", "Make all open windows visible", Command::Tile},
        {"&Window", nullptr, "&Cascade", "Stack all open windows", Command::Cascade},
        {"&Window", nullptr, "&Arrange Icons", "Align all window icons", Command::ArrangeIcons},
        {"&Help", nullptr, "&About", "About this program", Command::About},
    };
    return items;
}

const std::vector<ToolbarButton> &frameToolbar()
{
    static const std::vector<ToolbarButton> buttons{
        {"Program Wizard", "Add a task to run a program", Command::AddProgramWizard},
        {"Message Wizard", "Add a task to display a message", Command::AddMessageWizard},
        {"View Schedule", "View the schedule of tasks with options to add or modify",
         Command::ViewSchedule},
        {"To Do List", "View the To Do List with options to add or modify", Command::ToDoList},
    };
    return buttons;
}

} // namespace scheduler
