#include "service/RequestManagerBase.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// A request manager that only records how its requests end.
class RecordingManager : public RequestManagerBase
{
    Q_OBJECT
public:
    using RequestManagerBase::RequestManagerBase;

    void get(const QString& path, QIODevice* sink = nullptr)
    {
        auto* request = new ServiceRequest(endpoints().url(ServiceEndpoints::eApi, path));
        request->setSink(sink);
        send(request);
    }
    using RequestManagerBase::pendingRequests;

    bool keepUnauthorized = false;
    QByteArray authorization;
    ServiceRequest::FailureKind kind = ServiceRequest::eNoFailure;
    QString message;
    QByteArray body;
    int status = 0;
    int sendCount = 0;
    qint64 lastProgress = -1;

Q_SIGNALS:
    void ended(bool ok);

protected:
    void decorateRequest(QNetworkRequest& networkRequest, const ServiceRequest&) override
    {
        if (!authorization.isEmpty())
            networkRequest.setRawHeader("Authorization", authorization);
    }
    void requestSucceeded(ServiceRequest* request) override
    {
        body = request->receivedData();
        status = request->httpStatus();
        sendCount = request->sendCount();
        Q_EMIT ended(true);
    }
    void requestFailed(ServiceRequest* request) override
    {
        kind = request->failureKind();
        message = request->failureMessage();
        status = request->httpStatus();
        Q_EMIT ended(false);
    }
    bool requestUnauthorized(ServiceRequest* request) override
    {
        if (!keepUnauthorized)
            return false;
        // As after a new sign-in: a fresh token, then the same request again.
        QTimer::singleShot(20, this, [this, request] {
            authorization = "GoogleLogin auth=fresh";
            resend(request);
        });
        return true;
    }
    void requestProgress(ServiceRequest*, qint64 received, qint64) override { lastProgress = received; }
};

class TestRequestManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void failuresEndInOnePath_data();
    void failuresEndInOnePath();
    void refusedConnectionIsANetworkFailure();
    void successSendsTheApiHeadersAndKeepsTheBody();
    void sinkTakesOnlyASuccessfulBody();
    void unauthorizedRequestIsResentWhenKept();
    void unauthorizedRequestFailsWhenNotKept();
    void abortedRequestsReportNothing();
    void endpointsMapDocumentAddresses_data();
    void endpointsMapDocumentAddresses();
    void credentialsGoOverHttpsToTheRealService_data();
    void credentialsGoOverHttpsToTheRealService();

private:
    RecordingManager* makeManager(int timeoutMs = 3000, qint64 maxDocument = 1024 * 1024);

    std::unique_ptr<TestWorld> myWorld;
    FakeService* myFake = nullptr;
    QNetworkAccessManager* myNetwork = nullptr;
};

void TestRequestManager::init()
{
    myWorld = std::make_unique<TestWorld>(TestWorld::FakeServer);
    myFake = &myWorld->fake;
    myNetwork = new QNetworkAccessManager;
}

void TestRequestManager::cleanup()
{
    delete myNetwork;
    myWorld.reset();
}

RecordingManager* TestRequestManager::makeManager(int timeoutMs, qint64 maxDocument)
{
    auto* manager = new RecordingManager(myNetwork, ServiceEndpoints(myFake->baseUrl()), myNetwork);
    RequestLimits limits;
    limits.timeoutMs = timeoutMs;
    limits.maxRedirects = 5;
    limits.maxDocumentSize = maxDocument;
    manager->setLimits(limits);
    return manager;
}

void TestRequestManager::failuresEndInOnePath_data()
{
    QTest::addColumn<FakeResponse>("response");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("messagePart");

    FakeResponse late = FakeResponse::document("<feed/>", "application/atom+xml");
    late.delayMs = 1500;
    QTest::newRow("no answer in time") << late << int(ServiceRequest::eTimeout) << "timed out";

    FakeResponse stalls = FakeResponse::generated(200000);
    stalls.stallAfter = 1000;
    QTest::newRow("answer stops midway") << stalls << int(ServiceRequest::eTimeout) << "timed out";

    QTest::newRow("404 with an error document")
        << FakeResponse::error(404, "ResourceNotFoundException", "Video not found") << int(ServiceRequest::eHttpError)
        << "HTTP 404 Not Found: Video not found";

    FakeResponse maintenance = FakeResponse::document(
        "<errors><error><domain>yt:service</domain><code>disabled_in_maintenance_mode</code></error></errors>",
        "application/vnd.google.gdata.error+xml", 503);
    QTest::newRow("503 with a code only") << maintenance << int(ServiceRequest::eHttpError)
                                          << "HTTP 503 Service Unavailable: disabled_in_maintenance_mode";

    QTest::newRow("500 with an HTML page")
        << FakeResponse::document("<html><body>Oops</body></html>", "text/html", 500)
        << int(ServiceRequest::eHttpError) << "HTTP 500";

    QTest::newRow("redirect loop") << FakeResponse::redirect("/gdata/loop") << int(ServiceRequest::eRedirectLoop)
                                   << "redirects";

    FakeResponse dropped = FakeResponse::generated(100000);
    dropped.dropAfter = 5000;
    QTest::newRow("connection dropped midway") << dropped << int(ServiceRequest::eTruncated)
                                               << "The connection was lost";

    FakeResponse shortBody = FakeResponse::document("<feed>", "application/atom+xml");
    shortBody.announcedLength = 500;
    QTest::newRow("body shorter than announced") << shortBody << int(ServiceRequest::eTruncated)
                                                 << "The connection was lost";

    QTest::newRow("announced size above the limit")
        << FakeResponse::generated(2 * 1024 * 1024) << int(ServiceRequest::eOversized) << "too large";

    FakeResponse overLimit = FakeResponse::document(FakeService::generatedBytes(0, 1024 * 1024 + 1), "text/xml");
    QTest::newRow("one byte above the limit") << overLimit << int(ServiceRequest::eOversized) << "too large";
}

void TestRequestManager::failuresEndInOnePath()
{
    QFETCH(FakeResponse, response);
    QFETCH(int, kind);
    QFETCH(QString, messagePart);

    myFake->addRoute("GET", QStringLiteral("/gdata/loop"), response);
    RecordingManager* manager = makeManager(400);
    QSignalSpy ended(manager, &RecordingManager::ended);
    manager->get(QStringLiteral("/loop"));
    QVERIFY(ended.wait(5000));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toBool(), false);
    QCOMPARE(int(manager->kind), kind);
    QVERIFY2(manager->message.contains(messagePart), qPrintable(manager->message));
    // The message may reach the user: how many bytes came is only for the trace.
    QVERIFY2(!manager->message.contains(QLatin1String("bytes")), qPrintable(manager->message));
    QCOMPARE(manager->pendingCount(), 0);
    // Nothing more arrives afterwards.
    QTRY_VERIFY(requestsSettled(manager));
    QCOMPARE(ended.count(), 1);
}

void TestRequestManager::refusedConnectionIsANetworkFailure()
{
    auto* manager = new RecordingManager(myNetwork, ServiceEndpoints(TestWorld::unreachableUrl()), myNetwork);
    QSignalSpy ended(manager, &RecordingManager::ended);
    manager->get(QStringLiteral("/feeds/api/videos"));
    QVERIFY(ended.wait(5000));
    QCOMPARE(int(manager->kind), int(ServiceRequest::eNetwork));
    QVERIFY(manager->message.startsWith(QStringLiteral("Network error")));
}

void TestRequestManager::successSendsTheApiHeadersAndKeepsTheBody()
{
    myFake->addRoute("GET", QStringLiteral("/gdata/feeds/api/videos"),
                     FakeResponse::document("<feed xmlns='http://www.w3.org/2005/Atom'/>", "application/atom+xml"));
    RecordingManager* manager = makeManager();
    QSignalSpy ended(manager, &RecordingManager::ended);
    manager->get(QStringLiteral("/feeds/api/videos"));
    QVERIFY(ended.wait());
    QCOMPARE(ended.at(0).at(0).toBool(), true);
    QCOMPARE(manager->body, QByteArray("<feed xmlns='http://www.w3.org/2005/Atom'/>"));
    QCOMPARE(manager->status, 200);
    const FakeRequest request = myFake->requests().value(0);
    QCOMPARE(request.header("GData-Version"), QByteArray("2"));
    QVERIFY(request.header("X-GData-Key").startsWith("key="));
}

void TestRequestManager::sinkTakesOnlyASuccessfulBody()
{
    myFake->addRoute("GET", QStringLiteral("/gdata/file"), FakeResponse::generated(300000));
    myFake->addRoute("GET", QStringLiteral("/gdata/missing"),
                     FakeResponse::error(404, "ResourceNotFoundException", "gone"));
    RecordingManager* manager = makeManager(3000, 1000);   // the size limit is for buffers only
    QSignalSpy ended(manager, &RecordingManager::ended);

    QBuffer file;
    file.open(QIODevice::WriteOnly);
    manager->get(QStringLiteral("/file"), &file);
    QVERIFY(ended.wait());
    QCOMPARE(ended.last().at(0).toBool(), true);
    QCOMPARE(file.data(), FakeService::generatedBytes(0, 300000));
    QVERIFY(manager->body.isEmpty());
    QCOMPARE(manager->lastProgress, qint64(300000));

    QBuffer other;
    other.open(QIODevice::WriteOnly);
    manager->get(QStringLiteral("/missing"), &other);
    QVERIFY(ended.wait());
    QCOMPARE(ended.last().at(0).toBool(), false);
    QVERIFY(other.data().isEmpty());
    QVERIFY(manager->message.contains(QStringLiteral("gone")));
}

void TestRequestManager::unauthorizedRequestIsResentWhenKept()
{
    myFake->addRoute("GET", QStringLiteral("/gdata/private"), [](const FakeRequest& request) {
        if (request.header("Authorization") != "GoogleLogin auth=fresh")
            return FakeResponse::document("<errors><error><code>TokenExpired</code></error></errors>",
                                          "application/vnd.google.gdata.error+xml", 401);
        return FakeResponse::document("<ok/>", "application/xml");
    });
    RecordingManager* manager = makeManager();
    manager->keepUnauthorized = true;
    manager->authorization = "GoogleLogin auth=stale";
    QSignalSpy ended(manager, &RecordingManager::ended);
    manager->get(QStringLiteral("/private"));
    QVERIFY(ended.wait());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toBool(), true);
    QCOMPARE(manager->body, QByteArray("<ok/>"));
    QCOMPARE(manager->sendCount, 2);
    QCOMPARE(myFake->requests().size(), 2);
}

void TestRequestManager::unauthorizedRequestFailsWhenNotKept()
{
    myFake->addRoute("GET", QStringLiteral("/gdata/private"),
                     FakeResponse::document("<errors><error><code>TokenExpired</code></error></errors>",
                                            "application/vnd.google.gdata.error+xml", 401));
    RecordingManager* manager = makeManager();
    QSignalSpy ended(manager, &RecordingManager::ended);
    manager->get(QStringLiteral("/private"));
    QVERIFY(ended.wait());
    QCOMPARE(int(manager->kind), int(ServiceRequest::eHttpError));
    QCOMPARE(manager->status, 401);
    QVERIFY(manager->message.contains(QStringLiteral("TokenExpired")));
}

void TestRequestManager::abortedRequestsReportNothing()
{
    FakeResponse slow = FakeResponse::document("<feed/>", "application/atom+xml");
    slow.delayMs = 100;
    myFake->addRoute("GET", QStringLiteral("/gdata/slow"), slow);
    RecordingManager* manager = makeManager();
    QSignalSpy ended(manager, &RecordingManager::ended);
    manager->get(QStringLiteral("/slow"));
    manager->get(QStringLiteral("/slow"));
    QCOMPARE(manager->pendingCount(), 2);
    manager->abortAll();
    QTRY_VERIFY(requestsSettled(manager));
    QCOMPARE(ended.count(), 0);
    delete manager;   // with nothing pending, and again with a request on the wire
    manager = makeManager();
    QNetworkAccessManager* network = manager->network();
    manager->get(QStringLiteral("/slow"));
    delete manager;
    // The reply on the wire goes with it, so its answer finds nothing to call.
    QTRY_VERIFY(network->findChildren<QNetworkReply*>().isEmpty());
}

void TestRequestManager::endpointsMapDocumentAddresses_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("mapped");

    const QString local = QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("thumbnail host") << local << "http://i.ytimg.com/vi/abc/default.jpg"
                                    << "http://127.0.0.1:8080/ytimg/vi/abc/default.jpg";
    QTest::newRow("numbered thumbnail host") << local << "http://i3.ytimg.com/vi/abc/default.jpg"
                                             << "http://127.0.0.1:8080/ytimg/vi/abc/default.jpg";
    QTest::newRow("API with query") << local << "http://gdata.youtube.com/feeds/api/videos/abc/comments?v=2.1"
                                    << "http://127.0.0.1:8080/gdata/feeds/api/videos/abc/comments?v=2.1";
    QTest::newRow("web site") << local << "http://www.youtube.com/watch?v=abc&feature=x"
                              << "http://127.0.0.1:8080/www/watch?v=abc&feature=x";
    QTest::newRow("picture host of the web site") << local << "http://img.youtube.com/vi/abc/0.jpg"
                                                  << "http://127.0.0.1:8080/ytimg/vi/abc/0.jpg";
    QTest::newRow("secure thumbnail host") << local << "https://i1.ytimg.com/vi/abc/default.jpg"
                                           << "http://127.0.0.1:8080/ytimg/vi/abc/default.jpg";
    QTest::newRow("secure API") << local << "https://gdata.youtube.com/feeds/api/users/someone"
                                << "http://127.0.0.1:8080/gdata/feeds/api/users/someone";
    QTest::newRow("API under another name") << local << "http://stage.gdata.youtube.com/feeds/api/videos/abc/related"
                                            << "http://127.0.0.1:8080/gdata/feeds/api/videos/abc/related";
    QTest::newRow("uploads") << local << "http://uploads.gdata.youtube.com/feeds/api/users/default/uploads"
                             << "http://127.0.0.1:8080/uploads/feeds/api/users/default/uploads";
    QTest::newRow("mobile site") << local << "http://m.youtube.com/details?v=abc"
                                 << "http://127.0.0.1:8080/www/details?v=abc";
    QTest::newRow("bare web domain") << local << "http://youtube.com/watch?v=abc"
                                     << "http://127.0.0.1:8080/www/watch?v=abc";
    QTest::newRow("account login") << local << "https://www.google.com/accounts/Captcha?ctoken=x"
                                   << "http://127.0.0.1:8080/google/accounts/Captcha?ctoken=x";
    QTest::newRow("other host of the login's domain stays") << local << "http://code.google.com/apis/youtube"
                                                            << "http://code.google.com/apis/youtube";
    QTest::newRow("look-alike domain stays") << local << "http://notyoutube.com/vi/abc.jpg"
                                             << "http://notyoutube.com/vi/abc.jpg";
    QTest::newRow("domain inside another stays") << local << "http://img.youtube.com.example.org/a.jpg"
                                                 << "http://img.youtube.com.example.org/a.jpg";
    QTest::newRow("other host stays") << local << "http://example.org/a.jpg" << "http://example.org/a.jpg";
    QTest::newRow("local file refused") << local << "file:///etc/passwd" << "";
    QTest::newRow("script refused") << local << "javascript:alert(1)" << "";
    QTest::newRow("no host refused") << local << "http:///vi/abc.jpg" << "";
    QTest::newRow("climbing out of its endpoint refused")
        << local << "http://i.ytimg.com/vi/../../gdata/feeds/api/users/default" << "";
    QTest::newRow("real hosts kept") << "" << "http://i2.ytimg.com/vi/abc/default.jpg"
                                     << "http://i2.ytimg.com/vi/abc/default.jpg";
}

void TestRequestManager::endpointsMapDocumentAddresses()
{
    QFETCH(QString, base);
    QFETCH(QString, address);
    QFETCH(QString, mapped);
    const QUrl url = ServiceEndpoints(base).mapDocumentUrl(address);
    QCOMPARE(url.isValid() ? url.toString() : QString(), mapped);
}

// The password goes to the login, the token with every request to the API and with
// every upload: on the real service none of them is plain http. A local base URL
// keeps its own scheme.
void TestRequestManager::credentialsGoOverHttpsToTheRealService_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("endpoint");
    QTest::addColumn<QString>("scheme");
    const QString local = QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("API") << QString() << int(ServiceEndpoints::eApi) << "https";
    QTest::newRow("uploads") << QString() << int(ServiceEndpoints::eUpload) << "https";
    QTest::newRow("account login") << QString() << int(ServiceEndpoints::eAccounts) << "https";
    QTest::newRow("local API") << local << int(ServiceEndpoints::eApi) << "http";
    QTest::newRow("local uploads") << local << int(ServiceEndpoints::eUpload) << "http";
}

void TestRequestManager::credentialsGoOverHttpsToTheRealService()
{
    QFETCH(QString, base);
    QFETCH(int, endpoint);
    QFETCH(QString, scheme);
    const QUrl url = ServiceEndpoints(base).url(ServiceEndpoints::Endpoint(endpoint),
                                                QStringLiteral("/feeds/api/users/default/uploads"));
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), scheme);
}

QTEST_MAIN(TestRequestManager)
#include "tst_requestmanager.moc"
