#pragma once

#include <QDateTime>

namespace store {

// Where the program reads the time of day; tests set their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace store
