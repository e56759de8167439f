#pragma once

#include "store/Record.h"
#include "store/RecordContext.h"

namespace store {

// The record form protocol without the widgets: what a form does with the context's current
// record when it opens, when the user confirms and when the user cancels, for the request the
// caller put into the context. The form sets the context's response before it closes.
class FormController final {
public:
    FormController(RecordContext &ctx, TableId id);

    Request request() const { return m_request; }

    // Call as the form opens. An insert numbers and reserves its record where the table is
    // auto-numbered; a change remembers the record as read; a delete asks for confirmation
    // and deletes. False: the form closes at once, its response set.
    bool open();
    // OK, after the form's validation pass accepted every field. True: the form closes, its
    // response set; false: it stays open (a message said why, or another station's values
    // are now shown).
    bool accept();
    // Cancel: closes as cancelled; a reserved new record is removed again.
    void cancel();

private:
    bool acceptInsert();
    bool acceptChange();
    bool close(Response response);

    RecordContext &m_ctx;
    TableId m_id;
    Request m_request;
    bool m_reserved = false;
    Record m_asOpened;
};

// The display name of a unique key that the context's current record duplicates; the first
// unique key when none is found.
QString duplicatedKeyName(RecordContext &ctx, TableId id);

} // namespace store
