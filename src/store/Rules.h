#pragma once

#include "store/StandardMessage.h"
#include "store/TableDef.h"

#include <optional>

namespace store {

class RecordContext;

enum class SaveResult { Done = 0, Failed = 1, ChangedElsewhere = 2 };

// Writes the context's current record of the table, applying the referential rules when its key
// value changed since the snapshot, all in one transaction. Failed: the message has been shown
// and nothing was written. ChangedElsewhere: another window or station wrote the record since it
// was read; the user has been told (message 38 when fromForm, else 15) and the current record now
// holds the stored values, the user's own being kept as the context's user values.
SaveResult SaveWithRules(RecordContext &ctx, TableId id, bool fromForm);

// Why a delete failed: the standard message that tells it (0 when the program is ending and
// nothing more is to be shown).
struct RuleFailure {
    int message = 0;
    MessageArgs args;
};

// DeleteWithRules without its messages, for callers that report failures their own way;
// nullopt when the record and its cascades are gone.
std::optional<RuleFailure> DeleteCascading(RecordContext &ctx, TableId id);

// Deletes the context's current record of the table with its cascades, refusing while a
// restricting child refers to it, all in one transaction. False: the message has been shown and
// nothing was deleted.
bool DeleteWithRules(RecordContext &ctx, TableId id);

} // namespace store
