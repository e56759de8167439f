#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace toolkit {

// A long job run a fixed number of units (records, lines) per timer tick on the GUI thread,
// so the program stays responsive: "N% Completed", a Cancel button, and "Process Completed"
// when the job is through.
class ProgressWindow final : public QDialog {
    Q_OBJECT

public:
    // Does up to `units` units of work; returns the number of units done so far in all.
    using Step = std::function<qint64(int units)>;

    ProgressWindow(qint64 total, int unitsPerTick, Step step, QWidget *parent = nullptr,
                   const QString &caption = QStringLiteral("Progress..."));

    // A line above the percentage saying what the job does.
    void setActivity(const QString &text);

    // Asked when Cancel is pressed; the job goes on when it answers false.
    void setConfirmCancel(std::function<bool()> confirm) { m_confirmCancel = std::move(confirm); }

    // Runs the job with the window shown modally; true when it ran to the end.
    bool run();

    static constexpr int CompletedShownMs = 400;

private:
    void tick();
    void cancel();
    void showDone(qint64 done);

    qint64 m_total;
    int m_unitsPerTick;
    Step m_step;
    std::function<bool()> m_confirmCancel;
    QLabel *m_activity;
    QLabel *m_label;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QTimer *m_timer;
    bool m_completed = false;
};

} // namespace toolkit
