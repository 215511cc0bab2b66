#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;

// A segmented control: a row of exclusive, joined tool buttons, exactly one of them checked.
// The segments are drawn from the palette (the checked one in the accent blue), so that the
// selection reads clearly in light and dark palettes whatever the widget style.
class SegmentedPicker : public QWidget {
    Q_OBJECT
public:
    // `accessibleLabel` names the control for assistive technology; it is not shown.
    SegmentedPicker(const QStringList& segments, const QString& accessibleLabel, QWidget* parent = nullptr);

    int currentIndex() const;
    void setCurrentIndex(int index);

Q_SIGNALS:
    void currentIndexChanged(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyPalette();

    QButtonGroup* group_;
};
