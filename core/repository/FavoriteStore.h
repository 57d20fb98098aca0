#ifndef KRELVOX_FAVORITESTORE_H
#define KRELVOX_FAVORITESTORE_H

#include "core/Types.h"

#include <QString>
#include <QVariantList>

class RepositoryDatabase;
class StoredFiles;
class VideoEntry;
class VideoListModel;
struct PlayListCursor;

// The FAVORITE rows: favourites and playlist entries added, removed and reordered,
// read whole, a page at a time or one by one, the download queue, and a video's flags.
// Sort positions run 1..N in every playlist; writes keep them so.
class FavoriteStore
{
public:
    FavoriteStore(RepositoryDatabase& database, StoredFiles& files) : myDatabase(database), myFiles(files) {}

    // queued: the favourite became a stored copy waiting for its download.
    int addFavorite(VideoEntry* entry, bool asLink, bool& queued);
    int addVideoToPlayList(VideoEntry* entry, int playListId, bool& queued);
    int removeFavorite(VideoEntry* entry, int playListId);
    int getPlayListEntries(int playListId, VideoListModel* model);
    int getPlayListEntries(int playListId, VideoListModel* model, int limit, PlayListCursor& cursor);
    int updatePlayListOrder(int playListId, VideoEntry* entry, int targetSortId, bool afterLast);

    VideoEntry* getFirstPlayListsEntry(int playListId);
    VideoEntry* getLastPlayListsEntry(int playListId);
    VideoEntry* getNeighbourEntry(int playListId, int favoriteId, bool below);
    VideoEntry* getPlayListsEntryById(int playListId, int favoriteId);
    VideoEntry* getFirstDownloadEntry();

    int getVideoStatus(const QString& videoId, RepVideoStatus& status);
    int updateVideoStatus(VideoEntry* entry);

private:
    // The rows shown for playListId and the values they are bound with.
    struct Rows
    {
        QString filter;       // "from ... where ... "
        QVariantList values;  // bound to the filter
        int playListId;       // the playlist whose FAVORITE rows they are
    };
    static Rows rowsOf(int playListId);
    VideoEntry* queryOneEntry(const QString& condition, const QString& order, const QVariantList& values);
    int removeWholeFavorite(int videoRow);

    RepositoryDatabase& myDatabase;
    StoredFiles& myFiles;
};

#endif
