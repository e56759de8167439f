#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace store {
class Clock;
class Record;
class Store;
} // namespace store

namespace schedule_ui {

// The date picker: a month of day buttons with month and year navigation. Unless the check
// marker is "None", the days on which the task's schedule would not run cannot be picked.
class Calendar final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char *Section = "Calendar";
    static constexpr int FirstYear = 1801;
    static constexpr int LastYear = 2099;

    // A start date of 0 shows today's month. `task` is the record whose schedule is checked.
    Calendar(store::Store &store, const store::Clock &clock, qint64 startDate, const QString &title,
             const QString &marker, const store::Record *task, QWidget *parent = nullptr);
    ~Calendar() override;

    // The day picked, or the start date as it was given when the calendar was closed otherwise.
    qint64 date() const { return m_date; }
    int shownMonth() const { return m_month; }
    int shownYear() const { return m_year; }
    // The 42 day buttons, in rows from the top left.
    QPushButton *dayButton(int index) const { return m_days.at(size_t(index)); }

    void showMonth(int month, int year);
    void pick(int day);

protected:
    void done(int result) override;

private:
    void fill();
    void monthTyped();
    void yearTyped();

    store::Store &m_store;
    const store::Clock &m_clock;
    const store::Record *m_task;
    bool m_checked;
    qint64 m_date;
    int m_month = 1;
    int m_year = FirstYear;
    std::array<QPushButton *, 42> m_days{};
    QLineEdit *m_monthField;
    QLineEdit *m_yearField;
};

} // namespace schedule_ui
