#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/FavoritesConstants.h"
#include "favorites/HistoryItemFavorites.h"
#include "favorites/PlayListSweepList.h"

#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "favorites/FavoritesLogging.h"
#include "favorites/FavoritesTexts.h"
#include "service/VideoServiceProvider.h"
#include "service/account/vsCmdStruct.h"
#include "shell/PageHistory.h"

#include <QDebug>
#include <QFileInfo>
#include <QScrollBar>

namespace {

// A command on a playlist and one of its videos; both are copied into it.
vsCmdStruct videoCommand(int cmdType, const PlayList& playList, const VideoEntry& entry)
{
    vsCmdStruct command;
    command.cmdType = cmdType;
    command.playList = playList;
    command.video = entry;
    return command;
}

} // namespace

FavoriteResultController::FavoriteResultController(VideoServiceProvider* service, Repository& repository,
                                                   PageHistory& history, QWidget* parent)
    : QObject(parent), myService(service), myRepository(repository), myHistory(history),
      myPage(new FavoriteResultPage(parent, repository, history))
{
    connect(myPage, &FavoriteResultPage::playListSelected, this, &FavoriteResultController::playListSelected);
    connect(myPage, &FavoriteResultPage::playListsChanged, this, &FavoriteResultController::refreshLists);
    connect(myPage, &FavoriteResultPage::createPlayList, this, &FavoriteResultController::createPlaylist);
    connect(myPage, &FavoriteResultPage::playVideo, this, &FavoriteResultController::playListFromVideo);
    connect(myPage, &FavoriteResultPage::authorVideosRequested, this, &FavoriteResultController::authorVideosRequested);
    connect(myPage, &FavoriteResultPage::searchRequested, this, &FavoriteResultController::searchRequested);
    connect(myPage, &FavoriteResultPage::accountNeeded, this, &FavoriteResultController::accountNeeded);
    connect(myPage, &FavoriteResultPage::vsLocalizePlayList, this, &FavoriteResultController::localizePlayList);
    connect(myPage, &FavoriteResultPage::vsExternalizePlayList, this, &FavoriteResultController::externalizePlayList);
    connect(myPage, &FavoriteResultPage::vsAddVideoToPlayList, this, &FavoriteResultController::addVideoToPlayList);
    connect(myPage, &FavoriteResultPage::vsAddVideoToYouTubeFavorites, this,
            &FavoriteResultController::addVideoToYouTubeFavorites);
    connect(myPage, &FavoriteResultPage::vsUpdatePlayListOrder, this, &FavoriteResultController::updatePlayListOrder);
    connect(myPage, &FavoriteResultPage::vsRemovePlayList, this, &FavoriteResultController::removePlayList);
    connect(myPage, &FavoriteResultPage::vsRemoveVideoFromPlayList, this,
            &FavoriteResultController::removeVideoFromPlayList);
    connect(myPage, &FavoriteResultPage::vsRemoveVideoFromYouTubeFavorites, this,
            &FavoriteResultController::removeVideoFromYouTubeFavorites);
    connect(myPage, &FavoriteResultPage::vsRenamePlayList, this, &FavoriteResultController::renamePlayList);
    // The account's entries come without pictures, and an earlier run took those of
    // the favourites that were not stored along with its files.
    connect(myPage->getFavoriteModel(), &QAbstractItemModel::rowsInserted, this,
            &FavoriteResultController::fetchMissingThumbnails);
    if (myService) {
        connect(myService, &VideoServiceProvider::commandFinished, this, &FavoriteResultController::commandFinished);
        connect(myService, &VideoServiceProvider::playListsFetched, this,
                &FavoriteResultController::accountPlayListsFetched);
        connect(myService, &VideoServiceProvider::errorOccuredInPlayList, this,
                &FavoriteResultController::accountPlayListsFailed);
        connect(myService, &VideoServiceProvider::playListEntriesFetched, this,
                &FavoriteResultController::accountEntriesFetched);
        connect(myService, &VideoServiceProvider::errorOccuredInPlayListEntries, this,
                &FavoriteResultController::accountEntriesFailed);
    }
}

FavoriteResultController::~FavoriteResultController() = default;

// ---- Filling the lists

void FavoriteResultController::playListSelected(PlayList* playList)
{
    ++myLoads;
    VideoListModel* model = myPage->getFavoriteModel();
    model->clear();
    if (playList && myRepository.isDatabaseUsable()) {
        // The first page now, the rest as the list is scrolled.
        Repository* repository = &myRepository;
        const int playListId = playList->getId();
        model->setPageReader(
            [repository, playListId, cursor = PlayListCursor()](VideoListModel* into, int limit) mutable {
                return repository->getPlayListEntries(playListId, into, limit, cursor) == eRepOk;
            },
            FavoritesGeometry::FAVORITE_PAGE_ROWS);
        model->fetchMore();
    }
    const int type = playList ? playList->getType() : ePlayListAllFavorites;
    if (model->rowCount() == 0) {
        // One empty entry makes the list paint its message.
        myPage->setListModes(FavoriteItemDelegate::eEmptyListMode, type);
        model->addEntry(new VideoEntry);
    } else {
        const bool queue = playList->getId() == ePlayListIdDownloadQueue;
        myPage->setListModes(queue ? FavoriteItemDelegate::eDownloadMode : FavoriteItemDelegate::eFavoriteMode, type);
    }
    // A refill of the same playlist shows the database; a newly selected playlist of
    // the account is read from the account as well.
    const int id = playList ? playList->getId() : 0;
    if (id != myListedPlayListId) {
        myListedPlayListId = id;
        readAccountEntries(playList);
    }
}

void FavoriteResultController::fillPlayLists(bool revealRead)
{
    PlayListModel* model = myPage->getPlayListModel();
    model->clear();
    myRepository.getPlayLists(model, model->getVsFolderCollapsedFlags());
    const bool open = isAccountFolderOpen();
    const bool opened = open && !myAccountFolderOpen;
    myAccountFolderOpen = open;
    if (opened) {
        myRevealReadPlayLists = revealRead;
        readAccountPlayLists();
    }
}

void FavoriteResultController::restoreHistoryPosition(PageHistoryItem* item)
{
    if (!myRepository.isDatabaseUsable())
        return;
    HistoryItemFavorites* favorites = qobject_cast<HistoryItemFavorites*>(item);
    const int playListId = favorites ? favorites->getPlayListId() : myPage->getShownPlayListId();

    // The page is being shown: what is open is read from the account again.
    myAccountFolderOpen = false;
    myListedPlayListId = 0;
    fillPlayLists(false);
    // Selecting the row normally loads its entries (through the page's playListSelected);
    // load them here when it did not.
    const int loads = myLoads;
    myPage->selectPlayListById(playListId);
    if (myLoads == loads)
        playListSelected(myPage->getSelectedPlayList());

    if (favorites) {
        PlayListSweepList* playLists = myPage->getPlayListView();
        FavoriteSweepList* entries = myPage->getFavoriteView();
        playLists->doItemsLayout();
        readFavoritesFor(favorites->getFavoriteRow(), favorites->getScrollPosition());
        playLists->verticalScrollBar()->setValue(favorites->getPlayListScrollPosition());
        myPage->keepCurrentPlayListInView();
        if (favorites->getFavoriteRow() >= 0 && favorites->getFavoriteRow() < myPage->getFavoriteModel()->rowCount())
            entries->setCurrentIndex(myPage->getFavoriteModel()->index(favorites->getFavoriteRow(), 0));
        entries->verticalScrollBar()->setValue(favorites->getScrollPosition());
    }
}

void FavoriteResultController::refreshLists()
{
    // A page that has not been shown yet holds nothing to keep: it is filled when shown.
    if (!myPage->isBuilt())
        return;
    PlayListSweepList* playLists = myPage->getPlayListView();
    FavoriteSweepList* entries = myPage->getFavoriteView();
    const int playListRow = playLists->currentIndex().row();
    const int playListScroll = playLists->verticalScrollBar()->value();
    PlayList* selected = myPage->getSelectedPlayList();
    const int selectedId = selected ? selected->getId() : myPage->getShownPlayListId();
    const int favoriteRow = entries->currentIndex().row();
    const int favoriteScroll = entries->verticalScrollBar()->value();

    if (!myRepository.isDatabaseUsable())
        return;
    // A folder that opens here was opened by the user (or for a new playlist): what
    // the account's read brings into it is shown.
    fillPlayLists(true);
    // The selected playlist by its id; when it is gone, the row that took its place.
    PlayListModel* model = myPage->getPlayListModel();
    const int loads = myLoads;
    if (model->getPlayListIndex(selectedId).isValid() || playListRow < 0)
        myPage->selectPlayListById(selectedId);
    else
        playLists->setCurrentIndex(model->index(qMin(playListRow, model->rowCount() - 1), 0));
    if (myLoads == loads)
        playListSelected(myPage->getSelectedPlayList());

    playLists->doItemsLayout();
    readFavoritesFor(favoriteRow, favoriteScroll);
    // Where the list was, unless the selected row moved out of sight.
    playLists->verticalScrollBar()->setValue(playListScroll);
    myPage->keepCurrentPlayListInView();
    VideoListModel* favorites = myPage->getFavoriteModel();
    if (favoriteRow >= 0 && favorites->rowCount() > 0)
        entries->setCurrentIndex(favorites->index(qMin(favoriteRow, favorites->rowCount() - 1), 0));
    entries->verticalScrollBar()->setValue(favoriteScroll);
}

void FavoriteResultController::readFavoritesFor(int row, int scrollPosition)
{
    // The rows of a position of the list are read before it is restored, in one read
    // as far as the row height tells; the list is laid out afterwards.
    VideoListModel* model = myPage->getFavoriteModel();
    FavoriteSweepList* view = myPage->getFavoriteView();
    int lastRow = row;
    const int rowHeight = model->rowCount() > 0 ? view->sizeHintForRow(0) : 0;
    if (scrollPosition > 0 && rowHeight > 0)
        lastRow = qMax(lastRow, (scrollPosition + view->viewport()->height()) / rowHeight);
    if (lastRow >= 0)
        model->fetchUntil(lastRow);
    view->doItemsLayout();
    QScrollBar* bar = view->verticalScrollBar();
    while (bar->maximum() < scrollPosition && model->canFetchMore()) {
        model->fetchMore();
        view->doItemsLayout();
    }
}

// ---- Commands

void FavoriteResultController::queue(const vsCmdStruct& command)
{
    if (!myService) {
        qCWarning(lcFavorites) << "FavoriteResultController: no video service for command" << command.cmdType;
        return;
    }
    // Counted first: a command may finish inside the call.
    ++myCommandsQueued;
    ++myCommandsPending;
    myService->queueCommand(command);
}

void FavoriteResultController::commandFinished(int cmdType, bool ok)
{
    qCDebug(lcFavorites) << "FavoriteResultController::commandFinished" << cmdType << ok;
    if (myCommandsPending > 0)
        --myCommandsPending;
    refreshLists();
    selectCreatedPlayList(cmdType, ok);
    readAgainWhenIdle();
}

void FavoriteResultController::selectCreatedPlayList(int cmdType, bool ok)
{
    // Commands of one type finish in the order they were queued.
    for (int i = 0; i < myCreatedPlayLists.size(); ++i) {
        if (myCreatedPlayLists.at(i).cmdType != cmdType)
            continue;
        const CreatedPlayList created = myCreatedPlayLists.takeAt(i);
        if (!ok)
            return;
        for (PlayList* playList : myPage->getPlayListModel()->entries()) {
            if (playList && playList->getServiceId() == created.serviceId && playList->getName() == created.name
                && !playList->isFixed()) {
                myPage->selectPlayListById(playList->getId());
                return;
            }
        }
        return;
    }
}

// ---- Reading the account

bool FavoriteResultController::isSignedIn() const
{
    int signedIn = 0;
    myRepository.getSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn);
    return signedIn != 0;
}

bool FavoriteResultController::isAccountFolderOpen() const
{
    PlayListModel* model = myPage->getPlayListModel();
    if (model->isVsFolderCollapsed(eAccountService))
        return false;
    for (PlayList* playList : model->entries())
        if (playList && playList->getServiceId() == eAccountService && playList->getType() == ePlayListAccountFolder)
            return true;
    return false;
}

void FavoriteResultController::readAccountPlayLists()
{
    if (!myService || !isSignedIn() || !isAccountFolderOpen())
        return;
    qCDebug(lcFavorites) << "FavoriteResultController::readAccountPlayLists()"
                         << "start";
    myPage->getSparePlayListModel()->clear();
    myPlayListsReadAt = myCommandsQueued;
    myService->getPlayLists(myPage->getSparePlayListModel());
}

void FavoriteResultController::readAccountEntries(PlayList* playList)
{
    if (!myService || !playList || playList->getServiceId() != eAccountService
        || (playList->getType() != ePlayListAccount && playList->getType() != ePlayListAccountFavorites)
        || !isSignedIn())
        return;
    if (playList->getType() == ePlayListAccount && playList->getProviderId().isEmpty())
        return; // not on the account: nothing to read
    qCDebug(lcFavorites) << "FavoriteResultController::readAccountEntries(PlayList*)" << playList->getId();
    myEntriesReadAt.insert(playList->getId(), myCommandsQueued);
    myService->getPlayListEntries(*playList, myPage->getSpareFavoriteModel());
}

void FavoriteResultController::readAgainWhenIdle()
{
    if (myCommandsPending > 0)
        return;
    if (myPlayListsReadAgain) {
        myPlayListsReadAgain = false;
        readAccountPlayLists();
    }
    if (myEntriesReadAgain) {
        myEntriesReadAgain = false;
        PlayList* shown = myPage->getPlayListModel()->getPlayListById(myListedPlayListId);
        readAccountEntries(shown);
    }
}

void FavoriteResultController::accountPlayListsFetched()
{
    if (myPlayListsReadAt < 0)
        return;
    PlayListModel* read = myPage->getSparePlayListModel();
    const bool overtaken = myCommandsPending > 0 || myCommandsQueued != myPlayListsReadAt;
    myPlayListsReadAt = -1;
    if (overtaken) {
        qCDebug(lcFavorites) << "FavoriteResultController::accountPlayListsFetched()"
                             << "a command overtook the read";
        read->clear();
        myPlayListsReadAgain = true;
        readAgainWhenIdle();
        return;
    }
    if (!isSignedIn()) {
        read->clear();
        return;
    }
    bool changed = false;
    const int result = myRepository.syncAccountPlayLists(read, &changed);
    read->clear();
    if (result != eRepOk) {
        qCDebug(lcFavorites) << "FavoriteResultController::accountPlayListsFetched()"
                             << "database code" << result;
        return;
    }
    if (!changed)
        return;
    refreshLists();
    if (myRevealReadPlayLists && isAccountFolderOpen())
        myPage->revealFolder(eAccountService);
}

void FavoriteResultController::accountPlayListsFailed()
{
    if (myPlayListsReadAt < 0)
        return;
    myPlayListsReadAt = -1;
    myPage->getSparePlayListModel()->clear();
    qCDebug(lcFavorites) << "FavoriteResultController::accountPlayListsFailed()"
                         << "the account's playlists could not be read";
}

void FavoriteResultController::accountEntriesFetched(int playListId)
{
    if (!myEntriesReadAt.contains(playListId))
        return;
    VideoListModel* read = myPage->getSpareFavoriteModel();
    const int readAt = myEntriesReadAt.take(playListId);
    const bool listed = playListId == myListedPlayListId;
    if (myCommandsPending > 0 || myCommandsQueued != readAt) {
        qCDebug(lcFavorites) << "FavoriteResultController::accountEntriesFetched(int)" << playListId
                             << "a command overtook the read";
        read->clear();
        if (listed) {
            myEntriesReadAgain = true;
            readAgainWhenIdle();
        }
        return;
    }
    if (!isSignedIn()) {
        read->clear();
        return;
    }
    bool changed = false;
    const int result = myRepository.syncAccountPlayListEntries(playListId, read, &changed);
    int count = 0;
    for (VideoEntry* entry : read->entries())
        count += (entry && !entry->getVideoId().isEmpty()) ? 1 : 0;
    read->clear();
    if (result != eRepOk) {
        qCDebug(lcFavorites) << "FavoriteResultController::accountEntriesFetched(int)" << playListId << "database code"
                             << result;
        return;
    }
    if (!changed)
        return;
    if (listed) {
        refreshLists();
    } else if (PlayList* row = myPage->getPlayListModel()->getPlayListById(playListId)) {
        // Another playlist is shown: only the row's count follows.
        row->setCount(count);
        myPage->getPlayListView()->viewport()->update();
    }
}

void FavoriteResultController::accountEntriesFailed(int playListId)
{
    if (!myEntriesReadAt.contains(playListId))
        return;
    myEntriesReadAt.remove(playListId);
    qCDebug(lcFavorites) << "FavoriteResultController::accountEntriesFailed(int)" << playListId
                         << "the playlist's entries could not be read";
}

void FavoriteResultController::fetchMissingThumbnails(const QModelIndex& parent, int first, int last)
{
    Q_UNUSED(parent);
    if (!myService)
        return;
    VideoListModel* model = myPage->getFavoriteModel();
    for (int row = first; row <= last; ++row) {
        VideoEntry* entry = model->entryAt(row);
        if (entry && !entry->getVideoId().isEmpty() && !entry->getThumbnailUrl().isEmpty()
            && (entry->getThumbnailFile().isEmpty() || !QFileInfo::exists(entry->getThumbnailFile())))
            myService->getThumbnail(model, entry);
    }
}

void FavoriteResultController::createPlaylist()
{
    PlayList* selected = myPage->getSelectedPlayList();
    const int serviceId = selected ? selected->getServiceId() : eLocalService;
    if (!myPage->checkPlayListEditingOk(serviceId))
        return;
    vsCmdStruct command;
    command.cmdType = vsAddPlayList;
    command.playList = PlayList(0, serviceId, serviceId == eAccountService ? ePlayListAccount : ePlayListLocal,
                                myRepository.uniquePlayListName(serviceId));
    command.playList.setDescription(TEXT_PLAYLIST_DESCRIPTION());
    myPage->getPlayListModel()->setVsFolderCollapsed(serviceId, false);
    myCreatedPlayLists.append({vsAddPlayList, serviceId, command.playList.getName()});
    queue(command);
}

void FavoriteResultController::localizePlayList(PlayList* playList)
{
    externalizePlayList(playList, eLocalService);
}

void FavoriteResultController::externalizePlayList(PlayList* playList, int targetServiceId)
{
    if (!playList)
        return;
    vsCmdStruct command;
    command.cmdType = vsCopyPlayList;
    command.playList = *playList;
    command.targetServiceId = targetServiceId;
    myCreatedPlayLists.append({vsCopyPlayList, targetServiceId, playList->getName()});
    queue(command);
}

void FavoriteResultController::addVideoToPlayList(const QString& videoId, VideoEntry* entry, PlayList* target)
{
    queueAddVideo(vsAddVideoToPlayList, videoId, entry, target);
}

void FavoriteResultController::addVideoToYouTubeFavorites(const QString& videoId, VideoEntry* entry, PlayList* target)
{
    queueAddVideo(vsAddVideoToYouTubeFavorites, videoId, entry, target);
}

void FavoriteResultController::queueAddVideo(int cmdType, const QString& videoId, VideoEntry* entry, PlayList* target)
{
    if (!entry || !target)
        return;
    vsCmdStruct command = videoCommand(cmdType, *target, *entry);
    command.text = videoId;
    queue(command);
}

void FavoriteResultController::updatePlayListOrder(PlayList* playList, VideoEntry* entry, int sortId, bool afterLast,
                                                   int rowCount, int playListType)
{
    Q_UNUSED(playListType);
    if (!playList || !entry)
        return;
    vsCmdStruct command = videoCommand(vsUpdatePlayListOrder, *playList, *entry);
    command.sortId = sortId;
    command.afterLast = afterLast;
    command.rowCount = rowCount;
    queue(command);
}

void FavoriteResultController::removePlayList(PlayList* playList)
{
    if (!playList)
        return;
    vsCmdStruct command;
    command.cmdType = vsRemovePlayList;
    command.playList = *playList;
    queue(command);
}

void FavoriteResultController::removeVideoFromPlayList(PlayList* playList, VideoEntry* entry)
{
    if (!playList || !entry)
        return;
    queue(videoCommand(vsRemoveVideoFromPlayList, *playList, *entry));
}

void FavoriteResultController::removeVideoFromYouTubeFavorites(PlayList* playList, VideoEntry* entry)
{
    if (!playList || !entry)
        return;
    queue(videoCommand(vsRemoveVideoFromYouTubeFavorites, *playList, *entry));
}

void FavoriteResultController::renamePlayList(PlayList* playList, const QString& name)
{
    if (!playList || name.isEmpty())
        return;
    vsCmdStruct command;
    command.cmdType = vsRenamePlayList;
    command.playList = *playList;
    command.text = name;
    queue(command);
}
