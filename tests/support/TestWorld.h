#ifndef KRELVOX_TESTWORLD_H
#define KRELVOX_TESTWORLD_H

#include "shell/PageHistory.h"
#include "tests/support/TestEnvironment.h"
#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QString>

#include <memory>

class QWidget;
class Repository;
class YoutubeVideoService;

// Everything a test runs in, built to the level it asks for:
//
//   TestWorld world;                       // folders and an opened repository
//   TestWorld world(TestWorld::Service);   // and the video service on the fake service
//   world.service->getFeed(...);           // answered by world.fake, which records it
//   QCOMPARE(world.last("/gdata/feeds/").queryValue("v"), QString("2"));
//
// Pages go on the 800 x 480 window, made on first use (show() puts it on screen), and
// record themselves in the world's page history. Members are public: a test uses
// the pieces directly and may replace fake routes at will.
class TestWorld
{
public:
    enum Parts {
        Folders = 0x00,           // the temporary HOME, storage root and settings only
        Database = 0x01,          // and an opened repository in them
        FakeServer = 0x02,        // the fake service listening with its feed routes, no
                                  // repository (the whole program opens its own)
        FakeAccountServer = 0x0a, // the same with the account routes as well
        Service = 0x07,           // a repository, the fake service and the video service on it
        Account = 0x0f,           // Service, and the fake service's account routes
        SignedIn = 0x1f,          // Account, with the fake account's name, password and token stored
        Unreachable = 0x21,       // a repository and the video service on a port nobody listens on
    };

    // requestTimeoutMs: how long the video service waits for a silent answer.
    explicit TestWorld(Parts parts = Database, int requestTimeoutMs = 5000);
    ~TestWorld();
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    TestEnvironment environment;
    FakeService fake;                              // listening with FakeServer and above
    std::shared_ptr<FakeAccountState> account;     // the account routes' state
    std::unique_ptr<Repository> repository;        // with Database and above
    std::unique_ptr<YoutubeVideoService> service;  // with Service and above
    PageHistory history;                           // where pages record themselves

    // The test's top-level window, 800 x 480; show() shows it and waits until it is
    // on screen (false when it never got there).
    QWidget& window();
    bool show();

    // A new video service on the repository, pointed at another server (the demo
    // service, a server a child process started).
    void connectService(const QString& baseUrl, int requestTimeoutMs = 5000);

    // Closes the repository and opens the database again, as the next run would.
    void reopenRepository();

    // ---- Settings of the repository
    QString setting(const QString& key) const;
    void storeAccount(const QString& user, const QString& password);
    void storeToken(const QString& token);
    void setSignedIn(bool signedIn);   // the settings' signed-in switch

    // ---- What the fake service received
    // The last request whose path starts with the prefix (fails the test when none came).
    FakeRequest last(const QString& prefix) const;
    // Requests with the method whose path starts with the prefix.
    int count(const QByteArray& method, const QString& prefix) const;
    int logins() const;   // sign-ins at the account login
    // Feeds and searches answered with generated pages: total videos in all, as many
    // per page as the request asks for.
    void servePagedFeeds(int total);

    // An address where nothing answers: connections to it are refused at once.
    static QString unreachableUrl();

private:
    std::unique_ptr<QWidget> myWindow;
};

// True once every request of the owner's request managers (the video service's, or a
// manager itself) has ended and its reply is gone, after the events already waiting
// have run: from then on no answer can arrive, so "nothing happens" is checked as
// QTRY_VERIFY(requestsSettled(s)) followed by the check, with no fixed wait.
bool requestsSettled(const QObject* owner);

#endif
