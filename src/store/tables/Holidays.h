#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Dates excepted by tasks that except holidays.
#define HOL_FIELDS(F)                                                                              \
    F(HOLIDAYDATE, Date, 0)                                                                        \
    F(HOLIDAY, String, 20)                                                                         \
    F(ANNUAL, Byte, 0)

#define HOL_KEYS(K) K(KeyHolidayDate, Unique | BlanksOut, nullptr, HOLIDAYDATE)

namespace store::HOL {

enum Field : int { HOL_FIELDS(STORE_FIELD_ENUM) };
enum Key : int { HOL_KEYS(STORE_KEY_ENUM) };

inline const TableDef &table()
{
    static const TableDef def{TableId::Holidays,
                              "Holidays",
                              "HOL",
                              "Hol",
                              "TL97",
                              2,
                              {HOL_FIELDS(STORE_FIELD_DEF)},
                              {HOL_KEYS(STORE_KEY_DEF)},
                              -1,
                              true};
    return def;
}

} // namespace store::HOL

#undef HOL_FIELDS
#undef HOL_KEYS
