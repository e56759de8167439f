#include "store/Relations.h"

#include "store/tables/Categories.h"
#include "store/tables/Contact.h"
#include "store/tables/ContactCategories.h"
#include "store/tables/Link.h"
#include "store/tables/Schedule.h"
#include "store/tables/Scripting.h"

namespace store {

const std::vector<Relation> &relations()
{
    static const std::vector<Relation> rules{
        {TableId::Schedule, SCH::ID, TableId::Link, L::ID, L::KEYSCHEDULE, Rule::Cascade,
         Rule::Cascade},
        {TableId::Schedule, SCH::ID, TableId::Scripting, SCR::ID, SCR::KeyID, Rule::Cascade,
         Rule::Cascade},
        {TableId::Contact, C_::ClientID, TableId::Link, L::ClientID, L::KeyClient, Rule::Cascade,
         Rule::Cascade},
        {TableId::Categories, CAT::Category, TableId::Schedule, SCH::Category, SCH::KeyCategory,
         Rule::Restrict, Rule::Restrict},
        {TableId::ContactCategories, CC::ContactCategory, TableId::Contact, C_::ContactCategory,
         C_::KEYCATEGORY, Rule::Restrict, Rule::Restrict},
    };
    return rules;
}

std::vector<Relation> childRelations(TableId parent)
{
    std::vector<Relation> children;
    for (const Relation &r : relations()) {
        if (r.parent == parent)
            children.push_back(r);
    }
    return children;
}

} // namespace store
