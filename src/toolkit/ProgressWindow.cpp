#include "toolkit/ProgressWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace toolkit {

ProgressWindow::ProgressWindow(qint64 total, int unitsPerTick, Step step, QWidget *parent,
                               const QString &caption)
    : QDialog(parent), m_total(std::max<qint64>(total, 0)), m_unitsPerTick(unitsPerTick),
      m_step(std::move(step)), m_activity(new QLabel(this)), m_label(new QLabel(this)),
      m_bar(new QProgressBar(this)), m_cancel(new QPushButton(QStringLiteral("Cancel"), this)),
      m_timer(new QTimer(this))
{
    setWindowTitle(caption);
    setModal(true);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(260);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    m_activity->setObjectName(QStringLiteral("activity"));
    m_activity->hide();
    m_label->setObjectName(QStringLiteral("progress"));
    layout->addWidget(m_activity, 0, Qt::AlignHCenter);
    layout->addWidget(m_label, 0, Qt::AlignHCenter);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    showDone(0);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancel);
    connect(m_timer, &QTimer::timeout, this, &ProgressWindow::tick);
}

void ProgressWindow::setActivity(const QString &text)
{
    m_activity->setText(text);
    m_activity->setVisible(!text.isEmpty());
}

bool ProgressWindow::run()
{
    m_timer->start(0);
    return exec() == QDialog::Accepted;
}

void ProgressWindow::tick()
{
    const qint64 done = m_step(m_unitsPerTick);
    showDone(done);
    if (done < m_total)
        return;
    m_timer->stop();
    m_completed = true;
    m_label->setText(QStringLiteral("Process Completed"));
    m_cancel->setEnabled(false);
    QTimer::singleShot(CompletedShownMs, this, &QDialog::accept);
}

void ProgressWindow::showDone(qint64 done)
{
    const int percent = m_total == 0 ? 100 : int(std::min<qint64>(100, done * 100 / m_total));
    m_label->setText(QStringLiteral("%1% Completed").arg(percent));
    m_bar->setValue(percent);
}

void ProgressWindow::cancel()
{
    if (m_completed)
        return;
    m_timer->stop();
    if (m_confirmCancel && !m_confirmCancel()) {
        m_timer->start(0);
        return;
    }
    reject();
}

} // namespace toolkit
