#include "platform/ApplicationCommands.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <algorithm>
#include <limits>

namespace platform {

namespace {

// Reads the arguments of "(a, "b", 3)" from just after the opening bracket; false when the
// list is not closed.
bool readArguments(const QString &text, qsizetype i, QVariantList *arguments)
{
    const qsizetype n = text.size();
    const auto skipBlanks = [&] {
        while (i < n && text.at(i).isSpace())
            ++i;
    };
    skipBlanks();
    if (i < n && text.at(i) == u')')
        return text.mid(i + 1).trimmed().isEmpty();
    for (;;) {
        skipBlanks();
        if (i < n && text.at(i) == u'"') {
            QString value;
            for (++i; i < n && text.at(i) != u'"'; ++i) {
                if (text.at(i) == u'\\' && i + 1 < n)
                    ++i;
                value += text.at(i);
            }
            if (i >= n)
                return false;
            ++i;
            *arguments << value;
        } else {
            const qsizetype start = i;
            while (i < n && text.at(i) != u',' && text.at(i) != u')')
                ++i;
            const QString word = text.mid(start, i - start).trimmed();
            bool whole = false;
            bool decimal = false;
            const qlonglong number = word.toLongLong(&whole);
            const double real = word.toDouble(&decimal);
            if (whole && number >= std::numeric_limits<int>::min() &&
                number <= std::numeric_limits<int>::max())
                *arguments << int(number);
            else if (whole)
                *arguments << number;
            else if (decimal)
                *arguments << real;
            else if (word == QLatin1String("true") || word == QLatin1String("false"))
                *arguments << (word == QLatin1String("true"));
            else
                *arguments << word;
        }
        skipBlanks();
        if (i >= n)
            return false;
        if (text.at(i) == u')')
            return text.mid(i + 1).trimmed().isEmpty();
        if (text.at(i) != u',')
            return false;
        ++i;
    }
}

// "/" or "/" followed by elements of letters, digits and "_" separated by "/".
bool isObjectPath(const QString &path)
{
    if (path == QLatin1String("/"))
        return true;
    if (!path.startsWith(u'/') || path.endsWith(u'/'))
        return false;
    const QStringList elements = path.mid(1).split(u'/');
    return std::all_of(elements.begin(), elements.end(), [](const QString &element) {
        return !element.isEmpty() && std::all_of(element.begin(), element.end(), [](QChar c) {
            return (c.unicode() < 128 && c.isLetterOrNumber()) || c == u'_';
        });
    });
}

} // namespace

std::optional<MethodCall> parseMethodCall(const QString &command)
{
    const QString text = command.trimmed();
    const qsizetype open = text.indexOf(u'(');
    const QString name = (open < 0 ? text : text.left(open)).trimmed();
    if (name.isEmpty() || name.contains(u' '))
        return std::nullopt;
    MethodCall call;
    const qsizetype dot = name.lastIndexOf(u'.');
    call.interface = dot < 0 ? QString() : name.left(dot);
    call.method = name.mid(dot + 1);
    if (call.method.isEmpty())
        return std::nullopt;
    if (open >= 0 && !readArguments(text, open + 1, &call.arguments))
        return std::nullopt;
    return call;
}

bool sendApplicationCommand(const QString &application, const QString &topic,
                            const QString &command)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString service = application.trimmed();
    const QString path = topic.trimmed().isEmpty() ? QStringLiteral("/") : topic.trimmed();
    const std::optional<MethodCall> call = parseMethodCall(command);
    // Asking the bus who holds the name is quick; only a running application is sent anything.
    if (!bus.isConnected() || !call || service.isEmpty() || !isObjectPath(path) ||
        !bus.interface()->isServiceRegistered(service).value())
        return false;
    QDBusMessage message =
        QDBusMessage::createMethodCall(service, path, call->interface, call->method);
    message.setArguments(call->arguments);
    message.setAutoStartService(false);
    return bus.send(message);
}

} // namespace platform
