#include "script/ScriptFile.h"

#include "script/Actions.h"
#include "store/Tables.h"
#include "store/Text.h"

namespace script::scriptfile {

namespace {

constexpr int FileFields = 6;

QString quoted(const QString &value, int chars)
{
    QString text = store::withoutTrailingBlanks(value).left(chars);
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

// The fields of a line: quoted ones with doubled quotes inside, and, leniently, unquoted ones
// up to the next comma.
QStringList fieldsOf(const QString &text)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i <= n && fields.size() < FileFields) {
        QString field;
        if (i < n && text.at(i) == u'"') {
            for (++i; i < n; ++i) {
                if (text.at(i) != u'"') {
                    field += text.at(i);
                } else if (i + 1 < n && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            // Anything between the closing quote and the comma is not part of the value.
            while (i < n && text.at(i) != u',')
                ++i;
        } else {
            while (i < n && text.at(i) != u',')
                field += text.at(i++);
        }
        fields << field;
        ++i; // the comma
    }
    return fields;
}

const ActionDef *exportedDefOf(const QString &type)
{
    for (const ActionDef &def : actionDefs()) {
        if (def.exported && QString::fromLatin1(def.name).left(TypeChars) == type)
            return &def;
    }
    return nullptr;
}

} // namespace

std::optional<QString> exportLine(const store::Record &line)
{
    const QString action = line.text(store::SCR::ACTION);
    const ActionDef *def = exportedDefOf(action.left(TypeChars));
    if (!def || action != QLatin1String(def->name))
        return std::nullopt;
    QStringList fields{quoted(action, TypeChars)};
    for (const store::SCR::Field field : def->fileFields) {
        const bool text = line.def().fields.at(field).isText();
        fields << quoted(text ? line.text(field) : QString::number(line.number(field)), ValueChars);
    }
    while (fields.size() < FileFields)
        fields << QStringLiteral("\"\"");
    return fields.join(u',');
}

std::optional<store::Record> importLine(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    const ActionDef *def =
        exportedDefOf(store::withoutTrailingBlanks(fields.value(0).left(TypeChars)));
    if (!def)
        return std::nullopt;
    store::Record line(store::SCR::table());
    line.setText(store::SCR::ACTION, QString::fromLatin1(def->name));
    for (size_t i = 0; i < def->fileFields.size(); ++i) {
        const QString value = fields.value(qsizetype(i) + 1).left(ValueChars);
        line.setValue(def->fileFields[i], line.def().fields.at(def->fileFields[i]).isText()
                                              ? QVariant(value)
                                              : QVariant(value.trimmed().toLongLong()));
    }
    return line;
}

} // namespace script::scriptfile
