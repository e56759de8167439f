#include "store/Config.h"

#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/ProfileFile.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/Settings.h"
#include "store/tables/Configuration.h"

#include <pwd.h>
#include <unistd.h>

namespace store {

namespace {

constexpr int UserIdChars = 30;
constexpr int CurrentUserChars = 40;
constexpr int LeastScriptingDelay = 50;
constexpr int DefaultBurstSize = 7;
constexpr int LargestBurstSize = 255;
constexpr int DefaultClipboardEntries = 50;

QString failureText(const char *what, const QString &name, const StoreError &e)
{
    return QLatin1String(what) + name.leftJustified(40, u' ', true) + QStringLiteral(" - ") +
           e.text();
}

// Finds the name's record; RecordNotAvailable when the table lacks it.
StoreError findSetting(RecordContext &ctx, const QString &name, Record *found)
{
    return KeyRead(CF::table(), CF::KEYDATATYPE)
        .whereNoCase(CF::DATATYPE, name)
        .first(*ctx.connection(TableId::Configuration), found);
}

QString accountName()
{
    const struct passwd *pw = getpwuid(getuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
}

bool flag(RecordContext &ctx, const char *name)
{
    return configNumber(GetConfig(ctx, QLatin1String(name))) != 0;
}

int number(RecordContext &ctx, const char *name)
{
    return configNumber(GetConfig(ctx, QLatin1String(name)));
}

} // namespace

int configNumber(const QString &value)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? n : 0;
}

QString GetConfig(RecordContext &ctx, const QString &name, const QString &defaultValue,
                  bool fromProfile)
{
    Record found(CF::table());
    const StoreError e = findSetting(ctx, name, &found);
    if (e.ok())
        return found.text(CF::DATAVALUE);
    if (!e.is(ErrorCode::RecordNotAvailable)) {
        ctx.messages().notify(
            QStringLiteral("Error!"),
            failureText("Error retrieving configuration information code ", name, e));
        return defaultValue;
    }
    const QString file = fromProfile ? ctx.store().profilePath() : ctx.store().settingsPath();
    const QString value = ProfileFile(file).value(QStringLiteral("Settings"), name, defaultValue);
    if (!value.trimmed().isEmpty()) {
        Record taken(CF::table());
        taken.setText(CF::DATATYPE, name);
        taken.setText(CF::DATAVALUE, value);
        addRecord(*ctx.connection(TableId::Configuration), &taken);
    }
    return value.trimmed();
}

void PutConfig(RecordContext &ctx, const QString &name, const QString &value)
{
    Connection &c = *ctx.connection(TableId::Configuration);
    Record setting(CF::table());
    StoreError e = findSetting(ctx, name, &setting);
    if (e.is(ErrorCode::RecordNotAvailable)) {
        setting.setText(CF::DATATYPE, name);
        setting.setText(CF::DATAVALUE, value);
        e = addRecord(c, &setting);
    } else if (e.ok()) {
        setting.setText(CF::DATAVALUE, value);
        e = putRecord(c, &setting);
    }
    if (!e.ok())
        ctx.messages().notify(
            QStringLiteral("Error!"),
            failureText("Error writing configuration information.  Code ", name, e));
}

void LoadSettings(RecordContext &ctx)
{
    Settings &s = settings();
    s.historyExpires = number(ctx, "HistoryExpires");
    s.removeUncompleted = flag(ctx, "RemoveUncompleted");
    s.startUpSchedule = !flag(ctx, "StartUpSchedule");
    s.startUpToDo = flag(ctx, "StartUpToDo");
    s.startUpClipboardSaver = flag(ctx, "StartUpClipboardSaver");
    s.startUpContacts = flag(ctx, "StartUpContacts");
    s.startUpActive = !flag(ctx, "StartUpActive");
    s.startUpMinimized = flag(ctx, "StartUpMinimized");
    s.fullSchedule = flag(ctx, "FullSchedule");
    s.hideToolbar = flag(ctx, "HideToolbar");
    s.noTray = flag(ctx, "NoTray");
    s.multiUser = flag(ctx, "MultiUser");
    s.monitorClipboard = flag(ctx, "MonitorClipboard");
    s.useExternalMessage = flag(ctx, "UseExternalMessage");
    s.useModalMessage = flag(ctx, "UseModalMessage");
    s.repeatAlarmInterval = number(ctx, "RepeatAlarmInterval");
    s.logEvents = flag(ctx, "LogEvents");
    s.userId = GetConfig(ctx, QStringLiteral("UserID")).left(UserIdChars);
    if (s.multiUser && s.userId.isEmpty())
        s.userId = accountName().left(UserIdChars);
    s.currentUser = s.multiUser ? s.userId.left(CurrentUserChars) : QString();
    s.maximizeOnRun = flag(ctx, "MaximizeOnRun");
    s.scriptingDelay = std::max(number(ctx, "ScriptingDelay"), LeastScriptingDelay);
    // Only 0 is named as meaning the default; a value out of range would stall the sender.
    const int burst = number(ctx, "BurstSize");
    s.burstSize = burst <= 0 ? DefaultBurstSize : std::min(burst, LargestBurstSize);
    s.dateFormat = GetConfig(ctx, QStringLiteral("DateFormat"), QStringLiteral("d3"), true);
    if (s.dateFormat.isEmpty())
        s.dateFormat = QStringLiteral("d3");
    s.useWinMessage = flag(ctx, "UseWinMessage");
    const QString entries = GetConfig(ctx, QStringLiteral("MaxClipboardEntries"));
    s.maxClipboardEntries = entries.isEmpty() ? DefaultClipboardEntries : configNumber(entries);
}

} // namespace store
