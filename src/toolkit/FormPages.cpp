#include "toolkit/FormPages.h"

#include "store/Tables.h"
#include "toolkit/FieldEditor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace toolkit {

namespace {

QString text(const char *s)
{
    return s ? QString::fromLatin1(s) : QString();
}

} // namespace

FormPages::FormPages(const std::vector<FormPage> &pages, store::TableId table, QObject *parent)
    : QObject(parent), m_tabs(new QTabWidget)
{
    const store::TableDef &def = store::tableDef(table);
    for (const FormPage &p : pages) {
        auto *page = new QWidget;
        auto *pageLayout = new QVBoxLayout(page);
        for (const FormSection &section : p.sections) {
            QWidget *holder = section.title ? new QGroupBox(text(section.title)) : new QWidget;
            pageLayout->addWidget(holder);
            auto *grid = new QGridLayout(holder);
            if (!section.title)
                grid->setContentsMargins(0, 0, 0, 0);
            grid->setColumnStretch(1, 1);
            for (int row = 0; row < int(section.lines.size()); ++row) {
                auto *rest = new QHBoxLayout;
                bool prompted = false;
                for (const FormItem &item : section.lines[std::size_t(row)].items) {
                    if (const auto *field = std::get_if<FieldDecl>(&item)) {
                        auto *editor = new FieldEditor(*field, def, this);
                        editor->widget()->setObjectName(text(def.fields.at(field->field).name));
                        m_editors.push_back(editor);
                        if (editor->label() && !prompted && rest->isEmpty())
                            grid->addWidget(editor->label(), row, 0);
                        else if (editor->label())
                            rest->addWidget(editor->label());
                        prompted = true;
                        rest->addWidget(editor->widget(),
                                        field->edit == Edit::Memo || field->edit == Edit::Text);
                    } else if (const auto *b = std::get_if<ButtonItem>(&item)) {
                        auto *button = new QPushButton(text(b->text));
                        button->setObjectName(text(b->name));
                        if (b->tip)
                            button->setToolTip(text(b->tip));
                        button->setAutoDefault(false);
                        m_buttons[text(b->name)] = button;
                        rest->addWidget(button);
                    } else {
                        auto *note = new QLabel(text(std::get<NoteItem>(item).text));
                        note->setWordWrap(true);
                        rest->addWidget(note, 1);
                    }
                }
                rest->addStretch();
                grid->addLayout(rest, row, 1);
            }
        }
        pageLayout->addStretch();
        m_tabs->addTab(page, text(p.title));
    }
}

FormPages::~FormPages() = default;

FieldEditor *FormPages::editor(int field) const
{
    for (FieldEditor *e : m_editors) {
        if (e->field() == field)
            return e;
    }
    return nullptr;
}

QPushButton *FormPages::button(const char *name) const
{
    const auto found = m_buttons.find(text(name));
    return found == m_buttons.end() ? nullptr : found->second;
}

QWidget *FormPages::page(int index) const
{
    return m_tabs->widget(index);
}

void FormPages::setPageShown(int index, bool shown)
{
    m_tabs->setTabVisible(index, shown);
}

void FormPages::load(const store::Record &from)
{
    for (FieldEditor *e : m_editors)
        e->load(from);
}

} // namespace toolkit
