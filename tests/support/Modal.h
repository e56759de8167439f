#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next modal window (a form, a picker, a menu) as soon as it is up; the action
// must close it. Lets a test drive windows that run their own event loop.
inline void onNextModal(QObject *context, std::function<void(QWidget *)> act)
{
    QTimer::singleShot(10, context, [context, act] {
        QWidget *w = QApplication::activePopupWidget();
        if (!w)
            w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) {
            onNextModal(context, act);
            return;
        }
        act(w);
    });
}
