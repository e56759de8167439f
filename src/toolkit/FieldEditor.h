#pragma once

#include "toolkit/FormDecl.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class QButtonGroup;
class QLabel;
class QWidget;

namespace store {
class Record;
}

namespace toolkit {

// The control that edits one field of a form, made from the field's declaration: it shows the
// field's value, reads back what was typed, and says when the user has finished with it.
class FieldEditor final : public QObject {
    Q_OBJECT

public:
    FieldEditor(const FieldDecl &decl, const store::TableDef &table, QObject *parent = nullptr);
    ~FieldEditor() override;

    const FieldDecl &decl() const { return m_decl; }
    int field() const { return m_decl.field; }
    // The control; a check box or option group carries its own prompt.
    QWidget *widget() const { return m_widget; }
    // The prompt beside the control, or nullptr.
    QLabel *label() const { return m_label; }
    // The widget that takes the focus (the chosen option of a group).
    QWidget *focusWidget() const;

    void load(const store::Record &from);
    // Takes the control's value into the record; the reason when it cannot be read (the
    // record's field is then left as it was). A value shown and not edited goes back as it
    // came, even where the control shows less of it (seconds of a time, say).
    QString take(store::Record &into) const;

    // The names a drop list offers; a stored value not among them is offered too.
    void setChoices(const QStringList &choices);
    void setShown(bool shown);
    void setEnabled(bool enabled);
    bool isShown() const;

signals:
    // The user finished with the field: left a typed field, checked a box, chose an option.
    void accepted();
    void focusEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString shownText() const;
    void setShownText(const QString &text);
    QString datePicture() const;

    FieldDecl m_decl;
    int m_maxChars;
    QWidget *m_widget = nullptr;
    QLabel *m_label = nullptr;
    QButtonGroup *m_options = nullptr;
    QStringList m_choices;
    QString m_loadedText;
    QVariant m_loadedValue;
};

} // namespace toolkit
