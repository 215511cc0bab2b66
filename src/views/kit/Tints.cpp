#include "views/kit/Tints.h"

namespace {
QColor pick(const QPalette& palette, QColor onLight, QColor onDark)
{
    return Tints::isDark(palette) ? onDark : onLight;
}

QColor mixed(const QColor& a, const QColor& b, double weightOfA)
{
    const double w = weightOfA;
    return QColor::fromRgbF(float(a.redF() * w + b.redF() * (1 - w)), float(a.greenF() * w + b.greenF() * (1 - w)),
                            float(a.blueF() * w + b.blueF() * (1 - w)));
}
} // namespace

namespace Tints {
bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

QColor blue(const QPalette& palette) { return pick(palette, QColor(0x00, 0x7A, 0xFF), QColor(0x0A, 0x84, 0xFF)); }
QColor orange(const QPalette& palette) { return pick(palette, QColor(0xF0, 0x8A, 0x00), QColor(0xFF, 0x9F, 0x0A)); }
QColor green(const QPalette& palette) { return pick(palette, QColor(0x18, 0x73, 0x34), QColor(0x30, 0xD1, 0x58)); }
QColor red(const QPalette& palette) { return pick(palette, QColor(0xD7, 0x00, 0x15), QColor(0xFF, 0x69, 0x61)); }

QColor primaryText(const QPalette& palette) { return palette.color(QPalette::WindowText); }

QColor secondaryText(const QPalette& palette)
{
    return mixed(palette.color(QPalette::WindowText), palette.color(QPalette::Window), 0.62);
}

QColor gridLine(const QPalette& palette)
{
    return mixed(palette.color(QPalette::WindowText), palette.color(QPalette::Window), 0.16);
}

QColor color(Role role, const QPalette& palette)
{
    switch (role) {
    case Role::Primary: return primaryText(palette);
    case Role::Secondary: return secondaryText(palette);
    case Role::Green: return green(palette);
    case Role::Red: return red(palette);
    }
    return primaryText(palette);
}
} // namespace Tints
