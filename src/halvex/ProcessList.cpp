#include "ProcessList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <unistd.h>

namespace halvex {

namespace {

QString imageOf(const QString &folder)
{
    // The executable link of another user's process cannot be read; its short name can.
    const QString path = QFileInfo(folder + QStringLiteral("/exe")).symLinkTarget();
    if (!path.isEmpty())
        return path;
    QFile comm(folder + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

} // namespace

std::vector<ProcessEntry> runningProcesses()
{
    const pid_t own = getpid();
    const pid_t parent = getppid();
    std::vector<ProcessEntry> list;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const pid_t pid = pid_t(entry.toInt(&number));
        if (!number || pid <= 1 || pid == own || pid == parent)
            continue;
        const QString image = imageOf(proc.filePath(entry));
        if (!image.isEmpty())
            list.push_back({pid, image.toUpper()});
    }
    std::stable_sort(list.begin(), list.end(), [](const ProcessEntry &a, const ProcessEntry &b) {
        return a.image < b.image;
    });
    return list;
}

pid_t findProcess(const std::vector<ProcessEntry> &processes, const QString &name)
{
    QString wanted = name.toUpper();
    while (wanted.endsWith(u' '))
        wanted.chop(1);
    if (wanted.isEmpty())
        return 0;
    for (const ProcessEntry &p : processes) {
        if (p.image == wanted)
            return p.pid;
    }
    if (!std::any_of(wanted.begin(), wanted.end(), isSeparator))
        return 0;
    // A tail of the path that begins after a separator; never a part inside a longer name.
    for (const ProcessEntry &p : processes) {
        const qsizetype at = p.image.size() - wanted.size();
        if (at > 0 && p.image.endsWith(wanted) && isSeparator(p.image.at(at - 1)))
            return p.pid;
    }
    return 0;
}

} // namespace halvex
