#include "scheduler/Setup.h"

#include "scheduler/ScriptRunner.h"
#include "store/Config.h"
#include "store/FileNames.h"
#include "store/Housekeeping.h"
#include "store/MessagePresenter.h"
#include "store/OpenTable.h"
#include "store/Pictures.h"
#include "store/ProfileFile.h"
#include "store/Settings.h"
#include "store/Store.h"
#include "toolkit/WindowPositions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace scheduler {

namespace {

// The options on each tab, in order. What kind of control each gets follows from its setting:
// a flag a check box, a number a spin box within the range given here.
struct Control {
    const char *tab;
    const char *setting;
    const char *label;
    int minimum = 0;
    int maximum = 0;
    const char *unit = "";
};

const Control Controls[] = {
    {"Start Up", "StartUpSchedule", "Show Schedule at start up"},
    {"Start Up", "StartUpToDo", "Show To Do List at start up"},
    {"Start Up", "StartUpClipboardSaver", "Show Clipboard Saver at start up"},
    {"Start Up", "StartUpContacts", "Show Contacts at start up"},
    {"Start Up", "StartUpMinimized", "Minimize at start up"},
    {"Start Up", "FullSchedule", "Show full schedule initially on \"View Schedule\" window"},
    {"General", "NoTray", "Do not place in tray when minimized"},
    {"General", "MaximizeOnRun", "Restore for \"Run Program\" tasks"},
    {"General", "UseModalMessage", "Do not proceed until message acknowledged"},
    {"General", "RepeatAlarmInterval", "Repeat alarms every # seconds:", 0, 3600},
    {"General", "LogEvents", "Log Events"},
    {"General", "MonitorClipboard", "Monitor clipboard"},
    {"General", "MaxClipboardEntries", "Maximum # of clipboard entries:", 0, 99999},
    {"General", "DateFormat", "Date format to use:"},
    {"History", "HistoryExpires", "Removed Completed Tasks After:", 0, 99999, " days"},
    {"History", "RemoveUncompleted", "Also Remove Uncompleted Tasks"},
    {"Scripting", "ScriptingDelay", "Send Interval (1/100ths of a second):", 0, 99999},
    {"Scripting", "BurstSize", "Maximum Number of Characters per Send Group:", 0, 255},
};

const char *const Tabs[] = {"Start Up", "General", "History", "Scripting"};

// The housekeeping tasks: each asks first and, on Yes, acts and says it is done.
struct Chore {
    const char *button;
    const char *question;
    void (*action)(Setup &, store::RecordContext &);
    const char *done;       // nullptr: nothing to say
    bool onScripts = false; // offered only when there is a script queue
};

// The windows whose saved places the reset forgets, and the keys it blanks for each.
const char *const ResetSections[] = {"BrowseSchedule",
                                     "Main",
                                     "About",
                                     "Calendar",
                                     "ViewToDo",
                                     "UpdateTodo",
                                     "Setup",
                                     "AddProgramWizard",
                                     "AddMessageWizard",
                                     "BrowseTodo",
                                     "UpdateSchedule",
                                     "UpdateScripting",
                                     "ViewScriptKeys",
                                     "AddScripting",
                                     "ShowMessage",
                                     "SystemInfo",
                                     "AddTaskWizard",
                                     "SpecialEventWizard"};
const char *const ResetKeys[] = {"Maximize", "XPosit",    "YPosit",    "Width",
                                 "Height",   "?Browse:1", "?Browse:2", "WindowScaled"};

QString text(const char *s)
{
    return QString::fromLatin1(s);
}

template <typename Work> void withTable(store::RecordContext &ctx, store::TableId id, Work work)
{
    const store::TableUse use(ctx, id);
    if (use.isOpen())
        work(ctx);
}

} // namespace

Setup::Setup(store::Store &store, ScriptRunner *scripts, QWidget *parent)
    : QDialog(parent), m_store(store), m_scripts(scripts), m_ctx(store),
      m_dateFormatWhenOpened(store::settings().dateFormat)
{
    setWindowTitle(QStringLiteral("Tallimer Setup (Preferences)"));
    setObjectName(QLatin1String(Section));
    store::OpenTable(m_ctx, store::TableId::Configuration);

    auto *tabs = new QTabWidget(this);
    tabs->setUsesScrollButtons(false);
    for (const char *tab : Tabs)
        tabs->addTab(buildTab(tab), text(tab));
    tabs->addTab(buildHousekeeping(), QStringLiteral("Housekeeping"));

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &Setup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &Setup::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(controlFor("StartUpActive", "Scheduler active"));
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    toolkit::WindowPositions(m_store.folder()).restore(this, text(Section), false);
}

Setup::~Setup() = default;

QWidget *Setup::buildTab(const char *tab)
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const Control &c : Controls) {
        if (qstrcmp(c.tab, tab) != 0)
            continue;
        QWidget *control = controlFor(c.setting, c.label);
        if (qobject_cast<QCheckBox *>(control))
            form->addRow(control);
        else
            form->addRow(text(c.label), control);
    }
    return page;
}

QWidget *Setup::controlFor(const char *setting, const char *label)
{
    const store::SettingDef *def = store::settingDef(text(setting));
    Q_ASSERT(def);
    store::Settings &s = store::settings();
    if (const auto *flag = std::get_if<bool store::Settings::*>(&def->value)) {
        auto *box = new QCheckBox(text(label));
        box->setChecked(s.**flag);
        connect(box, &QCheckBox::toggled, this,
                [member = *flag](bool on) { store::settings().*member = on; });
        return box;
    }
    if (const auto *number = std::get_if<int store::Settings::*>(&def->value)) {
        const Control *c =
            std::find_if(std::begin(Controls), std::end(Controls),
                         [&](const Control &k) { return qstrcmp(k.setting, setting) == 0; });
        auto *spin = new QSpinBox;
        spin->setRange(c->minimum, c->maximum);
        spin->setSuffix(text(c->unit));
        spin->setValue(s.**number);
        connect(spin, &QSpinBox::valueChanged, this,
                [member = *number](int value) { store::settings().*member = value; });
        return spin;
    }
    return dateFormatList();
}

QComboBox *Setup::dateFormatList()
{
    auto *list = new QComboBox;
    for (const store::pictures::DateFormatName &f : store::pictures::dateFormatNames()) {
        if (f.offered)
            list->addItem(text(f.name), text(f.code));
    }
    list->setCurrentIndex(list->findData(store::settings().dateFormat));
    connect(list, &QComboBox::currentIndexChanged, this, [list](int index) {
        if (index >= 0)
            store::settings().dateFormat = list->itemData(index).toString();
    });
    return list;
}

QWidget *Setup::buildHousekeeping()
{
    using store::TableId;
    static const Chore chores[] = {
        {"Clear all disabled tasks", "Remove disabled tasks?",
         [](Setup &, store::RecordContext &ctx) {
             withTable(ctx, TableId::Schedule, store::RemoveDisabledTasks);
         },
         "Disabled tasks removed."},
        {"Clear all completed tasks", "Remove completed tasks?",
         [](Setup &, store::RecordContext &ctx) {
             withTable(ctx, TableId::Schedule, store::RemoveCompletedTasks);
         },
         "Completed tasks removed."},
        {"Clear To Do list", "Clear To Do list?",
         [](Setup &, store::RecordContext &ctx) {
             withTable(ctx, TableId::Todo, store::ClearTodoList);
         },
         "To Do list removed."},
        {"Reset saved window settings", "Reset saved window settings?",
         [](Setup &setup, store::RecordContext &) { setup.resetWindowSettings(); }, nullptr},
        {"Clear current script queue", "Remove active scripts?",
         [](Setup &setup, store::RecordContext &) { setup.m_scripts->StopRunningScript(); },
         "All active scripts have been removed", true},
    };
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    for (const Chore &chore : chores) {
        if (chore.onScripts && !m_scripts)
            continue;
        auto *button = new QPushButton(text(chore.button));
        connect(button, &QPushButton::clicked, this, [this, &chore] {
            store::MessagePresenter &messages = m_store.messages();
            const QString caption = QStringLiteral("Housekeeping");
            if (messages.ask(caption, text(chore.question)) != store::Button::Yes)
                return;
            chore.action(*this, m_ctx);
            if (chore.done)
                messages.notify(caption, text(chore.done));
        });
        layout->addWidget(button);
    }
    layout->addStretch();
    return page;
}

void Setup::resetWindowSettings()
{
    const QString files[] = {
        m_store.settingsPath(),
        store::resolveFileName(m_store.folder(),
                               QLatin1String(toolkit::WindowPositions::FileName))};
    for (const QString &path : files) {
        store::ProfileFile file(path);
        for (const char *section : ResetSections) {
            for (const char *key : ResetKeys)
                file.setValue(text(section), text(key), QString());
        }
        file.save();
    }
}

void Setup::accept()
{
    store::SaveSettings(m_ctx, m_dateFormatWhenOpened);
    toolkit::WindowPositions(m_store.folder()).save(this, text(Section));
    QDialog::accept();
}

void Setup::reject()
{
    store::LoadSettings(m_ctx);
    toolkit::WindowPositions(m_store.folder()).save(this, text(Section));
    QDialog::reject();
}

} // namespace scheduler
