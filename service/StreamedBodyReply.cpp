#include "service/StreamedBodyReply.h"

#include <QMetaObject>
#include <QTcpSocket>
#ifndef QT_NO_SSL
#include <QSslSocket>
#endif

#include <cstring>

namespace {

constexpr qint64 BODY_PIECE = 256 * 1024;  // read from the body device at a time
constexpr qint64 WRITE_AHEAD = 1024 * 1024; // at most this much waits in the socket
constexpr qint64 PROGRESS_INTERVAL_MS = 100;
constexpr int MAX_HEAD_SIZE = 64 * 1024;
constexpr int MAX_CHUNK_LINE = 1024;

// Headers the reply writes itself.
bool isOwnHeader(const QByteArray& name)
{
    for (const char* own : {"host", "content-length", "connection", "transfer-encoding"})
        if (name.compare(own, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QNetworkReply::NetworkError networkErrorOf(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return QNetworkReply::ConnectionRefusedError;
    case QAbstractSocket::RemoteHostClosedError: return QNetworkReply::RemoteHostClosedError;
    case QAbstractSocket::HostNotFoundError: return QNetworkReply::HostNotFoundError;
    case QAbstractSocket::SocketTimeoutError: return QNetworkReply::TimeoutError;
    case QAbstractSocket::SslHandshakeFailedError: return QNetworkReply::SslHandshakeFailedError;
    case QAbstractSocket::ProxyConnectionRefusedError: return QNetworkReply::ProxyConnectionRefusedError;
    case QAbstractSocket::ProxyNotFoundError: return QNetworkReply::ProxyNotFoundError;
    case QAbstractSocket::ProxyAuthenticationRequiredError: return QNetworkReply::ProxyAuthenticationRequiredError;
    default: return QNetworkReply::UnknownNetworkError;
    }
}

} // namespace

StreamedBodyReply::StreamedBodyReply(QNetworkAccessManager::Operation operation, const QNetworkRequest& request,
                                     const QByteArray& verb, QIODevice* body, QObject* parent)
    : QNetworkReply(parent), mySocket(nullptr), myBody(body), myVerb(verb)
{
    setRequest(request);
    setUrl(request.url());
    setOperation(operation);
    QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);

    const QUrl url = request.url();
    const bool secure = url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    bool tlsMissing = secure;
#ifndef QT_NO_SSL
    if (secure && QSslSocket::supportsSsl()) {
        auto* socket = new QSslSocket(this);
        connect(socket, &QSslSocket::encrypted, this, &StreamedBodyReply::connected);
        mySocket = socket;
        tlsMissing = false;
    }
#endif
    if (!mySocket) {
        mySocket = new QTcpSocket(this);
        connect(mySocket, &QAbstractSocket::connected, this, &StreamedBodyReply::connected);
    }
    connect(mySocket, &QAbstractSocket::bytesWritten, this, &StreamedBodyReply::sendBody);
    connect(mySocket, &QIODevice::readyRead, this, &StreamedBodyReply::readAnswer);
    connect(mySocket, &QAbstractSocket::errorOccurred, this, &StreamedBodyReply::socketFailed);
    connect(mySocket, &QAbstractSocket::disconnected, this, &StreamedBodyReply::socketFailed);

    // Failures are reported from the event loop, as the manager's replies do: the
    // caller connects to the reply after it has been made.
    if (!body || !body->isReadable() || tlsMissing) {
        const QString text = body && body->isReadable() ? QStringLiteral("TLS is not available")
                                                        : QStringLiteral("The request's body cannot be read");
        QMetaObject::invokeMethod(this, [this, text] { fail(ProtocolUnknownError, text); }, Qt::QueuedConnection);
        return;
    }
    myBodySize = body->size() - body->pos();
    myBodyBuffer.resize(int(BODY_PIECE));
    const quint16 port = quint16(url.port(secure ? 443 : 80));
#ifndef QT_NO_SSL
    if (auto* socket = qobject_cast<QSslSocket*>(mySocket)) {
        socket->connectToHostEncrypted(url.host(), port);
        return;
    }
#endif
    mySocket->connectToHost(url.host(), port);
}

StreamedBodyReply::~StreamedBodyReply()
{
    mySocket->disconnect(this);
    mySocket->abort();
}

void StreamedBodyReply::connected()
{
    const QUrl target = url();
    QByteArray path = target.path(QUrl::FullyEncoded).toLatin1();
    if (path.isEmpty())
        path = "/";
    if (target.hasQuery())
        path += '?' + target.query(QUrl::FullyEncoded).toLatin1();
    QByteArray head = myVerb + ' ' + path + " HTTP/1.1\r\n";
    head += "Host: " + target.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1() + "\r\n";
    const QNetworkRequest sent = request();
    for (const QByteArray& name : sent.rawHeaderList())
        if (!isOwnHeader(name))
            head += name + ": " + sent.rawHeader(name) + "\r\n";
    head += "Content-Length: " + QByteArray::number(myBodySize) + "\r\nConnection: close\r\n\r\n";
    mySocket->write(head);
    myStage = eSending;
    myProgressChoke.start();
    sendBody();
}

void StreamedBodyReply::sendBody()
{
    if (myStage == eConnecting || myStage == eDone || !myBody)
        return;
    while (myBodyHanded < myBodySize && mySocket->bytesToWrite() < WRITE_AHEAD) {
        const qint64 n = myBody->read(myBodyBuffer.data(), qMin(BODY_PIECE, myBodySize - myBodyHanded));
        if (n <= 0) {
            const QString reason = n < 0 ? myBody->errorString() : QStringLiteral("it ended early");
            fail(UnknownContentError, QStringLiteral("The request's body could not be read: ") + reason);
            return;
        }
        mySocket->write(myBodyBuffer.constData(), n);
        myBodyHanded += n;
        // Into the system at once, while it takes more: the next piece is read meanwhile.
        mySocket->flush();
    }
    reportUploadProgress();
}

void StreamedBodyReply::reportUploadProgress()
{
    if (myAllSentReported)
        return;
    const qint64 sent = qMax<qint64>(0, myBodyHanded - mySocket->bytesToWrite());
    if (sent == myBodySize) {
        myAllSentReported = true;
        Q_EMIT uploadProgress(sent, myBodySize);
    } else if (myProgressChoke.elapsed() >= PROGRESS_INTERVAL_MS) {
        myProgressChoke.restart();
        Q_EMIT uploadProgress(sent, myBodySize);
    }
}

void StreamedBodyReply::readAnswer()
{
    if (myStage == eDone)
        return;
    myInput += mySocket->readAll();
    // The answer may come before the body is all sent (a refusal): it is read all the same.
    if (myStage == eConnecting || myStage == eSending)
        myStage = eAnswerHead;
    while (myStage == eAnswerHead) {
        if (!readAnswerHead())
            return;
    }
    if (myStage == eAnswerBody)
        readAnswerBody();
}

bool StreamedBodyReply::readAnswerHead()
{
    const int end = myInput.indexOf("\r\n\r\n");
    if (end < 0) {
        if (myInput.size() > MAX_HEAD_SIZE)
            fail(ProtocolFailure, QStringLiteral("The answer's head is too long"));
        return false;
    }
    const QList<QByteArray> lines = myInput.left(end).split('\n');
    myInput.remove(0, end + 4);
    const QList<QByteArray> statusLine = lines.first().trimmed().split(' ');
    bool ok = false;
    const int status = statusLine.value(1).toInt(&ok);
    if (!statusLine.first().startsWith("HTTP/1.") || !ok || status < 100 || status > 999) {
        fail(ProtocolFailure, QStringLiteral("The answer could not be read"));
        return false;
    }
    // An interim answer (100 Continue): the real one follows.
    if (status < 200)
        return true;

    setAttribute(QNetworkRequest::HttpStatusCodeAttribute, status);
    setAttribute(QNetworkRequest::HttpReasonPhraseAttribute,
                 QString::fromLatin1(statusLine.mid(2).join(' ')));
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        const QByteArray earlier = rawHeader(name);
        setRawHeader(name, earlier.isEmpty() ? value : earlier + ", " + value);
    }
    bool lengthOk = false;
    const qint64 length = rawHeader("Content-Length").toLongLong(&lengthOk);
    if (rawHeader("Transfer-Encoding").toLower().contains("chunked")) {
        myFraming = eInChunks;
    } else if (lengthOk && length >= 0) {
        myFraming = eByLength;
        myRemaining = length;
        myContentLength = length;
    } else if (status == 204 || status == 304 || myVerb == "HEAD") {
        myFraming = eByLength;
        myRemaining = 0;
        myContentLength = 0;
    } else {
        myFraming = eUntilClose;
    }
    myStage = eAnswerBody;
    Q_EMIT metaDataChanged();
    return myStage == eAnswerBody;
}

bool StreamedBodyReply::readAnswerBody()
{
    const qint64 before = myContent.size();
    bool complete = false;
    if (myFraming == eByLength) {
        const qint64 take = qMin<qint64>(myRemaining, myInput.size());
        myContent += myInput.left(int(take));
        myInput.remove(0, int(take));
        myRemaining -= take;
        complete = myRemaining == 0;
    } else if (myFraming == eUntilClose) {
        myContent += myInput;
        myInput.clear();
    } else {
        complete = readChunks();
        if (myStage == eDone)
            return false;
    }
    const qint64 arrived = myContent.size() - before;
    myContentReceived += arrived;
    if (arrived > 0) {
        Q_EMIT readyRead();
        if (myStage == eDone)
            return false;
        Q_EMIT downloadProgress(myContentReceived, myContentLength);
        if (myStage == eDone)
            return false;
    }
    if (complete)
        finish();
    return complete;
}

bool StreamedBodyReply::readChunks()
{
    for (;;) {
        if (myInChunkData) {
            const qint64 take = qMin<qint64>(myRemaining, myInput.size());
            myContent += myInput.left(int(take));
            myInput.remove(0, int(take));
            myRemaining -= take;
            if (myRemaining > 0 || myInput.size() < 2)
                return false;
            if (!myInput.startsWith("\r\n")) {
                fail(ProtocolFailure, QStringLiteral("The answer's chunks could not be read"));
                return false;
            }
            myInput.remove(0, 2);
            myInChunkData = false;
            continue;
        }
        const int eol = myInput.indexOf("\r\n");
        if (eol < 0) {
            if (myInput.size() > MAX_CHUNK_LINE)
                fail(ProtocolFailure, QStringLiteral("The answer's chunks could not be read"));
            return false;
        }
        const QByteArray line = myInput.left(eol);
        myInput.remove(0, eol + 2);
        if (myInTrailer) {
            if (line.isEmpty())
                return true;
            continue;
        }
        bool ok = false;
        const qint64 size = line.split(';').first().trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0) {
            fail(ProtocolFailure, QStringLiteral("The answer's chunks could not be read"));
            return false;
        }
        if (size == 0) {
            myInTrailer = true;
        } else {
            myRemaining = size;
            myInChunkData = true;
        }
    }
}

void StreamedBodyReply::socketFailed()
{
    if (myStage == eDone)
        return;
    if (mySocket->bytesAvailable() > 0)
        readAnswer();
    if (myStage == eDone)
        return;
    if (myStage == eAnswerBody && myFraming == eUntilClose) {
        finish();
        return;
    }
    const QAbstractSocket::SocketError error = mySocket->error();
    if (error == QAbstractSocket::UnknownSocketError || error == QAbstractSocket::RemoteHostClosedError)
        fail(RemoteHostClosedError, QStringLiteral("The connection was closed before the answer was complete"));
    else
        fail(networkErrorOf(error), mySocket->errorString());
}

void StreamedBodyReply::fail(NetworkError code, const QString& text)
{
    if (myStage == eDone)
        return;
    myStage = eDone;
    mySocket->disconnect(this);
    mySocket->abort();
    setError(code, text);
    setFinished(true);
    Q_EMIT errorOccurred(code);
    Q_EMIT readChannelFinished();
    Q_EMIT finished();
}

void StreamedBodyReply::finish()
{
    if (myStage == eDone)
        return;
    myStage = eDone;
    mySocket->disconnect(this);
    mySocket->abort();
    setFinished(true);
    Q_EMIT readChannelFinished();
    Q_EMIT finished();
}

void StreamedBodyReply::abort()
{
    fail(OperationCanceledError, QStringLiteral("Operation canceled"));
}

qint64 StreamedBodyReply::bytesAvailable() const
{
    return myContent.size() + QNetworkReply::bytesAvailable();
}

qint64 StreamedBodyReply::readData(char* data, qint64 maxSize)
{
    const qint64 n = qMin<qint64>(maxSize, myContent.size());
    if (n == 0)
        return myStage == eDone ? -1 : 0;
    std::memcpy(data, myContent.constData(), size_t(n));
    myContent.remove(0, int(n));
    return n;
}

qint64 StreamedBodyReply::writeData(const char*, qint64)
{
    return -1;
}
