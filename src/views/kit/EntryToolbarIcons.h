#pragma once

#include <QIcon>

// The entry table's toolbar symbols: freedesktop theme icons with drawn fallbacks.
namespace EntryToolbarIcons {
QIcon add();        // a plus
QIcon edit();       // a pencil
QIcon remove();     // a waste bin
QIcon exportFile(); // an arrow up out of a tray
QIcon importFile(); // an arrow down into a tray
} // namespace EntryToolbarIcons
