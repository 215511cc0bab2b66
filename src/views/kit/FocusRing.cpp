#include "views/kit/FocusRing.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

FocusRing::FocusRing(QObject* parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

QWidget* FocusRing::ringCarrier(QWidget* focused)
{
    if (!focused)
        return nullptr;
    // A scrolling view's viewport covers the view; the ring goes on the viewport's edge.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(focused))
        return area->viewport();
    return focused;
}

void FocusRing::follow(QWidget* now)
{
    if (carrier_)
        carrier_->update();
    carrier_ = ringCarrier(now);
    if (carrier_)
        carrier_->update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || watched != carrier_.data())
        return false;
    // The widget paints itself first (QObject::event is public), then the ring goes on top.
    watched->event(event);
    QPainter painter(carrier_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(carrier_->palette().color(QPalette::Highlight), width));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = QRectF(carrier_->rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0);
    painter.drawRoundedRect(ring, 3, 3);
    return true;
}
