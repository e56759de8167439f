#include "store/Tables.h"

#include "store/tables/Categories.h"
#include "store/tables/Clipboard.h"
#include "store/tables/Configuration.h"
#include "store/tables/Contact.h"
#include "store/tables/ContactCategories.h"
#include "store/tables/Holidays.h"
#include "store/tables/Link.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"
#include "store/tables/TagFile.h"
#include "store/tables/Todo.h"
#include "store/tables/WindowLookup.h"

namespace store {

namespace {

// In TableId order, which is also the order of registration; the tag table comes last and is
// not registered.
const std::vector<const TableDef *> &allTables()
{
    static const std::vector<const TableDef *> tables{
        &CAT::table(), &CLI::table(), &CF::table(),  &C_::table(),  &CC::table(), &HOL::table(),
        &L::table(),   &SCH::table(), &SCR::table(), &TDO::table(), &WL::table(), &TF_::table()};
    return tables;
}

} // namespace

const TableDef &tableDef(TableId id)
{
    const TableDef &def = *allTables().at(static_cast<std::size_t>(id));
    Q_ASSERT(def.id == id);
    return def;
}

const std::vector<const TableDef *> &registeredTables()
{
    static const std::vector<const TableDef *> tables(allTables().begin(), allTables().end() - 1);
    return tables;
}

} // namespace store
