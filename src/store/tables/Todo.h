#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// To-do items.
#define TDO_FIELDS(F)                                                                              \
    F(Done, Byte, 0)                                                                               \
    F(Priority, Byte, 0)                                                                           \
    F(Category, String, 20)                                                                        \
    F(ToDo, String, 80)                                                                            \
    F(CompletionDate, Date, 0)                                                                     \
    F(CompletionTime, Time, 0)                                                                     \
    F(Notes, Memo, 4096)                                                                           \
    F(Resolution, Memo, 1000)

#define TDO_KEYS(K)                                                                                \
    K(KEYDONE, NoCase, nullptr, Done, Priority, ToDo)                                              \
    K(KEYPRIORITY, NoCase, nullptr, Priority, Done, ToDo)                                          \
    K(KEYTODO, NoCase, nullptr, ToDo)                                                              \
    K(KEYCATEGORY, NoCase | BlanksOut, nullptr, Category, Priority, ToDo)

STORE_DEFINE_TABLE(TDO, Todo, "Todo", "ToDo", "TL97", 3, -1, true)

#undef TDO_FIELDS
#undef TDO_KEYS
