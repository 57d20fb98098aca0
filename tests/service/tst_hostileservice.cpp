#include "tests/support/TestSupport.h"

#include "core/ContactListModel.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/VideoListModel.h"
#include "service/account/PlaylistSyncManager.h"
#include "service/feeds/FeedPager.h"

#include <QNetworkAccessManager>

#include <functional>

// One write of the playlist sync manager, with the callback to answer.
using SyncCall = std::function<void(PlaylistSyncManager&, const PlaylistSyncManager::Done&)>;
Q_DECLARE_METATYPE(SyncCall)

// A service that does not play fair: paging without an end, redirects that would
// carry the account's token or password to another host, and ids that climb out of
// their path segment.
class TestHostileService : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagedReadsEnd_data();
    void pagedReadsEnd();
    void credentialsStayOnTheirHost_data();
    void credentialsStayOnTheirHost();
    void idsStayInTheirSegment_data();
    void idsStayInTheirSegment();
};

namespace {

const QString PLAYLISTS = QStringLiteral("/gdata/feeds/api/users/default/playlists");
const QString ENTRIES = QStringLiteral("/gdata/feeds/api/playlists/PL1");
const QString CONTACTS = QStringLiteral("/gdata/feeds/api/users/default/contacts");

// One page with one entry of the reader's kind, the total when it is >= 0 and a
// next link when there is one.
QByteArray page(const QString& path, int total, const QString& next)
{
    QByteArray entry;
    if (path == PLAYLISTS)
        entry = "<entry><title>List</title><yt:playlistId>PL1</yt:playlistId></entry>";
    else if (path == ENTRIES)
        entry = "<entry><id>tag:youtube.com,2008:playlist:PL1:ITEM</id>"
                "<media:group><yt:videoid>kx9fW2qHb1s</yt:videoid></media:group></entry>";
    else   // a contact that is not listed: the read ends in noResults
        entry = "<entry><yt:username>someone</yt:username><yt:status>pending</yt:status></entry>";
    QByteArray feed = "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:openSearch='http://a9.com/-/spec/opensearch/1.1/'"
                      " xmlns:media='http://search.yahoo.com/mrss/' xmlns:yt='http://gdata.youtube.com/schemas/2007'>";
    if (total >= 0)
        feed += "<openSearch:totalResults>" + QByteArray::number(total) + "</openSearch:totalResults>";
    if (!next.isEmpty())
        feed += "<link rel='next' type='application/atom+xml' href='" + next.toUtf8() + "'/>";
    return feed + entry + "</feed>";
}

// Starts the read of the path's kind; the spy catches its end.
std::unique_ptr<QSignalSpy> startRead(TestWorld& world, const QString& path, PlayListModel& lists,
                                      VideoListModel& videos, ContactListModel& contacts)
{
    VideoServiceProvider* service = world.service.get();
    if (path == PLAYLISTS) {
        auto spy = std::make_unique<QSignalSpy>(service, &VideoServiceProvider::playListsFetched);
        service->getPlayLists(&lists);
        return spy;
    }
    if (path == ENTRIES) {
        auto spy = std::make_unique<QSignalSpy>(service, &VideoServiceProvider::playListEntriesFetched);
        PlayList list(7, eAccountService, ePlayListAccount, QStringLiteral("List"));
        list.setProviderId(QStringLiteral("PL1"));
        service->getPlayListEntries(list, &videos);
        return spy;
    }
    auto spy = std::make_unique<QSignalSpy>(service, &VideoServiceProvider::noResults);
    service->getContacts(&contacts);
    return spy;
}

} // namespace

void TestHostileService::pagedReadsEnd_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("paging");   // what every page says about the next one
    QTest::addColumn<int>("requests");
    for (const QString& path : {PLAYLISTS, ENTRIES, CONTACTS}) {
        const QString name = path.section(QLatin1Char('/'), -1);
        QTest::addRow("%s: the same next link", qPrintable(name)) << path << "same link" << 2;
        QTest::addRow("%s: a new next link, no total", qPrintable(name))
            << path << "new link" << FeedPager::MAX_PAGES;
        QTest::addRow("%s: total reached, next link", qPrintable(name)) << path << "total 1" << 1;
        QTest::addRow("%s: total ahead, no link", qPrintable(name)) << path << "total 3" << 3;
    }
}

void TestHostileService::pagedReadsEnd()
{
    QFETCH(QString, path);
    QFETCH(QString, paging);
    QFETCH(int, requests);
    TestWorld world(TestWorld::SignedIn);
    world.fake.addRoute("GET", path, [path, paging](const FakeRequest& request) {
        const QString start = request.queryValue(QStringLiteral("start-index"));
        QString next;
        if (paging == QLatin1String("same link"))
            next = QStringLiteral("http://gdata.youtube.com/feeds/api/more?start-index=2");
        else if (paging != QLatin1String("total 3"))
            next = QStringLiteral("http://gdata.youtube.com/feeds/api/more?start-index=%1").arg(start.toInt() + 1);
        const int total = paging.startsWith(QLatin1String("total")) ? paging.section(QLatin1Char(' '), 1).toInt() : -1;
        return FakeResponse::document(page(path, total, next), "application/atom+xml");
    });

    PlayListModel lists(world.repository.get());
    VideoListModel videos(world.repository.get());
    ContactListModel contacts;
    const std::unique_ptr<QSignalSpy> ended = startRead(world, path, lists, videos, contacts);
    QVERIFY(ended->wait(10000));
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(world.fake.requestsTo(path).count(), requests);
    QCOMPARE(ended->count(), 1);
}

void TestHostileService::credentialsStayOnTheirHost_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("elsewhere");   // the redirect leads to another host
    QTest::addColumn<int>("status");
    QTest::newRow("signed read, another host") << QByteArray("GET") << PLAYLISTS << true << 302;
    QTest::newRow("signed write, another host")
        << QByteArray("POST") << QStringLiteral("/gdata/feeds/api/videos/kx9fW2qHb1s/comments") << true << 307;
    QTest::newRow("signed upload, another host")
        << QByteArray("POST") << QStringLiteral("/uploads/feeds/api/users/default/uploads") << true << 302;
    QTest::newRow("sign-in form, another host")
        << QByteArray("POST") << QStringLiteral("/google/accounts/ClientLogin") << true << 307;
    QTest::newRow("signed read, same host") << QByteArray("GET") << PLAYLISTS << false << 302;
}

void TestHostileService::credentialsStayOnTheirHost()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(bool, elsewhere);
    QFETCH(int, status);
    TestWorld world(TestWorld::SignedIn);
    FakeService other;
    QVERIFY(other.start());
    other.addRoute(method, QStringLiteral("/*"), FakeResponse::document("<html/>", "text/html"));
    const QString moved = QStringLiteral("/gdata/moved");
    world.fake.addRoute(method, moved, FakeResponse::document(page(PLAYLISTS, 1, QString()), "application/atom+xml"));
    const QByteArray target = elsewhere ? other.baseUrl().toUtf8() + "/stolen" : moved.toUtf8();
    world.fake.addRoute(method, path, FakeResponse::redirect(target, status));

    PlayListModel lists(world.repository.get());
    VideoEntry video;
    video.setVideoId(FakeFeeds::VIDEO_ID);
    QSignalSpy listed(world.service.get(), &VideoServiceProvider::playListsFetched);
    QSignalSpy listFailed(world.service.get(), &VideoServiceProvider::errorOccuredInPlayList);
    QSignalSpy commented(world.service.get(), &VideoServiceProvider::commentingDone);
    QSignalSpy commentFailed(world.service.get(), &VideoServiceProvider::errorOccuredInCommenting);
    QSignalSpy signedIn(world.service.get(), &VideoServiceProvider::authenticated);
    QSignalSpy uploaded(world.service.get(), &VideoServiceProvider::uploadDone);
    if (path == PLAYLISTS) {
        world.service->getPlayLists(&lists);
    } else if (path.endsWith(QLatin1String("comments"))) {
        world.service->commentVideo(QStringLiteral("Hieno!"), &video);
    } else if (path.endsWith(QLatin1String("uploads"))) {
        // An upload follows no redirect.
        const QString file = world.environment.home() + QStringLiteral("/clip.mp4");
        QVERIFY(writeFile(file, QByteArray(64 * 1024, 'v')));
        world.service->uploadVideo({{QStringLiteral("location"), file},
                                    {QStringLiteral("title"), QStringLiteral("Clip")},
                                    {QStringLiteral("description"), QString()},
                                    {QStringLiteral("category"), QStringLiteral("People")},
                                    {QStringLiteral("keywords"), QStringLiteral("clip")}});
    } else {
        world.service->authenticate(ePlainLogin);
    }
    QTRY_COMPARE(listed.count() + listFailed.count() + commented.count() + commentFailed.count() + signedIn.count()
                     + uploaded.count(),
                 1);

    for (const FakeRequest& request : other.requests()) {
        QVERIFY(request.header("Authorization").isEmpty());
        QVERIFY(!request.body.contains("Passwd"));
    }
    if (elsewhere) {
        QCOMPARE(other.requests().count(), 0);
        QCOMPARE(listed.count() + commented.count(), 0);
        if (!signedIn.isEmpty())
            QCOMPARE(signedIn.at(0).at(0).toBool(), false);
        if (!uploaded.isEmpty())
            QCOMPARE(uploaded.at(0).at(0).toBool(), false);
    } else {
        // Within its own host the token goes along and the read ends well.
        QCOMPARE(listed.count(), 1);
        QCOMPARE(world.last(moved).header("Authorization"), "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    }
}

void TestHostileService::idsStayInTheirSegment_data()
{
    QTest::addColumn<SyncCall>("call");
    const auto add = [](const char* name, const SyncCall& call) { QTest::newRow(name) << call; };
    add("favourite entry ..", [](PlaylistSyncManager& m, auto done) { m.removeFavorite("..", done); });
    add("playlist entry .", [](PlaylistSyncManager& m, auto done) { m.removeVideo("PL1", ".", done); });
    add("playlist ..", [](PlaylistSyncManager& m, auto done) { m.deletePlayList("..", done); });
    add("playlist .. of an entry", [](PlaylistSyncManager& m, auto done) { m.moveVideo("..", "ITEM", 2, done); });
    add("empty playlist id", [](PlaylistSyncManager& m, auto done) { m.updatePlayList("", "t", "d", done); });
}

void TestHostileService::idsStayInTheirSegment()
{
    QFETCH(SyncCall, call);
    TestWorld world(TestWorld::SignedIn);
    QNetworkAccessManager network;
    PlaylistSyncManager sync(&network, ServiceEndpoints(world.fake.baseUrl()), *world.repository);
    QList<SyncAnswer> answers;
    call(sync, [&answers](const SyncAnswer& answer) { answers.append(answer); });
    QTRY_COMPARE(answers.count(), 1);
    QVERIFY(!answers.first().ok);
    // Refused before it was sent: an id never names another resource.
    QTRY_VERIFY(requestsSettled(&sync));
    QCOMPARE(world.fake.requests().count(), 0);
}

QTEST_MAIN(TestHostileService)
#include "tst_hostileservice.moc"
