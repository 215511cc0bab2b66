#include "views/dashboard/ChartReadout.h"

#include "analytics/Fmt.h"
#include "services/DisplayText.h"
#include "views/dashboard/BalanceChart.h"
#include "views/kit/Tints.h"

#include <QChartView>
#include <QGraphicsLineItem>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {
QString cents(double value)
{
    return QString::fromStdString(Fmt::currencyCents(value).value_or(std::string(Fmt::currencyCentsFallback)));
}
} // namespace

ChartReadout::ChartReadout(QChartView& view, BalanceChart& chart) : QObject(&view), view_(view), chart_(chart)
{
    guide_ = new QGraphicsLineItem;
    guide_->setZValue(100);
    guide_->hide();
    if (chart_.scene()) // the scene owns the guide from here on
        chart_.scene()->addItem(guide_);
    tip_ = new QLabel(&view_);
    tip_->setObjectName(QStringLiteral("chartReadout"));
    tip_->setAttribute(Qt::WA_TransparentForMouseEvents);
    tip_->setAutoFillBackground(true);
    tip_->setBackgroundRole(QPalette::ToolTipBase);
    tip_->setForegroundRole(QPalette::ToolTipText);
    tip_->setFrameShape(QFrame::StyledPanel);
    tip_->setMargin(6);
    tip_->hide();
    view_.setMouseTracking(true);
    view_.viewport()->setMouseTracking(true);
    view_.viewport()->installEventFilter(this);
    view_.installEventFilter(this);
}

ChartReadout::~ChartReadout() = default;

void ChartReadout::setPoints(std::vector<BalancePoint> points)
{
    points_ = std::move(points);
    hide();
}

int ChartReadout::nearest(const std::vector<BalancePoint>& points, double msecs)
{
    const auto after = std::lower_bound(points.begin(), points.end(), msecs,
                                        [](const BalancePoint& p, double x) { return double(millisecondsOf(p.date)) < x; });
    if (after == points.begin())
        return 0;
    if (after == points.end())
        return int(points.size()) - 1;
    const auto before = after - 1;
    const double toBefore = msecs - double(millisecondsOf(before->date));
    const double toAfter = double(millisecondsOf(after->date)) - msecs;
    return int((toAfter < toBefore ? after : before) - points.begin());
}

QString ChartReadout::readoutText(const BalancePoint& point, const QString& note)
{
    QStringList lines{DisplayText::date(point.date), tr("Balance: %1").arg(cents(point.balance)),
                      tr("Investment-only: %1").arg(cents(point.adjusted))};
    if (!note.trimmed().isEmpty())
        lines << note.trimmed();
    return lines.join(QLatin1Char('\n'));
}

QString ChartReadout::text() const { return tip_ && tip_->isVisible() ? tip_->text() : QString(); }

void ChartReadout::showAt(int index)
{
    if (points_.empty())
        return;
    shown_ = std::clamp(index, 0, int(points_.size()) - 1);
    const BalancePoint& point = points_[std::size_t(*shown_)];
    tip_->setText(readoutText(point, notes_ ? notes_(point) : QString()));
    view_.setAccessibleDescription(tip_->text());
    place();
}

void ChartReadout::hide()
{
    shown_.reset();
    guide_->hide();
    tip_->hide();
}

void ChartReadout::place()
{
    if (!shown_)
        return;
    if (!guide_->scene() && chart_.scene())
        chart_.scene()->addItem(guide_);
    const BalancePoint& point = points_[std::size_t(*shown_)];
    const QRectF area = chart_.plotArea();
    const double x = chart_.mapToPosition(QPointF(double(millisecondsOf(point.date)), point.balance)).x();
    guide_->setPen(QPen(Tints::secondaryText(view_.palette()), 1, Qt::DashLine));
    guide_->setLine(x, area.top(), x, area.bottom());
    guide_->show();

    tip_->adjustSize();
    const QPoint at = view_.mapFromScene(QPointF(x, area.top()));
    int left = at.x() + 12;
    if (left + tip_->width() > view_.width())
        left = at.x() - 12 - tip_->width(); // flip to the left near the right edge
    tip_->move(std::max(0, left), std::max(0, at.y()));
    tip_->show();
    tip_->raise();
}

bool ChartReadout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_.viewport()) {
        if (event->type() == QEvent::MouseMove && !points_.empty()) {
            const QPointF scenePosition = view_.mapToScene(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (chart_.plotArea().contains(scenePosition))
                showAt(nearest(points_, chart_.mapToValue(scenePosition).x()));
            else
                hide();
        } else if (event->type() == QEvent::Leave) {
            hide();
        }
        return false;
    }
    if (event->type() == QEvent::Resize) {
        place();
        return false;
    }
    if (event->type() != QEvent::KeyPress || points_.empty())
        return false;
    const int last = int(points_.size()) - 1;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left: showAt(shown_ ? *shown_ - 1 : last); return true;
    case Qt::Key_Right: showAt(shown_ ? *shown_ + 1 : 0); return true;
    case Qt::Key_Home: showAt(0); return true;
    case Qt::Key_End: showAt(last); return true;
    case Qt::Key_Escape:
        if (!shown_)
            return false;
        hide();
        return true;
    default: return false;
    }
}
