#pragma once

#include "store/TableDef.h"

#include <vector>

namespace store {

enum class Rule { Cascade, Restrict };

// A parent table's key value carried by a child table's field.
struct Relation {
    TableId parent;
    int parentField;
    TableId child;
    int childField;
    int childKey; // the child key positioned at the parent's value
    Rule onChange;
    Rule onDelete;
};

// The referential rules, in the order they are applied.
const std::vector<Relation> &relations();
std::vector<Relation> childRelations(TableId parent);

} // namespace store
