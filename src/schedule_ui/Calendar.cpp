#include "schedule_ui/Calendar.h"

#include "scheduler/Occurrence.h"
#include "store/Clock.h"
#include "store/Dates.h"
#include "store/MessagePresenter.h"
#include "store/Store.h"
#include "toolkit/WindowPositions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace schedule_ui {

namespace {

const char *const DayHeadings[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

QPushButton *navigation(const QString &text, const QString &tip, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral(">>>")) + 16);
    return button;
}

} // namespace

Calendar::Calendar(store::Store &store, const store::Clock &clock, qint64 startDate,
                   const QString &title, const QString &marker, const store::Record *task,
                   QWidget *parent)
    : QDialog(parent), m_store(store), m_clock(clock), m_task(task),
      m_checked(task && marker != QLatin1String("None")), m_date(startDate),
      m_monthField(new QLineEdit(this)), m_yearField(new QLineEdit(this))
{
    setObjectName(QLatin1String(Section));
    setWindowTitle(title);

    auto *previousYear = navigation(QStringLiteral("<<"), QStringLiteral("Previous year"), this);
    auto *previousMonth = navigation(QStringLiteral("<"), QStringLiteral("Previous month"), this);
    auto *nextMonth = navigation(QStringLiteral(">"), QStringLiteral("Next month"), this);
    auto *nextYear = navigation(QStringLiteral(">>"), QStringLiteral("Next year"), this);
    m_monthField->setValidator(new QIntValidator(0, 99, m_monthField));
    m_monthField->setMaxLength(2);
    m_yearField->setValidator(new QIntValidator(0, 9999, m_yearField));
    m_yearField->setMaxLength(4);
    const int digit = fontMetrics().horizontalAdvance(u'0');
    m_monthField->setFixedWidth(3 * digit + 12);
    m_yearField->setFixedWidth(5 * digit + 12);
    auto *monthLabel = new QLabel(QStringLiteral("&Month:"), this);
    monthLabel->setBuddy(m_monthField);
    auto *yearLabel = new QLabel(QStringLiteral("&Year:"), this);
    yearLabel->setBuddy(m_yearField);
    auto *top = new QHBoxLayout;
    top->addStretch();
    for (QWidget *w :
         std::initializer_list<QWidget *>{previousYear, previousMonth, monthLabel, m_monthField,
                                          yearLabel, m_yearField, nextMonth, nextYear})
        top->addWidget(w);
    top->addStretch();

    auto *grid = new QGridLayout;
    for (int column = 0; column < 7; ++column)
        grid->addWidget(new QLabel(QString::fromLatin1(DayHeadings[column]), this), 0, column,
                        Qt::AlignCenter);
    for (int i = 0; i < int(m_days.size()); ++i) {
        auto *day = new QPushButton(this);
        day->setAutoDefault(false);
        day->setFixedWidth(day->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        connect(day, &QPushButton::clicked, this, [this, day] { pick(day->text().toInt()); });
        grid->addWidget(day, 1 + i / 7, i % 7);
        m_days[size_t(i)] = day;
    }

    auto *close = new QPushButton(QStringLiteral("Cl&ose"), this);
    close->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addLayout(bottom);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(previousMonth, &QPushButton::clicked, this, [this] { showMonth(m_month - 1, m_year); });
    connect(nextMonth, &QPushButton::clicked, this, [this] { showMonth(m_month + 1, m_year); });
    connect(previousYear, &QPushButton::clicked, this, [this] { showMonth(m_month, m_year - 1); });
    connect(nextYear, &QPushButton::clicked, this, [this] { showMonth(m_month, m_year + 1); });
    connect(m_monthField, &QLineEdit::editingFinished, this, &Calendar::monthTyped);
    connect(m_yearField, &QLineEdit::editingFinished, this, &Calendar::yearTyped);

    const QDate start = store::dates::toDate(startDate).isValid() ? store::dates::toDate(startDate)
                                                                  : m_clock.now().date();
    showMonth(start.month(), start.year());
    toolkit::WindowPositions(m_store.folder()).restore(this, QLatin1String(Section), false);
    for (QPushButton *day : m_days) {
        if (day->text().toInt() == start.day())
            day->setFocus();
    }
}

Calendar::~Calendar() = default;

void Calendar::showMonth(int month, int year)
{
    // Months step across the year's end; years (and months stepped past the range) wrap
    // around the range of years the program knows.
    if (month < 1) {
        month = 12;
        --year;
    } else if (month > 12) {
        month = 1;
        ++year;
    }
    if (year < FirstYear)
        year = LastYear;
    else if (year > LastYear)
        year = FirstYear;
    m_month = month;
    m_year = year;
    fill();
}

void Calendar::fill()
{
    m_monthField->setText(QString::number(m_month));
    m_yearField->setText(QString::number(m_year));
    const QDate first(m_year, m_month, 1);
    const int column = int(store::dates::dayNumber(first) % 7);
    for (int i = 0; i < int(m_days.size()); ++i) {
        QPushButton *button = m_days[size_t(i)];
        const int day = i - column + 1;
        const bool inMonth = day >= 1 && day <= first.daysInMonth();
        button->setText(inMonth ? QString::number(day) : QString());
        button->setVisible(inMonth);
        if (inMonth)
            button->setEnabled(!m_checked ||
                               scheduler::DateFitsSchedule(
                                   *m_task, store::dates::dayNumber(first.addDays(day - 1))));
    }
}

void Calendar::pick(int day)
{
    const qint64 picked = store::dates::dayNumber(QDate(m_year, m_month, day));
    if (picked < store::dates::dayNumber(m_clock.now().date()) &&
        m_store.messages().confirm(QStringLiteral("Confirm"),
                                   QStringLiteral("You have selected a date earlier than today.  "
                                                  "Do you wish to use this date?")) !=
            store::Button::Yes)
        return;
    m_date = picked;
    accept();
}

void Calendar::monthTyped()
{
    const int month = m_monthField->text().toInt();
    if (month == m_month)
        return;
    if (month < 1 || month > 12) {
        m_store.messages().notify(QStringLiteral("Error Message"),
                                  QStringLiteral("Month should be between 1 to 12"));
        m_monthField->setText(QString::number(m_month));
        m_monthField->setFocus();
        return;
    }
    showMonth(month, m_year);
}

void Calendar::yearTyped()
{
    const int year = m_yearField->text().toInt();
    if (year == m_year)
        return;
    if (year < FirstYear || year > LastYear) {
        m_store.messages().notify(
            QStringLiteral("Error Message"),
            QStringLiteral("Year should be between %1 to %2").arg(FirstYear).arg(LastYear));
        m_yearField->setText(QString::number(m_year));
        m_yearField->setFocus();
        return;
    }
    showMonth(m_month, year);
}

void Calendar::done(int result)
{
    toolkit::WindowPositions(m_store.folder()).save(this, QLatin1String(Section));
    QDialog::done(result);
}

} // namespace schedule_ui
