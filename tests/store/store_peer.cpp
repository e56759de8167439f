// Another process on the same data: holds locks, or changes a task the way a second running
// copy of the program would.
#include "store/Connection.h"
#include "store/KeyRead.h"
#include "store/MessagePresenter.h"
#include "store/OpenTable.h"
#include "store/RecordContext.h"
#include "store/Rules.h"
#include "store/tables/Schedule.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

namespace {

class StderrPresenter final : public store::MessagePresenter {
public:
    store::Button present(const store::StandardMessage &m) override
    {
        std::fprintf(stderr, "message %d: %s\n", m.number, qPrintable(m.text));
        return m.defaultButton;
    }
    void halt(const QString &text) override
    {
        std::fprintf(stderr, "halt: %s\n", qPrintable(text));
    }
};

void ready()
{
    std::printf("ready\n");
    std::fflush(stdout);
}

// Holds a lock on the file for a while: "exclusive" keeps out readers too, "write" only writers.
int holdLock(const QString &path, const QString &kind, int ms)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(path);
    if (!db.open())
        return 2;
    QSqlQuery q(db);
    const bool exclusive = kind == QLatin1String("exclusive");
    if (exclusive && !q.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")))
        return 3;
    if (!q.exec(exclusive ? QStringLiteral("BEGIN EXCLUSIVE")
                          : QStringLiteral("BEGIN IMMEDIATE")) ||
        !q.exec(QStringLiteral("UPDATE \"Layout\" SET \"Version\" = \"Version\""))) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        return 4;
    }
    ready();
    QThread::msleep(ms);
    q.exec(QStringLiteral("COMMIT"));
    return 0;
}

int describeTask(const QString &folder, qint64 id, const QString &description)
{
    StderrPresenter presenter;
    store::Store st(folder, presenter);
    store::RecordContext ctx(st);
    if (!store::OpenTable(ctx, store::TableId::Schedule))
        return 2;
    store::Record &task = ctx.record(store::TableId::Schedule);
    const store::StoreError e = store::KeyRead(store::SCH::table(), store::SCH::KEYID)
                                    .where(store::SCH::ID, id)
                                    .first(*ctx.connection(store::TableId::Schedule), &task);
    if (!e.ok())
        return 3;
    task.setText(store::SCH::Description, description);
    return store::SaveWithRules(ctx, store::TableId::Schedule, false) == store::SaveResult::Done
               ? 0
               : 4;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 &&
        (args[1] == QLatin1String("exclusive") || args[1] == QLatin1String("write")))
        return holdLock(args[2], args[1], args[3].toInt());
    if (args.size() == 5 && args[1] == QLatin1String("describe"))
        return describeTask(args[2], args[3].toLongLong(), args[4]);
    std::fprintf(stderr, "usage: store_peer exclusive|write FILE MS | describe FOLDER ID TEXT\n");
    return 1;
}
