#include "tools/fakeservice/FakeService.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int MAX_HEAD_SIZE = 64 * 1024;
constexpr qint64 SEND_WINDOW = 256 * 1024;   // bytes queued in the socket at most
constexpr qint64 SOCKET_READ_BUFFER = 256 * 1024; // bytes a socket takes in before it is read
constexpr int PATTERN_PERIOD = 251;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 201: return "Created";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 410: return "Gone";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// 64 KiB of the pattern plus one period, so that any offset can be copied in one go.
const QByteArray& patternBlock()
{
    static const QByteArray block = [] {
        QByteArray b(64 * 1024 + PATTERN_PERIOD, Qt::Uninitialized);
        for (int i = 0; i < b.size(); ++i)
            b[i] = char(i % PATTERN_PERIOD);
        return b;
    }();
    return block;
}

} // namespace

// ---- FakeRequest / FakeResponse

QByteArray FakeRequest::header(const QByteArray& name) const
{
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return QByteArray();
}

QString FakeRequest::queryValue(const QString& key) const
{
    return query.queryItemValue(key, QUrl::FullyDecoded);
}

int FakeRequest::startIndex() const
{
    return qMax(1, queryValue(QStringLiteral("start-index")).toInt());
}

int FakeRequest::maxResults(int fallback) const
{
    const int size = queryValue(QStringLiteral("max-results")).toInt();
    return size > 0 ? size : fallback;
}

QString FakeRequest::target() const
{
    return query.isEmpty() ? path : path + QLatin1Char('?') + query.toString(QUrl::FullyDecoded);
}

FakeResponse& FakeResponse::header(const QByteArray& name, const QByteArray& value)
{
    headers.append(qMakePair(name, value));
    return *this;
}

FakeResponse FakeResponse::fixture(const QString& name, const QByteArray& contentType, int status)
{
    return document(FakeService::fixtureData(name), contentType, status);
}

FakeResponse FakeResponse::document(const QByteArray& body, const QByteArray& contentType, int status)
{
    FakeResponse r;
    r.status = status;
    r.body = body;
    r.header("Content-Type", contentType);
    return r;
}

FakeResponse FakeResponse::generated(qint64 size, const QByteArray& contentType)
{
    FakeResponse r;
    r.generatedSize = size;
    r.header("Content-Type", contentType);
    return r;
}

FakeResponse FakeResponse::redirect(const QByteArray& location, int status)
{
    FakeResponse r;
    r.status = status;
    r.header("Location", location);
    r.header("Content-Type", "text/html; charset=UTF-8");
    r.body = "<html><body>Moved</body></html>";
    return r;
}

FakeResponse FakeResponse::error(int status, const QByteArray& code, const QByteArray& reason)
{
    QByteArray body = "<?xml version='1.0' encoding='UTF-8'?><errors xmlns='http://schemas.google.com/g/2005'>"
                      "<error><domain>GData</domain><code>" + code + "</code><internalReason>" + reason
        + "</internalReason></error></errors>";
    return document(body, "application/vnd.google.gdata.error+xml", status);
}

// ---- Connection state

struct FakeService::Connection
{
    enum State { eHead, eBody, eChunkSize, eChunkData, eChunkEnd, eTrailer, eAnswering };

    QTcpSocket* socket = nullptr;
    QByteArray input;
    State state = eHead;
    FakeRequest request;
    qint64 remaining = 0;       // body bytes (or chunk bytes) still to read

    FakeResponse response;
    qint64 bodyLength = 0;
    qint64 sent = 0;
    bool closeAfter = false;
    bool stalled = false;
    bool readingPaused = false;
    bool pausedOnce = false;
    QElapsedTimer clock;        // since the head went out (for the rate limit)
    bool pumpScheduled = false; // a rate-limited pump waits for its time
};

// ---- FakeService

FakeService::FakeService(QObject* parent) : QObject(parent), myServer(new QTcpServer(this))
{
    connect(myServer, &QTcpServer::newConnection, this, &FakeService::acceptConnections);
}

FakeService::~FakeService()
{
    abortConnections();
}

void FakeService::pauseRequestBodies(qint64 afterBytes, int pauseMs)
{
    myPauseAfter = afterBytes;
    myPauseMs = pauseMs;
}

void FakeService::abortConnections()
{
    const QList<Connection*> connections = myConnections;
    for (Connection* c : connections)
        closeConnection(c, true);
}

bool FakeService::start(quint16 port)
{
    return myServer->listen(QHostAddress::LocalHost, port);
}

quint16 FakeService::port() const
{
    return myServer->serverPort();
}

QString FakeService::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

void FakeService::addRoute(const QByteArray& method, const QString& path, const FakeResponse& response)
{
    addRoute(method, path, [response](const FakeRequest&) { return response; });
}

void FakeService::addRoute(const QByteArray& method, const QString& path, const FakeHandler& handler)
{
    myRoutes.insert(QString::fromLatin1(method) + QLatin1Char(' ') + path, handler);
}

void FakeService::removeRoute(const QByteArray& method, const QString& path)
{
    myRoutes.remove(QString::fromLatin1(method) + QLatin1Char(' ') + path);
}

QList<FakeRequest> FakeService::requestsTo(const QString& pathPrefix) const
{
    QList<FakeRequest> found;
    for (const FakeRequest& r : myRequests)
        if (r.path.startsWith(pathPrefix))
            found.append(r);
    return found;
}

QByteArray FakeService::generatedBytes(qint64 offset, qint64 size)
{
    QByteArray out;
    out.reserve(size);
    const QByteArray& block = patternBlock();
    while (size > 0) {
        const int start = int(offset % PATTERN_PERIOD);
        const qint64 n = qMin<qint64>(size, block.size() - PATTERN_PERIOD);
        out.append(block.constData() + start, n);
        offset += n;
        size -= n;
    }
    return out;
}

QByteArray FakeService::fixtureData(const QString& name)
{
    QFile file(QStringLiteral(":/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("FakeService: no fixture %s", qPrintable(name));
        return QByteArray();
    }
    return file.readAll();
}

void FakeService::acceptConnections()
{
    while (QTcpSocket* socket = myServer->nextPendingConnection()) {
        auto* connection = new Connection;
        connection->socket = socket;
        socket->setReadBufferSize(SOCKET_READ_BUFFER);
        myConnections.append(connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] { readFromSocket(connection); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, connection] { pump(connection); });
        connect(socket, &QTcpSocket::disconnected, this, [this, connection] { closeConnection(connection, false); });
    }
}

void FakeService::readFromSocket(Connection* connection)
{
    // Paused, the socket keeps what has come (its buffer is small, so the sender waits).
    if (connection->readingPaused)
        return;
    connection->input.append(connection->socket->readAll());
    // Answering may close (and delete) the connection.
    while (myConnections.contains(connection) && connection->state != Connection::eAnswering
           && !connection->readingPaused && parseRequest(connection)) {
    }
}

// Consumes input; true when it could make progress (and may be called again).
bool FakeService::parseRequest(Connection* c)
{
    auto takeBody = [this, c](qint64 n) {
        const qint64 room = myBodyRecordLimit - c->request.body.size();
        if (room > 0)
            c->request.body.append(c->input.constData(), int(qMin(room, n)));
        c->request.bodySize += n;
        c->input.remove(0, int(n));
        if (n > 0)
            Q_EMIT requestBodyProgress(c->request.path, c->request.bodySize);
        if (myPauseAfter >= 0 && !c->pausedOnce && c->request.bodySize >= myPauseAfter) {
            c->pausedOnce = true;
            c->readingPaused = true;
            QTimer::singleShot(myPauseMs, this, [this, c] {
                if (!myConnections.contains(c))
                    return;
                c->readingPaused = false;
                readFromSocket(c);
            });
        }
    };

    switch (c->state) {
    case Connection::eHead: {
        const int end = c->input.indexOf("\r\n\r\n");
        if (end < 0) {
            if (c->input.size() > MAX_HEAD_SIZE)
                closeConnection(c, true);
            return false;
        }
        const QList<QByteArray> lines = c->input.left(end).split('\n');
        c->input.remove(0, end + 4);
        c->request = FakeRequest();
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        c->request.method = requestLine.value(0);
        const QUrl target(QString::fromLatin1(requestLine.value(1)));
        c->request.path = target.path(QUrl::FullyDecoded);
        c->request.query = QUrlQuery(target.query(QUrl::FullyEncoded));
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const int colon = line.indexOf(':');
            if (colon > 0)
                c->request.headers.append(qMakePair(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
        }
        if (c->request.header("Transfer-Encoding").toLower().contains("chunked")) {
            c->state = Connection::eChunkSize;
        } else {
            c->remaining = c->request.header("Content-Length").toLongLong();
            c->state = Connection::eBody;
        }
        return true;
    }
    case Connection::eBody: {
        const qint64 n = qMin<qint64>(c->remaining, c->input.size());
        takeBody(n);
        c->remaining -= n;
        if (c->remaining > 0)
            return false;
        answer(c);
        return true;
    }
    case Connection::eChunkSize: {
        const int eol = c->input.indexOf("\r\n");
        if (eol < 0)
            return false;
        bool ok = false;
        c->remaining = c->input.left(eol).split(';').value(0).trimmed().toLongLong(&ok, 16);
        c->input.remove(0, eol + 2);
        if (!ok) {
            closeConnection(c, true);
            return false;
        }
        c->state = c->remaining == 0 ? Connection::eTrailer : Connection::eChunkData;
        return true;
    }
    case Connection::eChunkData: {
        const qint64 n = qMin<qint64>(c->remaining, c->input.size());
        takeBody(n);
        c->remaining -= n;
        if (c->remaining > 0)
            return false;
        c->state = Connection::eChunkEnd;
        return true;
    }
    case Connection::eChunkEnd:
        if (c->input.size() < 2)
            return false;
        c->input.remove(0, 2);
        c->state = Connection::eChunkSize;
        return true;
    case Connection::eTrailer: {
        const int eol = c->input.indexOf("\r\n");
        if (eol < 0)
            return false;
        c->input.remove(0, eol + 2);
        if (eol == 0)
            answer(c);
        return true;
    }
    case Connection::eAnswering:
        break;
    }
    return false;
}

FakeResponse FakeService::responseFor(const FakeRequest& request) const
{
    const QString method = QString::fromLatin1(request.method);
    for (const QString& m : {method, QStringLiteral("*")}) {
        const auto exact = myRoutes.constFind(m + QLatin1Char(' ') + request.path);
        if (exact != myRoutes.constEnd())
            return exact.value()(request);
    }
    // Longest matching prefix route.
    int bestLength = -1;
    FakeHandler best;
    for (auto it = myRoutes.constBegin(); it != myRoutes.constEnd(); ++it) {
        const QString& key = it.key();
        if (!key.endsWith(QLatin1Char('*')))
            continue;
        const int space = key.indexOf(QLatin1Char(' '));
        const QString routeMethod = key.left(space);
        if (routeMethod != method && routeMethod != QLatin1String("*"))
            continue;
        const QString prefix = key.mid(space + 1).chopped(1);
        if (request.path.startsWith(prefix) && prefix.size() > bestLength) {
            bestLength = prefix.size();
            best = it.value();
        }
    }
    if (best)
        return best(request);
    return FakeResponse::error(404, "ResourceNotFoundException", "No route for " + request.path.toUtf8());
}

void FakeService::answer(Connection* c)
{
    c->state = Connection::eAnswering;
    myRequests.append(c->request);
    Q_EMIT requestReceived(c->request.path);
    c->response = responseFor(c->request);
    Q_EMIT requestAnswered(c->request, c->response.status);
    c->bodyLength = c->response.generatedSize >= 0 ? c->response.generatedSize : c->response.body.size();
    c->sent = 0;
    c->stalled = false;
    c->pumpScheduled = false;
    c->closeAfter = c->response.announcedLength >= 0 || c->response.dropAfter >= 0
        || c->request.header("Connection").toLower() == "close";

    if (c->response.delayMs > 0) {
        QPointer<QTcpSocket> socket = c->socket;
        QTimer::singleShot(c->response.delayMs, this, [this, socket, c] {
            if (socket && myConnections.contains(c))
                writeHead(c);
        });
    } else {
        writeHead(c);
    }
}

void FakeService::writeHead(Connection* c)
{
    const FakeResponse& r = c->response;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + ' '
        + (r.reason.isEmpty() ? reasonPhrase(r.status) : r.reason) + "\r\n";
    for (const auto& h : r.headers)
        head += h.first + ": " + h.second + "\r\n";
    const qint64 length = r.announcedLength >= 0 ? r.announcedLength : c->bodyLength;
    head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    if (c->closeAfter)
        head += "Connection: close\r\n";
    head += "\r\n";
    c->socket->write(head);
    c->clock.start();
    pump(c);
}

void FakeService::pump(Connection* c)
{
    if (c->state != Connection::eAnswering || c->stalled || !myConnections.contains(c))
        return;
    const FakeResponse& r = c->response;
    while (c->sent < c->bodyLength && c->socket->bytesToWrite() < SEND_WINDOW) {
        qint64 limit = c->bodyLength;
        if (r.dropAfter >= 0)
            limit = qMin(limit, r.dropAfter);
        if (r.stallAfter >= 0)
            limit = qMin(limit, r.stallAfter);
        if (r.bytesPerSecond > 0)
            limit = qMin(limit, qMax<qint64>(1, c->clock.elapsed() * r.bytesPerSecond / 1000));
        if (c->sent >= limit) {
            if (r.bytesPerSecond > 0 && c->sent < c->bodyLength && !c->pumpScheduled)
                schedulePump(c);
            break;
        }
        const qint64 n = qMin<qint64>(qMax(1, r.chunkSize), limit - c->sent);
        if (r.generatedSize >= 0) {
            const QByteArray& block = patternBlock();
            qint64 left = n;
            qint64 offset = c->sent;
            while (left > 0) {
                const qint64 part = qMin<qint64>(left, block.size() - PATTERN_PERIOD);
                c->socket->write(block.constData() + int(offset % PATTERN_PERIOD), part);
                offset += part;
                left -= part;
            }
        } else {
            c->socket->write(r.body.constData() + c->sent, n);
        }
        c->sent += n;
    }
    if (r.dropAfter >= 0 && c->sent >= qMin(r.dropAfter, c->bodyLength) && c->sent < c->bodyLength) {
        c->socket->flush();
        closeConnection(c, false);
        return;
    }
    if (r.stallAfter >= 0 && c->sent >= r.stallAfter && c->sent < c->bodyLength) {
        c->stalled = true;
        return;
    }
    if (c->sent < c->bodyLength || c->socket->bytesToWrite() > 0)
        return;
    // The answer is out.
    if (c->closeAfter) {
        closeConnection(c, false);
        return;
    }
    c->state = Connection::eHead;
    c->response = FakeResponse();
    while (myConnections.contains(c) && c->state != Connection::eAnswering && parseRequest(c)) {
    }
}

void FakeService::schedulePump(Connection* c)
{
    c->pumpScheduled = true;
    const qint64 rate = c->response.bytesPerSecond;
    // Wake up when a chunk's worth of the rate has built up.
    const qint64 due = (c->sent + qMin<qint64>(qMax(1, c->response.chunkSize), c->bodyLength - c->sent)) * 1000 / rate;
    const int wait = int(qBound(qint64(1), due - c->clock.elapsed(), qint64(1000)));
    QPointer<QTcpSocket> socket = c->socket;
    QTimer::singleShot(wait, this, [this, socket, c] {
        if (!socket || !myConnections.contains(c))
            return;
        c->pumpScheduled = false;
        pump(c);
    });
}

void FakeService::closeConnection(Connection* c, bool abort)
{
    if (!myConnections.removeOne(c))
        return;
    QTcpSocket* socket = c->socket;
    socket->disconnect(this);
    if (abort)
        socket->abort();
    else
        socket->disconnectFromHost();
    socket->deleteLater();
    delete c;
}
