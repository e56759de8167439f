#include "store/Sql.h"

#include <QStringList>

namespace store::sql {

QString quoted(const QString &name)
{
    QString escaped = name;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QString quoted(const char *name)
{
    return quoted(QString::fromLatin1(name));
}

QString createTable(const TableDef &def, const QString &tableName)
{
    QStringList columns;
    for (const FieldDef &f : def.fields) {
        columns << quoted(f.name) + (f.isText() ? QStringLiteral(" TEXT NOT NULL DEFAULT ''")
                                                : QStringLiteral(" INTEGER NOT NULL DEFAULT 0"));
    }
    columns << quoted(RevisionColumn) + QStringLiteral(" INTEGER NOT NULL DEFAULT 1");
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(tableName), columns.join(u", "));
}

QString indexName(const TableDef &def, int key)
{
    return QString::fromLatin1(def.prefix) + u'_' + QString::fromLatin1(def.keys.at(key).name);
}

QString keyTerm(const TableDef &def, int key, int component)
{
    const KeyDef &k = def.keys.at(key);
    const FieldDef &f = def.fields.at(k.components.at(component));
    QString term = quoted(f.name);
    if (k.has(NoCase) && f.isText())
        term += QStringLiteral(" COLLATE NOCASE");
    return term;
}

QString blanksCondition(const TableDef &def, int key)
{
    const KeyDef &k = def.keys.at(key);
    if (!k.has(BlanksOut))
        return QString();
    QStringList blanks;
    for (int field : k.components) {
        const FieldDef &f = def.fields.at(field);
        blanks << quoted(f.name) + (f.isText() ? QStringLiteral(" = ''") : QStringLiteral(" = 0"));
    }
    return QStringLiteral("NOT (%1)").arg(blanks.join(QStringLiteral(" AND ")));
}

QString createIndex(const TableDef &def, int key)
{
    const KeyDef &k = def.keys.at(key);
    QStringList terms;
    for (int c = 0; c < int(k.components.size()); ++c)
        terms << keyTerm(def, key, c);
    QString ddl =
        QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
            .arg(k.has(Unique) ? QStringLiteral("UNIQUE ") : QString(), quoted(indexName(def, key)),
                 quoted(def.internalName), terms.join(u", "));
    const QString blanks = blanksCondition(def, key);
    if (!blanks.isEmpty())
        ddl += QStringLiteral(" WHERE ") + blanks;
    return ddl;
}

QString selectList(const TableDef &def)
{
    QStringList columns{QStringLiteral("rowid"), quoted(RevisionColumn)};
    for (const FieldDef &f : def.fields)
        columns << quoted(f.name);
    return columns.join(u", ");
}

QString insertRecord(const TableDef &def)
{
    QStringList columns;
    QStringList values;
    for (const FieldDef &f : def.fields) {
        columns << quoted(f.name);
        values << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoted(def.internalName), columns.join(u", "), values.join(u", "));
}

QString updateRecord(const TableDef &def)
{
    QStringList sets;
    for (const FieldDef &f : def.fields)
        sets << quoted(f.name) + QStringLiteral(" = ?");
    const QString revision = quoted(RevisionColumn);
    sets << QStringLiteral("%1 = %1 + 1").arg(revision);
    return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ? AND %3 = ?")
        .arg(quoted(def.internalName), sets.join(u", "), revision);
}

} // namespace store::sql
