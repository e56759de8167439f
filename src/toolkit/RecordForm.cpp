#include "toolkit/RecordForm.h"

#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/Tables.h"
#include "toolkit/FieldEditor.h"
#include "toolkit/WindowPositions.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
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
        auto *editor = new FieldEditor(f, def, this);
        if (editor->label())
            form->addRow(editor->label(), editor->widget());
        else
            form->addRow(editor->widget());
        m_editors.push_back(editor);
        if (def.formRecall) {
            auto *recall = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Apostrophe),
                                         editor->widget(), nullptr, nullptr, Qt::WidgetShortcut);
            connect(recall, &QShortcut::activated, this,
                    [this, editor] { recallUserValue(*editor); });
        }
    }
    auto *tabs = new QTabWidget;
    tabs->addTab(page, text(m_decl.tab));

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(text(m_decl.okText), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RecordForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RecordForm::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RecordForm::load(const store::Record &from)
{
    for (FieldEditor *editor : m_editors)
        editor->load(from);
}

bool RecordForm::validate()
{
    store::Record &rec = m_ctx.record(m_decl.table);
    for (FieldEditor *editor : m_editors) {
        QString problem = editor->take(rec);
        if (problem.isEmpty() && editor->decl().required && rec.isBlank(editor->field()))
            problem = QStringLiteral("%1 must be filled in.").arg(fieldName(editor->decl()));
        if (!problem.isEmpty()) {
            m_ctx.messages().notify(QStringLiteral("Invalid Entry"), problem);
            editor->focusWidget()->setFocus();
            return false;
        }
    }
    return true;
}

void RecordForm::recallUserValue(FieldEditor &editor)
{
    if (const std::optional<store::Record> &mine = m_ctx.userValues(m_decl.table))
        editor.load(*mine);
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
