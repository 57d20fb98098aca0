#include "tests/support/TestSupport.h"


#include "core/FileManager.h"
#include "core/constants/Settings.h"
#include "service/ServiceTexts.h"
#include "service/account/ClientLoginManager.h"
#include "service/account/PostManager.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

// Signing in to the account: the form, the service's answers, the captcha round trip
// and what must never leak.
class TestAccountSignIn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signInStoresTheToken();
    void formFieldsAreFullyEncoded_data();
    void formFieldsAreFullyEncoded();
    void passwordNeverTraced();
    void settingsFileReadableByOwnerOnly();
    void failedSignIns_data();
    void failedSignIns();
    void unreachableService();
    void noUserNameSendsNothing();
    void captchaRoundTrip();
    void captchaPictureMissing();
    void wrongCaptchaAnswerAsksAgain();
    void captchaAddressMustStayOnTheSignInHost_data();
    void captchaAddressMustStayOnTheSignInHost();
    void cancelledSignInReportsNothing();
};

void TestAccountSignIn::signInStoresTheToken()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->authenticate(ePlainLogin);
    QVERIFY(done.wait());
    QCOMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(0).toBool(), true);
    QCOMPARE(done.at(0).at(1).toString(), TEXT_ACCOUNT_SIGNED_IN());
    QCOMPARE(world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN), FakeAccount::TOKEN);

    const FakeRequest request = world.last(QStringLiteral("/google/accounts/ClientLogin"));
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    // The sign-in service is not the API: no developer key goes there.
    QVERIFY(request.header("X-GData-Key").isEmpty());
    const QMap<QString, QString> form = FakeAccount::parseForm(request.body);
    QCOMPARE(form.value("accountType"), QString("HOSTED_OR_GOOGLE"));
    QCOMPARE(form.value("service"), QString("youtube"));
    QVERIFY(!form.value("source").isEmpty());
    QVERIFY(!form.contains("logintoken"));
    QVERIFY(!form.contains("logincaptcha"));
}

void TestAccountSignIn::formFieldsAreFullyEncoded_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("ampersand and equals") << "a&b=c@example.com" << "p&ss=word";
    QTest::newRow("plus is not a blank") << "first+last@example.com" << "1+1=2";
    QTest::newRow("blanks") << "aino virtanen" << " two  blanks ";
    QTest::newRow("non-ASCII") << QString::fromUtf8("äijä@example.fi") << QString::fromUtf8("Ylläs€ñ");
    QTest::newRow("percent and hash") << "100%@example.com" << "#%25;?/";
}

void TestAccountSignIn::formFieldsAreFullyEncoded()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    TestWorld world(TestWorld::Account);
    world.account->passwords.insert(user, password);
    world.storeAccount(user, password);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->authenticate(ePlainLogin);
    QVERIFY(done.wait());
    // The service could only sign the account in if both arrived exactly as typed.
    QCOMPARE(done.at(0).at(0).toBool(), true);

    const QByteArray body = world.last(QStringLiteral("/google/accounts/ClientLogin")).body;
    const QMap<QString, QString> form = FakeAccount::parseForm(body);
    QCOMPARE(form.value("Email"), user);
    QCOMPARE(form.value("Passwd"), password);
    // Only the separators of the form itself are left unencoded.
    QCOMPARE(body.count('&'), 4);
    QCOMPARE(body.count('='), 5);
    QVERIFY(!body.contains('+'));
    QVERIFY(!body.contains(' '));
    for (const char c : body)
        QVERIFY(uchar(c) < 0x80);
}

void TestAccountSignIn::passwordNeverTraced()
{
    const QString password = QStringLiteral("Salaisuus-7731");
    const QString answer = QStringLiteral("vastaus-5519");
    {
        TraceCollector traces;
        TestWorld world(TestWorld::Account);
        world.account->passwords.insert(FakeAccount::CAPTCHA_USER, password);
        world.storeAccount(FakeAccount::CAPTCHA_USER, password);
        QSignalSpy challenge(world.service.get(), &VideoServiceProvider::captchaChallenge);
        QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
        world.service->authenticate(ePlainLogin);
        QVERIFY(challenge.wait());
        // A wrong answer: the service asks again.
        world.repository->setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, answer);
        world.service->authenticate(eCaptchaLogin);
        QVERIFY(challenge.wait());
        // The right one signs in.
        world.repository->setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, FakeAccount::CAPTCHA_ANSWER);
        world.service->authenticate(eCaptchaLogin);
        QVERIFY(done.wait());
        // And a sign-in the service refuses.
        world.storeAccount(FakeAccount::USER, password);
        world.service->authenticate(ePlainLogin);
        QVERIFY(done.wait());
        QCOMPARE(done.count(), 2);
        QCOMPARE(done.at(0).at(0).toBool(), true);
        QCOMPARE(done.at(1).at(0).toBool(), false);

        const QStringList lines = traces.lines();
        QVERIFY(lines.size() > 5);
        for (const QString& line : lines) {
            QVERIFY2(!line.contains(password), qPrintable(line));
            QVERIFY2(!line.contains(answer), qPrintable(line));
            QVERIFY2(!line.contains(QString::fromLatin1(QUrl::toPercentEncoding(password))), qPrintable(line));
            QVERIFY2(!line.contains(FakeAccount::TOKEN), qPrintable(line));
        }
    }
}

void TestAccountSignIn::settingsFileReadableByOwnerOnly()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->authenticate(ePlainLogin);
    QVERIFY(done.wait());
    QCOMPARE(world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN), FakeAccount::TOKEN);
    const QFile::Permissions permissions = QFile::permissions(world.environment.settingsFile());
    QCOMPARE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                            | QFile::WriteOther | QFile::ExeOther),
             QFile::Permissions());
}

// The service refuses the sign-in, or answers with something that is no sign-in:
// the reason reaches the user, and the token stored before (if any) stays.
void TestAccountSignIn::failedSignIns_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("earlierToken");

    const QByteArray plain("text/plain");
    const QString earlier = QStringLiteral("earlier");
    const auto refusal = [&](const char* name, const char* body, const QString& text) {
        QTest::newRow(name) << 403 << plain << QByteArray(body) << text << earlier;
    };
    refusal("bad authentication", "Error=BadAuthentication\n", TEXT_LOGIN_BAD_AUTHENTICATION());
    refusal("not verified", "Error=NotVerified\n", TEXT_LOGIN_NOT_VERIFIED());
    refusal("terms", "Error=TermsNotAgreed\n", TEXT_LOGIN_TERMS_NOT_AGREED());
    refusal("deleted", "Error=AccountDeleted\n", TEXT_LOGIN_ACCOUNT_DELETED());
    refusal("disabled", "Error=AccountDisabled\n", TEXT_LOGIN_ACCOUNT_DISABLED());
    refusal("service disabled", "Error=ServiceDisabled\n", TEXT_LOGIN_SERVICE_DISABLED());
    refusal("unavailable", "Error=ServiceUnavailable\n", TEXT_SERVICE_NOT_AVAILABLE());
    refusal("unknown", "Error=Unknown\n", TEXT_CAPTCHA_IMAGE_FAILED());
    refusal("a code of tomorrow", "Url=x\r\nError=SomethingNew\r\n", TEXT_CAPTCHA_IMAGE_FAILED());

    const auto unreadable = [&](const char* name, int status, const QByteArray& type, const QByteArray& body) {
        QTest::newRow(name) << status << type << body << TEXT_LOGIN_UNREADABLE() << QString();
    };
    unreadable("no Auth line", 200, plain, "SID=abc\nLSID=def\n");
    unreadable("empty Auth", 200, plain, "SID=abc\nAuth=\n");
    unreadable("Auth with a line break inside", 200, plain, "Auth=abc def\r\nX-Injected: 1\n");
    unreadable("HTML page", 200, "text/html; charset=UTF-8", "<html><body>Auth=fake</body></html>");
    unreadable("HTML without its type", 200, plain, "  <!DOCTYPE html><p>Auth=x</p>");
    unreadable("garbled", 200, plain, "\x01\xff\xfe garbage\nAuth=abc\n");
    unreadable("empty", 200, plain, QByteArray());
    unreadable("proxy error page", 502, "text/html", "<h1>Bad gateway</h1>");
    unreadable("error without code", 403, plain, "Url=http://x/\n");
}

void TestAccountSignIn::failedSignIns()
{
    QFETCH(int, status);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QFETCH(QString, earlierToken);
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    if (!earlierToken.isEmpty())
        world.storeToken(earlierToken);
    world.fake.addRoute("POST", QStringLiteral("/google/accounts/ClientLogin"),
                        FakeResponse::document(body, type, status));
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    QSignalSpy challenge(world.service.get(), &VideoServiceProvider::captchaChallenge);
    world.service->authenticate(ePlainLogin);
    QVERIFY(done.wait());
    QCOMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(0).toBool(), false);
    QCOMPARE(done.at(0).at(1).toString(), text);
    QCOMPARE(challenge.count(), 0);
    QCOMPARE(world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN), earlierToken);
}

void TestAccountSignIn::unreachableService()
{
    TestWorld world(TestWorld::Unreachable);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->authenticate(ePlainLogin);
    QVERIFY(done.wait());
    QCOMPARE(done.at(0).at(0).toBool(), false);
    QCOMPARE(done.at(0).at(1).toString(), TEXT_LOGIN_UNREACHABLE());
}

void TestAccountSignIn::noUserNameSendsNothing()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(QString(), FakeAccount::PASSWORD);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->authenticate(ePlainLogin);
    // Reported from the event loop, not inside the call.
    QCOMPARE(done.count(), 0);
    QVERIFY(done.wait());
    QCOMPARE(done.at(0).at(0).toBool(), false);
    QCOMPARE(done.at(0).at(1).toString(), TEXT_LOGIN_NO_ACCOUNT());
    QCOMPARE(world.logins(), 0);
}

void TestAccountSignIn::captchaRoundTrip()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::CAPTCHA_USER, FakeAccount::CAPTCHA_PASSWORD);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    QSignalSpy challenge(world.service.get(), &VideoServiceProvider::captchaChallenge);

    // 1. The challenge: token and picture address stored, the picture fetched.
    world.service->authenticate(ePlainLogin);
    QVERIFY(challenge.wait());
    QCOMPARE(challenge.count(), 1);
    QCOMPARE(done.count(), 0);
    QCOMPARE(world.setting(SETTING_YOUTUBE_CAPTCHA_TOKEN), FakeAccount::CAPTCHA_TOKEN);
    QCOMPARE(world.setting(SETTING_YOUTUBE_CAPTCHA_URL), FakeAccount::CAPTCHA_URL);
    const FakeRequest picture = world.last(QStringLiteral("/google/accounts/Captcha"));
    QCOMPARE(picture.queryValue("ctoken"), FakeAccount::CAPTCHA_URL.mid(QStringLiteral("Captcha?ctoken=").size()));

    // 2. The picture file in the thumbnails folder, named after the address.
    const QString file = PostManager::captchaImageFile(*world.repository);
    QCOMPARE(file, world.repository->getThumbnailFolder() + FileManager::sanitizeFileName(FakeAccount::CAPTCHA_URL));
    QVERIFY(QFileInfo(file).absolutePath() + "/" == QFileInfo(world.repository->getThumbnailFolder()).absolutePath() + "/");
    QVERIFY(!QImage(file).isNull());

    // 3. The answer.
    world.repository->setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, FakeAccount::CAPTCHA_ANSWER);
    world.service->authenticate(eCaptchaLogin);
    QVERIFY(done.wait());
    QCOMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(0).toBool(), true);
    QCOMPARE(world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN), FakeAccount::TOKEN);
    const QMap<QString, QString> form = FakeAccount::parseForm(world.last("/google/accounts/ClientLogin").body);
    QCOMPARE(form.value("logintoken"), FakeAccount::CAPTCHA_TOKEN);
    QCOMPARE(form.value("logincaptcha"), FakeAccount::CAPTCHA_ANSWER);
    QCOMPARE(challenge.count(), 1);
}

void TestAccountSignIn::captchaPictureMissing()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::CAPTCHA_USER, FakeAccount::CAPTCHA_PASSWORD);
    world.fake.addRoute("GET", QStringLiteral("/google/accounts/Captcha"),
                        FakeResponse::document("<html>gone</html>", "text/html", 404));
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    QSignalSpy challenge(world.service.get(), &VideoServiceProvider::captchaChallenge);
    world.service->authenticate(ePlainLogin);
    QVERIFY(done.wait());
    QCOMPARE(done.at(0).at(0).toBool(), false);
    QCOMPARE(done.at(0).at(1).toString(), TEXT_CAPTCHA_IMAGE_FAILED());
    QCOMPARE(challenge.count(), 0);

    // A picture that is not one counts as missing too.
    world.fake.addRoute("GET", QStringLiteral("/google/accounts/Captcha"),
                        FakeResponse::document("not an image", "image/jpeg"));
    world.service->authenticate(ePlainLogin);
    QVERIFY(done.wait());
    QCOMPARE(done.at(1).at(0).toBool(), false);
    QCOMPARE(challenge.count(), 0);
}

void TestAccountSignIn::wrongCaptchaAnswerAsksAgain()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::CAPTCHA_USER, FakeAccount::CAPTCHA_PASSWORD);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    QSignalSpy challenge(world.service.get(), &VideoServiceProvider::captchaChallenge);
    world.service->authenticate(ePlainLogin);
    QVERIFY(challenge.wait());
    world.repository->setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, QStringLiteral("wrong"));
    world.service->authenticate(eCaptchaLogin);
    QVERIFY(challenge.wait());
    QCOMPARE(challenge.count(), 2);
    QCOMPARE(done.count(), 0);
    QVERIFY(world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN).isEmpty());
}

void TestAccountSignIn::captchaAddressMustStayOnTheSignInHost_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("relative") << "Captcha?ctoken=abc" << true;
    QTest::newRow("climbing the path") << "../Captcha?ctoken=abc" << true;
    QTest::newRow("another host") << "//evil.example/Captcha" << false;
    QTest::newRow("absolute elsewhere") << "http://evil.example/Captcha" << false;
    QTest::newRow("not http") << "file:///etc/passwd" << false;
    QTest::newRow("sign-in host over https") << "https://www.google.com/accounts/Captcha?ctoken=abc" << true;
    QTest::newRow("sign-in host over plain http") << "http://www.google.com/accounts/Captcha?ctoken=abc" << false;
    QTest::newRow("empty") << "" << false;
}

void TestAccountSignIn::captchaAddressMustStayOnTheSignInHost()
{
    QFETCH(QString, address);
    QFETCH(bool, accepted);
    QNetworkAccessManager network;
    const ServiceEndpoints endpoints(QStringLiteral("http://127.0.0.1:4711"));
    ClientLoginManager login(&network, endpoints);
    const QUrl url = login.captchaImageUrl(address);
    QCOMPARE(url.isValid(), accepted);
    if (accepted) {
        QCOMPARE(url.host(), QString("127.0.0.1"));
        QCOMPARE(url.port(), 4711);
    }
}

void TestAccountSignIn::cancelledSignInReportsNothing()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    FakeResponse slow = FakeResponse::document("Auth=late\n", "text/plain");
    slow.delayMs = 300;
    world.fake.addRoute("POST", QStringLiteral("/google/accounts/ClientLogin"), slow);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::authenticated);
    QSignalSpy received(&world.fake, &FakeService::requestReceived);
    world.service->authenticate(ePlainLogin);
    QVERIFY(received.wait());
    world.service->cancelAuthentication();
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(done.count(), 0);
    QVERIFY(world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN).isEmpty());

    // Cancelled while the captcha picture is on its way: no challenge either.
    world.storeAccount(FakeAccount::CAPTCHA_USER, FakeAccount::CAPTCHA_PASSWORD);
    world.fake.addRoute("POST", QStringLiteral("/google/accounts/ClientLogin"), [](const FakeRequest&) {
        return FakeResponse::document("Error=CaptchaRequired\nCaptchaToken=t\nCaptchaUrl=Captcha?ctoken=c\n",
                                      "text/plain", 403);
    });
    FakeResponse slowPicture = FakeResponse::document(FakeFeeds::thumbnailImage(), "image/jpeg");
    slowPicture.delayMs = 300;
    world.fake.addRoute("GET", QStringLiteral("/google/accounts/Captcha"), slowPicture);
    QSignalSpy challenge(world.service.get(), &VideoServiceProvider::captchaChallenge);
    received.clear();
    world.service->authenticate(ePlainLogin);
    QTRY_COMPARE(world.fake.requestsTo("/google/accounts/Captcha").count(), 1);
    world.service->cancelAuthentication();
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(challenge.count(), 0);
    QCOMPARE(done.count(), 0);

    // A sign-in with no user name is cancelled before its report too.
    world.storeAccount(QString(), QString());
    world.service->authenticate(ePlainLogin);
    world.service->cancelAuthentication();
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(done.count(), 0);
}

QTEST_MAIN(TestAccountSignIn)
#include "tst_accountsignin.moc"
