#include "app/MainController.h"

#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "browse/SearchPage.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"

// Browsing: the standard feeds, searches and an author's uploads on the result page,
// the search page and the favourites page.

void MainController::feedRequest(int type)
{
    // The home view has recorded itself in the page history.
    ResultPage* page = myResultController->getResultPage();
    myResultController->feedRequest(type, page->timeFilterForRequest());
    myMainWindow.showPage(page);
}

void MainController::search(const QString& text, const QString& category, const QString& sortBy)
{
    // The search page has recorded itself in the page history.
    myResultController->search(text, category, sortBy);
    myMainWindow.showPage(myResultController->getResultPage());
}

void MainController::searchAuthorsVideos(const QString& author)
{
    // The page the author link was on has recorded itself.
    myResultController->searchAuthorsVideos(author);
    myMainWindow.showPage(myResultController->getResultPage());
}

void MainController::showSearchPage()
{
    if (mySearchPage)
        myMainWindow.showPage(mySearchPage);
}

void MainController::showFavoritesPage()
{
    // The page that led here has recorded itself in the page history.
    myFavoriteController->restoreHistoryPosition(nullptr);
    myMainWindow.showPage(myFavoriteController->getPage());
}

void MainController::clearSearchHistoryModel()
{
    if (mySearchPage)
        mySearchPage->clearHistoryList();
}
