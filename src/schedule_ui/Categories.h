#pragma once

class QString;
class QWidget;

namespace store {
class Store;
}
namespace toolkit {
struct FormDecl;
struct ListDecl;
} // namespace toolkit

// The task category windows.
namespace schedule_ui {

const toolkit::ListDecl &BrowseCategories();
const toolkit::ListDecl &SelectCategories();
const toolkit::FormDecl &UpdateCategories();

// The tasks of one category, in description order; the category's case does not matter.
toolkit::ListDecl BrowseScheduleByCategory(const QString &category);
// Opens that list beside the window asking for it (in the same frame when it has one).
void showTasksOfCategory(const QString &category, store::Store &store, QWidget *from);

} // namespace schedule_ui
