#ifndef KRELVOX_REPOSITORY_H
#define KRELVOX_REPOSITORY_H

#include "core/StoragePaths.h"
#include "core/Types.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <climits>
#include <memory>

class AccountMirror;
class FavoriteStore;
class FileManager;
class HistoryStore;
class PlayList;
class PlayListModel;
class PlayListStore;
class RepositoryDatabase;
class SettingsManager;
class StoredFiles;
class VideoEntry;
class VideoListModel;

// Where a paged read of a playlist goes on: after the entry with this sort id and
// favourite id in shown order. A new cursor reads from the top; each page read moves
// it to the last entry read.
struct PlayListCursor
{
    int sortId = INT_MAX;
    int favoriteId = INT_MAX;
};

// The local store: the SQLite database of videos, playlists, favourites, viewing and
// search history ("krelvox_db.dat" in the application folder), plus the settings store
// and the media folders, which it owns. Every operation returns an int code
// (eRepositoryCode: 0 success, 1 failure, 2 not found, 6 name already used,
// 7 unsupported service id) or a new object the caller owns. Nothing throws and
// nothing raises a dialog.
//
// The front of a few parts (core/repository/): the schema and its migration, the
// playlists, the favourites with their paging, the stored files and the exit
// clean-up, the histories and the account mirror, all running their statements
// through one connection that reports every failure with its caller.
class Repository : public QObject
{
    Q_OBJECT
public:
    explicit Repository(QObject* parent = nullptr);             // StoragePaths::current()
    Repository(const StoragePaths& paths, QObject* parent = nullptr);
    ~Repository() override;

    // Opens the database, creating it (tables, triggers, fixed rows and the default
    // settings) when the file does not exist, and bringing a file of an earlier layout
    // up to date (in one transaction). With createNew the whole file is checked first:
    // one that cannot be used or is damaged is moved aside (to "<file>.broken") and a
    // fresh database is made; a sound one is kept with its favourites. Partial files
    // that a killed download left in the media folders are removed, and so are the
    // files of removed favourites that a run ended before deleting. 0 success, 1 when
    // the database cannot be used.
    int openDatabase(bool createNew = false);
    bool isDatabaseUsable() const;
    QString databaseFileName() const;
    // True once a statement failed because the file is damaged (databaseDamaged()
    // was emitted); the database stays in use for what can still be read.
    bool isDatabaseDamaged() const;

    FileManager* getFileManager() const { return myFileManager; }
    SettingsManager* getSettingsManager() const { return mySettingsManager; }
    // "thumbnails/" under the storage root (with its trailing "/"), "" without a file layer.
    QString getThumbnailFolder() const;

    // ---- Settings
    int getSetting(const QString& key, int& value) const;
    int getSetting(const QString& key, QString& value) const;
    // Refuses the built-in credential keys with 1. After a write emits
    // backgroundDownloadStatusChanged() for SETTING_BACKGROUND_DOWNLOADING_ENABLED and
    // settingChanged(key, value) for any other key.
    int setSetting(const QString& key, int value);
    int setSetting(const QString& key, const QString& value); // announces nothing
    int clearAccount();

    // ---- Playlists
    int getPlayLists(PlayListModel* model, bool collapsed[2]);
    int addPlayListCountsToModel(PlayListModel* model);
    int addDownloadCountsToModel(PlayListModel* model);
    // Inserts the playlist and writes its new id into it. 6 when a playlist of the
    // same service already has the name, 7 for a service id other than 0 or 1.
    int addPlayList(PlayList* playList);
    int removePlayList(int playListId);       // also removes its entries
    int renamePlayList(int playListId, const QString& name);
    int setPlayListDescription(int playListId, const QString& description);
    int touchPlayList(int playListId);        // latest_usage_date = now
    bool isPlayListNameFree(const QString& name, int serviceId);
    int getUserPlayListCount(int serviceId);  // playlists of type 4 (service 0) or 6 (service 1)
    // "Playlist N": the first N, counting up from the number of the user's playlists
    // of that service plus one, whose name is free.
    QString uniquePlayListName(int serviceId);
    PlayList* getPlayList(int playListId);    // new object or null
    // The account's folder row (type 3, service 1), created once; its id or -1.
    int addAccountPlayListFolder();
    // Every row of the account (its folder, Favorites and playlists) with their
    // entries: what was read from an account that is signed out.
    int removeAccountPlayLists();

    // ---- The account's playlists as read from the account (each in one transaction;
    // changed, when given, tells whether any row was written)
    // Mirrors the account's playlists, the PlayLists of the model matched by their
    // provider id, into the rows of type 6: new ones are added (the first of the
    // model shown first), changed ones take the account's name, description, update
    // date and privacy, rows whose playlist the account no longer has are removed with
    // their entries; rows with nothing new are left alone. The account's Favorites row
    // (type 5) is created the first time. A playlist's count (PlayList::getCount, -1
    // when the account did not say) is shown as its count while its stored entries
    // say otherwise, until they are read again.
    int syncAccountPlayLists(PlayListModel* model, bool* changed = nullptr);
    // Mirrors the entries of an account playlist (type 5 or 6) as the account lists
    // them, the model's first entry at the top, matched by the account's entry id
    // (kept in the provider field): new videos are added (as links unless the video
    // is a stored favourite), the order follows the account, entries it no longer
    // has are removed. Reading the account does not count as using the playlist.
    // 2 when the playlist is not there, 1 when it is not the account's.
    int syncAccountPlayListEntries(int playListId, VideoListModel* model, bool* changed = nullptr);

    // ---- Favourites and playlist entries
    // Adds the video to "All local favorites": as a link (VIDEO_LINK 1), or as a stored
    // copy, which queues it for download (DOWNLOAD_STATE 0) and emits downloadEntryAdded().
    // Writes the favourite id and sort id into the entry.
    int addFavorite(VideoEntry* entry, bool asLink);
    // Adds an entry (a favourite or a video) to a playlist at its top position.
    int addVideoToPlayList(VideoEntry* entry, int playListId);
    // Removes the entry from the playlist; from "All local favorites" (1) it removes the
    // favourite everywhere and deletes its stored files (a partial download too) once
    // the removal is committed. A video row that nothing refers to any more goes with it.
    int removeFavorite(VideoEntry* entry, int playListId);
    // Fills the model with the playlist's entries, first shown first (highest SORT_ID,
    // of equal SORT_IDs the higher favourite id); playlist 2 gives the download queue
    // (queued and invalid stored copies).
    int getPlayListEntries(int playListId, VideoListModel* model);
    // The next page of the same list: appends at most limit entries that are shown
    // after the cursor's entry (as one block) and moves the cursor to the last one.
    // A page shorter than limit is the end of the list.
    int getPlayListEntries(int playListId, VideoListModel* model, int limit, PlayListCursor& cursor);
    // Moves the entry next to the entry with targetSortId: above it, or below it when
    // afterLast. The rows between the two positions, or the fewer rows outside them,
    // shift by one; the positions stay 1..N.
    int updatePlayListOrder(int playListId, VideoEntry* entry, int targetSortId, bool afterLast);

    VideoEntry* getFirstPlayListsEntry(int playListId);
    VideoEntry* getLastPlayListsEntry(int playListId);
    VideoEntry* getNextPlayListsEntry(int playListId, int favoriteId);
    VideoEntry* getPreviousPlayListsEntry(int playListId, int favoriteId);
    VideoEntry* getPlayListsEntryById(int playListId, int favoriteId);

    int resolveVideoFilePath(VideoEntry* entry);
    VideoEntry* getFirstDownloadEntry();
    int getDownloadQueueCount();
    // Moves a finished download's video file (from favorites/videos/, queue/ or
    // videos/) and its thumbnail into the favourites folders and marks every stored-copy
    // row of the video stored (DOWNLOAD_STATE 1, file and size). When no video file is
    // there the entry is marked invalid instead and 1 is returned, so the queue moves on.
    // 2 when the video has no stored-copy favourite any more (removed while it was
    // fetched): nothing is moved.
    int storeDownloadedEntry(VideoEntry* entry);
    // DOWNLOAD_STATE 2 and file size 0 for every stored-copy row of the video.
    int markEntryInvalid(VideoEntry* entry);

    // The three flags of a video; also written into the entry by updateVideoStatus.
    int getVideoStatus(const QString& videoId, RepVideoStatus& status);
    int updateVideoStatus(VideoEntry* entry);

    // ---- Viewing history (trimmed to SETTING_AMOUNT_OF_RESULTS rows)
    int addToHistory(VideoEntry* entry);
    int getHistory(VideoListModel* model);
    int deleteAllHistoryEntries();
    QString getMostViewedVideo();            // title of the most viewed video, "" when none

    // ---- Search history
    int addSearchHistory(const QString& text);
    int getSearchHistory(QStringList& texts); // most recent first
    int clearSearchHistory();
    int getSearchCount();                    // searches made in all
    QString getMostSearched();               // "" when none

    // ---- Exit: moves finished queued favourites (their video file waits in queue/)
    // into the favourites folders and empties thumbnails/, videos/ and queue/. (A video
    // row goes with the last favourite or history row that refers to it.)
    int exitCleanup();

Q_SIGNALS:
    void backgroundDownloadStatusChanged();
    void downloadEntryAdded();
    void settingChanged(const QString& key, int value);
    // A statement failed because the database file is damaged: emitted once, the
    // first time, so that the user hears of it once.
    void databaseDamaged();

private:
    StoragePaths myPaths;
    SettingsManager* mySettingsManager = nullptr;
    FileManager* myFileManager = nullptr;
    std::unique_ptr<RepositoryDatabase> myDatabase;
    std::unique_ptr<PlayListStore> myPlayLists;
    std::unique_ptr<StoredFiles> myStoredFiles;
    std::unique_ptr<FavoriteStore> myFavorites;
    std::unique_ptr<HistoryStore> myHistory;
    std::unique_ptr<AccountMirror> myAccountMirror;
};

#endif
