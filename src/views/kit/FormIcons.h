#pragma once

#include <QIcon>

// The entry form's symbols: freedesktop theme icons with drawn fallbacks.
namespace FormIcons {
QIcon calendar(); // a page of a calendar
} // namespace FormIcons
