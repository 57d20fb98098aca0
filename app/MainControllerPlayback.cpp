#include "app/AppLogging.h"
#include "app/MainController.h"
#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/PlayListController.h"
#include "player/HistoryItemVideo.h"
#include "player/MediaPlayer.h"
#include "player/MovieController.h"
#include "player/MplayerMediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/VideoViewBase.h"

#include <QDebug>

#include <utility>

// Playback: the media player, the two video views with their controllers, the
// playlist controller, and which view shows a video.

void MainController::createPlayer()
{
    myPlayer = myOptions.createPlayer ? myOptions.createPlayer(this) : new MplayerMediaPlayer(this);
}

void MainController::createPlayback()
{
    myNormalScreenController = new NormalScreenController(myService, myRepository, myPageHistory, myPlayer,
                                                           &myVideoWidget, myDBusService, &myMainWindow);
    myMainWindow.addPage(myNormalScreenController->getPage());
    myMovieController = new MovieController(myService, myRepository, myPageHistory, myPlayer, &myVideoWidget,
                                            myDBusService, &myMainWindow);
    myMainWindow.addPage(myMovieController->getPage());
    myPlayListController = new PlayListController(myService, myRepository, myPageHistory, &myMainWindow);
}

void MainController::connectPlayback()
{
    // The favourites page stays in front until the video shows, so it is recorded
    // here: Back from the video returns to it, and so does a playlist entry that is
    // gone (the playlist controller then goes back one page).
    connect(myFavoriteController, &FavoriteResultController::playListFromVideo, this,
            [this](int playListId, int favoriteId) {
                leaveCurrentPage();
                myPlayListController->playVideoFromPlayList(playListId, favoriteId);
            });
    connect(myPlayListController, &PlayListController::showPlayListsVideo, this, &MainController::showPlayListsVideo);
    for (MovieController* controller : {static_cast<MovieController*>(myNormalScreenController), myMovieController}) {
        connect(controller, &MovieController::changeNextVideoFromPlayList, myPlayListController,
                &PlayListController::changeNextVideo);
        connect(controller, &MovieController::changePreviousVideoFromPlayList, myPlayListController,
                &PlayListController::changePreviousVideo);
        connect(controller, &MovieController::viewChangeRequested, this, &MainController::switchVideoView);
        connect(controller, &MovieController::errorOccured, this, &MainController::showErrorDialog);
    }
    // When a video of a result list ends in full screen, the information view takes it.
    connect(myMovieController, &MovieController::videoEnded, this, &MainController::resultVideoEnded);
    connect(myMovieController->getPage(), &VideoViewBase::escapePressed, this, &MainController::switchVideoView);
    connect(myNormalScreenController, &NormalScreenController::accountNeeded, this, &MainController::showAccountDialog);
    connect(myNormalScreenController, &NormalScreenController::authorVideosRequested, this,
            [this](const QString& author) {
                leaveCurrentPage();
                searchAuthorsVideos(author);
            });
    // The video's related videos and responses on the result page; the view records
    // itself, so that Back from the list plays its video again.
    using VideoList = std::pair<void (NormalScreenController::*)(VideoEntry*), void (ResultController::*)(VideoEntry*)>;
    for (const auto& [asked, request] : {VideoList(&NormalScreenController::relatedVideosRequested,
                                                   &ResultController::relatedVideos),
                                         VideoList(&NormalScreenController::videoResponsesRequested,
                                                   &ResultController::videoResponses)}) {
        connect(myNormalScreenController, asked, this, [this, request = request](VideoEntry* video) {
            leaveCurrentPage();
            (myResultController->*request)(video);
            myMainWindow.showPage(myResultController->getResultPage());
        });
    }
    // The information view's comments and description pages: connectComments.
}

bool MainController::fullScreenSetting()
{
    int fullScreen = 0;
    myRepository.getSetting(SETTING_ACTIVATE_IN_FULLSCREEN, fullScreen);
    return fullScreen != 0;
}

MovieController* MainController::videoController(bool fullScreen) const
{
    return fullScreen ? myMovieController : static_cast<MovieController*>(myNormalScreenController);
}

MovieController* MainController::activeVideoController() const
{
    if (myMovieController && myMovieController->isActive())
        return myMovieController;
    if (myNormalScreenController && myNormalScreenController->isActive())
        return myNormalScreenController;
    return nullptr;
}

void MainController::useVideoController(MovieController* controller)
{
    MovieController* active = activeVideoController();
    if (active && active != controller)
        active->stopVideo();
}

void MainController::showResultVideo(VideoEntry* entry, bool forceInfoView)
{
    if (!entry) {
        qCWarning(lcApp, "void MainController::showResultVideo(VideoEntry*, bool) - entry is NULL");
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

void MainController::showPlayListsVideo(VideoEntry* entry, int playListId, bool checkVideoViewSetting,
                                        bool forceInfoview)
{
    if (!entry) {
        qCWarning(lcApp, "void MainController::showPlayListsVideo(VideoEntry*, int, bool, bool) - entry is NULL");
        return;
    }
    bool fullScreen = false;
    if (forceInfoview)
        fullScreen = false;
    else if (checkVideoViewSetting || !activeVideoController())
        fullScreen = fullScreenSetting();
    else
        fullScreen = activeVideoController() == myMovieController;
    MovieController* controller = videoController(fullScreen);
    useVideoController(controller);
    controller->playPlayListVideo(*entry, playListId);
    myMainWindow.showPage(controller->getPage());
}

void MainController::switchVideoView()
{
    MovieController* from = activeVideoController();
    if (!from)
        return;
    MovieController* to = from == myMovieController ? static_cast<MovieController*>(myNormalScreenController)
                                                    : myMovieController;
    to->takeOver(*from);
    myMainWindow.showPage(to->getPage());
}

void MainController::resultVideoEnded()
{
    if (myMovieController->isActive())
        switchVideoView();
}

void MainController::restoreVideoView(PageHistoryItem* item)
{
    auto* video = qobject_cast<HistoryItemVideo*>(item);
    MovieController* controller = videoController(item->getPageId() == eFullScreenPageId);
    // A video held while another page covered it goes on where it was.
    if (controller->isActive() && controller->isHeld()) {
        myMainWindow.showPage(controller->getPage());
        controller->continueVideo();
        return;
    }
    if (!video) {
        showHomePage();
        return;
    }
    useVideoController(controller);
    if (video->getPlayListId() >= 0)
        controller->playPlayListVideo(video->getVideo(), video->getPlayListId());
    else
        controller->playVideo(video->getVideo());
    myMainWindow.showPage(controller->getPage());
}

void MainController::stopVideo()
{
    if (MovieController* active = activeVideoController())
        active->stopVideo();
}
