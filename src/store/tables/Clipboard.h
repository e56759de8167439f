#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Texts captured from the clipboard; the signature key refuses a text seen before.
#define CLI_FIELDS(F)                                                                              \
    F(USER, String, 40)                                                                            \
    F(CLIPDATE, Date, 0)                                                                           \
    F(CLIPTIME, Time, 0)                                                                           \
    F(CLIPHASHKEY, String, 40)                                                                     \
    F(CLIPKEEP, Byte, 0)                                                                           \
    F(ClipContents, Memo, 4096)

#define CLI_KEYS(K)                                                                                \
    K(KEYCLIPDATE, NoCase, nullptr, USER, CLIPKEEP, CLIPDATE, CLIPTIME)                            \
    K(KEYCLIPHASH, Unique | NoCase | BlanksOut, nullptr, USER, CLIPHASHKEY)

STORE_DEFINE_TABLE(CLI, Clipboard, "Clipboard", "Clipboard", "TL97", 3, -1, false)

#undef CLI_FIELDS
#undef CLI_KEYS
