#include "DataFolder.h"
#include "Rows.h"
#include "store/Connection.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/tables/Categories.h"
#include "store/tables/Schedule.h"
#include "toolkit/KeyListModel.h"
#include "toolkit/ListBox.h"

#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QTest>

using namespace store;
using namespace toolkit;

class TestListBox final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void walkingVisitsEveryRowOnce_data();
    void walkingVisitsEveryRowOnce();
    void endsOfTheList();
    void typingFindsTheFirstMatch_data();
    void typingFindsTheFirstMatch();
    void thumbJumpsAndFollows();
    void changingOrderKeepsTheRecord();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    static constexpr int Tasks = 700;
    std::vector<ColumnDecl> m_columns{{"Description", SCH::Description, 40},
                                      {"Date", SCH::Date, 12, Show::Date}};
    // A task list by date, shown and filled from the top.
    struct Shown {
        KeyListModel model;
        ListBox list;
        explicit Shown(TestListBox &t)
            : model(*t.m_ctx, TableId::Schedule, t.m_columns), list(&model)
        {
            model.setOrder(SCH::KEYDATE, nullptr);
            list.resize(400, 300);
            list.show();
            list.reloadAt(nullptr);
        }
    };
};

void TestListBox::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    QVERIFY(OpenTable(*m_ctx, TableId::Schedule));
    QVERIFY(OpenTable(*m_ctx, TableId::Categories));
    Connection &c = *m_ctx->connection(TableId::Schedule);
    QVERIFY(c.begin().ok());
    // Dates repeat, so pages break inside runs of equal key values.
    for (int id = 1; id <= Tasks; ++id) {
        QVERIFY(addRow(*m_ctx, TableId::Schedule,
                       {{SCH::ID, id},
                        {SCH::Description, QString("Task %1").arg(id, 4, 10, QChar('0'))},
                        {SCH::Date, 80000 + (id * 37) % 100},
                        {SCH::Time, 1}})
                    .ok());
    }
    QVERIFY(c.commit().ok());
}

void TestListBox::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestListBox::walkingVisitsEveryRowOnce_data()
{
    QTest::addColumn<bool>("down");
    QTest::newRow("down from the first row") << true;
    QTest::newRow("up from the last row") << false;
}

void TestListBox::walkingVisitsEveryRowOnce()
{
    QFETCH(bool, down);
    const QVariantList expected =
        columnInKeyOrder(*m_ctx, TableId::Schedule, SCH::KEYDATE, SCH::ID);
    QCOMPARE(expected.size(), Tasks);

    KeyListModel model(*m_ctx, TableId::Schedule, m_columns);
    QAbstractItemModelTester tester(&model);
    model.setOrder(SCH::KEYDATE, nullptr);
    ListBox list(&model);
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.view()->setFocus();
    list.highlight(down ? model.showFirst() : model.showLast());

    QVariantList seen;
    for (int i = 0; i < Tasks; ++i) {
        QVERIFY(list.highlighted());
        seen << list.highlighted()->number(SCH::ID);
        QTest::keyClick(list.view(), down ? Qt::Key_Down : Qt::Key_Up);
    }
    if (!down)
        std::reverse(seen.begin(), seen.end());
    QCOMPARE(seen, expected);
    QVERIFY(model.rowCount() <= KeyListModel::MostRows);
}

void TestListBox::endsOfTheList()
{
    Shown shown(*this);
    ListBox &list = shown.list;
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QVariantList order = columnInKeyOrder(*m_ctx, TableId::Schedule, SCH::KEYDATE, SCH::ID);
    QTest::keyClick(list.view(), Qt::Key_End);
    QCOMPARE(QVariant(list.highlighted()->number(SCH::ID)), order.last());
    QTest::keyClick(list.view(), Qt::Key_Home);
    QCOMPARE(QVariant(list.highlighted()->number(SCH::ID)), order.first());
    QTest::keyClick(list.view(), Qt::Key_PageDown);
    QVERIFY(list.highlightedRow() > 5);
}

void TestListBox::typingFindsTheFirstMatch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("prefix in another case") << "HO"
                                            << "Hobby";
    QTest::newRow("longer prefix") << "hom"
                                   << "Home";
    QTest::newRow("between two names") << "m"
                                       << "Private";
    QTest::newRow("past the last name") << "zz"
                                        << "Work";
}

void TestListBox::typingFindsTheFirstMatch()
{
    QFETCH(QString, typed);
    QFETCH(QString, found);
    for (const char *name : {"Backup", "General", "Home", "Hobby", "Private", "Work"})
        QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, name}}).ok());
    KeyListModel model(*m_ctx, TableId::Categories, {{"Category", CAT::Category, 20}});
    model.setOrder(CAT::KEYCATEGORY, nullptr);
    ListBox list(&model);
    list.show();
    list.reloadAt(nullptr);
    list.view()->keyboardSearch(typed);
    QTEST(list.highlighted()->text(CAT::Category), "found");
}

void TestListBox::thumbJumpsAndFollows()
{
    Shown shown(*this);
    ListBox &list = shown.list;
    KeyListModel &model = shown.model;
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    auto *thumb = list.findChildren<QScrollBar *>().constLast();
    QVERIFY(thumb->isVisible());
    QCOMPARE(thumb->value(), 0);
    thumb->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(thumb->value(), thumb->maximum());
    QVERIFY(model.atEnd());
    // Half way by key value: the dates run from 80000 to 80099.
    thumb->setValue(500);
    emit thumb->sliderReleased();
    const qint64 date = list.highlighted()->number(SCH::Date);
    QVERIFY2(date >= 80045 && date <= 80055, qPrintable(QString::number(date)));
}

void TestListBox::changingOrderKeepsTheRecord()
{
    Shown shown(*this);
    ListBox &list = shown.list;
    KeyListModel &model = shown.model;
    for (int i = 0; i < 100; ++i)
        QTest::keyClick(list.view(), Qt::Key_Down);
    const Record chosen = *list.highlighted();
    model.setOrder(SCH::KEYTASKNAME, nullptr);
    list.reloadAt(&chosen);
    QCOMPARE(list.highlighted()->number(SCH::ID), chosen.number(SCH::ID));
    QCOMPARE(model.record(0).text(SCH::Description) < chosen.text(SCH::Description), true);
}

QTEST_MAIN(TestListBox)
#include "tst_listbox.moc"
