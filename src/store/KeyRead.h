#pragma once

#include "store/Record.h"
#include "store/StoreError.h"

#include <QList>
#include <QVariant>

#include <optional>
#include <vector>

namespace store {

class Connection;

enum class Direction { Forward, Backward };

// A read of a table in the order of one of its keys, the way the program positions a key and
// reads on: from a key value (or from a row already seen), forwards or backwards, a limited
// number of rows, optionally only rows whose fields hold given values. Rows of equal key value
// come in the order they were stored. Records left out of a blanks-out key are never returned.
class KeyRead final {
public:
    KeyRead(const TableDef &def, int key);

    // Start at the key value held in the key's fields of `values` (other fields are ignored).
    KeyRead &from(const Record &values);
    // Start just after (or, inclusive, at) a row read before: paging on from a visible row.
    KeyRead &after(const Record &row);
    KeyRead &at(const Record &row);
    KeyRead &backward();
    // Only rows whose field holds exactly this value (case and blanks as stored), or the same
    // value without regard to case.
    KeyRead &where(int field, const QVariant &value);
    KeyRead &whereNoCase(int field, const QVariant &value);
    // Only the rows at these positions (the records a user has marked in a list, say).
    KeyRead &onlyPositions(const QList<qint64> &positions);
    KeyRead &limit(int rows);

    // No rows is not an error.
    StoreError read(Connection &c, std::vector<Record> *rows) const;
    // The first row, or RecordNotAvailable when there is none.
    StoreError first(Connection &c, Record *row) const;

private:
    struct Start {
        std::vector<QVariant> values;
        std::optional<qint64> position;
        bool inclusive = true;
    };
    struct Match {
        int field;
        QVariant value;
        bool noCase;
    };

    QString statementText() const;

    const TableDef *m_def;
    int m_key;
    Direction m_direction = Direction::Forward;
    std::optional<Start> m_start;
    std::vector<Match> m_matches;
    std::optional<QList<qint64>> m_positions;
    int m_limit = -1;
};

} // namespace store
