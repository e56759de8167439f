#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Which contacts belong to which task.
#define L_FIELDS(F)                                                                                \
    F(ID, Long, 0)                                                                                 \
    F(ClientID, Long, 0)

#define L_KEYS(K)                                                                                  \
    K(KeyClient, Unique | BlanksOut, nullptr, ClientID, ID)                                        \
    K(KEYSCHEDULE, Primary | Unique | BlanksOut, "Schedule", ID, ClientID)

namespace store::L {

enum Field : int { L_FIELDS(STORE_FIELD_ENUM) };
enum Key : int { L_KEYS(STORE_KEY_ENUM) };

inline const TableDef &table()
{
    static const TableDef def{
        TableId::Link,           "Link", "L", "Link", "TL97", 2, {L_FIELDS(STORE_FIELD_DEF)},
        {L_KEYS(STORE_KEY_DEF)}, -1,     true};
    return def;
}

} // namespace store::L

#undef L_FIELDS
#undef L_KEYS
