#include "views/kit/EmptyStateView.h"

#include "views/kit/TextStyles.h"
#include "views/kit/Tints.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {
constexpr int iconSize = 44;
}

EmptyStateView::EmptyStateView(const QString& title, IconPainter drawIcon, QWidget* parent)
    : QWidget(parent), drawIcon_(drawIcon), icon_(new QLabel(this)), title_(new QLabel(title, this))
{
    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    column->addWidget(icon_, 0, Qt::AlignHCenter);
    column->addWidget(title_, 0, Qt::AlignHCenter);
    column->addStretch(1);
    column->setSpacing(10);

    title_->setFont(TextStyles::title2(title_->font()));
    setAccessibleName(title);
    applyPalette();
}

QString EmptyStateView::title() const { return title_->text(); }

void EmptyStateView::setTitle(const QString& title)
{
    title_->setText(title);
    setAccessibleName(title);
}

void EmptyStateView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        applyPalette();
    QWidget::changeEvent(event);
}

void EmptyStateView::applyPalette()
{
    const QColor secondary = Tints::secondaryText(palette());
    QPalette dimmed = title_->palette();
    dimmed.setColor(QPalette::WindowText, secondary);
    title_->setPalette(dimmed);
    icon_->setPixmap(drawIcon_(secondary).pixmap(iconSize, iconSize));
}

QIcon downtrendChartIcon(const QColor& color)
{
    QPixmap pixmap(iconSize * 2, iconSize * 2); // drawn at twice the size for high-DPI screens
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixmap.width() / 24.0, pixmap.height() / 24.0);
    QPen pen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    QPainterPath axes;
    axes.moveTo(3, 3);
    axes.lineTo(3, 21);
    axes.lineTo(21, 21);
    painter.drawPath(axes);
    QPainterPath trend;
    trend.moveTo(6, 7);
    trend.lineTo(10, 12);
    trend.lineTo(13, 10);
    trend.lineTo(19, 17);
    painter.drawPath(trend);
    painter.end();
    return QIcon(pixmap);
}
