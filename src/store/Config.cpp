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

// What a stored text means for the in-memory value.
struct Reader {
    const QString &text;
    const Settings &defaults;
    Settings &s;
    bool inverted;
    void operator()(bool Settings::*m) const
    {
        s.*m = text.isEmpty() ? defaults.*m : (configNumber(text) != 0) != inverted;
    }
    void operator()(int Settings::*m) const
    {
        s.*m = text.isEmpty() ? defaults.*m : configNumber(text);
    }
    void operator()(QString Settings::*m) const { s.*m = text.isEmpty() ? defaults.*m : text; }
};

// Every default is blank but that of the setting read from the user profile (the date format).
QString profileDefault(const SettingDef &def, const Settings &defaults)
{
    const auto *text = std::get_if<QString Settings::*>(&def.value);
    return def.fromProfile && text ? defaults.**text : QString();
}

// The limits a value read from the table is kept within.
void applyLimits(Settings &s)
{
    s.scriptingDelay = std::max(s.scriptingDelay, LeastScriptingDelay);
    // Only 0 is named as meaning the default; a value out of range would stall the sender.
    s.burstSize = s.burstSize <= 0 ? DefaultBurstSize : std::min(s.burstSize, LargestBurstSize);
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
    const Settings defaults;
    for (const SettingDef &def : settingDefs()) {
        const QString text =
            GetConfig(ctx, QLatin1String(def.name), profileDefault(def, defaults), def.fromProfile);
        std::visit(Reader{text, defaults, s, def.storedInverted}, def.value);
    }
    s.userId = s.userId.left(UserIdChars);
    if (s.multiUser && s.userId.isEmpty())
        s.userId = accountName().left(UserIdChars);
    s.currentUser = s.multiUser ? s.userId.left(CurrentUserChars) : QString();
    applyLimits(s);
}

namespace {

QString storedText(const SettingDef &def, const Settings &s)
{
    struct Writer {
        const Settings &s;
        bool inverted;
        QString operator()(bool Settings::*m) const
        {
            return (s.*m != inverted) ? QStringLiteral("1") : QStringLiteral("0");
        }
        QString operator()(int Settings::*m) const { return QString::number(s.*m); }
        QString operator()(QString Settings::*m) const { return s.*m; }
    };
    return std::visit(Writer{s, def.storedInverted}, def.value);
}

} // namespace

void SaveSettings(RecordContext &ctx, const QString &dateFormatWhenOpened)
{
    static const char *const order[] = {"HistoryExpires",
                                        "RemoveUncompleted",
                                        "StartUpSchedule",
                                        "StartUpToDo",
                                        "StartUpClipboardSaver",
                                        "StartUpContacts",
                                        "StartUpActive",
                                        "StartUpMinimized",
                                        "FullSchedule",
                                        "HideToolbar",
                                        "NoTray",
                                        "MaximizeOnRun",
                                        "UseExternalMessage",
                                        "MultiUser",
                                        "UserID",
                                        "LogEvents",
                                        "MonitorClipboard",
                                        "UseModalMessage",
                                        "MaxClipboardEntries",
                                        "RepeatAlarmInterval",
                                        "ScriptingDelay",
                                        "BurstSize"};
    Settings &s = settings();
    // A repeat this short would keep the alarm sounding over itself.
    if (s.repeatAlarmInterval >= 1 && s.repeatAlarmInterval <= 4)
        s.repeatAlarmInterval = 5;
    for (const char *name : order)
        PutConfig(ctx, QLatin1String(name), storedText(*settingDef(QLatin1String(name)), s));
    s.scriptingDelay = configNumber(GetConfig(ctx, QStringLiteral("ScriptingDelay")));
    s.burstSize = configNumber(GetConfig(ctx, QStringLiteral("BurstSize")));
    applyLimits(s);
    if (s.dateFormat != dateFormatWhenOpened)
        ctx.messages().inform(
            QStringLiteral("Information"),
            QStringLiteral("Date format changes will not affect currently open windows.  You can "
                           "close and re-open windows, or exit and restart Tallimer to view "
                           "information using the new date format."));
    PutConfig(ctx, QStringLiteral("DateFormat"), s.dateFormat);
}

} // namespace store
