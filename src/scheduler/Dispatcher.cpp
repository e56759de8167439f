#include "scheduler/Dispatcher.h"

#include "platform/Sound.h"
#include "scheduler/Exceptions.h"
#include "scheduler/Launcher.h"
#include "scheduler/Occurrence.h"
#include "store/AutoNumber.h"
#include "store/Clock.h"
#include "store/Dates.h"
#include "store/EventLog.h"
#include "store/Housekeeping.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/Pictures.h"
#include "store/Rules.h"
#include "store/Settings.h"
#include "store/Text.h"
#include "store/tables/Schedule.h"

namespace scheduler {

namespace SCH = store::SCH;
using store::Record;
using store::TableId;

namespace {

constexpr qint64 TenMinutes = 60000;
constexpr int DescriptionChars = 40;

bool showsMessage(const Record &task)
{
    const QString type = task.text(SCH::TaskType);
    return type == QLatin1String("Display Message") || type == QLatin1String("Both");
}

bool runsProgram(const Record &task)
{
    const QString type = task.text(SCH::TaskType);
    return type == QLatin1String("Run Program") || type == QLatin1String("Both");
}

struct Now {
    qint64 date;
    qint64 time;
};

Now nowOf(const store::Clock &clock)
{
    const QDateTime now = clock.now();
    return {store::dates::dayNumber(now.date()), store::dates::timeValue(now.time())};
}

} // namespace

Dispatcher::Dispatcher(Services services) : m_s(std::move(services)) {}

std::optional<Record> Dispatcher::dueCheck(bool *dispatched)
{
    *dispatched = false;
    Record &task = m_s.ctx.record(TableId::Schedule);
    const store::StoreError e = store::KeyRead(SCH::table(), SCH::KEYDATEENABLED)
                                    .first(*m_s.ctx.connection(TableId::Schedule), &task);
    if (!e.ok() || task.number(SCH::Disabled) != 0)
        return std::nullopt;
    const Record next = task;
    const Now now = nowOf(m_s.messages.clock);
    if (CompareDateTime(now.date, now.time, task.number(SCH::Date), task.number(SCH::Time)) >= 0) {
        DispatchTask();
        *dispatched = true;
    }
    return next;
}

void Dispatcher::askToRun(const Record &task, bool *skipped, bool log)
{
    const Now now = nowOf(m_s.messages.clock);
    const QString description = store::withoutTrailingBlanks(task.text(SCH::Description));
    store::MessagePresenter &messages = m_s.ctx.messages();
    if (now.date > task.number(SCH::Date) && task.number(SCH::Warn) &&
        task.text(SCH::TaskType) != QLatin1String("Display Message")) {
        if (messages.ask(QStringLiteral("Missed Task"),
                         description + QStringLiteral(" was not run.  Run it now?")) !=
            store::Button::Yes) {
            if (log)
                store::AddLog(QStringLiteral("Missed task skipped"), description);
            *skipped = true;
        }
        return;
    }
    if (task.number(SCH::UserSkip) &&
        messages.ask(QStringLiteral("Confirm Task"),
                     description + QStringLiteral(" is due to run.  Run it now?")) !=
            store::Button::Yes) {
        if (log)
            store::AddLog(QStringLiteral("Task skipped"), description);
        *skipped = true;
    }
}

void Dispatcher::playAlarm(const Record &task)
{
    if (!task.number(SCH::Alarm))
        return;
    const QString file = store::withoutTrailingBlanks(task.text(SCH::AlarmFile));
    m_s.messages.sound.play(file.toUpper() == QLatin1String("BEEP") ? QStringLiteral("BEEP")
                                                                    : file);
}

void Dispatcher::perform(const Record &task, bool startProgram)
{
    if (showsMessage(task)) {
        if (openMessageCount() < MostMessageWindows) {
            messageHandOver() = {task.text(SCH::Description), task.text(SCH::Message),
                                 task.number(SCH::Alarm) ? task.text(SCH::AlarmFile) : QString()};
            ShowMessage(m_s.messages);
        } else {
            m_s.ctx.messages().plain(QString(),
                                     store::withoutTrailingBlanks(task.text(SCH::Message)));
        }
    }
    if (runsProgram(task) && startProgram) {
        ProgramStart start;
        start.taskId = task.number(SCH::ID);
        start.command = task.text(SCH::Command);
        start.folder = task.text(SCH::Path);
        m_s.messages.launcher.RunProgram(start);
    }
}

void Dispatcher::DispatchTask()
{
    Record &task = m_s.ctx.record(TableId::Schedule);
    bool skipped = false;
    if (!task.number(SCH::SkipNextTime)) {
        const store::Settings &s = store::settings();
        if (((showsMessage(task) && !s.useModalMessage) || s.maximizeOnRun) && m_s.frameMinimised &&
            m_s.frameMinimised() && m_s.restoreFrame)
            m_s.restoreFrame();
        playAlarm(task);
        const Now now = nowOf(m_s.messages.clock);
        if (task.number(SCH::SkipIfMissed) &&
            CompareDateTime(now.date, now.time, task.number(SCH::Date),
                            task.number(SCH::Time) + TenMinutes) > 0)
            skipped = true;
        else
            askToRun(task, &skipped, true);
        task.setNumber(SCH::LastRunDate, now.date);
        task.setNumber(SCH::LastRunTime, now.time);
        if (!skipped)
            perform(task, true);
    }
    moveOn(skipped);
}

void Dispatcher::moveOn(bool skipped)
{
    Record &task = m_s.ctx.record(TableId::Schedule);
    const qint64 date = task.number(SCH::Date);
    const qint64 time = task.number(SCH::Time);
    const qint64 warnDate = task.number(SCH::AdvanceWarnDate);
    const qint64 warnTime = task.number(SCH::AdvanceWarnTime);
    const qint64 warned = task.number(SCH::AdvanceWarned);
    // The warning keeps its distance from the task as the task moves on.
    const bool relative = warnDate != 0 || warnTime != 0;
    const qint64 warnDays = warnDate != 0 ? warnDate - date : 0;
    const qint64 warnHundredths = warnTime != 0 ? warnTime - time : 0;

    const Now now = nowOf(m_s.messages.clock);
    if (now.date > date && task.number(SCH::SkipIfMissed))
        NextOccurrence(task, now.date, 0, m_s.ctx.messages());
    else
        NextOccurrence(task, now.date, now.time, m_s.ctx.messages());

    Record history = task;
    if (task.number(SCH::COMPLETED)) {
        store::DeleteWithRules(m_s.ctx, TableId::Schedule);
    } else {
        task.setNumber(SCH::SkipNextTime, 0);
        if (relative) {
            task.setNumber(SCH::AdvanceWarnDate, warnDays + task.number(SCH::Date));
            task.setNumber(SCH::AdvanceWarnTime, warnHundredths + task.number(SCH::Time));
        }
        task.setNumber(SCH::AdvanceWarned, 0);
        if (!ApplyExceptions(m_s.ctx, false, m_s.messages.clock))
            store::SaveWithRules(m_s.ctx, TableId::Schedule, false);
        history = task;
    }

    if (history.number(SCH::NoHistory))
        return;
    // A history copy never becomes due and never warns of its own.
    history.setNumber(SCH::COMPLETED, 1);
    history.setNumber(SCH::Disabled, 1);
    history.setNumber(SCH::Date, date);
    history.setNumber(SCH::Time, time);
    history.setNumber(SCH::AdvanceWarnDate, warnDate);
    history.setNumber(SCH::AdvanceWarnTime, warnTime);
    history.setNumber(SCH::AdvanceWarned, warned);
    if (skipped)
        history.setText(
            SCH::Description,
            (QStringLiteral("(Skipped) ") + history.text(SCH::Description)).left(DescriptionChars));
    const Record kept = task;
    store::AddTaskCopy(m_s.ctx, history);
    m_s.ctx.record(TableId::Schedule) = kept;
}

void Dispatcher::advanceWarningCheck()
{
    Record &task = m_s.ctx.record(TableId::Schedule);
    if (!store::KeyRead(SCH::table(), SCH::KEYADVANCED)
             .first(*m_s.ctx.connection(TableId::Schedule), &task)
             .ok())
        return;
    if (task.number(SCH::AdvanceWarned) || task.text(SCH::ScheduleType).isEmpty())
        return;
    const Now now = nowOf(m_s.messages.clock);
    const qint64 warnDate = task.number(SCH::AdvanceWarnDate);
    if (!(now.date > warnDate ||
          (now.date == warnDate && now.time > task.number(SCH::AdvanceWarnTime))))
        return;
    if (!task.number(SCH::SkipNextTime)) {
        store::AddLog(QStringLiteral("Advanced Warning"), task.text(SCH::Description));
        const QString when =
            store::pictures::formatDate(task.number(SCH::Date), QStringLiteral("d3")) + u' ' +
            store::pictures::formatTime(task.number(SCH::Time)) + u'\n';
        const QString type = task.text(SCH::TaskType);
        const QString command = task.text(SCH::Command);
        QString body;
        if (type == QLatin1String("Display Message"))
            body = task.text(SCH::Message);
        else if (type == QLatin1String("Run Program"))
            body = QStringLiteral("Command:  ") + command;
        else if (type == QLatin1String("Both") || !command.isEmpty())
            body = task.text(SCH::Message).trimmed() + QStringLiteral("\nCommand: ") + command;
        else
            body = task.text(SCH::Message).trimmed();
        m_s.ctx.messages().plain(QStringLiteral("Advanced Warning"), when + body);
    }
    task.setNumber(SCH::AdvanceWarned, 1);
    store::SaveWithRules(m_s.ctx, TableId::Schedule, false);
}

bool Dispatcher::historyCheck()
{
    const store::Settings &s = store::settings();
    const qint64 today = nowOf(m_s.messages.clock).date;
    if (s.historyExpires == 0 || m_historyCheckDate == today)
        return false;
    m_historyCheckDate = today;
    Record firstDisabled(SCH::table());
    firstDisabled.setNumber(SCH::Disabled, 1);
    const qint64 expires = s.historyExpires;
    const bool uncompleted = s.removeUncompleted;
    store::DeleteMatching(
        m_s.ctx, TableId::Schedule,
        store::KeyRead(SCH::table(), SCH::KEYDATEENABLED).from(firstDisabled),
        [&](const Record &task) {
            return task.number(SCH::Date) + expires <= today &&
                   (task.number(SCH::COMPLETED) || uncompleted);
        },
        QStringLiteral("Cannot Remove History"), QStringLiteral(" error while removing history"));
    store::AddLog(QStringLiteral("History"), QStringLiteral("Checked for tasks needing removal"));
    return true;
}

void Dispatcher::RunTaskNow()
{
    Record &task = m_s.ctx.record(TableId::Schedule);
    playAlarm(task);
    bool skipped = false;
    askToRun(task, &skipped, false);
    const Now now = nowOf(m_s.messages.clock);
    task.setNumber(SCH::LastRunDate, now.date);
    task.setNumber(SCH::LastRunTime, now.time);
    if (!skipped)
        perform(task, !task.number(SCH::SkipNextTime));
}

} // namespace scheduler
