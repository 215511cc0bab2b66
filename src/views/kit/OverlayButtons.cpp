#include "views/kit/OverlayButtons.h"

#include "views/kit/ModalOverlay.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(OverlayButtons)
};
} // namespace

OverlayButtons makeOverlayButtons(QWidget* parent, const QString& acceptText, const QString& acceptName)
{
    OverlayButtons buttons;
    buttons.layout = new QHBoxLayout;
    buttons.layout->setContentsMargins(0, 0, 0, 0);
    buttons.cancel = new QPushButton(Words::tr("Cancel"), parent);
    buttons.cancel->setObjectName(QStringLiteral("cancelButton"));
    buttons.cancel->setAutoDefault(false);
    ModalOverlay::setCancelButton(buttons.cancel);
    buttons.accept = new QPushButton(acceptText, parent);
    buttons.accept->setObjectName(acceptName);
    buttons.accept->setDefault(true);
    buttons.layout->addWidget(buttons.cancel);
    buttons.layout->addStretch(1);
    buttons.layout->addWidget(buttons.accept);
    return buttons;
}
