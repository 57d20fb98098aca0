#ifndef KRELVOX_POSTMANAGER_H
#define KRELVOX_POSTMANAGER_H

#include "core/Types.h"
#include "service/account/AccountRequestManager.h"
#include "service/account/ClientLoginManager.h"

// The account's sign-in and its posts: comments, ratings, answers to contact
// invitations and videos sent to a contact's inbox.
//
// Sign-in: authenticate() posts the stored user name and password (and, for a
// captcha login, the stored captcha token and answer) to the sign-in service; the
// token of a successful answer is stored under SETTING_YOUTUBE_AUTHENTICATION_TOKEN
// and authenticated(true, ...) follows; a refusal gives authenticated(false, text); a
// captcha request stores its token and picture address and raises captchaRequired().
// The managers of the account ask renewSignIn() for a new token after a 401; that
// sign-in runs silently and ends with signInRenewed().
class PostManager : public AccountRequestManager
{
    Q_OBJECT
public:
    PostManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                QObject* parent = nullptr);

    void authenticate(eAuthenticateType type);
    // Drops a running sign-in: a user's sign-in reports nothing, a renewal fails.
    void cancelAuthentication();
    bool isAuthenticating() const;
    // A silent sign-in with the stored account; joins a sign-in that is running.
    void renewSignIn();

    void commentVideo(const QString& text, const QString& videoId);
    void rateVideo(const QString& videoId, int rating);
    void postRespondToInvite(const QString& contact, bool accept);
    void sendVideoLink(const QString& contact, const QString& videoId, const QString& message);

    ClientLoginManager* loginManager() const { return myLogin; }
    // The file the captcha picture of the stored challenge is kept in (in the
    // thumbnails folder, named after the stored picture address); "" without one.
    static QString captchaImageFile(Repository& repository);

Q_SIGNALS:
    void authenticated(bool done, QString text);
    void captchaRequired();
    void signInRenewed(bool ok, QString message);
    void commentingDone();
    void errorOccuredInCommenting(QString text);
    void ratingDone(bool done, QString text);
    void inviteResponded();
    void inviteAnswerFailed(QString text);
    void linkSent(bool done, QString text);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    void signInFinished(const ClientLoginResult& result);
    void startSignIn(bool withCaptcha);
    void reportRenewal(bool ok, const QString& message);

    ClientLoginManager* myLogin;
    bool myUserSignIn = false;      // the running sign-in reports through authenticated()
    bool myRenewalWanted = false;   // managers wait for the running sign-in's token
    int myGeneration = 0;           // counts sign-ins, so a stale report is dropped
};

#endif
