#include "schedule_ui/QuickStart.h"

#include "script/ScriptOperations.h"
#include "store/AutoNumber.h"
#include "store/Clock.h"
#include "store/Dates.h"
#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/tables/Schedule.h"

namespace schedule_ui {

namespace SCH = store::SCH;

namespace {

constexpr qint64 Minute = 6000;

} // namespace

const std::vector<QuickStartChoice> &quickStartChoices()
{
    static const std::vector<QuickStartChoice> choices{
        {"Start Now", 1},
        {nullptr, 0},
        {"5 minutes", 5 * Minute},
        {"10 minutes", 10 * Minute},
        {"30 minutes", 30 * Minute},
        {"1 hour", 60 * Minute},
        {"2 hours", 120 * Minute},
        {"3 hours", 180 * Minute},
        {nullptr, 0},
        {"Cancel", 0},
    };
    return choices;
}

store::Record quickStartCopy(const store::Record &task, qint64 delay, const store::Clock &clock)
{
    const QDateTime now = clock.now();
    qint64 date = store::dates::dayNumber(now.date());
    qint64 time = store::dates::timeValue(now.time()) + delay + 100;
    if (time > store::dates::EndOfDay) {
        time -= store::dates::HundredthsPerDay;
        ++date;
    }
    store::Record copy = task;
    copy.setNumber(SCH::Date, date);
    copy.setNumber(SCH::Time, time);
    copy.setText(SCH::ScheduleType, QStringLiteral("Once"));
    // A start the user asks for is performed: it is not to be skipped, and it does not take
    // over the shifted occurrence the task links to.
    for (int f : {SCH::AdvanceWarnDate, SCH::AdvanceWarnTime, SCH::Disabled, SCH::COMPLETED,
                  SCH::Skipped, SCH::SkipNextTime, SCH::ExceptionLink})
        copy.setNumber(f, 0);
    return copy;
}

bool QuickStart(store::RecordContext &ctx, const store::Record &task, qint64 delay,
                const store::Clock &clock, QWidget *parent)
{
    if (const store::StoreError e = store::AddTaskCopy(ctx, quickStartCopy(task, delay, clock));
        !e.ok()) {
        store::MessageArgs args;
        args.error = e;
        ctx.messages().show(14, args);
        return false;
    }
    return script::CopyScript(ctx, task.number(SCH::ID),
                              ctx.record(store::TableId::Schedule).number(SCH::ID), parent);
}

} // namespace schedule_ui
