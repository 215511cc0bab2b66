#include "views/kit/InputLabel.h"

#include <QFormLayout>
#include <QLabel>

void labelInput(QLabel* caption, QWidget* input, const QString& description)
{
    caption->setBuddy(input);
    input->setAccessibleName(QString(caption->text()).remove(QLatin1Char('&')));
    input->setAccessibleDescription(description);
}

QLabel* addLabelledRow(QFormLayout* form, const QString& caption, QWidget* input, const QString& description, QLayout* field)
{
    auto* label = new QLabel(caption, input->parentWidget());
    labelInput(label, input, description);
    if (field)
        form->addRow(label, field);
    else
        form->addRow(label, input);
    return label;
}
