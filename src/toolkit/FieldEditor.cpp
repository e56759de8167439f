#include "toolkit/FieldEditor.h"

#include "store/Dates.h"
#include "store/Pictures.h"
#include "store/Record.h"
#include "store/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace toolkit {

namespace {

QString text(const char *s)
{
    return s ? QString::fromLatin1(s) : QString();
}

constexpr int DateChars = 20;
constexpr int MostNumber = 999999; // "@n6"
constexpr int MostMemoColumns = 60;
constexpr int MemoLines = 8;

} // namespace

FieldEditor::FieldEditor(const FieldDecl &decl, const store::TableDef &table, QObject *parent)
    : QObject(parent), m_decl(decl), m_maxChars(table.fields.at(decl.field).maxChars())
{
    const QString prompt = text(decl.prompt);
    switch (decl.edit) {
    case Edit::Check: {
        auto *box = new QCheckBox(prompt);
        connect(box, &QCheckBox::clicked, this, &FieldEditor::accepted);
        m_widget = box;
        break;
    }
    case Edit::Option: {
        auto *group = new QGroupBox(prompt);
        auto *row = new QHBoxLayout(group);
        m_options = new QButtonGroup(group);
        for (const char *choice : decl.choices) {
            auto *option = new QRadioButton(text(choice));
            m_options->addButton(option, int(m_options->buttons().size()));
            row->addWidget(option);
        }
        row->addStretch();
        connect(m_options, &QButtonGroup::idClicked, this, &FieldEditor::accepted);
        m_widget = group;
        break;
    }
    case Edit::DropList: {
        auto *list = new QComboBox;
        list->setMinimumContentsLength(std::min(m_maxChars, 20));
        connect(list, &QComboBox::activated, this, &FieldEditor::accepted);
        m_widget = list;
        break;
    }
    case Edit::Number: {
        auto *spin = new QSpinBox;
        spin->setRange(0, MostNumber);
        connect(spin, &QSpinBox::editingFinished, this, &FieldEditor::accepted);
        m_widget = spin;
        break;
    }
    case Edit::Memo: {
        auto *memo = new QPlainTextEdit;
        memo->setTabChangesFocus(true);
        const QFontMetrics metrics = memo->fontMetrics();
        memo->setMinimumSize(metrics.averageCharWidth() * MostMemoColumns,
                             metrics.lineSpacing() * MemoLines);
        // The field keeps so many characters; typing more is refused as it happens.
        connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
            const QString all = memo->toPlainText();
            if (all.size() <= m_maxChars)
                return;
            const QSignalBlocker quiet(memo);
            memo->setPlainText(all.left(m_maxChars));
            memo->moveCursor(QTextCursor::End);
        });
        m_widget = memo;
        break;
    }
    case Edit::DateDisplay:
    case Edit::TimeDisplay:
        m_widget = new QLabel;
        break;
    case Edit::Text:
    case Edit::Date:
    case Edit::Time: {
        auto *line = new QLineEdit;
        const int chars = decl.edit == Edit::Text ? m_maxChars : DateChars;
        if (decl.edit == Edit::Text)
            line->setMaxLength(chars);
        line->setMinimumWidth(line->fontMetrics().averageCharWidth() * std::min(chars, 60) + 12);
        connect(line, &QLineEdit::editingFinished, this, [this, line] {
            // Leaving an untouched field is not finishing with it.
            if (line->isModified()) {
                line->setModified(false);
                emit accepted();
            }
        });
        m_widget = line;
        break;
    }
    }
    if (decl.tip)
        m_widget->setToolTip(text(decl.tip));
    if (decl.edit != Edit::Check && decl.edit != Edit::Option && !prompt.isEmpty()) {
        m_label = new QLabel(prompt);
        m_label->setBuddy(m_widget);
    }
    focusWidget()->installEventFilter(this);
}

FieldEditor::~FieldEditor() = default;

QWidget *FieldEditor::focusWidget() const
{
    if (!m_options)
        return m_widget;
    QAbstractButton *chosen = m_options->checkedButton();
    return chosen ? chosen : m_options->buttons().value(0, nullptr);
}

bool FieldEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        emit focusEntered();
    return QObject::eventFilter(watched, event);
}

QString FieldEditor::datePicture() const
{
    return m_decl.picture ? text(m_decl.picture) : store::settings().dateFormat;
}

QString FieldEditor::shownText() const
{
    if (auto *line = qobject_cast<QLineEdit *>(m_widget))
        return line->text();
    if (auto *list = qobject_cast<QComboBox *>(m_widget))
        return list->currentText();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(m_widget))
        return memo->toPlainText();
    return QString();
}

void FieldEditor::setShownText(const QString &shown)
{
    if (auto *line = qobject_cast<QLineEdit *>(m_widget)) {
        line->setText(shown);
        line->setModified(false);
    } else if (auto *label = qobject_cast<QLabel *>(m_widget)) {
        label->setText(shown);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(m_widget)) {
        memo->setPlainText(shown);
    } else if (auto *list = qobject_cast<QComboBox *>(m_widget)) {
        QStringList offered = m_choices;
        if (!offered.contains(shown))
            offered.prepend(shown);
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(offered);
        list->setCurrentText(shown);
    }
}

void FieldEditor::setChoices(const QStringList &choices)
{
    m_choices = choices;
    if (!m_choices.contains(QString()))
        m_choices.prepend(QString());
    setShownText(shownText());
}

void FieldEditor::load(const store::Record &from)
{
    const int f = m_decl.field;
    m_loadedValue = from.value(f);
    switch (m_decl.edit) {
    case Edit::Check:
        static_cast<QCheckBox *>(m_widget)->setChecked(from.number(f) != 0);
        return;
    case Edit::Option: {
        const int chosen =
            int(std::find_if(m_decl.choices.begin(), m_decl.choices.end(),
                             [&](const char *c) {
                                 return from.text(f).compare(text(c), Qt::CaseInsensitive) == 0;
                             }) -
                m_decl.choices.begin());
        if (QAbstractButton *option = m_options->button(chosen)) {
            option->setChecked(true);
        } else {
            // No option is chosen for a value outside the choices.
            m_options->setExclusive(false);
            for (QAbstractButton *b : m_options->buttons())
                b->setChecked(false);
            m_options->setExclusive(true);
        }
        return;
    }
    case Edit::Number:
        static_cast<QSpinBox *>(m_widget)->setValue(int(from.number(f)));
        return;
    case Edit::Date:
    case Edit::DateDisplay:
        m_loadedText = store::pictures::formatDate(from.number(f), datePicture());
        break;
    case Edit::Time:
    case Edit::TimeDisplay:
        m_loadedText = store::pictures::formatTime(from.number(f));
        break;
    case Edit::Text:
    case Edit::DropList:
    case Edit::Memo:
        m_loadedText = from.text(f);
        break;
    }
    setShownText(m_loadedText);
}

QString FieldEditor::take(store::Record &into) const
{
    const int f = m_decl.field;
    switch (m_decl.edit) {
    case Edit::Check:
        into.setNumber(f, static_cast<QCheckBox *>(m_widget)->isChecked() ? 1 : 0);
        return QString();
    case Edit::Option:
        if (const int chosen = m_options->checkedId(); chosen >= 0)
            into.setText(f, text(m_decl.choices.at(std::size_t(chosen))));
        return QString();
    case Edit::Number:
        into.setNumber(f, static_cast<QSpinBox *>(m_widget)->value());
        return QString();
    case Edit::DateDisplay:
    case Edit::TimeDisplay:
        return QString();
    case Edit::Text:
    case Edit::DropList:
    case Edit::Memo:
    case Edit::Date:
    case Edit::Time:
        break;
    }
    const QString shown = shownText();
    if (shown == m_loadedText) {
        into.setValue(f, m_loadedValue);
        return QString();
    }
    if (m_decl.edit == Edit::Text || m_decl.edit == Edit::DropList || m_decl.edit == Edit::Memo) {
        into.setText(f, shown);
        return QString();
    }
    const QString trimmed = shown.trimmed();
    if (m_decl.edit == Edit::Date) {
        const qint64 day =
            trimmed.isEmpty()
                ? 0
                : store::pictures::parseDate(trimmed, datePicture(), QDate::currentDate().year());
        if (!trimmed.isEmpty() && day == 0)
            return QStringLiteral("\"%1\" is not a date. Type it like %2.")
                .arg(trimmed, store::pictures::formatDate(
                                  store::dates::dayNumber(QDate(1959, 10, 31)), datePicture()));
        into.setNumber(f, day);
        return QString();
    }
    const qint64 time = trimmed.isEmpty() ? 0 : store::pictures::parseTime(trimmed);
    if (!trimmed.isEmpty() && time == 0)
        return QStringLiteral("\"%1\" is not a time of day. Type it like 5:30PM.").arg(trimmed);
    into.setNumber(f, time);
    return QString();
}

void FieldEditor::setShown(bool shown)
{
    m_widget->setVisible(shown);
    if (m_label)
        m_label->setVisible(shown);
}

bool FieldEditor::isShown() const
{
    return !m_widget->isHidden();
}

void FieldEditor::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
    if (m_label)
        m_label->setEnabled(enabled);
}

} // namespace toolkit
