#include "views/kit/FormIcons.h"

#include "views/kit/DrawnIcon.h"

#include <QPainter>

namespace FormIcons {

QIcon calendar()
{
    return DrawnIcon::themed("x-office-calendar", [](QPainter& painter) {
        const QColor ink = DrawnIcon::ink();
        painter.drawRoundedRect(QRectF(4, 6, 24, 22), 3, 3);
        painter.fillRect(QRectF(4, 6, 24, 6), ink);
        painter.drawLine(QPointF(10, 3), QPointF(10, 8));
        painter.drawLine(QPointF(22, 3), QPointF(22, 8));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 3; ++column)
                painter.drawRect(QRectF(8 + column * 6.5, 15 + row * 6, 3.5, 3.5));
    });
}

} // namespace FormIcons
