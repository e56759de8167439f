#pragma once

#include <QString>
#include <QStringList>

namespace store {

// A settings file of [Section] headers and Key=Value lines, read and written the way the
// program's settings files always were: sections and keys without regard to case, a missing
// file or key read as the default, a write replacing one value and keeping every other line
// (comments and lines it cannot make sense of included) as it was.
class ProfileFile final {
public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit ProfileFile(const QString &path);

    const QString &path() const { return m_path; }
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    // Writes the file whole, or not at all; false when it cannot be written.
    bool save() const;

private:
    qsizetype findSection(const QString &section) const;
    qsizetype findKey(qsizetype sectionLine, const QString &key) const;

    QString m_path;
    QStringList m_lines;
};

} // namespace store
