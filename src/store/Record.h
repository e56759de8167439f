#pragma once

#include "store/TableDef.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace store {

// A record buffer of one table: the values of its fields plus where it came from. Text is kept
// as stored: trailing blanks removed and cut to the field's width; numbers are cut to the range
// of their storage type, as the fixed-size field would hold them.
class Record final {
public:
    explicit Record(const TableDef &def);

    const TableDef &def() const { return *m_def; }

    QString text(int field) const;
    qint64 number(int field) const;
    const QVariant &value(int field) const { return m_values.at(field); }

    void setText(int field, const QString &value);
    void setNumber(int field, qint64 value);
    // Sets a text or a number, whichever the field is; used when values come from SQL or files.
    void setValue(int field, const QVariant &value);

    bool isBlank(int field) const;
    // Blanks every field and forgets the record's position.
    void clear();

    // Where the record is stored (its rowid), 0 for a record not read from or added to a table.
    qint64 position() const { return m_position; }
    // The change counter seen when the record was read; a write compares it with the stored one.
    qint64 revision() const { return m_revision; }
    void setStored(qint64 position, qint64 revision);

    // Field values equal, position and revision aside.
    bool sameValues(const Record &other) const;

private:
    const TableDef *m_def;
    std::vector<QVariant> m_values;
    qint64 m_position = 0;
    qint64 m_revision = 0;
};

} // namespace store
