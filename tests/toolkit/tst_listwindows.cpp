#include "DataFolder.h"
#include "ManualClock.h"
#include "Modal.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "schedule_ui/Categories.h"
#include "schedule_ui/TaskServices.h"
#include "scheduler/Holidays.h"
#include "script_ui/WindowLookup.h"
#include "store/OpenTable.h"
#include "store/RecordIo.h"
#include "store/Settings.h"
#include "store/tables/Categories.h"
#include "store/tables/Holidays.h"
#include "store/tables/Schedule.h"
#include "store/tables/Todo.h"
#include "store/tables/WindowLookup.h"
#include "toolkit/KeyListModel.h"
#include "toolkit/ListBox.h"
#include "toolkit/ListDecl.h"
#include "toolkit/ListWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace store;
using toolkit::Action;
using toolkit::ListWindow;

Q_DECLARE_METATYPE(store::Button)

class TestListWindows final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addedRecordIsHighlighted();
    void categoryInAnotherCaseIsRefused();
    void renamingACategoryInUseBringsTheOldNameBack();
    void deletingACategoryInUseIsRefused();
    void categoryUsedOnlyByToDoItemsCanGo();
    void emptyListGreysEditAndDelete();
    void pickerLeavesTheChoiceInTheCallersContext();
    void secondHolidayOnADateIsRefused();
    void dateThatCannotBeReadKeepsTheFormOpen();
    void windowTitleInAnotherCaseIsRefused();
    void changingTheOrderKeepsTheHighlight();
    void userValueRecalledAfterAnotherStationWon();
    void placeAndColumnsAreKept();
    void typingADateFindsIt();
    void listThatCannotBeReadSaysSo();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(9, 30))};
    RecordingSoundPlayer m_sound;
    const schedule_ui::TaskServices m_services{m_clock, m_sound};
    ScriptedPresenter &messages() { return m_data->messages(); }
    // Fills the next form's text fields in order and presses its OK, then, when the form is
    // still up afterwards (a refused save), runs `afterwards` on it and cancels it.
    void fillNextForm(const QStringList &texts, std::function<void(QDialog *)> afterwards = {});
    static void highlight(ListWindow &w, const QString &text, int column = 0);
};

void TestListWindows::init()
{
    settings() = Settings();
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    for (TableId id : {TableId::Categories, TableId::Schedule, TableId::Todo, TableId::Holidays,
                       TableId::WindowLookup})
        QVERIFY(OpenTable(*m_ctx, id));
}

void TestListWindows::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestListWindows::fillNextForm(const QStringList &texts,
                                   std::function<void(QDialog *)> afterwards)
{
    onNextModal(this, [this, texts, afterwards](QWidget *w) {
        auto *form = qobject_cast<QDialog *>(w);
        QVERIFY(form);
        const QList<QLineEdit *> edits = form->findChildren<QLineEdit *>();
        for (int i = 0; i < texts.size() && i < edits.size(); ++i)
            edits[i]->setText(texts[i]);
        auto *buttons = form->findChild<QDialogButtonBox *>();
        buttons->buttons().constFirst()->click();
        if (form->isVisible()) {
            if (afterwards)
                afterwards(form);
            form->reject();
        }
    });
}

void TestListWindows::highlight(ListWindow &w, const QString &text, int column)
{
    toolkit::KeyListModel *model = w.list()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, column).data().toString() == text) {
            w.list()->highlight(row);
            return;
        }
    }
    QFAIL(qPrintable("no row shows " + text));
}

void TestListWindows::addedRecordIsHighlighted()
{
    for (const char *name : {"General", "Work"})
        QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, name}}).ok());
    ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
    w.show();
    fillNextForm({"Hobby"});
    w.button(Action::Insert)->click();
    QCOMPARE(w.list()->highlighted()->text(CAT::Category), QString("Hobby"));
    QVERIFY(messages().shown().empty());
}

void TestListWindows::categoryInAnotherCaseIsRefused()
{
    QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, "Work"}}).ok());
    ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
    w.show();
    fillNextForm({"work"});
    w.button(Action::Insert)->click();
    QCOMPARE(messages().numbers(), QList<int>{24});
    QCOMPARE(messages().shown().front().text,
             QString("Adding this record creates a duplicate entry for the key:Category"));
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category),
             QVariantList{"Work"});
}

void TestListWindows::renamingACategoryInUseBringsTheOldNameBack()
{
    QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, "Work"}}).ok());
    QVERIFY(addRow(*m_ctx, TableId::Schedule, {{SCH::ID, 1}, {SCH::Category, "Work"}}).ok());
    ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
    w.show();
    QString shownAfterwards;
    fillNextForm({"Job"},
                 [&](QDialog *form) { shownAfterwards = form->findChild<QLineEdit *>()->text(); });
    w.button(Action::Change)->click();
    // Refused, and then the offer to try again, which Cancel answers by staying in the form.
    QCOMPARE(messages().numbers(), (QList<int>{12, 16}));
    QCOMPARE(shownAfterwards, QString("Work"));
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category),
             QVariantList{"Work"});
}

void TestListWindows::deletingACategoryInUseIsRefused()
{
    QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, "Work"}}).ok());
    QVERIFY(addRow(*m_ctx, TableId::Schedule, {{SCH::ID, 1}, {SCH::Category, "Work"}}).ok());
    ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
    w.show();
    messages().answerNext(Button::Ok);
    messages().answerNext(Button::Ok);
    messages().answerNext(Button::No);
    QTest::keyClick(w.list()->view(), Qt::Key_Delete);
    QCOMPARE(messages().numbers(), (QList<int>{32, 13, 18}));
    QCOMPARE(w.list()->highlighted()->text(CAT::Category), QString("Work"));
}

void TestListWindows::categoryUsedOnlyByToDoItemsCanGo()
{
    for (const char *name : {"Errands", "General", "Work"})
        QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, name}}).ok());
    QVERIFY(addRow(*m_ctx, TableId::Todo, {{TDO::Category, "General"}, {TDO::ToDo, "Milk"}}).ok());
    ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
    w.show();
    highlight(w, "General");
    messages().answerNext(Button::Ok);
    w.button(Action::Delete)->click();
    QCOMPARE(messages().numbers(), QList<int>{32});
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Categories, CAT::KEYCATEGORY, CAT::Category),
             (QVariantList{"Errands", "Work"}));
    // The one after the deleted record takes its place.
    QCOMPARE(w.list()->highlighted()->text(CAT::Category), QString("Work"));
}

void TestListWindows::emptyListGreysEditAndDelete()
{
    ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
    w.show();
    QVERIFY(!w.button(Action::Change)->isEnabled());
    QVERIFY(!w.button(Action::Delete)->isEnabled());
    QVERIFY(w.button(Action::Insert)->isEnabled());
    QStringList disabled;
    QStringList enabled;
    onNextModal(this, [&](QWidget *popup) {
        for (QAction *a : qobject_cast<QMenu *>(popup)->actions())
            (a->isEnabled() ? enabled : disabled) << a->text();
        popup->close();
    });
    emit w.list()->view()->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(enabled, QStringList{"&Add"});
    QCOMPARE(disabled, (QStringList{"&Edit", "&Delete", " &Schedule"}));
}

void TestListWindows::pickerLeavesTheChoiceInTheCallersContext()
{
    for (const char *name : {"General", "Home", "Work"})
        QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, name}}).ok());
    onNextModal(this, [this](QWidget *dialog) {
        auto *picker = dialog->findChild<ListWindow *>();
        highlight(*picker, "Home");
        picker->button(Action::Select)->click();
    });
    QCOMPARE(toolkit::pick(schedule_ui::SelectCategories(), *m_ctx), Response::Completed);
    QCOMPARE(m_ctx->record(TableId::Categories).text(CAT::Category), QString("Home"));
    QCOMPARE(m_ctx->response, Response::Completed);
}

void TestListWindows::secondHolidayOnADateIsRefused()
{
    QVERIFY(addRow(*m_ctx, TableId::Holidays,
                   {{HOL::HOLIDAYDATE, 82190}, {HOL::HOLIDAY, "Christmas Day"}})
                .ok());
    ListWindow w(scheduler::BrowseHolidays(), m_data->store());
    w.show();
    fillNextForm({FormatDate(82190), "Boxing Day"});
    w.button(Action::Insert)->click();
    QCOMPARE(messages().numbers(), QList<int>{24});
    QVERIFY(messages().shown().front().text.endsWith("for the key:HOL:KeyHolidayDate"));
}

void TestListWindows::dateThatCannotBeReadKeepsTheFormOpen()
{
    ListWindow w(scheduler::BrowseHolidays(), m_data->store());
    w.show();
    fillNextForm({"the day after tomorrow", "Holiday"});
    w.button(Action::Insert)->click();
    QCOMPARE(messages().shown().front().caption, QString("Invalid Entry"));
    QCOMPARE(messages().shown().front().text,
             QString("\"the day after tomorrow\" is not a date. Type it like OCT 31,1959."));
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Holidays, HOL::KeyHolidayDate, HOL::HOLIDAY),
             QVariantList());
}

void TestListWindows::windowTitleInAnotherCaseIsRefused()
{
    QVERIFY(addRow(*m_ctx, TableId::WindowLookup, {{WL::TITLE, "Terminal"}}).ok());
    ListWindow w(script_ui::BrowseWindowLookup(), m_data->store());
    w.show();
    fillNextForm({"TERMINAL"});
    w.button(Action::Insert)->click();
    QCOMPARE(messages().numbers(), QList<int>{24});
    QVERIFY(messages().shown().front().text.endsWith("for the key:WL:KeyTitle"));
}

void TestListWindows::changingTheOrderKeepsTheHighlight()
{
    const struct {
        const char *title;
        int date;
    } titles[] = {{"Alpha", 300}, {"Beta", 100}, {"Gamma", 200}};
    for (const auto &t : titles)
        QVERIFY(
            addRow(*m_ctx, TableId::WindowLookup, {{WL::TITLE, t.title}, {WL::DATE, t.date}}).ok());
    ListWindow w(script_ui::BrowseWindowLookup(), m_data->store());
    w.show();
    highlight(w, "Gamma");
    w.findChild<QTabBar *>()->setCurrentIndex(1);
    QCOMPARE(w.list()->model()->record(0).text(WL::TITLE), QString("Beta"));
    QCOMPARE(w.list()->highlighted()->text(WL::TITLE), QString("Gamma"));
}

void TestListWindows::userValueRecalledAfterAnotherStationWon()
{
    QVERIFY(addRow(*m_ctx, TableId::WindowLookup, {{WL::TITLE, "Terminal"}}).ok());
    ListWindow w(script_ui::BrowseWindowLookup(), m_data->store());
    w.show();
    QString shown;
    QString recalled;
    onNextModal(this, [&](QWidget *dialog) {
        // Another copy of the program renames the record while the form is open.
        m_data->rawExec("UPDATE \"WL\" SET \"TITLE\" = 'Console', \"Revision\" = \"Revision\" + 1");
        auto *title = dialog->findChild<QLineEdit *>();
        title->setText("My terminal");
        dialog->findChild<QDialogButtonBox *>()->buttons().constFirst()->click();
        shown = title->text();
        QApplication::setActiveWindow(dialog);
        title->setFocus();
        QTest::keyClick(title, Qt::Key_Apostrophe, Qt::ControlModifier);
        recalled = title->text();
        qobject_cast<QDialog *>(dialog)->reject();
    });
    w.button(Action::Change)->click();
    QCOMPARE(messages().numbers(), QList<int>{38});
    QCOMPARE(shown, QString("Console"));
    QCOMPARE(recalled, QString("My terminal"));
}

void TestListWindows::placeAndColumnsAreKept()
{
    QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, "Work"}}).ok());
    {
        ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
        w.setGeometry(120, 130, 480, 330);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.list()->view()->horizontalHeader()->resizeSection(0, 222);
        w.close();
    }
    ListWindow again(schedule_ui::BrowseCategories(m_services), m_data->store());
    QCOMPARE(again.geometry(), QRect(120, 130, 480, 330));
    QCOMPARE(again.list()->view()->horizontalHeader()->sectionSize(0), 222);
}

void TestListWindows::typingADateFindsIt()
{
    settings().dateFormat = "d2";
    for (const auto &[day, name] : {std::pair{82000, "A"}, {82100, "B"}, {82200, "C"}})
        QVERIFY(addRow(*m_ctx, TableId::Holidays, {{HOL::HOLIDAYDATE, day}, {HOL::HOLIDAY, name}})
                    .ok());
    ListWindow w(scheduler::BrowseHolidays(), m_data->store());
    w.show();
    // A date between two holidays finds the next one; text that is no date moves nothing.
    w.list()->view()->keyboardSearch(FormatDate(82050));
    QCOMPARE(w.list()->highlighted()->text(HOL::HOLIDAY), QString("B"));
    w.list()->view()->keyboardSearch("soon");
    QCOMPARE(w.list()->highlighted()->text(HOL::HOLIDAY), QString("B"));
}

void TestListWindows::listThatCannotBeReadSaysSo()
{
    QVERIFY(addRow(*m_ctx, TableId::Categories, {{CAT::Category, "Work"}}).ok());
    ListWindow w(schedule_ui::BrowseCategories(m_services), m_data->store());
    w.show();
    m_data->rawExec("DROP TABLE \"Categories\"");
    emit w.findChild<QTabBar *>()->currentChanged(0);
    QVERIFY(messages().numbers().contains(36));
    QCOMPARE(messages().shown().back().caption, QString("View Open Error"));
}

QTEST_MAIN(TestListWindows)
#include "tst_listwindows.moc"
