#include "tests/support/TestWorld.h"

#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "service/RequestManagerBase.h"
#include "service/YoutubeVideoService.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>
#include <QWidget>

namespace {

// The pieces behind the named levels of TestWorld::Parts.
enum Piece {
    RepositoryPiece = 0x01,
    FakeServerPiece = 0x02,
    ClientPiece = 0x04,
    AccountRoutesPiece = 0x08,
    StoredAccountPiece = 0x10,
    UnreachableClientPiece = 0x20,
};

const QSize WINDOW_SIZE(800, 480);
const QString ACCOUNT_LOGIN = QStringLiteral("/google/accounts/ClientLogin");

} // namespace

TestWorld::TestWorld(Parts level, int requestTimeoutMs)
{
    const int parts = level;
    if (parts & FakeServerPiece) {
        if (!fake.start())
            qFatal("the fake service cannot listen");
        addFeedRoutes(fake);
    }
    if (parts & AccountRoutesPiece)
        account = addAccountRoutes(fake);
    if (parts & RepositoryPiece) {
        repository = std::make_unique<Repository>(environment.paths());
        if (repository->openDatabase() != 0)
            qFatal("the test database cannot be opened");
    }
    if (parts & (ClientPiece | UnreachableClientPiece))
        connectService((parts & ClientPiece) ? fake.baseUrl() : unreachableUrl(), requestTimeoutMs);
    if (parts & StoredAccountPiece) {
        storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
        storeToken(FakeAccount::TOKEN);
    }
}

TestWorld::~TestWorld()
{
    // What is on the window may still use the service and the repository.
    myWindow.reset();
    service.reset();
    repository.reset();
}

void TestWorld::connectService(const QString& baseUrl, int requestTimeoutMs)
{
    service = std::make_unique<YoutubeVideoService>(*repository, ServiceEndpoints(baseUrl));
    RequestLimits limits;
    limits.timeoutMs = requestTimeoutMs;
    service->setRequestLimits(limits);
}

QWidget& TestWorld::window()
{
    if (!myWindow) {
        myWindow = std::make_unique<QWidget>();
        myWindow->resize(WINDOW_SIZE);
    }
    return *myWindow;
}

bool TestWorld::show()
{
    window().show();
    return QTest::qWaitForWindowExposed(myWindow.get());
}

void TestWorld::reopenRepository()
{
    repository.reset();
    repository = std::make_unique<Repository>(environment.paths());
    if (repository->openDatabase() != 0)
        qFatal("the test database cannot be opened again");
}

QString TestWorld::setting(const QString& key) const
{
    QString value;
    repository->getSetting(key, value);
    return value;
}

void TestWorld::storeAccount(const QString& user, const QString& password)
{
    repository->setSetting(SETTING_YOUTUBE_USERNAME, user);
    repository->setSetting(SETTING_YOUTUBE_PASSWORD, password);
}

void TestWorld::storeToken(const QString& token)
{
    repository->setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, token);
}

void TestWorld::setSignedIn(bool signedIn)
{
    repository->setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn ? 1 : 0);
}

FakeRequest TestWorld::last(const QString& prefix) const
{
    const QList<FakeRequest> found = fake.requestsTo(prefix);
    if (found.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("no request to ") + prefix), __FILE__, __LINE__);
        return FakeRequest();
    }
    return found.last();
}

int TestWorld::count(const QByteArray& method, const QString& prefix) const
{
    int n = 0;
    for (const FakeRequest& request : fake.requestsTo(prefix))
        n += request.method == method ? 1 : 0;
    return n;
}

int TestWorld::logins() const
{
    return count("POST", ACCOUNT_LOGIN);
}

void TestWorld::servePagedFeeds(int total)
{
    const FakeHandler handler = [total](const FakeRequest& request) {
        const int start = qMax(1, request.queryValue(QStringLiteral("start-index")).toInt());
        const int size = qMax(1, request.queryValue(QStringLiteral("max-results")).toInt());
        const int count = qBound(0, total - start + 1, size);
        return FakeResponse::document(FakeFeeds::makeVideoFeed(count, total, start),
                                      "application/atom+xml; charset=UTF-8");
    };
    fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/*"), handler);
    fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos"), handler);
}

bool requestsSettled(const QObject* owner)
{
    QCoreApplication::processEvents();
    if (!owner)
        return true;
    QList<const RequestManagerBase*> managers;
    if (const auto* self = qobject_cast<const RequestManagerBase*>(owner))
        managers << self;
    for (const RequestManagerBase* manager : owner->findChildren<RequestManagerBase*>())
        managers << manager;
    // The replies of ended requests go as deferred deletes; while one lives it could
    // still deliver something.
    for (const RequestManagerBase* manager : managers)
        if (manager->pendingCount() > 0 || !manager->network()->findChildren<QNetworkReply*>().isEmpty())
            return false;
    return true;
}

QString TestWorld::unreachableUrl()
{
    // A port that was free a moment ago: the probe has stopped listening on it.
    quint16 port = 0;
    {
        FakeService probe;
        if (!probe.start())
            qFatal("no free port for an unreachable service");
        port = probe.port();
    }
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}
