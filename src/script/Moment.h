#pragma once

#include "store/Dates.h"

#include <QDateTime>

#include <compare>

namespace script {

// A planned moment of the run queue: a day number and a time value (hundredths of a second
// since midnight plus one), kept with the time inside its day so moments compare as pairs.
struct Moment {
    qint64 date = 0;
    qint64 time = 0;

    static Moment of(const QDateTime &when)
    {
        return {store::dates::dayNumber(when.date()), store::dates::timeValue(when.time())};
    }

    bool isSet() const { return date != 0; }

    // Later by so many hundredths, whole days carried into the date.
    Moment plus(qint64 hundredths) const
    {
        Moment m{date, time + hundredths};
        while (m.time > store::dates::HundredthsPerDay) {
            m.time -= store::dates::HundredthsPerDay;
            ++m.date;
        }
        return m;
    }

    auto operator<=>(const Moment &) const = default;
};

} // namespace script
