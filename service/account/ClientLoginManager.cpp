#include "service/account/ClientLoginManager.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/account/AccountConstants.h"
#include "service/account/ThumbnailFile.h"

#include <QDebug>

namespace {

struct LoginRequest : public ServiceRequest
{
    enum Kind { eLogin, eCaptchaImage };

    LoginRequest(const QUrl& url, Kind k, const QByteArray& method)
        : ServiceRequest(url, method), kind(k)
    {
        setSendsApiHeaders(false);
        // The sign-in form holds the password.
        setCarriesCredentials(k == eLogin);
    }

    Kind kind;
    QString fileName;   // eCaptchaImage
};

// A token can go into a header line as it is: printable ASCII without blanks.
bool isHeaderSafe(const QString& token)
{
    if (token.isEmpty())
        return false;
    for (const QChar c : token)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
            return false;
    return true;
}

ClientLoginResult unreadable()
{
    ClientLoginResult result;
    result.outcome = ClientLoginResult::eFailed;
    result.message = TEXT_LOGIN_UNREADABLE();
    return result;
}

} // namespace

ClientLoginManager::ClientLoginManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                       QObject* parent)
    : RequestManagerBase(network, endpoints, parent)
{
    qRegisterMetaType<ClientLoginResult>();
}

QByteArray ClientLoginManager::loginForm(const QString& user, const QString& password, const QString& captchaToken,
                                         const QString& captchaAnswer, bool withCaptcha)
{
    QueryBuilder form;
    form.add(LOGIN_ACCOUNT_TYPE, LOGIN_ACCOUNT_TYPE_VALUE);
    form.add(LOGIN_EMAIL, user);
    form.add(LOGIN_PASSWORD, password);
    form.add(LOGIN_SERVICE, LOGIN_SERVICE_VALUE);
    form.add(LOGIN_SOURCE, LOGIN_SOURCE_VALUE);
    if (withCaptcha) {
        form.add(LOGIN_CAPTCHA_TOKEN, captchaToken);
        form.add(LOGIN_CAPTCHA_ANSWER, captchaAnswer);
    }
    return form.toString().toLatin1();
}

void ClientLoginManager::signIn(const QString& user, const QString& password, const QString& captchaToken,
                                const QString& captchaAnswer, bool withCaptcha)
{
    cancel();
    auto* request = new LoginRequest(endpoints().url(ServiceEndpoints::eAccounts, PATH_CLIENT_LOGIN),
                                     LoginRequest::eLogin, QByteArrayLiteral("POST"));
    request->setRawHeader(HEADER_CONTENT_TYPE, CONTENT_TYPE_FORM);
    request->setBody(loginForm(user, password, captchaToken, captchaAnswer, withCaptcha));
    send(request);
}

void ClientLoginManager::cancel()
{
    // The captcha picture belongs to the sign-in: it goes too.
    abortAll();
    ++myCaptchaFetch;
}

bool ClientLoginManager::isRunning() const
{
    for (ServiceRequest* r : pendingRequests())
        if (static_cast<LoginRequest*>(r)->kind == LoginRequest::eLogin)
            return true;
    return false;
}

QUrl ClientLoginManager::captchaImageUrl(const QString& captchaUrl) const
{
    const QString text = captchaUrl.trimmed();
    if (text.isEmpty())
        return QUrl();
    const QUrl folder(endpoints().root(ServiceEndpoints::eAccounts) + PATH_ACCOUNTS_FOLDER);
    const QUrl reference(text, QUrl::StrictMode);
    // A full address must be https: the picture belongs to the sign-in exchange.
    if (!reference.isValid()
        || (!reference.isRelative() && reference.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0))
        return QUrl();
    QUrl url = reference.isRelative() ? folder.resolved(reference) : endpoints().mapDocumentUrl(text);
    // The picture is the sign-in service's own; an address on any other host is refused.
    if (!url.isValid() || url.host().compare(folder.host(), Qt::CaseInsensitive) != 0 || url.port() != folder.port())
        return QUrl();
    return url;
}

void ClientLoginManager::fetchCaptchaImage(const QUrl& url, const QString& fileName)
{
    const QList<ServiceRequest*> pending = pendingRequests();
    for (ServiceRequest* r : pending)
        if (static_cast<LoginRequest*>(r)->kind == LoginRequest::eCaptchaImage)
            abort(r);
    const int fetch = ++myCaptchaFetch;
    if (!url.isValid() || fileName.isEmpty()) {
        qCDebug(lcService) << "ClientLoginManager::fetchCaptchaImage"
                           << "no picture address or file";
        QMetaObject::invokeMethod(
            this, [this, fetch] {
                if (fetch == myCaptchaFetch)
                    Q_EMIT captchaImageFetched(false);
            },
            Qt::QueuedConnection);
        return;
    }
    auto* request = new LoginRequest(url, LoginRequest::eCaptchaImage, QByteArrayLiteral("GET"));
    request->fileName = fileName;
    send(request);
}

QString ClientLoginManager::errorText(const QString& code)
{
    if (code == LOGIN_ERROR_BAD_AUTHENTICATION)
        return TEXT_LOGIN_BAD_AUTHENTICATION();
    if (code == LOGIN_ERROR_NOT_VERIFIED)
        return TEXT_LOGIN_NOT_VERIFIED();
    if (code == LOGIN_ERROR_TERMS_NOT_AGREED)
        return TEXT_LOGIN_TERMS_NOT_AGREED();
    if (code == LOGIN_ERROR_ACCOUNT_DELETED)
        return TEXT_LOGIN_ACCOUNT_DELETED();
    if (code == LOGIN_ERROR_ACCOUNT_DISABLED)
        return TEXT_LOGIN_ACCOUNT_DISABLED();
    if (code == LOGIN_ERROR_SERVICE_DISABLED)
        return TEXT_LOGIN_SERVICE_DISABLED();
    if (code == LOGIN_ERROR_SERVICE_UNAVAILABLE)
        return TEXT_SERVICE_NOT_AVAILABLE();
    // "Unknown" and codes this program does not know.
    return TEXT_CAPTCHA_IMAGE_FAILED();
}

ClientLoginResult ClientLoginManager::readAnswer(int status, const QByteArray& contentType, const QByteArray& body)
{
    // A proxy's or portal's web page is not an answer of the sign-in service.
    const QByteArray start = body.trimmed().left(1);
    if (contentType.toLower().contains("html") || start == "<")
        return unreadable();

    QHash<QString, QString> values;
    const QList<QByteArray> lines = body.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const int equals = line.indexOf('=');
        const QByteArray key = equals > 0 ? line.left(equals) : QByteArray();
        bool keyOk = !key.isEmpty();
        for (const char c : key)
            keyOk = keyOk && (QChar::fromLatin1(c).isLetterOrNumber() || c == '_');
        if (!keyOk)
            return unreadable();
        const QString name = QString::fromLatin1(key);
        if (!values.contains(name))
            values.insert(name, QString::fromUtf8(line.mid(equals + 1)).trimmed());
    }

    ClientLoginResult result;
    const QString token = values.value(LOGIN_ANSWER_AUTH);
    if (status >= 200 && status < 300 && values.contains(LOGIN_ANSWER_AUTH)) {
        if (!isHeaderSafe(token))
            return unreadable();
        result.outcome = ClientLoginResult::eSignedIn;
        result.token = token;
        return result;
    }
    const QString code = values.value(LOGIN_ANSWER_ERROR);
    if (code.isEmpty())
        return unreadable();
    result.errorCode = code;
    if (code == LOGIN_ERROR_CAPTCHA_REQUIRED) {
        result.outcome = ClientLoginResult::eCaptcha;
        result.captchaToken = values.value(LOGIN_ANSWER_CAPTCHA_TOKEN);
        result.captchaUrl = values.value(LOGIN_ANSWER_CAPTCHA_URL);
        result.message = TEXT_CAPTCHA_IMAGE_FAILED();
        return result;
    }
    result.outcome = ClientLoginResult::eRefused;
    result.message = errorText(code);
    return result;
}

void ClientLoginManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<LoginRequest*>(r);
    if (request->kind == LoginRequest::eLogin) {
        const ClientLoginResult result = readAnswer(request->httpStatus(), request->replyHeader(HEADER_CONTENT_TYPE),
                                                    request->receivedData());
        if (result.outcome == ClientLoginResult::eFailed)
            qCDebug(lcService) << "ClientLoginManager::requestSucceeded"
                               << "the sign-in answer could not be read";
        Q_EMIT signInFinished(result);
        return;
    }

    QString error;
    if (!ThumbnailFile::write(request->fileName, request->receivedData(), error)) {
        qCDebug(lcService) << "ClientLoginManager::requestSucceeded"
                           << "captcha:" << error;
        Q_EMIT captchaImageFetched(false);
        return;
    }
    Q_EMIT captchaImageFetched(true);
}

void ClientLoginManager::requestFailed(ServiceRequest* r)
{
    auto* request = static_cast<LoginRequest*>(r);
    if (request->kind == LoginRequest::eCaptchaImage) {
        Q_EMIT captchaImageFetched(false);
        return;
    }
    ClientLoginResult result;
    if (request->failureKind() == ServiceRequest::eHttpError) {
        // A refusal comes as an error status with "Error=..." lines.
        result = readAnswer(request->httpStatus(), request->replyHeader(HEADER_CONTENT_TYPE), request->receivedData());
        if (result.outcome == ClientLoginResult::eSignedIn)
            result = unreadable();
    } else {
        result.outcome = ClientLoginResult::eFailed;
        result.message = TEXT_LOGIN_UNREACHABLE();
    }
    Q_EMIT signInFinished(result);
}
