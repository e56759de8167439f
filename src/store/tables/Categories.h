#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Task categories, also offered for to-do items.
#define CAT_FIELDS(F) F(Category, String, 20)

#define CAT_KEYS(K) K(KEYCATEGORY, Unique | NoCase | BlanksOut, "Category", Category)

namespace store::CAT {

enum Field : int { CAT_FIELDS(STORE_FIELD_ENUM) };
enum Key : int { CAT_KEYS(STORE_KEY_ENUM) };

inline const TableDef &table()
{
    static const TableDef def{TableId::Categories,
                              "Categories",
                              "CAT",
                              "Categories",
                              "TL97",
                              2,
                              {CAT_FIELDS(STORE_FIELD_DEF)},
                              {CAT_KEYS(STORE_KEY_DEF)}};
    return def;
}

} // namespace store::CAT

#undef CAT_FIELDS
#undef CAT_KEYS
