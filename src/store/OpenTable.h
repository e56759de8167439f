#pragma once

#include "store/TableDef.h"

namespace store {

class RecordContext;

// Opens a table for the context, shared for reading and writing, creating it when it is missing
// and allowed, converting an older stored layout and offering to rebuild damaged keys. Returns
// false when the table cannot be opened: the message has been shown and the program is ending.
// A table the context already has open only counts one more use.
bool OpenTable(RecordContext &ctx, TableId id, bool createAllowed = true);
// Releases one use; the last one closes the table for the context.
void CloseTable(RecordContext &ctx, TableId id);

// A table opened for the length of a scope.
class TableUse final {
public:
    TableUse(RecordContext &ctx, TableId id) : m_ctx(ctx), m_id(id), m_open(OpenTable(ctx, id)) {}
    ~TableUse()
    {
        if (m_open)
            CloseTable(m_ctx, m_id);
    }
    TableUse(const TableUse &) = delete;
    TableUse &operator=(const TableUse &) = delete;

    bool isOpen() const { return m_open; }

private:
    RecordContext &m_ctx;
    TableId m_id;
    bool m_open;
};

// What ends the program when a table's layout cannot be brought up to date.
inline constexpr const char *UpgradeText = "The databases must be upgraded before using this "
                                           "version.  Consult your documentation for instructions "
                                           "on this.";

} // namespace store
