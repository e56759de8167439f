#pragma once

#include "store/StoreError.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <memory>

namespace store {

// One SQLite connection to one data file. Statements are prepared once per connection and kept.
class Connection final {
public:
    // Wait this long for another writer before a write or a transaction gives up.
    static constexpr int BusyTimeoutMs = 2000;

    // Connects to an existing SQLite file, waiting up to busyTimeoutMs for a lock;
    // nullptr and the error when that fails.
    static std::unique_ptr<Connection> open(const QString &path, int busyTimeoutMs,
                                            StoreError *error);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const QString &path() const { return m_path; }

    // Whether this process has a connection to the file open. Closing any other descriptor of
    // such a file would drop the process's POSIX locks on it, which SQLite relies on: another
    // process could then checkpoint and delete the write-ahead log still in use here.
    static bool isOpenInProcess(const QString &path);

    // Switches the file to write-ahead logging, so readers never wait for a writer. This writes
    // to the file: call it only once the file is known to be the store's own.
    StoreError useWriteAheadLog();

    // The prepared statement for this SQL text; nullptr and the error when it cannot be
    // prepared (a locked schema, say), in which case it is prepared afresh next time.
    QSqlQuery *statement(const QString &sql, StoreError *error);
    // Runs bound statement text once; for DDL and pragmas.
    StoreError exec(const QString &sql);
    // First column of the first row of a query, or an invalid QVariant when there is none.
    QVariant scalar(const QString &sql, StoreError *error);

    void setBusyTimeout(int ms);
    // BEGIN IMMEDIATE: takes the write lock now, so a transaction never fails half-way
    // because another process wrote first.
    StoreError begin();
    StoreError commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

private:
    Connection(const QString &path, const QString &name);

    QString m_path;
    QString m_key; // the file as the process-wide count of open connections knows it
    QString m_name;
    QSqlDatabase m_db;
    QHash<QString, QSqlQuery> m_statements;
    bool m_inTransaction = false;
};

} // namespace store
