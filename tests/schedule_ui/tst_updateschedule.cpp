#include "DataFolder.h"
#include "ManualClock.h"
#include "Moments.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "schedule_ui/SelectedDay.h"
#include "schedule_ui/TaskPages.h"
#include "schedule_ui/UpdateSchedule.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/OpenTable.h"
#include "store/Pictures.h"
#include "store/Settings.h"
#include "store/tables/Holidays.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "toolkit/FieldEditor.h"
#include "toolkit/FormPages.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace store;
using schedule_ui::ScheduleForm;
using toolkit::FieldEditor;

namespace {

// The stored task with this number; a blank record when there is none.
Record storedTask(RecordContext &ctx, qint64 id)
{
    Record found(SCH::table());
    KeyRead(SCH::table(), SCH::KEYID)
        .where(SCH::ID, id)
        .first(*ctx.connection(TableId::Schedule), &found);
    return found;
}

QVariantList scriptOf(RecordContext &ctx, qint64 id)
{
    QVariantList lines;
    for (const QVariant &v : columnInKeyOrder(ctx, TableId::Scripting, SCR::KeyID, SCR::ID)) {
        if (v.toLongLong() == id)
            lines << v;
    }
    return lines;
}

} // namespace

class TestUpdateSchedule final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aNewTaskStartsOnTheBrowsedDay();
    void noneHidesTheTimeAndEndsTheDay();
    void aCopyStartsCleanWithTheSameScript();
    void cancellingACopyLeavesNothing();
    void theWarningPresetSetsTheAdvanceWarning();
    void anAdvanceWarningAfterTheTaskIsRefused_data();
    void anAdvanceWarningAfterTheTaskIsRefused();
    void okWithoutChangesWritesNothing();
    void theScheduleTypeShowsItsControls_data();
    void theScheduleTypeShowsItsControls();
    void monthEndDisablesTheOrdinalsAndDays();
    void aDateOffTheScheduleIsReportedAndKept();
    void theExceptionRuleAndTheUsersEditsBothReachTheStore();
    void deletingNeedsNoWindow();
    void aSoundThatCannotPlaySendsTheFocusToBrowse();
    void anUnreadableDateKeepsTheFormOpen();
    void enterPressesOkAfterTheFocusPassedAButton();

private:
    // Opens the form on the current task for the request.
    std::unique_ptr<ScheduleForm> openForm(Request request);
    FieldEditor *editor(int field) const { return m_form->pages().editor(field); }
    // Types into a line field and leaves it, as the user does.
    void type(int field, const QString &text);
    void choose(int field, const QString &choice);
    qint64 addTask(const FieldValues &values);

    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    std::unique_ptr<TableUse> m_tables[3];
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(9, 30))};
    RecordingSoundPlayer m_sound;
    std::unique_ptr<ScheduleForm> m_form;
};

void TestUpdateSchedule::init()
{
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    m_tables[0] = std::make_unique<TableUse>(*m_ctx, TableId::Schedule);
    m_tables[1] = std::make_unique<TableUse>(*m_ctx, TableId::Scripting);
    m_tables[2] = std::make_unique<TableUse>(*m_ctx, TableId::Holidays);
    schedule_ui::publishBrowsedDay(0);
}

void TestUpdateSchedule::cleanup()
{
    m_form.reset();
    for (auto &t : m_tables)
        t.reset();
    m_ctx.reset();
    m_data.reset();
}

std::unique_ptr<ScheduleForm> TestUpdateSchedule::openForm(Request request)
{
    m_ctx->request = request;
    auto form = std::make_unique<ScheduleForm>(*m_ctx, schedule_ui::TaskServices{m_clock, m_sound},
                                               nullptr);
    if (!form->start())
        return nullptr;
    form->show();
    return form;
}

void TestUpdateSchedule::type(int field, const QString &text)
{
    auto *line = qobject_cast<QLineEdit *>(editor(field)->widget());
    QVERIFY(line);
    line->clear();
    QTest::keyClicks(line, text);
    emit line->editingFinished();
}

void TestUpdateSchedule::choose(int field, const QString &choice)
{
    for (auto *option : editor(field)->widget()->findChildren<QRadioButton *>()) {
        if (option->text() == choice) {
            option->click();
            return;
        }
    }
    QFAIL(qPrintable("no option " + choice));
}

qint64 TestUpdateSchedule::addTask(const FieldValues &values)
{
    static qint64 id = 100;
    FieldValues all{{SCH::ID, ++id}};
    all.insert(all.end(), values.begin(), values.end());
    [&] { QVERIFY(addRow(*m_ctx, TableId::Schedule, all).ok()); }();
    return id;
}

void TestUpdateSchedule::aNewTaskStartsOnTheBrowsedDay()
{
    schedule_ui::publishBrowsedDay(day(2026, 12, 24));
    m_ctx->record(TableId::Schedule).clear();
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    QCOMPARE(m_form->windowTitle(), QString("Adding a Schedule Task"));
    type(SCH::Description, "Wrap the presents");
    m_form->accept();
    QCOMPARE(m_ctx->response, Response::Completed);

    const Record t = storedTask(*m_ctx, m_ctx->record(TableId::Schedule).number(SCH::ID));
    QCOMPARE(t.text(SCH::Description), QString("Wrap the presents"));
    QCOMPARE(t.number(SCH::Date), day(2026, 12, 24));
    QCOMPARE(t.number(SCH::Time), at(9, 30));
    QCOMPARE(t.text(SCH::ScheduleType), QString("Day of Week"));
    for (int f : {SCH::Sunday, SCH::Monday, SCH::Tuesday, SCH::Wednesday, SCH::Thursday,
                  SCH::Friday, SCH::Saturday, SCH::EveryLast, SCH::Warn})
        QCOMPARE(t.number(f), 1);
    QCOMPARE(t.text(SCH::TaskType), QString("Both"));
    QCOMPARE(t.number(SCH::Every), 1);
    QCOMPARE(t.text(SCH::EveryType), QString("hour(s)"));
}

void TestUpdateSchedule::noneHidesTheTimeAndEndsTheDay()
{
    m_ctx->record(TableId::Schedule).clear();
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    QTabWidget *tabs = m_form->pages().tabs();
    choose(SCH::TaskType, "None");
    QVERIFY(!editor(SCH::Time)->isShown());
    QVERIFY(!tabs->isTabVisible(schedule_ui::TaskPageCommand));
    QVERIFY(tabs->isTabVisible(schedule_ui::TaskPageMessage));
    choose(SCH::TaskType, "Both");
    QVERIFY(editor(SCH::Time)->isShown());
    QCOMPARE(qobject_cast<QLineEdit *>(editor(SCH::Time)->widget())->text(),
             pictures::formatTime(ScheduleForm::NoTime));
    choose(SCH::TaskType, "Run Program");
    QVERIFY(!tabs->isTabVisible(schedule_ui::TaskPageMessage));
    QVERIFY(tabs->isTabVisible(schedule_ui::TaskPageCommand));
    choose(SCH::TaskType, "None");
    m_form->accept();
    const Record t = storedTask(*m_ctx, m_ctx->record(TableId::Schedule).number(SCH::ID));
    QCOMPARE(t.number(SCH::Time), ScheduleForm::NoTime);
    QCOMPARE(t.text(SCH::TaskType), QString("None"));
}

void TestUpdateSchedule::aCopyStartsCleanWithTheSameScript()
{
    const qint64 original = addTask({{SCH::Description, "Backup"},
                                     {SCH::TaskType, "Run Program"},
                                     {SCH::ScheduleType, "Monthly"},
                                     {SCH::Date, day(2027, 1, 5)},
                                     {SCH::Time, at(22, 0)},
                                     {SCH::Disabled, 1},
                                     {SCH::COMPLETED, 1},
                                     {SCH::AdvanceWarned, 1}});
    for (int seq : {1, 2})
        QVERIFY(addRow(*m_ctx, TableId::Scripting,
                       {{SCR::ID, original}, {SCR::Sequence, seq}, {SCR::ACTION, "Wait"}})
                    .ok());
    m_ctx->record(TableId::Schedule) = storedTask(*m_ctx, original);
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    const qint64 copy = m_ctx->record(TableId::Schedule).number(SCH::ID);
    QVERIFY(copy != original);
    QCOMPARE(scriptOf(*m_ctx, copy).size(), 2);
    QVERIFY(!qobject_cast<QCheckBox *>(editor(SCH::Disabled)->widget())->isChecked());
    m_form->accept();
    const Record t = storedTask(*m_ctx, copy);
    QCOMPARE(t.text(SCH::Description), QString("Backup"));
    QCOMPARE(t.number(SCH::Time), at(22, 0));
    for (int f : {SCH::Disabled, SCH::COMPLETED, SCH::AdvanceWarned})
        QCOMPARE(t.number(f), 0);
    QCOMPARE(storedTask(*m_ctx, original).number(SCH::Disabled), 1);
    QCOMPARE(scriptOf(*m_ctx, original).size(), 2);
}

void TestUpdateSchedule::cancellingACopyLeavesNothing()
{
    const qint64 original = addTask(
        {{SCH::Description, "Backup"}, {SCH::TaskType, "Both"}, {SCH::ScheduleType, "Once"}});
    QVERIFY(addRow(*m_ctx, TableId::Scripting,
                   {{SCR::ID, original}, {SCR::Sequence, 1}, {SCR::ACTION, "Wait"}})
                .ok());
    m_ctx->record(TableId::Schedule) = storedTask(*m_ctx, original);
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    const qint64 copy = m_ctx->record(TableId::Schedule).number(SCH::ID);
    QCOMPARE(scriptOf(*m_ctx, copy).size(), 1);
    m_form->reject();
    QCOMPARE(m_ctx->response, Response::Cancelled);
    QCOMPARE(storedTask(*m_ctx, copy).number(SCH::ID), 0);
    QVERIFY(scriptOf(*m_ctx, copy).isEmpty());
    QCOMPARE(scriptOf(*m_ctx, original).size(), 1);
}

void TestUpdateSchedule::theWarningPresetSetsTheAdvanceWarning()
{
    m_data->writeFile("TL97.INI", "[Warning]\r\nActive=1\r\nDate=1\r\nTime=0\r\n");
    m_ctx->record(TableId::Schedule).clear();
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    type(SCH::Time, "4:15PM");
    type(SCH::Date, pictures::formatDate(day(2026, 12, 17), settings().dateFormat));
    m_form->accept();
    const Record t = storedTask(*m_ctx, m_ctx->record(TableId::Schedule).number(SCH::ID));
    QCOMPARE(t.number(SCH::Date), day(2026, 12, 17));
    QCOMPARE(t.number(SCH::AdvanceWarnDate), day(2026, 12, 16));
    QCOMPARE(t.number(SCH::AdvanceWarnTime), at(16, 15));
}

void TestUpdateSchedule::anAdvanceWarningAfterTheTaskIsRefused_data()
{
    QTest::addColumn<qint64>("warnDate");
    QTest::addColumn<QString>("warnTime");
    QTest::addColumn<bool>("refused");
    QTest::newRow("same day, later") << day(2026, 12, 17) << "4:16PM" << true;
    QTest::newRow("same day, same time") << day(2026, 12, 17) << "4:15PM" << false;
    QTest::newRow("same day, earlier") << day(2026, 12, 17) << "3:00PM" << false;
    QTest::newRow("the day after") << day(2026, 12, 18) << "8:00AM" << true;
    QTest::newRow("the day before, later") << day(2026, 12, 16) << "11:00PM" << false;
}

void TestUpdateSchedule::anAdvanceWarningAfterTheTaskIsRefused()
{
    QFETCH(qint64, warnDate);
    QFETCH(QString, warnTime);
    QFETCH(bool, refused);
    const qint64 id = addTask({{SCH::Description, "Dentist"},
                               {SCH::TaskType, "Display Message"},
                               {SCH::ScheduleType, "Once"},
                               {SCH::Date, day(2026, 12, 17)},
                               {SCH::Time, at(16, 15)}});
    m_ctx->record(TableId::Schedule) = storedTask(*m_ctx, id);
    m_form = openForm(Request::Change);
    QVERIFY(m_form);
    type(SCH::AdvanceWarnTime, warnTime);
    type(SCH::AdvanceWarnDate, pictures::formatDate(warnDate, settings().dateFormat));
    const bool told = !m_data->messages().shown().empty() &&
                      m_data->messages().shown().back().text ==
                          "Advanced Warning cannot be after scheduled task.";
    QCOMPARE(told, refused);
    m_data->messages().clear();
    m_form->accept();
    QCOMPARE(m_ctx->response, Response::Completed);
    const Record t = storedTask(*m_ctx, id);
    QCOMPARE(t.number(SCH::AdvanceWarnDate), refused ? 0 : warnDate);
    QCOMPARE(t.number(SCH::AdvanceWarnTime) == 0, refused);
}

void TestUpdateSchedule::okWithoutChangesWritesNothing()
{
    // Seconds the time field does not show must survive the form untouched.
    const qint64 id = addTask({{SCH::Description, "Stand up"},
                               {SCH::TaskType, "Display Message"},
                               {SCH::ScheduleType, "Custom"},
                               {SCH::Every, 2},
                               {SCH::EveryType, "hour(s)"},
                               {SCH::Date, day(2026, 12, 10)},
                               {SCH::Time, at(10, 0) + 4250},
                               {SCH::Message, "Walk around"}});
    m_ctx->record(TableId::Schedule) = storedTask(*m_ctx, id);
    const qint64 revision = m_ctx->record(TableId::Schedule).revision();
    m_form = openForm(Request::Change);
    QVERIFY(m_form);
    QCOMPARE(m_form->windowTitle(), QString("Changing a Schedule Task"));
    m_form->accept();
    QCOMPARE(m_ctx->response, Response::Completed);
    const Record t = storedTask(*m_ctx, id);
    QCOMPARE(t.revision(), revision);
    QCOMPARE(t.number(SCH::Time), at(10, 0) + 4250);
    QVERIFY(m_data->messages().shown().empty());
}

void TestUpdateSchedule::theScheduleTypeShowsItsControls_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("ordinals");
    QTest::addColumn<bool>("weekdays");
    QTest::addColumn<bool>("every");
    QTest::addColumn<bool>("except");
    QTest::newRow("Once") << "Once" << false << false << false << false;
    QTest::newRow("Day of Week") << "Day of Week" << false << true << false << false;
    QTest::newRow("Day of Month") << "Day of Month" << true << true << false << true;
    QTest::newRow("Monthly") << "Monthly" << false << false << false << true;
    QTest::newRow("Yearly") << "Yearly" << false << false << false << true;
    QTest::newRow("Custom") << "Custom" << false << false << true << true;
}

void TestUpdateSchedule::theScheduleTypeShowsItsControls()
{
    QFETCH(QString, type);
    QFETCH(bool, ordinals);
    QFETCH(bool, weekdays);
    QFETCH(bool, every);
    QFETCH(bool, except);
    m_ctx->record(TableId::Schedule).clear();
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    m_form->pages().tabs()->setCurrentIndex(schedule_ui::TaskPageWhen);
    choose(SCH::ScheduleType, type);
    for (int f : {SCH::Every1st, SCH::EveryLast, SCH::LastDayofMonth})
        QCOMPARE(editor(f)->widget()->isVisible(), ordinals);
    for (int f : {SCH::Sunday, SCH::Saturday})
        QCOMPARE(editor(f)->widget()->isVisible(), weekdays);
    for (int f : {SCH::Every, SCH::EveryType})
        QCOMPARE(editor(f)->widget()->isVisible(), every);
    QCOMPARE(m_form->pages().button(schedule_ui::taskbutton::Except)->isVisible(), except);
}

void TestUpdateSchedule::monthEndDisablesTheOrdinalsAndDays()
{
    m_ctx->record(TableId::Schedule).clear();
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    choose(SCH::ScheduleType, "Day of Month");
    auto *monthEnd = qobject_cast<QCheckBox *>(editor(SCH::LastDayofMonth)->widget());
    monthEnd->click();
    for (int f : {SCH::Every1st, SCH::EveryLast, SCH::Monday})
        QVERIFY(!editor(f)->widget()->isEnabled());
    QVERIFY(monthEnd->isEnabled());
    monthEnd->click();
    for (int f : {SCH::Every1st, SCH::EveryLast, SCH::Monday})
        QVERIFY(editor(f)->widget()->isEnabled());
}

void TestUpdateSchedule::aDateOffTheScheduleIsReportedAndKept()
{
    m_ctx->record(TableId::Schedule).clear();
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    choose(SCH::ScheduleType, "Day of Week");
    for (int f :
         {SCH::Sunday, SCH::Tuesday, SCH::Wednesday, SCH::Thursday, SCH::Friday, SCH::Saturday})
        qobject_cast<QCheckBox *>(editor(f)->widget())->click();
    // 16 December 2026 is a Wednesday; only Mondays are left.
    type(SCH::Date, pictures::formatDate(day(2026, 12, 16), settings().dateFormat));
    QCOMPARE(m_data->messages().shown().size(), std::size_t(1));
    QCOMPARE(m_data->messages().shown().front().caption, QString("Warning"));
    QCOMPARE(m_data->messages().shown().front().text,
             QString("Date given does not match schedule type."));
    type(SCH::Description, "Weekly report");
    m_form->accept();
    QCOMPARE(storedTask(*m_ctx, m_ctx->record(TableId::Schedule).number(SCH::ID)).number(SCH::Date),
             day(2026, 12, 16));
}

void TestUpdateSchedule::theExceptionRuleAndTheUsersEditsBothReachTheStore()
{
    // A monthly task on the 12th, which in December 2026 is a Saturday: with weekends
    // excepted and "Next Day", the occurrence goes to a copy on Monday the 14th.
    const qint64 id = addTask({{SCH::Description, "Pay the rent"},
                               {SCH::TaskType, "Display Message"},
                               {SCH::ScheduleType, "Monthly"},
                               {SCH::Date, day(2026, 12, 12)},
                               {SCH::Time, at(8, 0)},
                               {SCH::ExceptWeekends, 1},
                               {SCH::ShiftType, "Next Day"}});
    m_ctx->record(TableId::Schedule) = storedTask(*m_ctx, id);
    m_form = openForm(Request::Change);
    QVERIFY(m_form);
    type(SCH::Description, "Pay the rent now");
    m_form->accept();
    QCOMPARE(m_ctx->response, Response::Completed);
    QVERIFY2(m_data->messages().numbers().isEmpty(), "no station changed the task");
    QVERIFY(!m_form->isVisible());

    const Record t = storedTask(*m_ctx, id);
    QCOMPARE(t.text(SCH::Description), QString("Pay the rent now"));
    QCOMPARE(t.number(SCH::SkipNextTime), 1);
    const qint64 link = t.number(SCH::ExceptionLink);
    QVERIFY(link != 0);
    const Record shifted = storedTask(*m_ctx, link);
    QCOMPARE(shifted.number(SCH::Date), day(2026, 12, 14));
    QCOMPARE(shifted.text(SCH::ScheduleType), QString("Once"));
    QCOMPARE(shifted.text(SCH::Description), QString("Pay the rent now"));

    // Saving it again replaces the earlier shifted copy instead of adding another.
    m_ctx->record(TableId::Schedule) = t;
    m_form = openForm(Request::Change);
    QVERIFY(m_form);
    type(SCH::Description, "Pay the rent today");
    m_form->accept();
    QVERIFY(m_data->messages().numbers().isEmpty());
    const qint64 newLink = storedTask(*m_ctx, id).number(SCH::ExceptionLink);
    QVERIFY(newLink != 0 && newLink != link);
    QCOMPARE(storedTask(*m_ctx, link).number(SCH::ID), 0);
    QCOMPARE(storedTask(*m_ctx, newLink).text(SCH::Description), QString("Pay the rent today"));
}

void TestUpdateSchedule::deletingNeedsNoWindow()
{
    const qint64 id =
        addTask({{SCH::Description, "Old"}, {SCH::TaskType, "Both"}, {SCH::ScheduleType, "Once"}});
    QVERIFY(addRow(*m_ctx, TableId::Scripting,
                   {{SCR::ID, id}, {SCR::Sequence, 1}, {SCR::ACTION, "Wait"}})
                .ok());
    m_ctx->record(TableId::Schedule) = storedTask(*m_ctx, id);
    m_data->messages().answerNext(Button::Ok);
    QVERIFY(!openForm(Request::Delete));
    QCOMPARE(m_data->messages().numbers(), QList<int>{32});
    QCOMPARE(m_ctx->response, Response::Completed);
    QCOMPARE(storedTask(*m_ctx, id).number(SCH::ID), 0);
    QVERIFY(scriptOf(*m_ctx, id).isEmpty());
}

void TestUpdateSchedule::aSoundThatCannotPlaySendsTheFocusToBrowse()
{
    const qint64 id = addTask({{SCH::Description, "Wake up"},
                               {SCH::TaskType, "Display Message"},
                               {SCH::ScheduleType, "Once"},
                               {SCH::Alarm, 1},
                               {SCH::AlarmFile, "/sounds/bell.wav   "}});
    m_ctx->record(TableId::Schedule) = storedTask(*m_ctx, id);
    m_form = openForm(Request::Change);
    QVERIFY(m_form);
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->pages().tabs()->setCurrentIndex(schedule_ui::TaskPageAdvanced);
    m_form->pages().button(schedule_ui::taskbutton::Play)->click();
    QCOMPARE(m_sound.played, QStringList{"/sounds/bell.wav"});
    m_sound.playable = false;
    m_form->pages().button(schedule_ui::taskbutton::Play)->click();
    QCOMPARE(QApplication::focusWidget(),
             m_form->pages().button(schedule_ui::taskbutton::BrowseSound));
}

void TestUpdateSchedule::anUnreadableDateKeepsTheFormOpen()
{
    m_ctx->record(TableId::Schedule).clear();
    m_form = openForm(Request::Insert);
    QVERIFY(m_form);
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    auto *line = qobject_cast<QLineEdit *>(editor(SCH::Date)->widget());
    line->setText("the 40th");
    m_form->accept();
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_data->messages().shown().back().caption, QString("Invalid Entry"));
    QCOMPARE(QApplication::focusWidget(), line);
}

void TestUpdateSchedule::enterPressesOkAfterTheFocusPassedAButton()
{
    m_form = openForm(Request::Insert);
    // The focus passes Cancel (as it does on its way between pages): while Cancel has the
    // focus Enter would press it, afterwards OK again.
    QPushButton *cancel = nullptr;
    for (QPushButton *b : m_form->findChildren<QPushButton *>()) {
        if (b->text() == "Cancel")
            cancel = b;
    }
    QVERIFY(cancel);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(cancel, &in);
    QVERIFY(cancel->isDefault());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(cancel, &out);
    auto *time = qobject_cast<QLineEdit *>(editor(SCH::Time)->widget());
    time->selectAll();
    QTest::keyClicks(time, "10:00AM");
    QTest::keyClick(time, Qt::Key_Return);
    QTRY_VERIFY(!m_form->isVisible());
    QCOMPARE(m_ctx->response, Response::Completed);
    QCOMPARE(storedTask(*m_ctx, 1).number(SCH::Time), at(10, 0));
}

QTEST_MAIN(TestUpdateSchedule)
#include "tst_updateschedule.moc"
