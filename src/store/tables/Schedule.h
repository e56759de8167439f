#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Tasks: one record per scheduled task, including the history copies of performed ones.
#define SCH_FIELDS(F)                                                                              \
    F(User, String, 40)                                                                            \
    F(ID, Long, 0)                                                                                 \
    F(TaskType, String, 20)                                                                        \
    F(Category, String, 20)                                                                        \
    F(Description, String, 40)                                                                     \
    F(Command, String, 255)                                                                        \
    F(Path, String, 255)                                                                           \
    F(ScheduleType, String, 20)                                                                    \
    F(Sunday, Byte, 0)                                                                             \
    F(Monday, Byte, 0)                                                                             \
    F(Tuesday, Byte, 0)                                                                            \
    F(Wednesday, Byte, 0)                                                                          \
    F(Thursday, Byte, 0)                                                                           \
    F(Friday, Byte, 0)                                                                             \
    F(Saturday, Byte, 0)                                                                           \
    F(Every, Long, 0)                                                                              \
    F(Every1st, Byte, 0)                                                                           \
    F(Every2nd, Byte, 0)                                                                           \
    F(Every3rd, Byte, 0)                                                                           \
    F(Every4th, Byte, 0)                                                                           \
    F(EveryLast, Byte, 0)                                                                          \
    F(LastDayofMonth, Byte, 0)                                                                     \
    F(EveryType, String, 20)                                                                       \
    F(Date, Date, 0)                                                                               \
    F(Time, Time, 0)                                                                               \
    F(LastRunDate, Date, 0)                                                                        \
    F(LastRunTime, Time, 0)                                                                        \
    F(SkipNextTime, Byte, 0)                                                                       \
    F(Alarm, Byte, 0)                                                                              \
    F(AlarmFile, CString, 255)                                                                     \
    F(AdvanceWarnDate, Date, 0)                                                                    \
    F(AdvanceWarnTime, Time, 0)                                                                    \
    F(AdvanceWarned, Byte, 0)                                                                      \
    F(Warn, Byte, 0)                                                                               \
    F(SkipIfMissed, Byte, 0)                                                                       \
    F(NoHistory, Byte, 0)                                                                          \
    F(UserSkip, Byte, 0)                                                                           \
    F(Disabled, Byte, 0)                                                                           \
    F(COMPLETED, Byte, 0)                                                                          \
    F(Skipped, Byte, 0)                                                                            \
    F(UNDEFINEDOPTION1, Byte, 0)                                                                   \
    F(UNDEFINEDOPTION2, Byte, 0)                                                                   \
    F(ShiftType, String, 20)                                                                       \
    F(ExceptWeekends, Byte, 0)                                                                     \
    F(ExceptWeekdays, Byte, 0)                                                                     \
    F(ExceptHolidays, Byte, 0)                                                                     \
    F(ExceptTime, Byte, 0)                                                                         \
    F(ExceptTimeBegin, Time, 0)                                                                    \
    F(ExceptTimeEnd, Time, 0)                                                                      \
    F(EXCEPTOTHER, String, 20)                                                                     \
    F(ExceptionLink, Long, 0)                                                                      \
    F(Message, Memo, 1000)

#define SCH_KEYS(K)                                                                                \
    K(KEYID, Primary | Unique | NoCase | BlanksOut, "By System ID", ID)                            \
    K(KEYUSER, NoCase | BlanksOut, nullptr, User, ID)                                              \
    K(KEYDATE, NoCase | BlanksOut, nullptr, Date, Time)                                            \
    K(KEYUSERDATE, NoCase | BlanksOut, nullptr, User, Date, Time)                                  \
    K(KeyCategory, NoCase | BlanksOut, nullptr, Category, Description)                             \
    K(KEYCATEGORYDATE, NoCase | BlanksOut, nullptr, Category, Date, Time)                          \
    K(KEYTASKNAME, NoCase | BlanksOut, nullptr, Description, Category)                             \
    K(KEYTASKTYPE, NoCase | BlanksOut, nullptr, TaskType, Description)                             \
    K(KEYTASKDATE, NoCase | BlanksOut, nullptr, TaskType, Date, Time)                              \
    K(KEYDATEENABLED, NoCase | BlanksOut, nullptr, Disabled, Date, Time)                           \
    K(KEYADVANCED, NoCase | BlanksOut, nullptr, AdvanceWarned, AdvanceWarnDate, AdvanceWarnTime)   \
    K(KEYUSERADVANCED, NoCase | BlanksOut, nullptr, User, AdvanceWarnDate, AdvanceWarnTime)

STORE_DEFINE_TABLE(SCH, Schedule, "Schedule", "S", "TL97", 4, KEYID, false)

#undef SCH_FIELDS
#undef SCH_KEYS
