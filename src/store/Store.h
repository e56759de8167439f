#pragma once

#include "store/TableDef.h"

#include <QString>

#include <array>

namespace store {

class MessagePresenter;

// The two data files a process works with and what it knows about them: the database file with
// the eleven registered tables, the separate tag file, the owner password and which tables this
// process has already found sound. Record contexts (one per window) open tables through it.
class Store final {
public:
    static constexpr const char *DatabaseFileName = "TL97.TPS";
    static constexpr const char *TagFileName = "TagFile_.TPS";
    static constexpr const char *SettingsFileName = "TL97.INI";
    enum class File { Database, Tags };

    // Registers the eleven tables of the database file with their layout versions, in order.
    Store(const QString &folder, MessagePresenter &messages,
          const QString &ownerPassword = defaultOwnerPassword());

    static QString defaultOwnerPassword();

    const QString &folder() const { return m_folder; }
    MessagePresenter &messages() const { return m_messages; }
    const QString &ownerPassword() const { return m_ownerPassword; }

    static File fileOf(TableId id) { return id == TableId::TagFile ? File::Tags : File::Database; }
    // The file's path; an existing file is found whatever the case of its name.
    QString pathOf(File file) const;
    // TL97.INI in the data folder, whatever the case of its name.
    QString settingsPath() const;
    // The user profile: $XDG_CONFIG_HOME/tallimer97/win.ini unless set otherwise.
    const QString &profilePath() const { return m_profilePath; }
    void setProfilePath(const QString &path) { m_profilePath = path; }

    // 0 for the tag table, which is a work table without a layout version.
    int registeredVersion(TableId id) const { return m_versions.at(index(id)); }

    bool isVerified(TableId id) const { return m_verified.at(index(id)); }
    void setVerified(TableId id) { m_verified.at(index(id)) = true; }

private:
    static constexpr std::size_t TableCount = std::size_t(TableId::TagFile) + 1;
    static std::size_t index(TableId id) { return static_cast<std::size_t>(id); }

    QString m_folder;
    MessagePresenter &m_messages;
    QString m_ownerPassword;
    QString m_profilePath;
    std::array<int, TableCount> m_versions{};
    std::array<bool, TableCount> m_verified{};
};

} // namespace store
