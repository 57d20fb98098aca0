#include "app/MainController.h"

// The settings page.

void MainController::showSettingsPage()
{
    // Start-up order aside, the settings subsystem adds here: clearing the movie
    // controllers' first-player-closed flag, creating the SettingsPage on first use,
    // then leaveCurrentPage(), showing the page and SettingsPage::focusFirstTab.
    removeVirtualInputMethod();
    // A playing video closes and its download is cancelled.
    stopVideo();
}
