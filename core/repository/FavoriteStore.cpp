#include "core/repository/FavoriteStore.h"
#include "core/repository/PlayListPositions.h"
#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/repository/RepositoryDatabase.h"
#include "core/repository/RepositoryRows.h"
#include "core/repository/StoredFiles.h"

#include <QSqlQuery>

namespace {

const QString ENTRY_FROM = QStringLiteral("from favorite f join video_entry v on v.id = f.video_entry_id ");
// The download queue is the stored copies of "All local favorites" that are not on
// the card yet (queued or invalid); its rows are read through the index that holds
// only them (the filter is spelled out as the index's own condition).
const QString QUEUE_FROM =
    QStringLiteral("from favorite f indexed by favorite_queued join video_entry v on v.id = f.video_entry_id ");
const QString QUEUE_FILTER = QStringLiteral("where f.playlist_id = 1 and f.video_link = 0 and f.download_state <> 1 ");
// Shown order of a playlist; the favourite id orders equal SORT_IDs, so that a page
// read goes on exactly where the one before it ended.
const QString SHOWN_ORDER = QStringLiteral("order by f.sort_id desc, f.id desc ");
// The entries shown after the cursor's entry, bound with its key twice and its
// favourite id; the first comparison lets the index start the page at the cursor
// instead of at the top.
const QString AFTER_CURSOR = QStringLiteral("and f.sort_id <= ? and (f.sort_id < ? or f.id < ?) ");

} // namespace

FavoriteStore::Rows FavoriteStore::rowsOf(int playListId)
{
    if (playListId == ePlayListIdDownloadQueue)
        return {QUEUE_FROM + QUEUE_FILTER, {}, int(ePlayListIdAllFavorites)};
    return {ENTRY_FROM + QStringLiteral("where f.playlist_id = ? "), {playListId}, playListId};
}

int FavoriteStore::addFavorite(VideoEntry* entry, bool asLink, bool& queued)
{
    queued = false;
    if (!entry || entry->getVideoId().isEmpty() || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::addFavorite()";
    FavoriteRow row;
    row.link = asLink ? 1 : 0;
    {
        Transaction transaction(myDatabase, caller);
        if (!transaction.isActive())
            return eRepFailure;
        const int videoRow = upsertVideo(myDatabase, entry);
        bool found = false;
        if (videoRow < 0 || !readFavoriteRow(myDatabase, ePlayListIdAllFavorites, videoRow, row, found, caller))
            return eRepFailure;
        if (found) {
            // One favourite per video. A stored copy covers a link; asking for a stored
            // copy of a link, or again for one that could not be downloaded, queues it.
            if (!asLink && (row.link == 1 || row.state == eDownloadInvalid)) {
                if (!myDatabase.exec(QStringLiteral("update favorite set video_link = 0, download_state = 0"
                                                    " where video_entry_id = ? and (playlist_id = ? or video_link = 1)"),
                                     {videoRow, int(ePlayListIdAllFavorites)}, caller))
                    return eRepFailure;
                row.link = 0;
                row.state = eDownloadQueued;
                queued = true;
            }
        } else {
            if (!PlayListPositions(myDatabase).nextPosition(ePlayListIdAllFavorites, row.sortId, caller)
                || !insertFavoriteRow(myDatabase, ePlayListIdAllFavorites, videoRow, row, QString(), caller))
                return eRepFailure;
            queued = !asLink;
        }
        if (!transaction.commit()) {
            queued = false;
            return eRepFailure;
        }
    }
    writeFavoriteRow(entry, ePlayListIdAllFavorites, row);
    updateVideoStatus(entry);
    return eRepOk;
}

int FavoriteStore::addVideoToPlayList(VideoEntry* entry, int playListId, bool& queued)
{
    queued = false;
    if (!entry || entry->getVideoId().isEmpty() || !myDatabase.isUsable())
        return eRepFailure;
    if (playListId == ePlayListIdAllFavorites)
        return addFavorite(entry, entry->getVideoLink() == 1, queued);
    if (playListId == ePlayListIdDownloadQueue)
        return addFavorite(entry, false, queued);
    const char* caller = "Repository::addVideoToPlayList()";
    bool ok = false;
    const int type = myDatabase.scalar(QStringLiteral("select type from playlist where id = ?"), {playListId}, -1,
                                       caller, &ok);
    if (!ok)
        return eRepFailure;
    if (type < 0)
        return eRepNotFound;
    if (type == ePlayListLocalFolder || type == ePlayListAccountFolder)
        return eRepFailure; // folders hold playlists, not videos
    FavoriteRow row;
    {
        Transaction transaction(myDatabase, caller);
        if (!transaction.isActive())
            return eRepFailure;
        const int videoRow = upsertVideo(myDatabase, entry);
        bool found = false;
        if (videoRow < 0 || !readFavoriteRow(myDatabase, playListId, videoRow, row, found, caller))
            return eRepFailure;
        if (!found) {
            if (!PlayListPositions(myDatabase).nextPosition(playListId, row.sortId, caller)
                || !readSharedState(myDatabase, videoRow, row, caller)
                || !insertFavoriteRow(myDatabase, playListId, videoRow, row, entry->getProviderEntryId(), caller))
                return eRepFailure;
        }
        if (!transaction.commit())
            return eRepFailure;
    }
    writeFavoriteRow(entry, playListId, row);
    return eRepOk;
}

int FavoriteStore::removeFavorite(VideoEntry* entry, int playListId)
{
    if (!entry || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::removeFavorite()";
    const int rowsList = rowsOf(playListId).playListId;
    // The row: the entry's own favourite when it belongs to the playlist, else the
    // playlist's row of the same video. Each lookup is one index seek.
    QSqlQuery find(myDatabase.connection());
    if (!myDatabase.run(find, QStringLiteral("select id, sort_id, video_entry_id from favorite where id = ? and playlist_id = ?"),
                        {entry->getFavoriteId(), rowsList}, caller))
        return eRepFailure;
    if (!find.next()) {
        if (!myDatabase.rowsEnded(find, caller)
            || !myDatabase.run(find, QStringLiteral("select id, sort_id, video_entry_id from favorite"
                                                    " where playlist_id = ? and video_entry_id ="
                                                    " (select id from video_entry where video_id = ?) limit 1"),
                               {rowsList, entry->getVideoId()}, caller))
            return eRepFailure;
        if (!find.next())
            return myDatabase.rowsEnded(find, caller) ? eRepNotFound : eRepFailure;
    }
    const int favoriteId = find.value(0).toInt();
    const qint64 sortKey = find.value(1).toLongLong();
    const int videoRow = find.value(2).toInt();
    find.finish();

    if (rowsList == ePlayListIdAllFavorites) {
        const int result = removeWholeFavorite(videoRow);
        if (result == eRepOk) {
            entry->setStoredFavorite(false);
            entry->setLinkFavorite(false);
            entry->setFavoriteId(0);
        }
        return result;
    }
    Transaction transaction(myDatabase, caller);
    const bool ok = transaction.isActive()
        && myDatabase.exec(QStringLiteral("delete from favorite where id = ?"), {favoriteId}, caller)
        && PlayListPositions(myDatabase).closeGap(rowsList, sortKey, caller) && transaction.commit();
    return ok ? eRepOk : eRepFailure;
}

// Gone from every local playlist with its stored files; rows of the account's
// playlists stay, as links. One transaction; the files go once it is committed.
int FavoriteStore::removeWholeFavorite(int videoRow)
{
    const char* caller = "Repository::removeFavorite()";
    QStringList files;
    {
        Transaction transaction(myDatabase, caller);
        // The files first: the video's row goes with its last favourite.
        if (!transaction.isActive() || !myFiles.forgetFiles(videoRow, files))
            return eRepFailure;
        // Gaps closed from the highest key down, so that the keys still to close are
        // not among those a closing shifts.
        QList<QPair<int, qint64>> removed;
        if (!myDatabase.readRows(QStringLiteral("select f.playlist_id, f.sort_id from favorite f"
                                                " join playlist p on p.id = f.playlist_id"
                                                " where f.video_entry_id = ? and p.vs_id = 0 order by f.sort_id desc"),
                                 {videoRow}, caller, [&removed](const QSqlQuery& q) {
                                     removed.append(qMakePair(q.value(0).toInt(), q.value(1).toLongLong()));
                                 })
            || !myDatabase.exec(QStringLiteral("delete from favorite where video_entry_id = ?"
                                            " and playlist_id in (select id from playlist where vs_id = 0)"),
                             {videoRow}, caller))
            return eRepFailure;
        PlayListPositions positions(myDatabase);
        for (const auto& row : removed)
            if (!positions.closeGap(row.first, row.second, caller))
                return eRepFailure;
        if (!myDatabase.exec(QStringLiteral("update favorite set video_link = 1 where video_entry_id = ?"), {videoRow}, caller)
            || !transaction.commit())
            return eRepFailure;
    }
    StoredFiles::deleteFiles(files);
    return eRepOk;
}

int FavoriteStore::getPlayListEntries(int playListId, VideoListModel* model)
{
    if (!model || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::getPlayListEntries()";
    const Rows rows = rowsOf(playListId);
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, ENTRY_COLUMNS + rows.filter + SHOWN_ORDER, rows.values, caller))
        return eRepFailure;
    bool ok = false;
    model->addEntries(readEntries(myDatabase, query, caller, &ok));
    return ok ? eRepOk : eRepFailure;
}

int FavoriteStore::getPlayListEntries(int playListId, VideoListModel* model, int limit, PlayListCursor& cursor)
{
    if (!model || !myDatabase.isUsable() || limit < 0)
        return eRepFailure;
    if (limit == 0)
        return eRepOk;
    const char* caller = "Repository::getPlayListEntries(page)";
    const Rows rows = rowsOf(playListId);
    qint64 base = 0;
    if (!PlayListPositions(myDatabase).base(rows.playListId, base, caller))
        return eRepFailure;
    const qint64 cursorKey = cursor.sortId + base;
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, ENTRY_COLUMNS + rows.filter + AFTER_CURSOR + SHOWN_ORDER + QStringLiteral("limit ?"),
                        rows.values + QVariantList{cursorKey, cursorKey, cursor.favoriteId, limit}, caller))
        return eRepFailure;
    bool ok = false;
    const QList<VideoEntry*> entries = readEntries(myDatabase, query, caller, &ok);
    if (!entries.isEmpty()) {
        cursor.sortId = entries.last()->getSortId();
        cursor.favoriteId = entries.last()->getFavoriteId();
    }
    model->addEntries(entries);
    return ok ? eRepOk : eRepFailure;
}

// The entry moves next to the target (above it, or below it when afterLast); the
// rows between the two positions, or the fewer rows outside them, shift by one.
int FavoriteStore::updatePlayListOrder(int playListId, VideoEntry* entry, int targetSortId, bool afterLast)
{
    if (!entry || !myDatabase.isUsable())
        return eRepFailure;
    int position = 0;
    const int result = PlayListPositions(myDatabase).move(rowsOf(playListId).playListId, entry->getFavoriteId(),
                                                          targetSortId, afterLast, position);
    if (result == eRepOk)
        entry->setSortId(position);
    return result;
}

VideoEntry* FavoriteStore::queryOneEntry(const QString& condition, const QString& order, const QVariantList& values)
{
    if (!myDatabase.isUsable())
        return nullptr;
    const char* caller = "Repository::queryOneEntry()";
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, ENTRY_COLUMNS + condition + order + QStringLiteral(" limit 1"), values, caller))
        return nullptr;
    if (query.next())
        return readEntry(query);
    myDatabase.rowsEnded(query, caller);
    return nullptr;
}

VideoEntry* FavoriteStore::getFirstPlayListsEntry(int playListId)
{
    const Rows rows = rowsOf(playListId);
    return queryOneEntry(rows.filter, QStringLiteral("order by f.sort_id desc"), rows.values);
}

VideoEntry* FavoriteStore::getLastPlayListsEntry(int playListId)
{
    const Rows rows = rowsOf(playListId);
    return queryOneEntry(rows.filter, QStringLiteral("order by f.sort_id asc"), rows.values);
}

// The entry nearest to the favourite below it (lower SORT_ID, shown after it) or above it.
VideoEntry* FavoriteStore::getNeighbourEntry(int playListId, int favoriteId, bool below)
{
    const Rows rows = rowsOf(playListId);
    const QString side = below ? QStringLiteral("<") : QStringLiteral(">");
    return queryOneEntry(rows.filter + QStringLiteral("and f.sort_id ") + side
                             + QStringLiteral(" (select c.sort_id from favorite c where c.id = ? and c.playlist_id = ?) "),
                         below ? QStringLiteral("order by f.sort_id desc") : QStringLiteral("order by f.sort_id asc"),
                         rows.values + QVariantList{favoriteId, rows.playListId});
}

VideoEntry* FavoriteStore::getPlayListsEntryById(int playListId, int favoriteId)
{
    const Rows rows = rowsOf(playListId);
    return queryOneEntry(rows.filter + QStringLiteral("and f.id = ? "), QString(), rows.values + QVariantList{favoriteId});
}

VideoEntry* FavoriteStore::getFirstDownloadEntry()
{
    return queryOneEntry(QUEUE_FROM + QUEUE_FILTER + QStringLiteral("and f.download_state = 0 "),
                         QStringLiteral("order by f.sort_id asc"), {});
}

int FavoriteStore::getVideoStatus(const QString& videoId, RepVideoStatus& status)
{
    status = RepVideoStatus();
    if (!myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::getVideoStatus()";
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, QStringLiteral("select ") + VIDEO_FLAGS + QStringLiteral("from video_entry v where v.video_id = ?"),
                        {videoId}, caller))
        return eRepFailure;
    if (!query.next())
        return myDatabase.rowsEnded(query, caller) ? eRepNotFound : eRepFailure;
    status.storedFavorite = query.value(0).toBool();
    status.linkFavorite = query.value(1).toBool();
    status.inHistory = query.value(2).toBool();
    return eRepOk;
}

int FavoriteStore::updateVideoStatus(VideoEntry* entry)
{
    if (!entry)
        return eRepFailure;
    RepVideoStatus status;
    const int result = getVideoStatus(entry->getVideoId(), status);
    entry->setStoredFavorite(status.storedFavorite);
    entry->setInHistory(status.inHistory);
    entry->setLinkFavorite(status.linkFavorite);
    return result;
}
