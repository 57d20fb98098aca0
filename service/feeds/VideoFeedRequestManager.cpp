#include "service/feeds/VideoFeedRequestManager.h"
#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/feeds/ThumbnailRequestManager.h"
#include "service/feeds/VideoFeedParser.h"

#include <QDebug>
#include <QPointer>

namespace {

struct FeedRequest : public ServiceRequest
{
    FeedRequest(const QUrl& url, VideoListModel* m, int k) : ServiceRequest(url), model(m), modelKey(m), kind(k) {}

    QPointer<VideoListModel> model;
    const VideoListModel* modelKey;
    int kind;
};

const QString& standardFeedName(eFeedRequestType type)
{
    switch (type) {
    case eMostRecent: return PATH_MOST_RECENT;
    case eMostDiscussed: return PATH_MOST_DISCUSSED;
    case eTopRated: return PATH_TOP_RATED;
    case eMostViewed: break;
    }
    return PATH_MOST_VIEWED;
}

} // namespace

VideoFeedRequestManager::VideoFeedRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                                 Repository& repository, QObject* parent)
    : RequestManagerBase(network, endpoints, parent),
      myRepository(repository),
      myThumbnails(new ThumbnailRequestManager(network, endpoints, this))
{
}

QString VideoFeedRequestManager::timeValue(const QString& timeFilter)
{
    const QString text = timeFilter.trimmed();
    if (text == TIME_FILTER_TODAY || text == TIME_TODAY)
        return TIME_TODAY;
    if (text == TIME_FILTER_THIS_WEEK || text == TIME_THIS_WEEK)
        return TIME_THIS_WEEK;
    if (text == TIME_FILTER_THIS_MONTH || text == TIME_THIS_MONTH)
        return TIME_THIS_MONTH;
    if (text == TIME_FILTER_ANY_TIME || text == TIME_ALL_TIME)
        return TIME_ALL_TIME;
    return QString();
}

QString VideoFeedRequestManager::safeSearchValue() const
{
    // Only a stored 0 lets adult content through: a damaged value (not a number)
    // keeps the search restricted.
    QString stored;
    myRepository.getSetting(SETTING_RESTRICTED_CONTENT, stored);
    bool isNumber = false;
    const int restricted = stored.trimmed().toInt(&isNumber, 10);
    return !isNumber || restricted != 0 ? SAFE_SEARCH_STRICT : SAFE_SEARCH_NONE;
}

void VideoFeedRequestManager::addPageKeys(QueryBuilder& query, int startIndex, bool alwaysStartIndex) const
{
    int pageSize = DEFAULT_AMOUNT_OF_RESULTS;
    myRepository.getSetting(SETTING_AMOUNT_OF_RESULTS, pageSize);
    if (pageSize < 1)
        pageSize = DEFAULT_AMOUNT_OF_RESULTS;
    // The service answers at most this many entries per page and refuses more.
    pageSize = qMin(pageSize, SERVICE_MAX_RESULTS_LIMIT);
    query.add(QUERY_MAX_RESULTS, QString::number(pageSize));
    if (startIndex > 0 || alwaysStartIndex)
        query.add(QUERY_START_INDEX, QString::number(qMax(1, startIndex)));
}

void VideoFeedRequestManager::getFeed(eFeedRequestType type, VideoListModel* model, int startIndex,
                                      const QString& timeFilter)
{
    if (!model) {
        qCDebug(lcService) << "NULL pointer: "
                           << "VideoFeedRequestManager::getFeed";
        return;
    }
    QString time = timeValue(timeFilter);
    if (time.isEmpty()) {
        QString stored;
        myRepository.getSetting(SETTING_TIME_FILTER, stored);
        time = timeValue(stored);
    }
    if (time.isEmpty())
        time = TIME_ALL_TIME;

    QueryBuilder query;
    addPageKeys(query, startIndex, true);
    query.add(QUERY_TIME, time);
    query.add(QUERY_SAFE_SEARCH, safeSearchValue());
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    sendFeed(PATH_STANDARD_FEEDS + standardFeedName(type), query, model, eFeed);
}

void VideoFeedRequestManager::makeSearch(const QString& text, const QString& category, const QString& sortBy,
                                         VideoListModel* model, int startIndex)
{
    if (!model) {
        qCDebug(lcService) << "NULL pointer: "
                           << "VideoFeedRequestManager::makeSearch";
        return;
    }
    QString stored;
    myRepository.getSetting(SETTING_TIME_FILTER, stored);
    QString time = timeValue(stored);
    if (time.isEmpty())
        time = TIME_ALL_TIME;

    QueryBuilder query;
    query.add(QUERY_TEXT, text);
    if (!category.isEmpty())
        query.add(QUERY_CATEGORY, category);
    if (!sortBy.isEmpty())
        query.add(QUERY_ORDER_BY, sortBy);
    addPageKeys(query, startIndex, true);
    query.add(QUERY_TIME, time);
    query.add(QUERY_SAFE_SEARCH, safeSearchValue());
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    sendFeed(PATH_VIDEOS, query, model, eFeed);
}

void VideoFeedRequestManager::getRelatedVideos(VideoEntry* video, VideoListModel* model, int startIndex)
{
    relatedFeed(video, model, startIndex, PATH_RELATED_SUFFIX, "VideoFeedRequestManager::getRelatedVideos");
}

void VideoFeedRequestManager::getVideoResponses(VideoEntry* video, VideoListModel* model, int startIndex)
{
    relatedFeed(video, model, startIndex, PATH_RESPONSES_SUFFIX, "VideoFeedRequestManager::getVideoResponses");
}

void VideoFeedRequestManager::relatedFeed(VideoEntry* video, VideoListModel* model, int startIndex,
                                          const QString& suffix, const char* operation)
{
    if (!video || !model) {
        qCDebug(lcService) << "NULL pointer: " << operation;
        return;
    }
    if (video->getVideoId().isEmpty()) {
        qCDebug(lcService) << operation << "the video has no id";
        QMetaObject::invokeMethod(this, &VideoFeedRequestManager::errorOccuredInRelatedVideos, Qt::QueuedConnection);
        return;
    }
    QueryBuilder query;
    addPageKeys(query, startIndex, true);
    query.add(QUERY_SAFE_SEARCH, safeSearchValue());
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    sendFeed(PATH_VIDEOS + QLatin1Char('/') + ServiceEndpoints::pathSegment(video->getVideoId()) + suffix, query,
             model, eRelated);
}

void VideoFeedRequestManager::getUploadedVideos(const QString& user, VideoListModel* model, int startIndex)
{
    if (!model) {
        qCDebug(lcService) << "NULL pointer: "
                           << "VideoFeedRequestManager::getUploadedVideos";
        return;
    }
    const QString name = user.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        qCDebug(lcService) << "VideoFeedRequestManager::getUploadedVideos"
                           << "no user name";
        QMetaObject::invokeMethod(this, &VideoFeedRequestManager::errorOccuredInFeedRequest, Qt::QueuedConnection);
        return;
    }
    QueryBuilder query;
    addPageKeys(query, startIndex, false);
    query.add(QUERY_SAFE_SEARCH, safeSearchValue());
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    sendFeed(PATH_USERS + ServiceEndpoints::pathSegment(name) + PATH_UPLOADS_SUFFIX, query, model, eFeed);
}

void VideoFeedRequestManager::cancelRequests()
{
    abortAll();
    myThumbnails->abortAll();
}

int VideoFeedRequestManager::getTotalResults(const VideoListModel* model) const
{
    return myTotals.value(model, 0);
}

void VideoFeedRequestManager::sendFeed(const QString& path, QueryBuilder& query, VideoListModel* model, Kind kind)
{
    watchModel(model);
    // The model is being refilled: an answer still on its way for it is stale.
    const QList<ServiceRequest*> pending = pendingRequests();
    for (ServiceRequest* r : pending)
        if (static_cast<FeedRequest*>(r)->modelKey == model)
            abort(r);
    myThumbnails->abortForModel(model);

    send(new FeedRequest(endpoints().url(ServiceEndpoints::eApi, path, query.toString()), model, kind));
}

void VideoFeedRequestManager::watchModel(VideoListModel* model)
{
    if (myWatched.contains(model))
        return;
    myWatched.insert(model);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this, model] { myThumbnails->abortForModel(model); });
    connect(model, &QObject::destroyed, this, [this, model] {
        myWatched.remove(model);
        myTotals.remove(model);
        myThumbnails->abortForModel(model);
        const QList<ServiceRequest*> pending = pendingRequests();
        for (ServiceRequest* r : pending)
            if (static_cast<FeedRequest*>(r)->modelKey == model)
                abort(r);
    });
}

void VideoFeedRequestManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<FeedRequest*>(r);
    VideoListModel* model = request->model;
    if (!model)
        return;

    VideoFeedParser parser;
    if (!parser.parse(request->receivedData())) {
        reportFailure(request, ServiceRequest::eMalformed,
                      QStringLiteral("The feed could not be read: ") + parser.errorString());
        return;
    }
    const QList<VideoEntry*> entries = parser.takeEntries();
    myTotals.insert(model, parser.totalResults() >= 0 ? parser.totalResults() : entries.count());
    if (entries.isEmpty()) {
        Q_EMIT noResults();
        return;
    }
    for (VideoEntry* entry : entries)
        model->addEntry(entry);
    Q_EMIT updateModel();

    // A receiver of updateModel() may have cleared or deleted the model.
    if (!request->model)
        return;
    const QString folder = myRepository.getThumbnailFolder();
    for (VideoEntry* entry : entries)
        myThumbnails->fetch(model, entry, folder);
}

void VideoFeedRequestManager::requestFailed(ServiceRequest* r)
{
    auto* request = static_cast<FeedRequest*>(r);
    qCDebug(lcService) << "VideoFeedRequestManager::requestFailed" << request->failureMessage();
    if (request->kind == eRelated)
        Q_EMIT errorOccuredInRelatedVideos();
    else
        Q_EMIT errorOccuredInFeedRequest();
}
