#include "scheduler/Exceptions.h"

#include "scheduler/CalendarMath.h"
#include "scheduler/Occurrence.h"
#include "store/AutoNumber.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/Log.h"
#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/RecordIo.h"
#include "store/Rules.h"
#include "store/tables/Holidays.h"
#include "store/tables/Schedule.h"

namespace scheduler {

namespace SCH = store::SCH;
namespace HOL = store::HOL;
using store::Record;
using store::TableId;

namespace {

constexpr int MostWindowPasses = 100;
constexpr qint64 MostShiftDays = 10000;

store::Connection &holidays(store::RecordContext &ctx)
{
    return *ctx.connection(TableId::Holidays);
}

bool isHoliday(store::RecordContext &ctx, qint64 date)
{
    Record found(HOL::table());
    return store::KeyRead(HOL::table(), HOL::KeyHolidayDate)
        .where(HOL::HOLIDAYDATE, date)
        .first(holidays(ctx), &found)
        .ok();
}

bool anyHoliday(store::RecordContext &ctx)
{
    Record found(HOL::table());
    return store::KeyRead(HOL::table(), HOL::KeyHolidayDate).first(holidays(ctx), &found).ok();
}

// Every annual holiday dated before today moves on a year, once per check.
void rollAnnualHolidays(store::RecordContext &ctx, qint64 today)
{
    Record before(HOL::table());
    before.setNumber(HOL::HOLIDAYDATE, today);
    before.setStored(0, 0);
    std::vector<Record> passed;
    store::KeyRead(HOL::table(), HOL::KeyHolidayDate)
        .after(before)
        .backward()
        .where(HOL::ANNUAL, 1)
        .read(holidays(ctx), &passed);
    std::reverse(passed.begin(), passed.end());
    for (Record &holiday : passed) {
        const calendar::Ymd d = calendar::ymd(holiday.number(HOL::HOLIDAYDATE));
        holiday.setNumber(HOL::HOLIDAYDATE, calendar::buildDate(d.month, d.day, d.year + 1));
        const store::StoreError e = store::putRecord(holidays(ctx), &holiday);
        // A holiday already entered on that date keeps the day a holiday either way.
        if (e.is(store::ErrorCode::DuplicateKey))
            qCInfo(lcStore) << "annual holiday" << holiday.text(HOL::HOLIDAY)
                            << "meets another on its new date";
        else if (!e.ok()) {
            store::MessageArgs args;
            args.error = e;
            args.file = QStringLiteral("Holidays");
            ctx.messages().show(15, args);
            return;
        }
    }
}

bool isWeekend(qint64 date)
{
    const int day = calendar::weekday(date);
    return day == 0 || day == 6;
}

// The first day from the task's date, going forwards or backwards, that no rule excepts.
qint64 allowedDay(store::RecordContext &ctx, const Record &task, int direction)
{
    const qint64 start = task.number(SCH::Date);
    qint64 date = start;
    for (;;) {
        bool moved = false;
        if (task.number(SCH::ExceptWeekends) && isWeekend(date)) {
            date += direction;
            moved = true;
        }
        if (task.number(SCH::ExceptWeekdays) && !isWeekend(date)) {
            date += direction;
            moved = true;
        }
        if (task.number(SCH::ExceptHolidays) && isHoliday(ctx, date)) {
            date += direction;
            moved = true;
        }
        if (!moved || std::abs(date - start) > MostShiftDays)
            return date;
    }
}

// Writes the current task: the stored record when it has one, else a new one.
bool writeTask(store::RecordContext &ctx)
{
    Record &task = ctx.record(TableId::Schedule);
    if (task.position() != 0)
        return store::SaveWithRules(ctx, TableId::Schedule, false) == store::SaveResult::Done;
    return store::addRecord(*ctx.connection(TableId::Schedule), &task).ok();
}

bool readTask(store::RecordContext &ctx, qint64 id)
{
    return store::KeyRead(SCH::table(), SCH::KEYID)
        .where(SCH::ID, id)
        .first(*ctx.connection(TableId::Schedule), &ctx.record(TableId::Schedule))
        .ok();
}

// The occurrence inside the time window moves out of it; true when it had to.
bool leaveTimeWindow(Record &task, store::MessagePresenter &messages)
{
    if (task.number(SCH::ExceptTimeEnd) == 0)
        task.setNumber(SCH::ExceptTimeEnd, store::dates::EndOfDay);
    const qint64 begin = task.number(SCH::ExceptTimeBegin);
    const qint64 end = task.number(SCH::ExceptTimeEnd);
    const qint64 date = task.number(SCH::Date);
    const qint64 time = task.number(SCH::Time);
    int passes = 0;
    while (begin <= task.number(SCH::Time) && task.number(SCH::Time) <= end &&
           passes < MostWindowPasses) {
        ++passes;
        NextOccurrence(task, task.number(SCH::Date), task.number(SCH::Time), messages);
    }
    if (passes == MostWindowPasses) {
        task.setNumber(SCH::Date, date);
        task.setNumber(SCH::Time, time);
        NextOccurrence(task, date, time, messages);
        task.setNumber(SCH::Time, end);
    }
    return passes > 0;
}

bool dayExcepted(store::RecordContext &ctx, Record &task, qint64 today)
{
    const qint64 date = task.number(SCH::Date);
    bool excepted = false;
    if (task.number(SCH::ExceptWeekends)) {
        task.setNumber(SCH::ExceptWeekdays, 0);
        excepted = isWeekend(date);
    }
    if (task.number(SCH::ExceptWeekdays))
        excepted = excepted || !isWeekend(date);
    if (task.number(SCH::ExceptHolidays) && anyHoliday(ctx)) {
        rollAnnualHolidays(ctx, today);
        excepted = excepted || isHoliday(ctx, date);
    }
    return excepted;
}

// The task is stored with its excepted date skipped; its occurrence goes to a one-time copy
// on the allowed day, which the task links to.
void shiftToCopy(store::RecordContext &ctx, int direction, qint64 keptSkip, bool replacePrevious)
{
    Record &task = ctx.record(TableId::Schedule);
    task.setNumber(SCH::Date, allowedDay(ctx, task, direction));
    const qint64 previousLink = task.number(SCH::ExceptionLink);
    const qint64 source = task.number(SCH::ID);
    task.setNumber(SCH::ExceptionLink, 0);
    task.setText(SCH::ScheduleType, QStringLiteral("Once"));
    task.setNumber(SCH::SkipNextTime, keptSkip);
    const Record copy = task;
    if (!store::AddTaskCopy(ctx, copy).ok())
        return;
    const qint64 copyNumber = ctx.record(TableId::Schedule).number(SCH::ID);
    if (!readTask(ctx, source))
        return;
    ctx.record(TableId::Schedule).setNumber(SCH::ExceptionLink, copyNumber);
    writeTask(ctx);
    if (replacePrevious && previousLink != 0) {
        const Record kept = ctx.record(TableId::Schedule);
        if (readTask(ctx, previousLink))
            store::DeleteWithRules(ctx, TableId::Schedule);
        ctx.record(TableId::Schedule) = kept;
    }
}

} // namespace

bool ApplyExceptions(store::RecordContext &ctx, bool replacePrevious, const store::Clock &clock)
{
    Record &task = ctx.record(TableId::Schedule);
    if (task.text(SCH::ScheduleType) == QLatin1String("Once")) {
        for (int f : {SCH::ExceptTime, SCH::ExceptWeekends, SCH::ExceptWeekdays,
                      SCH::ExceptHolidays, SCH::ExceptTimeBegin, SCH::ExceptTimeEnd})
            task.setNumber(f, 0);
        task.setText(SCH::EXCEPTOTHER, QString());
        return false;
    }
    const bool dayRule = task.number(SCH::ExceptWeekends) || task.number(SCH::ExceptWeekdays) ||
                         task.number(SCH::ExceptHolidays);
    if (!dayRule && !task.number(SCH::ExceptTime))
        return false;

    const bool moved = task.number(SCH::ExceptTime) && leaveTimeWindow(task, ctx.messages());
    bool excepted = false;
    if (dayRule && dayExcepted(ctx, task, store::dates::dayNumber(clock.now().date()))) {
        excepted = true;
        const qint64 keptSkip = task.number(SCH::SkipNextTime);
        task.setNumber(SCH::SkipNextTime, 1);
        const QString shift = task.text(SCH::ShiftType).toUpper();
        const QChar action = shift.isEmpty() ? QChar() : shift.at(0);
        if (action == u'N' || action == u'P') {
            writeTask(ctx);
            shiftToCopy(ctx, action == u'N' ? 1 : -1, keptSkip, replacePrevious);
            return true;
        }
    }
    if (!excepted && !moved)
        return false;
    writeTask(ctx);
    return true;
}

} // namespace scheduler
