// Mirroring what the account lists into the database: its playlists (with the
// Favorites row) and the entries of one account playlist, each in one transaction.
#include "tests/support/TestSupport.h"

#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/VideoListModel.h"
#include "core/constants/Texts.h"

#include <QtTest>

#include <memory>

class TestRepositoryAccountSync : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> myWorld;
    Repository* myRepository = nullptr;

    // "providerId/name" items, as the account's playlist reader makes them.
    static void fillAccount(PlayListModel& model, const QStringList& items)
    {
        for (const QString& item : items) {
            const QString providerId = item.section(QLatin1Char('/'), 0, 0);
            auto* playList = new PlayList(0, eAccountService, ePlayListAccount, item.section(QLatin1Char('/'), 1));
            playList->setProviderId(providerId);
            playList->setDescription(QStringLiteral("About ") + playList->getName());
            playList->setProviderUpdated(QDateTime(QDate(2013, 6, 1), QTime(19, 17, 1), Qt::UTC));
            model.addPlayList(playList);
        }
    }

    int storeAccountPlayList(const QString& providerId, const QString& name)
    {
        return addPlayList(*myRepository, eAccountService, ePlayListAccount, name, providerId);
    }

    // "providerId/name" of the account's playlist rows (type 6), in tree order.
    QStringList accountRows()
    {
        PlayListModel model(myRepository);
        bool open[2] = {true, false};
        myRepository->getPlayLists(&model, open);
        QStringList rows;
        for (PlayList* p : model.entries())
            if (p->getType() == ePlayListAccount)
                rows << p->getProviderId() + QLatin1Char('/') + p->getName();
        return rows;
    }

    // "videoId/entryId" items, top first, as the account lists a playlist.
    static void fillEntries(VideoListModel& model, const QStringList& items)
    {
        for (const QString& item : items) {
            auto* entry = new VideoEntry(testVideo(item.section(QLatin1Char('/'), 0, 0)));
            entry->setProviderEntryId(item.section(QLatin1Char('/'), 1));
            model.addEntry(entry);
        }
    }

    // "videoId/entryId" of the playlist's entries, top first.
    QStringList entryRows(int playListId, QList<int>* favoriteIds = nullptr)
    {
        VideoListModel model(myRepository);
        myRepository->getPlayListEntries(playListId, &model);
        QStringList rows;
        for (VideoEntry* e : model.entries()) {
            rows << e->getVideoId() + QLatin1Char('/') + e->getProviderEntryId();
            if (favoriteIds)
                favoriteIds->append(e->getFavoriteId());
        }
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        myWorld = std::make_unique<TestWorld>();
        myRepository = myWorld->repository.get();
        QVERIFY(myRepository->addAccountPlayListFolder() > 0);
    }

    void cleanup()
    {
        myWorld.reset();
    }

    // ---- Playlists

    void playLists_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("account");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("changed");

        QTest::newRow("first read: in the account's order")
            << QStringList() << QStringList({"PL1/Tunturit", "PL2/Musiikki & muuta", "PL3/Kissat"})
            << QStringList({"PL1/Tunturit", "PL2/Musiikki & muuta", "PL3/Kissat"}) << true;
        QTest::newRow("renamed on the account") << QStringList({"PL1/Old"}) << QStringList({"PL1/New"})
                                                << QStringList({"PL1/New"}) << true;
        QTest::newRow("deleted on the account") << QStringList({"PL1/A", "PL2/B"}) << QStringList({"PL2/B"})
                                                << QStringList({"PL2/B"}) << true;
        QTest::newRow("the account has none") << QStringList({"PL1/A", "PL2/B"}) << QStringList()
                                              << QStringList() << true;
        QTest::newRow("names swapped between two playlists")
            << QStringList({"PL1/A", "PL2/B"}) << QStringList({"PL1/B", "PL2/A"})
            << QStringList({"PL2/A", "PL1/B"}) << true;
        QTest::newRow("a row without the account's id takes it by its name")
            << QStringList({"/Road"}) << QStringList({"PL7/Road"}) << QStringList({"PL7/Road"}) << true;
        QTest::newRow("a row without the account's id and no such name goes")
            << QStringList({"/Lost"}) << QStringList({"PL7/Road"}) << QStringList({"PL7/Road"}) << true;
        QTest::newRow("a playlist listed twice is stored once")
            << QStringList() << QStringList({"PL1/A", "PL1/A"}) << QStringList({"PL1/A"}) << true;
        QTest::newRow("an item without an id is skipped")
            << QStringList() << QStringList({"/Nameless", "PL1/A"}) << QStringList({"PL1/A"}) << true;
    }

    void playLists()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, account);
        QFETCH(QStringList, expected);
        QFETCH(bool, changed);

        for (const QString& item : stored)
            QVERIFY(storeAccountPlayList(item.section(QLatin1Char('/'), 0, 0), item.section(QLatin1Char('/'), 1)) > 0);
        PlayListModel model(myRepository);
        fillAccount(model, account);
        bool wrote = false;
        QCOMPARE(myRepository->syncAccountPlayLists(&model, &wrote), 0);
        QCOMPARE(wrote, changed);
        QCOMPARE(accountRows(), expected);
    }

    void playListsKeepTheirRowsAndEntries()
    {
        const int kept = storeAccountPlayList(QStringLiteral("PL1"), QStringLiteral("Old name"));
        const int gone = storeAccountPlayList(QStringLiteral("PL2"), QStringLiteral("Gone"));
        PlayList local(0, eLocalService, ePlayListLocal, QStringLiteral("Gone"));
        QCOMPARE(myRepository->addPlayList(&local), 0);
        VideoEntry video = testVideo(QStringLiteral("v1"));
        QCOMPARE(myRepository->addVideoToPlayList(&video, kept), 0);
        QCOMPARE(myRepository->addVideoToPlayList(&video, gone), 0);
        QCOMPARE(myRepository->addVideoToPlayList(&video, local.getId()), 0);

        PlayListModel model(myRepository);
        fillAccount(model, {QStringLiteral("PL1/New name")});
        model.entries().at(0)->setPrivate(true);
        QCOMPARE(myRepository->syncAccountPlayLists(&model), 0);

        std::unique_ptr<PlayList> renamed(myRepository->getPlayList(kept));
        QVERIFY(renamed);
        QCOMPARE(renamed->getName(), QStringLiteral("New name"));
        QCOMPARE(renamed->getDescription(), QStringLiteral("About New name"));
        QVERIFY(renamed->isPrivate());
        QCOMPARE(renamed->getProviderUpdated(), QDateTime(QDate(2013, 6, 1), QTime(19, 17, 1), Qt::UTC));
        QCOMPARE(entryRows(kept), QStringList({"v1/"}));
        // The deleted playlist takes its entries; the device's playlist of that name stays.
        QVERIFY(!myRepository->getPlayList(gone));
        RawDatabase raw(myRepository->databaseFileName());
        QCOMPARE(raw.count(QStringLiteral("select count(*) from favorite where playlist_id = %1").arg(gone)), 0);
        QCOMPARE(entryRows(local.getId()), QStringList({"v1/"}));
    }

    void favoritesRowMadeOnceAndNothingNewWritesNothing()
    {
        PlayListModel model(myRepository);
        fillAccount(model, {QStringLiteral("PL1/A"), QStringLiteral("PL2/B")});
        QCOMPARE(myRepository->syncAccountPlayLists(&model), 0);

        RawDatabase raw(myRepository->databaseFileName());
        const QString favorites = QStringLiteral("select id || '/' || name from playlist where vs_id = 1 and type = 5");
        QCOMPARE(raw.column(favorites).size(), 1);
        QCOMPARE(raw.column(favorites).at(0).section(QLatin1Char('/'), 1), TEXT_ACCOUNT_FAVORITES());
        const QStringList before = raw.column(QStringLiteral(
            "select id || '|' || name || '|' || latest_usage_date from playlist order by id"));

        bool wrote = true;
        QCOMPARE(myRepository->syncAccountPlayLists(&model, &wrote), 0);
        QVERIFY(!wrote);
        QCOMPARE(raw.column(QStringLiteral(
                     "select id || '|' || name || '|' || latest_usage_date from playlist order by id")),
                 before);

        // An account without playlists still has its Favorites.
        PlayListModel none(myRepository);
        QCOMPARE(myRepository->syncAccountPlayLists(&none), 0);
        QCOMPARE(raw.column(favorites).size(), 1);
    }

    void failedPlayListsSyncChangesNothing()
    {
        storeAccountPlayList(QStringLiteral("PL1"), QStringLiteral("Stays"));
        RawDatabase raw(myRepository->databaseFileName());
        QVERIFY(raw.exec(QStringLiteral("create trigger refuse before insert on playlist when new.name = 'Broken'"
                                        " begin select raise(abort, 'refused'); end")));
        const QStringList before = raw.column(QStringLiteral("select id || '|' || name from playlist order by id"));

        PlayListModel model(myRepository);
        fillAccount(model, {QStringLiteral("PL2/Fine"), QStringLiteral("PL3/Broken")});
        bool wrote = true;
        QCOMPARE(myRepository->syncAccountPlayLists(&model, &wrote), 1);
        QVERIFY(!wrote);
        QCOMPARE(raw.column(QStringLiteral("select id || '|' || name from playlist order by id")), before);
        QCOMPARE(myRepository->syncAccountPlayLists(nullptr), 1);
    }

    // ---- Entries of one account playlist

    void entries_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("account");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("changed");

        QTest::newRow("first read") << QStringList() << QStringList({"a/PI1", "b/PI2", "c/PI3"})
                                    << QStringList({"a/PI1", "b/PI2", "c/PI3"}) << true;
        QTest::newRow("nothing new") << QStringList({"a/PI1", "b/PI2"}) << QStringList({"a/PI1", "b/PI2"})
                                     << QStringList({"a/PI1", "b/PI2"}) << false;
        QTest::newRow("reordered on the account") << QStringList({"a/PI1", "b/PI2", "c/PI3"})
                                                  << QStringList({"c/PI3", "a/PI1", "b/PI2"})
                                                  << QStringList({"c/PI3", "a/PI1", "b/PI2"}) << true;
        QTest::newRow("removed, added and moved at once") << QStringList({"a/PI1", "b/PI2", "c/PI3"})
                                                          << QStringList({"d/PI4", "c/PI3", "a/PI1"})
                                                          << QStringList({"d/PI4", "c/PI3", "a/PI1"}) << true;
        QTest::newRow("emptied on the account") << QStringList({"a/PI1", "b/PI2"}) << QStringList() << QStringList()
                                                << true;
        QTest::newRow("one video twice") << QStringList() << QStringList({"a/PI1", "a/PI2"})
                                         << QStringList({"a/PI1", "a/PI2"}) << true;
        QTest::newRow("a row without the account's id takes it by its video")
            << QStringList({"a/"}) << QStringList({"a/PI9"}) << QStringList({"a/PI9"}) << true;
        QTest::newRow("an entry without a video is skipped")
            << QStringList() << QStringList({"/PI1", "b/PI2"}) << QStringList({"b/PI2"}) << true;
    }

    void entries()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, account);
        QFETCH(QStringList, expected);
        QFETCH(bool, changed);

        const int list = storeAccountPlayList(QStringLiteral("PL1"), QStringLiteral("List"));
        // Stored bottom first: each new entry goes to the top.
        for (int i = stored.size() - 1; i >= 0; --i) {
            VideoEntry video = testVideo(stored.at(i).section(QLatin1Char('/'), 0, 0));
            video.setProviderEntryId(stored.at(i).section(QLatin1Char('/'), 1));
            QCOMPARE(myRepository->addVideoToPlayList(&video, list), 0);
        }
        QList<int> before;
        const QStringList storedRows = entryRows(list, &before);
        QCOMPARE(storedRows, stored);

        VideoListModel model(myRepository);
        fillEntries(model, account);
        bool wrote = !changed;
        QCOMPARE(myRepository->syncAccountPlayListEntries(list, &model, &wrote), 0);
        QCOMPARE(wrote, changed);
        QList<int> after;
        QCOMPARE(entryRows(list, &after), expected);

        // A favourite the account still lists keeps its row (and id); the positions run
        // from the count at the top down to 1, links unless the video is stored.
        for (int i = 0; i < expected.size(); ++i) {
            const QString entryId = expected.at(i).section(QLatin1Char('/'), 1);
            for (int j = 0; j < stored.size(); ++j)
                if (stored.at(j).section(QLatin1Char('/'), 0, 0) == expected.at(i).section(QLatin1Char('/'), 0, 0)
                    && (stored.at(j).endsWith(QLatin1Char('/')) || stored.at(j).section(QLatin1Char('/'), 1) == entryId))
                    QCOMPARE(after.at(i), before.at(j));
        }
        RawDatabase raw(myRepository->databaseFileName());
        QStringList sortIds;
        for (int n = expected.size(); n >= 1; --n)
            sortIds << QString::number(n);
        QCOMPARE(raw.column(QStringLiteral("select sort_id from favorite where playlist_id = %1 order by sort_id desc")
                                .arg(list)),
                 sortIds);
        QCOMPARE(raw.count(QStringLiteral("select count(*) from favorite where playlist_id = %1 and video_link <> 1")
                               .arg(list)),
                 0);
    }

    void entriesOfStoredFavoritesShareTheirState()
    {
        const int list = storeAccountPlayList(QStringLiteral("PL1"), QStringLiteral("List"));
        VideoEntry queued = testVideo(QStringLiteral("queued"));
        QCOMPARE(myRepository->addFavorite(&queued, false), 0);

        VideoListModel model(myRepository);
        fillEntries(model, {QStringLiteral("queued/PI1"), QStringLiteral("plain/PI2")});
        QCOMPARE(myRepository->syncAccountPlayListEntries(list, &model), 0);

        VideoListModel read(myRepository);
        QCOMPARE(myRepository->getPlayListEntries(list, &read), 0);
        QCOMPARE(read.rowCount(), 2);
        QCOMPARE(read.entryAt(0)->getVideoLink(), 0);
        QCOMPARE(read.entryAt(0)->getDownloadState(), int(eDownloadQueued));
        QCOMPARE(read.entryAt(1)->getVideoLink(), 1);
        QCOMPARE(read.entryAt(1)->getName(), QStringLiteral("Title of plain"));
        // The account's Favorites are read the same way.
        PlayListModel none(myRepository);
        QCOMPARE(myRepository->syncAccountPlayLists(&none), 0);
        RawDatabase raw(myRepository->databaseFileName());
        const int favorites = raw.count(QStringLiteral("select id from playlist where type = 5"));
        QCOMPARE(myRepository->syncAccountPlayListEntries(favorites, &model), 0);
        QCOMPARE(entryRows(favorites), QStringList({"queued/PI1", "plain/PI2"}));
    }

    void readingEntriesIsNotUsingThePlayList()
    {
        const int older = storeAccountPlayList(QStringLiteral("PL1"), QStringLiteral("Older"));
        storeAccountPlayList(QStringLiteral("PL2"), QStringLiteral("Newer"));
        QCOMPARE(accountRows(), QStringList({"PL2/Newer", "PL1/Older"}));
        VideoListModel model(myRepository);
        fillEntries(model, {QStringLiteral("a/PI1")});
        QCOMPARE(myRepository->syncAccountPlayListEntries(older, &model), 0);
        QCOMPARE(accountRows(), QStringList({"PL2/Newer", "PL1/Older"}));
    }

    void entriesOfWhatIsNoAccountPlayList()
    {
        VideoListModel model(myRepository);
        fillEntries(model, {QStringLiteral("a/PI1")});
        QCOMPARE(myRepository->syncAccountPlayListEntries(4242, &model), 2);
        PlayList local(0, eLocalService, ePlayListLocal, QStringLiteral("Local"));
        QCOMPARE(myRepository->addPlayList(&local), 0);
        QCOMPARE(myRepository->syncAccountPlayListEntries(local.getId(), &model), 1);
        QCOMPARE(myRepository->syncAccountPlayListEntries(ePlayListIdAllFavorites, &model), 1);
        const int folder = myRepository->addAccountPlayListFolder();
        QCOMPARE(myRepository->syncAccountPlayListEntries(folder, &model), 1);
        QCOMPARE(myRepository->syncAccountPlayListEntries(local.getId(), nullptr), 1);
        QCOMPARE(entryRows(local.getId()), QStringList());
    }

    void failedEntriesSyncChangesNothing()
    {
        const int list = storeAccountPlayList(QStringLiteral("PL1"), QStringLiteral("List"));
        VideoEntry a = testVideo(QStringLiteral("a"));
        a.setProviderEntryId(QStringLiteral("PI1"));
        QCOMPARE(myRepository->addVideoToPlayList(&a, list), 0);
        RawDatabase raw(myRepository->databaseFileName());
        QVERIFY(raw.exec(QStringLiteral("create trigger refuse before insert on favorite when new.provider_entry_id = 'PI3'"
                                        " begin select raise(abort, 'refused'); end")));

        VideoListModel model(myRepository);
        fillEntries(model, {QStringLiteral("b/PI2"), QStringLiteral("c/PI3")});
        QCOMPARE(myRepository->syncAccountPlayListEntries(list, &model), 1);
        QCOMPARE(entryRows(list), QStringList({"a/PI1"}));
    }
};

QTEST_MAIN(TestRepositoryAccountSync)
#include "tst_repository_accountsync.moc"
