#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace store {
class RecordContext;
}

namespace scheduler {

// Edits the exception rule of the context's current task in memory; the task form or wizard
// that opened it saves the task.
class ScheduleExceptions final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *Section = "ScheduleExceptions";

    explicit ScheduleExceptions(store::RecordContext &ctx, QWidget *parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void updateEnabled();
    // Takes the controls into the task; false (with a message) when a time cannot be read.
    bool takeRule();
    bool finish();

    store::RecordContext &m_ctx;
    QCheckBox *m_weekends;
    QCheckBox *m_weekdays;
    QCheckBox *m_holidays;
    QCheckBox *m_timeRange;
    QLineEdit *m_begin;
    QLineEdit *m_end;
    QGroupBox *m_action;
    QButtonGroup *m_actions;
};

} // namespace scheduler
