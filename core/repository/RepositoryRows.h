#ifndef KRELVOX_REPOSITORYROWS_H
#define KRELVOX_REPOSITORYROWS_H

#include "core/Types.h"

#include <QList>
#include <QString>

class PlayList;
class QSqlQuery;
class RepositoryDatabase;
class VideoEntry;

// Rows that several parts of the repository read or write: a video's row, a video's
// row in a playlist, and the columns an entry or a playlist is read from.

// Milliseconds since the epoch, strictly increasing within the run, so that "most
// recent first" orders are exact even for writes in the same millisecond.
qint64 usageStamp();

// ---- Entries: a favourite row with its video and the video's three flags
// (stored copy among the favourites, link among them, in the viewing history).

// "exists (...), exists (...), exists (...) " over the video row v.
extern const QString VIDEO_FLAGS;
// "select <entry columns> " without a FROM: readers join their own rows as f and v.
extern const QString ENTRY_COLUMNS;
// ENTRY_COLUMNS from the favourite rows f joined with their videos v.
extern const QString ENTRY_SELECT;

VideoEntry* readEntry(const QSqlQuery& query);
// Every row of a query over ENTRY_COLUMNS, as new entries in the query's order; when
// reading breaks off, ok becomes false (the entries read so far are returned).
QList<VideoEntry*> readEntries(RepositoryDatabase& database, QSqlQuery& query, const char* caller, bool* ok);

// ---- Playlists
extern const QString PLAYLIST_COLUMNS;
PlayList* readPlayList(const QSqlQuery& query);

// ---- Videos
// The VIDEO_ENTRY row id of a service video id, 0 when there is none.
int videoRowId(RepositoryDatabase& database, const QString& videoId);
// Inserts the video, or refreshes what the service tells of it; the file columns of
// an existing row are kept (they are the card's business). Writes the row id into
// the entry and returns it, -1 on failure.
int upsertVideo(RepositoryDatabase& database, VideoEntry* entry);

// ---- A video's row in a playlist: its id, position and download state.
struct FavoriteRow
{
    int id = 0;
    int sortId = 0;
    int state = eDownloadQueued;
    int link = 1;
};

// Reads the video's row of the playlist into row when there is one (found); false
// when the query failed.
bool readFavoriteRow(RepositoryDatabase& database, int playListId, int videoRow, FavoriteRow& row, bool& found,
                     const char* caller);
// A video joins a playlist with the download state of its favourite; one that is
// no favourite joins as a link. False when the query failed.
bool readSharedState(RepositoryDatabase& database, int videoRow, FavoriteRow& row, const char* caller);
// Inserts the row at its sort position and writes its new id into it.
bool insertFavoriteRow(RepositoryDatabase& database, int playListId, int videoRow, FavoriteRow& row,
                       const QString& providerEntryId, const char* caller);
void writeFavoriteRow(VideoEntry* entry, int playListId, const FavoriteRow& row);

#endif
