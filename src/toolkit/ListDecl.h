#pragma once

#include "store/TableDef.h"

#include <functional>
#include <vector>

class QWidget;

namespace store {
class KeyRead;
class Record;
class RecordContext;
} // namespace store

namespace toolkit {

// How a column shows its field.
enum class Show {
    Text,
    Number,
    Date,        // in the date format of the settings
    DatePicture, // in the column's own date picture
    Time,        // "@t3"
};

struct ColumnDecl {
    const char *title;
    int field;
    int chars; // width in average characters
    Show show = Show::Text;
    const char *picture = nullptr; // for DatePicture
};

// Narrows a list to some records, in terms of the key read that fills it.
using Filter = std::function<void(store::KeyRead &)>;

struct TabDecl {
    const char *title; // nullptr for the one order of a list that shows no tabs
    int key;
    Filter filter = nullptr;
};

// What a list's button does.
enum class Action { Insert, Change, Delete, Select, Close, Custom };

struct ButtonDecl {
    Action action;
    const char *text;
    const char *tip = nullptr;
    std::function<void(QWidget *window, store::RecordContext &ctx)> custom = nullptr;
    bool needsRecord = false; // a custom button that acts on the highlighted record
};

struct FormDecl;

// A list window: the table it lists, its orders (one tab each), columns and buttons, and
// the form its Insert, Change and Delete buttons open.
struct ListDecl {
    const char *procedure; // the window's name: where its position and columns are kept
    const char *caption;
    store::TableId table;
    std::vector<TabDecl> tabs;
    std::vector<ColumnDecl> columns;
    std::vector<ButtonDecl> buttons;
    const FormDecl *form = nullptr;
};

} // namespace toolkit
