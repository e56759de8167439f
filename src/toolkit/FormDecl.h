#pragma once

#include "store/TableDef.h"

#include <vector>

namespace toolkit {

// How a form edits a field.
enum class Edit {
    Text,
    Date, // typed and shown in the date format of the settings, or the field's own picture
    Time, // "@t3"
    Check,
    Option,      // one of the choices, stored as its text
    DropList,    // one of the names the form offers, or blank
    Number,      // a whole number of up to six digits
    Memo,        // several lines of text
    DateDisplay, // shown, not edited
    TimeDisplay,
};

struct FieldDecl {
    const char *prompt;
    int field;
    Edit edit = Edit::Text;
    const char *picture = nullptr; // a date picture of its own
    bool required = false;         // a blank value is not accepted
    const char *tip = nullptr;
    std::vector<const char *> choices = {}; // for Option
};

struct FormDecl {
    const char *procedure; // the window's name: where its position is kept
    const char *caption;
    const char *insertCaption;
    const char *changeCaption;
    store::TableId table;
    std::vector<FieldDecl> fields;
    const char *okText = "&OK";
    const char *tab = "General";
};

} // namespace toolkit
