#include "store/RecordContext.h"

#include "store/Connection.h"
#include "store/Tables.h"

namespace store {

namespace {

std::size_t fileIndex(Store::File file)
{
    return static_cast<std::size_t>(file);
}

} // namespace

RecordContext::RecordContext(Store &store) : m_store(store)
{
    for (int id = 0; id <= int(TableId::TagFile); ++id)
        m_instances.push_back({0, Record(tableDef(TableId(id))), {}, {}});
}

RecordContext::~RecordContext() = default;

MessagePresenter &RecordContext::messages() const
{
    return m_store.messages();
}

void RecordContext::setUserValues(TableId id, const std::optional<Record> &values)
{
    instance(id).userValues = values;
}

void RecordContext::takeSnapshot(TableId id)
{
    instance(id).snapshot = instance(id).current;
}

Connection *RecordContext::connection(TableId id) const
{
    return connection(Store::fileOf(id));
}

Connection *RecordContext::connection(Store::File file) const
{
    return m_connections.at(fileIndex(file)).get();
}

void RecordContext::setConnection(Store::File file, std::unique_ptr<Connection> c)
{
    m_connections.at(fileIndex(file)) = std::move(c);
}

void RecordContext::addUse(TableId id)
{
    ++instance(id).uses;
}

void RecordContext::releaseUse(TableId id)
{
    Instance &in = instance(id);
    if (in.uses == 0)
        return;
    if (--in.uses > 0)
        return;
    in.current.clear();
    in.snapshot.reset();
    in.userValues.reset();
    releaseIdleConnection(Store::fileOf(id));
}

void RecordContext::releaseIdleConnection(Store::File file)
{
    if (!fileInUse(file))
        m_connections.at(fileIndex(file)).reset();
}

bool RecordContext::fileInUse(Store::File file) const
{
    for (int id = 0; id <= int(TableId::TagFile); ++id) {
        if (Store::fileOf(TableId(id)) == file && m_instances.at(std::size_t(id)).uses > 0)
            return true;
    }
    return false;
}

} // namespace store
