#pragma once

// Window-wide flags owned by the main window; every component reads and sets them here.
struct WindowState {
    bool DocumentOpen = false;
    bool DocumentChanged = false;
    bool EditingExistingRow = false;
    bool LastFocusInTree = false;
    bool HelpToggleInProgress = false;
};
