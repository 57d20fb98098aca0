#include "tests/support/TestSupport.h"

#include "core/VideoListModel.h"
#include "service/ServiceConstants.h"
#include "service/VideoServiceFactory.h"

// The factory's one service, and the environment variable that points it elsewhere.
class TestServiceFactory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { cleanup(); }
    void cleanup();
    void anyNameGivesTheService_data();
    void anyNameGivesTheService();
    void baseUrlFromTheEnvironment();
    void unusableBaseUrlIsReported_data();
    void unusableBaseUrlIsReported();
};

void TestServiceFactory::cleanup()
{
    qunsetenv(SERVICE_ENV_BASE_URL.toLatin1().constData());
}

void TestServiceFactory::anyNameGivesTheService_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("YOUTUBE") << "YOUTUBE";
    QTest::newRow("empty") << "";
    QTest::newRow("other") << "something else";
}

void TestServiceFactory::anyNameGivesTheService()
{
    QFETCH(QString, name);
    TestWorld world;
    QObject parent;
    VideoServiceFactory factory;
    VideoServiceProvider* service = factory.createService(name, *world.repository, &parent);
    QVERIFY(qobject_cast<YoutubeVideoService*>(service));
    QCOMPARE(service->parent(), &parent);
    QVERIFY(service->isInitialized());
    // Without the variable, the real hosts.
    QVERIFY(!static_cast<YoutubeVideoService*>(service)->endpoints().isOverridden());
}

void TestServiceFactory::baseUrlFromTheEnvironment()
{
    // The world's own service is not used: the factory makes the one under test.
    TestWorld world(TestWorld::Service);
    qputenv(SERVICE_ENV_BASE_URL.toLatin1().constData(), (world.fake.baseUrl() + "/").toLatin1());
    VideoServiceFactory factory;
    std::unique_ptr<VideoServiceProvider> service(
        factory.createService(QStringLiteral("YOUTUBE"), *world.repository, nullptr));
    QVERIFY(service->isInitialized());

    VideoListModel model(world.repository.get());
    QSignalSpy ready(service.get(), &VideoServiceProvider::updateModel);
    service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    QCOMPARE(world.fake.requestsTo(QStringLiteral("/gdata/feeds/api/standardfeeds/most_viewed")).size(), 1);
}

void TestServiceFactory::unusableBaseUrlIsReported_data()
{
    QTest::addColumn<QString>("base");
    QTest::newRow("no scheme") << "127.0.0.1:8080";
    QTest::newRow("not a URL") << "not a url";
    QTest::newRow("file") << "file:///tmp/service";
}

void TestServiceFactory::unusableBaseUrlIsReported()
{
    QFETCH(QString, base);
    TestWorld world;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("invalid service base URL"));
    YoutubeVideoService service(*world.repository, ServiceEndpoints(base));
    QVERIFY(!service.isInitialized());
}

QTEST_MAIN(TestServiceFactory)
#include "tst_servicefactory.moc"
