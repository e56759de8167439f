#pragma once

#include "schedule_ui/TaskServices.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QMdiArea;

namespace store {
class Record;
class Store;
} // namespace store
namespace toolkit {
class ListWindow;
struct ListDecl;
} // namespace toolkit

namespace schedule_ui {

// The schedule browser: the tasks of one day, all of them by date or of one category, or the
// ones marked by a search, with the buttons that add, copy, change, delete and run them. It
// lives on the list window it makes, follows the change of day, and reads the tasks again
// whenever the scheduler has performed or removed some.
class ScheduleBrowser final : public QObject {
    Q_OBJECT

public:
    static constexpr const char *Procedure = "BrowseSchedule";
    // The views, in the order of their tabs.
    enum View { DayView, AllByDate, ByCategory, Marked };

    // Opens a browser as a child window of the frame's area, or as a window of its own when
    // there is none. The browser is the window's child, found by findChild.
    static toolkit::ListWindow *open(store::Store &store, const TaskServices &services,
                                     QMdiArea *area = nullptr);

    qint64 selectedDay() const { return m_day; }
    // Shows this day's tasks (the first tab names it) and makes it the day new tasks start on.
    void setSelectedDay(qint64 day);
    void setCategory(const QString &category);
    // Follows the change of day: when the day shown was today, the new day is shown.
    void checkDay();
    // The one-time copy of the highlighted task due after this delay, with its script.
    void quickStart(qint64 delay);

private:
    explicit ScheduleBrowser(const TaskServices &services);
    toolkit::ListDecl declaration();
    void attach(toolkit::ListWindow *window);
    QList<qint64> markedTasks() const;
    // The highlighted task as it is stored now; false (with the message shown) when it
    // cannot be read.
    bool readHighlighted(store::Record *task) const;
    void pickDay();
    void pickCategory();
    void runNow();
    qint64 today() const;

    TaskServices m_services;
    toolkit::ListWindow *m_window = nullptr;
    qint64 m_day;
    qint64 m_today;
    QString m_category;
    QTimer m_dayTimer;
};

} // namespace schedule_ui
