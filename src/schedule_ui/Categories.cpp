#include "schedule_ui/Categories.h"

#include "store/tables/Categories.h"
#include "toolkit/FormDecl.h"
#include "toolkit/ListDecl.h"

namespace schedule_ui {

using namespace toolkit;
using store::TableId;
namespace CAT = store::CAT;

const FormDecl &UpdateCategories()
{
    static const FormDecl form{"UpdateCategories",           "Update Category",
                               "Adding a Categories Record", "Changing a Categories Record",
                               TableId::Categories,          {{"&Category:", CAT::Category}}};
    return form;
}

const ListDecl &BrowseCategories()
{
    static const ListDecl list{"BrowseCategories",
                               "Categories",
                               TableId::Categories,
                               {{"Category", CAT::KEYCATEGORY}},
                               {{"Category", CAT::Category, 20}},
                               {{Action::Insert, "&Add", "Add a category"},
                                {Action::Change, "&Edit", "Change the highlighted category"},
                                {Action::Delete, "&Delete", "Delete the highlighted category"},
                                {Action::Close, "Cl&ose", "Close this window"}},
                               &UpdateCategories()};
    return list;
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

} // namespace schedule_ui
