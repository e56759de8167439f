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
};

struct FieldDecl {
    const char *prompt;
    int field;
    Edit edit = Edit::Text;
    const char *picture = nullptr; // a date picture of its own
    bool required = false;         // a blank value is not accepted
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
