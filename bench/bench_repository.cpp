// What the favourites page asks of the repository, at two sizes: 10,000 favourites in
// 200 playlists and 100,000 in 1,000 (every favourite also in one playlist; a fifth
// are stored copies, one in ten of those still queued, so the download queue is
// sparse). Each figure is timed in pairs against the same SQLite file queried
// directly with a bare QSqlQuery doing the same work (for a write, the least SQL that
// leaves the same rows), alternating which goes first;
// it prints min / median / max of both and of their ratio, then how the repository's
// median grows from the small size to the large one. Every result is checked.
//
// Goals: a read at most 4 ms at 100,000 favourites, a write (reorder, removal, add)
// within one frame, 16 ms, at 10,000.
#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Paths.h"
#include "core/repository/RepositoryRows.h"

#include "bench/BenchCollection.h"
#include "bench/BenchSupport.h"

#include <QElapsedTimer>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

const int PAIRS = 15;
const int PAGE = 100;

// One stored collection; the favourites it holds change as the writes are timed.
struct Collection : StoredCollection
{
    int size = 0; // favourites it was filled with, the figure's size
};

bool bareWrite(const QSqlDatabase& db, const QStringList& statements, const QList<QVariantList>& values)
{
    QSqlDatabase connection = db;
    if (!connection.transaction())
        return false;
    for (int i = 0; i < statements.size(); ++i) {
        QSqlQuery query(connection);
        if (!query.prepare(statements.at(i)))
            return false;
        for (const QVariant& value : values.value(i))
            query.addBindValue(value);
        if (!query.exec()) {
            connection.rollback();
            return false;
        }
    }
    return connection.commit();
}


// The base of a playlist's sort positions.
qint64 bareBase(const QSqlDatabase& db, int playListId)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select sort_base from playlist where id = ?"));
    query.addBindValue(playListId);
    return query.exec() && query.next() ? query.value(0).toLongLong() : 0;
}

// The least SQL that moves the row at position `from` of a playlist of n rows to
// position `to`, leaving positions 1..n over the playlist's base: the rows between the
// two shift by one, or, when they are more, the rows outside them shift the other way
// together with the base (a move between the ends touches the one row and the base).
bool bareMove(const QSqlDatabase& db, int playListId, qint64 from, qint64 to, qint64 n)
{
    const qint64 base = bareBase(db, playListId);
    const qint64 low = qMin(from, to);
    const qint64 high = qMax(from, to);
    const qint64 step = from < to ? -1 : 1; // how the rows between move
    if (high - low <= n - (high - low + 1))
        return bareWrite(db,
                         {QStringLiteral("update favorite set sort_id = case when sort_id = ? then ? else sort_id + ? end"
                                         " where playlist_id = ? and sort_id between ? and ?")},
                         {{base + from, base + to, step, playListId, base + low, base + high}});
    // Each range of keys its own statement, so that each is one seek in the index; the
    // moved row is found first, as its key is shared for a moment.
    QSqlQuery moved(db);
    moved.prepare(QStringLiteral("select id from favorite where playlist_id = ? and sort_id = ?"));
    moved.addBindValue(playListId);
    moved.addBindValue(base + from);
    if (!moved.exec() || !moved.next())
        return false;
    const qint64 newBase = base - step;
    return bareWrite(db,
                     {QStringLiteral("update favorite set sort_id = sort_id - ? where playlist_id = ? and sort_id < ?"),
                      QStringLiteral("update favorite set sort_id = sort_id - ? where playlist_id = ? and sort_id > ?"),
                      QStringLiteral("update favorite set sort_id = ? where id = ?"),
                      QStringLiteral("update playlist set sort_base = ? where id = ?")},
                     {{step, playListId, base + low}, {step, playListId, base + high},
                      {newBase + to, moved.value(0)}, {newBase, playListId}});
}

// The least SQL that removes the favourite at a position of "All local favorites" as
// the repository does: its rows go from every local playlist, each gap closed by
// shifting the fewer rows (those above it down, or those below it up with the base),
// and its file columns are cleared. The triggers keep the counts (and take the video
// row when nothing else refers to it), on both sides alike.
bool bareRemove(const QSqlDatabase& db, qint64 position)
{
    QSqlQuery find(db);
    find.prepare(QStringLiteral("select f.video_entry_id from favorite f join playlist p on p.id = f.playlist_id"
                                " where f.playlist_id = 1 and f.sort_id = p.sort_base + ?"));
    find.addBindValue(position);
    if (!find.exec() || !find.next())
        return false;
    const int video = find.value(0).toInt();
    QSqlQuery rows(db);
    rows.prepare(QStringLiteral("select f.playlist_id, f.sort_id - p.sort_base, p.entry_count, p.sort_base"
                                " from favorite f join playlist p on p.id = f.playlist_id"
                                " where f.video_entry_id = ? and p.vs_id = 0"));
    rows.addBindValue(video);
    if (!rows.exec())
        return false;
    QStringList statements{QStringLiteral("delete from favorite where video_entry_id = ?"
                                          " and playlist_id in (select id from playlist where vs_id = 0)"),
                           QStringLiteral("update video_entry set video_file = '', thumbnail_file = '',"
                                          " video_file_size = 0 where id = ?")};
    QList<QVariantList> values{{video}, {video}};
    while (rows.next()) {
        const int playList = rows.value(0).toInt();
        const qint64 at = rows.value(1).toLongLong();
        const qint64 count = rows.value(2).toLongLong();
        const qint64 base = rows.value(3).toLongLong();
        if (count - at <= at - 1) {
            statements << QStringLiteral("update favorite set sort_id = sort_id - 1 where playlist_id = ? and sort_id > ?");
            values << QVariantList{playList, base + at};
        } else {
            statements << QStringLiteral("update favorite set sort_id = sort_id + 1 where playlist_id = ? and sort_id < ?")
                       << QStringLiteral("update playlist set sort_base = sort_base + 1 where id = ?");
            values << QVariantList{playList, base + at} << QVariantList{playList};
        }
    }
    return bareWrite(db, statements, values);
}

// The rows of "All local favorites": how many, how many distinct positions, the
// lowest and the highest position.
QList<int> positionsOfAllFavorites(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select count(*), count(distinct sort_id), min(sort_id) - p.sort_base,"
                                   " max(sort_id) - p.sort_base from favorite f join playlist p on p.id = f.playlist_id"
                                   " where f.playlist_id = 1"))
        || !query.next())
        return {};
    return {query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(), query.value(3).toInt()};
}

// Playlists whose rows do not hold positions 1..N over their base with N their count;
// -1 when the query failed.
int brokenPlayLists(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    return query.exec(QStringLiteral("select count(*) from (select count(*) as n, count(distinct f.sort_id) as d,"
                                     " min(f.sort_id - p.sort_base) as low, max(f.sort_id - p.sort_base) as high,"
                                     " p.entry_count as counted from favorite f join playlist p on p.id = f.playlist_id"
                                     " group by f.playlist_id) where not (d = n and low = 1 and high = n and counted = n)"))
            && query.next()
        ? query.value(0).toInt()
        : -1;
}

} // namespace

class BenchRepository : public QObject
{
    Q_OBJECT

private:
    Collection mySmall;
    Collection myLarge;
    GrowthTable myGrowth{"favourites"}; // the repository's median ms
    int myAdded = 0;

    QList<Collection*> collections() { return {&mySmall, &myLarge}; }

    void fill(Collection& c, int favorites, int playLists);

    // Times `ours` against `bare` in PAIRS pairs and prints the line of the figure.
    void figure(const char* name, Collection& c, const std::function<void()>& ours, const std::function<void()>& bare)
    {
        const PairedFigures figures = timeInPairs(PAIRS, ours, bare);
        const Spread o = figures.oursSpread();
        const Spread b = figures.baselineSpread();
        const Spread r = figures.ratioSpread();
        std::printf("%-34s %7d  %7.3f %7.3f %7.3f   %7.3f %7.3f %7.3f   %6.2f %6.2f %6.2f\n", name, c.size, o.min,
                    o.median, o.max, b.min, b.median, b.max, r.min, r.median, r.max);
        std::fflush(stdout);
        myGrowth.add(QString::fromLatin1(name), c.size, o.median);
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void playListTreeWithCounts();
    void pageAfterACursor_data();
    void pageAfterACursor();
    void wholeUserPlayList();
    void nextEntryOfAPlayList();
    void firstDownloadEntry();
    void videoFlags();
    void reorder_data();
    void reorder();
    void removeAFavorite_data();
    void removeAFavorite();
    void addAFavorite();
};

void BenchRepository::fill(Collection& c, int favorites, int playLists)
{
    QElapsedTimer timer;
    timer.start();
    QVERIFY(c.fill(favorites, playLists));
    c.size = favorites;
    std::printf("filled %d favourites in %d playlists in %lld ms\n", favorites, playLists,
                static_cast<long long>(timer.elapsed()));
    QCOMPARE(c.repository->getDownloadQueueCount(), favorites / 50);
}

void BenchRepository::initTestCase()
{
    fill(mySmall, 10000, 200);
    fill(myLarge, 100000, 1000);
    std::printf("\n%-34s %7s  %-23s   %-23s   %-20s\n", "figure", "size", "repository ms min/med/max",
                "bare query ms min/med/max", "ratio min/med/max");
}

void BenchRepository::cleanupTestCase()
{
    std::printf("\nthe repository's medians, ms:\n");
    myGrowth.print();
}

void BenchRepository::playListTreeWithCounts()
{
    for (Collection* c : collections()) {
        PlayListModel model(c->repository.get());
        bool collapsed[2] = {false, false};
        int bare = 0;
        figure("playlist tree with counts", *c,
               [&]() {
                   model.clear();
                   c->repository->getPlayLists(&model, collapsed);
               },
               [&]() {
                   bare = bareRows(c->bareDb(), QStringLiteral("select vs_id, id, type, name, provider_id, description,"
                                                               " provider_updated_date, is_private, entry_count, download_count"
                                                               " from playlist order by vs_id, type, latest_usage_date desc, id desc"));
               });
        QCOMPARE(model.rowCount(), int(c->playLists.size()) + 3);
        QCOMPARE(bare, int(c->playLists.size()) + 3);
        QCOMPARE(model.getPlayListById(ePlayListIdAllFavorites)->getCount(), c->favorites);
        QCOMPARE(model.getPlayListById(c->playLists.first())->getCount(), c->favorites / int(c->playLists.size()));
        QCOMPARE(model.getPlayListById(ePlayListIdDownloadQueue)->getCount(), c->favorites / 50);
    }
}

void BenchRepository::pageAfterACursor_data()
{
    QTest::addColumn<int>("playListId");
    QTest::addColumn<int>("depthPercent");
    QTest::addColumn<QString>("source"); // FROM and WHERE of the bare query
    const QString all = QStringLiteral("from favorite f join video_entry v on v.id = f.video_entry_id"
                                       " where f.playlist_id = 1 ");
    const QString queue = QStringLiteral("from favorite f indexed by favorite_queued"
                                         " join video_entry v on v.id = f.video_entry_id"
                                         " where f.playlist_id = 1 and f.video_link = 0 and f.download_state <> 1 ");
    QTest::newRow("page of all favourites, top") << int(ePlayListIdAllFavorites) << 0 << all;
    QTest::newRow("page of all favourites, 90% down") << int(ePlayListIdAllFavorites) << 90 << all;
    QTest::newRow("page of the download queue, top") << int(ePlayListIdDownloadQueue) << 0 << queue;
    // Half-way: still a full page of the small queue below.
    QTest::newRow("page of the download queue, half-way") << int(ePlayListIdDownloadQueue) << 50 << queue;
}

// A page of 100 after a cursor, as the list reads while it is scrolled; the download
// queue is sparse (one favourite in fifty).
void BenchRepository::pageAfterACursor()
{
    QFETCH(int, playListId);
    QFETCH(int, depthPercent);
    QFETCH(QString, source);
    for (Collection* c : collections()) {
        const int top = c->favorites - c->favorites * depthPercent / 100; // sort id the page starts at
        PlayListCursor start;
        if (depthPercent > 0)
            start = {top, INT_MAX};
        VideoListModel model(c->repository.get());
        int bare = 0;
        figure(QTest::currentDataTag(), *c,
               [&]() {
                   model.clear();
                   PlayListCursor cursor = start;
                   c->repository->getPlayListEntries(playListId, &model, PAGE, cursor);
               },
               [&]() {
                   bare = bareRows(c->bareDb(),
                                   ENTRY_COLUMNS + source + QStringLiteral("and f.sort_id <= ? and (f.sort_id < ? or f.id < ?)"
                                                                            " order by f.sort_id desc, f.id desc limit ?"),
                                   {start.sortId, start.sortId, start.favoriteId, PAGE});
               });
        const bool queue = playListId == ePlayListIdDownloadQueue;
        const int expected = queue ? qMin(PAGE, top / 50) : PAGE;
        QCOMPARE(model.rowCount(), expected);
        QCOMPARE(bare, expected);
        QCOMPARE(model.entryAt(0)->getVideoId(), collectionVideoId(queue ? (top - 1) / 50 * 50 : top - 1));
        for (VideoEntry* entry : model.entries())
            QVERIFY(!queue || entry->getDownloadState() == eDownloadQueued);
    }
}

void BenchRepository::wholeUserPlayList()
{
    for (Collection* c : collections()) {
        const int id = c->playLists.at(c->playLists.size() / 2);
        VideoListModel model(c->repository.get());
        int bare = 0;
        figure("whole user playlist (50 / 100)", *c,
               [&]() {
                   model.clear();
                   c->repository->getPlayListEntries(id, &model);
               },
               [&]() {
                   bare = bareRows(c->bareDb(), ENTRY_SELECT + QStringLiteral("where f.playlist_id = ?"
                                                                              " order by f.sort_id desc, f.id desc"),
                                   {id});
               });
        QCOMPARE(model.rowCount(), c->favorites / int(c->playLists.size()));
        QCOMPARE(bare, c->favorites / int(c->playLists.size()));
    }
}

void BenchRepository::nextEntryOfAPlayList()
{
    for (Collection* c : collections()) {
        std::unique_ptr<VideoEntry> first(c->repository->getFirstPlayListsEntry(ePlayListIdAllFavorites));
        QVERIFY(first);
        std::unique_ptr<VideoEntry> next;
        int bare = 0;
        figure("next entry of all favourites", *c,
               [&]() { next.reset(c->repository->getNextPlayListsEntry(ePlayListIdAllFavorites, first->getFavoriteId())); },
               [&]() {
                   bare = bareRows(c->bareDb(), ENTRY_SELECT + QStringLiteral("where f.playlist_id = 1 and f.sort_id <"
                                                                              " (select sort_id from favorite where id = ?)"
                                                                              " order by f.sort_id desc limit 1"),
                                   {first->getFavoriteId()});
               });
        QVERIFY(next);
        QCOMPARE(next->getSortId(), first->getSortId() - 1);
        QCOMPARE(bare, 1);
    }
}

void BenchRepository::firstDownloadEntry()
{
    for (Collection* c : collections()) {
        std::unique_ptr<VideoEntry> first;
        int bare = 0;
        figure("first download entry", *c, [&]() { first.reset(c->repository->getFirstDownloadEntry()); },
               [&]() {
                   bare = bareRows(c->bareDb(),
                                   ENTRY_COLUMNS
                                       + QStringLiteral("from favorite f indexed by favorite_queued"
                                                        " join video_entry v on v.id = f.video_entry_id"
                                                        " where f.playlist_id = 1 and f.video_link = 0 and f.download_state <> 1"
                                                        " and f.download_state = 0 order by f.sort_id limit 1"));
               });
        QVERIFY(first);
        QCOMPARE(first->getVideoId(), collectionVideoId(0));
        QCOMPARE(bare, 1);
    }
}

// The three flags of a video, read for every row a result list shows.
void BenchRepository::videoFlags()
{
    for (Collection* c : collections()) {
        RepVideoStatus status;
        const QString id = collectionVideoId(c->favorites / 2 + 5); // a stored copy
        int bare = 0;
        figure("flags of a video", *c, [&]() { c->repository->getVideoStatus(id, status); },
               [&]() {
                   bare = bareRows(c->bareDb(), QStringLiteral("select ") + VIDEO_FLAGS
                                                    + QStringLiteral("from video_entry v where v.video_id = ?"),
                                   {id});
               });
        QVERIFY(status.storedFavorite);
        QVERIFY(!status.linkFavorite);
        QCOMPARE(bare, 1);
    }
}

void BenchRepository::reorder_data()
{
    QTest::addColumn<int>("rows");       // rows between the two positions, or
    QTest::addColumn<double>("fraction"); // that part of the list
    QTest::newRow("by a screenful") << 5 << 0.0;
    // The most that shift: half the list, on either side.
    QTest::newRow("across half the list") << 0 << 0.5;
    QTest::newRow("bottom to top") << 0 << 1.0;
}

// A favourite of "All local favorites" dragged up to the top, then back. The bare side
// runs the least SQL that leaves the same rows (bareMove).
void BenchRepository::reorder()
{
    QFETCH(int, rows);
    QFETCH(double, fraction);
    for (Collection* c : collections()) {
        const int n = c->favorites;
        const int from = rows > 0 ? n - rows : qMax(1, n - int(n * fraction));
        VideoListModel model(c->repository.get());
        PlayListCursor at{from, INT_MAX};
        QCOMPARE(c->repository->getPlayListEntries(ePlayListIdAllFavorites, &model, 1, at), 0);
        VideoEntry* dragged = model.entryAt(0);
        QCOMPARE(dragged->getSortId(), from);
        bool up = true;
        bool bareUp = true;
        int results = 0;
        figure(rows > 0 ? "reorder by a screenful" : fraction < 1 ? "reorder across half the list" : "reorder, bottom to top or back", *c,
               [&]() {
                   results += c->repository->updatePlayListOrder(1, dragged, up ? n : from, !up);
                   up = !up;
               },
               [&]() {
                   results += bareMove(c->bareDb(), ePlayListIdAllFavorites, bareUp ? from : n, bareUp ? n : from, n)
                       ? 0
                       : 1;
                   bareUp = !bareUp;
               });
        QCOMPARE(results, 0);
        QCOMPARE(dragged->getSortId(), up ? from : n);
        QCOMPARE(positionsOfAllFavorites(c->bareDb()), QList<int>({n, n, 1, n}));
        QCOMPARE(brokenPlayLists(c->bareDb()), 0);
    }
}

void BenchRepository::removeAFavorite_data()
{
    QTest::addColumn<double>("depth"); // where the removed favourite is, from the bottom
    QTest::newRow("the oldest") << 0.0;
    QTest::newRow("half-way") << 0.5;
}

// A favourite of "All local favorites" goes, from its playlist too: in each, the rows
// above it move down one, or the fewer rows below it move up. The bare side runs the
// least SQL that leaves the same rows (bareRemove).
void BenchRepository::removeAFavorite()
{
    QFETCH(double, depth);
    for (Collection* c : collections()) {
        int results = 0;
        auto positionToRemove = [&]() { return qMax(1, int(c->favorites * depth)); };
        figure(depth > 0 ? "remove a favourite half-way" : "remove the oldest favourite", *c,
               [&]() {
                   VideoListModel model(c->repository.get());
                   PlayListCursor at{positionToRemove(), INT_MAX};
                   c->repository->getPlayListEntries(ePlayListIdAllFavorites, &model, 1, at);
                   results += model.rowCount() == 1 ? c->repository->removeFavorite(model.entryAt(0), ePlayListIdAllFavorites) : 1;
                   --c->favorites;
               },
               [&]() {
                   results += bareRemove(c->bareDb(), positionToRemove()) ? 0 : 1;
                   --c->favorites;
               });
        QCOMPARE(results, 0);
        std::unique_ptr<VideoEntry> top(c->repository->getFirstPlayListsEntry(1));
        QCOMPARE(top->getSortId(), c->favorites);
        const int n = c->favorites;
        QCOMPARE(positionsOfAllFavorites(c->bareDb()), QList<int>({n, n, 1, n}));
        QCOMPARE(brokenPlayLists(c->bareDb()), 0);
    }
}

void BenchRepository::addAFavorite()
{
    for (Collection* c : collections()) {
        int results = 0;
        figure("add a favourite", *c,
               [&]() {
                   VideoEntry video;
                   video.setVideoId(QStringLiteral("added%1").arg(myAdded++));
                   video.setName(QStringLiteral("An added video"));
                   results += c->repository->addFavorite(&video, true);
               },
               [&]() {
                   const QString id = QStringLiteral("added%1").arg(myAdded++);
                   results += bareWrite(c->bareDb(),
                                        {QStringLiteral("insert into video_entry (video_id, name) values (?, ?)"),
                                         QStringLiteral("insert into favorite (playlist_id, video_entry_id, sort_id, video_link)"
                                                        " values (1, (select id from video_entry where video_id = ?),"
                                                        " (select max(sort_id) + 1 from favorite where playlist_id = 1), 1)")},
                                        {{id, QStringLiteral("An added video")}, {id}})
                       ? 0
                       : 1;
               });
        QCOMPARE(results, 0);
        c->favorites += 2 * PAIRS;
        PlayListModel model(c->repository.get());
        bool collapsed[2] = {false, false};
        QCOMPARE(c->repository->getPlayLists(&model, collapsed), 0);
        QCOMPARE(model.getPlayListById(ePlayListIdAllFavorites)->getCount(), c->favorites);
    }
}

QTEST_MAIN(BenchRepository)
#include "bench_repository.moc"
