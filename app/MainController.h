#ifndef KRELVOX_MAINCONTROLLER_H
#define KRELVOX_MAINCONTROLLER_H

#include "core/Repository.h"
#include "core/Types.h"
#include "shell/MainWindow.h"
#include "player/VideoWidget.h"
#include "shell/PageHistory.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class BackgroundDownloadController;
class DBusService;
class FavoriteResultController;
class HistoryItemStatistics;
class PageHistoryItem;
class HomeView;
class InputMethodSettings;
class MediaPlayer;
class MovieController;
class NormalScreenController;
class PlayListController;
class OneButtonDialog;
class ResultController;
class SearchPage;
class UserPrompt;
class VideoEntry;
class VideoServiceProvider;

// How the controller is started. The hooks are for tests and scripted runs; left
// empty, the controller uses the real dialogs, GConf and the service factory.
struct MainControllerOptions
{
    bool fullScreen = true;      // "-no-fullscreen" clears it
    bool createDatabase = false; // "-create-db"

    UserPrompt* prompt = nullptr;                  // not owned
    InputMethodSettings* inputMethod = nullptr;    // not owned
    std::function<VideoServiceProvider*(Repository&, QObject* parent)> createService;
    std::function<MediaPlayer*(QObject* parent)> createPlayer;
};

// Builds the program and wires it together, switches pages, turns the service's
// errors into dialogs and runs the exit path.
class MainController : public QObject
{
    Q_OBJECT
public:
    explicit MainController(const MainControllerOptions& options = MainControllerOptions(),
                            QObject* parent = nullptr);
    ~MainController() override;

    // True when start-up failed: main does not enter the event loop then.
    bool startupFailed() const { return myStartupFailed; }

    MainWindow& getMainWindow() { return myMainWindow; }
    Repository& getRepository() { return myRepository; }
    PageHistory& getPageHistory() { return myPageHistory; }
    HomeView* getHomeView() const { return myHomeView; }
    VideoServiceProvider* getService() const { return myService; }
    DBusService* getDBusService() const { return myDBusService; }
    const CategoryMap& getCategories() const { return myCategories; }
    ResultController* getResultController() const { return myResultController; }
    SearchPage* getSearchPage() const { return mySearchPage; }
    FavoriteResultController* getFavoriteController() const { return myFavoriteController; }
    BackgroundDownloadController* getBackgroundDownloadController() const { return myBackgroundDownloadController; }
    bool categoryRequestFailed() const { return myCategoryRequestFailed; }
    MediaPlayer* getPlayer() const { return myPlayer; }
    VideoWidget& getVideoWidget() { return myVideoWidget; }
    NormalScreenController* getNormalScreenController() const { return myNormalScreenController; }
    MovieController* getMovieController() const { return myMovieController; }
    PlayListController* getPlayListController() const { return myPlayListController; }

public Q_SLOTS:
    void showHomePage();
    // One error dialog at a time: errors that arrive while one is open are traced only.
    void showErrorDialog(const QString& text);
    // "Set the account information now?"; OK opens the settings page.
    void showAccountDialog();
    void showSettingsPage();
    void showUpload();
    void showStatistics(HistoryItemStatistics* history);
    void showHelp();
    // Restores the page of the last history item; a long press goes home.
    void historyBackClicked(bool longClick);
    // Toggles the input-method keys so that the platform closes its on-screen keyboard.
    void removeVirtualInputMethod();
    void setCategory(CategoryMap& categories);
    // Browsing: a standard feed (eFeedRequestType) in the result page's time frame, a
    // search, an author's uploads, the search page; each shows the result or search page.
    void feedRequest(int type);
    void search(const QString& text, const QString& category, const QString& sortBy);
    void searchAuthorsVideos(const QString& author);
    void showSearchPage();
    // The favourites page, refilled from the database (its last playlist selected).
    void showFavoritesPage();
    // A video picked from a result list: recorded in the viewing history and shown in
    // the information view (forceInfoView) or as SETTING_ACTIVATE_IN_FULLSCREEN says.
    void showResultVideo(VideoEntry* entry, bool forceInfoView);
    // A video of a playlist (PlayListController): in the information view
    // (forceInfoview), in the view SETTING_ACTIVATE_IN_FULLSCREEN chooses
    // (checkVideoViewSetting), or else in the view in use.
    void showPlayListsVideo(VideoEntry* entry, int playListId, bool checkVideoViewSetting, bool forceInfoview);
    // F6 in a video view: the running video moves to the other view.
    void switchVideoView();
    // Empties the search page's list of earlier searches.
    void clearSearchHistoryModel();
    void categoryRequestError();
    // "Exit" and closing the window. Asks first while a background download runs.
    void exitApplication();

    // ---- Sign-in (the settings page asks for it)
    // A plain sign-in with the stored account, behind a wait notice whose "Cancel"
    // drops it.
    void authenticate();
    // The service's answer to a sign-in: closes the wait notice and shows the outcome;
    // the notice's button passes it on (accountVerified / accountNotVerified). Ignored
    // after a cancel and after a captcha challenge, until the next plain sign-in.
    void authenticated(bool done, const QString& text);
    // The service wants a captcha answered: the wait notice goes, and the result of
    // the captcha sign-in is not shown.
    void captchaChallenge();
    // A sign-in that carries the stored captcha answer.
    void verifyCaptcha();
    void accountVerified();
    void accountNotVerified();

Q_SIGNALS:
    // The outcome of a sign-in, once the user has closed its notice.
    void accountVerificationFinished(bool verified);

private:
    void failStartup(const QString& text);
    void createService();
    void connectSignals();
    void askStartDownloading();
    // The sign-in's wait notice and result notice.
    void closeAuthenticationWaitDialog();
    void removeAccountNotices();
    // The page in front records itself in the history before the controller changes it.
    void leaveCurrentPage();
    bool accountSignedIn();
    // ---- Playback
    void createPlayback();
    void connectPlayback();
    // The controller of the view a video is to be shown in.
    MovieController* videoController(bool fullScreen) const;
    MovieController* activeVideoController() const;
    bool fullScreenSetting();
    // Makes the controller the one that shows videos: the other one lets its video go.
    void useVideoController(MovieController* controller);
    // Back to a video view from the page history.
    void restoreVideoView(PageHistoryItem* item);
    void resultVideoEnded();
    void stopVideo();

    // Members are built in this order (see the constructor).
    MainWindow myMainWindow;
    VideoWidget myVideoWidget;
    Repository myRepository;
    PageHistory myPageHistory;

    MainControllerOptions myOptions;
    std::unique_ptr<UserPrompt> myOwnPrompt;
    std::unique_ptr<InputMethodSettings> myOwnInputMethod;
    UserPrompt* myPrompt = nullptr;
    InputMethodSettings* myInputMethod = nullptr;

    HomeView* myHomeView = nullptr;
    VideoServiceProvider* myService = nullptr; // child of the main window
    DBusService* myDBusService = nullptr;
    ResultController* myResultController = nullptr;
    SearchPage* mySearchPage = nullptr; // child of the main window
    FavoriteResultController* myFavoriteController = nullptr; // child of the main window
    BackgroundDownloadController* myBackgroundDownloadController = nullptr; // child of the main window
    MediaPlayer* myPlayer = nullptr;                                 // child of this controller
    NormalScreenController* myNormalScreenController = nullptr;     // child of the main window
    MovieController* myMovieController = nullptr;                   // child of the main window
    PlayListController* myPlayListController = nullptr;             // child of the main window

    CategoryMap myCategories;
    bool myCategoryRequestFailed = false;
    bool myStartupFailed = false;
    bool myErrorDialogOpen = false;
    bool myExitQuestionOpen = false;

    // Sign-in: the notices up (children of the main window) and the two marks that
    // keep a late or unwanted result from reaching the user.
    QPointer<OneButtonDialog> myAuthenticationWaitDialog;
    QPointer<OneButtonDialog> myAccountNotice;
    bool myAuthenticationCancelled = false;
    bool myAuthenticationResultSuppressed = false;
};

#endif
