// Playlists of the repository: the fixed rows, the tree query with its collapsed
// flags, the counts, adding, renaming and removing playlists, and free names.
#include "tests/support/TestSupport.h"

#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestRepositoryPlaylists : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> myWorld;
    Repository* myRepository = nullptr;

    int addLocalPlayList(const QString& name) { return addPlayList(*myRepository, eLocalService, ePlayListLocal, name); }

private Q_SLOTS:
    void init()
    {
        myWorld = std::make_unique<TestWorld>();
        myRepository = myWorld->repository.get();
    }

    void cleanup()
    {
        myWorld.reset();
    }

    void newDatabaseHasTablesTriggersAndFixedRows()
    {
        RawDatabase raw(myRepository->databaseFileName());
        const QStringList tables = raw.column(QStringLiteral("select upper(name) from sqlite_master where type = 'table'"
                                                             " and name not like 'sqlite_%' order by name"));
        QCOMPARE(tables, QStringList({"FAVORITE", "PLAYLIST", "REMOVED_FILE", "SEARCH_HISTORY", "VIDEO_ENTRY",
                                      "VIDEO_HISTORY", "VIDEO_SERVICE"}));
        // Entries go with their playlist, adding marks a playlist used, the counts of
        // the playlist rows follow the entries, and a video goes with its last reference.
        QCOMPARE(raw.column(QStringLiteral("select name from sqlite_master where type = 'trigger' order by name")),
                 QStringList({"favorite_count_delete", "favorite_count_insert", "favorite_count_update",
                              "favorite_delete_video", "favorite_insert_usage", "history_delete_video",
                              "playlist_delete_entries"}));
        QCOMPARE(raw.column(QStringLiteral("select id from video_service order by id")), QStringList({"0", "1"}));
        QCOMPARE(raw.column(QStringLiteral("select id || '/' || vs_id || '/' || type from playlist order by id")),
                 QStringList({"1/0/0", "2/0/1", "3/0/2"}));
        QCOMPARE(raw.column(QStringLiteral("select name from playlist where id in (1, 2) order by id")),
                 QStringList({"All local favorites", "Download queue"}));
    }

    void reopeningKeepsRowsAndDoesNotDuplicateFixedRows()
    {
        QVERIFY(addLocalPlayList(QStringLiteral("Mine")) > 0);
        myWorld->reopenRepository();
        myRepository = myWorld->repository.get();
        RawDatabase raw(myRepository->databaseFileName());
        QCOMPARE(raw.count(QStringLiteral("select count(*) from playlist")), 4);
        QCOMPARE(raw.count(QStringLiteral("select count(*) from video_service")), 2);
    }

    void getPlayLists_data()
    {
        QTest::addColumn<bool>("localCollapsed");
        QTest::addColumn<bool>("accountCollapsed");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("localRowCollapsed");
        QTest::addColumn<bool>("accountRowCollapsed");

        const QString all = QStringLiteral("All local favorites"), queue = QStringLiteral("Download queue");
        const QString local = QStringLiteral("Local playlists"), account = QStringLiteral("YouTube playlists");
        QTest::newRow("both collapsed: fixed rows and folders only")
            << true << true << QStringList({all, queue, local, account}) << true << true;
        QTest::newRow("local open")
            << false << true << QStringList({all, queue, local, "Newer", "Older", account}) << false << true;
        QTest::newRow("account open")
            << true << false << QStringList({all, queue, local, account, "Account favorites", "Remote b", "Remote a"})
            << true << false;
        QTest::newRow("both open")
            << false << false
            << QStringList({all, queue, local, "Newer", "Older", account, "Account favorites", "Remote b", "Remote a"})
            << false << false;
    }

    void getPlayLists()
    {
        QFETCH(bool, localCollapsed);
        QFETCH(bool, accountCollapsed);
        QFETCH(QStringList, names);
        QFETCH(bool, localRowCollapsed);
        QFETCH(bool, accountRowCollapsed);

        QVERIFY(addLocalPlayList(QStringLiteral("Older")) > 0);
        QVERIFY(addLocalPlayList(QStringLiteral("Newer")) > 0);
        QVERIFY(myRepository->addAccountPlayListFolder() > 0);
        PlayList remoteA(0, eAccountService, ePlayListAccount, QStringLiteral("Remote a"));
        PlayList favorites(0, eAccountService, ePlayListAccountFavorites, QStringLiteral("Account favorites"));
        PlayList remoteB(0, eAccountService, ePlayListAccount, QStringLiteral("Remote b"));
        QCOMPARE(myRepository->addPlayList(&remoteA), 0);
        QCOMPARE(myRepository->addPlayList(&favorites), 0);
        QCOMPARE(myRepository->addPlayList(&remoteB), 0);

        PlayListModel model(myRepository);
        bool collapsed[2] = {localCollapsed, accountCollapsed};
        QCOMPARE(myRepository->getPlayLists(&model, collapsed), 0);
        QStringList got;
        for (PlayList* p : model.entries())
            got << p->getName();
        QCOMPARE(got, names);
        QCOMPARE(model.getPlayListById(ePlayListIdLocalFolder)->isFolderCollapsed(), localRowCollapsed);
        PlayList* accountFolder = model.entries().at(names.indexOf(QStringLiteral("YouTube playlists")));
        QCOMPARE(accountFolder->getType(), int(ePlayListAccountFolder));
        QCOMPARE(accountFolder->isFolderCollapsed(), accountRowCollapsed);
    }

    void getPlayListsWithoutModelFails()
    {
        bool collapsed[2] = {false, false};
        QCOMPARE(myRepository->getPlayLists(nullptr, collapsed), 1);
    }

    void countsOfEntriesAndPendingDownloads()
    {
        const int mine = addLocalPlayList(QStringLiteral("Mine"));
        VideoEntry stored = testVideo(QStringLiteral("stored"));
        VideoEntry queued = testVideo(QStringLiteral("queued"));
        VideoEntry link = testVideo(QStringLiteral("link"));
        VideoEntry invalid = testVideo(QStringLiteral("invalid"));
        QCOMPARE(myRepository->addFavorite(&stored, false), 0);
        QCOMPARE(myRepository->addFavorite(&queued, false), 0);
        QCOMPARE(myRepository->addFavorite(&link, true), 0);
        QCOMPARE(myRepository->addFavorite(&invalid, false), 0);
        QCOMPARE(myRepository->markEntryInvalid(&invalid), 0);
        QVERIFY(writeFile(myRepository->getFileManager()->getFavoriteVideoFolder() + "stored.flv", "video"));
        QCOMPARE(myRepository->storeDownloadedEntry(&stored), 0);
        QCOMPARE(myRepository->addVideoToPlayList(&link, mine), 0);
        QCOMPARE(myRepository->addVideoToPlayList(&queued, mine), 0);

        PlayListModel model(myRepository);
        bool collapsed[2] = {false, false};
        QCOMPARE(myRepository->getPlayLists(&model, collapsed), 0);
        QCOMPARE(model.getPlayListById(ePlayListIdAllFavorites)->getCount(), 4);
        QCOMPARE(model.getPlayListById(ePlayListIdAllFavorites)->getDownloadCount(), 1);
        // The queue shows the stored copies not on the card yet: queued and invalid.
        QCOMPARE(model.getPlayListById(ePlayListIdDownloadQueue)->getCount(), 2);
        QCOMPARE(model.getPlayListById(ePlayListIdDownloadQueue)->getDownloadCount(), 1);
        QCOMPARE(model.getPlayListById(mine)->getCount(), 2);
        QCOMPARE(model.getPlayListById(mine)->getDownloadCount(), 1);
        QCOMPARE(myRepository->getDownloadQueueCount(), 1);
    }

    void recentlyUsedPlayListComesFirst()
    {
        const int first = addLocalPlayList(QStringLiteral("First"));
        const int second = addLocalPlayList(QStringLiteral("Second"));
        PlayListModel model(myRepository);
        bool collapsed[2] = {false, true};
        myRepository->getPlayLists(&model, collapsed);
        QCOMPARE(model.entries().at(3)->getId(), second);

        // Adding a video counts as using the playlist.
        VideoEntry video = testVideo(QStringLiteral("v"));
        QCOMPARE(myRepository->addVideoToPlayList(&video, first), 0);
        model.clear();
        myRepository->getPlayLists(&model, collapsed);
        QCOMPARE(model.entries().at(3)->getId(), first);

        QCOMPARE(myRepository->touchPlayList(second), 0);
        model.clear();
        myRepository->getPlayLists(&model, collapsed);
        QCOMPARE(model.entries().at(3)->getId(), second);
        QCOMPARE(myRepository->touchPlayList(9999), 2);
    }

    void addPlayListCodes()
    {
        PlayList playList(0, eLocalService, ePlayListLocal, QStringLiteral("Same"));
        QCOMPARE(myRepository->addPlayList(&playList), 0);
        QVERIFY(playList.getId() > 3);

        PlayList again(0, eLocalService, ePlayListLocal, QStringLiteral("Same"));
        QCOMPARE(myRepository->addPlayList(&again), 6);
        // The same name under the account is another folder's business.
        PlayList remote(0, eAccountService, ePlayListAccount, QStringLiteral("Same"));
        QCOMPARE(myRepository->addPlayList(&remote), 0);

        PlayList unknown(0, 5, ePlayListLocal, QStringLiteral("Elsewhere"));
        QCOMPARE(myRepository->addPlayList(&unknown), 7);
        QCOMPARE(myRepository->addPlayList(nullptr), 1);

        // A caller that leaves the type unset still gets a user playlist, never a
        // second fixed row.
        PlayList untyped(0, eLocalService, 0, QStringLiteral("Untyped"));
        QCOMPARE(myRepository->addPlayList(&untyped), 0);
        std::unique_ptr<PlayList> read(myRepository->getPlayList(untyped.getId()));
        QVERIFY(read);
        QCOMPARE(read->getType(), int(ePlayListLocal));
    }

    void renameAndDescribe()
    {
        const int a = addLocalPlayList(QStringLiteral("A"));
        addLocalPlayList(QStringLiteral("B"));
        QCOMPARE(myRepository->renamePlayList(a, QStringLiteral("B")), 6);
        QCOMPARE(myRepository->renamePlayList(a, QStringLiteral("A")), 0);
        QCOMPARE(myRepository->renamePlayList(a, QStringLiteral("C")), 0);
        QCOMPARE(myRepository->renamePlayList(4242, QStringLiteral("D")), 2);
        QCOMPARE(myRepository->setPlayListDescription(a, QStringLiteral("about")), 0);
        QCOMPARE(myRepository->setPlayListDescription(4242, QStringLiteral("about")), 2);
        std::unique_ptr<PlayList> read(myRepository->getPlayList(a));
        QCOMPARE(read->getName(), QStringLiteral("C"));
        QCOMPARE(read->getDescription(), QStringLiteral("about"));
        QVERIFY(!myRepository->getPlayList(4242));
    }

    void removePlayListTakesItsEntriesOnly()
    {
        const int mine = addLocalPlayList(QStringLiteral("Mine"));
        VideoEntry video = testVideo(QStringLiteral("v1"));
        QCOMPARE(myRepository->addFavorite(&video, true), 0);
        QCOMPARE(myRepository->addVideoToPlayList(&video, mine), 0);

        QCOMPARE(myRepository->removePlayList(mine), 0);
        QVERIFY(!myRepository->getPlayList(mine));
        RawDatabase raw(myRepository->databaseFileName());
        QCOMPARE(raw.count(QStringLiteral("select count(*) from favorite where playlist_id = %1").arg(mine)), 0);
        QCOMPARE(raw.count(QStringLiteral("select count(*) from favorite where playlist_id = 1")), 1);
        QCOMPARE(myRepository->removePlayList(mine), 2);
    }

    void fixedPlayListsCannotBeRemoved()
    {
        for (int id : {1, 2, 3})
            QCOMPARE(myRepository->removePlayList(id), 1);
        std::unique_ptr<PlayList> all(myRepository->getPlayList(1));
        QVERIFY(all);
    }

    void accountFolderIsCreatedOnce()
    {
        const int id = myRepository->addAccountPlayListFolder();
        QVERIFY(id > 3);
        QCOMPARE(myRepository->addAccountPlayListFolder(), id);
        std::unique_ptr<PlayList> folder(myRepository->getPlayList(id));
        QCOMPARE(folder->getType(), int(ePlayListAccountFolder));
        QCOMPARE(folder->getServiceId(), int(eAccountService));
        QVERIFY(folder->isFixed());
    }

    void uniqueName_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<int>("serviceId");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no playlists") << QStringList() << 0 << "Playlist 1";
        QTest::newRow("counts up from the number of playlists") << QStringList({"Road", "Songs"}) << 0 << "Playlist 3";
        QTest::newRow("skips a taken name") << QStringList({"Playlist 2"}) << 0 << "Playlist 3";
        QTest::newRow("skips several taken names")
            << QStringList({"Playlist 2", "Playlist 3", "Playlist 4"}) << 0 << "Playlist 5";
        QTest::newRow("a gap below is not reused") << QStringList({"Playlist 3", "x"}) << 0 << "Playlist 4";
        QTest::newRow("other service's names do not count") << QStringList({"Playlist 1"}) << 1 << "Playlist 1";
    }

    void uniqueName()
    {
        QFETCH(QStringList, existing);
        QFETCH(int, serviceId);
        QFETCH(QString, expected);
        for (const QString& name : existing)
            QVERIFY(addLocalPlayList(name) > 0);
        const QString name = myRepository->uniquePlayListName(serviceId);
        QCOMPARE(name, expected);
        QVERIFY(myRepository->isPlayListNameFree(name, serviceId));
    }

    void playListNamesRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("quote") << "Bob's 'best' \"mix\"";
        QTest::newRow("percent and underscore") << "100% _fun_ %d %s %%";
        QTest::newRow("sql") << "x'); drop table playlist; --";
        QTest::newRow("unicode") << QString::fromUtf8("Ääni – 音楽 ☺");
        QTest::newRow("backslash and newline") << "a\\b\nc\td";
    }

    void playListNamesRoundTrip()
    {
        QFETCH(QString, name);
        const int id = addLocalPlayList(name);
        QVERIFY(id > 0);
        std::unique_ptr<PlayList> read(myRepository->getPlayList(id));
        QCOMPARE(read->getName(), name);
        QVERIFY(!myRepository->isPlayListNameFree(name, 0));
        // A LIKE-style pattern must not match other names.
        QVERIFY(myRepository->isPlayListNameFree(QStringLiteral("%"), 0));
        QCOMPARE(myRepository->getUserPlayListCount(0), 1);
    }
};

QTEST_MAIN(TestRepositoryPlaylists)
#include "tst_repository_playlists.moc"
