// The sign-in service's answer ("Key=value" lines) and the captcha address it names.
// The first byte picks the answer's status and content type; the rest is its body.
#include "fuzz/FuzzSupport.h"

#include "service/ServiceConstants.h"
#include "service/account/AccountRequestManager.h"
#include "service/account/ClientLoginManager.h"

#include <QNetworkAccessManager>

namespace {

struct Managers
{
    QNetworkAccessManager network;
    ClientLoginManager real{&network, ServiceEndpoints()};
    ClientLoginManager local{&network, ServiceEndpoints(QStringLiteral("http://127.0.0.1:4711"))};
};

// A captcha picture comes from the sign-in host only, over https on the real one.
void checkCaptchaAddress(Managers& managers, const QString& address)
{
    const QUrl real = managers.real.captchaImageUrl(address);
    if (real.isValid()) {
        FUZZ_CHECK(real.scheme() == QLatin1String("https"));
        FUZZ_CHECK(real.host().compare(QUrl(SERVICE_ACCOUNTS_URL).host(), Qt::CaseInsensitive) == 0);
        FUZZ_CHECK(real.port(443) == 443);
    }
    const QUrl local = managers.local.captchaImageUrl(address);
    if (local.isValid())
        FUZZ_CHECK(local.host() == QLatin1String("127.0.0.1") && local.port() == 4711);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static Managers managers;
    if (size == 0)
        return 0;
    static const int statuses[] = {200, 403, 401, 500};
    const int status = statuses[data[0] & 3];
    const QByteArray contentType = (data[0] & 4) ? QByteArrayLiteral("text/html") : QByteArrayLiteral("text/plain");
    const QByteArray body = Fuzz::bytes(data + 1, size - 1);

    const ClientLoginResult result = ClientLoginManager::readAnswer(status, contentType, body);
    switch (result.outcome) {
    case ClientLoginResult::eSignedIn:
        // The token goes into a header line as it is.
        FUZZ_CHECK(status == 200);
        FUZZ_CHECK(!AccountRequestManager::authorizationValue(result.token).isEmpty());
        break;
    case ClientLoginResult::eCaptcha:
        checkCaptchaAddress(managers, result.captchaUrl);
        break;
    case ClientLoginResult::eRefused:
    case ClientLoginResult::eFailed:
        FUZZ_CHECK(!result.message.isEmpty());
        break;
    }
    checkCaptchaAddress(managers, QString::fromUtf8(body));
    return 0;
}
