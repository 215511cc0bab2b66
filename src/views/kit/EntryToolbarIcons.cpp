#include "views/kit/EntryToolbarIcons.h"

#include "views/kit/DrawnIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace EntryToolbarIcons {
namespace {

using DrawnIcon::themed;

// An open tray with an arrow through its mouth, pointing up (out) or down (in).
void drawTrayArrow(QPainter& painter, bool up)
{
    QPainterPath tray(QPointF(6, 16));
    tray.lineTo(6, 27);
    tray.lineTo(26, 27);
    tray.lineTo(26, 16);
    painter.drawPath(tray);
    painter.drawLine(QPointF(16, 4), QPointF(16, 20));
    const double tip = up ? 4 : 20;
    const double back = up ? 10 : 14;
    painter.drawLine(QPointF(16, tip), QPointF(11, back));
    painter.drawLine(QPointF(16, tip), QPointF(21, back));
}

} // namespace

QIcon add()
{
    return themed("list-add", [](QPainter& painter) {
        painter.drawLine(QPointF(16, 6), QPointF(16, 26));
        painter.drawLine(QPointF(6, 16), QPointF(26, 16));
    });
}

QIcon edit()
{
    return themed("document-edit", [](QPainter& painter) {
        QPainterPath pencil(QPointF(7, 25));
        pencil.lineTo(9, 19);
        pencil.lineTo(21, 7);
        pencil.lineTo(25, 11);
        pencil.lineTo(13, 23);
        pencil.closeSubpath();
        painter.drawPath(pencil);
        painter.drawLine(QPointF(9, 19), QPointF(13, 23));
    });
}

QIcon remove()
{
    return themed("edit-delete", [](QPainter& painter) {
        painter.drawLine(QPointF(6, 9), QPointF(26, 9));
        painter.drawLine(QPointF(13, 9), QPointF(13, 5));
        painter.drawLine(QPointF(13, 5), QPointF(19, 5));
        painter.drawLine(QPointF(19, 5), QPointF(19, 9));
        QPainterPath bin(QPointF(9, 9));
        bin.lineTo(10.5, 27);
        bin.lineTo(21.5, 27);
        bin.lineTo(23, 9);
        painter.drawPath(bin);
        painter.drawLine(QPointF(14, 13), QPointF(14, 23));
        painter.drawLine(QPointF(18, 13), QPointF(18, 23));
    });
}

QIcon exportFile()
{
    return themed("document-export", [](QPainter& painter) { drawTrayArrow(painter, true); });
}

QIcon importFile()
{
    return themed("document-import", [](QPainter& painter) { drawTrayArrow(painter, false); });
}

} // namespace EntryToolbarIcons
