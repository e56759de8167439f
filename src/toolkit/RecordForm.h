#pragma once

#include "store/FormController.h"
#include "toolkit/FormDecl.h"

#include <QDialog>

#include <vector>

namespace store {
class RecordContext;
}

namespace toolkit {

class FieldEditor;

// A record form built from its declaration, following the record form protocol for the
// request in the context: an insert numbers its record where the table is auto-numbered, a
// change writes only what changed, a delete asks and deletes without showing the form.
class RecordForm final : public QDialog {
    Q_OBJECT

public:
    // Runs the form; the response is left in the context, and so is the record.
    static store::Response run(const FormDecl &decl, store::RecordContext &ctx,
                               QWidget *parent = nullptr);

    RecordForm(const FormDecl &decl, store::RecordContext &ctx, QWidget *parent = nullptr);
    ~RecordForm() override;

    void accept() override;
    void reject() override;

private:
    void build();
    void load(const store::Record &from);
    // The validation pass: every field in tab order; false (with the message shown and the
    // field focused) at the first that is not acceptable.
    bool validate();
    void recallUserValue(FieldEditor &editor);
    void savePosition();

    const FormDecl &m_decl;
    store::RecordContext &m_ctx;
    store::FormController m_controller;
    std::vector<FieldEditor *> m_editors;
};

} // namespace toolkit
