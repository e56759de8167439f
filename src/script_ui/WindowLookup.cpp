#include "script_ui/WindowLookup.h"

#include "store/tables/WindowLookup.h"
#include "toolkit/FormDecl.h"
#include "toolkit/ListDecl.h"

namespace script_ui {

using namespace toolkit;
using store::TableId;
namespace WL = store::WL;

const FormDecl &UpdateWindowLookup()
{
    static const FormDecl form{"UpdateWindowLookup",
                               "Update the WindowLookup File",
                               "Adding a WindowLookup Record",
                               "Changing a WindowLookup Record",
                               TableId::WindowLookup,
                               {{"&Title:", WL::TITLE},
                                {"Date:", WL::DATE, Edit::Date, "@d3"},
                                {"Time:", WL::TIME, Edit::Time}},
                               "&Ok"};
    return form;
}

const ListDecl &BrowseWindowLookup()
{
    static const ListDecl list{"BrowseWindowLookup",
                               "Browse the WindowLookup File",
                               TableId::WindowLookup,
                               {{"WL:KeyTitle", WL::KeyTitle}, {"By Date", WL::KEYDATE}},
                               {{"Title", WL::TITLE, 70},
                                {"Date", WL::DATE, 12, Show::DatePicture, "@d3"},
                                {"Time", WL::TIME, 9, Show::Time}},
                               {{Action::Insert, "&Add", "Add a window title"},
                                {Action::Change, "&Edit", "Change the highlighted title"},
                                {Action::Delete, "&Delete", "Delete the highlighted title"},
                                {Action::Close, "Cl&ose", "Close this window"}},
                               &UpdateWindowLookup()};
    return list;
}

} // namespace script_ui
