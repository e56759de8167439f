#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace toolkit {

// What is moved and sized for a window: the widget itself when it is a window of its own, else
// the frame it is shown in (a child window of the main frame, or a dialog).
QWidget *placedWidget(QWidget *widget);

// Where each window keeps its position and size: POSITION.INI in the data folder, one section
// per window named after it ("Main", "ShowMessage", "BrowseSchedule", ...).
class WindowPositions final {
public:
    static constexpr const char *FileName = "POSITION.INI";

    explicit WindowPositions(const QString &folder);

    // When the window closes. A minimised window writes nothing, so it keeps the position it
    // had before; a maximised one writes its normal position and size.
    void save(QWidget *window, const QString &section) const;
    // When the window opens. Nothing is changed for a window never saved, nor a position or
    // size read as 0; a window that is not resizable keeps its own size.
    void restore(QWidget *window, const QString &section, bool resizable) const;

    // The column layout of a window's list number 1 or 2 ("?Browse:1", "?Browse:2").
    QByteArray columns(const QString &section, int list) const;
    void setColumns(const QString &section, int list, const QByteArray &state) const;

private:
    QString m_path;
};

} // namespace toolkit
