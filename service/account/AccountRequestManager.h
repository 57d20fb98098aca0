#ifndef KRELVOX_ACCOUNTREQUESTMANAGER_H
#define KRELVOX_ACCOUNTREQUESTMANAGER_H

#include "service/RequestManagerBase.h"

#include <QPointer>

class PostManager;
class Repository;

// A request made on the account's behalf. Signed requests carry the account's
// authentication token; requests to other hosts (pictures) never do.
class AccountRequest : public ServiceRequest
{
public:
    explicit AccountRequest(const QUrl& url, const QByteArray& method = QByteArrayLiteral("GET"))
        : ServiceRequest(url, method) {}

    bool isSigned() const { return mySigned; }
    void setSigned(bool on) { mySigned = on; }
    // A request for a picture on another host: no token, no API headers.
    void markAsPictureRequest()
    {
        setSigned(false);
        setSendsApiHeaders(false);
    }
    // Kept after a 401 until the sign-in has been renewed.
    bool isAwaitingSignIn() const { return myAwaitingSignIn; }
    void setAwaitingSignIn(bool on) { myAwaitingSignIn = on; }

private:
    bool mySigned = true;
    bool myAwaitingSignIn = false;
};

// Base of the request managers that act for the signed-in account. Every signed
// request gets "Authorization: GoogleLogin auth=<token>" with the token as stored at
// the moment it is sent. A request that the service refuses with 401 is kept, the
// session (PostManager) signs in again with the stored account, and the request is
// sent once more with the new token; a second 401, or a renewal that fails, ends it
// as failed. Managers built on this one send only AccountRequests.
class AccountRequestManager : public RequestManagerBase
{
    Q_OBJECT
public:
    AccountRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                          QObject* parent = nullptr);

    // The session that renews the sign-in after a 401 (none: a 401 is a failure).
    void setSession(PostManager* session);
    Repository& repository() const { return myRepository; }

    // The stored token if it can go into a header line, else empty.
    static QByteArray authorizationValue(const QString& token);

protected:
    void decorateRequest(QNetworkRequest& networkRequest, const ServiceRequest& request) override;
    bool requestUnauthorized(ServiceRequest* request) override;
    // The session's renewal has ended: the kept requests are sent again or failed.
    virtual void signInRenewed(bool ok, const QString& message);

    // Asks the session for a new sign-in; false when there is no session.
    bool renewSignIn();

    // A failure as the user reads it: the text, and the reason in brackets when known.
    static QString withReason(const QString& text, const QString& reason);

    // The address of a picture named in one of the account's documents and the
    // thumbnail folder it is saved in; false (with a trace naming the caller) when
    // there is no thumbnail folder or the address is refused.
    bool pictureSource(const QString& address, const char* caller, QUrl& url, QString& folder) const;

private:
    Repository& myRepository;
    QPointer<PostManager> mySession;
};

#endif
