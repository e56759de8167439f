#pragma once

#include "PrivateDisplay.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

// The user's side of a desktop: windows found by title, keys pressed on the one in front.
class Desktop final {
public:
    Desktop() : m_display(true) {}

    const PrivateDisplay &display() const { return m_display; }

    QByteArray xdotool(const QStringList &args) const
    {
        QProcess p;
        p.setProcessEnvironment(m_display.environment());
        p.start("xdotool", args);
        p.waitForFinished(10000);
        return p.readAllStandardOutput().trimmed();
    }

    // The first window whose title matches, waiting for it to appear; empty when none came.
    QString waitForWindow(const QString &title, int ms = 20000) const
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ms) {
            const QByteArray found = xdotool({"search", "--onlyvisible", "--name", title});
            if (!found.isEmpty())
                return QString::fromLatin1(found.split('\n').first());
            QTest::qWait(100);
        }
        return QString();
    }

    bool waitUntilGone(const QString &title, int ms = 20000) const
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ms) {
            if (xdotool({"search", "--onlyvisible", "--name", title}).isEmpty())
                return true;
            QTest::qWait(100);
        }
        return false;
    }

    // Brings the window to the front and waits until it has the keyboard.
    void activate(const QString &window) const
    {
        for (int attempt = 0; attempt < 50; ++attempt) {
            xdotool({"windowactivate", "--sync", window});
            if (xdotool({"getactivewindow"}) == window.toLatin1())
                return;
            QTest::qWait(100);
        }
    }

    // Clicks at a point of the window, counted from its top left corner; a negative y counts
    // from its bottom.
    void click(const QString &window, int x, int y) const
    {
        if (y < 0) {
            const QByteArray shape = xdotool({"getwindowgeometry", "--shell", window});
            for (const QByteArray &line : shape.split('\n')) {
                if (line.startsWith("HEIGHT="))
                    y += line.mid(7).toInt();
            }
        }
        xdotool({"mousemove", "--window", window, QString::number(x), QString::number(y), "click",
                 "1"});
    }

    void keys(const QStringList &keys) const
    {
        xdotool(QStringList{"key", "--delay", "60"} + keys);
    }
    void type(const QString &text) const { xdotool({"type", "--delay", "40", text}); }

private:
    PrivateDisplay m_display;
};
