#pragma once

// The two actions offered to the desktop outside the window (add an entry, read the
// portfolio summary) and their phrases.
struct CorvantaShortcuts {
    // Refreshes what the desktop knows about the actions' parameters. Called once at
    // start-up, after the seed import and before the window opens.
    static void updateAppShortcutParameters();
};
