#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Dates excepted by tasks that except holidays.
#define HOL_FIELDS(F)                                                                              \
    F(HOLIDAYDATE, Date, 0)                                                                        \
    F(HOLIDAY, String, 20)                                                                         \
    F(ANNUAL, Byte, 0)

#define HOL_KEYS(K) K(KeyHolidayDate, Unique | BlanksOut, nullptr, HOLIDAYDATE)

STORE_DEFINE_TABLE(HOL, Holidays, "Holidays", "Hol", "TL97", 2, -1, true)

#undef HOL_FIELDS
#undef HOL_KEYS
