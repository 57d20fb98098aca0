#include "app/MainController.h"

#include "app/AfterFirstPaint.h"
#include "app/AppLogging.h"
#include "app/AppTexts.h"
#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "browse/SearchPage.h"
#include "core/SettingsManager.h"
#include "core/VideoEntry.h"
#include "core/constants/Settings.h"
#include "favorites/BackgroundDownloadController.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "service/VideoServiceFactory.h"
#include "service/VideoServiceProvider.h"
#include "shell/DBusService.h"
#include "shell/HomeView.h"
#include "shell/InputMethodSettings.h"
#include "shell/PageHistoryItem.h"
#include "shell/PlatformConstants.h"
#include "shell/ShellConstants.h"
#include "shell/ShellTexts.h"
#include "shell/UserPrompt.h"
#include "social/HistoryItemStatistics.h"
#include "social/UploadVideoController.h"
#include "social/UploadVideoPage.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QLayout>

#include <cstdio>
#include <utility>

// Construction, start-up, page switching, errors and the exit path. The areas of
// the program have their own files: MainControllerBrowsing.cpp,
// MainControllerPlayback.cpp, MainControllerComments.cpp, MainControllerSettings.cpp,
// MainControllerAccount.cpp (sign-in), MainControllerAccountPages.cpp and
// MainControllerUpload.cpp.

namespace {

// Told once when the database shows damage while the program runs.
QString databaseDamagedText()
{
    return MainController::tr("The database is damaged: some favourites or playlists cannot be read. Start the"
                              " program with -create-db to set the damaged file aside and begin a new one.");
}

} // namespace

// Start-up builds the program in a fixed order: main window, video widget,
// repository, page history (the members), then the steps below. Controllers of later
// subsystems take their place where the comments "Start-up:" say.
MainController::MainController(const MainControllerOptions& options, QObject* parent)
    : QObject(parent), myOptions(options)
{
    qCDebug(lcApp, "MainController::MainController(const MainControllerOptions&, QObject*) start");

    myPrompt = options.prompt;
    if (!myPrompt) {
        myOwnPrompt = std::make_unique<UserPrompt>();
        myPrompt = myOwnPrompt.get();
    }
    myInputMethod = options.inputMethod;
    if (!myInputMethod) {
        myOwnInputMethod = std::make_unique<GConfInputMethodSettings>();
        myInputMethod = myOwnInputMethod.get();
    }

    QApplication::setDoubleClickInterval(DOUBLE_CLICK_INTERVAL_MS);
    if (options.fullScreen) {
        myMainWindow.showFullScreen();
    } else {
        myMainWindow.resize(SCREEN_WIDTH, SCREEN_HEIGHT);
        myMainWindow.show();
    }

    // Start-up: the media player.
    createPlayer();

    if (myRepository.openDatabase(options.createDatabase) != eRepOk) {
        failStartup(TEXT_CANT_USE_DATABASE());
        return;
    }
    // The repository announces a damage it meets once; the notice waits until the
    // operation that met it has ended.
    connect(&myRepository, &Repository::databaseDamaged, this,
            [this]() { myPrompt->inform(&myMainWindow, TEXT_ERROR(), databaseDamagedText()); }, Qt::QueuedConnection);

    myHomeView = new HomeView(&myMainWindow, myPageHistory);
    myMainWindow.addPage(myHomeView);
    myMainWindow.setMenu(myHomeView->getMenu());

    createService();
    if (!myService || !myService->isInitialized()) {
        // The service has traced why.
        myStartupFailed = true;
        return;
    }
    connect(myService, &VideoServiceProvider::errorOccuredInCommentFetching, this, &MainController::showErrorDialog);
    connect(myService, &VideoServiceProvider::errorOccuredInCommenting, this, &MainController::showErrorDialog);
    connect(myService, &VideoServiceProvider::errorOccuredInDownload, this, &MainController::showErrorDialog);
    // A full or read-only card is told once; a video stored again means it took one.
    connect(myService, &VideoServiceProvider::backgroundStorageFailed, this,
            [this](const QString& text) { informOnce(myStorageFailureShown, text); });
    // So is a download of the queue that broke off, once the favourites page shows
    // that nothing is fetched; starting the queue again makes the next one news.
    connect(myService, &VideoServiceProvider::backgroundDownloadFailed, this,
            [this](const QString& text) { informOnce(myDownloadFailureShown, text); }, Qt::QueuedConnection);
    connect(&myRepository, &Repository::backgroundDownloadStatusChanged, this,
            [this] { myDownloadFailureShown = false; });
    connect(myService, &VideoServiceProvider::backgroundVideoIsDownloaded, this, [this] {
        myStorageFailureShown = false;
        myDownloadFailureShown = false;
    });
    connect(myService, &VideoServiceProvider::categoriesReady, this, &MainController::setCategory);
    connect(myService, &VideoServiceProvider::errorOccuredInCategory, this, &MainController::categoryRequestError);
    connect(myService, &VideoServiceProvider::authenticated, this, &MainController::authenticated);
    connect(myService, &VideoServiceProvider::captchaChallenge, this, &MainController::captchaChallenge);
    myService->getCategories();

    // Start-up: ResultController with the result and search pages (browsing subsystem).
    myResultController = new ResultController(myService, myRepository, myPageHistory, &myMainWindow);
    myMainWindow.addPage(myResultController->getResultPage());
    mySearchPage = new SearchPage(myRepository, myPageHistory, myService->getSortBy(), &myMainWindow);
    myMainWindow.addPage(mySearchPage);
    if (!myCategories.isEmpty())
        mySearchPage->setCategories(myCategories);
    // Start-up: FavoriteResultController with its page (favourites subsystem).
    myFavoriteController = new FavoriteResultController(myService, myRepository, myPageHistory, &myMainWindow);
    myMainWindow.addPage(myFavoriteController->getPage());
    myBackgroundDownloadController =
        new BackgroundDownloadController(myService, myRepository, myFavoriteController, &myMainWindow);

    myDBusService = new DBusService(this);
    // Start-up: the video views with their controllers, which keep the display on
    // through the platform service, and PlayListController (playback).
    createPlayback();

    connectSignals();
    askStartDownloading();
    showHomePage();
    // The settings' defaults of a new store are written once the first screen is up.
    new AfterFirstPaint(myHomeView, [this]() { myRepository.getSettingsManager()->writePendingDefaults(); });
    qCDebug(lcApp, "MainController::MainController(const MainControllerOptions&, QObject*) end");
}

MainController::~MainController()
{
    qCDebug(lcApp, "MainController::~MainController() start");
    // No player outlives the program, and the video widget is a member: it leaves the
    // view it is in before the views go.
    stopVideo();
    myVideoWidget.setParent(nullptr);
    // What lives under the main window goes first, while the service and the
    // repository it refers to still exist: the controllers, then the pages. Then the
    // service, so that nothing writes into the media folders while they are cleaned
    // up. The page history, the repository and the main window are members and go
    // after this body.
    QList<QPointer<QObject>> controllers;
    QList<QPointer<QObject>> widgets;
    for (QObject* child : myMainWindow.findChildren<QObject*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child == myService || qobject_cast<QLayout*>(child))
            continue;
        (child->isWidgetType() ? widgets : controllers).append(child);
    }
    for (const QPointer<QObject>& child : std::as_const(controllers))
        delete child.data();
    for (const QPointer<QObject>& child : std::as_const(widgets))
        delete child.data();
    myHomeView = nullptr;
    delete myService;
    myService = nullptr;
    if (myRepository.isDatabaseUsable())
        myRepository.exitCleanup();
    qCDebug(lcApp, "MainController::~MainController() end");
}

void MainController::failStartup(const QString& text)
{
    myStartupFailed = true;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
    myPrompt->inform(&myMainWindow, text, QString());
}

void MainController::createService()
{
    if (myOptions.createService) {
        myService = myOptions.createService(myRepository, &myMainWindow);
        return;
    }
    auto* factory = new VideoServiceFactory(&myMainWindow);
    myService = factory->createService(SERVICE_NAME_YOUTUBE, myRepository, &myMainWindow);
}

void MainController::connectSignals()
{
    // ---- Window and home view
    connect(&myMainWindow, &MainWindow::closeRequested, this, &MainController::exitApplication);
    connect(&myMainWindow, &MainWindow::menuEntryChosen, this, [this](QAction* action) {
        myHomeView->chooseEntry(action->data().toInt(), myMainWindow.currentPage());
    });
    connect(myHomeView, &HomeView::help, this, &MainController::showHelp);
    connect(myDBusService, &DBusService::helpOpenFailed, this, [this]() {
        myPrompt->inform(&myMainWindow, TEXT_HELP(), TEXT_HELP_NOT_AVAILABLE());
    });
    connect(myHomeView, &HomeView::exitApplication, this, &MainController::exitApplication);
    connect(&myPageHistory, &PageHistory::historyBackClicked, this, &MainController::historyBackClicked);

    // ---- Browsing: the home view's feeds and search, the result and search pages
    connect(myHomeView, &HomeView::feedRequest, this, &MainController::feedRequest);
    connect(myHomeView, &HomeView::search, this, &MainController::showSearchPage);
    connect(mySearchPage, &SearchPage::search, this, &MainController::search);
    connect(myResultController, &ResultController::showToVideo, this, &MainController::showResultVideo);
    connect(myResultController, &ResultController::showSettingsPage, this, &MainController::showSettingsPage);
    connect(myResultController, &ResultController::errorOccured, this, &MainController::showErrorDialog);
    connect(myResultController, &ResultController::showFavoritesPage, this, &MainController::showFavoritesPage);

    // ---- Favourites
    connect(myHomeView, &HomeView::favorites, this, &MainController::showFavoritesPage);
    connect(myFavoriteController, &FavoriteResultController::authorVideosRequested, this,
            &MainController::searchAuthorsVideos);
    connect(myFavoriteController, &FavoriteResultController::searchRequested, this, &MainController::showSearchPage);
    connect(myFavoriteController, &FavoriteResultController::accountNeeded, this, &MainController::showAccountDialog);
    connect(myService, &VideoServiceProvider::backgroundDownloadInProgress, myFavoriteController->getPage(),
            &FavoriteResultPage::setDownloadProgress);
    connect(myService, &VideoServiceProvider::backgroundDownloadFailed, myFavoriteController->getPage(),
            &FavoriteResultPage::backgroundDownloadStopped);
    connect(myService, &VideoServiceProvider::backgroundStorageFailed, myFavoriteController->getPage(),
            &FavoriteResultPage::backgroundDownloadStopped);
    myFavoriteController->getPage()->setPrompt(myPrompt);

    // ---- Playback
    connectPlayback();

    // ---- Comments and text pages
    connectComments();

    // ---- Settings page
    connect(myHomeView, &HomeView::settings, this, &MainController::showSettingsPage);

    // ---- Account and its pages
    connect(&myRepository, &Repository::settingChanged, this, &MainController::accountSettingChanged);
    connect(myHomeView, &HomeView::statistics, this, [this]() { showStatistics(nullptr); });

    // ---- Upload
    connect(myHomeView, &HomeView::upload, this, &MainController::showUpload);
}

void MainController::askStartDownloading()
{
    int enabled = 0;
    myRepository.getSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, enabled);
    if (enabled == 0)
        return;
    std::unique_ptr<VideoEntry> first(myRepository.getFirstDownloadEntry());
    if (!first)
        return;

    if (myPrompt->ask(&myMainWindow, TEXT_START_DOWNLOADING_TITLE(), TEXT_START_DOWNLOADING_NOW()))
        myBackgroundDownloadController->startOrStopBackgroundDownload();
    else
        myRepository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, 0);
}

// ---- Pages

void MainController::leaveCurrentPage()
{
    if (PageBase* page = myMainWindow.currentPage())
        page->addToPageHistory();
}

bool MainController::accountSignedIn()
{
    int signedIn = 0;
    myRepository.getSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn);
    return signedIn != 0;
}

void MainController::showHomePage()
{
    if (myHomeView)
        myMainWindow.showPage(myHomeView);
}

void MainController::historyBackClicked(bool longClick)
{
    if (longClick) {
        myPageHistory.clear();
        showHomePage();
        return;
    }

    std::unique_ptr<PageHistoryItem> item(myPageHistory.takeLast());
    if (!item) {
        showHomePage();
        return;
    }
    // Each area restores its pages from their items (which are deleted afterwards: a
    // restored page copies what it keeps).
    switch (item->getPageId()) {
    case eHomePageId:
        showHomePage();
        break;

    // ---- Browsing and favourites
    case eResultPageId:
        myResultController->restoreHistory(item.get());
        myMainWindow.showPage(myResultController->getResultPage());
        break;
    case eSearchPageId:
        myMainWindow.showPage(mySearchPage);
        break;
    case eFavoritePageId:
        myFavoriteController->restoreHistoryPosition(item.get());
        myMainWindow.showPage(myFavoriteController->getPage());
        break;

    // ---- Playback: the information and full-screen views
    case eNormalScreenPageId:
    case eFullScreenPageId:
        restoreVideoView(item.get());
        break;

    // ---- Comments and text pages
    case eAllCommentsPageId:
    case eDescriptionPageId:
    case eWriteCommentPageId:
        restoreCommentsPage(item.get());
        break;

    // ---- Settings page

    // ---- Account pages
    case eStatisticsPageId: {
        // An item without a view code restores the page as it is.
        auto* statistics = qobject_cast<HistoryItemStatistics*>(item.get());
        HistoryItemStatistics plain(eStatisticsPageId, HistoryItemStatistics::eNoTab);
        showStatistics(statistics ? statistics : &plain);
        break;
    }

    // ---- Upload
    case eUploadPageId:
        // The form as the user left it.
        if (myUploadController)
            myMainWindow.showPage(myUploadController->getUploadPage());
        else
            showHomePage();
        break;

    default:
        qCWarning(lcApp, "void MainController::historyBackClicked(bool) - no page for history id %d, going home",
                  item->getPageId());
        showHomePage();
        break;
    }
}

void MainController::showErrorDialog(const QString& text)
{
    if (myErrorDialogOpen) {
        qCWarning(lcApp, "void MainController::showErrorDialog(const QString&) - dialog already open, not shown: %s",
                  qPrintable(text));
        return;
    }
    myErrorDialogOpen = true;
    myPrompt->inform(&myMainWindow, TEXT_ERROR(), text);
    myErrorDialogOpen = false;
}

void MainController::informOnce(bool& told, const QString& text)
{
    if (told)
        return;
    told = true;
    showErrorDialog(text);
}

void MainController::showHelp()
{
    if (myDBusService)
        myDBusService->openHelp();
}

void MainController::removeVirtualInputMethod()
{
    bool stylus = false;
    bool correction = false;
    if (!myInputMethod->getBool(GCONF_IM_STYLUS_ENABLED, stylus)
        || !myInputMethod->getBool(GCONF_IM_AUTO_CORRECTION, correction))
        return;
    if (!stylus && !correction)
        return;

    // The platform closes its keyboard when it sees the keys change.
    myInputMethod->setBool(GCONF_IM_STYLUS_ENABLED, false);
    myInputMethod->setBool(GCONF_IM_STYLUS_ENABLED, true);
    myInputMethod->setBool(GCONF_IM_AUTO_CORRECTION, false);
    myInputMethod->setBool(GCONF_IM_AUTO_CORRECTION, true);
    if (!stylus)
        myInputMethod->setBool(GCONF_IM_STYLUS_ENABLED, false);
    if (!correction)
        myInputMethod->setBool(GCONF_IM_AUTO_CORRECTION, false);
}

void MainController::setCategory(CategoryMap& categories)
{
    myCategories = categories;
    myCategoryRequestFailed = false;
    if (mySearchPage)
        mySearchPage->setCategories(myCategories);
    if (myUploadController)
        myUploadController->setCategories(myCategories);
}

void MainController::categoryRequestError()
{
    myCategoryRequestFailed = true;
}

void MainController::exitApplication()
{
    // A second "Exit" while the question is open must not stack another one.
    if (myExitQuestionOpen)
        return;
    stopVideo();

    if (myService && myService->getBackgroundDownloadState()) {
        myExitQuestionOpen = true;
        const bool leave = myPrompt->ask(&myMainWindow, TEXT_DOWNLOAD_IN_PROGRESS(), TEXT_EXIT_WHILE_DOWNLOADING());
        myExitQuestionOpen = false;
        if (!leave)
            return;
        myService->cancelBackgoundDownload();
    }
    QCoreApplication::exit(0);
}
