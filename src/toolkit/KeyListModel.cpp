#include "toolkit/KeyListModel.h"

#include "store/KeyRead.h"
#include "store/Pictures.h"
#include "store/RecordContext.h"
#include "store/Settings.h"
#include "store/Tables.h"
#include "toolkit/KeyPosition.h"

#include <algorithm>

namespace toolkit {

using store::KeyRead;
using store::Record;

QString columnText(const Record &record, const ColumnDecl &column)
{
    switch (column.show) {
    case Show::Text:
        return record.text(column.field);
    case Show::Number:
        return QString::number(record.number(column.field));
    case Show::Date:
        return store::FormatDate(record.number(column.field));
    case Show::DatePicture:
        return store::pictures::formatDate(record.number(column.field),
                                           QLatin1String(column.picture));
    case Show::Time:
        return store::pictures::formatTime(record.number(column.field));
    case Show::Picture:
        return QString();
    }
    return QString();
}

KeyListModel::KeyListModel(store::RecordContext &ctx, store::TableId table,
                           std::vector<ColumnDecl> columns, QObject *parent)
    : QAbstractTableModel(parent), m_ctx(ctx), m_table(table), m_columns(std::move(columns))
{}

void KeyListModel::setOrder(int key, Filter filter)
{
    m_key = key;
    m_filter = std::move(filter);
}

KeyRead KeyListModel::baseRead() const
{
    KeyRead r(store::tableDef(m_table), m_key);
    if (m_filter)
        m_filter(r);
    return r;
}

bool KeyListModel::read(const KeyRead &r, std::vector<Record> *rows)
{
    m_error = r.read(*m_ctx.connection(m_table), rows);
    return m_error.ok();
}

void KeyListModel::replace(std::vector<Record> rows, bool atStart, bool atEnd)
{
    beginResetModel();
    m_rows.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    m_atStart = atStart;
    m_atEnd = atEnd;
    endResetModel();
}

int KeyListModel::reload(const Record *at)
{
    if (!at)
        return showFirst();
    std::vector<Record> before;
    std::vector<Record> after;
    if (!read(baseRead().after(*at).backward().limit(PageRows / 2), &before) ||
        !read(baseRead().at(*at).limit(PageRows), &after))
        return m_rows.empty() ? -1 : 0;
    const int found = int(before.size());
    const bool atStart = int(before.size()) < PageRows / 2;
    const bool atEnd = int(after.size()) < PageRows;
    std::reverse(before.begin(), before.end());
    before.insert(before.end(), std::make_move_iterator(after.begin()),
                  std::make_move_iterator(after.end()));
    replace(std::move(before), atStart, atEnd);
    if (m_rows.empty())
        return -1;
    return std::min(found, int(m_rows.size()) - 1);
}

int KeyListModel::showFirst()
{
    std::vector<Record> rows;
    if (!read(baseRead().limit(PageRows), &rows))
        return m_rows.empty() ? -1 : 0;
    const bool atEnd = int(rows.size()) < PageRows;
    replace(std::move(rows), true, atEnd);
    return m_rows.empty() ? -1 : 0;
}

int KeyListModel::showLast()
{
    std::vector<Record> rows;
    if (!read(baseRead().backward().limit(PageRows), &rows))
        return m_rows.empty() ? -1 : 0;
    const bool atStart = int(rows.size()) < PageRows;
    std::reverse(rows.begin(), rows.end());
    replace(std::move(rows), atStart, true);
    return int(m_rows.size()) - 1;
}

store::StoreError KeyListModel::endpoints(Record *first, Record *last) const
{
    store::Connection &c = *m_ctx.connection(m_table);
    store::StoreError e = baseRead().first(c, first);
    return e.ok() ? baseRead().backward().first(c, last) : e;
}

int KeyListModel::showFraction(double fraction)
{
    if (fraction <= 0)
        return showFirst();
    if (fraction >= 1)
        return showLast();
    const store::TableDef &def = store::tableDef(m_table);
    Record first(def);
    Record last(def);
    if (m_error = endpoints(&first, &last); !m_error.ok())
        return showFirst();
    return showKeyValues(keyposition::valuesAt(fraction, first, last, m_key));
}

int KeyListModel::showKeyValues(const Record &values)
{
    Record probe = values;
    probe.setStored(0, 0);
    return reload(&probe);
}

int KeyListModel::fetchBefore()
{
    if (m_atStart || m_rows.empty())
        return 0;
    std::vector<Record> rows;
    if (!read(baseRead().after(m_rows.front()).backward().limit(PageRows), &rows))
        return 0;
    m_atStart = int(rows.size()) < PageRows;
    if (rows.empty())
        return 0;
    beginInsertRows(QModelIndex(), 0, int(rows.size()) - 1);
    for (Record &r : rows)
        m_rows.push_front(std::move(r));
    endInsertRows();
    return int(rows.size());
}

int KeyListModel::fetchAfter()
{
    if (m_atEnd || m_rows.empty())
        return 0;
    std::vector<Record> rows;
    if (!read(baseRead().after(m_rows.back()).limit(PageRows), &rows))
        return 0;
    m_atEnd = int(rows.size()) < PageRows;
    if (rows.empty())
        return 0;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(rows.size()) - 1);
    for (Record &r : rows)
        m_rows.push_back(std::move(r));
    endInsertRows();
    return int(rows.size());
}

int KeyListModel::trimFront(int rows)
{
    rows = std::min(rows, int(m_rows.size()));
    if (rows <= 0)
        return 0;
    beginRemoveRows(QModelIndex(), 0, rows - 1);
    m_rows.erase(m_rows.begin(), m_rows.begin() + rows);
    m_atStart = false;
    endRemoveRows();
    return rows;
}

int KeyListModel::trimBack(int rows)
{
    rows = std::min(rows, int(m_rows.size()));
    if (rows <= 0)
        return 0;
    const int first = int(m_rows.size()) - rows;
    beginRemoveRows(QModelIndex(), first, int(m_rows.size()) - 1);
    m_rows.erase(m_rows.begin() + first, m_rows.end());
    m_atEnd = false;
    endRemoveRows();
    return rows;
}

int KeyListModel::rowOf(qint64 position) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].position() == position)
            return int(i);
    }
    return -1;
}

double KeyListModel::fractionAt(int row) const
{
    if (m_rows.empty())
        return 0;
    if (m_atStart && row == 0)
        return 0;
    if (m_atEnd && row == int(m_rows.size()) - 1)
        return 1;
    if (m_atStart && m_atEnd)
        return double(row) / double(m_rows.size() - 1);
    const store::TableDef &def = store::tableDef(m_table);
    Record first(def);
    Record last(def);
    if (!endpoints(&first, &last).ok())
        return 0;
    return keyposition::fractionOf(record(row), first, last, m_key);
}

int KeyListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int KeyListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant KeyListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()) ||
        index.column() >= int(m_columns.size()))
        return {};
    const ColumnDecl &column = m_columns[std::size_t(index.column())];
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && column.show != Show::Picture))
        return columnText(record(index.row()), column);
    return column.look ? column.look(record(index.row()), role) : QVariant();
}

QVariant KeyListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= int(m_columns.size()))
        return {};
    return QString::fromLatin1(m_columns[std::size_t(section)].title);
}

} // namespace toolkit
