#pragma once

#include "store/Dates.h"

// Day numbers and stored times written the way a test reads them.
inline qint64 day(int y, int m, int d)
{
    return store::dates::dayNumber(QDate(y, m, d));
}

inline qint64 at(int h, int m, int s = 0)
{
    return store::dates::timeValue(QTime(h, m, s));
}
