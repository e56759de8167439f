#include "schedule_ui/TaskLook.h"

#include "store/Record.h"
#include "store/tables/Schedule.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

namespace schedule_ui {

namespace SCH = store::SCH;

namespace {

QPixmap drawState(TaskState state, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const qreal pen = std::max(1.5, s / 8);
    switch (state) {
    case TaskState::Done: {
        p.setPen(QPen(QColor(30, 140, 60), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(s * 0.18, s * 0.52);
        tick.lineTo(s * 0.42, s * 0.76);
        tick.lineTo(s * 0.84, s * 0.24);
        p.drawPath(tick);
        break;
    }
    case TaskState::SkipNext: {
        // Two arrowheads and a bar: pass over the next one.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 80, 200));
        for (qreal x : {0.12, 0.42}) {
            QPolygonF head;
            head << QPointF(s * x, s * 0.22) << QPointF(s * (x + 0.32), s * 0.5)
                 << QPointF(s * x, s * 0.78);
            p.drawPolygon(head);
        }
        p.drawRect(QRectF(s * 0.76, s * 0.22, s * 0.1, s * 0.56));
        break;
    }
    case TaskState::Disabled: {
        p.setPen(QPen(QColor(128, 128, 128), pen));
        p.setBrush(Qt::NoBrush);
        const QRectF ring(s * 0.16, s * 0.16, s * 0.68, s * 0.68);
        p.drawEllipse(ring);
        p.drawLine(QPointF(s * 0.28, s * 0.72), QPointF(s * 0.72, s * 0.28));
        break;
    }
    case TaskState::Scheduled: {
        // A small clock face.
        p.setPen(QPen(QColor(40, 60, 110), std::max(1.0, s / 12)));
        p.setBrush(QColor(250, 246, 230));
        const QPointF centre(s / 2, s / 2);
        p.drawEllipse(centre, s * 0.38, s * 0.38);
        p.drawLine(centre, centre + QPointF(0, -s * 0.26));
        p.drawLine(centre, centre + QPointF(s * 0.2, 0));
        break;
    }
    }
    return pixmap;
}

} // namespace

TaskState taskState(const store::Record &task)
{
    if (task.number(SCH::COMPLETED) == 1)
        return TaskState::Done;
    if (task.number(SCH::SkipNextTime) == 1)
        return TaskState::SkipNext;
    if (task.number(SCH::Disabled) != 0)
        return TaskState::Disabled;
    return TaskState::Scheduled;
}

QIcon stateIcon(TaskState state)
{
    static std::map<TaskState, QIcon> icons;
    QIcon &icon = icons[state];
    if (icon.isNull()) {
        for (int size : {16, 24, 32})
            icon.addPixmap(drawState(state, size));
    }
    return icon;
}

QString stateText(TaskState state)
{
    switch (state) {
    case TaskState::Done:
        return QStringLiteral("Performed (history)");
    case TaskState::SkipNext:
        return QStringLiteral("The next occurrence will be skipped");
    case TaskState::Disabled:
        return QStringLiteral("Disabled");
    case TaskState::Scheduled:
        return QStringLiteral("Scheduled");
    }
    return QString();
}

QColor dateColour(const store::Record &task)
{
    if (task.number(SCH::Disabled) != 0)
        return QColor(128, 128, 128);
    if (task.number(SCH::SkipNextTime) != 0)
        return QColor(Qt::blue);
    return QColor();
}

} // namespace schedule_ui
