#ifndef KRELVOX_BENCHCOLLECTION_H
#define KRELVOX_BENCHCOLLECTION_H

#include "core/Types.h"
#include "core/constants/Paths.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <cstdio>

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

#endif
