#include "views/kit/CachedTextDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <cmath>

namespace {

// Texts kept: many screens of cells; the cache starts afresh beyond it.
constexpr qsizetype keptTexts = 8192;

bool isOneLine(const QString& text)
{
    for (const QChar c : text)
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    return true;
}

// The pen the style's item view draws text with.
QColor textColour(const QStyleOptionViewItem& option)
{
    QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
        group = QPalette::Inactive;
    return option.palette.color(group, option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
}

// Where a text of `size` starts in `area`, as the style aligns a laid-out line: horizontally
// to the fraction of a pixel, vertically to whole pixels of its rounded-up height.
QPointF textOrigin(const QRect& area, QSizeF size, Qt::Alignment alignment)
{
    qreal x = area.left();
    if (alignment & Qt::AlignRight)
        x = area.left() + area.width() - size.width();
    else if (alignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - size.width()) / 2;
    const int height = int(std::ceil(size.height()));
    int y = area.top();
    if (alignment & Qt::AlignBottom)
        y = area.top() + area.height() - height;
    else if (alignment & Qt::AlignVCenter)
        y = area.top() + (area.height() - height) / 2;
    return {x, qreal(y)};
}

} // namespace

void CachedTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& base, const QModelIndex& index) const
{
    QStyleOptionViewItem option = base;
    initStyleOption(&option, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // The style's text rectangle (the whole cell when there is no icon or check box: asking
    // the style would measure the text) less the margin its text drawing keeps.
    const bool textOnly = !(option.features & (QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasCheckIndicator));
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int trailing = index.column() == gapColumn_ ? gap_ : 0;
    const QRect area = (textOnly ? option.rect : style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget))
                           .adjusted(margin, 0, -margin - trailing, 0);
    const QStaticText* shown = option.text.isEmpty() || (option.features & QStyleOptionViewItem::WrapText) || !isOneLine(option.text)
                                   ? nullptr
                                   : &laidOut(option.text, option.font);
    if (!shown || shown->size().width() > area.width()) { // elision follows the paragraph's direction: the style's job
        QStyledItemDelegate::paint(painter, base, index);
        return;
    }
    option.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &option, painter, widget);

    painter->save();
    painter->setClipRect(option.rect, Qt::IntersectClip);
    painter->setFont(option.font);
    painter->setPen(textColour(option));
    painter->drawStaticText(textOrigin(area, shown->size(), QStyle::visualAlignment(option.direction, option.displayAlignment)), *shown);
    painter->restore();
}

const QStaticText& CachedTextDelegate::laidOut(const QString& text, const QFont& font) const
{
    const std::pair key(font, text);
    if (auto found = texts_.constFind(key); found != texts_.cend())
        return *found;
    if (texts_.size() >= keptTexts)
        texts_.clear();
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    return *texts_.insert(key, laid);
}
