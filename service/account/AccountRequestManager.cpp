#include "service/account/AccountRequestManager.h"
#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "service/ServiceLogging.h"
#include "service/account/AccountConstants.h"
#include "service/account/PostManager.h"

#include <QDebug>
#include <QNetworkRequest>

AccountRequestManager::AccountRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                             Repository& repository, QObject* parent)
    : RequestManagerBase(network, endpoints, parent), myRepository(repository)
{
}

void AccountRequestManager::setSession(PostManager* session)
{
    if (mySession)
        disconnect(mySession, nullptr, this, nullptr);
    mySession = session;
    if (session)
        connect(session, &PostManager::signInRenewed, this, &AccountRequestManager::renewalEnded);
}

QByteArray AccountRequestManager::authorizationValue(const QString& token)
{
    if (token.isEmpty())
        return QByteArray();
    for (const QChar c : token)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
            return QByteArray();
    return HEADER_AUTHORIZATION_PREFIX + token.toLatin1();
}

void AccountRequestManager::decorateRequest(QNetworkRequest& networkRequest, const ServiceRequest& request)
{
    if (!static_cast<const AccountRequest&>(request).isSigned())
        return;
    QString token;
    myRepository.getSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, token);
    const QByteArray value = authorizationValue(token);
    if (!value.isEmpty())
        networkRequest.setRawHeader(HEADER_AUTHORIZATION, value);
}

bool AccountRequestManager::renewSignIn()
{
    if (!mySession)
        return false;
    mySession->renewSignIn();
    return true;
}

bool AccountRequestManager::pictureSource(const QString& address, const char* caller, QUrl& url, QString& folder) const
{
    folder = myRepository.getThumbnailFolder();
    url = endpoints().mapDocumentUrl(address);
    if (!folder.isEmpty() && url.isValid())
        return true;
    qCDebug(lcService) << caller << "no folder or refused address" << address;
    return false;
}

bool AccountRequestManager::requestUnauthorized(ServiceRequest* r)
{
    auto* request = static_cast<AccountRequest*>(r);
    // One new sign-in and one more try per request.
    if (!request->isSigned() || request->sendCount() > 1 || !mySession)
        return false;
    request->setAwaitingSignIn(true);
    renewSignIn();
    return true;
}

void AccountRequestManager::renewalEnded(bool ok, const QString& message)
{
    const QList<ServiceRequest*> pending = pendingRequests();
    for (ServiceRequest* r : pending) {
        // A report of an earlier one may have dropped requests of this manager.
        if (!pendingRequests().contains(r))
            continue;
        auto* request = static_cast<AccountRequest*>(r);
        if (!request->isAwaitingSignIn())
            continue;
        request->setAwaitingSignIn(false);
        if (ok)
            resend(request);
        else
            reportFailure(request, ServiceRequest::eHttpError, message);
    }
}

QString AccountRequestManager::withReason(const QString& text, const QString& reason)
{
    return reason.isEmpty() ? text : text + QStringLiteral(" (") + reason + QLatin1Char(')');
}
