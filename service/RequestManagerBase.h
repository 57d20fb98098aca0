#ifndef KRELVOX_REQUESTMANAGERBASE_H
#define KRELVOX_REQUESTMANAGERBASE_H

#include "service/ServiceEndpoints.h"
#include "service/ServiceRequest.h"

#include <QList>
#include <QObject>

class QNetworkAccessManager;
class QNetworkRequest;

// Base of the service's request managers. It sends ServiceRequests on the service's
// one QNetworkAccessManager with the API headers, watches each one with a timeout, a
// redirect limit and a size limit, keeps credentials on the host they were meant for
// (see ServiceRequest::carriesCredentials), and turns every way a request can go wrong into
// one call of requestFailed() with a message. A subclass builds requests, reads the
// answers in requestSucceeded() and reports through its own signals.
class RequestManagerBase : public QObject
{
    Q_OBJECT
public:
    RequestManagerBase(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                       QObject* parent = nullptr);
    ~RequestManagerBase() override;

    void setLimits(const RequestLimits& limits) { myLimits = limits; }
    const RequestLimits& limits() const { return myLimits; }
    const ServiceEndpoints& endpoints() const { return myEndpoints; }
    QNetworkAccessManager* network() const { return myNetwork; }

    // Drops every pending request without reporting anything.
    void abortAll();
    int pendingCount() const { return myPending.count(); }

    // A one-line message for an HTTP error answer: status, reason and, when the body
    // is a service error document, its reason or code.
    static QString httpErrorMessage(int status, const QByteArray& reason, const QByteArray& body);

protected:
    // Sends the request; the manager takes ownership.
    void send(ServiceRequest* request);
    // Sends a request again that requestUnauthorized() kept (after a new sign-in).
    void resend(ServiceRequest* request);
    // Drops one pending request without reporting anything; it is deleted.
    void abort(ServiceRequest* request);
    // Ends a request as failed: sets its failure and calls requestFailed(). Used by
    // subclasses for answers they cannot read, and for a kept unauthorized request.
    void reportFailure(ServiceRequest* request, ServiceRequest::FailureKind kind, const QString& message);
    const QList<ServiceRequest*>& pendingRequests() const { return myPending; }

    // Adds what a subclass needs to every request (e.g. an authorization header).
    virtual void decorateRequest(QNetworkRequest& networkRequest, const ServiceRequest& request);
    // A 2xx answer has fully arrived. The request is deleted when this returns.
    virtual void requestSucceeded(ServiceRequest* request) = 0;
    // The request failed; failureKind() and failureMessage() say how. Deleted after.
    virtual void requestFailed(ServiceRequest* request) = 0;
    // A 401 answer. Return true to keep the request (then call resend() or
    // reportFailure() on it later); false lets it fail as an HTTP error.
    virtual bool requestUnauthorized(ServiceRequest* request);
    // Body bytes arrived (total -1 while unknown).
    virtual void requestProgress(ServiceRequest* request, qint64 received, qint64 total);
    // Bytes of the request body sent (as the transfer reports them; total -1 or 0
    // while unknown).
    virtual void requestUploadProgress(ServiceRequest* request, qint64 sent, qint64 total);

private:
    void start(ServiceRequest* request);
    void checkRedirect(ServiceRequest* request, const QUrl& target);
    void readMetaData(ServiceRequest* request);
    void readAvailable(ServiceRequest* request);
    void finishReply(ServiceRequest* request);
    bool keepUnauthorized(ServiceRequest* request);
    void timeout(ServiceRequest* request);
    void failWhileRunning(ServiceRequest* request, ServiceRequest::FailureKind kind, const QString& message);
    void detachReply(ServiceRequest* request);
    void complete(ServiceRequest* request, bool ok);

    QNetworkAccessManager* myNetwork;
    ServiceEndpoints myEndpoints;
    RequestLimits myLimits;
    QList<ServiceRequest*> myPending;
};

#endif
