#ifndef KRELVOX_FAVORITERESULTCONTROLLER_H
#define KRELVOX_FAVORITERESULTCONTROLLER_H

#include <QObject>
#include <QString>

class FavoriteResultPage;
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

private:
    void queue(const vsCmdStruct& command);
    void fillPlayLists();

    VideoServiceProvider* myService;
    Repository& myRepository;
    PageHistory& myHistory;
    FavoriteResultPage* myPage;
    // Counts the favourite-list loads, to tell whether a selection loaded the list.
    int myLoads = 0;
};

#endif
