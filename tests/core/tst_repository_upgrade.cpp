// A database written by the earlier layout (no counts in the playlist rows, sort
// positions with gaps and repeats) opened by this one: brought up to date in place
// on the first start with nothing lost, or, when that fails half-way, left exactly as
// it was.
#include "tests/support/TestSupport.h"

#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/VideoListModel.h"
#include "core/repository/RepositorySchema.h"

#include <QDir>
#include <QtTest>

#include <memory>

namespace {

// The earlier layout, as its program wrote it.
const char* const EARLIER_LAYOUT[] = {
    "create table video_service (id integer primary key, name text not null)",
    "create table video_entry (id integer primary key autoincrement,"
    " vs_id integer not null default 0 references video_service(id), video_id text not null unique,"
    " name text not null default '', description text not null default '', author text not null default '',"
    " length real not null default 0, upload_date text not null default '', view_count text not null default '',"
    " comment_count text not null default '', rating text not null default '', rating_count text not null default '',"
    " category text not null default '', keywords text not null default '', watch_url text not null default '',"
    " thumbnail_url text not null default '', comments_url text not null default '',"
    " related_url text not null default '', responses_url text not null default '',"
    " thumbnail_file text not null default '', video_file text not null default '',"
    " video_file_size integer not null default 0)",
    "create table playlist (id integer primary key autoincrement, vs_id integer not null references video_service(id),"
    " type integer not null, name text not null, description text not null default '',"
    " provider_id text not null default '', provider_updated_date text not null default '',"
    " is_private integer not null default 0, latest_usage_date integer not null default 0)",
    "create table favorite (id integer primary key autoincrement, playlist_id integer not null references playlist(id),"
    " video_entry_id integer not null references video_entry(id), sort_id integer not null,"
    " download_state integer not null default 0, video_link integer not null default 0,"
    " provider_entry_id text not null default '')",
    "create table video_history (id integer primary key autoincrement,"
    " video_entry_id integer not null unique references video_entry(id), view_count integer not null default 0,"
    " viewed_date integer not null default 0)",
    "create table search_history (id integer primary key autoincrement, search_text text not null unique,"
    " search_count integer not null default 0, latest_usage_date integer not null default 0)",
    "create index favorite_playlist_sort on favorite (playlist_id, sort_id)",
    "create index favorite_video_state on favorite (video_entry_id, playlist_id, video_link, download_state)",
    "create index favorite_queue on favorite (playlist_id, video_link, download_state, sort_id)",
    "create index playlist_order on playlist (vs_id, type, latest_usage_date)",
    "create index history_date on video_history (viewed_date)",
    "create trigger playlist_delete_entries after delete on playlist"
    " begin delete from favorite where playlist_id = old.id; end",
    "create trigger favorite_insert_usage after insert on favorite begin update playlist set latest_usage_date ="
    " max(cast((julianday('now') - 2440587.5) * 86400000 as integer),"
    " (select coalesce(max(latest_usage_date), 0) + 1 from playlist)) where id = new.playlist_id; end",
};

// What a user had: playlists of both services, favourites of every state in "All
// local favorites" (1), a local playlist (4) and an account playlist (8), both
// histories. Sort positions repeat and leave gaps.
const char* const EARLIER_ROWS[] = {
    "insert into video_service values (0, 'LOCAL'), (1, 'YOUTUBE')",
    "insert into playlist (id, vs_id, type, name, latest_usage_date) values"
    " (1, 0, 0, 'All local favorites', 10), (2, 0, 1, 'Download queue', 10), (3, 0, 2, 'Local playlists', 10),"
    " (4, 0, 4, 'Road', 30), (5, 0, 4, 'Empty', 20), (6, 1, 3, 'Account playlists', 10),"
    " (7, 1, 5, 'Favorites', 10)",
    "insert into playlist (id, vs_id, type, name, provider_id, provider_updated_date, is_private, latest_usage_date)"
    " values (8, 1, 6, 'Mixed', 'PL1', '2009-05-01T10:00:00.000Z', 1, 40)",
    "insert into video_entry (id, video_id, name, author, length, thumbnail_file, video_file, video_file_size) values"
    " (1, 'v0', 'Zero', 'a0', 10, '', '', 0), (2, 'v1', 'One', 'a1', 11, '', '', 0),"
    " (3, 'v2', 'Two', 'a2', 12, '/card/krelvox/favorites/thumbnails/v2.jpg',"
    "  '/card/krelvox/favorites/videos/v2.flv', 2048),"
    " (4, 'v3', 'Three', 'a3', 13, '', '', 0), (5, 'v4', 'Four', 'a4', 14, '', '', 0),"
    " (6, 'v5', 'Five', 'a5', 15, '', '', 0), (7, 'v6', 'Six', 'a6', 16, '', '', 0),"
    " (8, 'v7', 'Seven', 'a7', 17, '', '', 0)",
    "insert into favorite (id, playlist_id, video_entry_id, sort_id, download_state, video_link, provider_entry_id) values"
    " (1, 1, 1, 1, 0, 1, ''), (2, 1, 2, 2, 0, 0, ''), (3, 1, 3, 2, 1, 0, ''), (4, 1, 4, 5, 2, 0, ''),"
    " (5, 1, 5, 9, 0, 1, ''), (6, 1, 6, 9, 0, 1, ''),"
    " (7, 4, 1, 3, 0, 1, ''), (8, 4, 3, 3, 1, 0, ''), (9, 4, 5, 7, 0, 1, ''),"
    " (10, 8, 7, 1, 0, 1, 'E1'), (11, 8, 8, 2, 0, 1, 'E2')",
    "insert into video_history (video_entry_id, view_count, viewed_date) values (7, 3, 100), (8, 1, 200)",
    "insert into search_history (search_text, search_count, latest_usage_date) values ('cats', 4, 50), ('dogs', 1, 60)",
};

} // namespace

class TestRepositoryUpgrade : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> myEnv;

    // Every row of the earlier layout's columns; the favourites without their sort
    // positions, which are renumbered.
    static QStringList contents(RawDatabase& raw)
    {
        QStringList all;
        // The columns of the earlier layout (the upgrade adds the author's user name).
        for (const char* sql : {"select * from video_service order by id",
                                "select id, vs_id, video_id, name, description, author, length, upload_date,"
                                " view_count, comment_count, rating, rating_count, category, keywords, watch_url,"
                                " thumbnail_url, comments_url, related_url, responses_url, thumbnail_file,"
                                " video_file, video_file_size from video_entry order by id",
                                "select id, vs_id, type, name, description, provider_id, provider_updated_date,"
                                " is_private, latest_usage_date from playlist order by id",
                                "select id, playlist_id, video_entry_id, download_state, video_link, provider_entry_id"
                                " from favorite order by id",
                                "select * from video_history order by id", "select * from search_history order by id"})
            all << raw.rows(QString::fromLatin1(sql));
        return all;
    }

    // Each playlist's video ids in shown order (highest position first, of equal ones
    // the later row).
    static QStringList shownOrders(RawDatabase& raw)
    {
        return raw.rows(QStringLiteral("select f.playlist_id, group_concat(v.video_id, ' ') from"
                                       " (select * from favorite order by sort_id desc, id desc) f"
                                       " join video_entry v on v.id = f.video_entry_id group by f.playlist_id"));
    }

    static QStringList shownIds(Repository& repository, int playListId)
    {
        VideoListModel model(&repository);
        repository.getPlayListEntries(playListId, &model);
        QStringList ids;
        for (VideoEntry* e : model.entries())
            ids << QStringLiteral("%1@%2").arg(e->getVideoId()).arg(e->getSortId());
        return ids;
    }

private Q_SLOTS:
    void init()
    {
        myEnv = std::make_unique<TestEnvironment>();
        QDir().mkpath(myEnv->applicationFolder());
        RawDatabase raw(myEnv->applicationFolder() + "krelvox_db.dat");
        for (const char* sql : EARLIER_LAYOUT)
            QVERIFY2(raw.exec(QString::fromLatin1(sql)), sql);
        for (const char* sql : EARLIER_ROWS)
            QVERIFY2(raw.exec(QString::fromLatin1(sql)), sql);
    }

    void cleanup()
    {
        myEnv.reset();
    }

    void upgradeInPlace_data()
    {
        QTest::addColumn<bool>("failsHalfWay");
        QTest::newRow("earlier layout") << false;
        QTest::newRow("a write of the upgrade fails") << true;
    }

    void upgradeInPlace()
    {
        QFETCH(bool, failsHalfWay);
        const QString file = myEnv->applicationFolder() + "krelvox_db.dat";
        QStringList before;
        QStringList ordersBefore;
        QStringList layoutBefore;
        {
            RawDatabase raw(file);
            if (failsHalfWay)
                QVERIFY(raw.exec("create trigger disk_full before update of sort_id on favorite"
                                 " begin select raise(abort, 'disk full'); end"));
            before = contents(raw);
            ordersBefore = shownOrders(raw);
            layoutBefore = raw.rows("select type, name, sql from sqlite_master order by name");
        }

        auto repository = std::make_unique<Repository>();
        QCOMPARE(repository->openDatabase(), failsHalfWay ? 1 : 0);
        repository.reset();

        RawDatabase raw(file);
        QCOMPARE(contents(raw), before);
        QCOMPARE(shownOrders(raw), ordersBefore);
        if (failsHalfWay) {
            QCOMPARE(raw.rows("select type, name, sql from sqlite_master order by name"), layoutBefore);
            QCOMPARE(raw.count("pragma user_version"), 0);
            return;
        }
        QCOMPARE(raw.count("pragma user_version"), RepositorySchema::VERSION);
        QCOMPARE(raw.count("select count(*) from video_entry where author_user_name <> ''"), 0);
        QCOMPARE(raw.column("select name from sqlite_master where name = 'favorite_queue'"), QStringList());

        // Read through the repository: positions 1..N in the same order, the counts.
        repository = std::make_unique<Repository>();
        QCOMPARE(repository->openDatabase(), 0);
        QCOMPARE(shownIds(*repository, 1), QStringList({"v5@6", "v4@5", "v3@4", "v2@3", "v1@2", "v0@1"}));
        QCOMPARE(shownIds(*repository, 4), QStringList({"v4@3", "v2@2", "v0@1"}));
        QCOMPARE(shownIds(*repository, 8), QStringList({"v7@2", "v6@1"}));
        QCOMPARE(shownIds(*repository, ePlayListIdDownloadQueue), QStringList({"v3@4", "v1@2"}));
        PlayListModel lists(repository.get());
        bool collapsed[2] = {false, false};
        QCOMPARE(repository->getPlayLists(&lists, collapsed), 0);
        QStringList counts;
        for (PlayList* p : lists.entries())
            counts << QStringLiteral("%1:%2/%3").arg(p->getId()).arg(p->getCount()).arg(p->getDownloadCount());
        QCOMPARE(counts, QStringList({"1:6/1", "2:2/1", "3:0/0", "4:3/0", "5:0/0", "6:0/0", "7:0/0", "8:2/0"}));
        QCOMPARE(repository->getDownloadQueueCount(), 1);
        QStringList searches;
        repository->getSearchHistory(searches);
        QCOMPARE(searches, QStringList({"dogs", "cats"}));
        VideoListModel history(repository.get());
        QCOMPARE(repository->getHistory(&history), 0);
        QCOMPARE(history.rowCount(), 2);

        // Writes go on from there.
        std::unique_ptr<VideoEntry> last(repository->getLastPlayListsEntry(1));
        QCOMPARE(repository->updatePlayListOrder(1, last.get(), 6, false), 0);
        QCOMPARE(shownIds(*repository, 1), QStringList({"v0@6", "v5@5", "v4@4", "v3@3", "v2@2", "v1@1"}));
    }
};

QTEST_MAIN(TestRepositoryUpgrade)
#include "tst_repository_upgrade.moc"
