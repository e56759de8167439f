#include "store/Settings.h"

#include "store/Pictures.h"

namespace store {

const std::vector<SettingDef> &settingDefs()
{
    using S = Settings;
    static const std::vector<SettingDef> defs{
        {"HistoryExpires", &S::historyExpires},
        {"RemoveUncompleted", &S::removeUncompleted},
        {"StartUpSchedule", &S::startUpSchedule, true},
        {"StartUpToDo", &S::startUpToDo},
        {"StartUpClipboardSaver", &S::startUpClipboardSaver},
        {"StartUpContacts", &S::startUpContacts},
        {"StartUpActive", &S::startUpActive, true},
        {"StartUpMinimized", &S::startUpMinimized},
        {"FullSchedule", &S::fullSchedule},
        {"HideToolbar", &S::hideToolbar},
        {"NoTray", &S::noTray},
        {"MultiUser", &S::multiUser},
        {"MonitorClipboard", &S::monitorClipboard},
        {"UseExternalMessage", &S::useExternalMessage},
        {"UseModalMessage", &S::useModalMessage},
        {"RepeatAlarmInterval", &S::repeatAlarmInterval},
        {"LogEvents", &S::logEvents},
        {"UserID", &S::userId},
        {"MaximizeOnRun", &S::maximizeOnRun},
        {"ScriptingDelay", &S::scriptingDelay},
        {"BurstSize", &S::burstSize},
        {"DateFormat", &S::dateFormat, false, true},
        {"UseWinMessage", &S::useWinMessage},
        {"MaxClipboardEntries", &S::maxClipboardEntries},
    };
    return defs;
}

const SettingDef *settingDef(const QString &name)
{
    for (const SettingDef &def : settingDefs()) {
        if (name.compare(QLatin1String(def.name), Qt::CaseInsensitive) == 0)
            return &def;
    }
    return nullptr;
}

Settings &settings()
{
    static Settings current;
    return current;
}

QString FormatDate(qint64 day)
{
    return pictures::formatDate(day, settings().dateFormat);
}

} // namespace store
