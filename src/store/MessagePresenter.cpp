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

namespace {

StandardMessage ownMessage(const QString &caption, const QString &text, Icon icon,
                           Buttons buttons = Buttons::Ok, Button defaultButton = Button::Ok)
{
    StandardMessage m;
    m.caption = caption;
    m.text = text;
    m.icon = icon;
    m.buttons = buttons;
    m.defaultButton = defaultButton;
    return m;
}

} // namespace

void MessagePresenter::notify(const QString &caption, const QString &text)
{
    present(ownMessage(caption, text, Icon::Exclamation));
}

void MessagePresenter::inform(const QString &caption, const QString &text)
{
    present(ownMessage(caption, text, Icon::Information));
}

void MessagePresenter::plain(const QString &caption, const QString &text)
{
    present(ownMessage(caption, text, Icon::None));
}

Button MessagePresenter::ask(const QString &caption, const QString &text)
{
    return present(ownMessage(caption, text, Icon::Exclamation, Buttons::YesNo, Button::No));
}

Button MessagePresenter::confirm(const QString &caption, const QString &text)
{
    return present(ownMessage(caption, text, Icon::Question, Buttons::YesNo, Button::No));
}

} // namespace store
