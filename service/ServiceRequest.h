#ifndef KRELVOX_SERVICEREQUEST_H
#define KRELVOX_SERVICEREQUEST_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <QNetworkReply>

class QIODevice;
class QTimer;
class RequestManagerBase;

// Limits that every request of a manager runs under.
struct RequestLimits
{
    int timeoutMs = 30000;                       // no byte for this long ends the request
    int maxRedirects = 5;                        // more ends the request
    qint64 maxDocumentSize = 8 * 1024 * 1024;    // bytes of a buffered answer; 0: no limit
};

// One HTTP exchange of a request manager: what to send, and what came back.
// Managers subclass it to carry the context of the request (the model to fill, the
// entry to update...). The manager that sends it owns it and deletes it after it
// has reported its end.
class ServiceRequest
{
public:
    enum FailureKind {
        eNoFailure = 0,
        eTimeout,         // no data within the time limit
        eHttpError,       // the server answered with a status of 400 or more
        eRedirectLoop,    // more redirects than allowed
        eMalformed,       // the document could not be read
        eTruncated,       // the body ended before its announced length
        eOversized,       // the body is larger than allowed
        eNetwork,         // connection refused, reset, host not found...
        eWriteError,      // the answer could not be written to its file
        eRefusedAddress   // not sent to (or redirected to) an address it must not reach
    };

    explicit ServiceRequest(const QUrl& url, const QByteArray& method = QByteArrayLiteral("GET"));
    virtual ~ServiceRequest();

    ServiceRequest(const ServiceRequest&) = delete;
    ServiceRequest& operator=(const ServiceRequest&) = delete;

    // ---- What is sent
    const QUrl& url() const { return myUrl; }
    void setUrl(const QUrl& url) { myUrl = url; }
    const QByteArray& method() const { return myMethod; }
    void setRawHeader(const QByteArray& name, const QByteArray& value);
    const QList<QPair<QByteArray, QByteArray>>& rawHeaders() const { return myHeaders; }
    const QByteArray& body() const { return myBody; }
    void setBody(const QByteArray& body) { myBody = body; }
    // A body read from a device instead (not owned; must stay open while sent). Such a
    // request follows no redirect.
    QIODevice* bodyDevice() const { return myBodyDevice; }
    void setBodyDevice(QIODevice* device) { myBodyDevice = device; }
    // Whether the API's version and developer key headers go along (true by default;
    // off for plain web pages and images).
    bool sendsApiHeaders() const { return myApiHeaders; }
    void setSendsApiHeaders(bool on) { myApiHeaders = on; }
    // Whether the request carries credentials in its body (a sign-in form). Such a
    // request, and one with an Authorization header, follows a redirect only to its
    // own scheme, host and port; any other redirect ends it as eRefusedAddress.
    bool carriesCredentials() const { return myCredentials; }
    void setCarriesCredentials(bool on) { myCredentials = on; }
    // A device that takes the answer's body as it arrives instead of a buffer (not
    // owned). Only a successful answer's body is written there; no size limit applies.
    QIODevice* sink() const { return mySink; }
    void setSink(QIODevice* sink) { mySink = sink; }

    // ---- What came back
    int httpStatus() const { return myStatus; }
    QByteArray replyHeader(const QByteArray& name) const;
    // The buffered body (empty for a request with a sink, unless the answer was an error).
    const QByteArray& receivedData() const { return myReceived; }
    qint64 bytesReceived() const { return myBytesReceived; }
    int sendCount() const { return mySendCount; }

    FailureKind failureKind() const { return myFailureKind; }
    const QString& failureMessage() const { return myFailureMessage; }

private:
    friend class RequestManagerBase;

    QUrl myUrl;
    QByteArray myMethod;
    QList<QPair<QByteArray, QByteArray>> myHeaders;
    QByteArray myBody;
    QIODevice* myBodyDevice = nullptr;
    QIODevice* mySink = nullptr;
    bool myApiHeaders = true;
    bool myCredentials = false;

    QList<QPair<QByteArray, QByteArray>> myReplyHeaders;
    QPointer<QNetworkReply> myReply;   // null once detached (or deleted with its manager)
    QTimer* myTimer = nullptr;
    int myStatus = 0;
    QByteArray myReceived;
    qint64 myBytesReceived = 0;
    qint64 myBytesTotal = -1;
    int mySendCount = 0;
    bool myWaitingForResend = false;
    FailureKind myFailureKind = eNoFailure;
    QString myFailureMessage;
};

#endif
