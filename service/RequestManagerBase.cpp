#include "service/RequestManagerBase.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/account/AccountConstants.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QXmlStreamReader>

namespace {

// How much of an error answer is kept for its message when the body goes to a file.
constexpr qint64 ERROR_BODY_LIMIT = 64 * 1024;
constexpr qint64 READ_CHUNK = 64 * 1024;
constexpr qint64 STREAM_BUFFER_SIZE = 512 * 1024;

bool isSuccess(int status)
{
    return status >= 200 && status < 300;
}

QString failureText(ServiceRequest::FailureKind kind)
{
    switch (kind) {
    case ServiceRequest::eTimeout: return QStringLiteral("The request timed out");
    case ServiceRequest::eRedirectLoop: return QStringLiteral("Too many redirects");
    case ServiceRequest::eMalformed: return QStringLiteral("The answer could not be read");
    case ServiceRequest::eTruncated: return QStringLiteral("The connection was lost");
    case ServiceRequest::eOversized: return QStringLiteral("The answer is too large");
    case ServiceRequest::eWriteError: return QStringLiteral("The file could not be written");
    case ServiceRequest::eNetwork: return QStringLiteral("Network error");
    case ServiceRequest::eHttpError: return QStringLiteral("The service refused the request");
    case ServiceRequest::eRefusedAddress: return QStringLiteral("The address was refused");
    case ServiceRequest::eNoFailure: break;
    }
    return QString();
}

// A short write is retried for the rest: only a write that takes nothing fails, so
// the device's error is the system's own (a full disk, not "Unknown error").
bool writeAll(QIODevice* device, const char* data, qint64 size)
{
    qint64 written = 0;
    while (written < size) {
        const qint64 n = device->write(data + written, size - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

int portOf(const QUrl& url)
{
    return url.port(url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80);
}

bool sameOrigin(const QUrl& a, const QUrl& b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0
        && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && portOf(a) == portOf(b);
}

} // namespace

RequestManagerBase::RequestManagerBase(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                       QObject* parent)
    : QObject(parent), myNetwork(network), myEndpoints(endpoints)
{
}

RequestManagerBase::~RequestManagerBase()
{
    abortAll();
}

void RequestManagerBase::abortAll()
{
    QList<ServiceRequest*> pending;
    pending.swap(myPending);
    for (ServiceRequest* request : pending) {
        detachReply(request);
        delete request;
    }
}

void RequestManagerBase::abort(ServiceRequest* request)
{
    if (!myPending.removeOne(request))
        return;
    detachReply(request);
    delete request;
}

void RequestManagerBase::send(ServiceRequest* request)
{
    if (!request)
        return;
    myPending.append(request);
    start(request);
}

void RequestManagerBase::resend(ServiceRequest* request)
{
    if (!request || !myPending.contains(request) || !request->myWaitingForResend)
        return;
    request->myWaitingForResend = false;
    start(request);
}

void RequestManagerBase::decorateRequest(QNetworkRequest&, const ServiceRequest&)
{
}

bool RequestManagerBase::requestUnauthorized(ServiceRequest*)
{
    return false;
}

void RequestManagerBase::requestProgress(ServiceRequest*, qint64, qint64)
{
}

void RequestManagerBase::requestUploadProgress(ServiceRequest*, qint64, qint64)
{
}

void RequestManagerBase::start(ServiceRequest* request)
{
    request->myStatus = 0;
    request->myReceived.clear();
    request->myReplyHeaders.clear();
    request->myBytesReceived = 0;
    request->myBytesTotal = -1;
    request->myFailureKind = ServiceRequest::eNoFailure;
    request->myFailureMessage.clear();
    ++request->mySendCount;

    if (!request->myTimer) {
        request->myTimer = new QTimer;
        request->myTimer->setSingleShot(true);
    }
    request->myTimer->disconnect();
    if (!request->url().isValid()) {
        // Never sent; reported from the event loop, like every other end of a request.
        connect(request->myTimer, &QTimer::timeout, this, [this, request] {
            failWhileRunning(request, ServiceRequest::eRefusedAddress, failureText(ServiceRequest::eRefusedAddress));
        });
        request->myTimer->start(0);
        return;
    }

    QNetworkRequest networkRequest(request->url());
    networkRequest.setMaximumRedirectsAllowed(myLimits.maxRedirects);
    networkRequest.setHeader(QNetworkRequest::UserAgentHeader, HEADER_USER_AGENT_VALUE);
    if (request->sendsApiHeaders()) {
        networkRequest.setRawHeader(HEADER_GDATA_VERSION, HEADER_GDATA_VERSION_VALUE);
        networkRequest.setRawHeader(HEADER_DEVELOPER_KEY, HEADER_DEVELOPER_KEY_PREFIX + SERVICE_DEVELOPER_KEY);
    }
    for (const auto& header : request->rawHeaders())
        networkRequest.setRawHeader(header.first, header.second);
    decorateRequest(networkRequest, *request);
    // Credentials go along on every redirect the network layer follows: a request
    // that carries them follows only the redirects that checkRedirect() allows. A body
    // read from a device is sent once: the network layer's sending it again after a
    // redirect now and then ends in an unknown error, so such a request follows no
    // redirect and its 3xx answer fails it.
    const bool confined = request->carriesCredentials() || networkRequest.hasRawHeader(HEADER_AUTHORIZATION);
    QNetworkRequest::RedirectPolicy policy =
        confined ? QNetworkRequest::UserVerifiedRedirectPolicy : QNetworkRequest::NoLessSafeRedirectPolicy;
    if (request->bodyDevice())
        policy = QNetworkRequest::ManualRedirectPolicy;
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute, policy);

    QNetworkReply* reply = nullptr;
    if (request->bodyDevice())
        reply = myNetwork->sendCustomRequest(networkRequest, request->method(), request->bodyDevice());
    else if (request->method() == "GET")
        reply = myNetwork->get(networkRequest);
    else
        reply = myNetwork->sendCustomRequest(networkRequest, request->method(), request->body());
    request->myReply = reply;
    // A body that streams to a file is taken from the network only as fast as it is
    // written: the reply never holds more than this.
    if (request->sink())
        reply->setReadBufferSize(STREAM_BUFFER_SIZE);

    connect(request->myTimer, &QTimer::timeout, this, [this, request] { timeout(request); });
    request->myTimer->start(myLimits.timeoutMs);

    connect(reply, &QNetworkReply::metaDataChanged, this, [this, request] { readMetaData(request); });
    connect(reply, &QIODevice::readyRead, this, [this, request] { readAvailable(request); });
    connect(reply, &QNetworkReply::uploadProgress, this, [this, request](qint64 sent, qint64 total) {
        request->myTimer->start();
        requestUploadProgress(request, sent, total);
    });
    if (confined)
        connect(reply, &QNetworkReply::redirected, this,
                [this, request](const QUrl& target) { checkRedirect(request, target); });
    connect(reply, &QNetworkReply::finished, this, [this, request] { finishReply(request); });
}

void RequestManagerBase::checkRedirect(ServiceRequest* request, const QUrl& target)
{
    QNetworkReply* reply = request->myReply;
    if (!reply)
        return;
    const QUrl next = request->url().resolved(target);
    if (sameOrigin(request->url(), next)) {
        Q_EMIT reply->redirectAllowed();
        return;
    }
    failWhileRunning(request, ServiceRequest::eRefusedAddress,
                     failureText(ServiceRequest::eRefusedAddress)
                         + QStringLiteral(" (a redirect to %1)").arg(next.toString(QUrl::RemoveQuery | QUrl::RemoveUserInfo)));
}

void RequestManagerBase::readMetaData(ServiceRequest* request)
{
    QNetworkReply* reply = request->myReply;
    if (!reply)
        return;
    request->myStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    request->myReplyHeaders = reply->rawHeaderPairs();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    request->myBytesTotal = length.isValid() ? length.toLongLong() : -1;
    const bool buffered = !request->sink() || !isSuccess(request->myStatus);
    if (buffered && isSuccess(request->myStatus) && myLimits.maxDocumentSize > 0
        && request->myBytesTotal > myLimits.maxDocumentSize) {
        qCDebug(lcService) << "RequestManagerBase::readMetaData" << request->url().toString(QUrl::RemoveQuery)
                           << "announces" << request->myBytesTotal << "bytes";
        failWhileRunning(request, ServiceRequest::eOversized, failureText(ServiceRequest::eOversized));
    }
}

void RequestManagerBase::readAvailable(ServiceRequest* request)
{
    QNetworkReply* reply = request->myReply;
    if (!reply)
        return;
    request->myTimer->start();
    if (request->myStatus == 0)
        readMetaData(request);
    if (!request->myReply)
        return;

    const bool toSink = request->sink() && isSuccess(request->myStatus);
    if (toSink) {
        char buffer[READ_CHUNK];
        qint64 n;
        while ((n = reply->read(buffer, READ_CHUNK)) > 0) {
            if (!writeAll(request->sink(), buffer, n)) {
                failWhileRunning(request, ServiceRequest::eWriteError,
                                 failureText(ServiceRequest::eWriteError) + QStringLiteral(": ")
                                     + request->sink()->errorString());
                return;
            }
            request->myBytesReceived += n;
        }
    } else {
        const QByteArray data = reply->readAll();
        request->myBytesReceived += data.size();
        const bool success = isSuccess(request->myStatus);
        if (success && myLimits.maxDocumentSize > 0 && request->myBytesReceived > myLimits.maxDocumentSize) {
            qCDebug(lcService) << "RequestManagerBase::readAvailable" << request->url().toString(QUrl::RemoveQuery)
                               << "more than" << myLimits.maxDocumentSize << "bytes";
            failWhileRunning(request, ServiceRequest::eOversized, failureText(ServiceRequest::eOversized));
            return;
        }
        if (success || request->myReceived.size() < ERROR_BODY_LIMIT)
            request->myReceived.append(data);
    }
    requestProgress(request, request->myBytesReceived, request->myBytesTotal);
}

void RequestManagerBase::finishReply(ServiceRequest* request)
{
    QNetworkReply* reply = request->myReply;
    if (!reply)
        return;
    readMetaData(request);
    if (!request->myReply)
        return;
    if (reply->bytesAvailable() > 0)
        readAvailable(request);
    if (!request->myReply)
        return;

    const int status = request->myStatus;
    const QNetworkReply::NetworkError error = reply->error();
    const QByteArray reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray();
    const bool encoded = !reply->rawHeader("Content-Encoding").isEmpty()
        && reply->rawHeader("Content-Encoding").compare("identity", Qt::CaseInsensitive) != 0;
    const QString errorString = reply->errorString();
    detachReply(request);

    if (error == QNetworkReply::TooManyRedirectsError) {
        request->myFailureKind = ServiceRequest::eRedirectLoop;
        request->myFailureMessage = failureText(ServiceRequest::eRedirectLoop);
    } else if (status == 401 && keepUnauthorized(request)) {
        return;
    } else if (status >= 400) {
        request->myFailureKind = ServiceRequest::eHttpError;
        request->myFailureMessage = httpErrorMessage(status, reason, request->myReceived);
    } else if (isSuccess(status) && !encoded && request->myBytesTotal >= 0
               && request->myBytesReceived < request->myBytesTotal) {
        // The connection ended (with or without an error) before the announced length.
        // The user reads the message; how much had come is for the trace.
        qCDebug(lcService) << "RequestManagerBase::finishReply" << request->url().toString(QUrl::RemoveQuery)
                           << "ended after" << request->myBytesReceived << "of" << request->myBytesTotal << "bytes";
        request->myFailureKind = ServiceRequest::eTruncated;
        request->myFailureMessage = failureText(ServiceRequest::eTruncated);
    } else if (error != QNetworkReply::NoError) {
        request->myFailureKind = ServiceRequest::eNetwork;
        request->myFailureMessage = failureText(ServiceRequest::eNetwork) + QStringLiteral(": ") + errorString;
    } else if (!isSuccess(status)) {
        request->myFailureKind = ServiceRequest::eHttpError;
        request->myFailureMessage = httpErrorMessage(status, reason, request->myReceived);
    }
    complete(request, request->myFailureKind == ServiceRequest::eNoFailure);
}

bool RequestManagerBase::keepUnauthorized(ServiceRequest* request)
{
    // Marked first, so that the hook may resend at once.
    request->myWaitingForResend = true;
    const bool kept = requestUnauthorized(request);
    if (!kept)
        request->myWaitingForResend = false;
    return kept;
}

void RequestManagerBase::timeout(ServiceRequest* request)
{
    if (!request->myReply)
        return;
    failWhileRunning(request, ServiceRequest::eTimeout,
                     failureText(ServiceRequest::eTimeout)
                         + QStringLiteral(" (no answer for %1 ms)").arg(myLimits.timeoutMs));
}

void RequestManagerBase::failWhileRunning(ServiceRequest* request, ServiceRequest::FailureKind kind,
                                          const QString& message)
{
    detachReply(request);
    request->myFailureKind = kind;
    request->myFailureMessage = message;
    complete(request, false);
}

void RequestManagerBase::reportFailure(ServiceRequest* request, ServiceRequest::FailureKind kind,
                                       const QString& message)
{
    if (!request)
        return;
    detachReply(request);
    request->myFailureKind = kind;
    request->myFailureMessage = message.isEmpty() ? failureText(kind) : message;
    // Called from requestSucceeded(), the request is no longer pending: report only.
    if (!myPending.contains(request)) {
        requestFailed(request);
        return;
    }
    complete(request, false);
}

void RequestManagerBase::detachReply(ServiceRequest* request)
{
    if (request->myTimer)
        request->myTimer->stop();
    QNetworkReply* reply = request->myReply.data();
    request->myReply = nullptr;
    if (!reply)
        return;
    reply->disconnect(this);
    if (reply->isRunning())
        reply->abort();
    reply->deleteLater();
}

void RequestManagerBase::complete(ServiceRequest* request, bool ok)
{
    if (!myPending.removeOne(request))
        return;
    if (ok) {
        requestSucceeded(request);
    } else {
        qCDebug(lcService) << "RequestManagerBase::complete" << request->url().toString(QUrl::RemoveQuery)
                           << "failed:" << request->failureMessage();
        requestFailed(request);
    }
    delete request;
}

QString RequestManagerBase::httpErrorMessage(int status, const QByteArray& reason, const QByteArray& body)
{
    QString message = QStringLiteral("HTTP %1").arg(status);
    if (!reason.isEmpty())
        message += QLatin1Char(' ') + QString::fromLatin1(reason);

    // Service error documents: <errors><error><code/><internalReason/></error></errors>,
    // with or without a namespace.
    QString detail;
    QString code;
    QXmlStreamReader reader(body);
    bool inErrors = false;
    while (!reader.atEnd() && detail.isEmpty()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == GDATA_ERRORS) {
            inErrors = true;
        } else if (inErrors && reader.name() == GDATA_ERROR_REASON) {
            detail = reader.readElementText(QXmlStreamReader::SkipChildElements).simplified();
        } else if (inErrors && reader.name() == GDATA_ERROR_CODE && code.isEmpty()) {
            code = reader.readElementText(QXmlStreamReader::SkipChildElements).simplified();
        }
    }
    if (detail.isEmpty())
        detail = code;
    if (!detail.isEmpty())
        message += QStringLiteral(": ") + detail.left(200);
    return message;
}
