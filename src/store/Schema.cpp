#include "store/Schema.h"

#include "store/Connection.h"
#include "store/Sql.h"
#include "store/Statement.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store::schema {

namespace {

const QByteArray SqliteHeader("SQLite format 3\0", 16);

QString ownerDigest(const QString &password)
{
    return QString::fromLatin1(QCryptographicHash::hash("Tallimer 97 owner\n" + password.toUtf8(),
                                                        QCryptographicHash::Sha256)
                                   .toHex());
}

StoreError osError(const char *what, int err)
{
    return StoreError::engine(
        QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(strerror(err))),
        err);
}

StoreError initialise(Connection &c, const QString &ownerPassword)
{
    if (StoreError e = c.begin(); !e.ok())
        return e;
    StoreError e = c.exec(QStringLiteral(
        "CREATE TABLE \"Layout\" (\"TableName\" TEXT PRIMARY KEY, \"Version\" INTEGER NOT NULL)"));
    if (e.ok() && !ownerPassword.isEmpty()) {
        e = c.exec(QStringLiteral("CREATE TABLE \"Owner\" (\"Digest\" TEXT NOT NULL)"));
        if (e.ok()) {
            Statement q(c, QStringLiteral("INSERT INTO \"Owner\" (\"Digest\") VALUES (?)"));
            q.bindValue(0, ownerDigest(ownerPassword));
            e = q.exec();
        }
    }
    if (!e.ok()) {
        c.rollback();
        return e;
    }
    return c.commit();
}

// Whether the schema has an object of the type and name; its SQL text into sqlText.
StoreError exists(Connection &c, const char *type, const QString &name, bool *found,
                  QString *sqlText = nullptr)
{
    Statement q(c, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = ? AND name = ?"));
    q.bindValue(0, QLatin1String(type));
    q.bindValue(1, name);
    const StoreError e = q.exec();
    *found = e.ok() && q.next();
    if (*found && sqlText)
        *sqlText = q.value(0).toString();
    return e;
}

int storedVersion(Connection &c, const TableDef &def, StoreError *error)
{
    Statement q(c, QStringLiteral("SELECT \"Version\" FROM \"Layout\" WHERE \"TableName\" = ?"));
    q.bindValue(0, QLatin1String(def.internalName));
    *error = q.exec();
    return error->ok() && q.next() ? q.value(0).toInt() : 0;
}

StoreError setVersion(Connection &c, const TableDef &def, int version)
{
    if (version == 0)
        return {};
    Statement q(
        c, QStringLiteral(
               "INSERT OR REPLACE INTO \"Layout\" (\"TableName\", \"Version\") VALUES (?, ?)"));
    q.bindValue(0, QLatin1String(def.internalName));
    q.bindValue(1, version);
    return q.exec();
}

struct Column {
    QString name;
    QString type;
};

std::vector<Column> storedColumns(Connection &c, const QString &table, StoreError *error)
{
    std::vector<Column> columns;
    Statement info(c, QStringLiteral("SELECT name, type FROM pragma_table_info(?)"));
    info.bindValue(0, table);
    *error = info.exec();
    while (error->ok() && info.next())
        columns.push_back({info.value(0).toString(), info.value(1).toString()});
    return columns;
}

std::vector<Column> declaredColumns(const TableDef &def)
{
    std::vector<Column> columns;
    for (const FieldDef &f : def.fields) {
        columns.push_back({QString::fromLatin1(f.name),
                           f.isText() ? QStringLiteral("TEXT") : QStringLiteral("INTEGER")});
    }
    columns.push_back({QString::fromLatin1(sql::RevisionColumn), QStringLiteral("INTEGER")});
    return columns;
}

StoreError createKeys(Connection &c, const TableDef &def)
{
    for (int key = 0; key < int(def.keys.size()); ++key) {
        if (StoreError e = c.exec(sql::createIndex(def, key)); !e.ok())
            return e;
    }
    return {};
}

// Runs `work` in a write transaction, rolling back when it fails.
template <typename Work> StoreError inTransaction(Connection &c, Work work)
{
    if (StoreError e = c.begin(); !e.ok())
        return e;
    if (StoreError e = work(); !e.ok()) {
        c.rollback();
        return e;
    }
    return c.commit();
}

// The expression that carries an old column's values into a field of the new layout.
QString carried(const FieldDef &f, const QString &oldColumn)
{
    const QString col = sql::quoted(oldColumn);
    if (!f.isText())
        return QStringLiteral("coalesce(CAST(%1 AS INTEGER), 0)").arg(col);
    if (f.type == FieldType::Memo)
        return QStringLiteral("substr(coalesce(CAST(%1 AS TEXT), ''), 1, %2)")
            .arg(col)
            .arg(f.maxChars());
    return QStringLiteral("substr(rtrim(coalesce(CAST(%1 AS TEXT), ''), ' '), 1, %2)")
        .arg(col)
        .arg(f.maxChars());
}

StoreError copyByName(Connection &c, const TableDef &def, const QString &from, const QString &to)
{
    StoreError e;
    const std::vector<Column> old = storedColumns(c, from, &e);
    if (!e.ok())
        return e;
    QStringList targets;
    QStringList sources;
    for (const Column &col : old) {
        if (col.name.compare(QLatin1String(sql::RevisionColumn), Qt::CaseInsensitive) == 0) {
            targets << sql::quoted(sql::RevisionColumn);
            sources << QStringLiteral("coalesce(%1, 1)").arg(sql::quoted(col.name));
            continue;
        }
        const int field = def.fieldIndex(col.name);
        if (field < 0)
            continue;
        targets << sql::quoted(def.fields[field].name);
        sources << carried(def.fields[field], col.name);
    }
    if (targets.isEmpty())
        return {};
    return c.exec(
        QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT rowid, %3 FROM %4")
            .arg(sql::quoted(to), targets.join(u", "), sources.join(u", "), sql::quoted(from)));
}

} // namespace

StoreError createFile(const QString &path, const QString &ownerPassword)
{
    const QString staging = QStringLiteral("%1.new-%2").arg(path).arg(getpid());
    const QByteArray stagingName = QFile::encodeName(staging);
    const int fd = ::open(stagingName.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return osError("cannot create the file", errno);
    ::close(fd);

    StoreError e;
    {
        std::unique_ptr<Connection> c = Connection::open(staging, Connection::BusyTimeoutMs, &e);
        if (c && (e = c->useWriteAheadLog()).ok())
            e = initialise(*c, ownerPassword);
    }
    if (e.ok() && ::link(stagingName.constData(), QFile::encodeName(path).constData()) != 0 &&
        errno != EEXIST)
        e = osError("cannot create the file", errno);
    ::unlink(stagingName.constData());
    return e;
}

StoreError checkFile(const QString &path)
{
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT ? StoreError(ErrorCode::FileNotFound) : osError("stat", errno);
    // The write bits are checked as well as access(): a read-only file stays read-only even
    // for a user, such as root, whom the system lets write anyway.
    if ((st.st_mode & 0222) == 0 || ::access(name.constData(), R_OK | W_OK) != 0)
        return StoreError(ErrorCode::AccessDenied);
    const QString folder = QFileInfo(path).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return StoreError(ErrorCode::AccessDenied);

    // A file this process already works on was checked when it was first opened; reading it
    // again through a descriptor of its own would cost the process its locks on it.
    if (Connection::isOpenInProcess(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return StoreError(ErrorCode::AccessDenied);
    if (file.read(SqliteHeader.size()) != SqliteHeader)
        return StoreError(ErrorCode::InvalidDataFile);
    return {};
}

StoreError checkOwner(Connection &c, const QString &ownerPassword)
{
    if (ownerPassword.isEmpty())
        return {};
    bool owned = false;
    if (StoreError e = exists(c, "table", QStringLiteral("Owner"), &owned); !e.ok() || !owned)
        return e.ok() ? StoreError(ErrorCode::InvalidPassword) : e;
    StoreError e;
    const QVariant digest = c.scalar(QStringLiteral("SELECT \"Digest\" FROM \"Owner\""), &e);
    if (!e.ok())
        return e;
    return digest.toString() == ownerDigest(ownerPassword) ? StoreError()
                                                           : StoreError(ErrorCode::InvalidPassword);
}

StoreError inspectTable(Connection &c, const TableDef &def, int version)
{
    const QString table = QString::fromLatin1(def.internalName);
    bool found = false;
    if (StoreError e = exists(c, "table", table, &found); !e.ok() || !found)
        return e.ok() ? StoreError(ErrorCode::FileNotFound) : e;
    StoreError e;
    if (version > 0 && storedVersion(c, def, &e) != version)
        return e.ok() ? StoreError(ErrorCode::InvalidRecordDeclaration) : e;
    const std::vector<Column> stored = storedColumns(c, table, &e);
    if (!e.ok())
        return e;
    const std::vector<Column> declared = declaredColumns(def);
    const bool sameLayout =
        std::equal(stored.begin(), stored.end(), declared.begin(), declared.end(),
                   [](const Column &a, const Column &b) {
                       return a.name == b.name && a.type.compare(b.type, Qt::CaseInsensitive) == 0;
                   });
    if (!sameLayout)
        return StoreError(ErrorCode::InvalidRecordDeclaration);
    for (int key = 0; key < int(def.keys.size()); ++key) {
        QString ddl;
        if (e = exists(c, "index", sql::indexName(def, key), &found, &ddl); !e.ok())
            return e;
        if (!found || ddl != sql::createIndex(def, key))
            return StoreError(ErrorCode::KeyMustBeRebuilt);
    }
    return {};
}

StoreError createTable(Connection &c, const TableDef &def, int version)
{
    return inTransaction(c, [&]() -> StoreError {
        // Another process may have created it since we looked.
        bool found = false;
        if (StoreError e = exists(c, "table", QString::fromLatin1(def.internalName), &found);
            !e.ok() || found)
            return e;
        if (StoreError e = c.exec(sql::createTable(def, QString::fromLatin1(def.internalName)));
            !e.ok())
            return e;
        if (StoreError e = createKeys(c, def); !e.ok())
            return e;
        return setVersion(c, def, version);
    });
}

StoreError rebuildKeys(Connection &c, const TableDef &def)
{
    return inTransaction(c, [&]() -> StoreError {
        for (int key = 0; key < int(def.keys.size()); ++key) {
            if (StoreError e = c.exec(QStringLiteral("DROP INDEX IF EXISTS %1")
                                          .arg(sql::quoted(sql::indexName(def, key))));
                !e.ok())
                return e;
        }
        return createKeys(c, def);
    });
}

StoreError convertTable(Connection &c, const TableDef &def, int version)
{
    const QString table = QString::fromLatin1(def.internalName);
    const QString staging = table + QStringLiteral("__converting");
    return inTransaction(c, [&]() -> StoreError {
        StoreError e;
        if (version > 0 && storedVersion(c, def, &e) > version)
            return StoreError(ErrorCode::InvalidRecordDeclaration);
        if (!e.ok())
            return e;
        if (e = c.exec(sql::createTable(def, staging)); !e.ok())
            return e;
        if (version > 0 && (e = copyByName(c, def, table, staging), !e.ok()))
            return e;
        if (e = c.exec(QStringLiteral("DROP TABLE %1").arg(sql::quoted(table))); !e.ok())
            return e;
        if (e = c.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                           .arg(sql::quoted(staging), sql::quoted(table)));
            !e.ok())
            return e;
        if (e = createKeys(c, def); !e.ok())
            return e;
        return setVersion(c, def, version);
    });
}

} // namespace store::schema
