#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Marks the user set on records of a list; a work table in a file of its own.
#define TF__FIELDS(F)                                                                              \
    F(USR, Long, 0)                                                                                \
    F(TBL, Short, 0)                                                                               \
    F(PTR, Long, 0)                                                                                \
    F(VAL, String, 10)

#define TF__KEYS(K)                                                                                \
    K(PTRKEY, Primary | Unique | NoCase | BlanksOut, nullptr, USR, TBL, PTR)                       \
    K(VALKEY, NoCase | BlanksOut, nullptr, USR, TBL, VAL)

STORE_DEFINE_TABLE(TF_, TagFile, "TagFile_", "TagFile_", "TagFile_.TPS", 0, -1, false)

#undef TF__FIELDS
#undef TF__KEYS
