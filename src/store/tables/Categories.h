#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Task categories, also offered for to-do items.
#define CAT_FIELDS(F) F(Category, String, 20)

#define CAT_KEYS(K) K(KEYCATEGORY, Unique | NoCase | BlanksOut, "Category", Category)

STORE_DEFINE_TABLE(CAT, Categories, "Categories", "Categories", "TL97", 2, -1, false)

#undef CAT_FIELDS
#undef CAT_KEYS
