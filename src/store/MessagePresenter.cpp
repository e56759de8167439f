#include "store/MessagePresenter.h"

namespace store {

Button MessagePresenter::show(int number, const MessageArgs &args)
{
    const StandardMessage message = standardMessage(number, args);
    const Button answer = present(message);
    if (message.haltsAfter(answer))
        halt(message.haltText);
    return answer;
}

void MessagePresenter::notify(const QString &caption, const QString &text)
{
    StandardMessage m;
    m.caption = caption;
    m.text = text;
    present(m);
}

void MessagePresenter::inform(const QString &caption, const QString &text)
{
    StandardMessage m;
    m.caption = caption;
    m.text = text;
    m.icon = Icon::Information;
    present(m);
}

Button MessagePresenter::ask(const QString &caption, const QString &text)
{
    StandardMessage m;
    m.caption = caption;
    m.text = text;
    m.buttons = Buttons::YesNo;
    m.defaultButton = Button::No;
    return present(m);
}

} // namespace store
