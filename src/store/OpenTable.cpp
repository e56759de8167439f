#include "store/OpenTable.h"

#include "store/Connection.h"
#include "store/Log.h"
#include "store/MessagePresenter.h"
#include "store/RecordContext.h"
#include "store/Schema.h"
#include "store/Tables.h"

#include <QFileInfo>

namespace store {

namespace {

// How long a lock left by another process is waited for before the open gives up.
constexpr int LockRecoveryMs = 10000;

class Opener {
public:
    Opener(RecordContext &ctx, TableId id)
        : m_ctx(ctx), m_id(id), m_def(tableDef(id)), m_file(Store::fileOf(id)),
          m_version(ctx.store().registeredVersion(id))
    {}

    bool run(bool createAllowed);

private:
    StoreError attempt(int busyTimeoutMs);
    StoreError connect(int busyTimeoutMs);
    StoreError create();
    StoreError convert();
    bool fail(int message, const StoreError &e);

    RecordContext &m_ctx;
    TableId m_id;
    const TableDef &m_def;
    Store::File m_file;
    int m_version;
};

StoreError Opener::connect(int busyTimeoutMs)
{
    if (Connection *c = m_ctx.connection(m_file)) {
        c->setBusyTimeout(busyTimeoutMs);
        return {};
    }
    const QString path = m_ctx.store().pathOf(m_file);
    if (StoreError e = schema::checkFile(path); !e.ok())
        return e;
    StoreError e;
    std::unique_ptr<Connection> c = Connection::open(path, busyTimeoutMs, &e);
    if (!c)
        return e;
    if (m_file == Store::File::Database) {
        if (e = schema::checkOwner(*c, m_ctx.store().ownerPassword()); !e.ok())
            return e;
    }
    if (e = c->useWriteAheadLog(); !e.ok())
        return e;
    m_ctx.setConnection(m_file, std::move(c));
    return {};
}

StoreError Opener::attempt(int busyTimeoutMs)
{
    StoreError e = connect(busyTimeoutMs);
    if (e.ok() && !m_ctx.store().isVerified(m_id)) {
        e = schema::inspectTable(*m_ctx.connection(m_file), m_def, m_version);
        if (e.ok())
            m_ctx.store().setVerified(m_id);
    }
    if (Connection *c = m_ctx.connection(m_file); c && busyTimeoutMs != Connection::BusyTimeoutMs)
        c->setBusyTimeout(Connection::BusyTimeoutMs);
    return e;
}

StoreError Opener::create()
{
    const Store &store = m_ctx.store();
    const QString path = store.pathOf(m_file);
    if (!QFileInfo::exists(path)) {
        const QString owner = m_file == Store::File::Database ? store.ownerPassword() : QString();
        if (StoreError e = schema::createFile(path, owner); !e.ok())
            return e;
        qCInfo(lcStore) << "created" << path;
    }
    if (StoreError e = connect(Connection::BusyTimeoutMs); !e.ok())
        return e;
    return schema::createTable(*m_ctx.connection(m_file), m_def, m_version);
}

StoreError Opener::convert()
{
    Connection *c = m_ctx.connection(m_file);
    if (!c)
        return StoreError(ErrorCode::InvalidDataFile);
    qCInfo(lcStore) << "converting" << m_def.label << "to layout version" << m_version;
    return schema::convertTable(*c, m_def, m_version);
}

bool Opener::fail(int message, const StoreError &e)
{
    MessageArgs args;
    args.error = e;
    args.file = m_def.storedName();
    m_ctx.messages().show(message, args);
    return false;
}

bool Opener::run(bool createAllowed)
{
    StoreError e = attempt(Connection::BusyTimeoutMs);
    if (e.is(ErrorCode::FileLocked))
        e = attempt(LockRecoveryMs);

    if (e.is(ErrorCode::FileNotFound)) {
        if (!createAllowed)
            return fail(4, e);
        if (StoreError created = create(); !created.ok())
            return fail(4, created);
        if (e = attempt(Connection::BusyTimeoutMs); !e.ok())
            return fail(5, e);
    }

    if (e.is(ErrorCode::InvalidRecordDeclaration)) {
        e = convert();
        if (e.ok())
            e = attempt(Connection::BusyTimeoutMs);
        if (!e.ok()) {
            qCWarning(lcStore) << "cannot convert" << m_def.label << e.text();
            m_ctx.messages().halt(QLatin1String(UpgradeText));
            return false;
        }
    }

    if (e.is(ErrorCode::KeyMustBeRebuilt)) {
        MessageArgs args;
        args.file = m_def.storedName();
        if (m_ctx.messages().show(2, args) != Button::Yes)
            return false;
        if (StoreError rebuilt = schema::rebuildKeys(*m_ctx.connection(m_file), m_def);
            !rebuilt.ok())
            return fail(3, rebuilt);
        e = attempt(Connection::BusyTimeoutMs);
    }

    if (e.is(ErrorCode::InvalidDataFile) || e.is(ErrorCode::FileSystemError)) {
        if (convert().ok())
            e = attempt(Connection::BusyTimeoutMs);
    }
    if (!e.ok())
        return fail(30, e);
    m_ctx.addUse(m_id);
    return true;
}

} // namespace

bool OpenTable(RecordContext &ctx, TableId id, bool createAllowed)
{
    if (ctx.useCount(id) > 0) {
        ctx.addUse(id);
        return true;
    }
    const bool open = Opener(ctx, id).run(createAllowed);
    if (!open)
        ctx.releaseIdleConnection(Store::fileOf(id));
    return open;
}

void CloseTable(RecordContext &ctx, TableId id)
{
    ctx.releaseUse(id);
}

} // namespace store
