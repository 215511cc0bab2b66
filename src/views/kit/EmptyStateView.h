#pragma once

#include <QWidget>

class QLabel;

// What stands in for content that has nothing to show: an icon above a title, centred in all
// the space it is given, both in the dimmed text colour.
class EmptyStateView : public QWidget {
    Q_OBJECT
public:
    // `drawIcon` paints the symbol in a given colour; it is called again when the palette changes.
    using IconPainter = QIcon (*)(const QColor& color);
    EmptyStateView(const QString& title, IconPainter drawIcon, QWidget* parent = nullptr);

    QString title() const;
    void setTitle(const QString& title);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyPalette();

    IconPainter drawIcon_;
    QLabel* icon_;
    QLabel* title_;
};

// A descending line over x/y axes (no freedesktop icon name stands for a falling chart).
QIcon downtrendChartIcon(const QColor& color);
