#include "service/account/UploadManager.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/account/AccountConstants.h"
#include "service/account/AtomEntryWriter.h"
#include "service/account/MultipartUploadDevice.h"

#include <QDebug>
#include <QFileInfo>
#include <QUuid>

#include <climits>

namespace {

const QByteArray CRLF = QByteArrayLiteral("\r\n");

} // namespace

UploadManager::UploadManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                             Repository& repository, QObject* parent)
    : AccountRequestManager(network, endpoints, repository, parent)
{
}

UploadManager::~UploadManager()
{
    // The requests go before the device they read from; their aborted replies go with
    // the network manager, which the service deletes right after its managers.
    abortAll();
}

bool UploadManager::isComplete(const QMap<QString, QString>& video)
{
    for (const QString& key : {UPLOAD_LOCATION, UPLOAD_TITLE, UPLOAD_DESCRIPTION, UPLOAD_CATEGORY, UPLOAD_KEYWORDS}) {
        if (!video.contains(key))
            return false;
        if (key != UPLOAD_DESCRIPTION && video.value(key).isEmpty())
            return false;
    }
    const QFileInfo file(video.value(UPLOAD_LOCATION));
    return file.isFile() && file.isReadable();
}

QByteArray UploadManager::contentTypeOf(const QString& fileName)
{
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    for (const VideoMimeType& type : UPLOAD_VIDEO_TYPES)
        if (suffix == type.extension)
            return QByteArray(type.type);
    return CONTENT_TYPE_OCTET_STREAM;
}

QByteArray UploadManager::bodyHead(const QMap<QString, QString>& video, const QByteArray& boundary)
{
    return "--" + boundary + CRLF + HEADER_CONTENT_TYPE + ": " + CONTENT_TYPE_ATOM + CRLF + CRLF
        + AtomEntryWriter::upload(video.value(UPLOAD_TITLE), video.value(UPLOAD_DESCRIPTION),
                                  video.value(UPLOAD_CATEGORY), video.value(UPLOAD_KEYWORDS))
        + CRLF + "--" + boundary + CRLF + HEADER_CONTENT_TYPE + ": " + contentTypeOf(video.value(UPLOAD_LOCATION))
        + CRLF + HEADER_CONTENT_TRANSFER_ENCODING_BINARY + CRLF + CRLF;
}

QByteArray UploadManager::bodyTail(const QByteArray& boundary)
{
    return CRLF + "--" + boundary + "--" + CRLF;
}

void UploadManager::uploadVideo(const QMap<QString, QString>& video)
{
    qCDebug(lcService) << "UploadManager::uploadVideo(QMap<QString,QString>)"
                       << "start";
    cancel();
    myVideo = video;
    myRepeated = false;
    if (!start())
        qCDebug(lcService) << "UploadManager::uploadVideo(QMap<QString,QString>)"
                           << "incomplete form or unreadable file";
    qCDebug(lcService) << "UploadManager::uploadVideo(QMap<QString,QString>)"
                       << "end";
}

bool UploadManager::start()
{
    if (!isComplete(myVideo))
        return false;
    const QString location = myVideo.value(UPLOAD_LOCATION);
    const QByteArray boundary = UPLOAD_BOUNDARY_PREFIX + QUuid::createUuid().toString(QUuid::Id128).toLatin1();
    auto* device = new MultipartUploadDevice(bodyHead(myVideo, boundary), location, bodyTail(boundary), this);
    if (!device->open(QIODevice::ReadOnly)) {
        qCDebug(lcService) << "UploadManager::start"
                           << "the file cannot be read:" << device->errorString();
        delete device;
        return false;
    }
    myDevice = device;
    auto* request = new AccountRequest(endpoints().url(ServiceEndpoints::eUpload, PATH_UPLOAD_FEED),
                                       QByteArrayLiteral("POST"));
    request->setRawHeader(HEADER_CONTENT_TYPE, CONTENT_TYPE_MULTIPART_RELATED + '"' + boundary + '"');
    request->setRawHeader(HEADER_SLUG, QUrl::toPercentEncoding(QFileInfo(location).fileName()));
    request->setBodyDevice(device);
    send(request);
    return true;
}

void UploadManager::cancel()
{
    abortAll();
    dropDevice();
    myAwaitingSignIn = false;
}

bool UploadManager::isUploading() const
{
    return pendingCount() > 0 || myAwaitingSignIn;
}

void UploadManager::dropDevice()
{
    if (!myDevice)
        return;
    // Left open: the reply it fed was dropped just before and goes first (its network
    // thread may still ask it for a piece until then); it closes when it is deleted.
    MultipartUploadDevice* device = myDevice;
    myDevice = nullptr;
    device->deleteLater();
}

void UploadManager::requestUploadProgress(ServiceRequest*, qint64 sent, qint64 total)
{
    // The transfer closes with a (0, 0) report that says nothing; while the total is
    // unknown the body's own size stands in.
    if (sent <= 0 && total <= 0)
        return;
    if (total <= 0 && myDevice)
        total = myDevice->size();
    if (total <= 0 || sent < 0)
        return;
    // The signal counts in int: a body over 2 GB is reported in larger units.
    const qint64 unit = total > INT_MAX ? total / INT_MAX + 1 : 1;
    Q_EMIT uploadInProgress(int(qMin(sent, total) / unit), int(total / unit));
}

bool UploadManager::requestUnauthorized(ServiceRequest*)
{
    if (myRepeated)
        return false;
    // Kept until the sign-in is renewed; the upload then starts over from the map.
    myRepeated = true;
    myAwaitingSignIn = true;
    if (!renewSignIn()) {
        myAwaitingSignIn = false;
        return false;
    }
    return true;
}

void UploadManager::renewalEnded(bool ok, const QString& message)
{
    if (!myAwaitingSignIn)
        return;
    myAwaitingSignIn = false;
    abortAll();
    dropDevice();
    if (!ok) {
        qCDebug(lcService) << "UploadManager::renewalEnded" << message;
        Q_EMIT uploadDone(false, TEXT_UPLOAD_FAILED());
        return;
    }
    qCDebug(lcService) << "UploadManager::renewalEnded"
                       << "repeating the upload";
    // The user waits for this upload's outcome: a file gone meanwhile is a failure.
    if (!start()) {
        qCDebug(lcService) << "UploadManager::renewalEnded"
                           << "the file cannot be read any more";
        Q_EMIT uploadDone(false, TEXT_UPLOAD_FAILED());
    }
}

void UploadManager::requestSucceeded(ServiceRequest* request)
{
    dropDevice();
    if (request->httpStatus() == 201) {
        Q_EMIT uploadDone(true, TEXT_UPLOAD_FINISHED());
        return;
    }
    // Without the created entry the video cannot be taken as uploaded; the user
    // hears of it rather than waiting for an outcome that never comes.
    qCDebug(lcService) << "UploadManager::requestSucceeded"
                       << "unexpected answer" << request->httpStatus();
    Q_EMIT uploadDone(false, TEXT_UPLOAD_FAILED());
}

void UploadManager::requestFailed(ServiceRequest* request)
{
    dropDevice();
    qCDebug(lcService) << "UploadManager::requestFailed" << request->failureMessage();
    if (request->failureKind() == ServiceRequest::eHttpError && request->httpStatus() == 503)
        Q_EMIT uploadDone(false, TEXT_SERVICE_NOT_AVAILABLE());
    else
        Q_EMIT uploadDone(false, TEXT_UPLOAD_FAILED());
}
