#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Named settings kept in the database.
#define CF_FIELDS(F)                                                                               \
    F(DATATYPE, String, 40)                                                                        \
    F(DATAVALUE, String, 80)

#define CF_KEYS(K) K(KEYDATATYPE, Unique | NoCase | BlanksOut, nullptr, DATATYPE)

STORE_DEFINE_TABLE(CF, Configuration, "Configuration", "CF", "TL97", 1, -1, false)

#undef CF_FIELDS
#undef CF_KEYS
