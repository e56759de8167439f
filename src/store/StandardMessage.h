#pragma once

#include "store/StoreError.h"
#include "store/TableDef.h"

#include <QString>

namespace store {

enum class Button { Ok, Cancel, Yes, No, Retry };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { Exclamation, Question, Information, None };

// What a numbered message is told about the failure it reports.
struct MessageArgs {
    StoreError error;
    QString file;           // the table's label, or its stored name for messages 1 to 5 and 30
    QString op;             // "Update" or "Delete"
    QString key;            // a key's display name
    QString field;          // a field's prompt
    QString range;          // "1 and 10"
    bool alternate = false; // 29: reading up instead of down; 31: the delete variant
};

struct StandardMessage {
    int number = 0;
    QString caption;
    QString text;
    Icon icon = Icon::Exclamation;
    Buttons buttons = Buttons::Ok;
    Button defaultButton = Button::Ok;
    // When set, the program ends after the message, showing this in a "Halt" box; for a
    // question it ends only when the answer is haltOn.
    QString haltText;
    Button haltOn = Button::Ok;

    bool haltsAfter(Button answer) const { return !haltText.isEmpty() && answer == haltOn; }
};

// The numbered message 1 to 38 with its caption, text, buttons and what follows it.
StandardMessage standardMessage(int number, const MessageArgs &args = {});

// The arguments of a message about a table: its label and what went wrong.
MessageArgs argsFor(TableId id, const StoreError &e = {});

} // namespace store
