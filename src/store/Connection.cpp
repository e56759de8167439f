#include "store/Connection.h"

#include "store/Log.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSqlError>

namespace store {

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tl97-store-%1").arg(counter.fetchAndAddRelaxed(1));
}

// Open connections by file, for the whole process.
QMutex openFilesMutex;
QHash<QString, int> openFiles;

QString fileKey(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

} // namespace

bool Connection::isOpenInProcess(const QString &path)
{
    const QString key = fileKey(path);
    const QMutexLocker lock(&openFilesMutex);
    return openFiles.value(key) > 0;
}

Connection::Connection(const QString &path, const QString &name)
    : m_path(path), m_name(name), m_db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name))
{}

std::unique_ptr<Connection> Connection::open(const QString &path, int busyTimeoutMs,
                                             StoreError *error)
{
    std::unique_ptr<Connection> c(new Connection(path, nextConnectionName()));
    c->m_db.setDatabaseName(path);
    c->m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!c->m_db.open()) {
        *error = StoreError::fromSql(c->m_db.lastError());
        return nullptr;
    }
    c->m_key = fileKey(path);
    const QMutexLocker lock(&openFilesMutex);
    ++openFiles[c->m_key];
    return c;
}

Connection::~Connection()
{
    if (m_inTransaction)
        rollback();
    m_statements.clear();
    m_db.close();
    if (!m_key.isEmpty()) {
        const QMutexLocker lock(&openFilesMutex);
        if (--openFiles[m_key] <= 0)
            openFiles.remove(m_key);
    }
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

StoreError Connection::useWriteAheadLog()
{
    StoreError e;
    const QVariant mode = scalar(QStringLiteral("PRAGMA journal_mode = WAL"), &e);
    if (e.ok() && mode.toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
        qCWarning(lcStore) << "journal mode of" << m_path << "is" << mode.toString();
    return e;
}

QSqlQuery *Connection::statement(const QString &sql, StoreError *error)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        if (!q.prepare(sql)) {
            *error = StoreError::fromSql(q.lastError());
            qCDebug(lcStore) << "cannot prepare" << sql << q.lastError().text();
            return nullptr;
        }
        it = m_statements.insert(sql, q);
    }
    *error = {};
    return &*it;
}

StoreError Connection::exec(const QString &sql)
{
    QSqlQuery q(m_db);
    if (!q.exec(sql))
        return StoreError::fromSql(q.lastError());
    return {};
}

QVariant Connection::scalar(const QString &sql, StoreError *error)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.exec(sql)) {
        *error = StoreError::fromSql(q.lastError());
        return {};
    }
    *error = {};
    return q.next() ? q.value(0) : QVariant();
}

void Connection::setBusyTimeout(int ms)
{
    const StoreError e = exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(ms));
    if (!e.ok())
        qCWarning(lcStore) << "cannot set the busy timeout:" << e.text();
}

StoreError Connection::begin()
{
    StoreError e = exec(QStringLiteral("BEGIN IMMEDIATE"));
    m_inTransaction = e.ok();
    return e;
}

StoreError Connection::commit()
{
    StoreError e = exec(QStringLiteral("COMMIT"));
    if (e.ok())
        m_inTransaction = false;
    else
        rollback();
    return e;
}

void Connection::rollback()
{
    const StoreError e = exec(QStringLiteral("ROLLBACK"));
    if (!e.ok())
        qCWarning(lcStore) << "rollback failed:" << e.text();
    m_inTransaction = false;
}

} // namespace store
