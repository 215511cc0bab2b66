#include "views/dashboard/StatRow.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int minimumGap = 12; // between the label and the value

// The widest digit of the font: every digit of a value gets a cell this wide.
int digitCellWidth(const QFontMetrics& metrics)
{
    int widest = 0;
    for (char16_t digit = u'0'; digit <= u'9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QChar(digit)));
    return widest;
}

// Calls `run(text, isDigit)` for each maximal run of digits or non-digits of `text`.
template <typename Visitor>
void forEachRun(const QString& text, Visitor run)
{
    qsizetype start = 0;
    while (start < text.size()) {
        const bool digits = text.at(start).isDigit();
        qsizetype end = start;
        while (end < text.size() && text.at(end).isDigit() == digits)
            ++end;
        run(text.mid(start, end - start), digits);
        start = end;
    }
}

int tabularWidth(const QString& text, const QFontMetrics& metrics)
{
    const int cell = digitCellWidth(metrics);
    int width = 0;
    forEachRun(text, [&](const QString& run, bool digits) {
        width += digits ? cell * int(run.size()) : metrics.horizontalAdvance(run);
    });
    return width;
}
} // namespace

StatRow::StatRow(const QString& label, QWidget* parent) : QWidget(parent), label_(label)
{
    // The callout text style: one point below the body text.
    QFont callout = font();
    callout.setPointSizeF(std::max(callout.pointSizeF() - 1.0, 7.0));
    setFont(callout);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(label_);
}

void StatRow::setValue(const QString& text, Tints::Role tint)
{
    const bool textChanges = text != value_;
    value_ = text;
    tint_ = tint;
    setAccessibleDescription(value_);
    if (textChanges)
        updateGeometry();
    update();
}

QColor StatRow::valueColor() const { return Tints::color(tint_, palette()); }

QFont StatRow::valueFont() const
{
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

int StatRow::valueWidth() const { return tabularWidth(value_, QFontMetrics(valueFont())); }

int StatRow::lineHeight() const
{
    return std::max(QFontMetrics(font()).height(), QFontMetrics(valueFont()).height());
}

QSize StatRow::sizeHint() const
{
    return {QFontMetrics(font()).horizontalAdvance(label_) + minimumGap + valueWidth(), lineHeight()};
}

QSize StatRow::minimumSizeHint() const
{
    // The label may be elided; the value never is.
    return {QFontMetrics(font()).horizontalAdvance(QStringLiteral("Avg…")) + minimumGap + valueWidth(), lineHeight()};
}

void StatRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics labelMetrics(font());
    const QFont boldFont = valueFont();
    const QFontMetrics valueMetrics(boldFont);
    const int baseline = (height() - lineHeight()) / 2 + std::max(labelMetrics.ascent(), valueMetrics.ascent());

    const int valueLeft = width() - valueWidth();
    const QString shownLabel = labelMetrics.elidedText(label_, Qt::ElideRight, std::max(0, valueLeft - minimumGap));
    painter.setPen(Tints::secondaryText(palette()));
    painter.drawText(QPoint(0, baseline), shownLabel);

    painter.setFont(boldFont);
    painter.setPen(valueColor());
    const int cell = digitCellWidth(valueMetrics);
    int x = valueLeft;
    forEachRun(value_, [&](const QString& run, bool digits) {
        if (!digits) {
            painter.drawText(QPoint(x, baseline), run);
            x += valueMetrics.horizontalAdvance(run);
            return;
        }
        for (QChar digit : run) {
            const int advance = valueMetrics.horizontalAdvance(digit);
            painter.drawText(QPoint(x + (cell - advance) / 2, baseline), QString(digit));
            x += cell;
        }
    });
}

void StatRow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}
