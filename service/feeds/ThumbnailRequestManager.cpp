#include "service/feeds/ThumbnailRequestManager.h"
#include "core/FileManager.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QSaveFile>

namespace {

struct ThumbnailRequest : public ServiceRequest
{
    ThumbnailRequest(const QUrl& url, VideoListModel* m, VideoEntry* e, const QString& file)
        : ServiceRequest(url), model(m), entry(e), videoId(e->getVideoId()), fileName(file)
    {
        setSendsApiHeaders(false);
    }

    QPointer<VideoListModel> model;
    const void* modelKey = nullptr;
    VideoEntry* entry;         // only touched while the model still holds it
    QString videoId;
    QString fileName;
};

} // namespace

ThumbnailRequestManager::ThumbnailRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                                 QObject* parent)
    : RequestManagerBase(network, endpoints, parent)
{
}

QString ThumbnailRequestManager::thumbnailFileName(const VideoEntry& entry)
{
    QString base = entry.getVideoId();
    if (base.isEmpty())
        base = QString::fromLatin1(
            QCryptographicHash::hash(entry.getThumbnailUrl().toUtf8(), QCryptographicHash::Sha1).toHex());
    return FileManager::sanitizeFileName(base + THUMBNAIL_FILE_SUFFIX);
}

void ThumbnailRequestManager::fetch(VideoListModel* model, VideoEntry* entry, const QString& folder)
{
    // Only entries the model still holds are touched.
    if (!model || !entry || folder.isEmpty() || model->findEntryIndex(entry) < 0
        || entry->getThumbnailUrl().isEmpty())
        return;
    const QUrl url = endpoints().mapDocumentUrl(entry->getThumbnailUrl());
    if (!url.isValid()) {
        qCDebug(lcService) << "ThumbnailRequestManager::fetch"
                           << "refused thumbnail address" << entry->getThumbnailUrl();
        return;
    }
    const QString fileName = QDir(folder).filePath(thumbnailFileName(*entry));

    // A picture fetched earlier in this run.
    if (QFileInfo::exists(fileName)) {
        QImage image;
        if (image.load(fileName) && attach(model, entry, entry->getVideoId(), image, fileName))
            return;
    }
    auto* request = new ThumbnailRequest(url, model, entry, fileName);
    request->modelKey = model;
    send(request);
}

void ThumbnailRequestManager::abortForModel(const VideoListModel* model)
{
    const QList<ServiceRequest*> pending = pendingRequests();
    for (ServiceRequest* r : pending)
        if (static_cast<ThumbnailRequest*>(r)->modelKey == model)
            abort(r);
}

void ThumbnailRequestManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<ThumbnailRequest*>(r);
    QImage image;
    if (!image.loadFromData(request->receivedData())) {
        reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The thumbnail is not a picture"));
        return;
    }
    QDir().mkpath(QFileInfo(request->fileName).absolutePath());
    QSaveFile file(request->fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(request->receivedData()) != request->receivedData().size()
        || !file.commit()) {
        reportFailure(request, ServiceRequest::eWriteError, file.errorString());
        return;
    }
    attach(request->model, request->entry, request->videoId, image, request->fileName);
}

void ThumbnailRequestManager::requestFailed(ServiceRequest* r)
{
    auto* request = static_cast<ThumbnailRequest*>(r);
    qCDebug(lcService) << "ThumbnailRequestManager::requestFailed" << request->videoId << request->failureMessage();
}

bool ThumbnailRequestManager::attach(VideoListModel* model, VideoEntry* entry, const QString& videoId,
                                     const QImage& image, const QString& fileName)
{
    // The model may have been cleared or refilled while the picture was on its way.
    if (!model || model->findEntryIndex(entry) < 0 || entry->getVideoId() != videoId)
        return false;
    entry->setThumbnail(image);
    entry->setThumbnailFile(fileName);
    model->updateEntry(entry);
    return true;
}
