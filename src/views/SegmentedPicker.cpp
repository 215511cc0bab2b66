#include "views/SegmentedPicker.h"

#include <QButtonGroup>
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
