#include "toolkit/MessageBoxPresenter.h"

#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>
#include <vector>

namespace toolkit {

namespace {

using store::Button;
using store::Buttons;

std::vector<Button> buttonsOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return {Button::Ok};
    case Buttons::OkCancel:
        return {Button::Ok, Button::Cancel};
    case Buttons::YesNo:
        return {Button::Yes, Button::No};
    case Buttons::YesNoCancel:
        return {Button::Yes, Button::No, Button::Cancel};
    case Buttons::RetryCancel:
        return {Button::Retry, Button::Cancel};
    }
    return {Button::Ok};
}

QMessageBox::StandardButton standardButton(Button b)
{
    switch (b) {
    case Button::Ok:
        return QMessageBox::Ok;
    case Button::Cancel:
        return QMessageBox::Cancel;
    case Button::Yes:
        return QMessageBox::Yes;
    case Button::No:
        return QMessageBox::No;
    case Button::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(store::Icon icon)
{
    switch (icon) {
    case store::Icon::Question:
        return QMessageBox::Question;
    case store::Icon::Information:
        return QMessageBox::Information;
    case store::Icon::None:
        return QMessageBox::NoIcon;
    case store::Icon::Exclamation:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

MessageBoxPresenter::MessageBoxPresenter(QWidget *parent, std::function<void()> endProgram)
    : m_parent(parent), m_endProgram(std::move(endProgram))
{}

std::function<void()> MessageBoxPresenter::defaultEnd()
{
    return [] { std::exit(EXIT_FAILURE); };
}

Button MessageBoxPresenter::present(const store::StandardMessage &message)
{
    QMessageBox box(iconOf(message.icon), message.caption, message.text, QMessageBox::NoButton,
                    m_parent);
    const std::vector<Button> buttons = buttonsOf(message.buttons);
    for (Button b : buttons)
        box.addButton(standardButton(b));
    box.setDefaultButton(standardButton(message.defaultButton));
    // Escape answers the way that changes nothing: the last button (No or Cancel), or OK.
    box.setEscapeButton(box.button(standardButton(buttons.back())));
    box.exec();
    const QAbstractButton *clicked = box.clickedButton();
    for (Button b : buttons) {
        if (clicked == box.button(standardButton(b)))
            return b;
    }
    return buttons.back();
}

void MessageBoxPresenter::halt(const QString &text)
{
    QMessageBox::critical(m_parent, QStringLiteral("Halt"), text);
    m_endProgram();
}

} // namespace toolkit
