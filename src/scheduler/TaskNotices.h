#pragma once

#include <QObject>

namespace scheduler {

// Tells the windows that list tasks when the scheduler has performed, moved or removed some,
// so they read them again.
class TaskNotices final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void tell() { emit tasksChanged(); }

signals:
    void tasksChanged();
};

} // namespace scheduler
