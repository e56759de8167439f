#include "scheduler/MessageWindow.h"

#include "platform/Sound.h"
#include "scheduler/Launcher.h"
#include "scheduler/TaskNotices.h"
#include "store/AutoNumber.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/Dates.h"
#include "store/EventLog.h"
#include "store/MessagePresenter.h"
#include "store/OpenTable.h"
#include "store/RecordIo.h"
#include "store/Settings.h"
#include "store/Tables.h"
#include "store/Text.h"
#include "store/tables/Schedule.h"
#include "store/tables/Todo.h"
#include "toolkit/WindowPositions.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace scheduler {

namespace SCH = store::SCH;
namespace TDO = store::TDO;
using store::TableId;

namespace {

int openMessages = 0;
constexpr qint64 SnoozeHundredths = 60000; // ten minutes

void logMessage(const MessageHandOver &message)
{
    store::AddLog(QStringLiteral("Message"),
                  store::withoutTrailingBlanks(message.title) + u' ' + message.alarmFile);
}

void showModalMessage(const MessageServices &services, const MessageHandOver &message)
{
    logMessage(message);
    QDialog dialog;
    auto *window = new MessageWindow(services, message, false, &dialog);
    dialog.setWindowTitle(window->windowTitle());
    auto *layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(window);
    QObject::connect(window, &MessageWindow::closing, &dialog, &QDialog::accept);
    dialog.exec();
}

} // namespace

MessageHandOver &messageHandOver()
{
    static MessageHandOver handOver;
    return handOver;
}

int openMessageCount()
{
    return openMessages;
}

void ShowMessage(const MessageServices &services)
{
    const MessageHandOver message = messageHandOver();
    logMessage(message);
    const store::Settings &s = store::settings();
    if (s.useWinMessage) {
        services.store.messages().inform(message.title, message.text);
        return;
    }
    if (s.useExternalMessage) {
        ProgramStart start;
        start.command =
            QStringLiteral("TLMsg.EXE \"%1\"").arg(store::withoutTrailingBlanks(message.text));
        services.launcher.RunProgram(start);
        return;
    }
    if (s.useModalMessage) {
        showModalMessage(services, message);
        return;
    }
    auto *window = new MessageWindow(services, message, true);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QWidget *shown = window;
    if (services.area)
        shown = services.area->addSubWindow(window);
    toolkit::WindowPositions(services.store.folder())
        .restore(shown, QLatin1String(MessageWindow::Section), true);
    shown->show();
}

MessageWindow::MessageWindow(const MessageServices &services, const MessageHandOver &message,
                             bool counted, QWidget *parent)
    : QWidget(parent), m_services(services), m_message(message), m_counted(counted),
      m_ctx(services.store), m_repeat(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Message"));
    setObjectName(QLatin1String(Section));
    auto *title = new QLabel(message.title);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto *text = new QPlainTextEdit(message.text);
    text->setReadOnly(true);
    text->setToolTip(QStringLiteral("Message to display"));

    auto *close = new QPushButton(QStringLiteral("Cl&ose"));
    auto *snoozeButton = new QPushButton(QStringLiteral("&Snooze"));
    auto *toDo = new QPushButton(QStringLiteral("&Add to To Do List"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, [this] { toolkit::placedWidget(this)->close(); });
    connect(snoozeButton, &QPushButton::clicked, this, &MessageWindow::snooze);
    connect(toDo, &QPushButton::clicked, this, &MessageWindow::addToToDo);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(close);
    buttons->addWidget(snoozeButton);
    buttons->addWidget(toDo);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
    resize(420, 260);

    if (m_counted)
        ++openMessages;
    if (store::settings().repeatAlarmInterval > 0) {
        m_nextRepeat = services.clock.now().addSecs(store::settings().repeatAlarmInterval);
        connect(m_repeat, &QTimer::timeout, this, &MessageWindow::checkRepeat);
        m_repeat->start(RepeatCheckMs);
    }
}

MessageWindow::~MessageWindow()
{
    if (m_counted)
        --openMessages;
}

void MessageWindow::checkRepeat()
{
    const int interval = store::settings().repeatAlarmInterval;
    const QDateTime now = m_services.clock.now();
    if (interval <= 0 || now <= m_nextRepeat)
        return;
    if (!m_message.alarmFile.trimmed().isEmpty())
        m_services.sound.play(m_message.alarmFile);
    m_nextRepeat = now.addSecs(interval);
}

void MessageWindow::snooze()
{
    const store::TableUse use(m_ctx, TableId::Schedule);
    if (!use.isOpen())
        return;
    const QDateTime now = m_services.clock.now();
    qint64 date = store::dates::dayNumber(now.date());
    qint64 time = store::dates::timeValue(now.time()) + SnoozeHundredths;
    if (time > store::dates::EndOfDay) {
        time -= store::dates::HundredthsPerDay;
        ++date;
    }
    store::Record task(SCH::table());
    task.setText(SCH::Message, m_message.text);
    task.setText(SCH::TaskType, QStringLiteral("Display Message"));
    task.setText(SCH::Category, QStringLiteral("Snooze"));
    task.setText(SCH::Description, m_message.title);
    task.setText(SCH::ScheduleType, QStringLiteral("Once"));
    task.setNumber(SCH::Date, date);
    task.setNumber(SCH::Time, time);
    task.setNumber(SCH::SkipIfMissed, 1);
    if (const store::StoreError e = store::AddTaskCopy(m_ctx, task); !e.ok()) {
        store::MessageArgs args;
        args.error = e;
        m_ctx.messages().show(14, args);
        return;
    }
    if (m_services.notices)
        m_services.notices->tell();
    toolkit::placedWidget(this)->close();
}

void MessageWindow::addToToDo()
{
    const store::TableUse use(m_ctx, TableId::Todo);
    if (!use.isOpen())
        return;
    store::Record item(TDO::table());
    item.setNumber(TDO::Done, 0);
    item.setNumber(TDO::Priority, 5);
    item.setText(TDO::Category, QStringLiteral("General"));
    item.setText(TDO::ToDo, m_message.title);
    item.setText(TDO::Notes, m_message.text);
    const store::StoreError e = store::addRecord(*m_ctx.connection(TableId::Todo), &item);
    if (!e.ok()) {
        store::MessageArgs args;
        args.error = e;
        m_ctx.messages().show(14, args);
        return;
    }
    m_ctx.messages().inform(QStringLiteral("Saved"),
                            QStringLiteral("Added to To Do List:\n") + m_message.title);
}

void MessageWindow::closeEvent(QCloseEvent *event)
{
    if (m_counted)
        toolkit::WindowPositions(m_services.store.folder())
            .save(toolkit::placedWidget(this), QLatin1String(Section));
    m_repeat->stop();
    emit closing();
    QWidget::closeEvent(event);
}

} // namespace scheduler
