#include "tests/support/TestSupport.h"


#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "service/account/YouTubeClient.h"
#include "service/account/vsCmdStruct.h"

#include <QElapsedTimer>
#include <memory>

// The command dispatcher: playlist and favourites writes, one at a time, in order;
// the device's playlists in the database only, the account's on the account first.
class TestYouTubeClient : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void localCommandsRunInOrder();
    void localCommandsThatFail_data();
    void localCommandsThatFail();
    void nothingFinishesInsideTheCall();
    void oneCommandAtATime();
    void accountPlayListCreated();
    void accountPlayListRenamedAndRemoved();
    void accountVideoAddedAndRemoved();
    void accountReorderSendsThePosition_data();
    void accountReorderSendsThePosition();
    void refusedWriteLeavesTheDatabase();
    void accountFavorites();
    void copyToTheAccountInPhases();
    void copyToTheDevice();
    void copyWithATakenName();
    void expiredTokenRenewedForACommand();
};

namespace {

vsCmdStruct command(int type, const PlayList& playList)
{
    vsCmdStruct c;
    c.cmdType = type;
    c.playList = playList;
    return c;
}

VideoEntry videoNamed(const QString& id)
{
    VideoEntry video = videoWithId(id);
    video.setName(QStringLiteral("Video ") + id);
    video.setAuthor(QStringLiteral("uploader"));
    return video;
}

// The playlist's entries, top first.
QList<VideoEntry> entries(Repository& repository, int playListId)
{
    VideoListModel model(&repository);
    repository.getPlayListEntries(playListId, &model);
    QList<VideoEntry> list;
    for (VideoEntry* entry : model.entries())
        list.append(*entry);
    return list;
}

QStringList videoIds(const QList<VideoEntry>& list)
{
    QStringList ids;
    for (const VideoEntry& entry : list)
        ids.append(entry.getVideoId());
    return ids;
}

QStringList fakeIds(const FakePlayList* list)
{
    QStringList ids;
    if (list)
        for (const FakeListItem& item : list->items)
            ids.append(item.videoId);
    return ids;
}

// A playlist stored in the database (and, for the account, its id there).
PlayList storedPlayList(Repository& repository, int serviceId, int type, const QString& name,
                        const QString& providerId = QString())
{
    PlayList playList(0, serviceId, type, name);
    playList.setProviderId(providerId);
    if (repository.addPlayList(&playList) != 0)
        qFatal("cannot store playlist %s", qPrintable(name));
    std::unique_ptr<PlayList> read(repository.getPlayList(playList.getId()));
    return *read;
}

PlayList* findPlayList(Repository& repository, int serviceId, const QString& name)
{
    PlayListModel model(&repository);
    bool open[2] = {false, false};
    repository.getPlayLists(&model, open);
    for (PlayList* playList : model.entries())
        if (playList->getServiceId() == serviceId && playList->getName() == name)
            return new PlayList(*playList);
    return nullptr;
}

struct Dispatch
{
    TestWorld world{TestWorld::SignedIn};
    QSignalSpy finished;

    Dispatch() : finished(world.service.get(), &VideoServiceProvider::commandFinished)
    {
        world.repository->addAccountPlayListFolder();
    }
    // Queues and waits for the command's end; its ok.
    bool run(const vsCmdStruct& c)
    {
        const int before = finished.count();
        world.service->queueCommand(c);
        if (!QTest::qWaitFor([&] { return finished.count() > before; }, 5000))
            return false;
        return finished.last().at(1).toBool();
    }
    Repository& repository() { return *world.repository; }
};

} // namespace

void TestYouTubeClient::localCommandsRunInOrder()
{
    Dispatch d;
    PlayList created(0, eLocalService, ePlayListLocal, QStringLiteral("Mökki"));
    d.world.service->queueCommand(command(vsAddPlayList, created));
    QTRY_COMPARE(d.finished.count(), 1);
    std::unique_ptr<PlayList> stored(findPlayList(d.repository(), eLocalService, QStringLiteral("Mökki")));
    QVERIFY(stored);

    VideoEntry a = videoNamed(QStringLiteral("aaaaaaaaaaa"));
    VideoEntry b = videoNamed(QStringLiteral("bbbbbbbbbbb"));
    VideoEntry c = videoNamed(QStringLiteral("ccccccccccc"));
    vsCmdStruct rename = command(vsRenamePlayList, *stored);
    rename.text = QStringLiteral("Kesämökki");
    d.world.service->queueCommand(rename);
    for (const VideoEntry& video : {a, b, c}) {
        vsCmdStruct add = command(vsAddVideoToPlayList, *stored);
        add.video = video;
        add.text = video.getVideoId();
        d.world.service->queueCommand(add);
    }
    QTRY_COMPARE(d.finished.count(), 5);
    QCOMPARE(videoIds(entries(d.repository(), stored->getId())), QStringList({"ccccccccccc", "bbbbbbbbbbb", "aaaaaaaaaaa"}));

    // Move "c" (top) below "a" (bottom), then remove "b", then the playlist.
    const QList<VideoEntry> shown = entries(d.repository(), stored->getId());
    vsCmdStruct reorder = command(vsUpdatePlayListOrder, *stored);
    reorder.video = shown.at(0);
    reorder.sortId = shown.at(2).getSortId();
    reorder.afterLast = true;
    d.world.service->queueCommand(reorder);
    vsCmdStruct removeVideo = command(vsRemoveVideoFromPlayList, *stored);
    removeVideo.video = shown.at(1);
    d.world.service->queueCommand(removeVideo);
    QTRY_COMPARE(d.finished.count(), 7);
    QCOMPARE(videoIds(entries(d.repository(), stored->getId())), QStringList({"aaaaaaaaaaa", "ccccccccccc"}));
    d.world.service->queueCommand(command(vsRemovePlayList, *stored));
    QTRY_COMPARE(d.finished.count(), 8);

    QList<int> types;
    for (const QList<QVariant>& report : d.finished) {
        types.append(report.at(0).toInt());
        QVERIFY(report.at(1).toBool());
    }
    QCOMPARE(types, QList<int>({1, 3, 4, 4, 4, 8, 5, 2}));
    QVERIFY(!findPlayList(d.repository(), eLocalService, QStringLiteral("Kesämökki")));
    // The device's playlists never reach the network.
    QVERIFY(d.world.fake.requests().isEmpty());
}

void TestYouTubeClient::localCommandsThatFail_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("add with a name in use") << int(vsAddPlayList);
    QTest::newRow("rename to a name in use") << int(vsRenamePlayList);
    QTest::newRow("rename to nothing") << -int(vsRenamePlayList);
    QTest::newRow("remove a playlist that is gone") << int(vsRemovePlayList);
    QTest::newRow("unknown command") << 42;
}

void TestYouTubeClient::localCommandsThatFail()
{
    QFETCH(int, type);
    Dispatch d;
    const PlayList taken = storedPlayList(d.repository(), eLocalService, ePlayListLocal, QStringLiteral("Käytössä"));
    const PlayList other = storedPlayList(d.repository(), eLocalService, ePlayListLocal, QStringLiteral("Toinen"));
    vsCmdStruct c = command(qAbs(type), other);
    if (type == vsAddPlayList)
        c.playList = PlayList(0, eLocalService, ePlayListLocal, taken.getName());
    if (type == vsRenamePlayList)
        c.text = taken.getName();
    if (type == vsRemovePlayList)
        c.playList.setId(9999);
    QVERIFY(!d.run(c));
    QCOMPARE(d.finished.last().at(0).toInt(), qAbs(type));
}

void TestYouTubeClient::nothingFinishesInsideTheCall()
{
    Dispatch d;
    d.world.service->queueCommand(command(vsAddPlayList, PlayList(0, eLocalService, ePlayListLocal, "Uusi")));
    QCOMPARE(d.finished.count(), 0);
    QTRY_COMPARE(d.finished.count(), 1);
}

void TestYouTubeClient::oneCommandAtATime()
{
    Dispatch d;
    FakeResponse slow = FakeResponse::document("<?xml version='1.0'?><entry xmlns='http://www.w3.org/2005/Atom' "
                                               "xmlns:yt='http://gdata.youtube.com/schemas/2007'><id>x</id>"
                                               "<yt:playlistId>PLSLOW0000000001</yt:playlistId></entry>",
                                               "application/atom+xml", 201);
    slow.delayMs = 250;
    d.world.fake.addRoute("POST", "/gdata/feeds/api/users/*", slow);
    d.world.service->queueCommand(command(vsAddPlayList, PlayList(0, eAccountService, ePlayListAccount, "Hidas")));
    d.world.service->queueCommand(command(vsAddPlayList, PlayList(0, eLocalService, ePlayListLocal, "Nopea")));
    // The local one waits behind the account's, whose answer is still to come.
    QTRY_COMPARE(d.world.fake.requestsTo("/gdata/feeds/api/users/").count(), 1);
    QCOMPARE(d.finished.count(), 0);
    QVERIFY(!findPlayList(d.repository(), eLocalService, "Nopea"));
    QVERIFY(d.world.service->commandClient()->isBusy());
    QTRY_COMPARE(d.finished.count(), 2);
    QCOMPARE(d.finished.at(0).at(0).toInt(), int(vsAddPlayList));
    QVERIFY(d.finished.at(0).at(1).toBool());
    QVERIFY(d.finished.at(1).at(1).toBool());
    std::unique_ptr<PlayList> slowOne(findPlayList(d.repository(), eAccountService, "Hidas"));
    QVERIFY(slowOne);
    QCOMPARE(slowOne->getProviderId(), QString("PLSLOW0000000001"));
    QVERIFY(!d.world.service->commandClient()->isBusy());
}

void TestYouTubeClient::accountPlayListCreated()
{
    Dispatch d;
    PlayList created(0, eAccountService, ePlayListAccount, QStringLiteral("Revontulet & yö"));
    created.setDescription(QStringLiteral("playlist made with Krelvox"));
    QVERIFY(d.run(command(vsAddPlayList, created)));

    const FakeRequest request = d.world.last("/gdata/feeds/api/users/default/playlists");
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.header("Authorization"), "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    const FakePlayList& remote = d.world.account->playLists.last();
    QCOMPARE(remote.title, QString("Revontulet & yö"));
    QCOMPARE(remote.summary, QString("playlist made with Krelvox"));

    std::unique_ptr<PlayList> stored(findPlayList(d.repository(), eAccountService, "Revontulet & yö"));
    QVERIFY(stored);
    QCOMPARE(stored->getType(), int(ePlayListAccount));
    QCOMPARE(stored->getProviderId(), remote.id);

    // A name the account's folder already has is not sent.
    const int posts = d.world.count("POST", "/gdata/feeds/api/users/");
    QVERIFY(!d.run(command(vsAddPlayList, created)));
    QCOMPARE(d.world.count("POST", "/gdata/feeds/api/users/"), posts);
}

void TestYouTubeClient::accountPlayListRenamedAndRemoved()
{
    Dispatch d;
    const PlayList stored = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Tunturit",
                                           "PL8D1A4C2B7E9F0311");
    vsCmdStruct rename = command(vsRenamePlayList, stored);
    rename.text = QStringLiteral("Tunturit 2013");
    QVERIFY(d.run(rename));
    QCOMPARE(d.world.account->playList("PL8D1A4C2B7E9F0311")->title, QString("Tunturit 2013"));
    std::unique_ptr<PlayList> renamed(d.repository().getPlayList(stored.getId()));
    QCOMPARE(renamed->getName(), QString("Tunturit 2013"));

    QVERIFY(d.run(command(vsRemovePlayList, *renamed)));
    QVERIFY(!d.world.account->playList("PL8D1A4C2B7E9F0311"));
    QVERIFY(!d.repository().getPlayList(stored.getId()));
    QCOMPARE(d.world.last("/gdata/feeds/api/users/").method, QByteArray("DELETE"));

    // Removing one that the account no longer has still removes it here.
    const PlayList gone = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Poissa", "PLGONE");
    QVERIFY(d.run(command(vsRemovePlayList, gone)));
    QVERIFY(!d.repository().getPlayList(gone.getId()));
}

void TestYouTubeClient::accountVideoAddedAndRemoved()
{
    Dispatch d;
    const PlayList stored = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Musiikki & muuta",
                                           "PL3F0C6E1D2A8B9477");
    vsCmdStruct add = command(vsAddVideoToPlayList, stored);
    add.video = videoNamed(FakeFeeds::VIDEO_ID);
    add.text = FakeFeeds::VIDEO_ID;
    QVERIFY(d.run(add));
    const FakePlayList* remote = d.world.account->playList("PL3F0C6E1D2A8B9477");
    QCOMPARE(fakeIds(remote), QStringList({FakeFeeds::VIDEO_ID}));
    const QList<VideoEntry> local = entries(d.repository(), stored.getId());
    QCOMPARE(videoIds(local), QStringList({FakeFeeds::VIDEO_ID}));
    QCOMPARE(local.at(0).getProviderEntryId(), remote->items.at(0).entryId);

    vsCmdStruct remove = command(vsRemoveVideoFromPlayList, stored);
    remove.video = local.at(0);
    QVERIFY(d.run(remove));
    QVERIFY(d.world.account->playList("PL3F0C6E1D2A8B9477")->items.isEmpty());
    QVERIFY(entries(d.repository(), stored.getId()).isEmpty());
    const FakeRequest request = d.world.last("/gdata/feeds/api/playlists/");
    QCOMPARE(request.method, QByteArray("DELETE"));
    QCOMPARE(request.path, "/gdata/feeds/api/playlists/PL3F0C6E1D2A8B9477/" + local.at(0).getProviderEntryId());
}

void TestYouTubeClient::accountReorderSendsThePosition_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("onto");
    QTest::addColumn<bool>("afterLast");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("top to bottom") << 0 << 2 << true << 3 << QStringList({"v2", "v3", "v1"});
    QTest::newRow("bottom to top") << 2 << 0 << false << 1 << QStringList({"v3", "v1", "v2"});
    QTest::newRow("top before the last") << 0 << 2 << false << 2 << QStringList({"v2", "v1", "v3"});
    QTest::newRow("onto itself") << 1 << 1 << false << 2 << QStringList({"v1", "v2", "v3"});
}

void TestYouTubeClient::accountReorderSendsThePosition()
{
    QFETCH(int, from);
    QFETCH(int, onto);
    QFETCH(bool, afterLast);
    QFETCH(int, position);
    QFETCH(QStringList, order);
    Dispatch d;
    const PlayList stored = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Järjestys",
                                           "PL3F0C6E1D2A8B9477");
    for (const QString& id : {QStringLiteral("v1"), QStringLiteral("v2"), QStringLiteral("v3")}) {
        vsCmdStruct add = command(vsAddVideoToPlayList, stored);
        add.video = videoNamed(id);
        QVERIFY(d.run(add));
    }
    // New entries go on top here, at the end on the account: line the device up first.
    QList<VideoEntry> shown = entries(d.repository(), stored.getId());
    QCOMPARE(videoIds(shown), QStringList({"v3", "v2", "v1"}));
    d.world.account->playList("PL3F0C6E1D2A8B9477")->items = {
        {shown.at(0).getProviderEntryId(), "v3"}, {shown.at(1).getProviderEntryId(), "v2"},
        {shown.at(2).getProviderEntryId(), "v1"}};
    // Reverse the device's list so both read v1, v2, v3.
    vsCmdStruct first = command(vsUpdatePlayListOrder, stored);
    first.video = shown.at(2);
    first.sortId = shown.at(0).getSortId();
    QVERIFY(d.run(first));
    shown = entries(d.repository(), stored.getId());
    vsCmdStruct second = command(vsUpdatePlayListOrder, stored);
    second.video = shown.at(2);
    second.sortId = shown.at(1).getSortId();
    QVERIFY(d.run(second));
    shown = entries(d.repository(), stored.getId());
    QCOMPARE(videoIds(shown), QStringList({"v1", "v2", "v3"}));
    QCOMPARE(fakeIds(d.world.account->playList("PL3F0C6E1D2A8B9477")), QStringList({"v1", "v2", "v3"}));

    vsCmdStruct move = command(vsUpdatePlayListOrder, stored);
    move.video = shown.at(from);
    move.sortId = shown.at(onto).getSortId();
    move.afterLast = afterLast;
    QVERIFY(d.run(move));
    const FakeRequest request = d.world.last("/gdata/feeds/api/playlists/");
    QCOMPARE(request.method, QByteArray("PUT"));
    QCOMPARE(request.path, "/gdata/feeds/api/playlists/PL3F0C6E1D2A8B9477/" + shown.at(from).getProviderEntryId());
    QVERIFY(request.body.contains("position>" + QByteArray::number(position) + "<"));
    QCOMPARE(videoIds(entries(d.repository(), stored.getId())), order);
    QCOMPARE(fakeIds(d.world.account->playList("PL3F0C6E1D2A8B9477")), order);
}

void TestYouTubeClient::refusedWriteLeavesTheDatabase()
{
    Dispatch d;
    const PlayList unknown = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Tuntematon",
                                            "PLNOTTHERE");
    vsCmdStruct add = command(vsAddVideoToPlayList, unknown);
    add.video = videoNamed(FakeFeeds::VIDEO_ID);
    QVERIFY(!d.run(add));
    QCOMPARE(d.finished.last().at(0).toInt(), int(vsAddVideoToPlayList));
    QVERIFY(entries(d.repository(), unknown.getId()).isEmpty());

    vsCmdStruct rename = command(vsRenamePlayList, unknown);
    rename.text = QStringLiteral("Uusi nimi");
    QVERIFY(!d.run(rename));
    std::unique_ptr<PlayList> kept(d.repository().getPlayList(unknown.getId()));
    QCOMPARE(kept->getName(), QString("Tuntematon"));

    // An account playlist without its account id cannot take videos.
    const PlayList local = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Ilman tunnusta");
    add.playList = local;
    const int requests = d.world.fake.requests().count();
    QVERIFY(!d.run(add));
    QCOMPARE(d.world.fake.requests().count(), requests);
}

void TestYouTubeClient::accountFavorites()
{
    Dispatch d;
    const PlayList favorites = storedPlayList(d.repository(), eAccountService, ePlayListAccountFavorites,
                                              QStringLiteral("Favorites"));
    vsCmdStruct add = command(vsAddVideoToYouTubeFavorites, favorites);
    add.video = videoNamed(QStringLiteral("Rt5vB1nM3qW"));
    add.text = add.video.getVideoId();
    QVERIFY(d.run(add));
    QCOMPARE(d.world.last("/gdata/feeds/api/users/").path, QString("/gdata/feeds/api/users/default/favorites"));
    QCOMPARE(d.world.account->favorites.count(), 2);
    const QList<VideoEntry> local = entries(d.repository(), favorites.getId());
    QCOMPARE(videoIds(local), QStringList({"Rt5vB1nM3qW"}));
    QCOMPARE(local.at(0).getProviderEntryId(), d.world.account->favorites.last().entryId);

    vsCmdStruct remove = command(vsRemoveVideoFromYouTubeFavorites, favorites);
    remove.video = local.at(0);
    QVERIFY(d.run(remove));
    QCOMPARE(d.world.account->favorites.count(), 1);
    QVERIFY(entries(d.repository(), favorites.getId()).isEmpty());

    // Already gone from the account: gone here too.
    QVERIFY(d.run(add));
    const QList<VideoEntry> again = entries(d.repository(), favorites.getId());
    d.world.account->favorites.removeLast();
    remove.video = again.at(0);
    QVERIFY(d.run(remove));
    QVERIFY(entries(d.repository(), favorites.getId()).isEmpty());
}

void TestYouTubeClient::copyToTheAccountInPhases()
{
    Dispatch d;
    const PlayList source = storedPlayList(d.repository(), eLocalService, ePlayListLocal, "Matka");
    for (const QString id : {"v1", "v2", "v3"}) {
        VideoEntry video = videoNamed(id);
        QCOMPARE(d.repository().addVideoToPlayList(&video, source.getId()), 0);
    }
    QCOMPARE(videoIds(entries(d.repository(), source.getId())), QStringList({"v3", "v2", "v1"}));

    // Each add answers slowly; the next one may only start after the last answer.
    QList<qint64> arrivals;
    QElapsedTimer clock;
    clock.start();
    connect(&d.world.fake, &FakeService::requestReceived, this, [&](const QString& path) {
        if (path.startsWith("/gdata/feeds/api/playlists/"))
            arrivals.append(clock.elapsed());
    });
    const std::weak_ptr<FakeAccountState> weak = d.world.account;
    d.world.fake.addRoute("POST", "/gdata/feeds/api/playlists/*", [weak](const FakeRequest& request) {
        const auto state = weak.lock();
        const QString listId = request.path.section('/', 5, 5);
        FakePlayList* list = state->playList(listId);
        const QString videoId = QString::fromUtf8(request.body).section("<id>", 1).section("</id>", 0, 0);
        const FakeListItem item{state->newId("PI"), videoId};
        list->items.append(item);
        FakeResponse answer = FakeResponse::document(
            "<entry xmlns='http://www.w3.org/2005/Atom'><id>tag:youtube.com,2008:playlist:" + listId.toUtf8() + ":"
                + item.entryId.toUtf8() + "</id></entry>",
            "application/atom+xml", 201);
        answer.delayMs = 120;
        return answer;
    });

    vsCmdStruct copy = command(vsCopyPlayList, source);
    copy.targetServiceId = eAccountService;
    QVERIFY(d.run(copy));
    QCOMPARE(d.finished.count(), 1);
    QCOMPARE(d.finished.at(0).at(0).toInt(), int(vsCopyPlayList));

    // Create, then one add after the other, in the list's order.
    const QList<FakeRequest> writes = d.world.fake.requestsTo("/gdata/feeds/api/");
    QCOMPARE(writes.count(), 4);
    QCOMPARE(writes.at(0).path, QString("/gdata/feeds/api/users/default/playlists"));
    QCOMPARE(arrivals.count(), 3);
    QVERIFY(arrivals.at(1) - arrivals.at(0) >= 100);
    QVERIFY(arrivals.at(2) - arrivals.at(1) >= 100);
    const FakePlayList& remote = d.world.account->playLists.last();
    QCOMPARE(remote.title, QString("Matka"));
    QCOMPARE(fakeIds(&remote), QStringList({"v3", "v2", "v1"}));

    std::unique_ptr<PlayList> copied(findPlayList(d.repository(), eAccountService, "Matka"));
    QVERIFY(copied);
    QCOMPARE(copied->getProviderId(), remote.id);
    const QList<VideoEntry> local = entries(d.repository(), copied->getId());
    QCOMPARE(videoIds(local), QStringList({"v3", "v2", "v1"}));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(local.at(i).getProviderEntryId(), remote.items.at(i).entryId);
    // The source is untouched.
    QCOMPARE(videoIds(entries(d.repository(), source.getId())), QStringList({"v3", "v2", "v1"}));
}

void TestYouTubeClient::copyToTheDevice()
{
    Dispatch d;
    const PlayList source = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Tunturit",
                                           "PL8D1A4C2B7E9F0311");
    vsCmdStruct copy = command(vsCopyPlayList, source);
    copy.targetServiceId = eLocalService;
    QVERIFY(d.run(copy));
    const FakeRequest read = d.world.last("/gdata/feeds/api/playlists/");
    QCOMPARE(read.method, QByteArray("GET"));
    QCOMPARE(read.queryValue("max-results"), QString("50"));
    std::unique_ptr<PlayList> copied(findPlayList(d.repository(), eLocalService, "Tunturit"));
    QVERIFY(copied);
    QCOMPARE(copied->getType(), int(ePlayListLocal));
    const QList<VideoEntry> local = entries(d.repository(), copied->getId());
    QCOMPARE(videoIds(local), QStringList({"k7Qm2Lx9Pw4", "Zp4sD0qVn8E", "Rt5vB1nM3qW"}));
    QCOMPARE(local.at(0).getName(), QString("Video k7Qm2Lx9Pw4"));
    QVERIFY(local.at(0).getProviderEntryId().isEmpty());

    // The account's Favorites come from its favourites feed.
    const PlayList favorites = storedPlayList(d.repository(), eAccountService, ePlayListAccountFavorites, "Favorites");
    copy.playList = favorites;
    QVERIFY(d.run(copy));
    QCOMPARE(d.world.last("/gdata/feeds/api/users/").path, QString("/gdata/feeds/api/users/default/favorites"));
    std::unique_ptr<PlayList> copiedFavorites(findPlayList(d.repository(), eLocalService, "Favorites"));
    QVERIFY(copiedFavorites);
    QCOMPARE(videoIds(entries(d.repository(), copiedFavorites->getId())), QStringList({FakeFeeds::VIDEO_ID}));
}

void TestYouTubeClient::copyWithATakenName()
{
    Dispatch d;
    storedPlayList(d.repository(), eLocalService, ePlayListLocal, "Tunturit");
    const PlayList source = storedPlayList(d.repository(), eAccountService, ePlayListAccount, "Tunturit",
                                           "PL8D1A4C2B7E9F0311");
    vsCmdStruct copy = command(vsCopyPlayList, source);
    copy.targetServiceId = eLocalService;
    QVERIFY(!d.run(copy));
    // A copy to the side it is on is no copy.
    copy.targetServiceId = eAccountService;
    QVERIFY(!d.run(copy));
    QVERIFY(d.world.fake.requests().isEmpty());
}

void TestYouTubeClient::expiredTokenRenewedForACommand()
{
    Dispatch d;
    d.world.storeToken(QStringLiteral("expired-token"));
    QVERIFY(d.run(command(vsAddPlayList, PlayList(0, eAccountService, ePlayListAccount, "Uusi lista"))));
    QCOMPARE(d.world.logins(), 1);
    QCOMPARE(d.world.count("POST", "/gdata/feeds/api/users/default/playlists"), 2);
    QCOMPARE(d.world.account->playLists.last().title, QString("Uusi lista"));
}

QTEST_MAIN(TestYouTubeClient)
#include "tst_youtubeclient.moc"
