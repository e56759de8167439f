#pragma once

#include "store/RecordContext.h"

#include <QDateTime>
#include <QString>
#include <QWidget>

class QMdiArea;
class QTimer;

namespace platform {
class SoundPlayer;
}
namespace store {
class Clock;
}

namespace scheduler {

class Launcher;
class TaskNotices;

// What the dispatcher hands to the next message it shows: filled just before each ShowMessage,
// read once as it starts.
struct MessageHandOver {
    QString title;     // the task's description
    QString text;      // the task's message
    QString alarmFile; // the task's alarm file when it has an alarm, else blank
};
MessageHandOver &messageHandOver();

// What message windows need of the program.
struct MessageServices {
    store::Store &store;
    const store::Clock &clock;
    platform::SoundPlayer &sound;
    Launcher &launcher;
    QMdiArea *area = nullptr; // where the window opens; a window of its own when none
    // Told of the task a snooze adds, so that lists of tasks show it; nullptr when none.
    TaskNotices *notices = nullptr;
};

// Shows the handed-over message the way the settings ask: a plain message box, the external
// message program, a modal window, or a message window that stays open beside the others.
void ShowMessage(const MessageServices &services);

// The message windows open now; the dispatcher opens no more beyond a limit.
int openMessageCount();

// A task's message: its title and text, Close, Snooze (again in ten minutes) and Add to To Do
// List, and the task's alarm repeating while it is open.
class MessageWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr const char *Section = "ShowMessage";
    static constexpr int RepeatCheckMs = 500;

    MessageWindow(const MessageServices &services, const MessageHandOver &message, bool counted,
                  QWidget *parent = nullptr);
    ~MessageWindow() override;

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void snooze();
    void addToToDo();
    void checkRepeat();

    MessageServices m_services;
    MessageHandOver m_message;
    bool m_counted;
    store::RecordContext m_ctx;
    QDateTime m_nextRepeat;
    QTimer *m_repeat;
};

} // namespace scheduler
