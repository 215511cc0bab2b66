#pragma once

#include <QColor>
#include <QPalette>

// The dashboard's named colours, resolved against a palette so that they stay readable on a
// light and on a dark window: light windows get the deeper variants (text on white needs the
// contrast), dark windows the brighter ones. Text tints keep 4.5:1 against the window and
// base colours of both palettes.
namespace Tints {
enum class Role { Primary, Secondary, Green, Red };

bool isDark(const QPalette& palette);

QColor blue(const QPalette& palette);
QColor orange(const QPalette& palette);
QColor green(const QPalette& palette);
QColor red(const QPalette& palette);
QColor primaryText(const QPalette& palette);
QColor secondaryText(const QPalette& palette); // dimmed: labels beside the figures
QColor gridLine(const QPalette& palette);

QColor color(Role role, const QPalette& palette);
} // namespace Tints
