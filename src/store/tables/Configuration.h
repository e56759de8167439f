#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Named settings kept in the database.
#define CF_FIELDS(F)                                                                               \
    F(DATATYPE, String, 40)                                                                        \
    F(DATAVALUE, String, 80)

#define CF_KEYS(K) K(KEYDATATYPE, Unique | NoCase | BlanksOut, nullptr, DATATYPE)

namespace store::CF {

enum Field : int { CF_FIELDS(STORE_FIELD_ENUM) };
enum Key : int { CF_KEYS(STORE_KEY_ENUM) };

inline const TableDef &table()
{
    static const TableDef def{
        TableId::Configuration,       "Configuration",         "CF", "CF", "TL97", 1,
        {CF_FIELDS(STORE_FIELD_DEF)}, {CF_KEYS(STORE_KEY_DEF)}};
    return def;
}

} // namespace store::CF

#undef CF_FIELDS
#undef CF_KEYS
