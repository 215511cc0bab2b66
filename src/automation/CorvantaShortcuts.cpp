#include "automation/CorvantaShortcuts.h"

void CorvantaShortcuts::updateAppShortcutParameters()
{
    // The desktop entry's actions take no parameters that depend on the store, so there is
    // nothing to refresh yet; start-up keeps the call so that its place in the order holds.
}
