#ifndef KRELVOX_FAVORITERESULTCONTROLLER_H
#define KRELVOX_FAVORITERESULTCONTROLLER_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class FavoriteResultPage;
class QModelIndex;
class PageHistory;
class PageHistoryItem;
class PlayList;
class Repository;
class VideoEntry;
class VideoServiceProvider;
struct vsCmdStruct;

// Runs the favourites page: fills its playlist tree and the entries of the selected
// playlist from the repository, restores it from the page history, and turns the
// page's requests into commands of the video service's command queue. The lists are
// refilled whenever a command has finished.
//
// While an account is signed in it also reads the account: its playlists when the
// account folder is opened (or the page is shown with it open), and the entries of
// an account playlist when it is selected. The answers arrive in the page's spare
// models and are mirrored into the database; the lists show the database at once and
// are refilled when a mirror changed something. An answer to a read that a command
// may have overtaken (one was queued or still running) is not mirrored: the read is
// made again once the commands are done.
class FavoriteResultController : public QObject
{
    Q_OBJECT
public:
    // The page is made with the parent widget as its parent.
    FavoriteResultController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                             QWidget* parent);
    ~FavoriteResultController() override;

    FavoriteResultPage* getPage() const { return myPage; }

public Q_SLOTS:
    // Fills the favourite list with the playlist's entries (the queue for id 2).
    void playListSelected(PlayList* playList);
    // Refills both lists; with an item, selects and scrolls as the item says.
    void restoreHistoryPosition(PageHistoryItem* item);
    // Refills both lists keeping the selected playlist and the list positions.
    void refreshLists();
    // A new playlist in the folder of the selected row.
    void createPlaylist();

Q_SIGNALS:
    // Plays the playlist from the favourite (-1: from its first entry).
    void playListFromVideo(int playListId, int favoriteId);
    void authorVideosRequested(const QString& author);
    void searchRequested();
    void accountNeeded();

private Q_SLOTS:
    void localizePlayList(PlayList* playList);
    void externalizePlayList(PlayList* playList, int targetServiceId);
    void addVideoToPlayList(const QString& videoId, VideoEntry* entry, PlayList* target);
    void addVideoToYouTubeFavorites(const QString& videoId, VideoEntry* entry, PlayList* target);
    void updatePlayListOrder(PlayList* playList, VideoEntry* entry, int sortId, bool afterLast, int rowCount,
                             int playListType);
    void removePlayList(PlayList* playList);
    void removeVideoFromPlayList(PlayList* playList, VideoEntry* entry);
    void removeVideoFromYouTubeFavorites(PlayList* playList, VideoEntry* entry);
    void renamePlayList(PlayList* playList, const QString& name);
    void commandFinished(int cmdType, bool ok);
    void accountPlayListsFetched();
    void accountPlayListsFailed();
    void accountEntriesFetched(int playListId);
    void accountEntriesFailed(int playListId);
    // Rows whose picture is not on the card have it fetched.
    void fetchMissingThumbnails(const QModelIndex& parent, int first, int last);

private:
    void queue(const vsCmdStruct& command);
    // Queues adding the video to the target playlist (cmdType: to a playlist or to the
    // account's Favorites); nothing without an entry or a target.
    void queueAddVideo(int cmdType, const QString& videoId, VideoEntry* entry, PlayList* target);
    // revealRead: the account folder's rows that a read started here brings are
    // scrolled into view.
    void fillPlayLists(bool revealRead);
    bool isSignedIn() const;
    // The account folder is in the tree and open.
    bool isAccountFolderOpen() const;
    void readAccountPlayLists();
    void readAccountEntries(PlayList* playList);
    // Reads that came back overtaken by a command, once no command runs.
    void readAgainWhenIdle();
    // Reads the favourite list on (it is read a page at a time) until it has the row
    // and reaches down to the scroll position, and lays it out.
    void readFavoritesFor(int row, int scrollPosition);
    // Makes the playlist that a finished command created the current row.
    void selectCreatedPlayList(int cmdType, bool ok);

    VideoServiceProvider* myService;
    Repository& myRepository;
    PageHistory& myHistory;
    FavoriteResultPage* myPage;
    // Counts the favourite-list loads, to tell whether a selection loaded the list.
    int myLoads = 0;

    // Commands queued in all and those not finished yet.
    int myCommandsQueued = 0;
    int myCommandsPending = 0;
    // The account folder was open at the last fill.
    bool myAccountFolderOpen = false;
    // myCommandsQueued when the account's playlists were asked for; -1: no read runs.
    int myPlayListsReadAt = -1;
    bool myPlayListsReadAgain = false;
    // The running read of the account's playlists was started by opening its folder.
    bool myRevealReadPlayLists = false;
    // Per account playlist whose entries were asked for: myCommandsQueued then.
    QHash<int, int> myEntriesReadAt;
    bool myEntriesReadAgain = false;
    // The playlist whose entries the favourite list was last loaded with.
    int myListedPlayListId = 0;
    // Playlists that queued commands create (a new one, a copy), in queue order: the
    // command type, and the service and the name that the playlist gets (names are
    // unique within a service).
    struct CreatedPlayList
    {
        int cmdType;
        int serviceId;
        QString name;
    };
    QList<CreatedPlayList> myCreatedPlayLists;
};

#endif
