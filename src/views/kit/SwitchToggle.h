#pragma once

#include <QCheckBox>

// A check box drawn as a switch: its text on the left, a sliding knob in a rounded track on
// the right. Behaviour (checked state, toggled signal, keyboard, accessibility) is QCheckBox's.
class SwitchToggle : public QCheckBox {
    Q_OBJECT
public:
    explicit SwitchToggle(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    QRect trackRect() const;
};
