#ifndef KRELVOX_PLAYLISTSTORE_H
#define KRELVOX_PLAYLISTSTORE_H

#include <QString>

class PlayList;
class PlayListModel;
class RepositoryDatabase;

// The PLAYLIST rows: the tree's query, the counts kept in them, adding, renaming,
// describing, using and removing playlists, and free names.
class PlayListStore
{
public:
    explicit PlayListStore(RepositoryDatabase& database) : myDatabase(database) {}

    int getPlayLists(PlayListModel* model, const bool collapsed[2]);
    int addPlayListCountsToModel(PlayListModel* model);
    int addDownloadCountsToModel(PlayListModel* model);
    int addPlayList(PlayList* playList);
    int removePlayList(int playListId);
    int renamePlayList(int playListId, const QString& name);
    int setPlayListDescription(int playListId, const QString& description);
    int touchPlayList(int playListId);
    bool isPlayListNameFree(const QString& name, int serviceId);
    int getUserPlayListCount(int serviceId);
    QString uniquePlayListName(int serviceId);
    PlayList* getPlayList(int playListId);
    int addAccountPlayListFolder();
    int removeAccountPlayLists();
    // The pending downloads of "All local favorites", as its row counts them.
    int getDownloadQueueCount();

    // Inserts a playlist row of the service and type with the playlist's texts, as
    // the most recently used one; its new id, or -1.
    static int insertPlayList(RepositoryDatabase& database, int serviceId, int type, const PlayList& playList,
                              const char* caller);

private:
    RepositoryDatabase& myDatabase;
};

#endif
