#pragma once

#include <QList>
#include <QRect>

class RootView;

// What the window remembers between launches, in the user's settings (group "window"): its
// geometry and state, the tab shown, and the chart's window, "Adjusted" switch and value-axis
// fit. Read before the window is shown, written when it closes.
namespace WindowMemory {

void restore(RootView& window);
void save(const RootView& window);

// Whether a window at `frame` can still be reached on `screens` (their available areas): a
// part of its title strip, at least 64 by 16 pixels, lies on one of them. A geometry saved on
// a screen that is gone is not restored: the window would open out of sight.
bool reachable(const QRect& frame, const QList<QRect>& screens);

} // namespace WindowMemory
