// The database as a whole: opening and creating it, what happens when it cannot be
// used, writes of several rows that fail half-way, the viewing and search history,
// and the clean-up at exit.
#include "tests/support/TestSupport.h"

#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/SettingsManager.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "core/repository/RepositorySchema.h"

#include <QDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

class TestRepositoryStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> myEnv;

    // Every operation of an unusable repository fails cleanly.
    static void verifyUnusable(Repository& repository)
    {
        QVERIFY(!repository.isDatabaseUsable());
        VideoEntry video = testVideo(QStringLiteral("v"));
        QCOMPARE(repository.addFavorite(&video, false), 1);
        QCOMPARE(repository.addToHistory(&video), 1);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("x")), 1);
        QCOMPARE(repository.clearSearchHistory(), 1);
        QCOMPARE(repository.deleteAllHistoryEntries(), 1);
        QCOMPARE(repository.exitCleanup(), 1);
        PlayListModel model(&repository);
        bool collapsed[2] = {false, false};
        QCOMPARE(repository.getPlayLists(&model, collapsed), 1);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!repository.getFirstDownloadEntry());
        QVERIFY(!repository.getFirstPlayListsEntry(1));
        QCOMPARE(repository.uniquePlayListName(0).isEmpty(), false);
    }

private Q_SLOTS:
    void init()
    {
        myEnv = std::make_unique<TestEnvironment>();
    }

    void cleanup()
    {
        myEnv.reset();
    }

    void createsDatabaseFoldersAndDefaults()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QVERIFY(repository.isDatabaseUsable());
        QCOMPARE(repository.databaseFileName(), myEnv->applicationFolder() + "krelvox_db.dat");
        QVERIFY(QFileInfo::exists(repository.databaseFileName()));
        FileManager* files = repository.getFileManager();
        for (const QString& folder : {files->getVideoFolder(), files->getThumbnailFolder(), files->getFavoriteVideoFolder(),
                                      files->getFavoriteThumbnailFolder(), files->getQueueFolder()})
            QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        QCOMPARE(repository.getThumbnailFolder(), myEnv->storageRoot() + "/krelvox/thumbnails/");
        int limit = 0;
        repository.getSetting(SETTING_DISK_SPACE_LIMIT, limit);
        QCOMPARE(limit, 500);
    }

    // What the settings hold when the database is opened again: an earlier value
    // stays, a lost store gets its defaults back.
    void settingsOnReopen_data()
    {
        QTest::addColumn<int>("written");        // the amount of results stored first; 0: none
        QTest::addColumn<bool>("storeLost");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("an earlier value is not overwritten") << 10 << false << SETTING_AMOUNT_OF_RESULTS << 10;
        QTest::newRow("a lost store gets its defaults back") << 0 << true << SETTING_DISK_SPACE_LIMIT << 500;
    }

    void settingsOnReopen()
    {
        QFETCH(int, written);
        QFETCH(bool, storeLost);
        QFETCH(QString, key);
        QFETCH(int, expected);
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            if (written)
                QCOMPARE(repository.setSetting(SETTING_AMOUNT_OF_RESULTS, written), 0);
        }
        if (storeLost)
            QVERIFY(QFile::remove(myEnv->settingsFile()));
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        int value = 0;
        repository.getSetting(key, value);
        QCOMPARE(value, expected);
    }

    // A database that cannot be used is refused, whatever stands in the way, and
    // every operation fails cleanly.
    void unusableDatabaseIsRefused_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("a file that is no database") << "garbage";
        QTest::newRow("the database path is a folder") << "folder";
        QTest::newRow("a folder that cannot be created") << "blocked";
        QTest::newRow("a read-only folder") << "read-only";
    }

    void unusableDatabaseIsRefused()
    {
        QFETCH(QString, obstacle);
        const QByteArray garbage = QByteArray("This is not a database, just some text that fills the first page. ").repeated(100);
        StoragePaths paths = myEnv->paths();
        if (obstacle == "garbage") {
            QDir().mkpath(myEnv->applicationFolder());
            QVERIFY(writeFile(myEnv->applicationFolder() + "krelvox_db.dat", garbage));
        } else if (obstacle == "folder") {
            QVERIFY(QDir().mkpath(myEnv->applicationFolder() + "krelvox_db.dat"));
        } else if (obstacle == "blocked") {
            // A plain file where the application folder's parent should be: no folder
            // can be made there, whoever runs the test.
            QVERIFY(writeFile(myEnv->root() + "/blocker", "file"));
            paths.applicationFolder = myEnv->root() + "/blocker/krelvox/";
        } else {
            if (geteuid() == 0)
                QSKIP("file permissions do not bind the super-user");
            paths.applicationFolder = myEnv->root() + "/readonly/";
            QVERIFY(QDir().mkpath(paths.applicationFolder));
            QVERIFY(QFile::setPermissions(paths.applicationFolder, QFile::ReadOwner | QFile::ExeOwner));
        }
        {
            Repository repository(paths);
            QCOMPARE(repository.openDatabase(), 1);
            verifyUnusable(repository);
        }
        if (obstacle == "garbage") {
            // The file is left as it was.
            QCOMPARE(readFile(myEnv->applicationFolder() + "krelvox_db.dat"), garbage);
        } else if (obstacle == "read-only") {
            QFile::setPermissions(paths.applicationFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    void createNewSetsAnUnusableFileAside()
    {
        QDir().mkpath(myEnv->applicationFolder());
        QVERIFY(writeFile(myEnv->applicationFolder() + "krelvox_db.dat", QByteArray(8192, '\x7f')));
        Repository repository;
        QCOMPARE(repository.openDatabase(true), 0);
        QVERIFY(repository.isDatabaseUsable());
        QVERIFY(QFileInfo::exists(repository.databaseFileName() + ".broken"));
        std::unique_ptr<PlayList> all(repository.getPlayList(1));
        QVERIFY(all);
    }

    // A new database is built beside its place and moved in whole, in the log's mode:
    // a start that finds the empty file SQLite leaves on opening, or the half-built
    // file of a run that ended meanwhile, builds it again.
    void newDatabaseIsMovedInWhole_data()
    {
        QTest::addColumn<QByteArray>("file");  // where the database belongs; null: none
        QTest::addColumn<QByteArray>("beside"); // the file it is built in; null: none
        QTest::newRow("no file") << QByteArray() << QByteArray();
        QTest::newRow("an empty file") << QByteArray("") << QByteArray();
        QTest::newRow("a half-built file beside it") << QByteArray() << QByteArray(4096, '\x7f');
    }

    void newDatabaseIsMovedInWhole()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, beside);
        const QString name = myEnv->applicationFolder() + "krelvox_db.dat";
        QDir().mkpath(myEnv->applicationFolder());
        if (!file.isNull())
            QVERIFY(writeFile(name, file));
        if (!beside.isNull())
            QVERIFY(writeFile(name + ".new", beside));
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            std::unique_ptr<PlayList> all(repository.getPlayList(ePlayListIdAllFavorites));
            QVERIFY(all);
            VideoEntry video = testVideo(QStringLiteral("v"));
            QCOMPARE(repository.addFavorite(&video, true), 0);
        }
        QVERIFY(!QFileInfo::exists(name + ".new"));
        RawDatabase raw(name);
        QCOMPARE(raw.column("pragma journal_mode"), QStringList({"wal"}));
        QCOMPARE(raw.count("pragma user_version"), RepositorySchema::VERSION);
        QCOMPARE(raw.column("select v.video_id from favorite f join video_entry v on v.id = f.video_entry_id"),
                 QStringList({"v"}));
    }

    void databaseOfAnEarlierLayout_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("before the author's user name") << 1;
        QTest::newRow("before the base of the positions") << 2;
        QTest::newRow("before the account's counts") << 3;
    }

    // A database written by an earlier layout: it is brought up to date in place, its
    // entries read in their order and positions, and the added columns serve what comes.
    void databaseOfAnEarlierLayout()
    {
        QFETCH(int, layout);
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            for (const char* id : {"old", "older"}) {
                VideoEntry video = testVideo(QString::fromLatin1(id));
                QCOMPARE(repository.addFavorite(&video, true), 0);
            }
        }
        {
            RawDatabase raw(myEnv->applicationFolder() + "krelvox_db.dat");
            if (layout < 2)
                QVERIFY(raw.exec(QStringLiteral("alter table video_entry drop column author_user_name")));
            if (layout < 3)
                QVERIFY(raw.exec(QStringLiteral("alter table playlist drop column sort_base")));
            // The count triggers of those layouts knew no account's count.
            for (const char* trigger : {"insert", "delete", "update"})
                QVERIFY(raw.exec(QStringLiteral("drop trigger favorite_count_%1").arg(QLatin1String(trigger))));
            QVERIFY(raw.exec(QStringLiteral("alter table playlist drop column provider_count")));
            QVERIFY(raw.exec(QStringLiteral("pragma user_version = %1").arg(layout)));
        }

        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        VideoListModel model(&repository);
        QCOMPARE(repository.getPlayListEntries(1, &model), 0);
        QCOMPARE(videoIds(model), QStringList({"older", "old"}));
        QCOMPARE(model.entryAt(0)->getSortId(), 2);
        // The bottom row moved to the top: the rows outside shift, with the base.
        VideoEntry* old = model.entryAt(1);
        QCOMPARE(repository.updatePlayListOrder(1, old, 2, false), 0);
        QCOMPARE(old->getSortId(), 2);
        QCOMPARE(playListVideoIds(repository, 1), QStringList({"old", "older"}));
        VideoEntry video = testVideo(QStringLiteral("new"));
        video.setAuthorUserName(QStringLiteral("newuser"));
        QCOMPARE(repository.addFavorite(&video, true), 0);
        QCOMPARE(video.getSortId(), 3);
        std::unique_ptr<VideoEntry> read(repository.getPlayListsEntryById(1, video.getFavoriteId()));
        QVERIFY(read);
        QCOMPARE(read->getAuthorUserName(), QStringLiteral("newuser"));
        // The counts are kept again.
        PlayListModel lists(&repository);
        bool collapsed[2] = {true, true};
        QCOMPARE(repository.getPlayLists(&lists, collapsed), 0);
        QCOMPARE(lists.getPlayListById(ePlayListIdAllFavorites)->getCount(), 3);
    }

    void createNewKeepsAUsableDatabase()
    {
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            VideoEntry video = testVideo(QStringLiteral("keep"));
            QCOMPARE(repository.addFavorite(&video, true), 0);
        }
        Repository repository;
        QCOMPARE(repository.openDatabase(true), 0);
        std::unique_ptr<VideoEntry> kept(repository.getFirstPlayListsEntry(1));
        QVERIFY(kept);
        QCOMPARE(kept->getVideoId(), QStringLiteral("keep"));
    }

    // A page damaged after the file was written (the schema still reads): a data page
    // that no longer reads, or an index page that still reads but no longer matches
    // its table. With createNew the whole file is checked and the damaged one set
    // aside for a new one; without, the program runs on: the counts still read, the
    // entries do not, and the damage is announced once however often it is met.
    void damagedPage_data()
    {
        QTest::addColumn<bool>("createNew");
        QTest::addColumn<QString>("index"); // empty: the table's data page
        QTest::newRow("-create-db") << true << QString();
        QTest::newRow("plain start") << false << QString();
        QTest::newRow("-create-db, index page") << true << QStringLiteral("sqlite_autoindex_video_entry_1");
    }

    void damagedPage()
    {
        QFETCH(bool, createNew);
        QFETCH(QString, index);
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            for (int i = 0; i < 40; ++i) {
                VideoEntry video = testVideo(QStringLiteral("video%1").arg(i), QString(200, QLatin1Char('t')));
                QCOMPARE(repository.addFavorite(&video, true), 0);
            }
        }
        const QString file = myEnv->applicationFolder() + "krelvox_db.dat";
        QVERIFY(index.isEmpty() ? damageTable(file, QStringLiteral("video_entry"))
                                : damageIndex(file, index, QByteArrayLiteral("video39")));

        Repository repository;
        QSignalSpy damage(&repository, &Repository::databaseDamaged);
        QCOMPARE(repository.openDatabase(createNew), 0);
        QCOMPARE(QFileInfo::exists(file + ".broken"), createNew);
        PlayListModel lists(&repository);
        bool collapsed[2] = {false, false};
        QCOMPARE(repository.getPlayLists(&lists, collapsed), 0);
        QCOMPARE(lists.getPlayListById(1)->getCount(), createNew ? 0 : 40);
        VideoListModel model(&repository);
        QCOMPARE(repository.getPlayListEntries(1, &model), createNew ? 0 : 1);
        QVERIFY(!repository.getFirstPlayListsEntry(1));
        VideoEntry video = testVideo(QStringLiteral("video3"));
        repository.addFavorite(&video, true);
        QCOMPARE(damage.count(), createNew ? 0 : 1);
        QCOMPARE(repository.isDatabaseDamaged(), !createNew);
    }

    // A partial download is never finished by a later run: it goes at start, and with
    // its favourite when that is removed. Other files stay.
    void partialDownloadsGo_data()
    {
        QTest::addColumn<bool>("atStart"); // else: when "gone" is removed
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("left by a killed run, at start") << true << QStringList({"favorites/videos/kept.flv"});
        QTest::newRow("with its favourite")
            << false
            << QStringList({"favorites/videos/kept.flv", "favorites/videos/other.flv.part", "queue/x.flv.part"});
    }

    void partialDownloadsGo()
    {
        QFETCH(bool, atStart);
        QFETCH(QStringList, remaining);
        auto repository = std::make_unique<Repository>();
        QCOMPARE(repository->openDatabase(), 0);
        VideoEntry gone = testVideo(QStringLiteral("gone"));
        VideoEntry other = testVideo(QStringLiteral("other"));
        QCOMPARE(repository->addFavorite(&gone, false), 0);
        QCOMPARE(repository->addFavorite(&other, false), 0);
        const QString media = repository->getFileManager()->getApplicationMediaFolder();
        const QStringList written = {"favorites/videos/gone.flv.part", "favorites/videos/other.flv.part",
                                     "queue/x.flv.part", "favorites/videos/kept.flv"};
        for (const QString& name : written)
            QVERIFY(writeFile(media + name, "partial"));
        if (atStart) {
            repository.reset();
            repository = std::make_unique<Repository>();
            QCOMPARE(repository->openDatabase(), 0);
        } else {
            QCOMPARE(repository->removeFavorite(&gone, ePlayListIdAllFavorites), 0);
        }
        QStringList left;
        for (const QString& name : written)
            if (QFileInfo::exists(media + name))
                left << name;
        left.sort();
        QCOMPARE(left, remaining);
    }

    void failedReorderLeavesPlaylistAsItWas_data()
    {
        QTest::addColumn<int>("target"); // position the bottom row (1 of 6) moves to
        // Up to 3 the rows between shift; beyond, the fewer rows outside and the base.
        QTest::newRow("rows between shift") << 3;
        QTest::newRow("rows outside shift") << 6;
    }

    // The moved row's own write is the last one; it fails, and every row and the
    // playlist's base stay as they were.
    void failedReorderLeavesPlaylistAsItWas()
    {
        QFETCH(int, target);
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        for (const char* id : {"a", "b", "c", "d", "e", "f"}) {
            VideoEntry video = testVideo(QString::fromLatin1(id));
            QCOMPARE(repository.addFavorite(&video, true), 0);
        }
        RawDatabase raw(repository.databaseFileName());
        const QString rows = QStringLiteral("select group_concat(id || ':' || sort_id) || ' base ' ||"
                                            " (select sort_base from playlist where id = 1) from favorite");
        const QString before = raw.column(rows).value(0);
        std::unique_ptr<VideoEntry> last(repository.getLastPlayListsEntry(1));
        QVERIFY(raw.exec(QStringLiteral("create trigger fail_write before update of sort_id on favorite"
                                        " when new.id = %1 begin select raise(abort, 'disk full'); end")
                             .arg(last->getFavoriteId())));
        QCOMPARE(repository.updatePlayListOrder(1, last.get(), target, false), 1);
        QCOMPARE(raw.column(rows).value(0), before);
        QCOMPARE(last->getSortId(), 1);
    }

    void failedFavoriteRemovalLeavesEveryPlaylistAsItWas()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        PlayList mine(0, 0, ePlayListLocal, QStringLiteral("Mine"));
        QCOMPARE(repository.addPlayList(&mine), 0);
        VideoEntry a = testVideo(QStringLiteral("a"));
        VideoEntry b = testVideo(QStringLiteral("b"));
        QCOMPARE(repository.addFavorite(&a, true), 0);
        QCOMPARE(repository.addFavorite(&b, true), 0);
        QCOMPARE(repository.addVideoToPlayList(&a, mine.getId()), 0);
        QCOMPARE(repository.addVideoToPlayList(&b, mine.getId()), 0);
        RawDatabase raw(repository.databaseFileName());
        const QString rows = QStringLiteral("select group_concat(playlist_id || ':' || id || ':' || sort_id)"
                                            " || ' bases ' || (select group_concat(sort_base) from playlist) from favorite");
        const QString before = raw.column(rows).value(0);
        // Renumbering the second playlist (its rows or its base) fails after the rows
        // were already deleted.
        QVERIFY(raw.exec(QStringLiteral("create trigger fail_write before update of sort_id on favorite"
                                        " when new.playlist_id = %1 begin select raise(abort, 'io'); end").arg(mine.getId())));
        QVERIFY(raw.exec(QStringLiteral("create trigger fail_base before update of sort_base on playlist"
                                        " when new.id = %1 begin select raise(abort, 'io'); end").arg(mine.getId())));
        QCOMPARE(repository.removeFavorite(&a, ePlayListIdAllFavorites), 1);
        QCOMPARE(raw.column(rows).value(0), before);
    }

    void failedStoreLeavesFilesAndRowsAsTheyWere()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        VideoEntry video = testVideo(QStringLiteral("s"));
        QCOMPARE(repository.addFavorite(&video, false), 0);
        const QString queued = repository.getFileManager()->getQueueFolder() + "s.flv";
        QVERIFY(writeFile(queued, "video"));
        RawDatabase raw(repository.databaseFileName());
        QVERIFY(raw.exec("create trigger fail_write before update of download_state on favorite"
                         " begin select raise(abort, 'io'); end"));
        QCOMPARE(repository.storeDownloadedEntry(&video), 1);
        QVERIFY(QFileInfo::exists(queued));
        QVERIFY(!QFileInfo::exists(repository.getFileManager()->getFavoriteVideoFolder() + "s.flv"));
        QCOMPARE(raw.column("select download_state from favorite"), QStringList({"0"}));
        QCOMPARE(raw.column("select video_file from video_entry"), QStringList({""}));
    }

    void historyKeepsTheNewestRows()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QCOMPARE(repository.setSetting(SETTING_AMOUNT_OF_RESULTS, 3), 0);
        for (const char* id : {"a", "b", "c", "d"}) {
            VideoEntry video = testVideo(QString::fromLatin1(id));
            QCOMPARE(repository.addToHistory(&video), 0);
            QVERIFY(video.isInHistory());
        }
        VideoEntry again = testVideo(QStringLiteral("b"));
        QCOMPARE(repository.addToHistory(&again), 0);
        VideoListModel model(&repository);
        QCOMPARE(repository.getHistory(&model), 0);
        QCOMPARE(videoIds(model), QStringList({"b", "d", "c"}));
        QVERIFY(model.entries().first()->isInHistory());
        QCOMPARE(repository.getMostViewedVideo(), QStringLiteral("Title of b"));

        QCOMPARE(repository.deleteAllHistoryEntries(), 0);
        model.clear();
        QCOMPARE(repository.getHistory(&model), 0);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(repository.getMostViewedVideo(), QString());
    }

    void historyWithoutAValidLimitStillKeepsRows()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QCOMPARE(repository.setSetting(SETTING_AMOUNT_OF_RESULTS, 0), 0);
        VideoEntry video = testVideo(QStringLiteral("a"));
        QCOMPARE(repository.addToHistory(&video), 0);
        VideoListModel model(&repository);
        repository.getHistory(&model);
        QCOMPARE(model.rowCount(), 1);
    }

    void searchHistory()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QCOMPARE(repository.getMostSearched(), QString());
        QCOMPARE(repository.getSearchCount(), 0);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("cats")), 0);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("dogs")), 0);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("cats")), 0);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("birds")), 0);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("   ")), 1);
        QStringList texts;
        QCOMPARE(repository.getSearchHistory(texts), 0);
        QCOMPARE(texts, QStringList({"birds", "cats", "dogs"}));
        QCOMPARE(repository.getSearchCount(), 4);
        QCOMPARE(repository.getMostSearched(), QStringLiteral("cats"));
        QCOMPARE(repository.clearSearchHistory(), 0);
        QCOMPARE(repository.getSearchHistory(texts), 0);
        QVERIFY(texts.isEmpty());
        QCOMPARE(repository.getSearchCount(), 0);
    }

    void searchTextsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << "rock 'n' roll \"live\"";
        QTest::newRow("percent") << "100%";
        QTest::newRow("like wildcards") << "a_b%c";
        QTest::newRow("sql") << "x'; drop table search_history; --";
        QTest::newRow("leading blanks") << "  spaced  ";
    }

    void searchTextsRoundTrip()
    {
        QFETCH(QString, text);
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("other")), 0);
        QCOMPARE(repository.addSearchHistory(text), 0);
        QCOMPARE(repository.addSearchHistory(text), 0);
        QStringList texts;
        repository.getSearchHistory(texts);
        QCOMPARE(texts, QStringList({text, "other"}));
        QCOMPARE(repository.getMostSearched(), text);
    }

    void clearSearchHistoryFailureIsReported()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QCOMPARE(repository.addSearchHistory(QStringLiteral("x")), 0);
        RawDatabase raw(repository.databaseFileName());
        QVERIFY(raw.exec("create trigger fail_delete before delete on search_history begin select raise(abort, 'io'); end"));
        QTest::ignoreMessage(QtDebugMsg, " ERROR");
        QCOMPARE(repository.clearSearchHistory(), 1);
    }

    void exitCleanup()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        FileManager* files = repository.getFileManager();

        VideoEntry finished = testVideo(QStringLiteral("finished"));
        VideoEntry waiting = testVideo(QStringLiteral("waiting"));
        VideoEntry link = testVideo(QStringLiteral("link"));
        VideoEntry watched = testVideo(QStringLiteral("watched"));
        QCOMPARE(repository.addFavorite(&finished, false), 0);
        QCOMPARE(repository.addFavorite(&waiting, false), 0);
        QCOMPARE(repository.addFavorite(&link, true), 0);
        QCOMPARE(repository.addToHistory(&watched), 0);

        QVERIFY(writeFile(files->getQueueFolder() + "finished.flv", "complete video"));
        QVERIFY(writeFile(files->getQueueFolder() + "finished.jpg", "picture"));
        QVERIFY(writeFile(files->getQueueFolder() + "stray.tmp", "x"));
        QVERIFY(writeFile(files->getVideoFolder() + "watched.flv", "x"));
        QVERIFY(writeFile(files->getThumbnailFolder() + "watched.jpg", "x"));
        QVERIFY(writeFile(files->getFavoriteVideoFolder() + "kept.flv", "x"));

        RawDatabase raw(repository.databaseFileName());
        QCOMPARE(repository.exitCleanup(), 0);

        QVERIFY(QFileInfo::exists(files->getFavoriteVideoFolder() + "finished.flv"));
        QVERIFY(QFileInfo::exists(files->getFavoriteThumbnailFolder() + "finished.jpg"));
        QVERIFY(QFileInfo::exists(files->getFavoriteVideoFolder() + "kept.flv"));
        QVERIFY(QDir(files->getQueueFolder()).isEmpty());
        QVERIFY(QDir(files->getVideoFolder()).isEmpty());
        QVERIFY(QDir(files->getThumbnailFolder()).isEmpty());
        QVERIFY(QFileInfo(files->getQueueFolder()).isDir());

        std::unique_ptr<VideoEntry> first(repository.getFirstDownloadEntry());
        QVERIFY(first);
        QCOMPARE(first->getVideoId(), QStringLiteral("waiting"));
        QCOMPARE(raw.column("select download_state from favorite f join video_entry v on v.id = f.video_entry_id"
                            " where v.video_id = 'finished'"),
                 QStringList({"1"}));
        QCOMPARE(raw.column("select video_id from video_entry order by video_id"),
                 QStringList({"finished", "link", "waiting", "watched"}));
    }

    // A video's row goes in the write that takes the last favourite or history row
    // referring to it (and a stored copy's files once that write is committed); a row
    // still referred to stays, files and all.
    void videoRowGoesWithItsLastReference_data()
    {
        QTest::addColumn<QStringList>("references"); // what refers to the video "v"
        QTest::addColumn<QString>("removal");
        QTest::addColumn<bool>("kept");

        QTest::newRow("stored copy removed") << QStringList({"stored"}) << "favourite" << false;
        QTest::newRow("stored copy removed, still watched") << QStringList({"stored", "history"}) << "favourite"
                                                            << true;
        QTest::newRow("link removed, still in an account playlist") << QStringList({"link", "account"})
                                                                    << "favourite" << true;
        QTest::newRow("out of a playlist, still a favourite") << QStringList({"link", "playlist"}) << "entry"
                                                              << true;
        QTest::newRow("its playlist removed") << QStringList({"playlist"}) << "playlist" << false;
        QTest::newRow("history cleared") << QStringList({"history"}) << "history" << false;
        QTest::newRow("history cleared, still a favourite") << QStringList({"link", "history"}) << "history"
                                                            << true;
        QTest::newRow("history trimmed past its length") << QStringList({"history"}) << "trim" << false;
        QTest::newRow("gone from the account's playlist") << QStringList({"account"}) << "account" << false;
    }

    void videoRowGoesWithItsLastReference()
    {
        QFETCH(QStringList, references);
        QFETCH(QString, removal);
        QFETCH(bool, kept);
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        FileManager* files = repository.getFileManager();
        VideoEntry video = testVideo(QStringLiteral("v"));
        VideoEntry other = testVideo(QStringLiteral("other"));
        QCOMPARE(repository.addFavorite(&other, true), 0);
        PlayList mine(0, eLocalService, ePlayListLocal, QStringLiteral("Mine"));
        QCOMPARE(repository.addPlayList(&mine), 0);
        PlayList account(0, eAccountService, ePlayListAccount, QStringLiteral("Account"));
        QCOMPARE(repository.addPlayList(&account), 0);
        const QString storedFile = files->getFavoriteVideoFolder() + "v.flv";
        if (references.contains("stored") || references.contains("link"))
            QCOMPARE(repository.addFavorite(&video, references.contains("link")), 0);
        if (references.contains("stored")) {
            QVERIFY(writeFile(files->getQueueFolder() + "v.flv", "video"));
            QCOMPARE(repository.storeDownloadedEntry(&video), 0);
            QVERIFY(QFileInfo::exists(storedFile));
        }
        if (references.contains("playlist"))
            QCOMPARE(repository.addVideoToPlayList(&video, mine.getId()), 0);
        if (references.contains("account"))
            QCOMPARE(repository.addVideoToPlayList(&video, account.getId()), 0);
        if (references.contains("history"))
            QCOMPARE(repository.addToHistory(&video), 0);

        if (removal == "favourite") {
            QCOMPARE(repository.removeFavorite(&video, ePlayListIdAllFavorites), 0);
        } else if (removal == "entry") {
            VideoListModel entries(&repository);
            QCOMPARE(repository.getPlayListEntries(mine.getId(), &entries), 0);
            QCOMPARE(repository.removeFavorite(entries.entryAt(0), mine.getId()), 0);
        } else if (removal == "playlist") {
            QCOMPARE(repository.removePlayList(mine.getId()), 0);
        } else if (removal == "history") {
            QCOMPARE(repository.deleteAllHistoryEntries(), 0);
        } else if (removal == "trim") {
            QCOMPARE(repository.setSetting(SETTING_AMOUNT_OF_RESULTS, 1), 0);
            QCOMPARE(repository.addToHistory(&other), 0);
        } else {
            VideoListModel none(&repository);
            QCOMPARE(repository.syncAccountPlayListEntries(account.getId(), &none), 0);
        }

        RawDatabase raw(repository.databaseFileName());
        QCOMPARE(raw.column("select video_id from video_entry order by video_id"),
                 kept ? QStringList({"other", "v"}) : QStringList({"other"}));
        QVERIFY(!QFileInfo::exists(storedFile));
    }

    // A run that ends after a removal was committed and before its files were deleted
    // leaves them listed: the next start or the next removal deletes them, unless the
    // video was made a stored copy again, whose file it then is.
    void filesOfACutShortRemovalGoLater_data()
    {
        QTest::addColumn<bool>("nextStart"); // else the next removal
        QTest::addColumn<bool>("storedAgain");
        QTest::newRow("next start") << true << false;
        QTest::newRow("next removal") << false << false;
        QTest::newRow("next start, stored again meanwhile") << true << true;
        QTest::newRow("next removal, stored again meanwhile") << false << true;
    }

    void filesOfACutShortRemovalGoLater()
    {
        QFETCH(bool, nextStart);
        QFETCH(bool, storedAgain);
        auto repository = std::make_unique<Repository>();
        QCOMPARE(repository->openDatabase(), 0);
        const QString videos = repository->getFileManager()->getFavoriteVideoFolder();
        const QString queue = repository->getFileManager()->getQueueFolder();
        const QString storedVideo = videos + "v.flv";
        const QString storedThumbnail = repository->getFileManager()->getFavoriteThumbnailFolder() + "v.jpg";
        const auto store = [&](VideoEntry& entry) {
            QCOMPARE(repository->addFavorite(&entry, false), 0);
            QVERIFY(writeFile(queue + entry.getVideoId() + ".flv", "video"));
            QVERIFY(writeFile(queue + entry.getVideoId() + ".jpg", "picture"));
            QCOMPARE(repository->storeDownloadedEntry(&entry), 0);
        };
        VideoEntry video = testVideo(QStringLiteral("v"));
        VideoEntry later = testVideo(QStringLiteral("later"));
        store(video);
        store(later);

        QCOMPARE(repository->removeFavorite(&video, ePlayListIdAllFavorites), 0);
        // The files as the run left them when it ended before deleting them.
        QVERIFY(writeFile(storedVideo, "video"));
        QVERIFY(writeFile(storedThumbnail, "picture"));
        if (storedAgain)
            store(video);
        if (nextStart) {
            repository = std::make_unique<Repository>();
            QCOMPARE(repository->openDatabase(), 0);
        } else {
            QCOMPARE(repository->removeFavorite(&later, ePlayListIdAllFavorites), 0);
        }

        QCOMPARE(QFileInfo::exists(storedVideo), storedAgain);
        QCOMPARE(QFileInfo::exists(storedThumbnail), storedAgain);
        QCOMPARE(QFileInfo::exists(videos + "later.flv"), nextStart);
    }

    // A file of an earlier layout keeps the video rows its last run left unreferenced
    // (the run ended before its clean-up, or never had one): the next start takes them.
    void videoRowsLeftByAnEarlierLayoutGo()
    {
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            VideoEntry link = testVideo(QStringLiteral("link"));
            QCOMPARE(repository.addFavorite(&link, true), 0);
            RawDatabase raw(repository.databaseFileName());
            QVERIFY(raw.exec("drop trigger favorite_delete_video"));
            QVERIFY(raw.exec("drop trigger history_delete_video"));
            QVERIFY(raw.exec("drop table removed_file"));
            for (const char* trigger : {"favorite_count_insert", "favorite_count_delete", "favorite_count_update"})
                QVERIFY(raw.exec(QStringLiteral("drop trigger %1").arg(QLatin1String(trigger))));
            QVERIFY(raw.exec("alter table playlist drop column provider_count"));
            QVERIFY(raw.exec("insert into video_entry (video_id) values ('left')"));
            QVERIFY(raw.exec("pragma user_version = 3"));
        }
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        RawDatabase raw(repository.databaseFileName());
        QCOMPARE(raw.column("select video_id from video_entry"), QStringList({"link"}));
        VideoEntry link = testVideo(QStringLiteral("link"));
        QCOMPARE(repository.removeFavorite(&link, ePlayListIdAllFavorites), 0);
        QCOMPARE(raw.count("select count(*) from video_entry"), 0);
    }
};

QTEST_MAIN(TestRepositoryStore)
#include "tst_repository_store.moc"
