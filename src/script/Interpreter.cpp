#include "script/Interpreter.h"

#include "platform/ApplicationCommands.h"
#include "platform/Processes.h"
#include "platform/WindowSystem.h"
#include "script/ScriptLines.h"
#include "script/ScriptStatus.h"
#include "script/WindowFinder.h"
#include "store/Clock.h"
#include "store/EventLog.h"
#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/Settings.h"

#include <QCoreApplication>

namespace script {

namespace SCR = store::SCR;

namespace {

const QString ScriptLabel = QStringLiteral("Script");
constexpr int CommandChars = 255;

// A "Start Program" line's start code: wait flag, priority and window state, one character each.
struct StartCode {
    bool wait = false;
    int priority = 2;    // 1 low, 2 normal, 3 high
    int windowState = 1; // 1 normal, 2 minimised, 3 maximised, 7 and 8 without focus
};

StartCode startCodeOf(const QString &text)
{
    const QString code = text.leftJustified(3);
    StartCode start;
    start.wait = code.at(0) == u'1';
    if (const QChar p = code.at(1); p == u'1' || p == u'3')
        start.priority = p.digitValue();
    if (const QChar w = code.at(2); w == u'2' || w == u'3' || w == u'7' || w == u'8')
        start.windowState = w.digitValue();
    return start;
}

} // namespace

ScriptInterpreter::ScriptInterpreter(Services services) : m_s(std::move(services)) {}

ScriptInterpreter::~ScriptInterpreter() = default;

void ScriptInterpreter::QueueScript(qint64 taskId)
{
    if (taskId == 0)
        return;
    std::vector<store::Record> lines;
    const store::StoreError e =
        readScriptLines(*m_s.ctx.connection(store::TableId::Scripting), taskId, &lines);
    // The lines read before a failure still run; the script's end is planned after them.
    if (!e.ok())
        m_s.messages.plain(QString(), QStringLiteral("Error executing script: ") + e.text());
    std::vector<QueueEntry> planned =
        planScript(lines, Moment::of(m_s.clock.now()), m_queue.empty() ? nullptr : &m_queue.back(),
                   store::settings().scriptingDelay);
    for (QueueEntry &entry : planned) {
        entry.taskProgram = m_s.launcher.lastStartedPid();
        m_queue.push_back(std::move(entry));
    }
}

void ScriptInterpreter::StopRunningScript()
{
    m_queue.clear();
    ++m_generation;
    // A window wait cut short must not make the next one measure from its start.
    m_windowWaitActive = false;
    m_process.reset();
}

void ScriptInterpreter::ScriptStep()
{
    if (m_queue.empty())
        return;
    const Moment now = Moment::of(m_s.clock.now());
    QueueEntry &head = m_queue.front();
    if (now.date < head.run.date)
        return;
    // An "Or" wait's seconds count from the first tick it is at the head on its day.
    if (head.action() == Action::Wait && isOrWait(head.line) && !head.deadline.isSet())
        head.deadline = now.plus(100 * head.number(SCR::SECONDSTOWAIT));
    if (now > head.run) {
        RunScriptItem(now);
        ShowScriptStatus();
    } else if (now.plus(100) > head.run) {
        ShowScriptStatus();
    }
}

void ScriptInterpreter::ShowScriptStatus()
{
    if (m_s.showStatus)
        m_s.showStatus(scriptStatus(m_queue.empty() ? nullptr : &m_queue.front()));
}

void ScriptInterpreter::RunScriptItem(Moment now)
{
    const quint64 generation = m_generation;
    const Outcome outcome = runHead(now);
    if (stopped(generation) || m_queue.empty() || outcome == Outcome::Holding)
        return;
    store::AddLog(ScriptLabel, m_queue.front().text(SCR::ACTION));
    m_queue.pop_front();
}

ScriptInterpreter::Outcome ScriptInterpreter::runHead(Moment now)
{
    // Copies of what the action needs: a message box or keystrokes let events in, and the
    // user may stop the queue meanwhile.
    const QueueEntry head = m_queue.front();
    switch (head.action()) {
    case Action::DisplayMessage:
        m_s.messages.plain(head.text(SCR::DDEAPPLICATIONTOPIC), head.text(SCR::DDEAPPLICATIONNAME));
        return Outcome::Finished;
    case Action::ExitScript:
        return exitScript();
    case Action::StartProgram:
        return startProgram(now);
    case Action::WaitForProgramEnd:
        return waitForProgramEnd(now);
    case Action::SendKeystrokes: {
        const store::Settings &s = store::settings();
        SendScriptKeys(head.text(SCR::KEYSTROKES), m_s.keys, s.scriptingDelay, s.burstSize,
                       m_s.keyFeedback);
        return Outcome::Finished;
    }
    case Action::SetFocus:
        return setFocus();
    case Action::Wait:
        return wait(now);
    case Action::IfWindow:
    case Action::IfTimeElapsed:
        return ifLine(now);
    case Action::CloseProgram:
        return closeProgram();
    case Action::ApplicationCommand:
        // An application that is not running, or refuses the command, is passed over.
        platform::sendApplicationCommand(head.text(SCR::DDEAPPLICATIONNAME),
                                         head.text(SCR::DDEAPPLICATIONTOPIC),
                                         head.text(SCR::DDECOMMAND));
        return Outcome::Finished;
    case Action::EndIf:
    case Action::End:
        return Outcome::Finished;
    case Action::Unknown:
        break;
    }
    m_s.messages.notify(QStringLiteral("Script Error"),
                        QStringLiteral("Invalid script option:  ") + head.text(SCR::ACTION));
    return Outcome::Finished;
}

ScriptInterpreter::Outcome ScriptInterpreter::exitScript()
{
    while (!m_queue.empty() && m_queue.front().action() != Action::End)
        m_queue.pop_front();
    return m_queue.empty() ? Outcome::Holding : Outcome::Finished;
}

ScriptInterpreter::Outcome ScriptInterpreter::setFocus()
{
    const QString pattern = m_queue.front().text(SCR::FOCUSONWINDOW);
    const quint64 generation = m_generation;
    debugMessage(QStringLiteral("Set Focus"), pattern);
    if (stopped(generation))
        return Outcome::Holding;
    if (const platform::WindowId found = FindScriptWindow(m_s.windows, pattern))
        m_s.windows.activate(found);
    else
        debugMessage(QStringLiteral("Failed Set Focus"), pattern);
    return Outcome::Finished;
}

ScriptInterpreter::Outcome ScriptInterpreter::closeProgram()
{
    const QueueEntry &head = m_queue.front();
    if (const QString executable = head.text(SCR::COMMAND); !executable.isEmpty()) {
        // The whole field, as wide as it is stored; the terminator ignores the blanks. It runs
        // on its own and reports its own failures.
        int error = 0;
        if (!m_s.terminator.isEmpty())
            platform::startProcess(m_s.terminator, {executable.leftJustified(CommandChars)},
                                   QString(), platform::Priority::Normal, &error);
        return Outcome::Finished;
    }
    platform::WindowId target = m_s.windows.foregroundWindow();
    // The scheduler never closes itself: in its place goes the program its task started.
    if (target && m_s.windows.processOf(target) == QCoreApplication::applicationPid())
        target = mainWindowOf(head.taskProgram);
    if (target) {
        m_s.windows.activate(target);
        m_s.windows.close(target);
    }
    return Outcome::Finished;
}

platform::WindowId ScriptInterpreter::mainWindowOf(qint64 process)
{
    if (process == 0 || process == QCoreApplication::applicationPid())
        return 0;
    for (const platform::TopLevelWindow &w : m_s.windows.topLevelWindows()) {
        if (m_s.windows.processOf(w.id) == process)
            return w.id;
    }
    return 0;
}

ScriptInterpreter::Outcome ScriptInterpreter::wait(Moment now)
{
    const QueueEntry &head = m_queue.front();
    const QString pattern = head.text(SCR::WAITFORWINDOW);
    bool finished = true;
    bool switched = false;
    if (!(isOrWait(head.line) && head.deadline.isSet() && now > head.deadline) &&
        !pattern.isEmpty()) {
        if (!m_windowWaitActive) {
            m_windowWaitActive = true;
            m_waitStart = now;
        }
        const bool untilGone = pattern.startsWith(u'~');
        const platform::WindowId found = FindScriptWindow(m_s.windows, pattern);
        if (!found) {
            finished = untilGone;
        } else if (untilGone) {
            finished = false;
        } else {
            m_s.windows.activate(found);
            switched = true;
        }
    }
    if (finished && m_windowWaitActive) {
        m_windowWaitActive = false;
        shiftLaterEntries(now);
    }
    if (switched)
        debugMessage(QStringLiteral("Debug"), QStringLiteral("Switched to window:\r") + pattern);
    return finished ? Outcome::Finished : Outcome::Holding;
}

void ScriptInterpreter::shiftLaterEntries(Moment now)
{
    qint64 days = now.date - m_waitStart.date;
    qint64 hundredths = now.time - m_waitStart.time;
    if (hundredths < 0) {
        --days;
        hundredths += store::dates::HundredthsPerDay;
    }
    // The clock went back: a second's shift keeps the order.
    if (days < 0) {
        days = 0;
        hundredths = 100;
    }
    for (auto entry = m_queue.begin() + 1; entry != m_queue.end(); ++entry)
        entry->run = Moment{entry->run.date + days, entry->run.time}.plus(hundredths);
}

ScriptInterpreter::Outcome ScriptInterpreter::startProgram(Moment now)
{
    const QueueEntry head = m_queue.front();
    const StartCode code = startCodeOf(head.text(SCR::DDEAPPLICATIONNAME));
    scheduler::ProgramStart start;
    // A line whose start options were never set opens documents and addresses too, as a
    // task's program does; one with options is started directly, so it can be waited for.
    start.direct = !head.text(SCR::DDEAPPLICATIONNAME).trimmed().isEmpty();
    start.windowState = code.windowState;
    start.normalWindow = code.windowState == 1;
    start.defaultPriority = false;
    start.priority = code.priority;
    start.command = head.text(SCR::COMMAND);
    start.folder = head.text(SCR::PATH);
    m_process.reset();
    const quint64 generation = m_generation;
    const bool started = m_s.launcher.RunProgram(start);
    if (stopped(generation))
        return Outcome::Holding;
    // A program that did not start is not waited for; one not waited for is let go.
    if (!started || !start.direct)
        return Outcome::Finished;
    std::unique_ptr<platform::Process> process = m_s.launcher.takeLastProcess();
    if (!code.wait)
        return Outcome::Finished;
    m_process = std::move(process);
    QueueEntry &waiting = m_queue.front();
    if (const qint64 timeout = head.number(SCR::TIMEELAPSED); timeout != 0)
        waiting.deadline = now.plus(100 * timeout);
    waiting.line.setText(SCR::ACTION, actionName(Action::WaitForProgramEnd));
    return Outcome::Holding;
}

ScriptInterpreter::Outcome ScriptInterpreter::waitForProgramEnd(Moment now)
{
    const QueueEntry &head = m_queue.front();
    const bool ended = !m_process || !m_process->isRunning();
    if (!ended && (!head.deadline.isSet() || !(now > head.deadline)))
        return Outcome::Holding;
    m_process.reset();
    return Outcome::Finished;
}

ScriptInterpreter::Outcome ScriptInterpreter::ifLine(Moment now)
{
    const QueueEntry head = m_queue.front();
    bool holds = false;
    if (head.action() == Action::IfWindow) {
        const bool exists =
            FindScriptWindow(m_s.windows, head.text(SCR::WINDOWTITLETOCHECKFOR)) != 0;
        holds = exists == head.text(SCR::WINDOWEXISTANCE).contains(u"Exists");
    } else {
        const bool reached = !(now < head.deadline);
        holds = head.text(SCR::IFTIMEELAPSED).contains(u"Less") ? !reached : reached;
    }
    if (holds) {
        debugMessage(QStringLiteral("Test passed"), QStringLiteral("Next item will be processed."));
        return Outcome::Finished;
    }
    store::AddLog(ScriptLabel, head.text(SCR::ACTION));
    return skipBlock();
}

// Removes the If line at the head and its block, nested blocks included, up to the line that
// ends it, which stays at the head. Without one the rest of the queue goes, later scripts too.
ScriptInterpreter::Outcome ScriptInterpreter::skipBlock()
{
    const quint64 generation = m_generation;
    debugMessage(QStringLiteral("Test failed"), QStringLiteral("Removing task items."));
    if (stopped(generation))
        return Outcome::Holding;
    for (;;) {
        m_queue.pop_front();
        if (m_queue.empty())
            return Outcome::Holding;
        const QString action = m_queue.front().text(SCR::ACTION);
        if (action.startsWith(u"End") || m_queue.front().action() == Action::EndIf)
            return Outcome::Finished;
        if (action.startsWith(u"If ") && skipBlock() == Outcome::Holding)
            return Outcome::Holding;
    }
}

void ScriptInterpreter::debugMessage(const QString &caption, const QString &text)
{
    if (m_s.debug)
        m_s.messages.plain(caption, text);
}

} // namespace script
