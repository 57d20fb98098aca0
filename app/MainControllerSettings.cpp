#include "app/MainController.h"

#include "browse/SearchPage.h"
#include "service/VideoServiceProvider.h"
#include "settings/SettingsPage.h"

// The settings page.

void MainController::showSettingsPage()
{
    removeVirtualInputMethod();
    // A playing video closes and its download is cancelled.
    stopVideo();
    if (!mySettingsPage) {
        mySettingsPage = new SettingsPage(&myMainWindow, &myRepository, &myPageHistory);
        myMainWindow.addPage(mySettingsPage);
        mySettingsPage->setPrompt(myPrompt);
        mySettingsPage->setSortingOrders(myService ? myService->getSortBy() : CategoryMap());
        connect(mySettingsPage, &SettingsPage::authenticate, this, &MainController::authenticate);
        connect(mySettingsPage, &SettingsPage::verifyCaptcha, this, &MainController::verifyCaptcha);
        connect(mySettingsPage, &SettingsPage::disableHildonRequest, this, &MainController::removeVirtualInputMethod);
        connect(mySettingsPage, &SettingsPage::clearSearchHistoryModel, this,
                &MainController::clearSearchHistoryModel);
    }
    leaveCurrentPage();
    myMainWindow.showPage(mySettingsPage);
    mySettingsPage->focusFirstTab();
}
