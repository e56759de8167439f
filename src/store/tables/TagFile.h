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

namespace store::TF_ {

enum Field : int { TF__FIELDS(STORE_FIELD_ENUM) };
enum Key : int { TF__KEYS(STORE_KEY_ENUM) };

inline const TableDef &table()
{
    static const TableDef def{TableId::TagFile,
                              "TagFile_",
                              "TF_",
                              "TagFile_",
                              "TagFile_.TPS",
                              0,
                              {TF__FIELDS(STORE_FIELD_DEF)},
                              {TF__KEYS(STORE_KEY_DEF)}};
    return def;
}

} // namespace store::TF_

#undef TF__FIELDS
#undef TF__KEYS
