#include "scheduler/Holidays.h"

#include "store/tables/Holidays.h"
#include "toolkit/FormDecl.h"
#include "toolkit/ListDecl.h"

namespace scheduler {

using namespace toolkit;
using store::TableId;
namespace HOL = store::HOL;

const FormDecl &UpdateHolidays()
{
    static const FormDecl form{"UpdateHolidays",
                               "Update the Holidays File",
                               "Adding a Holiday",
                               "Changing a Holiday",
                               TableId::Holidays,
                               {{"&Holiday Date:", HOL::HOLIDAYDATE, Edit::Date, nullptr, true},
                                {"&Holiday:", HOL::HOLIDAY},
                                {"Repeat Annually", HOL::ANNUAL, Edit::Check}},
                               "&Ok"};
    return form;
}

const ListDecl &BrowseHolidays()
{
    static const ListDecl list{"BrowseHolidays",
                               "Browse Holidays",
                               TableId::Holidays,
                               {{nullptr, HOL::KeyHolidayDate}},
                               {{"Holiday Date", HOL::HOLIDAYDATE, 12, Show::Date},
                                {"Holiday", HOL::HOLIDAY, 20},
                                {"", HOL::ANNUAL, 2, Show::Number}},
                               {{Action::Insert, "&Insert", "Add a holiday"},
                                {Action::Change, "&Edit", "Change the highlighted holiday"},
                                {Action::Delete, "&Delete", "Delete the highlighted holiday"},
                                {Action::Close, "Cl&ose", "Close this window"}},
                               &UpdateHolidays()};
    return list;
}

} // namespace scheduler
