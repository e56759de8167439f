#pragma once

#include <QFile>
#include <QString>

namespace store {

class Clock;
class Store;

// The usage log TL97Evnt.LOG in the data folder: one line per event of 100 characters (date,
// time, label, data, each cut and padded to its width) ended by CR LF. Nothing is written, and
// no file made, while the LogEvents setting is off. The file stays open between writes and is
// closed after every 101st, so other programs see a complete file at least that often.
class EventLog final {
public:
    static constexpr const char *FileName = "TL97Evnt.LOG";
    static constexpr int WritesPerOpen = 101;

    EventLog(Store &store, const Clock &clock);
    ~EventLog();
    EventLog(const EventLog &) = delete;
    EventLog &operator=(const EventLog &) = delete;

    // A file that cannot be created or opened ends the program with its message.
    void add(const QString &label, const QString &data);

    bool isOpen() const { return m_file.isOpen(); }
    // The line written for an event, without its line end.
    static QString line(const QString &date, const QString &time, const QString &label,
                        const QString &data);

private:
    bool open();

    Store &m_store;
    const Clock &m_clock;
    QFile m_file;
    int m_writes = 0;
};

// The program's log, which AddLog writes to; nullptr for none.
void installEventLog(EventLog *log);
// Logs an event when logging is on; every part of the program calls it unconditionally.
void AddLog(const QString &label, const QString &data);

} // namespace store
