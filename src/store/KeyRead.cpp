#include "store/KeyRead.h"

#include "store/RecordIo.h"
#include "store/Sql.h"
#include "store/Statement.h"

#include <QStringList>

namespace store {

namespace {

// Blank text is stored as an empty text, never as NULL, so a value without characters is
// compared as one.
QVariant comparable(const FieldDef &f, const QVariant &value)
{
    return f.isText() && value.toString().isEmpty() ? QVariant(QStringLiteral("")) : value;
}

} // namespace

KeyRead::KeyRead(const TableDef &def, int key) : m_def(&def), m_key(key) {}

KeyRead &KeyRead::from(const Record &values)
{
    Start s;
    for (int field : m_def->keys.at(m_key).components)
        s.values.push_back(values.value(field));
    m_start = std::move(s);
    return *this;
}

KeyRead &KeyRead::after(const Record &row)
{
    from(row);
    m_start->position = row.position();
    m_start->inclusive = false;
    return *this;
}

KeyRead &KeyRead::at(const Record &row)
{
    from(row);
    m_start->position = row.position();
    return *this;
}

KeyRead &KeyRead::backward()
{
    m_direction = Direction::Backward;
    return *this;
}

KeyRead &KeyRead::where(int field, const QVariant &value)
{
    m_matches.push_back({field, comparable(m_def->fields.at(field), value), false});
    return *this;
}

KeyRead &KeyRead::whereNoCase(int field, const QVariant &value)
{
    m_matches.push_back({field, comparable(m_def->fields.at(field), value), true});
    return *this;
}

KeyRead &KeyRead::onlyPositions(const QList<qint64> &positions)
{
    m_positions = positions;
    return *this;
}

KeyRead &KeyRead::limit(int rows)
{
    m_limit = rows;
    return *this;
}

QString KeyRead::statementText() const
{
    const KeyDef &key = m_def->keys.at(m_key);
    const bool forward = m_direction == Direction::Forward;
    QStringList conditions;
    if (const QString blanks = sql::blanksCondition(*m_def, m_key); !blanks.isEmpty())
        conditions << blanks;
    if (m_start) {
        // A row-value comparison; the collation sits on the bound side so that SQLite can
        // still search the case-insensitive index.
        QStringList left;
        QStringList right;
        for (int field : key.components) {
            const FieldDef &f = m_def->fields.at(field);
            left << sql::quoted(f.name);
            right << (key.has(NoCase) && f.isText() ? QStringLiteral("? COLLATE NOCASE")
                                                    : QStringLiteral("?"));
        }
        if (m_start->position) {
            left << QStringLiteral("rowid");
            right << QStringLiteral("?");
        }
        const QString op = forward
                               ? (m_start->inclusive ? QStringLiteral(">=") : QStringLiteral(">"))
                               : (m_start->inclusive ? QStringLiteral("<=") : QStringLiteral("<"));
        conditions << QStringLiteral("(%1) %2 (%3)").arg(left.join(u", "), op, right.join(u", "));
    }
    for (const Match &m : m_matches) {
        conditions << sql::quoted(m_def->fields.at(m.field).name) +
                          (m.noCase ? QStringLiteral(" = ? COLLATE NOCASE")
                                    : QStringLiteral(" = ?"));
    }
    // The positions go in as one JSON array, so the statement text, and the prepared statement
    // kept for it, is the same however many there are.
    if (m_positions)
        conditions << QStringLiteral("rowid IN (SELECT value FROM json_each(?))");
    QStringList order;
    const QString direction = forward ? QString() : QStringLiteral(" DESC");
    for (int c = 0; c < int(key.components.size()); ++c)
        order << sql::keyTerm(*m_def, m_key, c) + direction;
    order << QStringLiteral("rowid") + direction;

    QString text = QStringLiteral("SELECT %1 FROM %2")
                       .arg(sql::selectList(*m_def), sql::quoted(m_def->internalName));
    if (!conditions.isEmpty())
        text += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    text += QStringLiteral(" ORDER BY ") + order.join(u", ");
    if (m_limit >= 0)
        text += QStringLiteral(" LIMIT %1").arg(m_limit);
    return text;
}

StoreError KeyRead::read(Connection &c, std::vector<Record> *rows) const
{
    rows->clear();
    Statement q(c, statementText());
    int bind = 0;
    if (m_start) {
        for (const QVariant &v : m_start->values)
            q.bindValue(bind++, v);
        if (m_start->position)
            q.bindValue(bind++, *m_start->position);
    }
    for (const Match &m : m_matches)
        q.bindValue(bind++, m.value);
    if (m_positions) {
        QStringList numbers;
        for (qint64 p : *m_positions)
            numbers << QString::number(p);
        q.bindValue(bind++, QString(u'[' + numbers.join(u',') + u']'));
    }
    if (StoreError e = q.exec(); !e.ok())
        return e;
    while (q.next()) {
        rows->emplace_back(*m_def);
        readRow(q.query(), &rows->back());
    }
    return {};
}

StoreError KeyRead::first(Connection &c, Record *row) const
{
    std::vector<Record> rows;
    KeyRead one = *this;
    one.limit(1);
    if (StoreError e = one.read(c, &rows); !e.ok())
        return e;
    if (rows.empty())
        return StoreError(ErrorCode::RecordNotAvailable);
    *row = rows.front();
    return {};
}

} // namespace store
