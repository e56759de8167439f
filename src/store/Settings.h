#pragma once

#include <QString>

#include <variant>
#include <vector>

namespace store {

// The program's options as LoadSettings leaves them in memory. Windows read and change them
// directly; Setup's OK makes a change permanent.
struct Settings {
    int historyExpires = 0; // days; 0 keeps history for ever
    bool removeUncompleted = false;
    bool startUpSchedule = true;
    bool startUpToDo = false;
    bool startUpClipboardSaver = false;
    bool startUpContacts = false;
    bool startUpActive = true; // the scheduler is active
    bool startUpMinimized = false;
    bool fullSchedule = false;
    bool hideToolbar = false;
    bool noTray = false;
    bool multiUser = false;
    bool monitorClipboard = false;
    bool useExternalMessage = false;
    bool useModalMessage = false;
    int repeatAlarmInterval = 0; // seconds; 0 plays the alarm once
    bool logEvents = false;
    QString userId;
    QString currentUser; // userId when multiUser is on, else blank
    bool maximizeOnRun = false;
    int scriptingDelay = 50; // hundredths of a second
    int burstSize = 7;
    QString dateFormat = QStringLiteral("d3");
    bool useWinMessage = false;
    int maxClipboardEntries = 50;
};

// How a named setting of the Configuration table fills its in-memory value. Flags are stored as
// "1" or "0" (the inverted ones as 1 minus the flag), numbers as decimal text. A setting never
// saved takes its value from a default-constructed Settings.
struct SettingDef {
    const char *name;
    std::variant<bool Settings::*, int Settings::*, QString Settings::*> value;
    bool storedInverted = false;
    bool fromProfile = false; // read from the user profile, not TL97.INI, until saved
};

// Every named setting, in the order LoadSettings reads them.
const std::vector<SettingDef> &settingDefs();
const SettingDef *settingDef(const QString &name);

// The settings of this process.
Settings &settings();

// A date in the date format of the settings; blank for 0.
QString FormatDate(qint64 day);

} // namespace store
