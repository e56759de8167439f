#pragma once

#include "schedule_ui/TaskServices.h"
#include "store/FormController.h"
#include "store/OpenTable.h"

#include <QDialog>

#include <memory>

namespace store {
class RecordContext;
}
namespace toolkit {
class FieldEditor;
class FormPages;
} // namespace toolkit

namespace schedule_ui {

// The form through which one task is added, copied, changed or deleted, for the request in
// the context; it edits the context's current task and leaves the response there.
class ScheduleForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *Section = "UpdateSchedule";
    // The time a task without a time of its own is given: the end of its day.
    static constexpr qint64 NoTime = 8639500;

    ScheduleForm(store::RecordContext &ctx, const TaskServices &services,
                 QWidget *parent = nullptr);
    ~ScheduleForm() override;

    // Takes the request as the form opens: reserves and primes a new task, or deletes one
    // without showing the form. False: the form is done (its response set).
    bool start();

    toolkit::FormPages &pages() const { return *m_pages; }

    void accept() override;
    void reject() override;

private:
    store::Record &task() const;
    void primeNewTask();
    void connectRules();
    // Takes one field into the task and applies its rule; false, with a message, when the
    // field cannot be read.
    bool fieldAccepted(toolkit::FieldEditor *editor);
    void takeAll();
    void showField(int field);
    void applyTaskTypeRule();
    void applyScheduleTypeRule();
    void applyMonthEndRule();
    void applyAlarmRule();
    void rememberSoundFile();
    void checkNextDate();
    void checkAdvanceWarning();
    void fillMessage();
    void pickDate(int field, bool checked);
    void browseProgram();
    void browseSound();
    void play();
    void editExceptions();
    void savePosition();

    store::RecordContext &m_ctx;
    TaskServices m_services;
    store::TableUse m_schedule;
    store::TableUse m_categories;
    store::TableUse m_holidays;
    store::TableUse m_configuration;
    store::TableUse m_scripting;
    store::FormController m_controller;
    toolkit::FormPages *m_pages;
};

// Runs the form for the request in the context and returns its response.
store::Response UpdateSchedule(store::RecordContext &ctx, const TaskServices &services,
                               QWidget *parent = nullptr);

} // namespace schedule_ui
