#include "views/kit/SwitchToggle.h"

#include "views/kit/Tints.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {
constexpr int trackWidth = 32;
constexpr int trackHeight = 18;
constexpr int textGap = 8;
} // namespace

SwitchToggle::SwitchToggle(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SwitchToggle::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + textGap + trackWidth + 2, std::max(metrics.height(), trackHeight) + 4};
}

QRect SwitchToggle::trackRect() const
{
    return {width() - trackWidth - 1, (height() - trackHeight) / 2, trackWidth, trackHeight};
}

bool SwitchToggle::hitButton(const QPoint& position) const { return rect().contains(position); }

void SwitchToggle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();

    const QRect textArea(0, 0, trackRect().left() - textGap, height());
    painter.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, text());

    const QRectF track = QRectF(trackRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = track.height() / 2;
    painter.setPen(QPen(Tints::gridLine(pal), 1));
    painter.setBrush(isChecked() ? Tints::blue(pal) : Tints::gridLine(pal));
    painter.drawRoundedRect(track, radius, radius);

    const double knobDiameter = track.height() - 4;
    const double knobX = isChecked() ? track.right() - 2 - knobDiameter : track.left() + 2;
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.setBrush(QColor(Qt::white));
    painter.drawEllipse(QRectF(knobX, track.top() + 2, knobDiameter, knobDiameter));

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = trackRect().adjusted(-2, -2, 2, 2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
