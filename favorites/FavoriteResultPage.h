#ifndef KRELVOX_FAVORITERESULTPAGE_H
#define KRELVOX_FAVORITERESULTPAGE_H

#include "shell/PageBase.h"

#include <QPoint>
#include <QString>

class BackButton;
class FavoriteItemDelegate;
class FavoriteSweepList;
class FocusManager;
class PageHistory;
class PlayList;
class PlayListDelegate;
class PlayListModel;
class PlayListSweepList;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QStackedWidget;
class Repository;
class UserPrompt;
class VideoEntry;
class VideoListModel;

// The favourites page: the playlist tree on the left, the entries of the selected
// playlist on the right, and a row of buttons. Favourites and playlists are dragged
// between the lists and onto the trash; the page turns drops, button presses and the
// name field into requests (the vs* signals) that its controller hands to the video
// service's command queue.
// Its drag and drop handling is in FavoriteResultPageDrops.cpp, its keys and focus
// ring in FavoriteResultPageKeys.cpp. Its models exist from the start, its widgets are
// built when it is first shown or used.
class FavoriteResultPage : public PageBase
{
    Q_OBJECT
public:
    // Pages of the two button stacks.
    enum ePlayListButton { eNewPlayListButton = 0, eRenameButton = 1, eSaveNameButton = 2 };
    enum eActionButton { ePlayButton = 0, eDownloadSwitchButton = 1 };

    FavoriteResultPage(QWidget* parent, Repository& repository, PageHistory& history);
    ~FavoriteResultPage() override;

    PlayListModel* getPlayListModel() const { return myPlayListModel; }
    VideoListModel* getFavoriteModel() const { return myFavoriteModel; }
    // The models beside the shown ones, which the account's reads fill.
    PlayListModel* getSparePlayListModel() const { return mySparePlayListModel; }
    VideoListModel* getSpareFavoriteModel() const { return mySpareFavoriteModel; }
    PlayListSweepList* getPlayListView() const { ensureBuilt(); return myPlayListView; }
    FavoriteSweepList* getFavoriteView() const { ensureBuilt(); return myFavoriteView; }
    FavoriteItemDelegate* getFavoriteDelegate() const { ensureBuilt(); return myFavoriteDelegate; }
    BackButton* getBackButton() const { ensureBuilt(); return myBackButton; }
    QStackedWidget* getPlayListButtons() const { ensureBuilt(); return myPlayListButtons; }
    QStackedWidget* getActionButtons() const { ensureBuilt(); return myActionButtons; }
    QPushButton* getPlayListButton(ePlayListButton which) const;
    QPushButton* getActionButton(eActionButton which) const;
    QPushButton* getTrashButton() const { ensureBuilt(); return myTrashButton; }
    QPushButton* getSearchButton() const { ensureBuilt(); return mySearchButton; }
    QLineEdit* getNameField() const { ensureBuilt(); return myNameField; }
    FocusManager* getFocusManager() const { ensureBuilt(); return myFocusManager; }

    // Delegate modes (favourite rows, download rows or empty message) and the type of
    // the playlist shown; then the buttons follow.
    void setListModes(int favouriteMode, int playListType);
    // Makes that playlist's row current, or the first row when it is not there, and
    // scrolls it into view.
    void selectPlayListById(int playListId);
    // Scrolls the playlist list as far as the current row needs to be seen.
    void keepCurrentPlayListInView();
    // Scrolls the folder of the service (0 device, 1 account) and as many of its
    // playlists as fit into view.
    void revealFolder(int serviceId);
    // The playlist of the current row, null when none.
    PlayList* getSelectedPlayList() const;
    // The id of the playlist whose entries were last asked for (1 before any).
    int getShownPlayListId() const { return myShownPlayListId; }
    // The entry of the favourite list's current row when it is a real entry.
    VideoEntry* getSelectedFavorite() const;

    // The playlist row under a point of the page (or of the list's viewport).
    PlayList* mousePointerPlayList(QPoint point, bool inViewport);
    void setDragDropPlaylist(PlayList* playList) { myDragDropPlaylist = playList; }
    PlayList* getDragDropPlaylist() const { return myDragDropPlaylist; }
    void setDragDropFavorite(VideoEntry* entry) { myDragDropFavorite = entry; }
    VideoEntry* getDragDropFavorite() const { return myDragDropFavorite; }
    // While dragging only the trash button is usable (and the lists).
    void setDragMode(bool dragging, const QString& mimeType);
    // True when the download queue is shown and the entry is the one being fetched.
    bool isDownloading(VideoEntry* entry) const;
    void clearDropIndicator();
    int getPlayListType() const;
    QWidget* dropWidgetAt(QPoint point) const;

    // True when the playlists of that service may be changed now: always for the
    // device, for the account only while it is signed in (else accountNeeded()).
    bool checkPlayListEditingOk(int serviceId);
    // Confirmations before a playlist or a favourite is removed.
    void askRemovePlayList(PlayList* playList);
    void askRemoveFavorite(VideoEntry* entry);

    void initFocusManager();

    // How the page's questions and notices reach the user (the program's prompt, which
    // runs without dialogs when nobody is at the screen); the plain dialogs until set.
    void setPrompt(UserPrompt* prompt);

public Q_SLOTS:
    void addToPageHistory() override;
    void setPageFocus() override;
    void setDownloadProgress(double percent, const QString& videoId);
    // The background download broke off: nothing is fetched until the queue is
    // started again (the switch offers to start it).
    void backgroundDownloadStopped();
    void slotPlayListFolderOpenToggle(PlayList* playList);
    void leftKeyPressed();
    void rightKeyPressed();

Q_SIGNALS:
    // To the controller.
    void playListSelected(PlayList* playList);
    void playListsChanged();
    void createPlayList();
    void playVideo(int playListId, int favoriteId);
    void authorVideosRequested(const QString& author);
    void searchRequested();
    void accountNeeded();
    void vsLocalizePlayList(PlayList* playList);
    void vsExternalizePlayList(PlayList* playList, int targetServiceId);
    void vsAddVideoToPlayList(const QString& videoId, VideoEntry* entry, PlayList* target);
    void vsAddVideoToYouTubeFavorites(const QString& videoId, VideoEntry* entry, PlayList* target);
    void vsUpdatePlayListOrder(PlayList* playList, VideoEntry* entry, int sortId, bool afterLast, int rowCount,
                               int playListType);
    void vsRemovePlayList(PlayList* playList);
    void vsRemoveVideoFromPlayList(PlayList* playList, VideoEntry* entry);
    void vsRemoveVideoFromYouTubeFavorites(PlayList* playList, VideoEntry* entry);
    void vsRenamePlayList(PlayList* playList, const QString& name);

protected:
    void buildPage() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void playListClicked(const QModelIndex& index);
    void playlistSelectionCleared();
    void videoDoubleClicked(const QModelIndex& index);
    void authorLinkClicked(const QModelIndex& index);
    void favoriteItemSelected();
    void favoriteItemSelectionCleared();
    void newPlayListClicked();
    void renameClicked();
    void saveName();
    void playClicked();
    void downloadSwitchClicked();
    void trashClicked();
    void searchClicked();
    void backgroundDownloadStatusChanged();
    void favoritesAboutToBeReset();
    void playListsAboutToBeReset();

private:
    void buildLayout();
    void updateButtons();
    // Repaints the rows of the video that are on screen.
    void repaintRowOf(const QString& videoId);
    void closeNameField();
    void dropPlayList(QWidget* target, QPoint position);
    void dropFavorite(QWidget* target, QPoint position);
    UserPrompt& prompt();
    void showNotice(const QString& text);
    bool ask(const QString& title, const QString& text);
    // The selected playlist, its row scrolled into view first: the buttons act on
    // the row the user sees selected.
    PlayList* shownSelectedPlayList();
    bool backgroundDownloadingEnabled() const;
    // Switched on and not stopped by a failure: the queue is being worked off.
    bool backgroundDownloadRunning() const;
    // The shown entry with that favourite id and video, read on until found; null
    // when the list does not have it.
    VideoEntry* findFavorite(int favoriteId, const QString& videoId);
    // The number of entries of the shown playlist, also those not read yet.
    int shownRowCount(const PlayList* shown) const;

    Repository& myRepository;
    PageHistory& myHistory;

    PlayListSweepList* myPlayListView = nullptr;
    FavoriteSweepList* myFavoriteView = nullptr;
    FavoriteItemDelegate* myFavoriteDelegate = nullptr;
    PlayListDelegate* myPlayListDelegate = nullptr;
    VideoListModel* myFavoriteModel = nullptr;
    PlayListModel* myPlayListModel = nullptr;
    // Spare models beside the shown ones.
    PlayListModel* mySparePlayListModel = nullptr;
    VideoListModel* mySpareFavoriteModel = nullptr;

    UserPrompt* myPrompt = nullptr;
    BackButton* myBackButton = nullptr;
    QStackedWidget* myPlayListButtons = nullptr;
    QStackedWidget* myActionButtons = nullptr;
    QLineEdit* myNameField = nullptr;
    QPushButton* myTrashButton = nullptr;
    QPushButton* mySearchButton = nullptr;
    FocusManager* myFocusManager = nullptr;

    PlayList* myDragDropPlaylist = nullptr;
    VideoEntry* myDragDropFavorite = nullptr;
    QString myDownloadVideoId;
    double myDownloadPercent = 0;
    // The last background download broke off and nothing has been started since.
    bool myDownloadStopped = false;
    int myShownPlayListId = 1;
    bool myEditingName = false;
    int myRenamedPlayListId = 0;   // the playlist the name field was opened for
};

#endif
