#ifndef KRELVOX_MAINCONTROLLER_H
#define KRELVOX_MAINCONTROLLER_H

#include "core/Repository.h"
#include "core/Types.h"
#include "player/VideoWidget.h"
#include "shell/MainWindow.h"
#include "shell/PageHistory.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class AllCommentsPage;
class BackgroundDownloadController;
class CommentEntry;
class CommentListModel;
class DBusService;
class FavoriteResultController;
class HistoryItemStatistics;
class HomeView;
class InputMethodSettings;
class MediaPlayer;
class MessagePage;
class MovieController;
class NormalScreenController;
class OneButtonDialog;
class PageHistoryItem;
class PlayListController;
class ResultController;
class SearchPage;
class SettingsPage;
class StatisticsController;
class UploadVideoController;
class UserPrompt;
class VideoDescriptionPage;
class VideoEntry;
class VideoServiceProvider;
class WriteCommentPage;

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
// errors into dialogs and runs the exit path. Each area of the program has a section
// below and a file of its own (MainController<Area>.cpp); MainController.cpp holds
// construction, start-up, page switching and exit.
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
    StatisticsController* getStatisticsController() const { return myStatisticsController; }
    MessagePage* getMessagePage() const { return myMessagePage; }
    // Null until the settings are first shown.
    SettingsPage* getSettingsPage() const { return mySettingsPage; }

public Q_SLOTS:
    // ---- Pages, errors and exit (MainController.cpp)
    void showHomePage();
    // Restores the page of the last history item; a long press goes home.
    void historyBackClicked(bool longClick);
    // One error dialog at a time: errors that arrive while one is open are traced only.
    void showErrorDialog(const QString& text);
    void showHelp();
    // Toggles the input-method keys so that the platform closes its on-screen keyboard.
    void removeVirtualInputMethod();
    void setCategory(CategoryMap& categories);
    void categoryRequestError();
    // "Exit" and closing the window. Asks first while a background download runs.
    void exitApplication();

    // ---- Browsing and favourites (MainControllerBrowsing.cpp)
    // A standard feed (eFeedRequestType) in the result page's time frame, a search, an
    // author's uploads, the search page; each shows the result or search page.
    void feedRequest(int type);
    void search(const QString& text, const QString& category, const QString& sortBy);
    void searchAuthorsVideos(const QString& author);
    void showSearchPage();
    // Empties the search page's list of earlier searches.
    void clearSearchHistoryModel();
    // The favourites page, refilled from the database (its last playlist selected).
    void showFavoritesPage();

    // ---- Playback (MainControllerPlayback.cpp)
    // A video picked from a result list: recorded in the viewing history and shown in
    // the information view (forceInfoView) or as SETTING_ACTIVATE_IN_FULLSCREEN says.
    void showResultVideo(VideoEntry* entry, bool forceInfoView);
    // A video of a playlist (PlayListController): in the information view
    // (forceInfoview), in the view SETTING_ACTIVATE_IN_FULLSCREEN chooses
    // (checkVideoViewSetting), or else in the view in use.
    void showPlayListsVideo(VideoEntry* entry, int playListId, bool checkVideoViewSetting, bool forceInfoview);
    // F6 in a video view: the running video moves to the other view.
    void switchVideoView();

    // ---- Comments and text pages (MainControllerComments.cpp)
    // Each page is made on first use and kept. The information view's video waits
    // (held) while one of them covers it, and goes on when the user returns to it.
    // All comments of the video, 50 at a time, in the shared comment model, from the
    // first; historyPage: the page is shown again from the page history.
    void showAllCommentsPage(VideoEntry* video, CommentListModel* model, bool listButtonsState, bool historyPage);
    // Another page of comments: a positive direction the previous 50 (from 1 at the
    // least), else the next 50 (the same page again when there are no more).
    void changeCommentPage(int direction);
    // An author's name on the all-comments page: the information view's video ends
    // and the author's uploads are shown.
    void allCommentsAuthorLinkSignal(CommentEntry* entry);
    void showWriteCommentPage(VideoEntry* video, bool listButtonsState);
    // Posts the comment; an empty one is not sent.
    void saveComment(const QString& text, VideoEntry* video);
    // The write-comment page is done: back to the information view and its video.
    void writeCommentsBackButtonSignal();
    void showDescriptionPage(VideoEntry* video, bool listButtonsState);

public:
    // Null until first shown.
    AllCommentsPage* getAllCommentsPage() const { return myAllCommentsPage; }
    WriteCommentPage* getWriteCommentPage() const { return myWriteCommentPage; }
    VideoDescriptionPage* getDescriptionPage() const { return myDescriptionPage; }

public Q_SLOTS:
    // ---- Settings page (MainControllerSettings.cpp)
    // Builds the settings page on first use, then shows it with "Account Info" in
    // front; the page in front records itself first.
    void showSettingsPage();

    // ---- Sign-in (MainControllerAccount.cpp; the settings page asks for it)
    // "Set the account information now?"; OK opens the settings page.
    void showAccountDialog();
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
    // A sign-in that carries the stored captcha answer, behind the same wait notice;
    // its result is shown like a plain sign-in's.
    void verifyCaptcha();
    void accountVerified();
    void accountNotVerified();
    // Signed out (SETTING_YOUTUBE_ACCOUNT_SIGNED_IN written 0): the account's folder
    // and playlists, added at the sign-in and read from it, leave the favourites.
    void accountSettingChanged(const QString& key, int value);

    // ---- Account pages (MainControllerAccountPages.cpp)
    // The account's statistics page, made on first use. Without a history item it
    // opens on the figures, fetched again; with one it refreshes the view the item
    // names (HistoryItemStatistics::getTab) and shows the page.
    void showStatistics(HistoryItemStatistics* history);
    // The inbox message of that row of the statistics page's messages.
    void showMessage(int row);
    // The comments of an uploaded video of the statistics page.
    void showVideoComments(const QString& videoId);

    // ---- Upload (MainControllerUpload.cpp)
    // The upload form, signed in only (else the account question): made on first use,
    // emptied and given the categories each time it is opened from the home view.
    void showUpload();

public:
    // Null until the upload form was first opened.
    UploadVideoController* getUploadController() const { return myUploadController; }

Q_SIGNALS:
    // ---- Sign-in
    // The outcome of a sign-in, once the user has closed its notice.
    void accountVerificationFinished(bool verified);

private:
    // ---- Start-up, pages and exit
    void failStartup(const QString& text);
    void createService();
    void connectSignals();
    void askStartDownloading();
    // The page in front records itself in the history before the controller changes it.
    void leaveCurrentPage();
    bool accountSignedIn();
    // The error dialog, unless told is set already (then sets it).
    void informOnce(bool& told, const QString& text);

    // ---- Playback
    // The media player (MainControllerOptions::createPlayer or mplayer) before the
    // database opens; the views and their controllers once the service exists.
    void createPlayer();
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

    // ---- Comments and text pages
    void connectComments();
    // Back to page 13, 16 or 18 from its history item.
    void restoreCommentsPage(PageHistoryItem* item);
    // The information view's video pauses and does not start by itself.
    void holdInformationView();

    // ---- Settings page

    // ---- Sign-in
    // Asks the service for a sign-in behind the wait notice.
    void signIn(eAuthenticateType type);
    // The sign-in's wait notice and result notice.
    void closeAuthenticationWaitDialog();
    void removeAccountNotices();

    // ---- Account pages
    void createStatisticsController();

    // ---- Upload

private:
    // ---- The program's frame. Members are built in this order (see the constructor).
    MainWindow myMainWindow;
    // The one video widget, moved between the information and full-screen views.
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

    bool myStartupFailed = false;
    bool myErrorDialogOpen = false;
    bool myExitQuestionOpen = false;
    bool myStorageFailureShown = false;   // until the queue stores a video again
    bool myDownloadFailureShown = false;  // until it stores one or is started again

    // ---- Browsing and favourites
    ResultController* myResultController = nullptr;
    SearchPage* mySearchPage = nullptr; // child of the main window
    FavoriteResultController* myFavoriteController = nullptr; // child of the main window
    BackgroundDownloadController* myBackgroundDownloadController = nullptr; // child of the main window
    CategoryMap myCategories;
    bool myCategoryRequestFailed = false;

    // ---- Playback
    MediaPlayer* myPlayer = nullptr;                             // child of this controller
    NormalScreenController* myNormalScreenController = nullptr; // child of the main window
    MovieController* myMovieController = nullptr;               // child of the main window
    PlayListController* myPlayListController = nullptr;         // child of the main window

    // ---- Comments and text pages: made on first use, children of the main window.
    AllCommentsPage* myAllCommentsPage = nullptr;
    WriteCommentPage* myWriteCommentPage = nullptr;
    VideoDescriptionPage* myDescriptionPage = nullptr;

    // ---- Settings page
    SettingsPage* mySettingsPage = nullptr; // child of the main window

    // ---- Sign-in: the notices up (children of the main window) and the two marks
    // that keep a late or unwanted result from reaching the user.
    QPointer<OneButtonDialog> myAuthenticationWaitDialog;
    QPointer<OneButtonDialog> myAccountNotice;
    bool myAuthenticationCancelled = false;
    bool myAuthenticationResultSuppressed = false;

    // ---- Account pages: made on first use, children of the main window.
    StatisticsController* myStatisticsController = nullptr;
    MessagePage* myMessagePage = nullptr;

    // ---- Upload
    UploadVideoController* myUploadController = nullptr; // child of the main window
};

#endif
