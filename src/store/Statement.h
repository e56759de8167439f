#pragma once

#include "store/Connection.h"
#include "store/StoreError.h"

#include <QSqlError>
#include <QSqlQuery>

namespace store {

// A connection's prepared statement for the length of one use. Finishing it on the way out
// releases SQLite's read snapshot at once, so a kept statement never holds back other writers.
// When it could not be prepared, exec() reports why and next() finds no row.
class Statement final {
public:
    Statement(Connection &c, const QString &sql) : m_q(c.statement(sql, &m_prepareError)) {}
    ~Statement()
    {
        if (m_q)
            m_q->finish();
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bindValue(int pos, const QVariant &value)
    {
        if (m_q)
            m_q->bindValue(pos, value);
    }
    StoreError exec()
    {
        if (!m_q)
            return m_prepareError;
        if (!m_q->exec())
            return StoreError::fromSql(m_q->lastError());
        return {};
    }
    bool next() { return m_q && m_q->next(); }
    QVariant value(int column) const { return m_q->value(column); }
    const QSqlQuery &query() const { return *m_q; }
    int numRowsAffected() const { return m_q->numRowsAffected(); }
    QVariant lastInsertId() const { return m_q->lastInsertId(); }

private:
    StoreError m_prepareError;
    QSqlQuery *m_q;
};

} // namespace store
