#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

#include <utility>

// Draws a cell's text from a cache of laid-out single-line texts. A repaint of rows that only
// moved (a new entry at the top shifts every visible row) or of an unchanged screen then
// shapes nothing anew; the stock delegate lays every cell out twice per paint. Background,
// selection and focus are left to the style as usual, and so is a text that must be elided
// or has more than one line; the rest lands where the style would put it, pixel for pixel
// (same margins, alignment and pens).
class CachedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Keeps `pixels` clear after the texts of `column` that are drawn here (not the elided
    // ones): a figure aligned right then stands clear of the next column's text.
    void setTrailingGap(int column, int pixels)
    {
        gapColumn_ = column;
        gap_ = pixels;
    }

private:
    const QStaticText& laidOut(const QString& text, const QFont& font) const;

    mutable QHash<std::pair<QFont, QString>, QStaticText> texts_;
    int gapColumn_ = -1;
    int gap_ = 0;
};
