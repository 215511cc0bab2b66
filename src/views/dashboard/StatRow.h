#pragma once

#include "views/kit/Tints.h"

#include <QString>
#include <QWidget>

// One figure of the statistics panel: a dimmed label on the left and the value on the right,
// bold, in its tint, both on one text baseline. Digits of the value are set in cells of equal
// width (tabular figures) so that figures of neighbouring rows line up whatever the font's own
// digit widths are; Qt 6.4 has no API to request the font's tabular-figures feature.
class StatRow : public QWidget {
    Q_OBJECT
public:
    explicit StatRow(const QString& label, QWidget* parent = nullptr);

    void setValue(const QString& text, Tints::Role tint);

    QString label() const { return label_; }
    QString value() const { return value_; }
    Tints::Role tint() const { return tint_; }
    QColor valueColor() const; // the tint resolved against the current palette

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QFont valueFont() const;
    int valueWidth() const;
    int lineHeight() const;

    QString label_;
    QString value_;
    Tints::Role tint_ = Tints::Role::Primary;
};
