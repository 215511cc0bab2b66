#include "views/kit/DigitFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

QFont equalWidthDigitFont()
{
    const QFont base = QGuiApplication::font();
    const QFontMetrics metrics(base);
    const int zero = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) != zero) {
            QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            fixed.setPointSizeF(base.pointSizeF());
            return fixed;
        }
    return base;
}
