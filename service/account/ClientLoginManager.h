#ifndef KRELVOX_CLIENTLOGINMANAGER_H
#define KRELVOX_CLIENTLOGINMANAGER_H

#include "service/RequestManagerBase.h"

#include <QMetaType>

// What the sign-in service answered to one sign-in.
struct ClientLoginResult
{
    enum Outcome {
        eSignedIn = 0,   // token holds the new authentication token
        eRefused,        // the service said no (errorCode, message)
        eCaptcha,        // the service wants a captcha answered (captchaToken, captchaUrl)
        eFailed          // no usable answer: network failure, HTML page, garbled body
    };
    Outcome outcome = eFailed;
    QString token;
    QString errorCode;
    QString captchaToken;
    QString captchaUrl;
    QString message;     // for the user; empty after a sign-in
};
Q_DECLARE_METATYPE(ClientLoginResult)

// The account's sign-in exchange (ClientLogin): one form posted over HTTPS to the
// accounts endpoint, answered with "Key=value" lines. One sign-in runs at a time.
// It also fetches a captcha picture into a file. Nothing here is traced with the
// form's contents: the password never reaches a trace line.
class ClientLoginManager : public RequestManagerBase
{
    Q_OBJECT
public:
    ClientLoginManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, QObject* parent = nullptr);

    // Posts the sign-in form; a sign-in still running is dropped first. With a
    // captcha token the token and the answer go along.
    void signIn(const QString& user, const QString& password, const QString& captchaToken = QString(),
                const QString& captchaAnswer = QString(), bool withCaptcha = false);
    // Drops the running sign-in and a captcha picture on its way; nothing is reported.
    void cancel();
    bool isRunning() const;

    // Fetches a captcha picture into the file; captchaImageFetched reports the end.
    void fetchCaptchaImage(const QUrl& url, const QString& fileName);
    // The address of a captcha picture from the CaptchaUrl text of a refusal: a path
    // relative to the accounts folder of the accounts endpoint, or a full https
    // address on the sign-in host. Invalid when the text would lead to another host
    // or to plain http.
    QUrl captchaImageUrl(const QString& captchaUrl) const;

    // The form body, every value fully percent-encoded.
    static QByteArray loginForm(const QString& user, const QString& password, const QString& captchaToken,
                                const QString& captchaAnswer, bool withCaptcha);
    // Reads an answer of the sign-in service.
    static ClientLoginResult readAnswer(int status, const QByteArray& contentType, const QByteArray& body);
    // The user's text for an error code of a refused sign-in.
    static QString errorText(const QString& code);

Q_SIGNALS:
    void signInFinished(const ClientLoginResult& result);
    void captchaImageFetched(bool ok);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    int myCaptchaFetch = 0;   // counts picture fetches, so a stale report is dropped
};

#endif
