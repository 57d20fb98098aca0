#ifndef KRELVOX_ACCOUNTMIRROR_H
#define KRELVOX_ACCOUNTMIRROR_H

class PlayListModel;
class RepositoryDatabase;
class VideoListModel;

// The account's playlists and their entries as read from the account, mirrored into
// the rows of service 1, each mirror in one transaction.
class AccountMirror
{
public:
    explicit AccountMirror(RepositoryDatabase& database) : myDatabase(database) {}

    int syncAccountPlayLists(PlayListModel* model, bool* changed);
    int syncAccountPlayListEntries(int playListId, VideoListModel* model, bool* changed);

private:
    RepositoryDatabase& myDatabase;
};

#endif
