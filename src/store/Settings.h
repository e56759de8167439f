#pragma once

#include <QString>

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

// The settings of this process.
Settings &settings();

// A date in the date format of the settings; blank for 0.
QString FormatDate(qint64 day);

} // namespace store
