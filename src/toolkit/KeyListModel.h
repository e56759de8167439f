#pragma once

#include "store/Record.h"
#include "store/StoreError.h"
#include "toolkit/ListDecl.h"

#include <QAbstractTableModel>

#include <deque>
#include <optional>

namespace store {
class RecordContext;
}

namespace toolkit {

// The rows of a table in the order of one key, held a few pages at a time around what the
// list shows. Pages are read by key from a row already held (never by counting or skipping
// rows), so a list over a million records is as quick as one over ten. The model grows at
// either end as the view nears it and drops rows far from it.
class KeyListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int PageRows = 60;
    static constexpr int MostRows = 5 * PageRows;

    KeyListModel(store::RecordContext &ctx, store::TableId table, std::vector<ColumnDecl> columns,
                 QObject *parent = nullptr);

    store::TableId table() const { return m_table; }
    int key() const { return m_key; }
    void setOrder(int key, Filter filter);

    // Fills the model around the record (by its key values and position), or with the first
    // rows when there is none. Returns the row of that record, or of the first one after it in
    // the key order, or -1 when the list is empty.
    int reload(const store::Record *at = nullptr);
    int showFirst();
    int showLast();
    // About the fraction of the way through the list (0 first, 1 last); returns a row near it.
    int showFraction(double fraction);
    // The first row whose key values are at or after these.
    int showKeyValues(const store::Record &values);

    bool atStart() const { return m_atStart; }
    bool atEnd() const { return m_atEnd; }
    // Reads a page before the first row or after the last; the number of rows added.
    int fetchBefore();
    int fetchAfter();
    // Drops rows at one end; the number dropped.
    int trimFront(int rows);
    int trimBack(int rows);

    const store::Record &record(int row) const { return m_rows.at(std::size_t(row)); }
    int rowOf(qint64 position) const;
    // Where the row stands in the whole list, 0 to 1, estimated from its key values.
    double fractionAt(int row) const;
    // The failure of the last read; the list is left as it was.
    const store::StoreError &lastError() const { return m_error; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    store::KeyRead baseRead() const;
    bool read(const store::KeyRead &read, std::vector<store::Record> *rows);
    void replace(std::vector<store::Record> rows, bool atStart, bool atEnd);
    store::StoreError endpoints(store::Record *first, store::Record *last) const;

    store::RecordContext &m_ctx;
    store::TableId m_table;
    std::vector<ColumnDecl> m_columns;
    int m_key = 0;
    Filter m_filter;
    std::deque<store::Record> m_rows;
    bool m_atStart = true;
    bool m_atEnd = true;
    store::StoreError m_error;
};

// The text a column shows for a record.
QString columnText(const store::Record &record, const ColumnDecl &column);

} // namespace toolkit
