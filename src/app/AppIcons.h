#pragma once

#include <QIcon>

// The tab symbols: the desktop theme's icon where the theme has one, otherwise a drawn one,
// so that the tabs never show a blank.
namespace AppIcons {
QIcon dashboard();  // a rising line chart
QIcon entryTable(); // a grid of cells
QIcon comparison(); // a bar chart over an axis
} // namespace AppIcons
