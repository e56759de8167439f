#include "toolkit/RecordForm.h"

#include "store/Dates.h"
#include "store/MessagePresenter.h"
#include "store/Pictures.h"
#include "store/RecordContext.h"
#include "store/Settings.h"
#include "store/Tables.h"
#include "toolkit/WindowPositions.h"

#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace toolkit {

namespace {

QString text(const char *s)
{
    return QString::fromLatin1(s);
}

QString datePicture(const FieldDecl &f)
{
    return f.picture ? text(f.picture) : store::settings().dateFormat;
}

// The prompt as a message names the field: without its mnemonic and colon.
QString fieldName(const FieldDecl &f)
{
    QString name = text(f.prompt).remove(u'&');
    if (name.endsWith(u':'))
        name.chop(1);
    return name;
}

} // namespace

store::Response RecordForm::run(const FormDecl &decl, store::RecordContext &ctx, QWidget *parent)
{
    RecordForm form(decl, ctx, parent);
    store::FormController &controller = form.m_controller;
    if (!controller.open())
        return ctx.response;
    form.load(ctx.record(decl.table));
    form.exec();
    return ctx.response;
}

RecordForm::RecordForm(const FormDecl &decl, store::RecordContext &ctx, QWidget *parent)
    : QDialog(parent), m_decl(decl), m_ctx(ctx), m_controller(ctx, decl.table)
{
    setObjectName(text(decl.procedure));
    switch (m_controller.request()) {
    case store::Request::Insert:
        setWindowTitle(text(decl.insertCaption));
        break;
    case store::Request::Change:
        setWindowTitle(text(decl.changeCaption));
        break;
    default:
        setWindowTitle(text(decl.caption));
        break;
    }
    build();
    WindowPositions(ctx.store().folder()).restore(this, text(decl.procedure), false);
}

RecordForm::~RecordForm() = default;

void RecordForm::build()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const store::TableDef &def = store::tableDef(m_decl.table);
    for (const FieldDecl &f : m_decl.fields) {
        QWidget *widget = nullptr;
        if (f.edit == Edit::Check) {
            widget = new QCheckBox(text(f.prompt));
            form->addRow(widget);
        } else {
            auto *line = new QLineEdit;
            const int chars = f.edit == Edit::Text ? def.fields.at(f.field).maxChars() : 20;
            if (f.edit == Edit::Text)
                line->setMaxLength(chars);
            line->setMinimumWidth(line->fontMetrics().averageCharWidth() * std::min(chars, 60) +
                                  12);
            form->addRow(text(f.prompt), line);
            widget = line;
        }
        m_editors.push_back({&f, widget});
        if (def.formRecall) {
            auto *recall = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Apostrophe), widget,
                                         nullptr, nullptr, Qt::WidgetShortcut);
            const Editor editor = m_editors.back();
            connect(recall, &QShortcut::activated, this,
                    [this, editor] { recallUserValue(editor); });
        }
    }
    auto *tabs = new QTabWidget;
    tabs->addTab(page, text(m_decl.tab));

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(text(m_decl.okText), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RecordForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RecordForm::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RecordForm::loadField(const Editor &editor, const store::Record &from)
{
    const FieldDecl &f = *editor.decl;
    if (auto *box = qobject_cast<QCheckBox *>(editor.widget)) {
        box->setChecked(from.number(f.field) != 0);
        return;
    }
    auto *line = static_cast<QLineEdit *>(editor.widget);
    switch (f.edit) {
    case Edit::Date:
        line->setText(store::pictures::formatDate(from.number(f.field), datePicture(f)));
        break;
    case Edit::Time:
        line->setText(store::pictures::formatTime(from.number(f.field)));
        break;
    default:
        line->setText(from.text(f.field));
        break;
    }
}

void RecordForm::load(const store::Record &from)
{
    for (const Editor &editor : m_editors)
        loadField(editor, from);
}

bool RecordForm::validate()
{
    store::Record &rec = m_ctx.record(m_decl.table);
    for (const Editor &editor : m_editors) {
        const FieldDecl &f = *editor.decl;
        if (auto *box = qobject_cast<QCheckBox *>(editor.widget)) {
            rec.setNumber(f.field, box->isChecked() ? 1 : 0);
            continue;
        }
        const QString typed = static_cast<QLineEdit *>(editor.widget)->text().trimmed();
        QString problem;
        switch (f.edit) {
        case Edit::Date: {
            const qint64 day = typed.isEmpty()
                                   ? 0
                                   : store::pictures::parseDate(typed, datePicture(f),
                                                                QDate::currentDate().year());
            if (!typed.isEmpty() && day == 0)
                problem = QStringLiteral("\"%1\" is not a date. Type it like %2.")
                              .arg(typed, store::pictures::formatDate(
                                              store::dates::dayNumber(QDate(1959, 10, 31)),
                                              datePicture(f)));
            rec.setNumber(f.field, day);
            break;
        }
        case Edit::Time: {
            const qint64 time = typed.isEmpty() ? 0 : store::pictures::parseTime(typed);
            if (!typed.isEmpty() && time == 0)
                problem =
                    QStringLiteral("\"%1\" is not a time of day. Type it like 5:30PM.").arg(typed);
            rec.setNumber(f.field, time);
            break;
        }
        default:
            rec.setText(f.field, static_cast<QLineEdit *>(editor.widget)->text());
            break;
        }
        if (problem.isEmpty() && f.required && rec.isBlank(f.field))
            problem = QStringLiteral("%1 must be filled in.").arg(fieldName(f));
        if (!problem.isEmpty()) {
            m_ctx.messages().notify(QStringLiteral("Invalid Entry"), problem);
            editor.widget->setFocus();
            return false;
        }
    }
    return true;
}

void RecordForm::recallUserValue(const Editor &editor)
{
    if (const std::optional<store::Record> &mine = m_ctx.userValues(m_decl.table))
        loadField(editor, *mine);
}

void RecordForm::savePosition()
{
    WindowPositions(m_ctx.store().folder()).save(this, text(m_decl.procedure));
}

void RecordForm::accept()
{
    if (!validate())
        return;
    if (!m_controller.accept()) {
        // Another station's values, if that is why the save stopped, are shown now.
        load(m_ctx.record(m_decl.table));
        return;
    }
    savePosition();
    QDialog::accept();
}

void RecordForm::reject()
{
    m_controller.cancel();
    savePosition();
    QDialog::reject();
}

} // namespace toolkit
