#include "views/kit/SegmentedPicker.h"

#include "views/kit/Tints.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QToolButton>

SegmentedPicker::SegmentedPicker(const QStringList& segments, const QString& accessibleLabel, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this))
{
    setAccessibleName(accessibleLabel);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    group_->setExclusive(true);
    for (int i = 0; i < segments.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setText(segments.at(i));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        button->setFocusPolicy(Qt::TabFocus);
        group_->addButton(button, i);
        row->addWidget(button);
    }
    if (!segments.isEmpty())
        group_->button(0)->setChecked(true);
    applyPalette();
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Q_EMIT currentIndexChanged(id);
    });
}

int SegmentedPicker::currentIndex() const { return group_->checkedId(); }

void SegmentedPicker::setCurrentIndex(int index)
{
    if (QAbstractButton* button = group_->button(index))
        button->setChecked(true);
}

void SegmentedPicker::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        applyPalette();
    QWidget::changeEvent(event);
}

void SegmentedPicker::applyPalette()
{
    const QPalette& pal = palette();
    const QString common =
        QStringLiteral("QToolButton { border: 1px solid %1; border-left-width: 0; background: %2; color: %3;"
                       " padding: 3px 10px; margin: 0; %4 }"
                       " QToolButton:checked { background: %5; color: white; border-color: %5; }"
                       " QToolButton:focus { border-color: %5; }")
            .arg(Tints::gridLine(pal).darker(Tints::isDark(pal) ? 60 : 130).name(), pal.color(QPalette::Button).name(),
                 pal.color(QPalette::ButtonText).name());
    const QList<QAbstractButton*> buttons = group_->buttons();
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QString ends;
        if (i == 0)
            ends += QStringLiteral("border-left-width: 1px; border-top-left-radius: 5px; border-bottom-left-radius: 5px;");
        if (i == buttons.size() - 1)
            ends += QStringLiteral("border-top-right-radius: 5px; border-bottom-right-radius: 5px;");
        buttons.at(i)->setStyleSheet(common.arg(ends, Tints::blue(pal).name()));
    }
}
