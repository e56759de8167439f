#include "store/EventLog.h"

#include "store/Clock.h"
#include "store/Dates.h"
#include "store/FileNames.h"
#include "store/Log.h"
#include "store/MessagePresenter.h"
#include "store/Pictures.h"
#include "store/Settings.h"
#include "store/Store.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace store {

namespace {

constexpr int DateWidth = 10;
constexpr int TimeWidth = 10;
constexpr int LabelWidth = 30;
constexpr int DataWidth = 50;

EventLog *installed = nullptr;

// A field never breaks its line: control characters become blanks.
QString field(QString text, int width)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text.left(width).leftJustified(width, u' ');
}

} // namespace

EventLog::EventLog(Store &store, const Clock &clock) : m_store(store), m_clock(clock) {}

EventLog::~EventLog()
{
    if (installed == this)
        installed = nullptr;
}

QString EventLog::line(const QString &date, const QString &time, const QString &label,
                       const QString &data)
{
    return field(date, DateWidth) + field(time, TimeWidth) + field(label, LabelWidth) +
           field(data, DataWidth);
}

bool EventLog::open()
{
    const QString path = resolveFileName(m_store.folder(), QLatin1String(FileName));
    const bool existed = QFileInfo::exists(path);
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0 &&
        m_file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle))
        return true;
    const int err = errno;
    if (fd >= 0)
        ::close(fd);
    MessageArgs args;
    args.error = StoreError::engine(QString::fromLocal8Bit(strerror(err)), err);
    args.file = QLatin1String(FileName);
    m_store.messages().show(existed ? 30 : 4, args);
    return false;
}

void EventLog::add(const QString &label, const QString &data)
{
    if (!settings().logEvents)
        return;
    if (m_writes == 0 && !open())
        return;
    ++m_writes;
    const QDateTime now = m_clock.now();
    const QString text = line(FormatDate(dates::dayNumber(now.date())),
                              pictures::shortTime(dates::timeValue(now.time())), label, data);
    if (m_file.write(text.toUtf8() + "\r\n") < 0 || !m_file.flush())
        qCWarning(lcStore) << "cannot append to the event log:" << m_file.errorString();
    if (m_writes >= WritesPerOpen) {
        m_file.close();
        m_writes = 0;
    }
}

void installEventLog(EventLog *log)
{
    installed = log;
}

void AddLog(const QString &label, const QString &data)
{
    if (installed)
        installed->add(label, data);
}

} // namespace store
