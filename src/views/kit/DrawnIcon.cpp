#include "views/kit/DrawnIcon.h"

#include <QPainter>
#include <QPixmap>

namespace DrawnIcon {

QColor ink() { return QColor(0x3B, 0x6E, 0xA8); }

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink(), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter);
    return QIcon(pixmap);
}

QIcon themed(const char* name, const std::function<void(QPainter&)>& draw)
{
    return QIcon::fromTheme(QLatin1String(name), drawn(draw));
}

} // namespace DrawnIcon
