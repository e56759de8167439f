#pragma once

#include "store/TableDef.h"

#include <vector>

namespace store {

const TableDef &tableDef(TableId id);

// The eleven tables of the database file, in the order they are registered with their layout
// versions at start-up.
const std::vector<const TableDef *> &registeredTables();

} // namespace store
