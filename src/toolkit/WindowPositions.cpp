#include "toolkit/WindowPositions.h"

#include "store/FileNames.h"
#include "store/ProfileFile.h"

#include <QWidget>

namespace toolkit {

namespace {

const QString XPosit = QStringLiteral("XPosit");
const QString YPosit = QStringLiteral("YPosit");
const QString Width = QStringLiteral("Width");
const QString Height = QStringLiteral("Height");
const QString Maximize = QStringLiteral("Maximize");

QString columnsKey(int list)
{
    return QStringLiteral("?Browse:%1").arg(list);
}

// The window's normal geometry. A top-level window knows it even while maximised; a child
// window of the frame has to be taken out of the maximised state first.
QRect normalGeometry(QWidget *window)
{
    if (window->isWindow())
        return window->isMaximized() ? window->normalGeometry() : window->geometry();
    if (window->isMaximized())
        window->showNormal();
    return window->geometry();
}

} // namespace

QWidget *placedWidget(QWidget *widget)
{
    return widget->isWindow() || !widget->parentWidget() ? widget : widget->parentWidget();
}

WindowPositions::WindowPositions(const QString &folder)
    : m_path(store::resolveFileName(folder, QLatin1String(FileName)))
{}

void WindowPositions::save(QWidget *window, const QString &section) const
{
    if (window->isMinimized())
        return;
    store::ProfileFile file(m_path);
    file.setValue(section, Maximize,
                  window->isMaximized() ? QStringLiteral("Yes") : QStringLiteral("No"));
    const QRect g = normalGeometry(window);
    file.setValue(section, XPosit, QString::number(g.x()));
    file.setValue(section, YPosit, QString::number(g.y()));
    file.setValue(section, Width, QString::number(g.width()));
    file.setValue(section, Height, QString::number(g.height()));
    file.save();
}

void WindowPositions::restore(QWidget *window, const QString &section, bool resizable) const
{
    const store::ProfileFile file(m_path);
    const int x = file.value(section, XPosit).toInt();
    if (x == 0)
        return;
    if (!window->isMaximized()) {
        const int y = file.value(section, YPosit).toInt();
        const int w = resizable ? file.value(section, Width).toInt() : window->width();
        const int h = resizable ? file.value(section, Height).toInt() : window->height();
        if (y != 0 && w != 0 && h != 0)
            window->setGeometry(x, y, w, h);
    }
    const bool maximized =
        file.value(section, Maximize).compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0;
    window->setWindowState(maximized ? window->windowState() | Qt::WindowMaximized
                                     : window->windowState() & ~Qt::WindowMaximized);
}

QByteArray WindowPositions::columns(const QString &section, int list) const
{
    return QByteArray::fromBase64(
        store::ProfileFile(m_path).value(section, columnsKey(list)).toLatin1());
}

void WindowPositions::setColumns(const QString &section, int list, const QByteArray &state) const
{
    store::ProfileFile file(m_path);
    file.setValue(section, columnsKey(list), QString::fromLatin1(state.toBase64()));
    file.save();
}

} // namespace toolkit
