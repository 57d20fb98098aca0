#ifndef KRELVOX_BENCHCOLLECTION_H
#define KRELVOX_BENCHCOLLECTION_H

#include "core/Repository.h"
#include "core/StoragePaths.h"
#include "core/Types.h"
#include "core/constants/Paths.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

// The video id of the collection's i-th video.
inline QString collectionVideoId(int i)
{
    return QStringLiteral("video%1").arg(i, 6, 10, QLatin1Char('0'));
}

// A favourites collection written into a database file of the current layout, the
// way the repository writes it, in one transaction on a connection of its own:
// playLists local playlists, and favorites videos, each a favourite in "All local
// favorites" (sort positions 1..N, the newest highest) and in one playlist (spread
// round the playlists). A fifth are stored copies, one in ten of those still queued,
// so the download queue is sparse; the rest are links. The triggers keep the
// playlists' counts. Returns the playlists' ids, empty when a write failed.
inline QList<int> fillCollection(const QString& databaseFile, int favorites, int playLists)
{
    QList<int> ids;
    const QString name = QStringLiteral("bench_fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(DATABASE_DRIVER, name);
        db.setDatabaseName(databaseFile);
        if (!db.open() || !db.transaction())
            return {};
        QSqlQuery playList(db);
        playList.prepare(QStringLiteral("insert into playlist (vs_id, type, name, latest_usage_date) values (?, ?, ?, ?)"));
        for (int p = 0; p < playLists; ++p) {
            playList.addBindValue(int(eLocalService));
            playList.addBindValue(int(ePlayListLocal));
            playList.addBindValue(QStringLiteral("Playlist %1").arg(p + 1));
            playList.addBindValue(1000 + p);
            if (!playList.exec())
                return {};
            ids << playList.lastInsertId().toInt();
        }
        QSqlQuery video(db);
        video.prepare(QStringLiteral("insert into video_entry (video_id, name, description, author, length, rating)"
                                     " values (?, ?, ?, ?, ?, ?)"));
        QSqlQuery favorite(db);
        favorite.prepare(QStringLiteral("insert into favorite (playlist_id, video_entry_id, sort_id, download_state,"
                                        " video_link) values (?, ?, ?, ?, ?)"));
        const QString description = QStringLiteral("Some description text of the video. ").repeated(5);
        for (int i = 0; i < favorites; ++i) {
            video.addBindValue(collectionVideoId(i));
            video.addBindValue(QStringLiteral("A video title number %1 that is about as long as they are").arg(i));
            video.addBindValue(description);
            video.addBindValue(QStringLiteral("author%1").arg(i % 300));
            video.addBindValue(double(30 + i % 600));
            video.addBindValue(QStringLiteral("4.%1").arg(i % 10));
            if (!video.exec()) {
                std::fprintf(stderr, "fillCollection: %s\n", qPrintable(video.lastError().text()));
                return {};
            }
            const int videoRow = video.lastInsertId().toInt();
            const bool stored = i % 5 == 0;
            const int state = stored && i % 50 != 0 ? int(eDownloadStored) : int(eDownloadQueued);
            const QList<QPair<int, int>> rows = {{int(ePlayListIdAllFavorites), i + 1},
                                                 {ids.at(i % playLists), i / playLists + 1}};
            for (const auto& row : rows) {
                favorite.addBindValue(row.first);
                favorite.addBindValue(videoRow);
                favorite.addBindValue(row.second);
                favorite.addBindValue(state);
                favorite.addBindValue(stored ? 0 : 1);
                if (!favorite.exec())
                    return {};
            }
        }
        if (!db.commit())
            return {};
    }
    QSqlDatabase::removeDatabase(name);
    return ids;
}

// The sizes the collection benchmarks run at: 10,000 favourites in 200 playlists and
// 100,000 in 1,000 (the columns "favorites" and "playLists" of a _data function).
inline void addCollectionSizes()
{
    QTest::addColumn<int>("favorites");
    QTest::addColumn<int>("playLists");
    QTest::newRow("10,000 favourites") << 10000 << 200;
    QTest::newRow("100,000 favourites") << 100000 << 1000;
}

// Every row of a bare query on the connection, each column read, as the work a
// caller of it would do; -1 when it failed.
inline int bareRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return -1;
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return -1;
    int rows = 0;
    const int columns = query.record().count();
    while (query.next()) {
        for (int i = 0; i < columns; ++i)
            query.value(i);
        ++rows;
    }
    return rows;
}

// A collection in a database of its own in a temporary folder, with the repository
// on it and a bare connection to the same file for the baselines, which commits as
// the repository's own connection does (to the log, not synced each).
struct StoredCollection
{
    int favorites = 0; // favourites it holds
    QList<int> playLists;
    QTemporaryDir folder;
    std::unique_ptr<Repository> repository;
    QString bare; // the bare connection's name

    StoredCollection() = default;
    StoredCollection(const StoredCollection&) = delete;
    StoredCollection& operator=(const StoredCollection&) = delete;
    ~StoredCollection()
    {
        repository.reset();
        if (bare.isEmpty())
            return;
        QSqlDatabase::database(bare, false).close();
        QSqlDatabase::removeDatabase(bare);
    }

    // Opens the repository and fills the collection; false when that failed.
    bool fill(int favoriteCount, int playListCount)
    {
        StoragePaths paths;
        paths.storageRoot = folder.path() + QStringLiteral("/storage");
        paths.applicationFolder = folder.path() + QStringLiteral("/home/krelvox/");
        paths.settingsFile = folder.path() + QStringLiteral("/settings.conf");
        repository = std::make_unique<Repository>(paths);
        if (repository->openDatabase() != 0)
            return false;
        favorites = favoriteCount;
        playLists = fillCollection(repository->databaseFileName(), favoriteCount, playListCount);
        bare = QStringLiteral("bare_%1").arg(favoriteCount);
        QSqlDatabase db = QSqlDatabase::addDatabase(DATABASE_DRIVER, bare);
        db.setDatabaseName(repository->databaseFileName());
        return playLists.size() == playListCount && db.open()
            && QSqlQuery(db).exec(QStringLiteral("pragma synchronous = full"));
    }

    QSqlDatabase bareDb() const { return QSqlDatabase::database(bare, false); }
};

#endif
