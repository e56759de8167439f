#include "store/Store.h"

#include "store/FileNames.h"
#include "store/Tables.h"

#include <QStandardPaths>

namespace store {

Store::Store(const QString &folder, MessagePresenter &messages, const QString &ownerPassword)
    : m_folder(folder), m_messages(messages), m_ownerPassword(ownerPassword)
{
    m_profilePath = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    QStringLiteral("/tallimer97/win.ini");
    for (const TableDef *def : registeredTables())
        m_versions.at(index(def->id)) = def->version;
}

QString Store::defaultOwnerPassword()
{
    return QStringLiteral("wnpa8@rte");
}

QString Store::pathOf(File file) const
{
    return resolveFileName(m_folder,
                           QLatin1String(file == File::Tags ? TagFileName : DatabaseFileName));
}

QString Store::settingsPath() const
{
    return resolveFileName(m_folder, QLatin1String(SettingsFileName));
}

} // namespace store
