#include "favorites/PlayListController.h"

#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "favorites/FavoritesLogging.h"
#include "service/VideoServiceProvider.h"
#include "shell/PageHistory.h"

#include <QDebug>

PlayListController::PlayListController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                                       QObject* parent)
    : QObject(parent), myService(service), myRepository(repository), myHistory(history)
{
    qCDebug(lcFavorites,
            "PlayListController::PlayListController(VideoServiceProvider*, Repository&, PageHistory&, QObject*) start");
    if (myService)
        connect(myService, &VideoServiceProvider::videoIsDownloaded, this, &PlayListController::checkNextDownload);
    qCDebug(lcFavorites,
            "PlayListController::PlayListController(VideoServiceProvider*, Repository&, PageHistory&, QObject*) end");
}

PlayListController::~PlayListController()
{
    qCDebug(lcFavorites, "PlayListController::~PlayListController() start");
    qCDebug(lcFavorites, "PlayListController::~PlayListController() end");
}

void PlayListController::playVideoFromPlayList(int playListId, int videoFavoriteId)
{
    playVideoFromPlayList(playListId, videoFavoriteId, false);
}

void PlayListController::playVideoFromPlayList(int playListId, int videoFavoriteId, bool forceInfoview)
{
    myPlayListId = playListId;
    myFavoriteId = videoFavoriteId;
    if (videoFavoriteId == -1) {
        myCurrentEntry.reset(myRepository.getFirstPlayListsEntry(playListId));
        if (myCurrentEntry)
            myFavoriteId = myCurrentEntry->getFavoriteId();
    } else {
        myCurrentEntry.reset(myRepository.getPlayListsEntryById(playListId, videoFavoriteId));
    }
    if (!myCurrentEntry) {
        entryMissing();
        return;
    }
    Q_EMIT showPlayListsVideo(myCurrentEntry.get(), myPlayListId, true, forceInfoview);
    checkNextDownload();
}

void PlayListController::changeNextVideo()
{
    step(true);
}

void PlayListController::changePreviousVideo()
{
    step(false);
}

void PlayListController::step(bool forward)
{
    myCurrentEntry.reset(forward ? myRepository.getNextPlayListsEntry(myPlayListId, myFavoriteId)
                                 : myRepository.getPreviousPlayListsEntry(myPlayListId, myFavoriteId));
    if (!myCurrentEntry) {
        // Past either end: round to the other one.
        myCurrentEntry.reset(forward ? myRepository.getFirstPlayListsEntry(myPlayListId)
                                     : myRepository.getLastPlayListsEntry(myPlayListId));
    }
    if (!myCurrentEntry) {
        entryMissing();
        return;
    }
    myFavoriteId = myCurrentEntry->getFavoriteId();
    Q_EMIT showPlayListsVideo(myCurrentEntry.get(), myPlayListId, false, false);
    checkNextDownload();
}

void PlayListController::entryMissing()
{
    qCCritical(lcFavorites, "REPOSITORY get NULL entry pointer");
    myHistory.emitBack(false);
}

QString PlayListController::storedFile(const VideoEntry& entry) const
{
    VideoEntry probe = entry;
    myService->setVideoFileName(&probe);
    if (myRepository.resolveVideoFilePath(&probe) != 0)
        return QString();
    return probe.getVideoFile();
}

void PlayListController::checkNextDownload()
{
    if (!myCurrentEntry || !myService)
        return;
    const QString currentId = myCurrentEntry->getVideoId();
    if (myService->getDownloadVideoId() == currentId && myService->getDownloadState()) {
        qCDebug(lcFavorites, "PlaylistController: Already downloading the current clip");
        return;
    }
    if (storedFile(*myCurrentEntry).isEmpty()) {
        qCDebug(lcFavorites, "PlaylistController: Downloading the current clip");
        myService->download(myCurrentEntry.get());
        return;
    }
    myNextEntry.reset(myRepository.getNextPlayListsEntry(myPlayListId, myFavoriteId));
    if (!myNextEntry)
        return;
    const QString nextFile = storedFile(*myNextEntry);
    if (!nextFile.isEmpty()) {
        qCDebug(lcFavorites).noquote() << "PlaylistController: The next video on playlist is already downloaded ("
                + nextFile + ")";
        return;
    }
    if (myService->getDownloadVideoId() == myNextEntry->getVideoId() && myService->getDownloadState()) {
        qCDebug(lcFavorites).noquote() << "PlaylistController: Do nothing (" + myService->getDownloadVideoId() + ", "
                + myNextEntry->getVideoId() + ")";
        return;
    }
    qCDebug(lcFavorites, "PlaylistController: Downloading the next video from playlist");
    myService->download(myNextEntry.get());
}
