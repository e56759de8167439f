#include "scheduler/ScheduleExceptions.h"

#include "scheduler/Holidays.h"
#include "store/MessagePresenter.h"
#include "store/Pictures.h"
#include "store/RecordContext.h"
#include "store/tables/Schedule.h"
#include "toolkit/ListWindow.h"
#include "toolkit/WindowPositions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace scheduler {

namespace SCH = store::SCH;

namespace {

// The options of the exception action, stored as their text cut to the field's width; only the
// first letter is read back.
const char *const Actions[] = {"Skip (to Next Valid Day)", "Previous Day", "Next Day"};

int actionOf(const QString &stored)
{
    const QString first = stored.left(1).toUpper();
    return first == QLatin1String("P") ? 1 : first == QLatin1String("N") ? 2 : 0;
}

} // namespace

ScheduleExceptions::ScheduleExceptions(store::RecordContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_weekends(new QCheckBox(QStringLiteral("Except Weekends"))),
      m_weekdays(new QCheckBox(QStringLiteral("Except Weekdays"))),
      m_holidays(new QCheckBox(QStringLiteral("Except Holidays"))),
      m_timeRange(new QCheckBox(QStringLiteral("Except Time Range"))), m_begin(new QLineEdit),
      m_end(new QLineEdit), m_action(new QGroupBox(QStringLiteral("Exception Action"))),
      m_actions(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Exceptions"));
    setObjectName(QLatin1String(Section));
    const store::Record &task = ctx.record(store::TableId::Schedule);

    auto *defineHolidays = new QPushButton(QStringLiteral("Define Holidays..."));
    connect(defineHolidays, &QPushButton::clicked, this,
            [this] { toolkit::showModally(BrowseHolidays(), m_ctx.store(), this); });
    auto *holidayRow = new QHBoxLayout;
    holidayRow->addWidget(m_holidays);
    holidayRow->addStretch();
    holidayRow->addWidget(defineHolidays);

    auto *times = new QFormLayout;
    times->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (QLineEdit *edit : {m_begin, m_end})
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 10);
    times->addRow(QStringLiteral("Begin:"), m_begin);
    times->addRow(QStringLiteral("End:"), m_end);
    times->setContentsMargins(24, 0, 0, 0);

    auto *actionLayout = new QVBoxLayout(m_action);
    for (int i = 0; i < int(std::size(Actions)); ++i) {
        auto *option = new QRadioButton(QLatin1String(Actions[i]));
        m_actions->addButton(option, i);
        actionLayout->addWidget(option);
    }

    auto *close = new QPushButton(QStringLiteral("Cl&ose"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &ScheduleExceptions::accept);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_weekends);
    layout->addWidget(m_weekdays);
    layout->addLayout(holidayRow);
    layout->addWidget(m_timeRange);
    layout->addLayout(times);
    layout->addWidget(m_action);
    layout->addLayout(closeRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_weekends->setChecked(task.number(SCH::ExceptWeekends) != 0);
    m_weekdays->setChecked(task.number(SCH::ExceptWeekdays) != 0 && !m_weekends->isChecked());
    m_holidays->setChecked(task.number(SCH::ExceptHolidays) != 0);
    m_timeRange->setChecked(task.number(SCH::ExceptTime) != 0);
    m_begin->setText(store::pictures::formatTime(task.number(SCH::ExceptTimeBegin)));
    m_end->setText(store::pictures::formatTime(task.number(SCH::ExceptTimeEnd)));
    m_actions->button(actionOf(task.text(SCH::ShiftType)))->setChecked(true);
    for (QCheckBox *box : {m_weekends, m_weekdays, m_holidays, m_timeRange})
        connect(box, &QCheckBox::toggled, this, &ScheduleExceptions::updateEnabled);
    updateEnabled();
    toolkit::WindowPositions(ctx.store().folder()).restore(this, QLatin1String(Section), false);
}

void ScheduleExceptions::updateEnabled()
{
    m_weekdays->setEnabled(!m_weekends->isChecked());
    m_weekends->setEnabled(!m_weekdays->isChecked());
    m_begin->setEnabled(m_timeRange->isChecked());
    m_end->setEnabled(m_timeRange->isChecked());
    m_action->setEnabled(m_weekends->isChecked() || m_weekdays->isChecked() ||
                         m_holidays->isChecked());
}

bool ScheduleExceptions::takeRule()
{
    store::Record &task = m_ctx.record(store::TableId::Schedule);
    qint64 times[2] = {0, 0};
    QLineEdit *edits[2] = {m_begin, m_end};
    for (int i = 0; i < 2; ++i) {
        const QString typed = edits[i]->text().trimmed();
        times[i] = typed.isEmpty() ? 0 : store::pictures::parseTime(typed);
        if (m_timeRange->isChecked() && !typed.isEmpty() && times[i] == 0) {
            m_ctx.messages().notify(
                QStringLiteral("Invalid Entry"),
                QStringLiteral("\"%1\" is not a time of day. Type it like 5:30PM.").arg(typed));
            edits[i]->setFocus();
            return false;
        }
    }
    task.setNumber(SCH::ExceptWeekends, m_weekends->isChecked());
    task.setNumber(SCH::ExceptWeekdays, m_weekdays->isChecked());
    task.setNumber(SCH::ExceptHolidays, m_holidays->isChecked());
    task.setNumber(SCH::ExceptTime, m_timeRange->isChecked());
    task.setNumber(SCH::ExceptTimeBegin, times[0]);
    task.setNumber(SCH::ExceptTimeEnd, times[1]);
    task.setText(SCH::ShiftType, QLatin1String(Actions[m_actions->checkedId()]));
    return true;
}

bool ScheduleExceptions::finish()
{
    if (!takeRule())
        return false;
    toolkit::WindowPositions(m_ctx.store().folder()).save(this, QLatin1String(Section));
    return true;
}

void ScheduleExceptions::accept()
{
    if (finish())
        QDialog::accept();
}

// Closing by the window's frame or Escape is Close too: the window edits the task in place.
void ScheduleExceptions::reject()
{
    if (finish())
        QDialog::reject();
}

} // namespace scheduler
