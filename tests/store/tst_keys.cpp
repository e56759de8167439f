#include "DataFolder.h"
#include "Rows.h"
#include "store/KeyRead.h"
#include "store/OpenTable.h"
#include "store/Tables.h"
#include "store/tables/Categories.h"
#include "store/tables/Clipboard.h"
#include "store/tables/Configuration.h"
#include "store/tables/Contact.h"
#include "store/tables/ContactCategories.h"
#include "store/tables/Holidays.h"
#include "store/tables/Link.h"
#include "store/tables/Schedule.h"
#include "store/tables/Todo.h"
#include "store/tables/WindowLookup.h"

#include <QTest>

using namespace store;

Q_DECLARE_METATYPE(FieldValues)

class TestKeys final : public QObject {
    Q_OBJECT

private slots:
    void secondRecord_data();
    void secondRecord();
    void blankRecordsAreLeftOutOfBlanksOutKeys();
    void dueOrderPutsEnabledTasksFirst();
    void caseInsensitiveOrder();
    void pagingFromARowAlreadySeen();
    void positioningAtAKeyValue();
};

void TestKeys::secondRecord_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<FieldValues>("first");
    QTest::addColumn<FieldValues>("second");
    QTest::addColumn<bool>("refused");

    const auto cat = [](const char *name) { return FieldValues{{CAT::Category, name}}; };
    QTest::newRow("category differing only in case")
        << int(TableId::Categories) << cat("Work") << cat("WORK") << true;
    QTest::newRow("two blank categories")
        << int(TableId::Categories) << cat("") << cat("") << false;
    QTest::newRow("category with trailing blanks")
        << int(TableId::Categories) << cat("Home") << cat("Home   ") << true;
    QTest::newRow("two holidays on one date")
        << int(TableId::Holidays) << FieldValues{{HOL::HOLIDAYDATE, 82190}, {HOL::HOLIDAY, "A"}}
        << FieldValues{{HOL::HOLIDAYDATE, 82190}, {HOL::HOLIDAY, "B"}} << true;
    QTest::newRow("window title in another case")
        << int(TableId::WindowLookup) << FieldValues{{WL::TITLE, "Untitled - Editor"}}
        << FieldValues{{WL::TITLE, "untitled - EDITOR"}} << true;
    QTest::newRow("blank window title only once")
        << int(TableId::WindowLookup) << FieldValues{{WL::TITLE, ""}, {WL::DATE, 1}}
        << FieldValues{{WL::TITLE, ""}, {WL::DATE, 2}} << true;
    QTest::newRow("contact linked twice to a task")
        << int(TableId::Link) << FieldValues{{L::ID, 3}, {L::ClientID, 9}}
        << FieldValues{{L::ID, 3}, {L::ClientID, 9}} << true;
    QTest::newRow("contacts sharing a name")
        << int(TableId::Contact)
        << FieldValues{{C_::ClientID, 1}, {C_::LastName, "Smith"}, {C_::FirstName, "Ann"}}
        << FieldValues{{C_::ClientID, 2}, {C_::LastName, "Smith"}, {C_::FirstName, "Ann"}} << false;
    QTest::newRow("contact category differing only in case")
        << int(TableId::ContactCategories) << FieldValues{{CC::ContactCategory, "Family"}}
        << FieldValues{{CC::ContactCategory, "family"}} << true;
    QTest::newRow("setting name in another case")
        << int(TableId::Configuration) << FieldValues{{CF::DATATYPE, "ScriptingDelay"}}
        << FieldValues{{CF::DATATYPE, "SCRIPTINGDELAY"}} << true;
    QTest::newRow("clipboard texts with one signature")
        << int(TableId::Clipboard)
        << FieldValues{{CLI::CLIPHASHKEY, "HW"}, {CLI::ClipContents, "Hello World"}}
        << FieldValues{{CLI::CLIPHASHKEY, "HW"}, {CLI::ClipContents, "Hello, wide World!"}} << true;
    QTest::newRow("clipboard texts without capitals")
        << int(TableId::Clipboard) << FieldValues{{CLI::ClipContents, "hello"}}
        << FieldValues{{CLI::ClipContents, "goodbye"}} << false;
}

void TestKeys::secondRecord()
{
    QFETCH(int, table);
    QFETCH(FieldValues, first);
    QFETCH(FieldValues, second);
    QFETCH(bool, refused);
    DataFolder data;
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId(table)));
    QCOMPARE(addRow(ctx, TableId(table), first).text(), StoreError().text());
    const StoreError e = addRow(ctx, TableId(table), second);
    QCOMPARE(e.is(ErrorCode::DuplicateKey), refused);
    QCOMPARE(e.ok(), !refused);
}

void TestKeys::blankRecordsAreLeftOutOfBlanksOutKeys()
{
    DataFolder data;
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Categories));
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    QVERIFY(OpenTable(ctx, TableId::Todo));
    QVERIFY(addRow(ctx, TableId::Categories, {{CAT::Category, ""}}).ok());
    QVERIFY(addRow(ctx, TableId::Categories, {{CAT::Category, "General"}}).ok());
    QCOMPARE(columnInKeyOrder(ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category),
             QVariantList{"General"});

    // Enabled, with neither date nor time: not in the due order, but reachable by number.
    QVERIFY(addRow(ctx, TableId::Schedule, {{SCH::ID, 1}}).ok());
    QVERIFY(
        addRow(ctx, TableId::Schedule, {{SCH::ID, 2}, {SCH::Date, 80000}, {SCH::Time, 1}}).ok());
    QCOMPARE(columnInKeyOrder(ctx, TableId::Schedule, SCH::KEYDATEENABLED, SCH::ID),
             QVariantList{2});
    QCOMPARE(columnInKeyOrder(ctx, TableId::Schedule, SCH::KEYID, SCH::ID), (QVariantList{1, 2}));

    // A blanks-included key keeps even an all-blank record.
    QVERIFY(addRow(ctx, TableId::Todo, {}).ok());
    QCOMPARE(columnInKeyOrder(ctx, TableId::Todo, TDO::KEYDONE, TDO::ToDo), QVariantList{""});
    QCOMPARE(columnInKeyOrder(ctx, TableId::Todo, TDO::KEYCATEGORY, TDO::ToDo), QVariantList());
}

void TestKeys::dueOrderPutsEnabledTasksFirst()
{
    DataFolder data;
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    const struct {
        int id, disabled, date, time;
    } tasks[] = {{1, 1, 100, 5}, {2, 0, 300, 1}, {3, 0, 200, 9}, {4, 0, 200, 2}, {5, 0, 300, 1}};
    for (const auto &t : tasks) {
        QVERIFY(addRow(ctx, TableId::Schedule,
                       {{SCH::ID, t.id},
                        {SCH::Disabled, t.disabled},
                        {SCH::Date, t.date},
                        {SCH::Time, t.time}})
                    .ok());
    }
    // Equal moments keep the order they were stored in.
    QCOMPARE(columnInKeyOrder(ctx, TableId::Schedule, SCH::KEYDATEENABLED, SCH::ID),
             (QVariantList{4, 3, 2, 5, 1}));
    Record first(SCH::table());
    QVERIFY(KeyRead(SCH::table(), SCH::KEYDATEENABLED)
                .first(*ctx.connection(TableId::Schedule), &first)
                .ok());
    QCOMPARE(first.number(SCH::ID), 4);
}

void TestKeys::caseInsensitiveOrder()
{
    DataFolder data;
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Categories));
    for (const char *name : {"gamma", "Beta", "alpha", "Delta"})
        QVERIFY(addRow(ctx, TableId::Categories, {{CAT::Category, name}}).ok());
    QCOMPARE(columnInKeyOrder(ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category),
             (QVariantList{"alpha", "Beta", "Delta", "gamma"}));
}

void TestKeys::pagingFromARowAlreadySeen()
{
    DataFolder data;
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    // Many equal key values: a page boundary inside them must lose and repeat nothing.
    for (int id = 1; id <= 7; ++id) {
        QVERIFY(addRow(ctx, TableId::Schedule,
                       {{SCH::ID, id}, {SCH::Date, id <= 5 ? 500 : 600}, {SCH::Time, 1}})
                    .ok());
    }
    Connection &c = *ctx.connection(TableId::Schedule);
    for (const bool forward : {true, false}) {
        QVariantList seen;
        std::vector<Record> page;
        KeyRead read(SCH::table(), SCH::KEYDATE);
        if (!forward)
            read.backward();
        read.limit(2);
        QVERIFY(read.read(c, &page).ok());
        while (!page.empty()) {
            for (const Record &r : page)
                seen << r.number(SCH::ID);
            KeyRead next = read;
            QVERIFY(next.after(page.back()).read(c, &page).ok());
        }
        const QVariantList expected =
            forward ? QVariantList{1, 2, 3, 4, 5, 6, 7} : QVariantList{7, 6, 5, 4, 3, 2, 1};
        QCOMPARE(seen, expected);
    }
}

void TestKeys::positioningAtAKeyValue()
{
    DataFolder data;
    RecordContext ctx(data.store());
    QVERIFY(OpenTable(ctx, TableId::Schedule));
    const char *categories[] = {"Backup", "home", "Home", "Work"};
    int id = 0;
    for (const char *category : categories) {
        QVERIFY(addRow(ctx, TableId::Schedule,
                       {{SCH::ID, ++id}, {SCH::Category, category}, {SCH::Description, "x"}})
                    .ok());
    }
    Connection &c = *ctx.connection(TableId::Schedule);
    std::vector<Record> rows;
    const Record at = makeRecord(TableId::Schedule, {{SCH::Category, "HOME"}});
    QVERIFY(KeyRead(SCH::table(), SCH::KeyCategory).from(at).read(c, &rows).ok());
    QCOMPARE(rows.size(), 3u);
    QCOMPARE(rows.front().text(SCH::Category), QString("home"));

    QVERIFY(KeyRead(SCH::table(), SCH::KeyCategory).from(at).backward().read(c, &rows).ok());
    QCOMPARE(rows.size(), 1u);
    QCOMPARE(rows.front().text(SCH::Category), QString("Backup"));

    QVERIFY(
        KeyRead(SCH::table(), SCH::KeyCategory).where(SCH::Category, "Home").read(c, &rows).ok());
    QCOMPARE(rows.size(), 1u);
    QVERIFY(KeyRead(SCH::table(), SCH::KeyCategory)
                .whereNoCase(SCH::Category, "HOME")
                .read(c, &rows)
                .ok());
    QCOMPARE(rows.size(), 2u);

    // Marked rows, still in key order; no marks, no rows.
    QVERIFY(KeyRead(SCH::table(), SCH::KeyCategory).onlyPositions({4, 1, 99}).read(c, &rows).ok());
    QCOMPARE(rows.size(), 2u);
    QCOMPARE(rows.front().text(SCH::Category), QString("Backup"));
    QCOMPARE(rows.back().text(SCH::Category), QString("Work"));
    QVERIFY(KeyRead(SCH::table(), SCH::KeyCategory).onlyPositions({}).read(c, &rows).ok());
    QVERIFY(rows.empty());
}

QTEST_GUILESS_MAIN(TestKeys)
#include "tst_keys.moc"
