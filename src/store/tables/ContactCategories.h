#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Categories of contacts.
#define CC_FIELDS(F) F(ContactCategory, String, 20)

#define CC_KEYS(K)                                                                                 \
    K(KEYCONTACTCATEGORIES, Unique | NoCase | BlanksOut, "Contact Categories", ContactCategory)

namespace store::CC {

enum Field : int { CC_FIELDS(STORE_FIELD_ENUM) };
enum Key : int { CC_KEYS(STORE_KEY_ENUM) };

inline const TableDef &table()
{
    static const TableDef def{
        TableId::ContactCategories,   "ContactCategories",      "CC", "ConCat", "tl97", 2,
        {CC_FIELDS(STORE_FIELD_DEF)}, {CC_KEYS(STORE_KEY_DEF)}, -1,   true};
    return def;
}

} // namespace store::CC

#undef CC_FIELDS
#undef CC_KEYS
