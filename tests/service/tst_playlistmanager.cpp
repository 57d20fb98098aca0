#include "tests/support/TestSupport.h"


#include "core/PlayListModel.h"

// Reading the account's playlists into a playlist model.
class TestPlaylistManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void playListsOfTheAccount();
    void allPagesAreRead();
    void emptyAccount();
    void failureIsReported_data();
    void failureIsReported();
    void nullModelDoesNothing();
};

namespace {

PlayList* playListAt(const PlayListModel& model, int row)
{
    return itemAt<PlayList>(model, row);
}

} // namespace

void TestPlaylistManager::playListsOfTheAccount()
{
    TestWorld world(TestWorld::SignedIn);
    PlayListModel model(world.repository.get());
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::playListsFetched);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInPlayList);
    world.service->getPlayLists(&model);
    QVERIFY(fetched.wait());
    QCOMPARE(fetched.count(), 1);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(model.rowCount(), 2);

    PlayList* first = playListAt(model, 0);
    QCOMPARE(first->getName(), QString("Tunturit"));
    QCOMPARE(first->getDescription(), QString("Lapin maisemia"));
    QCOMPARE(first->getProviderId(), QString("PL8D1A4C2B7E9F0311"));
    QCOMPARE(first->getServiceId(), int(eAccountService));
    QCOMPARE(first->getType(), int(ePlayListAccount));
    QCOMPARE(first->getCount(), 3);
    QVERIFY(first->getProviderUpdated().isValid());
    QCOMPARE(playListAt(model, 1)->getName(), QString("Musiikki & muuta"));

    const FakeRequest request = world.last("/gdata/feeds/api/users/default/playlists");
    QCOMPARE(request.queryValue("start-index"), QString("1"));
    QCOMPARE(request.queryValue("max-results"), QString("50"));
}

void TestPlaylistManager::allPagesAreRead()
{
    TestWorld world(TestWorld::SignedIn);
    world.account->playLists.clear();
    for (int i = 1; i <= 75; ++i)
        world.account->playLists.append(FakePlayList{QStringLiteral("PL%1").arg(i), QStringLiteral("Lista %1").arg(i),
                                                     QString(), {}});
    PlayListModel model(world.repository.get());
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::playListsFetched);
    world.service->getPlayLists(&model);
    QVERIFY(fetched.wait());
    QCOMPARE(fetched.count(), 1);
    QCOMPARE(model.rowCount(), 75);
    QCOMPARE(playListAt(model, 74)->getName(), QString("Lista 75"));
    const QList<FakeRequest> pages = world.fake.requestsTo("/gdata/feeds/api/users/default/playlists");
    QCOMPARE(pages.count(), 2);
    QCOMPARE(pages.at(1).queryValue("start-index"), QString("51"));
}

void TestPlaylistManager::emptyAccount()
{
    TestWorld world(TestWorld::SignedIn);
    world.account->playLists.clear();
    PlayListModel model(world.repository.get());
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::playListsFetched);
    world.service->getPlayLists(&model);
    QVERIFY(fetched.wait());
    QCOMPARE(model.rowCount(), 0);
}

void TestPlaylistManager::failureIsReported_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("server error") << 500 << QByteArray("<errors/>");
    QTest::newRow("not a feed") << 200 << QByteArray("<html><body>maintenance</body></html>");
    QTest::newRow("broken feed") << 200 << QByteArray("<feed xmlns='http://www.w3.org/2005/Atom'><entry>");
}

void TestPlaylistManager::failureIsReported()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    TestWorld world(TestWorld::SignedIn);
    world.fake.addRoute("GET", "/gdata/feeds/api/users/default/playlists",
                        FakeResponse::document(body, "application/atom+xml", status));
    PlayListModel model(world.repository.get());
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::playListsFetched);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInPlayList);
    world.service->getPlayLists(&model);
    QVERIFY(failed.wait());
    QCOMPARE(failed.count(), 1);
    QCOMPARE(fetched.count(), 0);
    QCOMPARE(model.rowCount(), 0);
}

void TestPlaylistManager::nullModelDoesNothing()
{
    TestWorld world(TestWorld::SignedIn);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInPlayList);
    world.service->getPlayLists(nullptr);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QVERIFY(world.fake.requests().isEmpty());
    QCOMPARE(failed.count(), 0);
}

QTEST_MAIN(TestPlaylistManager)
#include "tst_playlistmanager.moc"
