#include "views/kit/HiddenOnPurpose.h"

#include <QWidget>

bool isHiddenOnPurpose(const QWidget& widget)
{
    for (const QWidget* shown = &widget; shown; shown = shown->parentWidget()) {
        if (shown->isHidden() && shown->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return true;
        if (shown->isWindow())
            break;
    }
    return false;
}
