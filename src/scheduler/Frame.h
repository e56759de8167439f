#pragma once

#include "scheduler/Dispatcher.h"
#include "scheduler/FrameCommands.h"
#include "scheduler/TaskNotices.h"
#include "store/RecordContext.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QToolBar;
class QMdiArea;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace platform {
class SoundPlayer;
}
namespace store {
class Clock;
}

namespace scheduler {

class ScriptRunner;

// The program's main window: the menus, the toolbar, the status bar, the tray icon, the
// frame that holds every other window, and the timer whose ticks drive the scheduler. The
// tables the scheduler needs stay open for its whole life.
class Frame final : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char *BaseTitle = "Tallimer 97";
    static constexpr const char *Version = "1.5";
    static constexpr const char *Section = "Main";
    static constexpr const char *FirstTip = "Double-click here to restore";

    Frame(store::Store &store, const store::Clock &clock, platform::SoundPlayer &sound,
          Launcher &launcher);
    ~Frame() override;

    // How a command the frame does not carry out itself is done; set before start().
    void setHandler(Command command, std::function<void()> handler);
    // The run queue that active ticks step while a script is queued; set before start().
    void setScripts(ScriptRunner *scripts) { m_scripts = scripts; }
    // Work for active ticks on which no task was due (recording a window title).
    void setIdleWork(std::function<void()> work) { m_idleWork = std::move(work); }
    // Work at the start of every tick, active or not (the clipboard capture).
    void setEveryTick(std::function<void()> work) { m_everyTick = std::move(work); }
    // Builds the menus, restores the frame's place, shows it (or puts it in the tray) and
    // starts the timer; the first tick comes a second later.
    void start();

    QMdiArea *area() const { return m_area; }
    store::RecordContext &context() { return m_ctx; }
    bool inTray() const { return m_inTray; }
    QString statusZone(int zone) const; // 2 to 4
    // The script's run-status line, in the zone of the next task.
    void showScriptStatus(const QString &text);
    QString scriptIndicator() const;
    QSystemTrayIcon *tray() const { return m_tray; }
    // The tray menu's items as they would be shown now.
    QStringList trayMenuItems() const;

    // One tick of the scheduler; none runs while one of a tick's own prompts is open.
    void tick();
    void restoreFromTray();
    void run(Command command);
    // While keystrokes are sent: each round shows the next frame of the sending animation and
    // says so in the tray tip; when done the resting icon comes back. Only while in the tray.
    void keystrokeRound();
    void keystrokesDone();
    Dispatcher &dispatcher() { return *m_dispatcher; }
    // Performs the task once, now; while one of a tick's prompts is open (the frame's current
    // task being that tick's), it waits for the next tick.
    void runTaskNow(const store::Record &task);
    // Told whenever the frame's ticks have changed tasks.
    const TaskNotices &notices() const { return m_notices; }

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildTrayMenu();
    bool scriptQueued() const;
    void stopScript();
    void animateTray(bool scriptQueued);
    void dueCheck();
    void showNextTask(const std::optional<store::Record> &next);
    void moveToTray();
    void runWaitingTasks();
    QString minimisedCaption(const store::Record &task) const;

    store::Store &m_store;
    const store::Clock &m_clock;
    store::RecordContext m_ctx;
    std::map<Command, std::function<void()>> m_handlers;
    std::function<void()> m_idleWork;
    std::function<void()> m_everyTick;
    ScriptRunner *m_scripts = nullptr;
    QMdiArea *m_area;
    QLabel *m_zones[3];
    QToolBar *m_toolbar = nullptr;
    QLabel *m_scriptIndicator = nullptr;
    QSystemTrayIcon *m_tray;
    QMenu *m_trayMenu;
    QTimer *m_timer;
    std::unique_ptr<Dispatcher> m_dispatcher;
    TaskNotices m_notices;
    std::vector<store::Record> m_waitingRuns;
    bool m_inTray = false;
    bool m_ticking = false;
    bool m_opened = false;
    bool m_closed = false;
    bool m_dueChecked = false;
    int m_keystrokeFrame = 0;
    int m_scriptFrame = 0;
    bool m_trayIconAtRest = true;
};

} // namespace scheduler
