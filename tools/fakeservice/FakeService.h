#ifndef KRELVOX_FAKESERVICE_H
#define KRELVOX_FAKESERVICE_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrlQuery>

#include <functional>

class QTcpServer;
class QTcpSocket;

// One request as the fake service received it.
struct FakeRequest
{
    QByteArray method;
    QString path;                 // decoded path, without the query
    QUrlQuery query;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;              // at most FakeService::bodyRecordLimit() bytes
    qint64 bodySize = 0;          // bytes of the whole body

    QByteArray header(const QByteArray& name) const;
    QString queryValue(const QString& key) const; // fully decoded, "" when missing
    bool hasQueryKey(const QString& key) const { return query.hasQueryItem(key); }
    // The page a feed request asks for: "start-index" (1 when missing) and
    // "max-results" (fallback when missing or not positive).
    int startIndex() const;
    int maxResults(int fallback) const;
    // The request target as a log shows it: the path and the decoded query.
    QString target() const;
};

// How the fake service answers one request.
struct FakeResponse
{
    int status = 200;
    QByteArray reason;                           // "" gives the usual phrase
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    qint64 generatedSize = -1;     // >= 0: send that many bytes of generatedBytes() instead of body
    int chunkSize = 64 * 1024;     // bytes written per step
    int delayMs = 0;               // wait this long before answering
    qint64 dropAfter = -1;         // close the connection after this many body bytes
    qint64 stallAfter = -1;        // stop sending (but stay connected) after this many body bytes
    qint64 announcedLength = -1;   // Content-Length to claim instead of the true one
    qint64 bytesPerSecond = 0;     // > 0: the body goes out no faster than this

    FakeResponse& header(const QByteArray& name, const QByteArray& value);

    // A document from the fixture resources (":/fixtures/<name>").
    static FakeResponse fixture(const QString& name, const QByteArray& contentType, int status = 200);
    static FakeResponse document(const QByteArray& body, const QByteArray& contentType, int status = 200);
    static FakeResponse generated(qint64 size, const QByteArray& contentType = QByteArrayLiteral("video/x-flv"));
    static FakeResponse redirect(const QByteArray& location, int status = 302);
    static FakeResponse error(int status, const QByteArray& code, const QByteArray& reason);
};

using FakeHandler = std::function<FakeResponse(const FakeRequest&)>;

// A local stand-in for the video service: an HTTP/1.1 server on 127.0.0.1 that answers
// registered routes and records every request. Routes are (method, path); a path
// ending in "*" matches every path that starts with the text before it (the longest
// such prefix wins over shorter ones, an exact path over any prefix). Unknown routes
// get 404 with a service error document.
class FakeService : public QObject
{
    Q_OBJECT
public:
    explicit FakeService(QObject* parent = nullptr);
    ~FakeService() override;

    // Listens on 127.0.0.1 (port 0: a free port). False when that fails.
    bool start(quint16 port = 0);
    quint16 port() const;
    QString baseUrl() const;   // "http://127.0.0.1:<port>"

    void addRoute(const QByteArray& method, const QString& path, const FakeResponse& response);
    void addRoute(const QByteArray& method, const QString& path, const FakeHandler& handler);
    void removeRoute(const QByteArray& method, const QString& path);

    QList<FakeRequest> requests() const { return myRequests; }
    // The requests whose path starts with the prefix, in arrival order.
    QList<FakeRequest> requestsTo(const QString& pathPrefix) const;
    void clearRequests() { myRequests.clear(); }

    qint64 bodyRecordLimit() const { return myBodyRecordLimit; }
    void setBodyRecordLimit(qint64 bytes) { myBodyRecordLimit = bytes; }

    // Connections currently open (for tests of aborted transfers).
    int openConnections() const { return myConnections.count(); }
    // Cuts every open connection at once, as a lost network would.
    void abortConnections();
    // Once a request body has reached afterBytes, stops reading that connection for
    // pauseMs (once per connection), so that the sender has to wait; negative: never.
    void pauseRequestBodies(qint64 afterBytes, int pauseMs);

    // The reference stream of generated answers: byte i is (i % 251).
    static QByteArray generatedBytes(qint64 offset, qint64 size);
    static QByteArray fixtureData(const QString& name);

Q_SIGNALS:
    void requestReceived(const QString& path);
    // The answer to a request has been chosen (it may still be on its way).
    void requestAnswered(const FakeRequest& request, int status);
    // Body bytes of a request received so far, as they arrive (before the request is
    // complete and recorded). A receiver that closes connections connects queued.
    void requestBodyProgress(const QString& path, qint64 received);

private:
    struct Connection;
    void acceptConnections();
    void readFromSocket(Connection* connection);
    bool parseRequest(Connection* connection);
    void answer(Connection* connection);
    void writeHead(Connection* connection);
    void pump(Connection* connection);
    void schedulePump(Connection* connection);
    void closeConnection(Connection* connection, bool abort);
    FakeResponse responseFor(const FakeRequest& request) const;

    QTcpServer* myServer;
    QHash<QString, FakeHandler> myRoutes;   // key: method + " " + path
    QList<FakeRequest> myRequests;
    QList<Connection*> myConnections;
    qint64 myBodyRecordLimit = 16 * 1024 * 1024;
    qint64 myPauseAfter = -1;
    int myPauseMs = 0;
};

// Registers the feed, comment, category, thumbnail, watch-page and video-file routes
// with the fixture documents (FeedRoutes.cpp).
void addFeedRoutes(FakeService& service);

// Makes the video-file route answer every available video with this playable file
// (e.g. SampleVideo::make()), sent no faster than bytesPerSecond (0: at once) in
// pieces of chunkSize bytes.
void servePlayableVideo(FakeService& service, const QByteArray& video, qint64 bytesPerSecond = 0,
                        int chunkSize = 64 * 1024);

// Makes the video-file route answer every available video with size bytes of
// FakeService::generatedBytes(), at once, in pieces of chunkSize bytes.
void serveGeneratedVideo(FakeService& service, qint64 size, int chunkSize = 256 * 1024);

// Ids, tokens and sizes that the feed routes and fixtures use.
namespace FakeFeeds {
inline const QString WATCH_TOKEN = QStringLiteral("vjVQa1PpcFNkNWNhY2Y3ZjQzNmU1YjAzOTljM2ZkZjMx");
inline const QString VIDEO_ID = QStringLiteral("kx9fW2qHb1s");     // first video of the feeds
inline const QString REMOVED_VIDEO_ID = QStringLiteral("gone0000000");
inline constexpr qint64 VIDEO_SIZE = 3 * 1024 * 1024 + 123;        // bytes of every video file
inline const QString EMPTY_SEARCH = QStringLiteral("zqxjwvk");      // a search with no results
inline const QString EMPTY_USER = QStringLiteral("nobody");         // a user without uploads
inline const QString MANY_COMMENTS_VIDEO_ID = QStringLiteral("mAnYcOmMeNt");
inline constexpr int MANY_COMMENTS_TOTAL = 120;

// A video feed in the service's format with count generated entries (ids "v0000000001"...
// counted from startIndex), announcing total results.
QByteArray makeVideoFeed(int count, int total, int startIndex = 1);
// A comment feed of the video with count generated comments numbered from startIndex.
QByteArray makeCommentFeed(const QString& videoId, int count, int total, int startIndex = 1);
// A JPEG thumbnail (120x90).
QByteArray thumbnailImage();
}

#endif
