#pragma once

#include "toolkit/FormDecl.h"

#include <QObject>

#include <map>
#include <variant>
#include <vector>

class QPushButton;
class QTabWidget;
class QWidget;

namespace store {
class Record;
}

namespace toolkit {

class FieldEditor;

// A button among a page's fields; what it does is up to the form.
struct ButtonItem {
    const char *name; // how the form finds it (and its object name)
    const char *text;
    const char *tip = nullptr;
};

// A line of explanation.
struct NoteItem {
    const char *text;
};

using FormItem = std::variant<FieldDecl, ButtonItem, NoteItem>;

// What stands on one line of a page, left to right. The prompt of the line's first field is
// aligned with those of the lines above and below it.
struct FormLine {
    std::vector<FormItem> items;
};

// Lines in a frame of their own when titled.
struct FormSection {
    const char *title;
    std::vector<FormLine> lines;
};

struct FormPage {
    const char *title;
    std::vector<FormSection> sections;
};

// The pages of a form built from their declaration, as tabs: one editor per field and the
// buttons by name, in the order declared, which is also the order of the Tab key.
class FormPages final : public QObject {
    Q_OBJECT

public:
    FormPages(const std::vector<FormPage> &pages, store::TableId table, QObject *parent = nullptr);
    ~FormPages() override;

    QTabWidget *tabs() const { return m_tabs; }
    const std::vector<FieldEditor *> &editors() const { return m_editors; }
    FieldEditor *editor(int field) const;
    QPushButton *button(const char *name) const;
    QWidget *page(int index) const;
    void setPageShown(int index, bool shown);

    void load(const store::Record &from);

private:
    QTabWidget *m_tabs;
    std::vector<FieldEditor *> m_editors;
    std::map<QString, QPushButton *> m_buttons;
};

} // namespace toolkit
