#include "app/AppIcons.h"

#include "views/kit/DrawnIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace AppIcons {
namespace {

using DrawnIcon::themed;

void drawAxes(QPainter& painter)
{
    painter.drawLine(QPointF(4, 4), QPointF(4, 28));
    painter.drawLine(QPointF(4, 28), QPointF(28, 28));
}

} // namespace

QIcon dashboard()
{
    return themed("office-chart-line", [](QPainter& painter) {
        drawAxes(painter);
        QPainterPath trend(QPointF(8, 23));
        trend.lineTo(14, 16);
        trend.lineTo(19, 19);
        trend.lineTo(27, 8);
        painter.drawPath(trend);
        painter.drawLine(QPointF(27, 8), QPointF(21, 8));
        painter.drawLine(QPointF(27, 8), QPointF(27, 14));
    });
}

QIcon entryTable()
{
    return themed("x-office-spreadsheet", [](QPainter& painter) {
        painter.drawRoundedRect(QRectF(4, 6, 24, 20), 2.5, 2.5);
        painter.drawLine(QPointF(4, 12.5), QPointF(28, 12.5));
        painter.drawLine(QPointF(4, 19), QPointF(28, 19));
        painter.drawLine(QPointF(12, 6), QPointF(12, 26));
        painter.drawLine(QPointF(20, 6), QPointF(20, 26));
    });
}

QIcon comparison()
{
    return themed("office-chart-bar", [](QPainter& painter) {
        drawAxes(painter);
        painter.setBrush(DrawnIcon::ink());
        painter.drawRect(QRectF(9, 17, 4, 8));
        painter.drawRect(QRectF(16, 10, 4, 15));
        painter.drawRect(QRectF(23, 14, 3, 11));
    });
}

} // namespace AppIcons
