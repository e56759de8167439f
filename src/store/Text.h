#pragma once

#include <QString>

namespace store {

// Stored text keeps no trailing blanks; texts built for messages and commands drop them too.
inline QString withoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    text.truncate(end);
    return text;
}

} // namespace store
