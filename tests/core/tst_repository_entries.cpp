// Favourites and playlist entries: adding as links or stored copies, the order of a
// playlist and of the download queue, read whole or a page at a time, walking a
// playlist, reordering, removing, and what a finished or failed background download
// does to an entry and its files.
#include "tests/support/TestSupport.h"

#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/VideoListModel.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestRepositoryEntries : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> myWorld;
    Repository* myRepository = nullptr;

    FileManager* files() const { return myRepository->getFileManager(); }

    int addLocalPlayList(const QString& name) { return addPlayList(*myRepository, eLocalService, ePlayListLocal, name); }

    // A playlist holding the given videos, added in that order (the last added is shown first).
    int playListOf(const QStringList& videoIds)
    {
        const int id = addLocalPlayList(QStringLiteral("List"));
        for (const QString& videoId : videoIds) {
            VideoEntry video = testVideo(videoId);
            if (myRepository->addVideoToPlayList(&video, id) != eRepOk)
                return -1;
        }
        return id;
    }

    QStringList shownOrder(int playListId) { return playListVideoIds(*myRepository, playListId); }

    // The sort positions of a playlist's rows as stored, lowest first (bound with the
    // playlist's id).
    inline static const QString POSITIONS = QStringLiteral(
        "select f.sort_id - p.sort_base from favorite f join playlist p on p.id = f.playlist_id"
        " where f.playlist_id = %1 order by 1");

    int favoriteIdOf(int playListId, const QString& videoId)
    {
        VideoListModel model(myRepository);
        myRepository->getPlayListEntries(playListId, &model);
        for (VideoEntry* e : model.entries())
            if (e->getVideoId() == videoId)
                return e->getFavoriteId();
        return -1;
    }

    // The playlist read a page of limit entries at a time, as the favourites list
    // reads it: each page as its video ids joined by blanks, up to the first short page.
    QStringList pagedOrder(int playListId, int limit)
    {
        VideoListModel model(myRepository);
        PlayListCursor cursor;
        QStringList pages;
        while (pages.size() < 100) {
            const int before = model.rowCount();
            if (myRepository->getPlayListEntries(playListId, &model, limit, cursor) != eRepOk)
                return pages << QStringLiteral("failed");
            QStringList page;
            for (int row = before; row < model.rowCount(); ++row)
                page << model.entryAt(row)->getVideoId();
            pages << page.join(QLatin1Char(' '));
            if (page.size() < limit)
                break;
        }
        return pages;
    }

    static QString idOf(VideoEntry* entry)
    {
        const QString id = entry ? entry->getVideoId() : QStringLiteral("null");
        delete entry;
        return id;
    }

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

    void newestEntryIsShownFirst()
    {
        const int id = playListOf({"a", "b", "c"});
        QCOMPARE(shownOrder(id), QStringList({"c", "b", "a"}));
        QCOMPARE(idOf(myRepository->getFirstPlayListsEntry(id)), QStringLiteral("c"));
        QCOMPARE(idOf(myRepository->getLastPlayListsEntry(id)), QStringLiteral("a"));
    }

    // A filled list reaches its views as one block of rows, in shown order; an empty
    // one announces nothing.
    void listsArriveAsOneBlockOfRows()
    {
        const int id = playListOf({"a", "b", "c"});
        const int empty = addLocalPlayList(QStringLiteral("Empty"));
        VideoEntry stored = testVideo(QStringLiteral("s"));
        QCOMPARE(myRepository->addFavorite(&stored, false), 0);
        VideoEntry seen = testVideo(QStringLiteral("h"));
        QCOMPARE(myRepository->addToHistory(&seen), 0);

        VideoListModel model(myRepository);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QCOMPARE(myRepository->getPlayListEntries(id, &model), 0);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 0);
        QCOMPARE(inserted.at(0).at(2).toInt(), 2);
        QCOMPARE(model.entryAt(0)->getVideoId(), QStringLiteral("c"));

        QCOMPARE(myRepository->getPlayListEntries(empty, &model), 0);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(myRepository->getPlayListEntries(ePlayListIdDownloadQueue, &model), 0);
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.at(1).at(1).toInt(), 3);
        QCOMPARE(inserted.at(1).at(2).toInt(), 3);
        QCOMPARE(myRepository->getHistory(&model), 0);
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.entryAt(4)->getVideoId(), QStringLiteral("h"));
    }

    // Pages of a playlist continue exactly where the page before ended, also where
    // SORT_IDs have gaps or repeat (a database not renumbered since), and together
    // give the whole list in its shown order.
    void pagesFollowTheShownOrder_data()
    {
        QTest::addColumn<QList<int>>("sortIds"); // of v0, v1, ... in the order they were added
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("gaps") << QList<int>{1, 5, 9, 20, 21} << 2 << QStringList{"v4 v3", "v2 v1", "v0"};
        QTest::newRow("equal ones across a page boundary")
            << QList<int>{3, 3, 3, 3, 1} << 2 << QStringList{"v3 v2", "v1 v0", "v4"};
        QTest::newRow("equal ones and gaps, the last page full")
            << QList<int>{7, 2, 7, 2, 10, 7} << 3 << QStringList{"v4 v5 v2", "v0 v3 v1", ""};
        QTest::newRow("all equal, one per page") << QList<int>{4, 4, 4} << 1 << QStringList{"v2", "v1", "v0", ""};
        QTest::newRow("one page holds all") << QList<int>{1, 2, 3} << 10 << QStringList{"v2 v1 v0"};
        QTest::newRow("empty playlist") << QList<int>{} << 2 << QStringList{""};
    }

    void pagesFollowTheShownOrder()
    {
        QFETCH(QList<int>, sortIds);
        QFETCH(int, limit);
        QFETCH(QStringList, pages);
        QStringList videoIds;
        for (int i = 0; i < sortIds.size(); ++i)
            videoIds << QStringLiteral("v%1").arg(i);
        const int id = playListOf(videoIds);
        RawDatabase raw(myRepository->databaseFileName());
        for (int i = 0; i < sortIds.size(); ++i)
            QVERIFY(raw.exec(QStringLiteral("update favorite set sort_id = %1 where playlist_id = %2 and video_entry_id ="
                                            " (select id from video_entry where video_id = 'v%3')")
                                 .arg(sortIds.at(i))
                                 .arg(id)
                                 .arg(i)));

        QCOMPARE(pagedOrder(id, limit), pages);
        const QString whole = pages.join(QLatin1Char(' ')).simplified();
        QCOMPARE(shownOrder(id).join(QLatin1Char(' ')), whole);
    }

    // A page lands behind the rows already in the model as one block; bad requests
    // fail and leave the cursor where it was.
    void pageIsOneBlockBehindTheRows()
    {
        const int id = playListOf({"a", "b", "c", "d"});
        VideoListModel model(myRepository);
        model.addEntry(new VideoEntry);
        PlayListCursor cursor;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QCOMPARE(myRepository->getPlayListEntries(id, &model, 3, cursor), 0);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1);
        QCOMPARE(inserted.at(0).at(2).toInt(), 3);
        QCOMPARE(model.entryAt(1)->getVideoId(), QStringLiteral("d"));
        QCOMPARE(cursor.sortId, model.entryAt(3)->getSortId());
        QCOMPARE(cursor.favoriteId, model.entryAt(3)->getFavoriteId());

        const PlayListCursor before = cursor;
        QCOMPARE(myRepository->getPlayListEntries(id, nullptr, 3, cursor), int(eRepFailure));
        QCOMPARE(myRepository->getPlayListEntries(id, &model, -1, cursor), int(eRepFailure));
        QCOMPARE(myRepository->getPlayListEntries(id, &model, 0, cursor), 0);
        QCOMPARE(cursor.sortId, before.sortId);
        QCOMPARE(cursor.favoriteId, before.favoriteId);
        QCOMPARE(inserted.count(), 1);

        // The last page: one entry, then nothing and the cursor stays.
        QCOMPARE(myRepository->getPlayListEntries(id, &model, 3, cursor), 0);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(model.entryAt(4)->getVideoId(), QStringLiteral("a"));
        const PlayListCursor atEnd = cursor;
        QCOMPARE(myRepository->getPlayListEntries(id, &model, 3, cursor), 0);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(cursor.sortId, atEnd.sortId);
        QCOMPARE(cursor.favoriteId, atEnd.favoriteId);
    }

    void navigation_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("previous");
        // Shown order: d c b a. Next is the row below, previous the row above.
        QTest::newRow("top") << "d" << "c" << "null";
        QTest::newRow("middle") << "c" << "b" << "d";
        QTest::newRow("bottom") << "a" << "null" << "b";
    }

    void navigation()
    {
        QFETCH(QString, from);
        QFETCH(QString, next);
        QFETCH(QString, previous);
        const int id = playListOf({"a", "b", "c", "d"});
        const int favoriteId = favoriteIdOf(id, from);
        QCOMPARE(idOf(myRepository->getNextPlayListsEntry(id, favoriteId)), next);
        QCOMPARE(idOf(myRepository->getPreviousPlayListsEntry(id, favoriteId)), previous);
        QCOMPARE(idOf(myRepository->getPlayListsEntryById(id, favoriteId)), from);
    }

    void navigationFollowsSortPositionNotInsertOrder()
    {
        const int id = playListOf({"a", "b", "c"});
        // Move "a" (bottom) to the top: shown order a c b.
        std::unique_ptr<VideoEntry> a(myRepository->getLastPlayListsEntry(id));
        QCOMPARE(myRepository->updatePlayListOrder(id, a.get(), 3, false), 0);
        QCOMPARE(shownOrder(id), QStringList({"a", "c", "b"}));
        QCOMPARE(idOf(myRepository->getFirstPlayListsEntry(id)), QStringLiteral("a"));
        QCOMPARE(idOf(myRepository->getNextPlayListsEntry(id, a->getFavoriteId())), QStringLiteral("c"));
        QCOMPARE(idOf(myRepository->getLastPlayListsEntry(id)), QStringLiteral("b"));
    }

    void navigationOfEmptyOrUnknown()
    {
        const int empty = addLocalPlayList(QStringLiteral("Empty"));
        QVERIFY(!myRepository->getFirstPlayListsEntry(empty));
        QVERIFY(!myRepository->getLastPlayListsEntry(empty));
        QVERIFY(!myRepository->getFirstPlayListsEntry(4242));
        const int id = playListOf({"a"});
        const int favoriteId = favoriteIdOf(id, "a");
        QVERIFY(!myRepository->getNextPlayListsEntry(id, favoriteId));
        QVERIFY(!myRepository->getPreviousPlayListsEntry(id, favoriteId));
        // A favourite of another playlist is not an entry of this one.
        QVERIFY(!myRepository->getPlayListsEntryById(empty, favoriteId));
        QVERIFY(!myRepository->getNextPlayListsEntry(empty, favoriteId));
    }

    void entryCarriesWhatWasStored()
    {
        VideoEntry video = testVideo(QStringLiteral("full"));
        video.setDescription(QStringLiteral("desc"));
        video.setViewCount(QStringLiteral("1234"));
        video.setKeywords({QStringLiteral("one, two"), QStringLiteral("three")});
        video.setUploadDate(QDateTime(QDate(2009, 3, 4), QTime(5, 6, 7), Qt::UTC));
        video.setAuthor(QStringLiteral("Harbour Films"));
        video.setAuthorUserName(QStringLiteral("harbourfilms"));
        QCOMPARE(myRepository->addFavorite(&video, true), 0);
        std::unique_ptr<VideoEntry> read(myRepository->getPlayListsEntryById(1, video.getFavoriteId()));
        QVERIFY(read);
        QCOMPARE(read->getName(), video.getName());
        QCOMPARE(read->getDescription(), QStringLiteral("desc"));
        QCOMPARE(read->getAuthor(), video.getAuthor());
        QCOMPARE(read->getAuthorUserName(), QStringLiteral("harbourfilms"));
        QCOMPARE(read->getViewCount(), QStringLiteral("1234"));
        QCOMPARE(read->getRating(), QStringLiteral("4.5"));
        QCOMPARE(read->getLength(), 61.5f);
        QCOMPARE(read->getKeywords(), video.getKeywords());
        QCOMPARE(read->getUploadDate(), video.getUploadDate());
        QCOMPARE(read->getVideoLink(), 1);
        QVERIFY(read->isLinkFavorite());
        QVERIFY(!read->isStoredFavorite());
        QCOMPARE(read->getPlayListId(), 1);
    }

    void storedCopyIsQueuedAndAnnounced()
    {
        QSignalSpy added(myRepository, &Repository::downloadEntryAdded);
        VideoEntry link = testVideo(QStringLiteral("link"));
        QCOMPARE(myRepository->addFavorite(&link, true), 0);
        QCOMPARE(added.count(), 0);

        VideoEntry stored = testVideo(QStringLiteral("stored"));
        QCOMPARE(myRepository->addFavorite(&stored, false), 0);
        QCOMPARE(added.count(), 1);
        QCOMPARE(stored.getDownloadState(), int(eDownloadQueued));
        QCOMPARE(stored.getVideoLink(), 0);
        QVERIFY(stored.getFavoriteId() > 0);

        // The same video again: still one favourite, nothing new queued.
        VideoEntry again = testVideo(QStringLiteral("stored"));
        QCOMPARE(myRepository->addFavorite(&again, false), 0);
        QCOMPARE(again.getFavoriteId(), stored.getFavoriteId());
        QCOMPARE(added.count(), 1);
        QCOMPARE(shownOrder(1), QStringList({"stored", "link"}));

        // A stored copy of a link favourite turns it into a queued copy.
        VideoEntry upgrade = testVideo(QStringLiteral("link"));
        QCOMPARE(myRepository->addFavorite(&upgrade, false), 0);
        QCOMPARE(added.count(), 2);
        QCOMPARE(upgrade.getVideoLink(), 0);
        QCOMPARE(myRepository->getDownloadQueueCount(), 2);
    }

    void badEntriesAreRefused()
    {
        VideoEntry noId;
        QCOMPARE(myRepository->addFavorite(&noId, false), 1);
        QCOMPARE(myRepository->addFavorite(nullptr, false), 1);
        QCOMPARE(myRepository->addVideoToPlayList(nullptr, 1), 1);
        QCOMPARE(myRepository->addVideoToPlayList(&noId, 1), 1);
        VideoEntry video = testVideo(QStringLiteral("v"));
        QCOMPARE(myRepository->addVideoToPlayList(&video, 4242), 2);
        // Folders hold playlists, not videos.
        QCOMPARE(myRepository->addVideoToPlayList(&video, ePlayListIdLocalFolder), 1);
        QCOMPARE(myRepository->removeFavorite(nullptr, 1), 1);
        QCOMPARE(myRepository->removeFavorite(&video, 1), 2);
        QCOMPARE(myRepository->storeDownloadedEntry(nullptr), 1);
        QCOMPARE(myRepository->markEntryInvalid(nullptr), 1);
        QCOMPARE(myRepository->markEntryInvalid(&video), 2);
        QCOMPARE(myRepository->updatePlayListOrder(1, nullptr, 1, false), 1);
    }

    void downloadQueueOrder()
    {
        for (const char* id : {"first", "second", "third"}) {
            VideoEntry video = testVideo(QString::fromLatin1(id));
            QCOMPARE(myRepository->addFavorite(&video, false), 0);
        }
        VideoEntry link = testVideo(QStringLiteral("link"));
        QCOMPARE(myRepository->addFavorite(&link, true), 0);

        // Oldest request first; links are never downloaded.
        QCOMPARE(idOf(myRepository->getFirstDownloadEntry()), QStringLiteral("first"));
        std::unique_ptr<VideoEntry> first(myRepository->getFirstDownloadEntry());
        QCOMPARE(myRepository->markEntryInvalid(first.get()), 0);
        QCOMPARE(idOf(myRepository->getFirstDownloadEntry()), QStringLiteral("second"));

        std::unique_ptr<VideoEntry> second(myRepository->getFirstDownloadEntry());
        QVERIFY(writeFile(files()->getFavoriteVideoFolder() + "second.flv", "data"));
        QCOMPARE(myRepository->storeDownloadedEntry(second.get()), 0);
        QCOMPARE(idOf(myRepository->getFirstDownloadEntry()), QStringLiteral("third"));

        // The queue list shows what is not on the card: the invalid and the waiting one.
        QCOMPARE(shownOrder(ePlayListIdDownloadQueue), QStringList({"third", "first"}));

        std::unique_ptr<VideoEntry> third(myRepository->getFirstDownloadEntry());
        QCOMPARE(myRepository->markEntryInvalid(third.get()), 0);
        QVERIFY(!myRepository->getFirstDownloadEntry());
        QCOMPARE(myRepository->getDownloadQueueCount(), 0);
    }

    // The queue read page by page: stored copies and links between the queued ones
    // are skipped without shortening a page.
    void downloadQueueInPages()
    {
        const auto add = [&](const QString& videoId, bool asLink) {
            VideoEntry video = testVideo(videoId);
            QCOMPARE(myRepository->addFavorite(&video, asLink), 0);
        };
        add(QStringLiteral("q0"), false);
        add(QStringLiteral("q1"), false);
        add(QStringLiteral("link"), true);
        add(QStringLiteral("stored"), false);
        add(QStringLiteral("q2"), false);
        add(QStringLiteral("invalid"), false);
        add(QStringLiteral("q3"), false);
        std::unique_ptr<VideoEntry> stored(myRepository->getPlayListsEntryById(1, favoriteIdOf(1, "stored")));
        QVERIFY(writeFile(files()->getFavoriteVideoFolder() + "stored.flv", "data"));
        QCOMPARE(myRepository->storeDownloadedEntry(stored.get()), 0);
        std::unique_ptr<VideoEntry> invalid(myRepository->getPlayListsEntryById(1, favoriteIdOf(1, "invalid")));
        QCOMPARE(myRepository->markEntryInvalid(invalid.get()), 0);

        QCOMPARE(pagedOrder(ePlayListIdDownloadQueue, 2), QStringList({"q3 invalid", "q2 q1", "q0"}));
        QCOMPARE(pagedOrder(ePlayListIdDownloadQueue, 5), QStringList({"q3 invalid q2 q1 q0", ""}));
        QCOMPARE(shownOrder(ePlayListIdDownloadQueue), QStringList({"q3", "invalid", "q2", "q1", "q0"}));
        QCOMPARE(pagedOrder(ePlayListIdAllFavorites, 4), QStringList({"q3 invalid q2 stored", "link q1 q0"}));
    }

    void newQueueEntryWaitsBehindOlderOnes()
    {
        VideoEntry a = testVideo(QStringLiteral("a"));
        QCOMPARE(myRepository->addFavorite(&a, false), 0);
        VideoEntry b = testVideo(QStringLiteral("b"));
        QCOMPARE(myRepository->addFavorite(&b, false), 0);
        // Reordering "All local favorites" moves b below a: b is fetched first now.
        QCOMPARE(myRepository->updatePlayListOrder(1, &b, a.getSortId(), true), 0);
        QCOMPARE(idOf(myRepository->getFirstDownloadEntry()), QStringLiteral("b"));
    }

    void storeDownloadedEntryMovesFiles()
    {
        VideoEntry video = testVideo(QStringLiteral("abc"));
        QCOMPARE(myRepository->addFavorite(&video, false), 0);
        const int mine = addLocalPlayList(QStringLiteral("Mine"));
        QCOMPARE(myRepository->addVideoToPlayList(&video, mine), 0);
        QCOMPARE(video.getDownloadState(), int(eDownloadQueued));

        // A background download left the video in the queue folder and the thumbnail
        // in the thumbnail folder.
        QImage picture(128, 96, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString thumbnail = files()->getThumbnailFolder() + "abc.jpg";
        QVERIFY(picture.save(thumbnail));
        QVERIFY(writeFile(files()->getQueueFolder() + "abc.flv", QByteArray(4096, 'x')));

        std::unique_ptr<VideoEntry> entry(myRepository->getFirstDownloadEntry());
        QVERIFY(entry);
        entry->setThumbnailFile(thumbnail);
        QCOMPARE(myRepository->storeDownloadedEntry(entry.get()), 0);

        const QString videoTarget = files()->getFavoriteVideoFolder() + "abc.flv";
        const QString thumbnailTarget = files()->getFavoriteThumbnailFolder() + "abc.jpg";
        QVERIFY(QFileInfo::exists(videoTarget));
        QVERIFY(QFileInfo::exists(thumbnailTarget));
        QVERIFY(!QFileInfo::exists(files()->getQueueFolder() + "abc.flv"));
        QVERIFY(!QFileInfo::exists(thumbnail));
        QCOMPARE(entry->getDownloadState(), int(eDownloadStored));
        QCOMPARE(entry->getVideoFile(), videoTarget);
        QCOMPARE(entry->getVideoFileSize(), 4096);
        QVERIFY(entry->isStoredFavorite());

        // Every stored-copy row of the video is stored now, with its size and pictures.
        std::unique_ptr<VideoEntry> inPlayList(myRepository->getFirstPlayListsEntry(mine));
        QCOMPARE(inPlayList->getDownloadState(), int(eDownloadStored));
        QCOMPARE(inPlayList->getVideoFileSize(), 4096);
        QCOMPARE(inPlayList->getThumbnailFile(), thumbnailTarget);
        QVERIFY(!inPlayList->getThumbnail().isNull());
        QVERIFY(inPlayList->isStoredFavorite());
        QVERIFY(!myRepository->getFirstDownloadEntry());
        RepVideoStatus status;
        QCOMPARE(myRepository->getVideoStatus(QStringLiteral("abc"), status), 0);
        QVERIFY(status.storedFavorite);
        QVERIFY(!status.linkFavorite);
    }

    void storeDownloadedEntryWithoutFileDoesNotClaimStored()
    {
        VideoEntry video = testVideo(QStringLiteral("gone"));
        QCOMPARE(myRepository->addFavorite(&video, false), 0);
        std::unique_ptr<VideoEntry> entry(myRepository->getFirstDownloadEntry());
        QCOMPARE(myRepository->storeDownloadedEntry(entry.get()), 1);
        // Not stored, and not fetched again in an endless loop either.
        QCOMPARE(entry->getDownloadState(), int(eDownloadInvalid));
        QVERIFY(!myRepository->getFirstDownloadEntry());
        std::unique_ptr<VideoEntry> read(myRepository->getPlayListsEntryById(1, video.getFavoriteId()));
        QCOMPARE(read->getDownloadState(), int(eDownloadInvalid));
    }

    void storeDownloadedEntryOfARemovedFavoriteStoresNothing()
    {
        // Removed while its file was fetched: nothing to store, files left for the caller.
        VideoEntry video = testVideo(QStringLiteral("thrown"));
        QCOMPARE(myRepository->addFavorite(&video, false), 0);
        std::unique_ptr<VideoEntry> entry(myRepository->getFirstDownloadEntry());
        QCOMPARE(myRepository->removeFavorite(entry.get(), ePlayListIdAllFavorites), 0);
        const QString file = myRepository->getFileManager()->getFavoriteVideoFolder() + "thrown.flv";
        QVERIFY(QDir().mkpath(myRepository->getFileManager()->getFavoriteVideoFolder()));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("video");
        out.close();
        QCOMPARE(myRepository->storeDownloadedEntry(entry.get()), 2);
        QVERIFY(QFileInfo::exists(file));
        QVERIFY(myRepository->getPlayListsEntryById(1, video.getFavoriteId()) == nullptr);
    }

    void markEntryInvalid()
    {
        VideoEntry video = testVideo(QStringLiteral("bad"));
        video.setVideoFileSize(777);
        QCOMPARE(myRepository->addFavorite(&video, false), 0);
        QCOMPARE(myRepository->markEntryInvalid(&video), 0);
        QCOMPARE(video.getDownloadState(), int(eDownloadInvalid));
        QCOMPARE(video.getVideoFileSize(), 0);
        std::unique_ptr<VideoEntry> read(myRepository->getPlayListsEntryById(1, video.getFavoriteId()));
        QCOMPARE(read->getDownloadState(), int(eDownloadInvalid));
        QCOMPARE(read->getVideoFileSize(), 0);
        QCOMPARE(myRepository->getDownloadQueueCount(), 0);

        // Asking for a stored copy again gives it another chance.
        QSignalSpy added(myRepository, &Repository::downloadEntryAdded);
        VideoEntry retry = testVideo(QStringLiteral("bad"));
        QCOMPARE(myRepository->addFavorite(&retry, false), 0);
        QCOMPARE(added.count(), 1);
        QCOMPARE(idOf(myRepository->getFirstDownloadEntry()), QStringLiteral("bad"));
    }

    void resolveVideoFilePath_data()
    {
        QTest::addColumn<QString>("videoFile");
        QTest::addColumn<bool>("inFavorites");
        QTest::addColumn<bool>("inDownloads");
        QTest::addColumn<QString>("expectedFolder");
        QTest::newRow("favourites first") << "v.flv" << true << true << "favorites";
        QTest::newRow("download folder") << "v.flv" << false << true << "videos";
        QTest::newRow("nowhere") << "v.flv" << false << false << "";
        QTest::newRow("only the file name counts") << "/somewhere/else/v.flv" << false << true << "videos";
        QTest::newRow("no escape through the name") << "../../v.flv" << true << false << "favorites";
        QTest::newRow("empty file") << "" << true << true << "";
    }

    void resolveVideoFilePath()
    {
        QFETCH(QString, videoFile);
        QFETCH(bool, inFavorites);
        QFETCH(bool, inDownloads);
        QFETCH(QString, expectedFolder);
        if (inFavorites)
            QVERIFY(writeFile(files()->getFavoriteVideoFolder() + "v.flv", "f"));
        if (inDownloads)
            QVERIFY(writeFile(files()->getVideoFolder() + "v.flv", "d"));
        VideoEntry entry = testVideo(QStringLiteral("v"));
        entry.setVideoFile(videoFile);
        QCOMPARE(myRepository->resolveVideoFilePath(&entry), 0);
        if (expectedFolder.isEmpty())
            QCOMPARE(entry.getVideoFile(), QString());
        else if (expectedFolder == QLatin1String("favorites"))
            QCOMPARE(entry.getVideoFile(), files()->getFavoriteVideoFolder() + "v.flv");
        else
            QCOMPARE(entry.getVideoFile(), files()->getVideoFolder() + "v.flv");
    }

    void resolveVideoFilePathRefusesBadEntries()
    {
        QCOMPARE(myRepository->resolveVideoFilePath(nullptr), 1);
        VideoEntry noId;
        noId.setVideoFile(QStringLiteral("x.flv"));
        QCOMPARE(myRepository->resolveVideoFilePath(&noId), 1);
    }

    void updatePlayListOrder_data()
    {
        QTest::addColumn<QString>("moving");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("afterLast");
        QTest::addColumn<QStringList>("expected");
        // Start: e d c b a (sort ids 5..1).
        QTest::newRow("bottom to top") << "a" << "e" << false << QStringList({"a", "e", "d", "c", "b"});
        QTest::newRow("top to bottom") << "e" << "a" << true << QStringList({"d", "c", "b", "a", "e"});
        QTest::newRow("above a middle row") << "a" << "c" << false << QStringList({"e", "d", "a", "c", "b"});
        QTest::newRow("below a middle row") << "e" << "c" << true << QStringList({"d", "c", "e", "b", "a"});
        QTest::newRow("onto itself") << "c" << "c" << false << QStringList({"e", "d", "c", "b", "a"});
    }

    void updatePlayListOrder()
    {
        QFETCH(QString, moving);
        QFETCH(QString, target);
        QFETCH(bool, afterLast);
        QFETCH(QStringList, expected);
        const int id = playListOf({"a", "b", "c", "d", "e"});
        VideoListModel model(myRepository);
        myRepository->getPlayListEntries(id, &model);
        VideoEntry* movingEntry = nullptr;
        int targetSortId = 0;
        for (VideoEntry* e : model.entries()) {
            if (e->getVideoId() == moving)
                movingEntry = e;
            if (e->getVideoId() == target)
                targetSortId = e->getSortId();
        }
        QCOMPARE(myRepository->updatePlayListOrder(id, movingEntry, targetSortId, afterLast), 0);
        QCOMPARE(shownOrder(id), expected);
        // Positions stay 1..N: the row of an entry is the count minus its position.
        RawDatabase raw(myRepository->databaseFileName());
        QCOMPARE(raw.column(POSITIONS.arg(id)), QStringList({"1", "2", "3", "4", "5"}));
        QCOMPARE(movingEntry->getSortId(), 5 - expected.indexOf(moving));
    }

    // Reorders and removals at the edges and after many of them, in a user playlist
    // and in "All local favorites" (every third video a queued stored copy): after
    // each step the shown order follows a plain list, the sort positions are N..1 from
    // the top, the moved entry knows its new position, and the counts of the playlist
    // rows (the download queue's too) agree. Steps: "x^y" moves x above y, "x_y" below
    // y, "-x" removes x, "+x" adds x (as a link).
    void editsKeepOrderPositionsAndCounts_data()
    {
        QTest::addColumn<bool>("allFavorites");
        QTest::addColumn<int>("videos"); // v0.. added in order: the last is shown first
        QTest::addColumn<QStringList>("steps");
        for (const bool all : {false, true}) {
            const char* kind = all ? "all favorites: " : "playlist: ";
            auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(QString::fromLatin1(kind) + name)) << all; };
            row("only row onto itself, then removed") << 1 << QStringList{"v0^v0", "v0_v0", "-v0"};
            row("last to first and back") << 5 << QStringList{"v0^v4", "v0_v1"};
            row("first to last and back") << 5 << QStringList{"v4_v0", "v4^v3"};
            row("next to a neighbour, both sides") << 4 << QStringList{"v3_v2", "v3^v2", "v1^v2", "v1_v0", "v2_v2"};
            row("remove first, last, middle") << 5 << QStringList{"-v4", "-v0", "-v2", "-v3", "-v1"};
            row("move after removals") << 6 << QStringList{"-v3", "v0^v5", "-v5", "v4_v0", "v1^v4"};
            row("add after the ends moved") << 4 << QStringList{"v0^v3", "+v4", "v4_v0", "-v1", "+v5", "-v5", "+v6"};
            // 150 moves between the ends and the middle, then everything removed.
            QStringList many;
            quint32 seed = 7;
            auto next = [&seed](int bound) { seed = seed * 1103515245u + 12345u; return int((seed >> 16) % quint32(bound)); };
            for (int i = 0; i < 150; ++i)
                many << QStringLiteral("v%1%2v%3").arg(next(9)).arg(next(2) ? '^' : '_').arg(next(9));
            for (int i = 0; i < 9; ++i)
                many << QStringLiteral("-v%1").arg((i * 4) % 9);
            row("after many reorders") << 9 << many;
        }
    }

    void editsKeepOrderPositionsAndCounts()
    {
        QFETCH(bool, allFavorites);
        QFETCH(int, videos);
        QFETCH(QStringList, steps);
        QStringList expected;
        QSet<QString> queued;
        const int id = allFavorites ? int(ePlayListIdAllFavorites) : addLocalPlayList(QStringLiteral("Mine"));
        for (int i = 0; i < videos; ++i) {
            VideoEntry video = testVideo(QStringLiteral("v%1").arg(i));
            const bool stored = allFavorites && i % 3 == 0;
            QCOMPARE(allFavorites ? myRepository->addFavorite(&video, !stored) : myRepository->addVideoToPlayList(&video, id), 0);
            if (stored)
                queued.insert(video.getVideoId());
            expected.prepend(video.getVideoId());
        }
        for (const QString& step : steps) {
            VideoListModel model(myRepository);
            QCOMPARE(myRepository->getPlayListEntries(id, &model), 0);
            auto entry = [&model](const QString& videoId) {
                for (VideoEntry* e : model.entries())
                    if (e->getVideoId() == videoId)
                        return e;
                return static_cast<VideoEntry*>(nullptr);
            };
            if (step.startsWith(QLatin1Char('+'))) {
                VideoEntry video = testVideo(step.mid(1));
                QCOMPARE(allFavorites ? myRepository->addFavorite(&video, true) : myRepository->addVideoToPlayList(&video, id), 0);
                QCOMPARE(video.getSortId(), int(expected.size()) + 1);
                expected.prepend(video.getVideoId());
            } else if (step.startsWith(QLatin1Char('-'))) {
                const QString videoId = step.mid(1);
                QCOMPARE(myRepository->removeFavorite(entry(videoId), id), 0);
                expected.removeOne(videoId);
                queued.remove(videoId);
            } else {
                const bool below = step.contains(QLatin1Char('_'));
                const QStringList names = step.split(QRegularExpression(QStringLiteral("[_^]")));
                VideoEntry* moving = entry(names.at(0));
                QCOMPARE(myRepository->updatePlayListOrder(id, moving, entry(names.at(1))->getSortId(), below), 0);
                if (names.at(0) != names.at(1)) {
                    expected.removeOne(names.at(0));
                    expected.insert(expected.indexOf(names.at(1)) + (below ? 1 : 0), names.at(0));
                }
                QCOMPARE(moving->getSortId(), int(expected.size() - expected.indexOf(names.at(0))));
            }
            VideoListModel after(myRepository);
            QCOMPARE(myRepository->getPlayListEntries(id, &after), 0);
            QStringList shown;
            QList<int> positions;
            QList<int> topDown;
            for (VideoEntry* e : after.entries()) {
                shown << e->getVideoId();
                positions << e->getSortId();
                topDown.prepend(int(positions.size()));
            }
            QVERIFY2(shown == expected, qPrintable(step + ": " + shown.join(' ') + " / " + expected.join(' ')));
            QCOMPARE(positions, topDown);
            // Read a page at a time, the list goes on where each page ended.
            QCOMPARE(pagedOrder(id, 2).join(QLatin1Char(' ')).simplified(), expected.join(QLatin1Char(' ')));

            PlayListModel lists(myRepository);
            bool collapsed[2] = {false, false};
            QCOMPARE(myRepository->getPlayLists(&lists, collapsed), 0);
            QCOMPARE(lists.getPlayListById(id)->getCount(), int(expected.size()));
            if (allFavorites) {
                QCOMPARE(lists.getPlayListById(ePlayListIdAllFavorites)->getDownloadCount(), int(queued.size()));
                QCOMPARE(lists.getPlayListById(ePlayListIdDownloadQueue)->getCount(), int(queued.size()));
                QCOMPARE(lists.getPlayListById(ePlayListIdDownloadQueue)->getDownloadCount(), int(queued.size()));
                QCOMPARE(myRepository->getDownloadQueueCount(), int(queued.size()));
            }
        }
    }

    void updatePlayListOrderWithUnknownTarget()
    {
        const int id = playListOf({"a", "b"});
        std::unique_ptr<VideoEntry> a(myRepository->getLastPlayListsEntry(id));
        QCOMPARE(myRepository->updatePlayListOrder(id, a.get(), 99, false), 2);
        VideoEntry stranger = testVideo(QStringLiteral("x"));
        stranger.setFavoriteId(12345);
        QCOMPARE(myRepository->updatePlayListOrder(id, &stranger, 1, false), 2);
        QCOMPARE(shownOrder(id), QStringList({"b", "a"}));
    }

    void removeFromPlayListRenumbers()
    {
        const int id = playListOf({"a", "b", "c"});
        VideoEntry b = testVideo(QStringLiteral("b"));
        b.setFavoriteId(favoriteIdOf(id, "b"));
        QCOMPARE(myRepository->removeFavorite(&b, id), 0);
        QCOMPARE(shownOrder(id), QStringList({"c", "a"}));
        RawDatabase raw(myRepository->databaseFileName());
        QCOMPARE(raw.column(POSITIONS.arg(id)), QStringList({"1", "2"}));
        QCOMPARE(myRepository->removeFavorite(&b, id), 2);
    }

    void removeFavoriteRemovesItEverywhereWithItsFiles()
    {
        VideoEntry video = testVideo(QStringLiteral("gone"));
        QCOMPARE(myRepository->addFavorite(&video, false), 0);
        VideoEntry other = testVideo(QStringLiteral("stays"));
        QCOMPARE(myRepository->addFavorite(&other, true), 0);
        const int mine = addLocalPlayList(QStringLiteral("Mine"));
        QCOMPARE(myRepository->addVideoToPlayList(&video, mine), 0);
        QCOMPARE(myRepository->addVideoToPlayList(&other, mine), 0);
        QVERIFY(writeFile(files()->getQueueFolder() + "gone.flv", "video"));
        QVERIFY(writeFile(files()->getThumbnailFolder() + "gone.jpg", "picture"));
        QCOMPARE(myRepository->storeDownloadedEntry(&video), 0);
        const QString storedVideo = files()->getFavoriteVideoFolder() + "gone.flv";
        const QString storedThumbnail = files()->getFavoriteThumbnailFolder() + "gone.jpg";
        QVERIFY(QFileInfo::exists(storedVideo));
        // A file outside the favourites folders that happens to share the name stays.
        QVERIFY(writeFile(files()->getVideoFolder() + "gone.flv", "foreground"));

        QCOMPARE(myRepository->removeFavorite(&video, ePlayListIdAllFavorites), 0);
        QCOMPARE(shownOrder(1), QStringList({"stays"}));
        QCOMPARE(shownOrder(mine), QStringList({"stays"}));
        QVERIFY(!QFileInfo::exists(storedVideo));
        QVERIFY(!QFileInfo::exists(storedThumbnail));
        QVERIFY(QFileInfo::exists(files()->getVideoFolder() + "gone.flv"));
        RepVideoStatus status;
        myRepository->getVideoStatus(QStringLiteral("gone"), status);
        QVERIFY(!status.storedFavorite);
        QVERIFY(!status.linkFavorite);
    }

    void removingFromTheQueueRemovesTheFavorite()
    {
        VideoEntry video = testVideo(QStringLiteral("q"));
        QCOMPARE(myRepository->addFavorite(&video, false), 0);
        QCOMPARE(myRepository->removeFavorite(&video, ePlayListIdDownloadQueue), 0);
        QVERIFY(shownOrder(1).isEmpty());
        QVERIFY(!myRepository->getFirstDownloadEntry());
    }

    void playListEntriesShareTheFavoriteState()
    {
        const int mine = addLocalPlayList(QStringLiteral("Mine"));
        VideoEntry stored = testVideo(QStringLiteral("stored"));
        QCOMPARE(myRepository->addFavorite(&stored, false), 0);
        VideoEntry fresh = testVideo(QStringLiteral("fresh"));
        QCOMPARE(myRepository->addVideoToPlayList(&stored, mine), 0);
        QCOMPARE(myRepository->addVideoToPlayList(&fresh, mine), 0);
        QCOMPARE(stored.getVideoLink(), 0);
        QCOMPARE(stored.getDownloadState(), int(eDownloadQueued));
        // A video that is no favourite joins a playlist as a link.
        QCOMPARE(fresh.getVideoLink(), 1);
        // Adding it twice does not duplicate it.
        const int favoriteId = fresh.getFavoriteId();
        QCOMPARE(myRepository->addVideoToPlayList(&fresh, mine), 0);
        QCOMPARE(fresh.getFavoriteId(), favoriteId);
        QCOMPARE(shownOrder(mine), QStringList({"fresh", "stored"}));
    }

    void videoStatusFlags()
    {
        RepVideoStatus status;
        status.inHistory = true;
        QCOMPARE(myRepository->getVideoStatus(QStringLiteral("unknown"), status), 2);
        QVERIFY(!status.inHistory);

        VideoEntry link = testVideo(QStringLiteral("l"));
        QCOMPARE(myRepository->addFavorite(&link, true), 0);
        QCOMPARE(myRepository->addToHistory(&link), 0);
        VideoEntry probe = testVideo(QStringLiteral("l"));
        QCOMPARE(myRepository->updateVideoStatus(&probe), 0);
        QVERIFY(probe.isLinkFavorite());
        QVERIFY(probe.isInHistory());
        QVERIFY(!probe.isStoredFavorite());
        QVERIFY(&probe.getLinkStateImage() != &probe.getMemoryStateImage());
    }

    void titlesRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << "It's a \"test\" ''";
        QTest::newRow("percent") << "100% %s %d %1 _ %%";
        QTest::newRow("sql keywords") << "'); DELETE FROM favorite; SELECT ('";
        QTest::newRow("comment") << "title -- comment /* block */";
        QTest::newRow("unicode") << QString::fromUtf8("Ωmega – 東京 ✓");
        QTest::newRow("embedded nul") << QString::fromUtf16(u"a\u0000b", 3);
    }

    void titlesRoundTrip()
    {
        QFETCH(QString, text);
        VideoEntry video = testVideo(QStringLiteral("id1"), text);
        video.setDescription(text);
        video.setAuthor(text);
        QCOMPARE(myRepository->addFavorite(&video, true), 0);
        VideoEntry second = testVideo(QStringLiteral("id2"));
        QCOMPARE(myRepository->addFavorite(&second, true), 0);
        std::unique_ptr<VideoEntry> read(myRepository->getPlayListsEntryById(1, video.getFavoriteId()));
        QVERIFY(read);
        QCOMPARE(read->getName(), text);
        QCOMPARE(read->getDescription(), text);
        QCOMPARE(read->getAuthor(), text);
        QCOMPARE(shownOrder(1).size(), 2);
    }
};

QTEST_MAIN(TestRepositoryEntries)
#include "tst_repository_entries.moc"
