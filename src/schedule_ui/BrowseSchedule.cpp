#include "schedule_ui/BrowseSchedule.h"

#include "schedule_ui/Calendar.h"
#include "schedule_ui/Categories.h"
#include "schedule_ui/QuickStart.h"
#include "schedule_ui/SelectedDay.h"
#include "schedule_ui/TaskLook.h"
#include "schedule_ui/UpdateSchedule.h"
#include "scheduler/TaskNotices.h"
#include "store/Clock.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/Pictures.h"
#include "store/RecordIo.h"
#include "store/Settings.h"
#include "store/tables/Categories.h"
#include "store/tables/Schedule.h"
#include "store/tables/TagFile.h"
#include "toolkit/ListBox.h"
#include "toolkit/ListDecl.h"
#include "toolkit/ListWindow.h"

namespace schedule_ui {

using namespace toolkit;
using store::TableId;
namespace SCH = store::SCH;
namespace TF_ = store::TF_;

namespace {

// The table number under which search marks on tasks are kept.
constexpr int MarkedTable = 1;
constexpr int DayCheckMs = 1000;

QVariant taskLook(const store::Record &task, int role)
{
    switch (role) {
    case Qt::DecorationRole:
        return stateIcon(taskState(task));
    case Qt::ToolTipRole:
        return stateText(taskState(task));
    default:
        return {};
    }
}

QVariant dateLook(const store::Record &task, int role)
{
    if (role != Qt::ForegroundRole)
        return {};
    const QColor colour = dateColour(task);
    return colour.isValid() ? QVariant(colour) : QVariant();
}

QString caption()
{
    const QString user = store::settings().currentUser.trimmed();
    const QString title = QStringLiteral("View Schedule");
    return user.isEmpty() ? title : title + QStringLiteral(" - ") + user;
}

} // namespace

ScheduleBrowser::ScheduleBrowser(const TaskServices &services)
    : m_services(services), m_day(today()), m_today(m_day)
{
    m_dayTimer.setInterval(DayCheckMs);
    connect(&m_dayTimer, &QTimer::timeout, this, &ScheduleBrowser::checkDay);
}

qint64 ScheduleBrowser::today() const
{
    return store::dates::dayNumber(m_services.clock.now().date());
}

ListDecl ScheduleBrowser::declaration()
{
    const auto act = [this](void (ScheduleBrowser::*what)()) {
        return [this, what](QWidget *, store::RecordContext &) { (this->*what)(); };
    };
    std::vector<MenuDecl> quickStarts;
    for (const QuickStartChoice &choice : quickStartChoices()) {
        const qint64 delay = choice.delay;
        quickStarts.push_back(
            {choice.text, false, [this, delay](QWidget *, store::RecordContext &) {
                 if (delay > 0)
                     quickStart(delay);
             }});
    }
    std::vector<ButtonDecl> buttons{
        {Action::Insert, "&Add", "Add a new task (tabbed)"},
        {Action::Copy, "Cop&y", "Copy the highlighted task to a new task"},
        {Action::Change, "&Edit", "Edit the highlighted task"},
        {Action::Delete, "&Delete", "Delete the highlighted task"},
    };
    std::vector<MenuDecl> menu{
        {"&Add", true}, {"&Edit", true}, {"&Delete", true}, {}, {"Cop&y", true}, {}};
    if (m_services.runNow) {
        buttons.push_back({Action::Custom, "Run Now", "Run the highlighted task",
                           act(&ScheduleBrowser::runNow), true});
        menu.push_back({"Run Now", true});
    }
    menu.push_back({"Quick Start", false, nullptr, true, std::move(quickStarts)});
    buttons.push_back({Action::Close, "Cl&ose", "Close this window"});
    buttons.push_back({Action::Custom, "&Pick Day", "Select a day for which to view tasks",
                       act(&ScheduleBrowser::pickDay), false, DayView});
    buttons.push_back({Action::Custom, "&Pick Category",
                       "Select a category for which to view tasks",
                       act(&ScheduleBrowser::pickCategory), false, ByCategory});

    const TaskServices services = m_services;
    return ListDecl{
        Procedure,
        "View Schedule",
        TableId::Schedule,
        {{"Day Schedule", SCH::KEYDATE,
          [this](store::KeyRead &read) { read.where(SCH::Date, m_day); }},
         {"All by Date", SCH::KEYDATE},
         {"All by Category", SCH::KeyCategory,
          [this](store::KeyRead &read) { read.whereNoCase(SCH::Category, m_category); }},
         {"Selected", SCH::KEYDATE,
          [this](store::KeyRead &read) { read.onlyPositions(markedTasks()); }}},
        {{"", SCH::ID, 2, Show::Picture, nullptr, taskLook},
         {"Date", SCH::Date, 11, Show::Date, nullptr, dateLook},
         {"Time", SCH::Time, 8, Show::Time},
         {"Category", SCH::Category, 14},
         {"Description", SCH::Description, 26},
         {"Task Type", SCH::TaskType, 16},
         {"Schedule Type", SCH::ScheduleType, 13}},
        std::move(buttons),
        nullptr,
        [services](store::RecordContext &ctx, QWidget *parent) {
            return UpdateSchedule(ctx, services, parent);
        },
        [this](int tab, store::Record &task) {
            if (tab == ByCategory)
                task.setText(SCH::Category, m_category);
        },
        std::move(menu),
        {TableId::Categories, TableId::TagFile, TableId::Scripting}};
}

ListWindow *ScheduleBrowser::open(store::Store &store, const TaskServices &services, QMdiArea *area)
{
    auto *browser = new ScheduleBrowser(services);
    auto *window = new ListWindow(browser->declaration(), store);
    browser->attach(window);
    window->setWindowTitle(caption());
    showList(window, area);
    return window;
}

void ScheduleBrowser::attach(ListWindow *window)
{
    setParent(window);
    m_window = window;
    window->setMinimumSize(300, 150);
    window->setTabTitle(DayView, store::FormatDate(m_day));
    publishBrowsedDay(m_day);
    if (store::settings().fullSchedule)
        window->selectTab(AllByDate);
    if (m_services.notices)
        connect(m_services.notices, &scheduler::TaskNotices::tasksChanged, window,
                qOverload<>(&ListWindow::reload));
    m_dayTimer.start();
}

void ScheduleBrowser::setSelectedDay(qint64 day)
{
    m_day = day;
    publishBrowsedDay(day);
    m_window->setTabTitle(DayView, store::pictures::formatDate(day, QStringLiteral("@d3")));
    if (m_window->currentTab() == DayView)
        m_window->reload();
}

void ScheduleBrowser::setCategory(const QString &category)
{
    m_category = category;
    if (m_window->currentTab() == ByCategory)
        m_window->reload();
}

void ScheduleBrowser::checkDay()
{
    const qint64 now = today();
    if (now == m_today)
        return;
    const bool followed = m_day == m_today;
    m_today = now;
    if (followed)
        setSelectedDay(now);
}

QList<qint64> ScheduleBrowser::markedTasks() const
{
    QList<qint64> positions;
    store::Connection *tags = m_window ? m_window->context().connection(TableId::TagFile) : nullptr;
    if (!tags)
        return positions;
    std::vector<store::Record> rows;
    store::KeyRead(TF_::table(), TF_::PTRKEY)
        .where(TF_::USR, 0)
        .where(TF_::TBL, MarkedTable)
        .read(*tags, &rows);
    for (const store::Record &row : rows)
        positions << row.number(TF_::PTR);
    return positions;
}

bool ScheduleBrowser::readHighlighted(store::Record *task) const
{
    const store::Record *chosen = m_window->list()->highlighted();
    if (!chosen)
        return false;
    store::RecordContext &ctx = m_window->context();
    const store::StoreError e =
        store::fetchRecord(*ctx.connection(TableId::Schedule), chosen->position(), task);
    if (e.ok())
        return true;
    ctx.messages().show(35, store::argsFor(TableId::Schedule, e));
    return false;
}

void ScheduleBrowser::pickDay()
{
    store::Record task(SCH::table());
    const bool highlighted = m_window->list()->highlighted() && readHighlighted(&task);
    Calendar calendar(m_window->context().store(), m_services.clock, m_day, QString(), QString(),
                      highlighted ? &task : nullptr, m_window);
    calendar.exec();
    setSelectedDay(calendar.date());
}

void ScheduleBrowser::pickCategory()
{
    store::RecordContext &ctx = m_window->context();
    if (pick(SelectCategories(), ctx, m_window) == store::Response::Completed)
        setCategory(ctx.record(TableId::Categories).text(store::CAT::Category));
}

void ScheduleBrowser::runNow()
{
    store::Record task(SCH::table());
    if (readHighlighted(&task))
        m_services.runNow(task);
}

void ScheduleBrowser::quickStart(qint64 delay)
{
    store::Record task(SCH::table());
    if (readHighlighted(&task))
        QuickStart(m_window->context(), task, delay, m_services.clock, m_window);
}

} // namespace schedule_ui
