#include "app/MainController.h"

// The settings page.

void MainController::showSettingsPage()
{
    // Start-up order aside, the settings subsystem adds here: clearing the movie
    // controllers' first-player-closed flag, closing a playing video and cancelling its
    // download, creating the SettingsPage on first use, then leaveCurrentPage(),
    // showing the page and SettingsPage::focusFirstTab.
    removeVirtualInputMethod();
}
