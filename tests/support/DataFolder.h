#pragma once

#include "ScriptedPresenter.h"
#include "store/Record.h"
#include "store/Store.h"

#include <QTemporaryDir>
#include <QVariant>

#include <memory>

// A temporary data folder with a store over it, as one run of the program would have; the
// user profile (win.ini) lives in the folder too.
class DataFolder final {
public:
    DataFolder();

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString databasePath() const { return path(QLatin1String(store::Store::DatabaseFileName)); }
    store::Store &store() { return *m_store; }
    ScriptedPresenter &messages() { return m_messages; }
    void writeFile(const QString &name, const QByteArray &contents) const;
    QByteArray readFile(const QString &name) const;
    // A new store over the same folder, as when the program starts again.
    void restart();

    // Runs SQL on the database file outside the store, the way another tool would.
    void rawExec(const QString &sql) const;
    QVariant rawScalar(const QString &sql) const;
    // Builds the database file from an SQL script of statements ended by ";" at a line end.
    void rawLoad(const QString &scriptPath) const;

private:
    QTemporaryDir m_dir;
    ScriptedPresenter m_messages;
    std::unique_ptr<store::Store> m_store;
};

// A file's bytes and modification time, to show that a refused file was left alone.
struct FileState {
    QByteArray bytes;
    qint64 modified = 0;
    bool operator==(const FileState &) const = default;
};
FileState fileState(const QString &path);
