#include "store/Record.h"

#include "store/Text.h"

#include <algorithm>

namespace store {

namespace {

// Qt binds a null QString as SQL NULL; blank text must be stored as ''.
QString blankText()
{
    return QStringLiteral("");
}

QVariant blankValue(const FieldDef &f)
{
    return f.isText() ? QVariant(blankText()) : QVariant(qint64(0));
}

qint64 decimalLimit(int bytes)
{
    qint64 limit = 1;
    for (int digit = 0; digit < 2 * bytes - 1; ++digit)
        limit *= 10;
    return limit - 1;
}

qint64 fitNumber(const FieldDef &f, qint64 v)
{
    switch (f.type) {
    case FieldType::Byte:
        return static_cast<quint8>(v);
    case FieldType::Short:
        return static_cast<qint16>(v);
    case FieldType::Long:
    case FieldType::Date:
    case FieldType::Time:
        return static_cast<qint32>(v);
    case FieldType::Decimal:
        return std::clamp(v, -decimalLimit(f.width), decimalLimit(f.width));
    default:
        return v;
    }
}

QString fitText(const FieldDef &f, QString v)
{
    if (v.size() > f.maxChars())
        v.truncate(f.maxChars());
    if (f.type != FieldType::Memo)
        v = withoutTrailingBlanks(v);
    return v.isNull() ? blankText() : v;
}

} // namespace

Record::Record(const TableDef &def) : m_def(&def)
{
    m_values.reserve(def.fields.size());
    for (const FieldDef &f : def.fields)
        m_values.push_back(blankValue(f));
}

QString Record::text(int field) const
{
    Q_ASSERT(m_def->fields.at(field).isText());
    return m_values.at(field).toString();
}

qint64 Record::number(int field) const
{
    Q_ASSERT(!m_def->fields.at(field).isText());
    return m_values.at(field).toLongLong();
}

void Record::setText(int field, const QString &value)
{
    const FieldDef &f = m_def->fields.at(field);
    Q_ASSERT(f.isText());
    m_values[field] = fitText(f, value);
}

void Record::setNumber(int field, qint64 value)
{
    const FieldDef &f = m_def->fields.at(field);
    Q_ASSERT(!f.isText());
    m_values[field] = fitNumber(f, value);
}

void Record::setValue(int field, const QVariant &value)
{
    if (m_def->fields.at(field).isText())
        setText(field, value.toString());
    else
        setNumber(field, value.toLongLong());
}

bool Record::isBlank(int field) const
{
    return m_def->fields.at(field).isText() ? text(field).isEmpty() : number(field) == 0;
}

void Record::clear()
{
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_values[i] = blankValue(m_def->fields[i]);
    m_position = 0;
    m_revision = 0;
}

void Record::setStored(qint64 position, qint64 revision)
{
    m_position = position;
    m_revision = revision;
}

bool Record::sameValues(const Record &other) const
{
    return m_def == other.m_def && m_values == other.m_values;
}

} // namespace store
