#include "store/ProfileFile.h"

#include "store/Log.h"

#include <QFile>
#include <QSaveFile>

namespace store {

namespace {

// Longer lines are kept as they are but never taken for sections or keys.
constexpr qsizetype LongestLine = 64 * 1024;

bool isSectionHeader(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || t.size() > LongestLine || !t.startsWith(u'[') || !t.endsWith(u']'))
        return false;
    if (name)
        *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool splitKey(const QString &line, QString *key, QString *value)
{
    if (line.size() > LongestLine)
        return false;
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0 || line.trimmed().startsWith(u';'))
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    if (value->size() >= 2 && value->startsWith(u'"') && value->endsWith(u'"'))
        *value = value->mid(1, value->size() - 2);
    return !key->isEmpty();
}

} // namespace

ProfileFile::ProfileFile(const QString &path) : m_path(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_lines = text.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

qsizetype ProfileFile::findSection(const QString &section) const
{
    QString name;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (isSectionHeader(m_lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype ProfileFile::findKey(qsizetype sectionLine, const QString &key) const
{
    QString k;
    QString v;
    for (qsizetype i = sectionLine + 1; i < m_lines.size() && !isSectionHeader(m_lines[i]); ++i) {
        if (splitKey(m_lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString ProfileFile::value(const QString &section, const QString &key,
                           const QString &defaultValue) const
{
    const qsizetype s = findSection(section);
    const qsizetype line = s < 0 ? -1 : findKey(s, key);
    if (line < 0)
        return defaultValue;
    QString k;
    QString v;
    splitKey(m_lines[line], &k, &v);
    return v;
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString entry = key + u'=' + value;
    qsizetype s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines << QString();
        m_lines << u'[' + section + u']';
        s = m_lines.size() - 1;
    }
    if (const qsizetype line = findKey(s, key); line >= 0) {
        m_lines[line] = entry;
        return;
    }
    // After the section's last key, before any blank lines that separate it from the next.
    qsizetype at = s + 1;
    while (at < m_lines.size() && !isSectionHeader(m_lines[at]))
        ++at;
    while (at > s + 1 && m_lines[at - 1].trimmed().isEmpty())
        --at;
    m_lines.insert(at, entry);
}

bool ProfileFile::save() const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcStore) << "cannot write" << m_path << file.errorString();
        return false;
    }
    for (const QString &line : m_lines)
        file.write(line.toUtf8() + '\n');
    if (!file.commit()) {
        qCWarning(lcStore) << "cannot write" << m_path << file.errorString();
        return false;
    }
    return true;
}

} // namespace store
