#include "DataFolder.h"
#include "Rows.h"
#include "scheduler/Setup.h"
#include "store/Config.h"
#include "store/OpenTable.h"
#include "store/ProfileFile.h"
#include "store/Settings.h"
#include "store/tables/Schedule.h"
#include "store/tables/Todo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace store;
using scheduler::Setup;

Q_DECLARE_METATYPE(store::Button)

class TestSetup final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnTheCurrentSettings();
    void controlsChangeTheSettingsAtOnce();
    void okMakesTheChangesPermanent();
    void cancelUndoesTheChanges();
    void housekeeping_data();
    void housekeeping();
    void resetForgetsSavedWindowPlaces();

private:
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<RecordContext> m_ctx;
    template <typename W> W *child(QWidget *parent, const QString &text);
};

template <typename W> W *TestSetup::child(QWidget *parent, const QString &text)
{
    for (W *w : parent->findChildren<W *>()) {
        if (w->text() == text)
            return w;
    }
    return nullptr;
}

void TestSetup::init()
{
    settings() = Settings();
    m_data = std::make_unique<DataFolder>();
    m_ctx = std::make_unique<RecordContext>(m_data->store());
    for (TableId id : {TableId::Configuration, TableId::Schedule, TableId::Todo})
        QVERIFY(OpenTable(*m_ctx, id));
    LoadSettings(*m_ctx);
}

void TestSetup::cleanup()
{
    m_ctx.reset();
    m_data.reset();
}

void TestSetup::opensOnTheCurrentSettings()
{
    settings().dateFormat = "d1";
    settings().burstSize = 12;
    Setup setup(m_data->store());
    QCOMPARE(setup.windowTitle(), QString("Tallimer Setup (Preferences)"));
    auto *tabs = setup.findChild<QTabWidget *>();
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    QCOMPARE(titles, (QStringList{"Start Up", "General", "History", "Scripting", "Housekeeping"}));

    auto *formats = setup.findChild<QComboBox *>();
    QStringList names;
    for (int i = 0; i < formats->count(); ++i)
        names << formats->itemText(i);
    QCOMPARE(names, (QStringList{"Windows Default", "October 31, 1959", "OCT 31,1959", "10/31/59",
                                 "10/31/1959", "31 OCT 59", "31 OCT 1959", "31/10/59", "31/10/1959",
                                 "Windows Default 2"}));
    QCOMPARE(formats->currentText(), QString("10/31/59"));
    QVERIFY(child<QCheckBox>(&setup, "Scheduler active")->isChecked());
    QVERIFY(!child<QCheckBox>(&setup, "Log Events")->isChecked());
    const QList<QSpinBox *> spins = setup.findChildren<QSpinBox *>();
    QVERIFY(std::any_of(spins.begin(), spins.end(), [](QSpinBox *s) { return s->value() == 12; }));
}

void TestSetup::controlsChangeTheSettingsAtOnce()
{
    Setup setup(m_data->store());
    child<QCheckBox>(&setup, "Scheduler active")->click();
    QVERIFY(!settings().startUpActive);
    child<QCheckBox>(&setup, "Log Events")->click();
    QVERIFY(settings().logEvents);
    setup.findChild<QComboBox *>()->setCurrentText("31 OCT 1959");
    QCOMPARE(settings().dateFormat, QString("d8"));
}

void TestSetup::okMakesTheChangesPermanent()
{
    Setup setup(m_data->store());
    child<QCheckBox>(&setup, "Scheduler active")->click();
    setup.findChild<QComboBox *>()->setCurrentText("31/10/1959");
    setup.accept();
    QCOMPARE(setup.result(), int(QDialog::Accepted));
    QCOMPARE(GetConfig(*m_ctx, "StartUpActive"), QString("1"));
    QCOMPARE(GetConfig(*m_ctx, "DateFormat"), QString("d6"));
    QCOMPARE(m_data->messages().shown().size(), 1u);
    QCOMPARE(m_data->messages().shown().front().caption, QString("Information"));
    QVERIFY(m_data->readFile("POSITION.INI").contains("[Setup]"));
}

void TestSetup::cancelUndoesTheChanges()
{
    Setup setup(m_data->store());
    child<QCheckBox>(&setup, "Log Events")->click();
    QVERIFY(settings().logEvents);
    setup.reject();
    QVERIFY(!settings().logEvents);
    QCOMPARE(GetConfig(*m_ctx, "LogEvents"), QString());
}

void TestSetup::housekeeping_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Button>("answer");
    QTest::addColumn<QVariantList>("tasksLeft");
    QTest::addColumn<int>("toDoLeft");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("disabled tasks")
        << "Clear all disabled tasks" << Button::Yes << QVariantList{1, 4} << 1
        << QStringList{"Remove disabled tasks?", "Disabled tasks removed."};
    QTest::newRow("completed tasks")
        << "Clear all completed tasks" << Button::Yes << QVariantList{1, 3} << 1
        << QStringList{"Remove completed tasks?", "Completed tasks removed."};
    QTest::newRow("to-do list") << "Clear To Do list" << Button::Yes << QVariantList{1, 2, 3, 4}
                                << 0 << QStringList{"Clear To Do list?", "To Do list removed."};
    QTest::newRow("No does nothing")
        << "Clear all disabled tasks" << Button::No << QVariantList{1, 2, 3, 4} << 1
        << QStringList{"Remove disabled tasks?"};
}

void TestSetup::housekeeping()
{
    QFETCH(QString, button);
    QFETCH(Button, answer);
    QFETCH(QVariantList, tasksLeft);
    QFETCH(int, toDoLeft);
    QFETCH(QStringList, texts);
    const int tasks[][3] = {{1, 0, 0}, {2, 1, 1}, {3, 1, 0}, {4, 0, 1}}; // id, disabled, completed
    for (const auto &t : tasks) {
        QVERIFY(addRow(*m_ctx, TableId::Schedule,
                       {{SCH::ID, t[0]},
                        {SCH::Disabled, t[1]},
                        {SCH::COMPLETED, t[2]},
                        {SCH::Date, 80000}})
                    .ok());
    }
    QVERIFY(addRow(*m_ctx, TableId::Todo, {{TDO::ToDo, "Water the plants"}}).ok());
    m_data->messages().answerNext(answer);

    Setup setup(m_data->store());
    child<QPushButton>(&setup, button)->click();
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Schedule, SCH::KEYID, SCH::ID), tasksLeft);
    QCOMPARE(columnInKeyOrder(*m_ctx, TableId::Todo, TDO::KEYDONE, TDO::ToDo).size(), toDoLeft);
    QStringList shown;
    for (const StandardMessage &m : m_data->messages().shown()) {
        QCOMPARE(m.caption, QString("Housekeeping"));
        shown << m.text;
    }
    QCOMPARE(shown, texts);
    QCOMPARE(m_data->messages().shown().front().defaultButton, Button::No);
}

void TestSetup::resetForgetsSavedWindowPlaces()
{
    m_data->writeFile("POSITION.INI", "[Main]\nXPosit=40\nYPosit=50\n[Other]\nXPosit=7\n");
    m_data->messages().answerNext(Button::Yes);
    Setup setup(m_data->store());
    child<QPushButton>(&setup, "Reset saved window settings")->click();
    for (const char *file : {"POSITION.INI", "TL97.INI"}) {
        const ProfileFile ini(m_data->path(file));
        QCOMPARE(ini.value("Main", "XPosit", "unset"), QString());
        QCOMPARE(ini.value("SpecialEventWizard", "?Browse:2", "unset"), QString());
    }
    QCOMPARE(ProfileFile(m_data->path("POSITION.INI")).value("Other", "XPosit"), QString("7"));
    QCOMPARE(m_data->messages().shown().size(), 1u);
}

QTEST_MAIN(TestSetup)
#include "tst_setup.moc"
