// tl97: the scheduler and organiser. Usage: tl97 [--data-dir DIR]
#include "organiser/ClipboardCapture.h"
#include "platform/KeyInjector.h"
#include "platform/Processes.h"
#include "platform/Signals.h"
#include "platform/Sound.h"
#include "platform/WindowSystem.h"
#include "schedule_ui/BrowseSchedule.h"
#include "schedule_ui/Categories.h"
#include "schedule_ui/TaskServices.h"
#include "scheduler/Frame.h"
#include "scheduler/Launcher.h"
#include "script/Interpreter.h"
#include "script/WindowMonitor.h"
#include "script_ui/WindowLookup.h"
#include "store/Clock.h"
#include "store/Config.h"
#include "store/EventLog.h"
#include "store/ProfileFile.h"
#include "store/Store.h"
#include "toolkit/ListWindow.h"
#include "toolkit/MessageBoxPresenter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

namespace {

// The data folder: the one given, else tallimer97 in the user's data folder. Created private
// to the user, and made the working folder, where the program's files are named relative to it.
QString dataFolder(const QCommandLineParser &options)
{
    QString folder = options.value(QStringLiteral("data-dir"));
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/tallimer97");
    folder = QDir(folder).absolutePath();
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
        !QDir::setCurrent(folder))
        return QString();
    return folder;
}

// The process terminator installed beside this program, else the one found on PATH.
QString terminatorProgram()
{
    const QString beside = platform::findExecutable(QCoreApplication::applicationDirPath() +
                                                    QStringLiteral("/halvex"));
    return beside.isEmpty() ? platform::findExecutable(QStringLiteral("halvex")) : beside;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tl97"));
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Tallimer 97, a personal scheduler and organiser"));
    options.addHelpOption();
    options.addOption({QStringLiteral("data-dir"),
                       QStringLiteral("Keep the data in DIR instead of the user's data folder."),
                       QStringLiteral("DIR")});
    options.process(app);
    const QString folder = dataFolder(options);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "tl97: cannot use the data folder\n");
        return 1;
    }

    toolkit::MessageBoxPresenter messages;
    store::Store store(folder, messages);
    store::SystemClock clock;
    store::EventLog log(store, clock);
    store::installEventLog(&log);

    const std::unique_ptr<platform::SoundPlayer> sound = platform::createSoundPlayer();
    scheduler::Launcher launcher(messages);
    scheduler::Frame frame(store, clock, *sound, launcher);
    const schedule_ui::TaskServices tasks{
        clock, *sound, [&frame](const store::Record &task) { frame.runTaskNow(task); },
        &frame.notices()};
    frame.setHandler(scheduler::Command::ViewSchedule,
                     [&] { schedule_ui::ScheduleBrowser::open(store, tasks, frame.area()); });
    frame.setHandler(scheduler::Command::ScheduleCategories, [&] {
        toolkit::showInArea(schedule_ui::BrowseCategories(tasks), store, frame.area());
    });
    frame.setHandler(scheduler::Command::WindowTitles,
                     [&] { toolkit::showModally(script_ui::BrowseWindowLookup(), store, &frame); });

    const std::unique_ptr<platform::WindowSystem> windows = platform::createWindowSystem();
    const std::unique_ptr<platform::KeyInjector> keys = platform::createKeyInjector();
    const store::ProfileFile settingsFile(store.settingsPath());
    script::ScriptInterpreter scripts(
        {frame.context(), clock, messages, launcher, *windows, *keys,
         script::KeyFeedback{[&frame] { frame.keystrokeRound(); },
                             [&frame] { frame.keystrokesDone(); }},
         [&frame](const QString &status) { frame.showScriptStatus(status); }, terminatorProgram(),
         store::configNumber(
             settingsFile.value(QStringLiteral("Settings"), QStringLiteral("Debug"))) != 0});
    launcher.setScriptQueue(&scripts);
    frame.setScripts(&scripts);

    // Window titles are recorded when the user profile asks for it.
    const store::ProfileFile profile(store.profilePath());
    const QString section = QStringLiteral("Tallimer");
    std::unique_ptr<script::WindowMonitor> monitor;
    if (!profile.value(section, QStringLiteral("Monitor Windows")).isEmpty()) {
        const QString most = profile.value(section, QStringLiteral("MaxWindows"));
        monitor = std::make_unique<script::WindowMonitor>(
            most.isEmpty() ? script::WindowMonitor::DefaultMaxWindows : store::configNumber(most));
        frame.setIdleWork([&] { monitor->MonitorWindows(frame.context(), *windows, clock); });
    }

    organiser::ClipboardCapture clipboard;
    frame.setEveryTick([&] { clipboard.ClipboardPoll(frame.context(), clock); });

    // The end of the desktop session, or a request to end, goes the way of Exit.
    platform::onTerminationSignals(&frame, [&frame] { frame.close(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frame,
                     [&frame](QSessionManager &) { frame.close(); });

    frame.start();
    const int result = QApplication::exec();
    store::installEventLog(nullptr);
    return result;
}
