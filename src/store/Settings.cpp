#include "store/Settings.h"

#include "store/Pictures.h"

namespace store {

Settings &settings()
{
    static Settings current;
    return current;
}

QString FormatDate(qint64 day)
{
    return pictures::formatDate(day, settings().dateFormat);
}

} // namespace store
