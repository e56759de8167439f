#include "schedule_ui/SelectedDay.h"

namespace schedule_ui {

namespace {

qint64 &published()
{
    static qint64 day = 0;
    return day;
}

} // namespace

qint64 browsedDay()
{
    return published();
}

void publishBrowsedDay(qint64 day)
{
    published() = day;
}

} // namespace schedule_ui
