#include "app/MainController.h"

#include "browse/ResultController.h"
#include "favorites/BackgroundDownloadController.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "browse/ResultPage.h"
#include "browse/SearchPage.h"
#include "core/GlobalConstants.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "player/MovieController.h"
#include "player/MplayerMediaPlayer.h"
#include "player/VideoViewBase.h"
#include "service/VideoServiceFactory.h"
#include "service/VideoServiceProvider.h"
#include "shell/DBusService.h"
#include "shell/HomeView.h"
#include "shell/InputMethodSettings.h"
#include "shell/OneButtonDialog.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellConstants.h"
#include "shell/UserPrompt.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QLayout>

#include <cstdio>
#include <utility>

// Start-up builds the program in a fixed order: main window, (video widget),
// repository, page history (the members), then the steps below. Controllers of later
// subsystems take their place where the comments "Start-up:" say.
MainController::MainController(const MainControllerOptions& options, QObject* parent)
    : QObject(parent), myOptions(options)
{
    qDebug("MainController::MainController(const MainControllerOptions&, QObject*) start");

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

    myPlayer = myOptions.createPlayer ? myOptions.createPlayer(this) : new MplayerMediaPlayer(this);

    if (myRepository.openDatabase(options.createDatabase) != eRepOk) {
        failStartup(TEXT_CANT_USE_DATABASE());
        return;
    }

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
    // Start-up: FavoriteResultController with its page, then PlayListController
    //           (favourites subsystem).
    myFavoriteController = new FavoriteResultController(myService, myRepository, myPageHistory, &myMainWindow);
    myMainWindow.addPage(myFavoriteController->getPage());
    myBackgroundDownloadController =
        new BackgroundDownloadController(myService, myRepository, myFavoriteController, &myMainWindow);

    myDBusService = new DBusService(this);
    createPlayback();

    connectSignals();
    askStartDownloading();
    showHomePage();
    qDebug("MainController::MainController(const MainControllerOptions&, QObject*) end");
}

MainController::~MainController()
{
    qDebug("MainController::~MainController() start");
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
    qDebug("MainController::~MainController() end");
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
    connect(&myMainWindow, &MainWindow::closeRequested, this, &MainController::exitApplication);
    connect(&myMainWindow, &MainWindow::menuEntryChosen, this, [this](QAction* action) {
        myHomeView->chooseEntry(action->data().toInt(), myMainWindow.currentPage());
    });

    // Start-up: the home view's feedRequest, search and favorites reach the browsing
    //           and favourites controllers here.
    connect(myHomeView, &HomeView::feedRequest, this, &MainController::feedRequest);
    connect(myHomeView, &HomeView::search, this, &MainController::showSearchPage);
    connect(mySearchPage, &SearchPage::search, this, &MainController::search);
    connect(myResultController, &ResultController::showToVideo, this, &MainController::showResultVideo);
    connect(myResultController, &ResultController::showSettingsPage, this, &MainController::showSettingsPage);
    connect(myResultController, &ResultController::errorOccured, this, &MainController::showErrorDialog);
    connect(myHomeView, &HomeView::favorites, this, &MainController::showFavoritesPage);
    connect(myResultController, &ResultController::showFavoritesPage, this, &MainController::showFavoritesPage);
    connect(myFavoriteController, &FavoriteResultController::authorVideosRequested, this,
            &MainController::searchAuthorsVideos);
    connect(myFavoriteController, &FavoriteResultController::searchRequested, this, &MainController::showSearchPage);
    connect(myFavoriteController, &FavoriteResultController::accountNeeded, this, &MainController::showAccountDialog);
    connect(myService, &VideoServiceProvider::backgroundDownloadInProgress, myFavoriteController->getPage(),
            &FavoriteResultPage::setDownloadProgress);
    connect(myHomeView, &HomeView::statistics, this, [this]() { showStatistics(nullptr); });
    connect(myHomeView, &HomeView::upload, this, &MainController::showUpload);
    connect(myHomeView, &HomeView::settings, this, &MainController::showSettingsPage);
    connect(myHomeView, &HomeView::help, this, &MainController::showHelp);
    connect(myHomeView, &HomeView::exitApplication, this, &MainController::exitApplication);

    connect(&myPageHistory, &PageHistory::historyBackClicked, this, &MainController::historyBackClicked);
    connectPlayback();
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

void MainController::showErrorDialog(const QString& text)
{
    if (myErrorDialogOpen) {
        qWarning("void MainController::showErrorDialog(const QString&) - dialog already open, not shown: %s",
                 qPrintable(text));
        return;
    }
    myErrorDialogOpen = true;
    myPrompt->inform(&myMainWindow, TEXT_ERROR(), text);
    myErrorDialogOpen = false;
}

void MainController::showAccountDialog()
{
    if (myPrompt->ask(&myMainWindow, TEXT_ACCOUNT_NEEDED_TITLE(), TEXT_ACCOUNT_NEEDED_QUESTION()))
        showSettingsPage();
}

void MainController::showSettingsPage()
{
    // Start-up order aside, the settings subsystem adds here: clearing the movie
    // controllers' first-player-closed flag, creating the SettingsPage on first use,
    // then leaveCurrentPage(), showing the page and SettingsPage::focusFirstTab.
    removeVirtualInputMethod();
    stopVideo();
}

void MainController::showUpload()
{
    if (!accountSignedIn()) {
        showAccountDialog();
        return;
    }
    // The upload subsystem adds here: UploadVideoController on first use, its reset and
    // categories, leaveCurrentPage() and the switch to its page.
    qDebug("void MainController::showUpload() - no upload page in this build");
}

void MainController::showStatistics(HistoryItemStatistics* history)
{
    Q_UNUSED(history);
    if (!accountSignedIn()) {
        showAccountDialog();
        return;
    }
    // The statistics subsystem adds here: StatisticsController on first use, the
    // refresh chosen by the history item, leaveCurrentPage() and the switch to its page.
    qDebug("void MainController::showStatistics(HistoryItemStatistics*) - no statistics page in this build");
}

void MainController::showHelp()
{
    if (myDBusService)
        myDBusService->openHelp();
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
    switch (item->getPageId()) {
    case eHomePageId:
        showHomePage();
        break;
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
    case eNormalScreenPageId:
    case eFullScreenPageId:
        restoreVideoView(item.get());
        break;
    // The subsystems that own the other pages restore them here from their items
    // (which are deleted afterwards: a restored page copies what it keeps).
    default:
        qWarning("void MainController::historyBackClicked(bool) - no page for history id %d, going home",
                 item->getPageId());
        showHomePage();
        break;
    }
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
    // The search page and the upload controller get the map here once they exist.
}

void MainController::feedRequest(int type)
{
    // The home view has recorded itself in the page history.
    ResultPage* page = myResultController->getResultPage();
    myResultController->feedRequest(type, page->getTimeFilter());
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

void MainController::showFavoritesPage()
{
    // The page that led here has recorded itself in the page history.
    myFavoriteController->restoreHistoryPosition(nullptr);
    myMainWindow.showPage(myFavoriteController->getPage());
}

void MainController::showSearchPage()
{
    if (mySearchPage)
        myMainWindow.showPage(mySearchPage);
}

void MainController::showResultVideo(VideoEntry* entry, bool forceInfoView)
{
    if (!entry) {
        qWarning("void MainController::showResultVideo(VideoEntry*, bool) - entry is NULL");
        return;
    }
    myRepository.addToHistory(entry);
    // The entry and the list belong to the result page's model, which a later request
    // empties: the controller copies them.
    MovieController* controller = videoController(!forceInfoView && fullScreenSetting());
    useVideoController(controller);
    controller->playVideo(*entry, myResultController->getResultPage()->getModel()->entries());
    myMainWindow.showPage(controller->getPage());
}

void MainController::clearSearchHistoryModel()
{
    if (mySearchPage)
        mySearchPage->clearHistoryList();
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

// ---- Sign-in

void MainController::authenticate()
{
    qDebug("void MainController::authenticate() start");
    if (!myService) {
        qDebug("void MainController::authenticate() - no video service");
        return;
    }
    myAuthenticationCancelled = false;
    // Only a plain sign-in lets results through again (see captchaChallenge).
    myAuthenticationResultSuppressed = false;
    removeAccountNotices();

    QPointer<OneButtonDialog> wait = new OneButtonDialog(&myMainWindow);
    wait->setText(TEXT_VERIFYING_ACCOUNT());
    wait->setButtonText(TEXT_CANCEL());
    wait->setProgressIndicatorBusy(true);
    wait->showProgressIndicator(true);
    myAuthenticationWaitDialog = wait;

    myService->authenticate(ePlainLogin);
    // The answer, a captcha challenge or another sign-in closes the notice through
    // closeAuthenticationWaitDialog(); one that came at once leaves nothing to wait for.
    if (myAuthenticationWaitDialog == wait)
        myPrompt->runDialog(wait);

    if (wait && myAuthenticationWaitDialog == wait) {
        // The user ended the wait ("Cancel", or Escape): whatever the service still
        // reports of this sign-in is not shown.
        myAuthenticationCancelled = true;
        myAuthenticationResultSuppressed = true;
        myAuthenticationWaitDialog = nullptr;
        myService->cancelAuthentication();
        delete wait;
    }
    qDebug("void MainController::authenticate() end");
}

void MainController::authenticated(bool done, const QString& text)
{
    qDebug("void MainController::authenticated(bool, QString) start");
    if (myAuthenticationCancelled || myAuthenticationResultSuppressed) {
        qDebug("void MainController::authenticated(bool, QString) - result not shown (%s)",
               myAuthenticationCancelled ? "cancelled" : "suppressed");
        return;
    }
    removeAccountNotices();
    if (done && myRepository.addAccountPlayListFolder() < 0)
        qWarning("void MainController::authenticated(bool, QString) - the account's playlist folder was not added");

    auto* notice = new OneButtonDialog(&myMainWindow);
    notice->setModal(false);
    notice->setTitle(done ? TEXT_ACCOUNT_VERIFIED() : TEXT_INCORRECT_LOGIN());
    notice->setText(text);
    // However the user closes it (its button or Escape), the outcome is passed on.
    connect(notice, &QDialog::finished, this, done ? &MainController::accountVerified : &MainController::accountNotVerified);
    connect(notice, &QDialog::finished, notice, &QObject::deleteLater);
    myAccountNotice = notice;
    myPrompt->showDialog(notice);
    qDebug("void MainController::authenticated(bool, QString) end");
}

void MainController::captchaChallenge()
{
    qDebug("void MainController::captchaChallenge() start");
    // HOOK (settings subsystem): SettingsPage::showCaptchaView() when the settings
    // page exists.
    if (!myAuthenticationResultSuppressed) {
        myAuthenticationResultSuppressed = true;
        closeAuthenticationWaitDialog();
    }
    qDebug("void MainController::captchaChallenge() end");
}

void MainController::verifyCaptcha()
{
    if (!myService) {
        qDebug("Captcha cannot be verified, because         videoservice hasn't been defined");
        return;
    }
    myService->authenticate(eCaptchaLogin);
}

void MainController::accountVerified()
{
    // HOOK (settings subsystem): SettingsPage::accountVerified() when the settings page
    // exists.
    Q_EMIT accountVerificationFinished(true);
}

void MainController::accountNotVerified()
{
    // HOOK (settings subsystem): SettingsPage::accountNotVerified() when the settings
    // page exists.
    Q_EMIT accountVerificationFinished(false);
}

void MainController::closeAuthenticationWaitDialog()
{
    QPointer<OneButtonDialog> wait = myAuthenticationWaitDialog;
    myAuthenticationWaitDialog = nullptr;
    if (!wait)
        return;
    // Ends its modal loop; it is deleted once that loop has returned.
    wait->done(QDialog::Rejected);
    wait->deleteLater();
}

void MainController::removeAccountNotices()
{
    closeAuthenticationWaitDialog();
    if (myAccountNotice) {
        // Removed, not answered: its outcome belongs to the sign-in before.
        myAccountNotice->disconnect(this);
        myAccountNotice->close();
        myAccountNotice->deleteLater();
        myAccountNotice = nullptr;
    }
}
