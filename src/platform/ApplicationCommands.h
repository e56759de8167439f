#pragma once

#include <QString>
#include <QVariantList>

#include <optional>

// Commands to other running applications over the desktop's session bus. The application is
// the bus name it holds (org.example.Editor), the topic an object path of it (/documents/1;
// blank for "/"), and the command a method call written as text:
//
//     [interface.]Method[(argument, ...)]
//
// An argument is "text" in double quotes (\" and \\ inside), a whole number, a decimal
// number, true or false; anything else is taken as text. Examples: Quit,
// org.example.Editor.Open("/home/me/notes.txt"), Zoom(150).
namespace platform {

struct MethodCall {
    QString interface; // blank: whichever interface of the object has the method
    QString method;
    QVariantList arguments;
};

// The call a command text writes; nullopt when it names no method.
std::optional<MethodCall> parseMethodCall(const QString &command);

// Sends the command to the application's object without waiting for an answer, so a slow or
// unwilling application never holds the caller, and an error it answers is ignored. Nothing
// is sent, and false returned, when the application is not running or the command or topic
// cannot be written as a call.
bool sendApplicationCommand(const QString &application, const QString &topic,
                            const QString &command);

} // namespace platform
