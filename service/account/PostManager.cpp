#include "service/account/PostManager.h"
#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/account/AccountConstants.h"
#include "service/account/AtomEntryWriter.h"

#include <QDebug>

namespace {

struct PostRequest : public AccountRequest
{
    enum Kind { eComment, eRating, eInvite, eLink };

    PostRequest(const QUrl& url, const QByteArray& method, Kind k, const QByteArray& body)
        : AccountRequest(url, method), kind(k)
    {
        setRawHeader(HEADER_CONTENT_TYPE, CONTENT_TYPE_ATOM);
        setBody(body);
    }

    Kind kind;
};

QString videoPath(const QString& videoId, const QString& suffix)
{
    return PATH_VIDEOS + QLatin1Char('/') + ServiceEndpoints::pathSegment(videoId) + suffix;
}

QString accountPath(const QString& user, const QString& suffix)
{
    return PATH_USERS + ServiceEndpoints::pathSegment(user) + suffix;
}

} // namespace

PostManager::PostManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                         QObject* parent)
    : AccountRequestManager(network, endpoints, repository, parent),
      myLogin(new ClientLoginManager(network, endpoints, this))
{
    connect(myLogin, &ClientLoginManager::signInFinished, this, &PostManager::signInFinished);
    setSession(this);
}

// ---- Sign-in

void PostManager::authenticate(eAuthenticateType type)
{
    qCDebug(lcService) << "PostManager::authenticate(eAuthenticateType)"
                       << "start" << int(type);
    myUserSignIn = true;
    startSignIn(type == eCaptchaLogin);
    qCDebug(lcService) << "PostManager::authenticate(eAuthenticateType)"
                       << "end";
}

void PostManager::startSignIn(bool withCaptcha)
{
    QString user;
    QString password;
    repository().getSetting(SETTING_YOUTUBE_USERNAME, user);
    repository().getSetting(SETTING_YOUTUBE_PASSWORD, password);
    const int generation = ++myGeneration;
    if (user.isEmpty()) {
        myLogin->cancel();
        ClientLoginResult result;
        result.outcome = ClientLoginResult::eRefused;
        result.message = TEXT_LOGIN_NO_ACCOUNT();
        // Reported from the event loop, like every other end of a sign-in.
        QMetaObject::invokeMethod(
            this, [this, result, generation] {
                if (generation == myGeneration)
                    signInFinished(result);
            },
            Qt::QueuedConnection);
        return;
    }
    QString token;
    QString answer;
    if (withCaptcha) {
        repository().getSetting(SETTING_YOUTUBE_CAPTCHA_TOKEN, token);
        repository().getSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, answer);
    }
    myLogin->signIn(user, password, token, answer, withCaptcha);
}

void PostManager::cancelAuthentication()
{
    qCDebug(lcService) << "PostManager::cancelAuthentication()"
                       << "start";
    // Also drops a queued report of a sign-in that was never sent.
    ++myGeneration;
    myLogin->cancel();
    const bool renewal = myRenewalWanted;
    myUserSignIn = false;
    myRenewalWanted = false;
    if (renewal)
        reportRenewal(false, TEXT_SIGN_IN_EXPIRED());
    qCDebug(lcService) << "PostManager::cancelAuthentication()"
                       << "end";
}

bool PostManager::isAuthenticating() const
{
    return myUserSignIn || myRenewalWanted;
}

void PostManager::renewSignIn()
{
    if (myRenewalWanted)
        return;
    myRenewalWanted = true;
    // A sign-in the user started gives the token for both.
    if (myUserSignIn)
        return;
    qCDebug(lcService) << "PostManager::renewSignIn()"
                       << "signing in again";
    startSignIn(false);
}

void PostManager::reportRenewal(bool ok, const QString& message)
{
    QMetaObject::invokeMethod(this, [this, ok, message] { Q_EMIT signInRenewed(ok, message); }, Qt::QueuedConnection);
}

void PostManager::signInFinished(const ClientLoginResult& result)
{
    const bool user = myUserSignIn;
    const bool renewal = myRenewalWanted;
    if (!user && !renewal)
        return;   // cancelled meanwhile
    myUserSignIn = false;
    myRenewalWanted = false;

    switch (result.outcome) {
    case ClientLoginResult::eSignedIn:
        qCDebug(lcService) << "PostManager::signInFinished"
                           << "signed in";
        repository().setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, result.token);
        if (renewal)
            reportRenewal(true, QString());
        if (user)
            Q_EMIT authenticated(true, TEXT_ACCOUNT_SIGNED_IN());
        return;
    case ClientLoginResult::eCaptcha:
        qCDebug(lcService) << "PostManager::signInFinished"
                           << "the service asks for a captcha";
        if (renewal)
            reportRenewal(false, TEXT_SIGN_IN_EXPIRED());
        if (user) {
            // Only a sign-in the user started shows a captcha: the renewal of a
            // token in the background cannot ask for one.
            repository().setSetting(SETTING_YOUTUBE_CAPTCHA_TOKEN, result.captchaToken);
            repository().setSetting(SETTING_YOUTUBE_CAPTCHA_URL, result.captchaUrl);
            Q_EMIT captchaRequired();
        }
        return;
    case ClientLoginResult::eRefused:
    case ClientLoginResult::eFailed:
        qCDebug(lcService) << "PostManager::signInFinished"
                           << "not signed in:" << result.errorCode << result.message;
        if (renewal)
            reportRenewal(false, TEXT_SIGN_IN_EXPIRED());
        if (user)
            Q_EMIT authenticated(false, result.message);
        return;
    }
}

QString PostManager::captchaImageFile(Repository& repository)
{
    QString address;
    repository.getSetting(SETTING_YOUTUBE_CAPTCHA_URL, address);
    const QString folder = repository.getThumbnailFolder();
    if (address.isEmpty() || folder.isEmpty())
        return QString();
    return FileManager::pathInFolder(folder, address);
}

// ---- Posts

void PostManager::commentVideo(const QString& text, const QString& videoId)
{
    qCDebug(lcService) << "PostManager::commentVideo(const QString&, const QString&)"
                       << "start" << videoId;
    if (videoId.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT errorOccuredInCommenting(withReason(TEXT_COMMENT_FAILED(), QStringLiteral("no video"))); },
            Qt::QueuedConnection);
        return;
    }
    send(new PostRequest(endpoints().url(ServiceEndpoints::eApi, videoPath(videoId, PATH_COMMENTS_SUFFIX)),
                         QByteArrayLiteral("POST"), PostRequest::eComment, AtomEntryWriter::comment(text)));
    qCDebug(lcService) << "PostManager::commentVideo(const QString&, const QString&)"
                       << "end";
}

void PostManager::rateVideo(const QString& videoId, int rating)
{
    qCDebug(lcService) << "PostManager::rateVideo(const QString&, int)"
                       << "start" << videoId << rating;
    if (videoId.isEmpty() || rating < RATING_MIN.toInt() || rating > RATING_MAX.toInt()) {
        QMetaObject::invokeMethod(this, [this] { Q_EMIT ratingDone(false, TEXT_RATING_FAILED()); },
                                  Qt::QueuedConnection);
        return;
    }
    send(new PostRequest(endpoints().url(ServiceEndpoints::eApi, videoPath(videoId, PATH_RATINGS_SUFFIX)),
                         QByteArrayLiteral("POST"), PostRequest::eRating, AtomEntryWriter::rating(rating)));
    qCDebug(lcService) << "PostManager::rateVideo(const QString&, int)"
                       << "end";
}

void PostManager::postRespondToInvite(const QString& contact, bool accept)
{
    qCDebug(lcService) << "PostManager::postRespondToInvite(const QString&, bool)"
                       << "start" << contact << accept;
    if (contact.isEmpty()) {
        qCDebug(lcService) << "Empty QString ";
        return;
    }
    const QString path = accountPath(USER_DEFAULT, PATH_CONTACTS_SUFFIX) + QLatin1Char('/')
        + ServiceEndpoints::pathSegment(contact);
    send(new PostRequest(endpoints().url(ServiceEndpoints::eApi, path), QByteArrayLiteral("PUT"), PostRequest::eInvite,
                         AtomEntryWriter::contactStatus(accept)));
    qCDebug(lcService) << "PostManager::postRespondToInvite(const QString&, bool)"
                       << "end";
}

void PostManager::sendVideoLink(const QString& contact, const QString& videoId, const QString& message)
{
    qCDebug(lcService) << "PostManager::sendVideoLink(const QString&, const QString&, const QString&)"
                       << "start" << contact;
    if (contact.trimmed().isEmpty() || videoId.isEmpty()) {
        QMetaObject::invokeMethod(this, [this] { Q_EMIT linkSent(false, TEXT_LINK_FAILED()); }, Qt::QueuedConnection);
        return;
    }
    send(new PostRequest(endpoints().url(ServiceEndpoints::eApi, accountPath(contact.trimmed(), PATH_INBOX_SUFFIX)),
                         QByteArrayLiteral("POST"), PostRequest::eLink,
                         AtomEntryWriter::videoMessage(videoId, message)));
    qCDebug(lcService) << "PostManager::sendVideoLink(const QString&, const QString&, const QString&)"
                       << "end";
}

void PostManager::requestSucceeded(ServiceRequest* r)
{
    switch (static_cast<PostRequest*>(r)->kind) {
    case PostRequest::eComment:
        Q_EMIT commentingDone();
        break;
    case PostRequest::eRating:
        Q_EMIT ratingDone(true, TEXT_RATING_SENT());
        break;
    case PostRequest::eInvite:
        Q_EMIT inviteResponded();
        break;
    case PostRequest::eLink:
        Q_EMIT linkSent(true, TEXT_LINK_SENT());
        break;
    }
}

void PostManager::requestFailed(ServiceRequest* r)
{
    auto* request = static_cast<PostRequest*>(r);
    const QString reason = request->failureMessage();
    switch (request->kind) {
    case PostRequest::eComment:
        Q_EMIT errorOccuredInCommenting(withReason(TEXT_COMMENT_FAILED(), reason));
        break;
    case PostRequest::eRating:
        Q_EMIT ratingDone(false, withReason(TEXT_RATING_FAILED(), reason));
        break;
    case PostRequest::eInvite:
        qCDebug(lcService) << "PostManager::requestFailed"
                           << "the invitation answer was not posted:" << reason;
        Q_EMIT inviteAnswerFailed(withReason(TEXT_INVITE_ANSWER_FAILED(), reason));
        break;
    case PostRequest::eLink:
        Q_EMIT linkSent(false, withReason(TEXT_LINK_FAILED(), reason));
        break;
    }
}
