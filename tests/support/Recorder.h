#pragma once

#include <QFile>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// What the recorder program (tests/platform/argv_recorder) wrote when it was started.
struct Recorded {
    QString folder;
    int nice = 0;
    QStringList arguments;
};

// Points the recorder at a file of a temporary folder and reads back what it wrote.
class Recorder final {
public:
    Recorder() { qputenv("TL97_RECORD", QFile::encodeName(path())); }
    ~Recorder() { qunsetenv("TL97_RECORD"); }

    QString path() const { return m_dir.filePath("record.txt"); }
    bool started() const { return QFile::exists(path()); }
    void clear() const { QFile::remove(path()); }

    Recorded read() const
    {
        Recorded r;
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly))
            return r;
        for (const QByteArray &raw : f.readAll().split('\n')) {
            const QString line = QString::fromLocal8Bit(raw);
            if (line.startsWith("cwd="))
                r.folder = line.mid(4);
            else if (line.startsWith("nice="))
                r.nice = line.mid(5).toInt();
            else if (line.startsWith("arg="))
                r.arguments << line.mid(4);
        }
        return r;
    }

private:
    QTemporaryDir m_dir;
};
