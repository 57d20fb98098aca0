#include "service/YoutubeVideoService.h"
#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "core/constants/Paths.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/feeds/CategoryRequestManager.h"
#include "service/feeds/CommentRequestManager.h"
#include "service/feeds/ThumbnailRequestManager.h"
#include "service/feeds/VideoDownloadManager.h"
#include "service/feeds/VideoFeedRequestManager.h"

#include <QDebug>
#include <QNetworkAccessManager>

YoutubeVideoService::YoutubeVideoService(Repository& repository, QObject* parent)
    : YoutubeVideoService(repository, ServiceEndpoints::fromEnvironment(), parent)
{
}

YoutubeVideoService::YoutubeVideoService(Repository& repository, const ServiceEndpoints& endpoints, QObject* parent)
    : VideoServiceProvider(parent), myRepository(repository), myEndpoints(endpoints)
{
    initialize();
}

YoutubeVideoService::~YoutubeVideoService()
{
    // The managers go first: they drop their requests while the network manager (and
    // so the replies) still exist.
    const QList<RequestManagerBase*> managers = findChildren<RequestManagerBase*>(QString(), Qt::FindDirectChildrenOnly);
    qDeleteAll(managers);
}

void YoutubeVideoService::initialize()
{
    qCDebug(lcService) << "YoutubeVideoService::initialize()"
                       << "start";
    myNetwork = new QNetworkAccessManager(this);
    myFeeds = new VideoFeedRequestManager(myNetwork, myEndpoints, myRepository, this);
    myComments = new CommentRequestManager(myNetwork, myEndpoints, this);
    myCategories = new CategoryRequestManager(myNetwork, myEndpoints, this);
    myDownload = new VideoDownloadManager(myNetwork, myEndpoints, this);
    myBackgroundDownload = new VideoDownloadManager(myNetwork, myEndpoints, this);
    myThumbnails = new ThumbnailRequestManager(myNetwork, myEndpoints, this);

    connect(myFeeds, &VideoFeedRequestManager::updateModel, this, &VideoServiceProvider::updateModel);
    connect(myFeeds, &VideoFeedRequestManager::noResults, this, &VideoServiceProvider::noResults);
    connect(myFeeds, &VideoFeedRequestManager::errorOccuredInFeedRequest, this,
            &VideoServiceProvider::errorOccuredInFeedRequest);
    connect(myFeeds, &VideoFeedRequestManager::errorOccuredInRelatedVideos, this,
            &VideoServiceProvider::errorOccuredInRelatedVideos);
    connect(myComments, &CommentRequestManager::commentsReady, this, &VideoServiceProvider::commentsReady);
    connect(myComments, &CommentRequestManager::errorOccuredInCommentFetching, this,
            &VideoServiceProvider::errorOccuredInCommentFetching);
    connect(myCategories, &CategoryRequestManager::categoriesReady, this, &VideoServiceProvider::categoriesReady);
    connect(myCategories, &CategoryRequestManager::errorOccuredInCategory, this,
            &VideoServiceProvider::errorOccuredInCategory);

    connect(myDownload, &VideoDownloadManager::progress, this, &VideoServiceProvider::downloadInProgress);
    connect(myDownload, &VideoDownloadManager::finished, this, [this] { Q_EMIT videoIsDownloaded(); });
    connect(myDownload, &VideoDownloadManager::failed, this,
            [this](const QString& message) { Q_EMIT errorOccuredInDownload(message); });
    connect(myBackgroundDownload, &VideoDownloadManager::progress, this, &YoutubeVideoService::backgroundProgress);
    connect(myBackgroundDownload, &VideoDownloadManager::finished, this,
            [this] { Q_EMIT backgroundVideoIsDownloaded(); });
    connect(myBackgroundDownload, &VideoDownloadManager::failed, this, &YoutubeVideoService::backgroundFailed);

    mySortBy.insert(SORT_RELEVANCE, TEXT_SORT_RELEVANCE());
    mySortBy.insert(SORT_PUBLISHED, TEXT_SORT_DATE_ADDED());
    mySortBy.insert(SORT_VIEW_COUNT, TEXT_SORT_VIEW_COUNT());
    mySortBy.insert(SORT_RATING, TEXT_SORT_RATING());

    initializeAccount();

    myInitialized = true;
    if (!myRepository.getFileManager()) {
        qCWarning(lcService) << "YoutubeVideoService::initialize()"
                             << "the repository has no media folders";
        myInitialized = false;
    }
    const QUrl base(myEndpoints.baseUrl(), QUrl::StrictMode);
    const bool usableBase = base.isValid() && !base.host().isEmpty()
        && (base.scheme() == QLatin1String("http") || base.scheme() == QLatin1String("https"));
    if (myEndpoints.isOverridden() && !usableBase) {
        qCWarning(lcService) << "YoutubeVideoService::initialize()"
                             << "invalid service base URL" << myEndpoints.baseUrl();
        myInitialized = false;
    }
    qCDebug(lcService) << "YoutubeVideoService::initialize()"
                       << "end";
}

void YoutubeVideoService::setRequestLimits(const RequestLimits& limits)
{
    const QList<RequestManagerBase*> managers = findChildren<RequestManagerBase*>();
    for (RequestManagerBase* manager : managers)
        manager->setLimits(limits);
}

// ---- Feeds

void YoutubeVideoService::getFeed(eFeedRequestType type, VideoListModel* model, int startIndex,
                                  const QString& timeFilter)
{
    myFeeds->getFeed(type, model, startIndex, timeFilter);
}

void YoutubeVideoService::search(const QString& text, const QString& category, const QString& sortBy,
                                 VideoListModel* model, int startIndex)
{
    myFeeds->makeSearch(text, category, sortBy, model, startIndex);
}

void YoutubeVideoService::getRelatedVideos(VideoEntry* video, VideoListModel* model, int startIndex)
{
    myFeeds->getRelatedVideos(video, model, startIndex);
}

void YoutubeVideoService::getVideoResponses(VideoEntry* video, VideoListModel* model, int startIndex)
{
    myFeeds->getVideoResponses(video, model, startIndex);
}

void YoutubeVideoService::getUploadedVideos(const QString& user, VideoListModel* model, int startIndex)
{
    myFeeds->getUploadedVideos(user, model, startIndex);
}

void YoutubeVideoService::cancelFeedRequests()
{
    myFeeds->cancelRequests();
}

int YoutubeVideoService::getTotalResults(VideoListModel* model) const
{
    return myFeeds->getTotalResults(model);
}

// ---- Comments

void YoutubeVideoService::getComments(VideoEntry* video, CommentListModel* model, int startIndex)
{
    myComments->getComments(video, model, startIndex);
}

// ---- Categories and sort orders

void YoutubeVideoService::getCategories()
{
    myCategories->getCategories();
}

CategoryMap& YoutubeVideoService::getSortBy()
{
    return mySortBy;
}

// ---- Regular download

void YoutubeVideoService::download(VideoEntry* video)
{
    if (!video) {
        qCDebug(lcService) << "NULL pointer: "
                           << "YoutubeVideoService::download";
        return;
    }
    const QString videoId = video->getVideoId();
    if (myDownload->isRunning() && myDownload->videoId() == videoId) {
        qCDebug(lcService) << "YoutubeVideoService::download"
                           << "already downloading" << videoId;
        return;
    }
    myDownloadVideoId = videoId;
    if (videoId.isEmpty() || !myRepository.getFileManager()) {
        myDownload->cancel();
        const QString message = videoId.isEmpty() ? QStringLiteral("The video has no id")
                                                  : QStringLiteral("There is no folder for videos");
        // Reported from the event loop, as every other outcome of a download is.
        QMetaObject::invokeMethod(
            this, [this, message] { Q_EMIT errorOccuredInDownload(message); }, Qt::QueuedConnection);
        return;
    }
    const QString path = myRepository.getFileManager()->getVideoFolder()
        + FileManager::sanitizeFileName(videoId + VIDEO_FILE_SUFFIX);
    myDownload->start(videoId, path, true);
}

void YoutubeVideoService::cancelDownload()
{
    myDownload->cancel();
}

bool YoutubeVideoService::getDownloadState()
{
    return myDownload->isRunning();
}

const QString& YoutubeVideoService::getDownloadVideoId()
{
    return myDownloadVideoId;
}

void YoutubeVideoService::setVideoFileName(VideoEntry* video)
{
    if (!video) {
        qCDebug(lcService) << "NULL pointer: "
                           << "YoutubeVideoService::setVideoFileName";
        return;
    }
    video->setVideoFile(FileManager::sanitizeFileName(video->getVideoId() + VIDEO_FILE_SUFFIX));
}

// ---- Pictures

void YoutubeVideoService::getThumbnail(VideoListModel* model, VideoEntry* entry)
{
    myThumbnails->fetch(model, entry, myRepository.getThumbnailFolder());
}

// ---- Background download

void YoutubeVideoService::backgrounddownload(VideoEntry* video)
{
    if (!video) {
        qCDebug(lcService) << "NULL pointer: "
                           << "YoutubeVideoService::backgrounddownload";
        return;
    }
    const QString videoId = video->getVideoId();
    if (!myRepository.getFileManager()) {
        qCWarning(lcService) << "YoutubeVideoService::backgrounddownload"
                             << "there is no folder for videos";
        return;
    }
    const QString path = myRepository.getFileManager()->getFavoriteVideoFolder()
        + FileManager::sanitizeFileName(videoId + VIDEO_FILE_SUFFIX);
    video->setVideoFile(path);
    if (videoId.isEmpty()) {
        myBackgroundDownload->cancel();
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT videoRemovedBackground(QStringLiteral("The video has no id")); },
            Qt::QueuedConnection);
        return;
    }
    // Queue downloads are not played while they grow: the file gets its name when complete.
    myBackgroundDownload->start(videoId, path, false);
}

void YoutubeVideoService::cancelBackgoundDownload()
{
    myBackgroundDownload->cancel();
}

bool YoutubeVideoService::getBackgroundDownloadState()
{
    return myBackgroundDownload->isRunning();
}

void YoutubeVideoService::backgroundProgress(qint64 received, qint64 total)
{
    const double percent = total > 0 ? 100.0 * double(received) / double(total) : 0.0;
    Q_EMIT backgroundDownloadInProgress(percent, myBackgroundDownload->videoId());
}

void YoutubeVideoService::backgroundFailed(const QString& message, bool unavailable)
{
    // A video that cannot be had is reported, and so is a storage that cannot take it
    // or a transfer that broke off; after any failure but the first the entry stays
    // queued and is taken up again later.
    if (unavailable) {
        Q_EMIT videoRemovedBackground(message);
    } else if (myBackgroundDownload->storageFault() != VideoDownloadManager::eNoStorageFault) {
        Q_EMIT backgroundStorageFailed(message);
    } else {
        qCDebug(lcService) << "YoutubeVideoService::backgroundFailed" << message;
        Q_EMIT backgroundDownloadFailed(TEXT_BACKGROUND_DOWNLOAD_STOPPED());
    }
}
