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

STORE_DEFINE_TABLE(WL, WindowLookup, "WindowLookup", "WL", "TL97", 2, -1, true)

#undef WL_FIELDS
#undef WL_KEYS
