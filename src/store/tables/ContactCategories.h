#pragma once

#include "store/TableDef.h"
#include "store/TableMacros.h"

// Categories of contacts.
#define CC_FIELDS(F) F(ContactCategory, String, 20)

#define CC_KEYS(K)                                                                                 \
    K(KEYCONTACTCATEGORIES, Unique | NoCase | BlanksOut, "Contact Categories", ContactCategory)

STORE_DEFINE_TABLE(CC, ContactCategories, "ContactCategories", "ConCat", "tl97", 2, -1, true)

#undef CC_FIELDS
#undef CC_KEYS
