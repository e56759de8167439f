#include "schedule_ui/UpdateSchedule.h"

#include "platform/Sound.h"
#include "schedule_ui/Calendar.h"
#include "schedule_ui/SelectedDay.h"
#include "schedule_ui/TaskPages.h"
#include "scheduler/Exceptions.h"
#include "scheduler/Occurrence.h"
#include "scheduler/ScheduleExceptions.h"
#include "script/ScriptOperations.h"
#include "store/Clock.h"
#include "store/Config.h"
#include "store/Dates.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/ProfileFile.h"
#include "store/RecordContext.h"
#include "store/Store.h"
#include "store/tables/Categories.h"
#include "store/tables/Schedule.h"
#include "toolkit/FieldEditor.h"
#include "toolkit/FormPages.h"
#include "toolkit/WindowPositions.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace schedule_ui {

namespace SCH = store::SCH;
namespace CAT = store::CAT;
using store::TableId;
using toolkit::FieldEditor;

namespace {

const QString SoundKey = QStringLiteral("LastWAVFile");

// The controls the schedule type shows or hides, in the order of the page.
constexpr int Ordinals[] = {SCH::Every1st, SCH::Every2nd, SCH::Every3rd, SCH::Every4th,
                            SCH::EveryLast};
constexpr int Weekdays[] = {SCH::Sunday,   SCH::Monday, SCH::Tuesday, SCH::Wednesday,
                            SCH::Thursday, SCH::Friday, SCH::Saturday};

QStringList categoryNames(store::RecordContext &ctx)
{
    std::vector<store::Record> rows;
    store::KeyRead(CAT::table(), CAT::KEYCATEGORY)
        .read(*ctx.connection(TableId::Categories), &rows);
    QStringList names;
    for (const store::Record &row : rows)
        names << row.text(CAT::Category);
    return names;
}

} // namespace

ScheduleForm::ScheduleForm(store::RecordContext &ctx, const TaskServices &services, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_services(services), m_schedule(ctx, TableId::Schedule),
      m_categories(ctx, TableId::Categories), m_holidays(ctx, TableId::Holidays),
      m_configuration(ctx, TableId::Configuration), m_scripting(ctx, TableId::Scripting),
      m_controller(ctx, TableId::Schedule),
      m_pages(new toolkit::FormPages(taskPages(), TableId::Schedule, this))
{
    setObjectName(QLatin1String(Section));
    setWindowTitle(QStringLiteral("Update the Schedule"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &ScheduleForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScheduleForm::reject);
    m_pages->button(taskbutton::BrowseProgram)
        ->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_pages->button(taskbutton::Play)->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages->tabs());
    layout->addWidget(buttons);
}

ScheduleForm::~ScheduleForm() = default;

store::Record &ScheduleForm::task() const
{
    return m_ctx.record(TableId::Schedule);
}

bool ScheduleForm::start()
{
    if (!m_schedule.isOpen() || !m_categories.isOpen()) {
        m_ctx.response = store::Response::Cancelled;
        return false;
    }
    const bool insert = m_controller.request() == store::Request::Insert;
    const bool copy = insert && !task().isBlank(SCH::TaskType);
    const qint64 copiedTask = task().number(SCH::ID);
    if (copy) {
        // A copy is a task of its own: it starts enabled, due and unwarned, and it does not
        // share the shifted occurrence the task it came from links to.
        for (int f : {SCH::COMPLETED, SCH::AdvanceWarned, SCH::Disabled, SCH::ExceptionLink})
            task().setNumber(f, 0);
    }
    if (!m_controller.open())
        return false;
    if (insert && !copy)
        primeNewTask();

    switch (m_controller.request()) {
    case store::Request::Insert:
        setWindowTitle(QStringLiteral("Adding a Schedule Task"));
        break;
    case store::Request::Change:
        setWindowTitle(QStringLiteral("Changing a Schedule Task"));
        break;
    default:
        break;
    }
    m_pages->editor(SCH::Category)->setChoices(categoryNames(m_ctx));
    m_pages->load(task());
    toolkit::WindowPositions(m_ctx.store().folder()).restore(this, QLatin1String(Section), true);
    applyAlarmRule();
    applyScheduleTypeRule();
    applyTaskTypeRule();
    connectRules();
    if (copy)
        script::CopyScript(m_ctx, copiedTask, task().number(SCH::ID), this);
    m_pages->tabs()->setCurrentIndex(TaskPageTask);
    m_pages->editors().front()->focusWidget()->setFocus();
    return true;
}

void ScheduleForm::primeNewTask()
{
    store::Record &t = task();
    const QDateTime now = m_services.clock.now();
    const qint64 browsed = browsedDay();
    t.setNumber(SCH::Date, browsed != 0 ? browsed : store::dates::dayNumber(now.date()));
    t.setNumber(SCH::Time, store::dates::timeValue(now.time()));
    t.setText(SCH::ScheduleType, QStringLiteral("Day of Week"));
    t.setNumber(SCH::EveryLast, 1);
    for (int day : Weekdays)
        t.setNumber(day, 1);
    t.setNumber(SCH::Warn, 1);
    t.setText(SCH::TaskType, QStringLiteral("Both"));
    t.setNumber(SCH::Every, 1);
    t.setText(SCH::EveryType, QStringLiteral("hour(s)"));
}

void ScheduleForm::connectRules()
{
    for (FieldEditor *editor : m_pages->editors())
        connect(editor, &FieldEditor::accepted, this, [this, editor] { fieldAccepted(editor); });
    connect(m_pages->editor(SCH::Message), &FieldEditor::focusEntered, this,
            &ScheduleForm::fillMessage);
    connect(m_pages->editor(SCH::AlarmFile), &FieldEditor::focusEntered, this,
            &ScheduleForm::rememberSoundFile);

    using namespace taskbutton;
    const auto onClick = [this](const char *name, auto action) {
        connect(m_pages->button(name), &QPushButton::clicked, this, action);
    };
    onClick(BrowseProgram, [this] { browseProgram(); });
    onClick(Except, [this] { editExceptions(); });
    onClick(PickDate, [this] { pickDate(SCH::Date, true); });
    onClick(PickWarningDate, [this] { pickDate(SCH::AdvanceWarnDate, false); });
    onClick(BrowseSound, [this] { browseSound(); });
    onClick(Play, [this] { play(); });
}

bool ScheduleForm::fieldAccepted(FieldEditor *editor)
{
    if (const QString problem = editor->take(task()); !problem.isEmpty()) {
        m_ctx.messages().notify(QStringLiteral("Invalid Entry"), problem);
        editor->focusWidget()->setFocus();
        return false;
    }
    switch (editor->field()) {
    case SCH::TaskType:
        applyTaskTypeRule();
        break;
    case SCH::ScheduleType:
        applyScheduleTypeRule();
        break;
    case SCH::LastDayofMonth:
        applyMonthEndRule();
        break;
    case SCH::Date:
        checkNextDate();
        break;
    case SCH::AdvanceWarnDate:
        checkAdvanceWarning();
        break;
    case SCH::Alarm:
        applyAlarmRule();
        break;
    case SCH::AlarmFile:
        rememberSoundFile();
        break;
    default:
        break;
    }
    return true;
}

void ScheduleForm::takeAll()
{
    for (FieldEditor *editor : m_pages->editors())
        editor->take(task());
}

void ScheduleForm::showField(int field)
{
    m_pages->editor(field)->load(task());
}

void ScheduleForm::applyTaskTypeRule()
{
    const QString type = task().text(SCH::TaskType);
    const bool program = type == QLatin1String("Run Program") || type == QLatin1String("Both");
    const bool message = type != QLatin1String("Run Program");
    const bool timed = type != QLatin1String("None");
    m_pages->setPageShown(TaskPageCommand, program);
    m_pages->setPageShown(TaskPageMessage, message);
    if (!timed) {
        task().setNumber(SCH::Time, NoTime);
        showField(SCH::Time);
    }
    m_pages->editor(SCH::Time)->setShown(timed);
}

void ScheduleForm::applyScheduleTypeRule()
{
    const QString type = task().text(SCH::ScheduleType);
    const auto showAll = [this](std::initializer_list<int> fields, bool shown) {
        for (int f : fields)
            m_pages->editor(f)->setShown(shown);
    };
    const bool dayOfMonth = type == QLatin1String("Day of Month");
    const bool weekdays = dayOfMonth || type == QLatin1String("Day of Week");
    const bool custom = !weekdays && type != QLatin1String("Once") &&
                        type != QLatin1String("Monthly") && type != QLatin1String("Yearly");
    for (int f : Ordinals)
        m_pages->editor(f)->setShown(dayOfMonth);
    showAll({SCH::LastDayofMonth}, dayOfMonth);
    // The ordinals' frame goes with them.
    m_pages->editor(SCH::Every1st)->widget()->parentWidget()->setVisible(dayOfMonth);
    for (int f : Weekdays)
        m_pages->editor(f)->setShown(weekdays);
    showAll({SCH::Every, SCH::EveryType}, custom);
    m_pages->button(taskbutton::Except)
        ->setVisible(type != QLatin1String("Once") && type != QLatin1String("Day of Week"));
    if (dayOfMonth)
        applyMonthEndRule();
    else
        for (int f : Weekdays)
            m_pages->editor(f)->setEnabled(true);
}

void ScheduleForm::applyMonthEndRule()
{
    const bool monthEnd = task().number(SCH::LastDayofMonth) != 0;
    for (int f : Ordinals)
        m_pages->editor(f)->setEnabled(!monthEnd);
    for (int f : Weekdays)
        m_pages->editor(f)->setEnabled(!monthEnd);
}

void ScheduleForm::applyAlarmRule()
{
    const bool alarm = task().number(SCH::Alarm) != 0;
    m_pages->editor(SCH::AlarmFile)->setEnabled(alarm);
    m_pages->button(taskbutton::BrowseSound)->setEnabled(alarm);
    m_pages->button(taskbutton::Play)->setEnabled(alarm);
    if (!alarm)
        return;
    store::ProfileFile settingsFile(m_ctx.store().settingsPath());
    const QString section = QStringLiteral("Settings");
    if (task().text(SCH::AlarmFile).trimmed().isEmpty()) {
        task().setText(SCH::AlarmFile, settingsFile.value(section, SoundKey));
        showField(SCH::AlarmFile);
    }
    if (!task().text(SCH::AlarmFile).trimmed().isEmpty()) {
        settingsFile.setValue(section, SoundKey, task().text(SCH::AlarmFile).trimmed());
        settingsFile.save();
    }
}

void ScheduleForm::rememberSoundFile()
{
    if (task().text(SCH::AlarmFile).trimmed().isEmpty()) {
        task().setText(SCH::AlarmFile, store::GetConfig(m_ctx, SoundKey));
        showField(SCH::AlarmFile);
    }
    if (const QString file = task().text(SCH::AlarmFile).trimmed(); !file.isEmpty())
        store::PutConfig(m_ctx, SoundKey, file);
}

void ScheduleForm::checkNextDate()
{
    store::Record &t = task();
    if (t.number(SCH::Date) != 0 && !scheduler::DateFitsSchedule(t, t.number(SCH::Date)))
        m_ctx.messages().notify(QStringLiteral("Warning"),
                                QStringLiteral("Date given does not match schedule type."));
    // A preset the user keeps by hand in the settings file: warn so long before each task.
    const store::ProfileFile settingsFile(m_ctx.store().settingsPath());
    const QString section = QStringLiteral("Warning");
    if (settingsFile.value(section, QStringLiteral("Active")).trimmed().isEmpty())
        return;
    t.setNumber(SCH::AdvanceWarnDate, t.number(SCH::Date) - store::configNumber(settingsFile.value(
                                                                section, QStringLiteral("Date"))));
    t.setNumber(SCH::AdvanceWarnTime, t.number(SCH::Time) - store::configNumber(settingsFile.value(
                                                                section, QStringLiteral("Time"))));
    showField(SCH::AdvanceWarnDate);
    showField(SCH::AdvanceWarnTime);
}

void ScheduleForm::checkAdvanceWarning()
{
    store::Record &t = task();
    const qint64 date = t.number(SCH::AdvanceWarnDate);
    if (date < t.number(SCH::Date) ||
        (date == t.number(SCH::Date) && t.number(SCH::AdvanceWarnTime) <= t.number(SCH::Time)))
        return;
    t.setNumber(SCH::AdvanceWarnDate, 0);
    t.setNumber(SCH::AdvanceWarnTime, 0);
    showField(SCH::AdvanceWarnDate);
    showField(SCH::AdvanceWarnTime);
    m_ctx.messages().plain(QString(),
                           QStringLiteral("Advanced Warning cannot be after scheduled task."));
}

void ScheduleForm::fillMessage()
{
    m_pages->editor(SCH::Message)->take(task());
    if (!task().text(SCH::Message).isEmpty())
        return;
    m_pages->editor(SCH::Description)->take(task());
    task().setText(SCH::Message, task().text(SCH::Description));
    showField(SCH::Message);
}

void ScheduleForm::pickDate(int field, bool checked)
{
    takeAll();
    Calendar calendar(m_ctx.store(), m_services.clock, task().number(field),
                      QStringLiteral("Select Date"), checked ? QString() : QStringLiteral("None"),
                      &task(), this);
    calendar.exec();
    task().setNumber(field, calendar.date());
    showField(field);
}

void ScheduleForm::browseProgram()
{
    takeAll();
    const QString folder = task().text(SCH::Path).trimmed();
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("Choose a Program to Start"), folder,
                                     QStringLiteral("All Files (*);;Scripts (*.sh *.py *.pl)"));
    if (chosen.isEmpty())
        return;
    task().setText(SCH::Command, chosen);
    if (folder.isEmpty())
        task().setText(SCH::Path, QFileInfo(chosen).path());
    showField(SCH::Command);
    showField(SCH::Path);
}

void ScheduleForm::browseSound()
{
    takeAll();
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Select WAV File for Alarm"), task().text(SCH::AlarmFile).trimmed(),
        QStringLiteral("WAV Files (*.wav *.WAV)"));
    if (!chosen.isEmpty())
        task().setText(SCH::AlarmFile, chosen);
    showField(SCH::AlarmFile);
}

void ScheduleForm::play()
{
    m_pages->editor(SCH::AlarmFile)->take(task());
    task().setText(SCH::AlarmFile, task().text(SCH::AlarmFile).trimmed());
    showField(SCH::AlarmFile);
    QPushButton *browse = m_pages->button(taskbutton::BrowseSound);
    if (task().text(SCH::AlarmFile).isEmpty()) {
        browse->setFocus();
        browse->click();
    } else if (!m_services.sound.play(task().text(SCH::AlarmFile))) {
        browse->setFocus();
    }
}

void ScheduleForm::editExceptions()
{
    takeAll();
    scheduler::ScheduleExceptions exceptions(m_ctx, this);
    exceptions.exec();
    m_pages->load(task());
}

void ScheduleForm::savePosition()
{
    toolkit::WindowPositions(m_ctx.store().folder()).save(this, QLatin1String(Section));
}

void ScheduleForm::accept()
{
    takeAll();
    const store::Request request = m_controller.request();
    if (request == store::Request::Insert || request == store::Request::Change) {
        for (FieldEditor *editor : m_pages->editors()) {
            if (!fieldAccepted(editor))
                return;
        }
        // The rule may write the task (and its shifted copy) itself; the record then carries
        // that write's revision, so the form's own write below is not taken for another's.
        scheduler::ApplyExceptions(m_ctx, true, m_services.clock);
        m_pages->load(task());
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = m_controller.accept();
    QApplication::restoreOverrideCursor();
    if (!done) {
        m_pages->load(task());
        return;
    }
    savePosition();
    QDialog::accept();
}

void ScheduleForm::reject()
{
    // Removing a new task removes the script lines copied to it along with it.
    m_controller.cancel();
    savePosition();
    QDialog::reject();
}

store::Response UpdateSchedule(store::RecordContext &ctx, const TaskServices &services,
                               QWidget *parent)
{
    ScheduleForm form(ctx, services, parent);
    if (form.start())
        form.exec();
    return ctx.response;
}

} // namespace schedule_ui
