#include "service/feeds/CommentRequestManager.h"
#include "core/CommentListModel.h"
#include "core/VideoEntry.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/feeds/CommentFeedParser.h"

#include <QDebug>
#include <QPointer>

namespace {

struct CommentRequest : public ServiceRequest
{
    CommentRequest(const QUrl& url, CommentListModel* m) : ServiceRequest(url), model(m), modelKey(m) {}

    QPointer<CommentListModel> model;
    const CommentListModel* modelKey;
};

} // namespace

CommentRequestManager::CommentRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                             QObject* parent)
    : RequestManagerBase(network, endpoints, parent)
{
}

void CommentRequestManager::getComments(VideoEntry* video, CommentListModel* model, int startIndex)
{
    if (!video || !model) {
        qCDebug(lcService) << "NULL pointer: "
                           << "CommentRequestManager::getComments";
        return;
    }
    const QList<ServiceRequest*> pending = pendingRequests();
    for (ServiceRequest* r : pending)
        if (static_cast<CommentRequest*>(r)->modelKey == model)
            abort(r);

    if (video->getVideoId().isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT errorOccuredInCommentFetching(QStringLiteral("The video has no id")); },
            Qt::QueuedConnection);
        return;
    }
    QueryBuilder query;
    query.add(QUERY_MAX_RESULTS, QString::number(COMMENTS_PAGE_SIZE));
    if (startIndex > 0)
        query.add(QUERY_START_INDEX, QString::number(startIndex));
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    const QString path = PATH_VIDEOS + QLatin1Char('/') + ServiceEndpoints::pathSegment(video->getVideoId())
        + PATH_COMMENTS_SUFFIX;
    send(new CommentRequest(endpoints().url(ServiceEndpoints::eApi, path, query.toString()), model));
}

void CommentRequestManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<CommentRequest*>(r);
    CommentListModel* model = request->model;
    if (!model)
        return;
    CommentFeedParser parser;
    if (!parser.parse(request->receivedData())) {
        reportFailure(request, ServiceRequest::eMalformed,
                      QStringLiteral("The comments could not be read: ") + parser.errorString());
        return;
    }
    const QList<CommentEntry*> entries = parser.takeEntries();
    model->setTotal(parser.totalResults() >= 0 ? parser.totalResults() : entries.count());
    for (CommentEntry* entry : entries)
        model->addEntry(entry);
    Q_EMIT commentsReady();
}

void CommentRequestManager::requestFailed(ServiceRequest* r)
{
    Q_EMIT errorOccuredInCommentFetching(r->failureMessage());
}
