#include "scheduler/Frame.h"

#include "scheduler/About.h"
#include "scheduler/ScriptRunner.h"
#include "scheduler/Setup.h"
#include "scheduler/TrayIcons.h"
#include "store/Clock.h"
#include "store/Config.h"
#include "store/Dates.h"
#include "store/EventLog.h"
#include "store/OpenTable.h"
#include "store/Pictures.h"
#include "store/Settings.h"
#include "store/tables/Schedule.h"
#include "toolkit/WindowPositions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace scheduler {

namespace SCH = store::SCH;
using store::TableId;

namespace {

constexpr int FirstTickMs = 1000;
constexpr int ScriptTickMs = 500;
constexpr int IdleTickMs = 1250;
constexpr int InactiveTickMs = 2500;
constexpr int TipChars = 63;

QString text(const char *s)
{
    return QString::fromLatin1(s);
}

bool ownCommand(Command c)
{
    switch (c) {
    case Command::Setup:
    case Command::Exit:
    case Command::Tile:
    case Command::Cascade:
    case Command::ArrangeIcons:
    case Command::About:
        return true;
    default:
        return false;
    }
}

// Keeps a tick's nested prompts (and the windows that run on the frame's own thread) from
// letting another tick in.
class TickHold {
public:
    explicit TickHold(bool &held) : m_held(held), m_was(held) { m_held = true; }
    ~TickHold() { m_held = m_was; }

private:
    bool &m_held;
    bool m_was;
};

} // namespace

Frame::Frame(store::Store &store, const store::Clock &clock, platform::SoundPlayer &sound,
             Launcher &launcher)
    : m_store(store), m_clock(clock), m_ctx(store), m_area(new QMdiArea(this)),
      m_tray(new QSystemTrayIcon(clockIcon(0), this)), m_trayMenu(new QMenu(this)),
      m_timer(new QTimer(this))
{
    setObjectName(text(Section));
    setWindowIcon(clockIcon(0));
    setCentralWidget(m_area);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (QLabel *&zone : m_zones) {
        zone = new QLabel(this);
        zone->setContentsMargins(6, 0, 6, 0);
        statusBar()->addPermanentWidget(zone);
    }
    m_tray->setToolTip(text(FirstTip));
    m_tray->setContextMenu(m_trayMenu);
    connect(m_trayMenu, &QMenu::aboutToShow, this, &Frame::buildTrayMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick)
            restoreFromTray();
    });
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &Frame::tick);
    // Holidays, Link and the to-do list are used by the exception rules, task deletes and
    // snoozes on the frame's context as well.
    for (TableId id : {TableId::Clipboard, TableId::Configuration, TableId::Schedule,
                       TableId::Scripting, TableId::WindowLookup, TableId::Holidays})
        store::OpenTable(m_ctx, id);
    m_dispatcher = std::make_unique<Dispatcher>(
        Dispatcher::Services{m_ctx,
                             {store, clock, sound, launcher, m_area, &m_notices},
                             [this] {
                                 if (m_inTray)
                                     restoreFromTray();
                                 else
                                     showNormal();
                             },
                             [this] { return m_inTray || isMinimized(); }});
}

Frame::~Frame() = default;

void Frame::setHandler(Command command, std::function<void()> handler)
{
    m_handlers[command] = std::move(handler);
}

void Frame::start()
{
    setWindowTitle(text(BaseTitle) + u' ' + text(Version));
    store::PutConfig(m_ctx, QStringLiteral("Version"), text(Version));
    store::LoadSettings(m_ctx);
    buildMenus();
    buildToolbar();
    resize(800, 560);
    toolkit::WindowPositions(m_store.folder()).restore(this, text(Section), true);
    const store::Settings &s = store::settings();
    show();
    m_opened = true;
    const std::pair<bool, Command> startUp[] = {{s.startUpContacts, Command::Contacts},
                                                {s.startUpClipboardSaver, Command::ClipboardSaver},
                                                {s.startUpToDo, Command::ToDoList},
                                                {s.startUpSchedule, Command::ViewSchedule}};
    for (const auto &[wanted, command] : startUp) {
        if (wanted && m_handlers.count(command))
            run(command);
    }
    if (s.startUpMinimized)
        showMinimized();
    store::AddLog(QStringLiteral("Started"), windowTitle());
    m_timer->start(FirstTickMs);
}

void Frame::buildMenus()
{
    std::map<QString, QMenu *> menus;
    for (const MenuItem &item : frameMenu()) {
        if (!ownCommand(item.command) && !m_handlers.count(item.command))
            continue;
        QMenu *&menu = menus[text(item.menu)];
        if (!menu)
            menu = menuBar()->addMenu(text(item.menu));
        QMenu *target = menu;
        if (item.submenu) {
            QMenu *&sub = menus[text(item.menu) + u'>' + text(item.submenu)];
            if (!sub)
                sub = menu->addMenu(text(item.submenu));
            target = sub;
        }
        QAction *action = target->addAction(text(item.text));
        action->setStatusTip(text(item.tip));
        const Command command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
    }
}

void Frame::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    for (const ToolbarButton &button : frameToolbar()) {
        if (!m_handlers.count(button.command))
            continue;
        QAction *action = m_toolbar->addAction(text(button.text));
        action->setToolTip(text(button.tip));
        action->setStatusTip(text(button.tip));
        const Command command = button.command;
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
    }
    if (m_scripts) {
        auto *spacer = new QWidget(m_toolbar);
        spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        m_toolbar->addWidget(spacer);
        m_scriptIndicator = new QLabel(m_toolbar);
        m_scriptIndicator->setMinimumWidth(fontMetrics().horizontalAdvance(u'*') * 3);
        m_scriptIndicator->setAlignment(Qt::AlignCenter);
        m_toolbar->addWidget(m_scriptIndicator);
        // The logo stops a running script.
        auto *logo = new QToolButton(m_toolbar);
        logo->setIcon(clockIcon(0));
        logo->setIconSize(QSize(32, 32));
        logo->setAutoRaise(true);
        logo->setToolTip(QStringLiteral("Stop Running Script"));
        connect(logo, &QToolButton::clicked, this, &Frame::stopScript);
        m_toolbar->addWidget(logo);
    }
    m_toolbar->setVisible(!store::settings().hideToolbar);
}

bool Frame::scriptQueued() const
{
    return m_scripts && m_scripts->isQueued();
}

void Frame::stopScript()
{
    if (scriptQueued())
        m_scripts->StopRunningScript();
}

QString Frame::scriptIndicator() const
{
    return m_scriptIndicator ? m_scriptIndicator->text() : QString();
}

void Frame::showScriptStatus(const QString &status)
{
    m_zones[0]->setText(status);
}

void Frame::run(Command command)
{
    switch (command) {
    case Command::Setup: {
        const TickHold hold(m_ticking);
        Setup setup(m_store, m_scripts, this);
        setup.exec();
        return;
    }
    case Command::About: {
        const TickHold hold(m_ticking);
        About about([this] { run(Command::WindowTitles); }, this);
        about.exec();
        return;
    }
    case Command::Exit:
        close();
        return;
    case Command::Tile:
        m_area->tileSubWindows();
        return;
    case Command::Cascade:
        m_area->cascadeSubWindows();
        return;
    case Command::ArrangeIcons: {
        // Minimised windows in a row along the bottom.
        int x = 0;
        for (QMdiSubWindow *w : m_area->subWindowList()) {
            if (!w->isMinimized())
                continue;
            w->move(x, m_area->viewport()->height() - w->height());
            x += w->width();
        }
        return;
    }
    default:
        break;
    }
    if (const auto handler = m_handlers.find(command); handler != m_handlers.end())
        handler->second();
}

namespace {

// The tray menu in order: a command run after bringing the frame back from the tray, or one
// of the frame's own items. Separators have no text.
enum class TrayAction { RestoreAndRun, Restore, Run, StopScript, Exit, Separator };
struct TrayItem {
    const char *text;
    TrayAction action;
    Command command;
};
const TrayItem TrayItems[] = {
    {"Add &Message", TrayAction::RestoreAndRun, Command::AddMessageWizard},
    {"Add &Program", TrayAction::RestoreAndRun, Command::AddProgramWizard},
    {"&View To Do", TrayAction::RestoreAndRun, Command::ToDoList},
    {"&Options", TrayAction::RestoreAndRun, Command::Setup},
    {"-", TrayAction::Separator, Command::Setup},
    {"&Restore", TrayAction::Restore, Command::Setup},
    {"-", TrayAction::Separator, Command::Setup},
    {"&About", TrayAction::Run, Command::About},
    {"&Stop Running Script", TrayAction::StopScript, Command::About},
    {"E&xit Tallimer", TrayAction::Exit, Command::Exit},
};

// Items that open windows not built yet are left out; stopping a script is offered while one
// is queued.
bool shown(const TrayItem &item, const std::map<Command, std::function<void()>> &handlers,
           bool scriptQueued)
{
    if (item.action == TrayAction::StopScript)
        return scriptQueued;
    return item.action != TrayAction::RestoreAndRun || ownCommand(item.command) ||
           handlers.count(item.command);
}

} // namespace

QStringList Frame::trayMenuItems() const
{
    QStringList items;
    for (const TrayItem &item : TrayItems) {
        if (shown(item, m_handlers, scriptQueued()))
            items << text(item.text);
    }
    return items;
}

void Frame::buildTrayMenu()
{
    m_trayMenu->clear();
    for (const TrayItem &item : TrayItems) {
        if (!shown(item, m_handlers, scriptQueued()))
            continue;
        if (item.action == TrayAction::Separator) {
            m_trayMenu->addSeparator();
            continue;
        }
        connect(m_trayMenu->addAction(text(item.text)), &QAction::triggered, this, [this, &item] {
            switch (item.action) {
            case TrayAction::RestoreAndRun:
                restoreFromTray();
                run(item.command);
                break;
            case TrayAction::Restore:
                restoreFromTray();
                break;
            case TrayAction::Run:
                run(item.command);
                break;
            case TrayAction::StopScript:
                stopScript();
                break;
            case TrayAction::Exit:
                m_tray->hide();
                close();
                break;
            case TrayAction::Separator:
                break;
            }
        });
    }
}

QString Frame::statusZone(int zone) const
{
    return zone >= 2 && zone <= 4 ? m_zones[zone - 2]->text() : statusBar()->currentMessage();
}

void Frame::tick()
{
    if (m_ticking || m_closed) {
        m_timer->start(IdleTickMs);
        return;
    }
    const TickHold hold(m_ticking);
    if (m_everyTick)
        m_everyTick();
    runWaitingTasks();
    int next = IdleTickMs;
    bool stepping = false;
    if (store::settings().startUpActive) {
        dueCheck();
        if (scriptQueued()) {
            stepping = true;
            next = ScriptTickMs;
            m_scripts->ScriptStep();
        }
    } else {
        setWindowTitle(text(BaseTitle) + QStringLiteral(" (Inactive)"));
        m_zones[0]->setText(QStringLiteral("Inactive"));
        next = InactiveTickMs;
    }
    if (m_scriptIndicator)
        m_scriptIndicator->setText(stepping ? QStringLiteral("*") : QString());
    animateTray(stepping);
    const QDateTime now = m_clock.now();
    const qint64 today = store::dates::dayNumber(now.date());
    m_zones[1]->setText(store::pictures::longDate(today));
    m_zones[2]->setText(store::pictures::formatTime(store::dates::timeValue(now.time())));
    m_timer->start(next);
}

void Frame::runTaskNow(const store::Record &task)
{
    m_waitingRuns.push_back(task);
    if (m_ticking)
        return;
    const TickHold hold(m_ticking);
    runWaitingTasks();
}

void Frame::runWaitingTasks()
{
    if (m_waitingRuns.empty())
        return;
    while (!m_waitingRuns.empty()) {
        m_ctx.record(store::TableId::Schedule) = m_waitingRuns.front();
        m_waitingRuns.erase(m_waitingRuns.begin());
        m_dispatcher->RunTaskNow();
    }
    m_notices.tell();
}

QString Frame::minimisedCaption(const store::Record &task) const
{
    return QStringLiteral("%1 - %2 %3 %4")
        .arg(text(BaseTitle), task.text(SCH::Description),
             store::pictures::formatDate(task.number(SCH::Date), QStringLiteral("d3")),
             store::pictures::formatTime(task.number(SCH::Time)));
}

void Frame::dueCheck()
{
    bool dispatched = false;
    showNextTask(m_dispatcher->dueCheck(&dispatched));
    if (dispatched)
        m_notices.tell();
    else if (m_idleWork)
        m_idleWork();
    m_dispatcher->advanceWarningCheck();
    if (m_dispatcher->historyCheck())
        m_notices.tell();
}

void Frame::showNextTask(const std::optional<store::Record> &next)
{
    m_dueChecked = true;
    // While a script is queued its zone shows how the script goes.
    const bool nextShown = !scriptQueued();
    if (!next) {
        setWindowTitle(text(BaseTitle));
        if (nextShown)
            m_zones[0]->clear();
    } else {
        setWindowTitle(m_inTray || isMinimized() ? minimisedCaption(*next) : text(BaseTitle));
        if (nextShown)
            m_zones[0]->setText(QStringLiteral("Next: ") + next->text(SCH::Description));
    }
    if (!store::settings().noTray)
        m_tray->setToolTip(windowTitle().left(TipChars));
}

void Frame::animateTray(bool scriptQueued)
{
    if (!m_inTray)
        return;
    if (scriptQueued) {
        const int frame = m_scriptFrame++ % 4;
        m_tray->setIcon(clockIcon(frame));
        m_trayIconAtRest = frame == 0;
    } else if (!m_trayIconAtRest) {
        m_tray->setIcon(clockIcon(0));
        m_trayIconAtRest = true;
    }
}

void Frame::keystrokeRound()
{
    if (!m_inTray)
        return;
    m_tray->setToolTip(QStringLiteral("\"Send Keys\" in progress"));
    // The frames go: at rest, red hand, turned, red hand turned again.
    const int frame = m_keystrokeFrame++ % 4;
    m_tray->setIcon(clockIcon(frame, frame % 2 == 1));
    m_trayIconAtRest = frame == 0;
}

void Frame::keystrokesDone()
{
    m_keystrokeFrame = 0;
    if (m_inTray)
        m_tray->setIcon(clockIcon(0));
    m_trayIconAtRest = true;
}

void Frame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !m_inTray &&
        !store::settings().noTray && QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, &Frame::moveToTray);
}

void Frame::moveToTray()
{
    if (m_inTray || !isMinimized() || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    // Until the first due check names the next task, the tip says how to get the frame back.
    if (m_dueChecked)
        m_tray->setToolTip(windowTitle().left(TipChars));
    m_tray->show();
    hide();
    m_inTray = true;
}

void Frame::restoreFromTray()
{
    if (!m_inTray)
        return;
    m_tray->hide();
    m_inTray = false;
    showNormal();
    raise();
    activateWindow();
}

void Frame::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    m_closed = true;
    m_timer->stop();
    m_area->closeAllSubWindows();
    if (m_opened)
        toolkit::WindowPositions(m_store.folder()).save(this, text(Section));
    m_tray->hide();
    store::AddLog(QStringLiteral("Exit Tallimer"), QString());
    event->accept();
    QApplication::quit();
}

} // namespace scheduler
