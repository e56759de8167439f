#pragma once

#include "store/Record.h"
#include "store/Store.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace store {

class Connection;
class MessagePresenter;

enum class Request { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4 };
enum class Response { None = 0, Completed = 1, Cancelled = 2 };

// What one window (or the scheduler) has of the store: its own open instance of each table it
// uses with a use count, its own current record of every table, its own request and response.
// Reading or editing in one context never moves the current record of another.
class RecordContext final {
public:
    explicit RecordContext(Store &store);
    ~RecordContext();
    RecordContext(const RecordContext &) = delete;
    RecordContext &operator=(const RecordContext &) = delete;

    Store &store() const { return m_store; }
    MessagePresenter &messages() const;

    int useCount(TableId id) const { return instance(id).uses; }
    Record &record(TableId id) { return instance(id).current; }
    const Record &record(TableId id) const { return instance(id).current; }

    // The user's own values of the record, kept when a save found another station's changes
    // so the form can bring them back.
    const std::optional<Record> &userValues(TableId id) const { return instance(id).userValues; }
    void setUserValues(TableId id, const std::optional<Record> &values);

    // The parent key values as the record was read, so a save can tell a renumbering or a
    // rename; taken by forms when they read the record they edit.
    void takeSnapshot(TableId id);
    const std::optional<Record> &snapshot(TableId id) const { return instance(id).snapshot; }

    Request request = Request::None;
    Response response = Response::None;

    // This context's connection to a table's file; nullptr while none of its tables is open.
    Connection *connection(TableId id) const;
    Connection *connection(Store::File file) const;

    // Used by OpenTable and CloseTable.
    void setConnection(Store::File file, std::unique_ptr<Connection> c);
    void addUse(TableId id);
    void releaseUse(TableId id);
    // Closes the connection to a file none of whose tables is open.
    void releaseIdleConnection(Store::File file);

private:
    struct Instance {
        int uses = 0;
        Record current;
        std::optional<Record> snapshot;
        std::optional<Record> userValues;
    };

    Instance &instance(TableId id) { return m_instances.at(static_cast<std::size_t>(id)); }
    const Instance &instance(TableId id) const
    {
        return m_instances.at(static_cast<std::size_t>(id));
    }
    bool fileInUse(Store::File file) const;

    Store &m_store;
    std::vector<Instance> m_instances;
    std::array<std::unique_ptr<Connection>, 2> m_connections;
};

} // namespace store
