#pragma once

#include <QIcon>

#include <functional>

class QPainter;

// Symbols for desktops whose icon theme lacks a name: the theme's icon when it has one,
// otherwise a 32-pixel picture drawn by `draw` with a 2.5-pixel round pen of the accent
// colour (a mid blue that reads on light and dark backgrounds alike).
namespace DrawnIcon {
QColor ink();
QIcon drawn(const std::function<void(QPainter&)>& draw);
QIcon themed(const char* name, const std::function<void(QPainter&)>& draw);
} // namespace DrawnIcon
