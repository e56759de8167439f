#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Window titles seen on the desktop, offered where a script line needs a title.
#define WL_FIELDS(F)                                                                               \
    F(TITLE, String, 70)                                                                           \
    F(DATE, Date, 0)                                                                               \
    F(TIME, Time, 0)

#define WL_KEYS(K)                                                                                 \
    K(KeyTitle, Unique | NoCase, nullptr, TITLE)                                                   \
    K(KEYDATE, NoCase | BlanksOut, nullptr, DATE, TIME, TITLE)

namespace store::WL {

enum Field : int { WL_FIELDS(STORE_FIELD_ENUM) };
enum Key : int { WL_KEYS(STORE_KEY_ENUM) };

inline const TableDef &table()
{
    static const TableDef def{
        TableId::WindowLookup,        "WindowLookup",           "WL", "WL", "TL97", 2,
        {WL_FIELDS(STORE_FIELD_DEF)}, {WL_KEYS(STORE_KEY_DEF)}, -1,   true};
    return def;
}

} // namespace store::WL

#undef WL_FIELDS
#undef WL_KEYS
