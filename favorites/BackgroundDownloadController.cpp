#include "favorites/BackgroundDownloadController.h"
#include "favorites/FavoriteResultController.h"

#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "core/constants/Settings.h"
#include "favorites/FavoritesLogging.h"
#include "service/VideoServiceProvider.h"

#include <QDebug>
#include <QFile>

BackgroundDownloadController::BackgroundDownloadController(VideoServiceProvider* service, Repository& repository,
                                                           FavoriteResultController* favoriteController,
                                                           QObject* parent)
    : QObject(parent), myService(service), myRepository(repository), myFavoriteController(favoriteController)
{
    connect(&myRepository, &Repository::backgroundDownloadStatusChanged, this,
            &BackgroundDownloadController::startOrStopBackgroundDownload);
    connect(&myRepository, &Repository::downloadEntryAdded, this,
            &BackgroundDownloadController::checkBackgroundDownloadState);
    if (myService) {
        connect(myService, &VideoServiceProvider::backgroundVideoIsDownloaded, this,
                &BackgroundDownloadController::backgroundDownloadDone);
        connect(myService, &VideoServiceProvider::videoRemovedBackground, this,
                &BackgroundDownloadController::backgroundDownloadInvalid);
        connect(myService, &VideoServiceProvider::backgroundDownloadFailed, this,
                &BackgroundDownloadController::backgroundDownloadStopped);
        connect(myService, &VideoServiceProvider::backgroundStorageFailed, this,
                &BackgroundDownloadController::backgroundDownloadStopped);
    }
}

BackgroundDownloadController::~BackgroundDownloadController() = default;

void BackgroundDownloadController::startOrStopBackgroundDownload()
{
    qCDebug(lcFavorites, "void BackgroundDownloadController::startOrStopBackgroundDownload() start");
    myRepository.getSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, myEnabled);
    if (!myService) {
        qCWarning(lcFavorites, "void BackgroundDownloadController::startOrStopBackgroundDownload() - no video service");
        return;
    }

    if (myEnabled != 0) {
        // The new entry goes to the service before the previous one is released: a
        // running download of the previous one is replaced, never left holding it.
        std::unique_ptr<VideoEntry> previous = std::move(myDownloadEntry);
        myDownloadEntry.reset(myRepository.getFirstDownloadEntry());
        if (myDownloadEntry)
            myService->backgrounddownload(myDownloadEntry.get());
        else
            qCDebug(lcFavorites, "First entry is empty");
    } else {
        myService->cancelBackgoundDownload();
        myDownloadEntry.reset();
    }
    qCDebug(lcFavorites, "void BackgroundDownloadController::startOrStopBackgroundDownload() end");
}

void BackgroundDownloadController::checkBackgroundDownloadState()
{
    if (myService && myService->getBackgroundDownloadState())
        return;
    startOrStopBackgroundDownload();
}

void BackgroundDownloadController::backgroundDownloadDone()
{
    qCDebug(lcFavorites, "void BackgroundDownloadController::backgroundDownloadDone() start");
    if (myDownloadEntry) {
        // A favourite removed while it was fetched has nothing to store its file under:
        // the file goes too, or it would take space on the card for good.
        if (myRepository.storeDownloadedEntry(myDownloadEntry.get()) == eRepNotFound)
            QFile::remove(myDownloadEntry->getVideoFile());
    } else
        qCDebug(lcFavorites,
                "void BackgroundDownloadController::backgroundDownloadDone() - no entry was being downloaded");
    myDownloadEntry.reset();
    refreshFavoriteLists();
    checkBackgroundDownloadState();
    qCDebug(lcFavorites, "void BackgroundDownloadController::backgroundDownloadDone() end");
}

void BackgroundDownloadController::backgroundDownloadInvalid(const QString& text)
{
    Q_UNUSED(text);
    qCDebug(lcFavorites, "void BackgroundDownloadController::backgroundDownloadInvalid(const QString&) start");
    if (myDownloadEntry)
        myRepository.markEntryInvalid(myDownloadEntry.get());
    else
        qCDebug(lcFavorites,
                "void BackgroundDownloadController::backgroundDownloadInvalid(const QString&) - no entry was being "
                "downloaded");
    refreshFavoriteLists();
    startOrStopBackgroundDownload();
    qCDebug(lcFavorites, "void BackgroundDownloadController::backgroundDownloadInvalid(const QString&) end");
}

void BackgroundDownloadController::backgroundDownloadStopped()
{
    qCDebug(lcFavorites, "void BackgroundDownloadController::backgroundDownloadStopped() - the queue pauses");
    myDownloadEntry.reset();
}

void BackgroundDownloadController::refreshFavoriteLists()
{
    if (myFavoriteController)
        myFavoriteController->refreshLists();
}
