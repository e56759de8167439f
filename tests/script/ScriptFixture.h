#pragma once

#include "DataFolder.h"
#include "ManualClock.h"
#include "Rows.h"
#include "platform/KeyInjector.h"
#include "platform/WindowSystem.h"
#include "scheduler/Launcher.h"
#include "script/Actions.h"
#include "script/Interpreter.h"
#include "store/EventLog.h"
#include "store/OpenTable.h"
#include "store/Settings.h"

#include <QTest>

#include <memory>

// A line written the way a script file lists it: the action, then its values in file order,
// separated by "|" ("Wait|5|Untitled*|Or").
inline FieldValues scriptLine(qint64 task, qint64 sequence, const QString &written)
{
    const QStringList parts = written.split(u'|');
    FieldValues values{{store::SCR::ID, task},
                       {store::SCR::Sequence, sequence},
                       {store::SCR::ACTION, parts.front()}};
    if (const script::ActionDef *def = script::actionDefOf(parts.front())) {
        for (qsizetype i = 1; i < parts.size() && i <= qsizetype(def->fileFields.size()); ++i)
            values.push_back({def->fileFields[size_t(i - 1)], parts[i]});
    }
    return values;
}

// An interpreter over a data folder of its own, with a clock the test moves, the launcher,
// the event log and the desktop of the given window system and key injector.
class ScriptRun final {
public:
    ScriptRun(platform::WindowSystem &windows, platform::KeyInjector &keys, bool debug = false,
              const QString &terminator = QString())
        : m_ctx(m_data.store()), m_launcher(m_data.messages()), m_log(m_data.store(), clock)
    {
        store::settings() = store::Settings();
        store::settings().logEvents = true;
        store::installEventLog(&m_log);
        store::OpenTable(m_ctx, store::TableId::Scripting);
        interpreter =
            std::make_unique<script::ScriptInterpreter>(script::ScriptInterpreter::Services{
                m_ctx,
                clock,
                m_data.messages(),
                m_launcher,
                windows,
                keys,
                {},
                [this](const QString &status) { statuses << status; },
                terminator,
                debug});
        m_launcher.setScriptQueue(interpreter.get());
    }
    ~ScriptRun()
    {
        store::installEventLog(nullptr);
        store::settings() = store::Settings();
    }

    // Adds the lines to a task's script and queues it.
    void queue(qint64 task, const QStringList &lines)
    {
        addLines(task, lines);
        interpreter->QueueScript(task);
    }

    // Starts a task's program the way a due task's is started, which queues its script.
    void startTask(qint64 task, const QString &command, const QStringList &lines)
    {
        addLines(task, lines);
        scheduler::ProgramStart start;
        start.taskId = task;
        start.command = command;
        QVERIFY(m_launcher.RunProgram(start));
    }

    // One tick: the clock moves half a second, then the interpreter steps.
    void tick()
    {
        clock.set(clock.now().addMSecs(500));
        interpreter->ScriptStep();
    }
    // Ticks until the queue is empty or `ticks` have gone by; true when it emptied.
    bool runOut(int ticks = 200)
    {
        for (int i = 0; i < ticks && interpreter->isQueued(); ++i)
            tick();
        return !interpreter->isQueued();
    }
    // The head's action, blank for none.
    QString head() const
    {
        const auto &q = interpreter->entries();
        return q.empty() ? QString() : q.front().text(store::SCR::ACTION);
    }

    // What the lines logged with the label "Script" said, in order.
    QStringList logged() const
    {
        QStringList said;
        for (const QByteArray &line : m_data.readFile(store::EventLog::FileName).split('\n')) {
            const QString text = QString::fromUtf8(line);
            if (text.mid(20, 30).trimmed() == "Script")
                said << text.mid(50).trimmed();
        }
        return said;
    }
    // The texts of the messages shown, each "caption: text".
    QStringList messages()
    {
        QStringList shown;
        for (const store::StandardMessage &m : m_data.messages().shown())
            shown << m.caption + ": " + m.text;
        return shown;
    }
    ScriptedPresenter &presenter() { return m_data.messages(); }

    ManualClock clock{QDateTime(QDate(2026, 12, 10), QTime(9, 0))};
    QStringList statuses;
    std::unique_ptr<script::ScriptInterpreter> interpreter;

private:
    void addLines(qint64 task, const QStringList &lines)
    {
        qint64 sequence = 0;
        for (const QString &line : lines)
            QVERIFY(
                addRow(m_ctx, store::TableId::Scripting, scriptLine(task, ++sequence, line)).ok());
    }

    DataFolder m_data;
    store::RecordContext m_ctx;
    scheduler::Launcher m_launcher;
    store::EventLog m_log;
};
