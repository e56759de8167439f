#include "schedule_ui/Categories.h"

#include "schedule_ui/TaskServices.h"
#include "schedule_ui/UpdateSchedule.h"
#include "store/KeyRead.h"
#include "store/tables/Categories.h"
#include "store/tables/Schedule.h"
#include "toolkit/FormDecl.h"
#include "toolkit/ListBox.h"
#include "toolkit/ListDecl.h"
#include "toolkit/ListWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace schedule_ui {

using namespace toolkit;
using store::TableId;
namespace CAT = store::CAT;
namespace SCH = store::SCH;

const FormDecl &UpdateCategories()
{
    static const FormDecl form{"UpdateCategories",           "Update Category",
                               "Adding a Categories Record", "Changing a Categories Record",
                               TableId::Categories,          {{"&Category:", CAT::Category}}};
    return form;
}

ListDecl BrowseCategories(const TaskServices &services)
{
    return ListDecl{"BrowseCategories",
                    "Categories",
                    TableId::Categories,
                    {{"Category", CAT::KEYCATEGORY}},
                    {{"Category", CAT::Category, 20}},
                    {{Action::Insert, "&Add", "Add a category"},
                     {Action::Change, "&Edit", "Change the highlighted category"},
                     {Action::Delete, "&Delete", "Delete the highlighted category"},
                     {Action::Custom, " &Schedule", "View the tasks of the highlighted category",
                      [services](QWidget *window, store::RecordContext &ctx) {
                          const auto *categories = static_cast<ListWindow *>(window);
                          if (const store::Record *r = categories->list()->highlighted())
                              showTasksOfCategory(r->text(CAT::Category), ctx.store(), services,
                                                  window);
                      },
                      true},
                     {Action::Close, "Cl&ose", "Close this window"}},
                    &UpdateCategories()};
}

const ListDecl &SelectCategories()
{
    static const ListDecl list{"SelectCategories",
                               "Select a Category",
                               TableId::Categories,
                               {{"Category", CAT::KEYCATEGORY}},
                               {{"Category", CAT::Category, 20}},
                               {{Action::Select, "&Select", "Choose the highlighted category"},
                                {Action::Close, "Cl&ose", "Close without choosing"}}};
    return list;
}

ListDecl BrowseScheduleByCategory(const QString &category, const TaskServices &services)
{
    return ListDecl{
        "BrowseSCH:KeyCategory",
        "Browse Schedule by Category",
        TableId::Schedule,
        {{"Category", SCH::KeyCategory,
          [category](store::KeyRead &read) { read.whereNoCase(SCH::Category, category); }}},
        {{"Description", SCH::Description, 40},
         {"Date", SCH::Date, 11, Show::Date},
         {"Time", SCH::Time, 7, Show::Time},
         {"Task Type", SCH::TaskType, 20},
         {"Schedule Type", SCH::ScheduleType, 20}},
        {{Action::Insert, "&Add", "Add a task of this category"},
         {Action::Change, "&Edit", "Edit the highlighted task"},
         {Action::Delete, "&Delete", "Delete the highlighted task"},
         {Action::Close, "Cl&ose", "Close this window"}},
        nullptr,
        [services](store::RecordContext &ctx, QWidget *parent) {
            return UpdateSchedule(ctx, services, parent);
        },
        [category](int, store::Record &task) { task.setText(SCH::Category, category); }};
}

void showTasksOfCategory(const QString &category, store::Store &store, const TaskServices &services,
                         QWidget *from)
{
    const auto *frame = qobject_cast<QMdiSubWindow *>(from->parentWidget());
    auto *list = new ListWindow(BrowseScheduleByCategory(category, services), store);
    list->setWindowTitle(QStringLiteral("Browse Schedule for ") + category);
    showList(list, frame ? frame->mdiArea() : nullptr);
}

} // namespace schedule_ui
