#include "DataFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

template <typename Use> void withRawConnection(const QString &path, Use use)
{
    const QString name = QStringLiteral("raw-test-connection");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        use(q);
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

DataFolder::DataFolder()
{
    restart();
}

void DataFolder::restart()
{
    m_store.reset();
    m_store = std::make_unique<store::Store>(m_dir.path(), m_messages);
    m_store->setProfilePath(path("win.ini"));
}

void DataFolder::rawExec(const QString &sql) const
{
    withRawConnection(databasePath(), [&](QSqlQuery &q) {
        QVERIFY2(q.exec(sql), qPrintable(sql + u' ' + q.lastError().text()));
    });
}

QVariant DataFolder::rawScalar(const QString &sql) const
{
    QVariant value;
    withRawConnection(databasePath(), [&](QSqlQuery &q) {
        QVERIFY2(q.exec(sql), qPrintable(sql + u' ' + q.lastError().text()));
        if (q.next())
            value = q.value(0);
    });
    return value;
}

void DataFolder::rawLoad(const QString &scriptPath) const
{
    QFile script(scriptPath);
    QVERIFY2(script.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(scriptPath));
    QString statement;
    while (!script.atEnd()) {
        const QString line = QString::fromUtf8(script.readLine()).trimmed();
        if (line.startsWith("--"))
            continue;
        statement += line + u'\n';
        if (line.endsWith(u';')) {
            rawExec(statement);
            statement.clear();
        }
    }
}

void DataFolder::writeFile(const QString &name, const QByteArray &contents) const
{
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(contents), contents.size());
}

QByteArray DataFolder::readFile(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

FileState fileState(const QString &path)
{
    QFile f(path);
    FileState s;
    if (f.open(QIODevice::ReadOnly))
        s.bytes = f.readAll();
    s.modified = QFileInfo(path).lastModified().toMSecsSinceEpoch();
    return s;
}
