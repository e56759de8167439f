#include "store/TableDef.h"

namespace store {

bool FieldDef::isText() const
{
    return type == FieldType::String || type == FieldType::CString || type == FieldType::Memo;
}

int FieldDef::maxChars() const
{
    return type == FieldType::CString ? width - 1 : width;
}

int FieldDef::recordBytes() const
{
    switch (type) {
    case FieldType::String:
    case FieldType::CString:
    case FieldType::Decimal:
        return width;
    case FieldType::Byte:
        return 1;
    case FieldType::Short:
        return 2;
    case FieldType::Long:
    case FieldType::Date:
    case FieldType::Time:
        return 4;
    case FieldType::Memo:
        return 0;
    }
    return 0;
}

QString TableDef::storedName() const
{
    if (version == 0)
        return QString::fromLatin1(fileSpelling);
    return QString::fromLatin1(fileSpelling) + QStringLiteral("\\!") +
           QString::fromLatin1(internalName);
}

QString TableDef::fieldName(int field) const
{
    return QString::fromLatin1(prefix) + u':' + QString::fromLatin1(fields.at(field).name);
}

QString TableDef::keyName(int key) const
{
    return QString::fromLatin1(prefix) + u':' + QString::fromLatin1(keys.at(key).name);
}

QString TableDef::keyDisplayName(int key) const
{
    const char *display = keys.at(key).displayName;
    return display ? QString::fromLatin1(display) : keyName(key);
}

int TableDef::fieldIndex(const QString &columnName) const
{
    for (int i = 0; i < int(fields.size()); ++i) {
        if (columnName.compare(QLatin1String(fields[i].name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TableDef::recordBytes() const
{
    int bytes = 0;
    for (const FieldDef &f : fields)
        bytes += f.recordBytes();
    return bytes;
}

int TableDef::memoCount() const
{
    int n = 0;
    for (const FieldDef &f : fields)
        n += f.type == FieldType::Memo ? 1 : 0;
    return n;
}

} // namespace store
