// The favourites page reading the signed-in account through the fake service: the
// account folder's playlists when it is opened or shown open, the entries of an
// account playlist when it is selected, failed reads, a signed-out account, reads
// that a command overtakes, the account's counts, and what the tree keeps in sight.
#include "tests/favorites/FavoritesFixture.h"

#include "favorites/FavoriteSweepList.h"
#include "favorites/PlayListSweepList.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace {

const QString PLAYLISTS_FEED = QStringLiteral("/gdata/feeds/api/users/default/playlists");
const QString FAVORITES_FEED = QStringLiteral("/gdata/feeds/api/users/default/favorites");
const QString PLAYLIST_FEEDS = QStringLiteral("/gdata/feeds/api/playlists/");
const QString MOUNTAINS_ID = QStringLiteral("PL8D1A4C2B7E9F0311");
const QString MUSIC_ID = QStringLiteral("PL3F0C6E1D2A8B9477");
const QStringList MOUNTAIN_VIDEOS = {QStringLiteral("k7Qm2Lx9Pw4"), QStringLiteral("Zp4sD0qVn8E"),
                                     QStringLiteral("Rt5vB1nM3qW")};

// The favourites page and its controller on the real video service, which talks to
// the account side of the fake service. The account folder is there, and the
// signed-in flag set, before the page is made.
struct SyncWorld : FavoritesWorld
{
    explicit SyncWorld(bool signedIn = true)
        : FavoritesWorld(AccountService, [signedIn](TestWorld& world) {
              world.setSignedIn(signedIn);
              world.repository->addAccountPlayListFolder();
          })
    {
        accountFolder = repository.addAccountPlayListFolder();
    }

    FakeAccountState& fake() { return *world.account; }
    PlayListModel* tree() const { return page->getPlayListModel(); }

    // The page is shown (as the application shows it), the account folder open or not.
    void show(bool accountFolderOpen)
    {
        tree()->setVsFolderCollapsed(eAccountService, !accountFolderOpen);
        window.show();
        controller->restoreHistoryPosition(nullptr);
    }
    // The user taps the account folder's row.
    void toggleAccountFolder()
    {
        PlayList* folder = tree()->getPlayListById(accountFolder);
        QVERIFY(folder);
        page->slotPlayListFolderOpenToggle(folder);
    }
    void select(int playListId)
    {
        page->selectPlayListById(playListId);
        QCOMPARE(page->getSelectedPlayList() ? page->getSelectedPlayList()->getId() : -1, playListId);
    }

    // "type:name" of the account's rows under its folder, in tree order.
    QStringList accountRows() const
    {
        QStringList rows;
        for (PlayList* p : tree()->entries())
            if (p->getServiceId() == eAccountService && p->getType() != ePlayListAccountFolder)
                rows << QString::number(p->getType()) + QLatin1Char(':') + p->getName();
        return rows;
    }
    int rowId(const QString& name) const
    {
        for (PlayList* p : tree()->entries())
            if (p->getServiceId() == eAccountService && p->getName() == name)
                return p->getId();
        return -1;
    }
    // Video ids of the favourite list (the empty list's message row has none).
    QStringList shown() const
    {
        QStringList ids;
        for (VideoEntry* e : page->getFavoriteModel()->entries())
            if (!e->getVideoId().isEmpty())
                ids << e->getVideoId();
        return ids;
    }
    // "videoId/entryId" of a playlist's entries in the database, top first.
    QStringList stored(int playListId)
    {
        VideoListModel model(&repository);
        repository.getPlayListEntries(playListId, &model);
        QStringList rows;
        for (VideoEntry* e : model.entries())
            rows << e->getVideoId() + QLatin1Char('/') + e->getProviderEntryId();
        return rows;
    }
    // The playlist list shows the whole row.
    bool inSight(const QModelIndex& index) const
    {
        PlayListSweepList* view = page->getPlayListView();
        const QRect rect = view->visualRect(index);
        return rect.isValid() && rect.top() >= 0 && rect.bottom() <= view->viewport()->rect().bottom();
    }
    int reads(const QString& prefix) const { return world.count("GET", prefix); }
    int entryReads() const { return reads(PLAYLIST_FEEDS) + reads(FAVORITES_FEED); }

    int accountFolder = 0;
};

const QStringList ACCOUNT_TREE = {QStringLiteral("5:Favorites"), QStringLiteral("6:Tunturit"),
                                  QStringLiteral("6:Musiikki & muuta")};

} // namespace

class TestAccountSync : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openingTheAccountFolderReadsItsPlayLists();
    void showingThePageWithTheFolderOpenReadsThem();
    void renamedAndDeletedOnTheAccount();
    void selectingAnAccountPlayListShowsItsEntries_data();
    void selectingAnAccountPlayListShowsItsEntries();
    void aLateAnswerOnlyUpdatesTheDatabase();
    void aFailedReadLeavesTheTree_data();
    void aFailedReadLeavesTheTree();
    void signedOutNothingIsRead();
    void aPlayListCreatedDuringTheReadStays();
    void aVideoAddedDuringTheReadStays();
    void theTreeCountsWhatTheAccountSays();
    void anOpenedFolderShowsItsRows();
    void renameActsOnTheRowInSight();
};

void TestAccountSync::openingTheAccountFolderReadsItsPlayLists()
{
    SyncWorld w;
    w.show(false);
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.reads(PLAYLISTS_FEED), 0);
    QCOMPARE(w.accountRows(), QStringList());

    w.toggleAccountFolder();
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    QCOMPARE(w.reads(PLAYLISTS_FEED), 1);
    PlayList* mountains = w.tree()->getPlayListById(w.rowId(QStringLiteral("Tunturit")));
    QCOMPARE(mountains->getProviderId(), MOUNTAINS_ID);
    QCOMPARE(mountains->getDescription(), QStringLiteral("Lapin maisemia"));
    QCOMPARE(mountains->getProviderUpdated(), QDateTime(QDate(2013, 6, 1), QTime(19, 17, 1), Qt::UTC));

    // Closed and opened again: read again, and the rows stay the rows they were.
    const int mountainsId = mountains->getId();
    const int favoritesId = w.rowId(QStringLiteral("Favorites"));
    w.toggleAccountFolder();
    QCOMPARE(w.accountRows(), QStringList());
    w.toggleAccountFolder();
    QTRY_COMPARE(w.reads(PLAYLISTS_FEED), 2);
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.accountRows(), ACCOUNT_TREE);
    QCOMPARE(w.rowId(QStringLiteral("Tunturit")), mountainsId);
    QCOMPARE(w.rowId(QStringLiteral("Favorites")), favoritesId);
}

void TestAccountSync::showingThePageWithTheFolderOpenReadsThem()
{
    SyncWorld w;
    w.show(true);
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    // A refill after a command is no new showing: the account is not read for it.
    w.controller->refreshLists();
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.reads(PLAYLISTS_FEED), 1);
    w.show(true);
    QTRY_COMPARE(w.reads(PLAYLISTS_FEED), 2);
}

void TestAccountSync::renamedAndDeletedOnTheAccount()
{
    SyncWorld w;
    w.fake().playList(MUSIC_ID)->items = {{QStringLiteral("PIM000000001"), QStringLiteral("kx9fW2qHb1s")}};
    w.show(true);
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    const int mountains = w.rowId(QStringLiteral("Tunturit"));
    const int music = w.rowId(QStringLiteral("Musiikki & muuta"));
    w.select(music);
    QTRY_COMPARE(w.stored(music), QStringList({"kx9fW2qHb1s/PIM000000001"}));

    w.fake().playList(MOUNTAINS_ID)->title = QStringLiteral("Tunturit 2013");
    w.fake().playList(MOUNTAINS_ID)->summary = QStringLiteral("Kesä ja talvi");
    w.fake().playLists.removeAt(1);
    w.fake().playLists.append(FakePlayList{QStringLiteral("PLNEW0000000000001"), QStringLiteral("Uusi"), QString(), {}});
    w.show(true);
    QTRY_COMPARE(w.accountRows(), QStringList({"5:Favorites", "6:Uusi", "6:Tunturit 2013"}));
    QCOMPARE(w.rowId(QStringLiteral("Tunturit 2013")), mountains);
    std::unique_ptr<PlayList> renamed(w.repository.getPlayList(mountains));
    QCOMPARE(renamed->getDescription(), QStringLiteral("Kesä ja talvi"));
    // The deleted playlist is gone with its entries; the selection moved on.
    QVERIFY(!w.repository.getPlayList(music));
    QCOMPARE(w.stored(music), QStringList());
    QVERIFY(w.page->getSelectedPlayList());
    QVERIFY(w.page->getSelectedPlayList()->getId() != music);
}

void TestAccountSync::selectingAnAccountPlayListShowsItsEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("feed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("a playlist") << "Tunturit" << PLAYLIST_FEEDS + MOUNTAINS_ID
                                << QStringList({"k7Qm2Lx9Pw4/PI8D1A4C2B0001", "Zp4sD0qVn8E/PI8D1A4C2B0002",
                                                "Rt5vB1nM3qW/PI8D1A4C2B0003"});
    QTest::newRow("the account's Favorites") << "Favorites" << FAVORITES_FEED
                                             << QStringList({"kx9fW2qHb1s/FLq2W8eR4tY6uI0o"});
}

void TestAccountSync::selectingAnAccountPlayListShowsItsEntries()
{
    QFETCH(QString, name);
    QFETCH(QString, feed);
    QFETCH(QStringList, expected);

    SyncWorld w;
    w.show(true);
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    const int id = w.rowId(name);
    // What the database holds is shown at once, the account's list when it comes.
    VideoEntry old = videoWithId(QStringLiteral("oldvideo001"));
    QCOMPARE(w.repository.addVideoToPlayList(&old, id), 0);
    w.select(id);
    QCOMPARE(w.shown(), QStringList({"oldvideo001"}));
    QTRY_COMPARE(w.stored(id), expected);
    QCOMPARE(w.reads(feed), 1);
    QStringList videos;
    for (const QString& row : expected)
        videos << row.section(QLatin1Char('/'), 0, 0);
    QTRY_COMPARE(w.shown(), videos);
    VideoEntry* first = w.page->getFavoriteModel()->entryAt(0);
    QCOMPARE(first->getName(), QStringLiteral("Video ") + videos.at(0));
    QCOMPARE(first->getVideoLink(), 1);
    // The account's rating, and the picture, which is asked for.
    QCOMPARE(first->getRating().toDouble(), 4.0);
    QTRY_VERIFY(!first->getThumbnail().isNull());
    // A row names the video's uploader, not the list's owner, and its author link
    // (a double tap on the name) asks for the uploader's videos.
    QCOMPARE(first->getAuthor(), QStringLiteral("Uploader ") + videos.at(0));
    w.page->grab();
    QSignalSpy author(w.page, &FavoriteResultPage::authorVideosRequested);
    Touch::doubleTap(w.page->getFavoriteView(), first->getAuthorRect().center().toPoint());
    QCOMPARE(author.count(), 1);
    QCOMPARE(author.first().first().toString(), QStringLiteral("uploader_") + videos.at(0));
    w.history.clear();
    QCOMPARE(w.tree()->getPlayListById(id)->getCount(), expected.size());

    // Selected again after another playlist: read again; a refill of the same is not.
    w.select(ePlayListIdAllFavorites);
    w.select(id);
    QTRY_COMPARE(w.reads(feed), 2);
    w.controller->refreshLists();
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.reads(feed), 2);
}

void TestAccountSync::aLateAnswerOnlyUpdatesTheDatabase()
{
    SyncWorld w;
    w.show(true);
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    const int mountains = w.rowId(QStringLiteral("Tunturit"));
    w.fake().listReadDelayMs = 200;
    w.select(mountains);
    w.select(ePlayListIdAllFavorites);
    QTRY_COMPARE(w.stored(mountains).size(), 3);
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.shown(), QStringList());
    QCOMPARE(w.page->getSelectedPlayList()->getId(), int(ePlayListIdAllFavorites));
    QCOMPARE(w.tree()->getPlayListById(mountains)->getCount(), 3);
}

void TestAccountSync::aFailedReadLeavesTheTree_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("the service fails") << 500 << QByteArray();
    QTest::newRow("an answer that is no feed") << 200 << QByteArray("<html><body>Maintenance</body></html>");
    QTest::newRow("a feed cut short")
        << 200 << QByteArray("<?xml version='1.0'?><feed xmlns='http://www.w3.org/2005/Atom'><entry><title>Tun");
}

void TestAccountSync::aFailedReadLeavesTheTree()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);

    SyncWorld w;
    w.show(true);
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    const int mountains = w.rowId(QStringLiteral("Tunturit"));
    w.select(mountains);
    QTRY_COMPARE(w.shown(), MOUNTAIN_VIDEOS);

    const FakeResponse failure = status == 200
        ? FakeResponse::document(body, "application/atom+xml; charset=UTF-8; type=feed")
        : FakeResponse::error(status, "ServiceException", "Internal error");
    w.world.fake.addRoute("GET", PLAYLISTS_FEED, failure);
    w.world.fake.addRoute("GET", PLAYLIST_FEEDS + QLatin1Char('*'), failure);
    w.fake().playLists.clear();
    const int playListReads = w.reads(PLAYLISTS_FEED);
    const int entryReads = w.entryReads();
    w.show(true);
    QTRY_VERIFY(w.reads(PLAYLISTS_FEED) > playListReads && w.entryReads() > entryReads);
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.accountRows(), ACCOUNT_TREE);
    QCOMPARE(w.shown(), MOUNTAIN_VIDEOS);
    QCOMPARE(w.stored(mountains).size(), 3);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestAccountSync::signedOutNothingIsRead()
{
    SyncWorld w(false);
    PlayList kept(0, eAccountService, ePlayListAccount, QStringLiteral("Vanha"));
    kept.setProviderId(QStringLiteral("PLOLD0000000000001"));
    QCOMPARE(w.repository.addPlayList(&kept), 0);
    VideoEntry video = videoWithId(QStringLiteral("oldvideo001"));
    QCOMPARE(w.repository.addVideoToPlayList(&video, kept.getId()), 0);

    w.show(false);
    w.toggleAccountFolder();
    QCOMPARE(w.accountRows(), QStringList({"6:Vanha"}));
    w.select(kept.getId());
    QCOMPARE(w.shown(), QStringList({"oldvideo001"}));
    w.show(true);
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.world.fake.requestsTo(QStringLiteral("/gdata")).size(), 0);
    QCOMPARE(w.accountRows(), QStringList({"6:Vanha"}));
    QCOMPARE(w.shown(), QStringList({"oldvideo001"}));
}

void TestAccountSync::aPlayListCreatedDuringTheReadStays()
{
    SyncWorld w;
    QSignalSpy finished(w.world.service.get(), &VideoServiceProvider::commandFinished);
    w.fake().listReadDelayMs = 300;
    w.show(true);
    // The read is on its way (with the account as it was) when the playlist is made.
    w.select(w.accountFolder);
    w.controller->createPlaylist();
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(finished.at(0).at(1).toBool());
    QCOMPARE(w.accountRows(), QStringList({"6:Playlist 1"}));
    QTRY_COMPARE(w.reads(PLAYLISTS_FEED), 2);
    QTRY_COMPARE(w.accountRows(), QStringList({"5:Favorites", "6:Tunturit", "6:Musiikki & muuta", "6:Playlist 1"}));
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.accountRows(), QStringList({"5:Favorites", "6:Tunturit", "6:Musiikki & muuta", "6:Playlist 1"}));
}

void TestAccountSync::aVideoAddedDuringTheReadStays()
{
    SyncWorld w;
    QSignalSpy finished(w.world.service.get(), &VideoServiceProvider::commandFinished);
    w.show(true);
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    const int mountains = w.rowId(QStringLiteral("Tunturit"));
    w.fake().listReadDelayMs = 300;
    w.select(mountains);
    VideoEntry added = videoWithId(QStringLiteral("newvideo001"));
    Q_EMIT w.page->vsAddVideoToPlayList(added.getVideoId(), &added, w.tree()->getPlayListById(mountains));
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(finished.at(0).at(1).toBool());
    QTRY_COMPARE(w.reads(PLAYLIST_FEEDS + MOUNTAINS_ID), 2);
    QTRY_COMPARE(w.shown(), MOUNTAIN_VIDEOS + QStringList({"newvideo001"}));
    QTRY_VERIFY(requestsSettled(w.world.service.get()));
    QCOMPARE(w.shown(), MOUNTAIN_VIDEOS + QStringList({"newvideo001"}));
    QCOMPARE(w.stored(mountains).last().section(QLatin1Char('/'), 1), w.fake().playList(MOUNTAINS_ID)->items.last().entryId);
}

// An account playlist counts what the account says it holds until its own entries
// are read; videos added meanwhile count on top.
void TestAccountSync::theTreeCountsWhatTheAccountSays()
{
    SyncWorld w;
    w.show(true);
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    PlayList* mountains = w.tree()->getPlayListById(w.rowId(QStringLiteral("Tunturit")));
    QCOMPARE(mountains->getCount(), 3);
    QSignalSpy finished(w.world.service.get(), &VideoServiceProvider::commandFinished);
    VideoEntry added = videoWithId(QStringLiteral("newvideo001"));
    Q_EMIT w.page->vsAddVideoToPlayList(added.getVideoId(), &added, mountains);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(w.tree()->getPlayListById(w.rowId(QStringLiteral("Tunturit")))->getCount(), 4);

    // Read, with their pictures; the tree as the user sees it.
    w.select(w.rowId(QStringLiteral("Tunturit")));
    QTRY_COMPARE(w.shown().size(), 4);
    QTRY_VERIFY(!w.page->getFavoriteModel()->entryAt(3)->getThumbnail().isNull());
    QCOMPARE(w.page->getSelectedPlayList()->getCount(), 4);
    w.page->getPlayListView()->scrollToBottom();
    QVERIFY(TestEnvironment::saveScreenshot(&w.window, QStringLiteral("favorites-account-playlist-open")));
}

// The account's folder, opened at the bottom of the list, brings the rows that the
// account's read brings into view.
void TestAccountSync::anOpenedFolderShowsItsRows()
{
    SyncWorld w;
    for (int i = 0; i < 6; ++i)
        w.addPlayList(eLocalService, ePlayListLocal, QStringLiteral("Oma %1").arg(i));
    w.tree()->setVsFolderCollapsed(eLocalService, false);
    w.show(false);
    PlayListSweepList* view = w.page->getPlayListView();
    view->scrollToBottom();
    const QModelIndex folder = w.tree()->getPlayListIndex(w.accountFolder);
    QVERIFY(w.inSight(folder) && folder.row() == w.tree()->rowCount() - 1);

    Touch::tap(view->viewport(), view->visualRect(folder).center());
    QTRY_COMPARE(w.accountRows(), ACCOUNT_TREE);
    for (int row = folder.row(); row <= folder.row() + 2; ++row)
        QTRY_VERIFY(w.inSight(w.tree()->index(row, 0)));
}

// RENAME brings the selected row into sight first: the user sees what is renamed.
void TestAccountSync::renameActsOnTheRowInSight()
{
    SyncWorld w;
    const int trips = w.addPlayList(eLocalService, ePlayListLocal, QStringLiteral("Matkat"));
    for (int i = 0; i < 6; ++i)
        w.addPlayList(eLocalService, ePlayListLocal, QStringLiteral("Oma %1").arg(i));
    w.tree()->setVsFolderCollapsed(eLocalService, false);
    w.show(false);
    w.select(trips);
    w.page->getPlayListView()->scrollToTop();
    QVERIFY(!w.inSight(w.tree()->getPlayListIndex(trips)));
    w.page->getPlayListButton(FavoriteResultPage::eRenameButton)->click();
    QCOMPARE(w.page->getNameField()->text(), QStringLiteral("Matkat"));
    QVERIFY(w.inSight(w.tree()->getPlayListIndex(trips)));
}

QTEST_MAIN(TestAccountSync)
#include "tst_accountsync.moc"
