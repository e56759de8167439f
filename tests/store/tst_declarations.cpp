#include "store/Record.h"
#include "store/Sql.h"
#include "store/Tables.h"
#include "store/tables/Categories.h"
#include "store/tables/Contact.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "store/tables/WindowLookup.h"

#include <QTest>

using namespace store;

// The declarations are the file format: these pin what users and other tools see of it.
class TestDeclarations final : public QObject {
    Q_OBJECT

private slots:
    void recordLayout_data();
    void recordLayout();
    void registrationOrder();
    void derivedKeys_data();
    void derivedKeys();
    void storedNames();
    void valuesFitTheirFields_data();
    void valuesFitTheirFields();
};

void TestDeclarations::recordLayout_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("memos");
    const struct {
        TableId id;
        int bytes;
        int memos;
    } rows[] = {
        {TableId::Schedule, 1038, 1},     {TableId::Scripting, 1260, 0},
        {TableId::Categories, 20, 0},     {TableId::Holidays, 25, 0},
        {TableId::WindowLookup, 78, 0},   {TableId::Link, 8, 0},
        {TableId::Configuration, 120, 0}, {TableId::Todo, 110, 2},
        {TableId::Contact, 394, 1},       {TableId::ContactCategories, 20, 0},
        {TableId::Clipboard, 89, 1},      {TableId::TagFile, 20, 0},
    };
    for (const auto &r : rows)
        QTest::newRow(tableDef(r.id).label) << int(r.id) << r.bytes << r.memos;
}

void TestDeclarations::recordLayout()
{
    QFETCH(int, table);
    QFETCH(int, bytes);
    QFETCH(int, memos);
    const TableDef &def = tableDef(TableId(table));
    QCOMPARE(def.recordBytes(), bytes);
    QCOMPARE(def.memoCount(), memos);
}

void TestDeclarations::registrationOrder()
{
    QStringList registered;
    for (const TableDef *def : registeredTables())
        registered << QStringLiteral("%1 %2 %3")
                          .arg(QLatin1String(def->label), QLatin1String(def->prefix))
                          .arg(def->version);
    QCOMPARE(registered,
             QStringList({"Categories CAT 2", "Clipboard CLI 3", "Configuration CF 1",
                          "Contact C_ 2", "ContactCategories CC 2", "Holidays HOL 2", "Link L 2",
                          "Schedule SCH 4", "Scripting SCR 3", "Todo TDO 3", "WindowLookup WL 2"}));
}

void TestDeclarations::derivedKeys_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("ddl");
    QTest::newRow("dup, case-insensitive, blanks out")
        << int(TableId::Schedule) << int(SCH::KEYDATEENABLED)
        << "CREATE INDEX \"SCH_KEYDATEENABLED\" ON \"S\" (\"Disabled\", \"Date\", \"Time\") "
           "WHERE NOT (\"Disabled\" = 0 AND \"Date\" = 0 AND \"Time\" = 0)";
    QTest::newRow("unique text key folds case")
        << int(TableId::Categories) << int(CAT::KEYCATEGORY)
        << "CREATE UNIQUE INDEX \"CAT_KEYCATEGORY\" ON \"Categories\" (\"Category\" COLLATE "
           "NOCASE) WHERE NOT (\"Category\" = '')";
    QTest::newRow("blanks included")
        << int(TableId::WindowLookup) << int(WL::KeyTitle)
        << "CREATE UNIQUE INDEX \"WL_KeyTitle\" ON \"WL\" (\"TITLE\" COLLATE NOCASE)";
    QTest::newRow("prefix with underscore")
        << int(TableId::Contact) << int(C_::KeyClientID)
        << "CREATE UNIQUE INDEX \"C__KeyClientID\" ON \"Contact\" (\"ClientID\") "
           "WHERE NOT (\"ClientID\" = 0)";
}

void TestDeclarations::derivedKeys()
{
    QFETCH(int, table);
    QFETCH(int, key);
    QFETCH(QString, ddl);
    QCOMPARE(sql::createIndex(tableDef(TableId(table)), key), ddl);
}

void TestDeclarations::storedNames()
{
    QCOMPARE(tableDef(TableId::Schedule).storedName(), QStringLiteral("TL97\\!S"));
    QCOMPARE(tableDef(TableId::Contact).storedName(), QStringLiteral("Tl97.TPS\\!Contact"));
    QCOMPARE(tableDef(TableId::ContactCategories).storedName(), QStringLiteral("tl97\\!ConCat"));
    QCOMPARE(tableDef(TableId::Schedule).keyDisplayName(SCH::KEYID),
             QStringLiteral("By System ID"));
    QCOMPARE(tableDef(TableId::Scripting).keyDisplayName(SCR::KeyID), QStringLiteral("Sequence"));
    QCOMPARE(tableDef(TableId::Contact).keyDisplayName(C_::KeyClientID),
             QStringLiteral("C_:KeyClientID"));
}

void TestDeclarations::valuesFitTheirFields_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QVariant>("given");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("trailing blanks dropped")
        << int(SCH::Category) << QVariant("Work   ") << QVariant("Work");
    QTest::newRow("leading blanks kept")
        << int(SCH::Category) << QVariant("  Work") << QVariant("  Work");
    QTest::newRow("cut to width") << int(SCH::Category) << QVariant(QString(25, u'x'))
                                  << QVariant(QString(20, u'x'));
    QTest::newRow("cut before the trailing blanks go")
        << int(SCH::Category) << QVariant(QString(19, u'x') + "  y") << QVariant(QString(19, u'x'));
    QTest::newRow("cstring keeps one less")
        << int(SCH::AlarmFile) << QVariant(QString(300, u'a')) << QVariant(QString(254, u'a'));
    QTest::newRow("memo keeps its blanks")
        << int(SCH::Message) << QVariant("Call back  ") << QVariant("Call back  ");
    QTest::newRow("memo cut to width")
        << int(SCH::Message) << QVariant(QString(1200, u'm')) << QVariant(QString(1000, u'm'));
    QTest::newRow("byte wraps like the stored byte")
        << int(SCH::Disabled) << QVariant(257) << QVariant(1);
    QTest::newRow("long stays 32 bits") << int(SCH::ID) << QVariant(qint64(1) << 32) << QVariant(0);
}

void TestDeclarations::valuesFitTheirFields()
{
    QFETCH(int, field);
    QFETCH(QVariant, given);
    QFETCH(QVariant, stored);
    Record task(SCH::table());
    task.setValue(field, given);
    if (task.def().fields[field].isText())
        QCOMPARE(task.text(field), stored.toString());
    else
        QCOMPARE(task.number(field), stored.toLongLong());
}

QTEST_GUILESS_MAIN(TestDeclarations)
#include "tst_declarations.moc"
