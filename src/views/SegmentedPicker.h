#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;

// A segmented control: a row of exclusive, joined tool buttons, exactly one of them checked.
class SegmentedPicker : public QWidget {
    Q_OBJECT
public:
    // `accessibleLabel` names the control for assistive technology; it is not shown.
    SegmentedPicker(const QStringList& segments, const QString& accessibleLabel, QWidget* parent = nullptr);

    int currentIndex() const;
    void setCurrentIndex(int index);

Q_SIGNALS:
    void currentIndexChanged(int index);

private:
    QButtonGroup* group_;
};
