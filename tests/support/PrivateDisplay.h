#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QThread>

#include <memory>

// An X display of the test's own (Xvfb), with or without a window manager (openbox), so tests
// of other programs' windows neither disturb nor are disturbed by other tests.
class PrivateDisplay final {
public:
    explicit PrivateDisplay(bool withWindowManager)
    {
        // Xvfb picks a free display itself and says which once it accepts connections, so
        // tests running side by side never race for one.
        m_server.start("Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        m_server.waitForStarted();
        QByteArray number;
        while (!number.contains('\n') && m_server.waitForReadyRead(10000))
            number += m_server.readAllStandardOutput();
        m_name = ":" + QString::fromLatin1(number.trimmed());
        if (withWindowManager) {
            m_manager.setProcessEnvironment(environment());
            m_manager.start("openbox", {});
            m_manager.waitForStarted();
            // Ready once it has announced itself on the root window.
            for (int i = 0; i < 300; ++i) {
                QProcess check;
                check.setProcessEnvironment(environment());
                check.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
                check.waitForFinished();
                if (check.readAll().contains("window id"))
                    break;
                QThread::msleep(20);
            }
        }
    }
    ~PrivateDisplay()
    {
        for (QProcess *p : {&m_manager, &m_server}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                p->waitForFinished(3000);
            }
        }
    }

    const QString &name() const { return m_name; }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_name);
        return env;
    }

private:
    QString m_name;
    QProcess m_server;
    QProcess m_manager;
};

// A test window (tests/platform/test_window) shown on a display.
class ShownWindow final {
public:
    ShownWindow(const PrivateDisplay &display, const QString &title, bool hidden = false)
    {
        m_process.setProcessEnvironment(display.environment());
        QStringList args{title};
        if (hidden)
            args << "--hidden";
        m_process.start(TEST_WINDOW, args);
        for (int i = 0; i < 1000 && m_id == 0; ++i) {
            m_process.waitForReadyRead(20);
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                m_said << line;
                if (line.startsWith("ready "))
                    m_id = line.mid(6).toULong();
            }
        }
    }
    ~ShownWindow()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    unsigned long id() const { return m_id; }
    // Whether it has said a line starting so (waiting a while for it).
    bool said(const QByteArray &start, int waitMs = 10000)
    {
        for (int waited = 0;; waited += 20) {
            while (m_process.canReadLine())
                m_said << m_process.readLine().trimmed();
            for (const QByteArray &l : m_said) {
                if (l.startsWith(start))
                    return true;
            }
            if (waited >= waitMs)
                return false;
            m_process.waitForReadyRead(20);
        }
    }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    unsigned long m_id = 0;
    QList<QByteArray> m_said;
};
