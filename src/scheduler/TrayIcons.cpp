#include "scheduler/TrayIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QtMath>

namespace scheduler {

QIcon clockIcon(int frame, bool sendingKeys)
{
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal r = size / 2.0 - 1;
        const QPointF centre(size / 2.0, size / 2.0);
        p.setPen(QPen(QColor(40, 60, 110), std::max(1.0, size / 16.0)));
        p.setBrush(QColor(250, 246, 230));
        p.drawEllipse(centre, r, r);
        p.setPen(QPen(QColor(40, 40, 40), std::max(1.0, size / 12.0), Qt::SolidLine, Qt::RoundCap));
        auto hand = [&](qreal degrees, qreal length) {
            const qreal a = qDegreesToRadians(degrees - 90);
            p.drawLine(centre, centre + QPointF(qCos(a), qSin(a)) * r * length);
        };
        hand(300, 0.5); // the hour hand at ten
        if (sendingKeys)
            p.setPen(
                QPen(QColor(200, 30, 30), std::max(1.0, size / 12.0), Qt::SolidLine, Qt::RoundCap));
        hand(frame * 90.0, 0.8); // the minute hand turns a quarter each frame
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace scheduler
