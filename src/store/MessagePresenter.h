#pragma once

#include "store/StandardMessage.h"

namespace store {

// Shows standard messages: message boxes in the program, a scripted answerer in tests.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;

    // Shows the message and returns the button the user pressed.
    virtual Button present(const StandardMessage &message) = 0;
    // Shows a box captioned "Halt" with the text; the program is ending and callers return
    // at once without touching the store again.
    virtual void halt(const QString &text) = 0;

    // The standard message routine: shows message `number` and, when the message says so,
    // ends the program. Returns the button pressed.
    Button show(int number, const MessageArgs &args = {});
    // A message of the program's own, not one of the numbered ones: an OK box with the
    // exclamation icon, or a Yes/No question whose default is No.
    void notify(const QString &caption, const QString &text);
    void inform(const QString &caption, const QString &text); // with the information icon
    void plain(const QString &caption, const QString &text);  // no icon
    Button ask(const QString &caption, const QString &text);
    Button confirm(const QString &caption, const QString &text); // the same with the question icon
};

} // namespace store
