#include "script/ScriptLines.h"

#include "store/KeyRead.h"
#include "store/tables/Scripting.h"

namespace script {

namespace SCR = store::SCR;

store::StoreError readScriptLines(store::Connection &c, qint64 taskId,
                                  std::vector<store::Record> *lines)
{
    store::Record first(SCR::table());
    first.setNumber(SCR::ID, taskId);
    return store::KeyRead(SCR::table(), SCR::KeyID)
        .from(first)
        .where(SCR::ID, taskId)
        .read(c, lines);
}

qint64 lastScriptSequence(store::Connection &c, qint64 taskId)
{
    store::Record last(SCR::table());
    if (!store::KeyRead(SCR::table(), SCR::KeyID)
             .backward()
             .where(SCR::ID, taskId)
             .first(c, &last)
             .ok())
        return 0;
    return last.number(SCR::Sequence);
}

} // namespace script
