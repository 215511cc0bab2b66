#include "views/kit/TextStyles.h"

namespace {
QFont scaledBold(const QFont& body, qreal points)
{
    QFont font = body;
    font.setPointSizeF(body.pointSizeF() * points / 13);
    font.setBold(true);
    return font;
}
} // namespace

namespace TextStyles {
QFont caption(const QFont& body)
{
    QFont font = body;
    font.setPointSizeF(body.pointSizeF() * 0.85);
    return font;
}
QFont headline(const QFont& body) { return scaledBold(body, 13); }
QFont title3(const QFont& body) { return scaledBold(body, 15); }
QFont title2(const QFont& body) { return scaledBold(body, 17); }
} // namespace TextStyles
