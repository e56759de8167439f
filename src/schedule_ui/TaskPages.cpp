#include "schedule_ui/TaskPages.h"

#include "store/tables/Schedule.h"

namespace schedule_ui {

using namespace toolkit;
namespace SCH = store::SCH;

namespace {

FieldDecl check(const char *prompt, int field, const char *tip = nullptr)
{
    return {prompt, field, Edit::Check, nullptr, false, tip};
}

} // namespace

const std::vector<FormPage> &taskPages()
{
    using namespace taskbutton;
    static const std::vector<FormPage> pages{
        {"&Task",
         {{nullptr,
           {{{FieldDecl{"Task Type",
                        SCH::TaskType,
                        Edit::Option,
                        nullptr,
                        false,
                        "Type of Task to Perform",
                        {std::begin(TaskTypes), std::end(TaskTypes)}}}},
            {{FieldDecl{"&Category:", SCH::Category, Edit::DropList}}},
            {{FieldDecl{"&Description:", SCH::Description, Edit::Text, nullptr, false,
                        "Description or Title of Task"}}}}}}},
        {"&Command",
         {{nullptr,
           {{{FieldDecl{"Comma&nd:", SCH::Command, Edit::Text, nullptr, false, "Program to start"},
              ButtonItem{BrowseProgram, "&Browse", "Select a program to start"}}},
            {{NoteItem{
                "Enter any valid program name, along with the parameters it needs here..."}}},
            {{FieldDecl{"Start &in:", SCH::Path, Edit::Text, nullptr, false,
                        "Directory (Folder) to start the command in"}}},
            {{NoteItem{"If the program must be started from a specific directory or folder, "
                       "enter it here..."}}}}}}},
        {"&Message",
         {{nullptr,
           {{{NoteItem{"Enter your customized message here..."}}},
            {{FieldDecl{nullptr, SCH::Message, Edit::Memo, nullptr, false,
                        "Message to display"}}}}}}},
        {"&When",
         {{nullptr,
           {{{FieldDecl{"Schedule &Type",
                        SCH::ScheduleType,
                        Edit::Option,
                        nullptr,
                        false,
                        "Type of scheduling",
                        {std::begin(ScheduleTypes), std::end(ScheduleTypes)}}}}}},
          {"&Every...",
           {{{check("1st", SCH::Every1st), check("2nd", SCH::Every2nd), check("3rd", SCH::Every3rd),
              check("4th", SCH::Every4th), check("Last", SCH::EveryLast),
              check("Month End", SCH::LastDayofMonth)}}}},
          {nullptr,
           {{{check("Sunday", SCH::Sunday), check("Monday", SCH::Monday),
              check("Tuesday", SCH::Tuesday), check("Wednesday", SCH::Wednesday),
              check("Thursday", SCH::Thursday), check("Friday", SCH::Friday),
              check("Saturday", SCH::Saturday)}},
            {{FieldDecl{"Every:", SCH::Every, Edit::Number, nullptr, false, "Repeat Task Every..."},
              FieldDecl{"Every Type",
                        SCH::EveryType,
                        Edit::Option,
                        nullptr,
                        false,
                        nullptr,
                        {"minute(s)", "hour(s)", "day(s)", "week(s)", "month(s)", "year(s)"}},
              ButtonItem{Except, "E&xcept", "Keep the task off weekends, holidays or hours"}}},
            {{FieldDecl{"&Next Date to Perform Task:", SCH::Date, Edit::Date},
              ButtonItem{PickDate, "...", "Pick the date from a calendar"},
              FieldDecl{"&Time:", SCH::Time, Edit::Time, nullptr, false,
                        "Next Time to Perform Task"}}},
            {{FieldDecl{"Date Last Performed:", SCH::LastRunDate, Edit::DateDisplay},
              FieldDecl{"Time:", SCH::LastRunTime, Edit::TimeDisplay}}},
            {{check("&Skip Next Time", SCH::SkipNextTime, "Skip next occurance of this task")}},
            {{FieldDecl{"&Advance Warning Date:", SCH::AdvanceWarnDate, Edit::Date},
              ButtonItem{PickWarningDate, "...", "Pick the date from a calendar"},
              FieldDecl{"Time:", SCH::AdvanceWarnTime, Edit::Time}}}}}}},
        {"&Advanced",
         {{"Alarm",
           {{{check("Alarm", SCH::Alarm, "Play a WAV file as an alarm")}},
            {{FieldDecl{"WAV File to Play:", SCH::AlarmFile},
              ButtonItem{BrowseSound, "&Browse", "Select a WAV file to play as an alarm."},
              ButtonItem{Play, "&Play", "Let's hear it!"}}}}},
          {nullptr,
           {{{check("&Warn if not run on specified date", SCH::Warn)}},
            {{check("&Skip if not run at specified time (+/- 10 minutes)", SCH::SkipIfMissed)}},
            {{check("&Before performing task, give option to skip", SCH::UserSkip)}},
            {{check("&Disable", SCH::Disabled, "Do not perform this task")}},
            {{check("No &History", SCH::NoHistory,
                    "Do not show history (remove when completed)")}}}}}},
    };
    return pages;
}

} // namespace schedule_ui
