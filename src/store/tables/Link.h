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

STORE_DEFINE_TABLE(L, Link, "Link", "Link", "TL97", 2, -1, true)

#undef L_FIELDS
#undef L_KEYS
