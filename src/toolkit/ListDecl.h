#pragma once

#include "store/TableDef.h"

#include <QVariant>

#include <functional>
#include <vector>

class QWidget;

namespace store {
class KeyRead;
class Record;
class RecordContext;
enum class Response;
} // namespace store

namespace toolkit {

// How a column shows its field.
enum class Show {
    Text,
    Number,
    Date,        // in the date format of the settings
    DatePicture, // in the column's own date picture
    Time,        // "@t3"
    Picture,     // no text: the column's look gives its picture
};

struct ColumnDecl {
    const char *title;
    int field;
    int chars; // width in average characters
    Show show = Show::Text;
    const char *picture = nullptr; // for DatePicture
    // What a row shows in this column beyond its text, by item role (a picture, a colour);
    // an invalid value for the roles it leaves alone.
    std::function<QVariant(const store::Record &, int role)> look = nullptr;
};

// Narrows a list to some records, in terms of the key read that fills it.
using Filter = std::function<void(store::KeyRead &)>;

struct TabDecl {
    const char *title; // nullptr for the one order of a list that shows no tabs
    int key;
    Filter filter = nullptr;
};

// What a list's button does. Copy opens the form to insert a new record that starts as a copy
// of the highlighted one.
enum class Action { Insert, Copy, Change, Delete, Select, Close, Custom };

using ButtonAction = std::function<void(QWidget *window, store::RecordContext &ctx)>;

struct ButtonDecl {
    Action action;
    const char *text;
    const char *tip = nullptr;
    ButtonAction custom = nullptr;
    bool needsRecord = false; // a custom button that acts on the highlighted record
    int tab = -1;             // shown only while this tab is chosen; -1 on every tab
};

// An item of a list's right-click menu: a separator (no text), the twin of the button with the
// same text (enabled alike), an action of its own, or a submenu of further items.
struct MenuDecl {
    const char *text = nullptr;
    bool likeButton = false;
    ButtonAction custom = nullptr;
    bool needsRecord = false;
    std::vector<MenuDecl> items = {};
};

struct FormDecl;

// Runs a form of its own making on the context's current record for the context's request.
using FormRunner = std::function<store::Response(store::RecordContext &ctx, QWidget *parent)>;

// A list window: the table it lists, its orders (one tab each), columns and buttons, and
// the form its Insert, Copy, Change and Delete buttons open: a declared form, or one that
// runs itself. The right-click menu follows the buttons unless it is declared.
struct ListDecl {
    const char *procedure; // the window's name: where its position and columns are kept
    const char *caption;
    store::TableId table;
    std::vector<TabDecl> tabs;
    std::vector<ColumnDecl> columns;
    std::vector<ButtonDecl> buttons;
    const FormDecl *form = nullptr;
    FormRunner runForm = nullptr;
    // Gives a new record the values the chosen tab stands for, once it has been cleared.
    std::function<void(int tab, store::Record &)> primeInsert = nullptr;
    std::vector<MenuDecl> menu = {};
    // Further tables the window's actions use, open for as long as the window is.
    std::vector<store::TableId> otherTables = {};
};

} // namespace toolkit
