#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/FavoritesConstants.h"
#include "favorites/FocusManager.h"
#include "favorites/HistoryItemFavorites.h"
#include "favorites/PlayListDelegate.h"
#include "favorites/PlayListSweepList.h"

#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Icons.h"
#include "core/constants/Settings.h"
#include "favorites/FavoritesTexts.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/ShellStyles.h"
#include "shell/UserPrompt.h"
#include "widgets/WidgetStyles.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace FavoritesGeometry;

namespace {
QPushButton* makeButton(const QString& text, QWidget* parent)
{
    QPushButton* button = new QPushButton(text, parent);
    button->setStyleSheet(STYLE_PUSH_BUTTON);
    button->setFixedHeight(BUTTON_HEIGHT);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QPushButton* makeIconButton(const QString& iconPath, QWidget* parent)
{
    QPushButton* button = makeButton(QString(), parent);
    button->setIcon(QIcon(iconPath));
    button->setIconSize(QSize(BUTTON_HEIGHT - 20, BUTTON_HEIGHT - 20));
    button->setFixedWidth(ICON_BUTTON_WIDTH);
    return button;
}

bool isFolderType(int type)
{
    return type == ePlayListLocalFolder || type == ePlayListAccountFolder;
}
} // namespace

FavoriteResultPage::FavoriteResultPage(QWidget* parent, Repository& repository, PageHistory& history)
    : PageBase(parent), myRepository(repository), myHistory(history)
{
    // The models exist from the start (the controller and the account's reads fill
    // them); the widgets are built when the page is first shown or used (buildPage()).
    myFavoriteModel = new VideoListModel(&myRepository, this);
    myPlayListModel = new PlayListModel(&myRepository, this);
    mySparePlayListModel = new PlayListModel(&myRepository, this);
    mySpareFavoriteModel = new VideoListModel(&myRepository, this);

    // A refill deletes the entries: nothing may point at the old ones afterwards
    // (a refill can arrive during a drag, from a finished background download).
    connect(myFavoriteModel, &QAbstractItemModel::modelAboutToBeReset, this, &FavoriteResultPage::favoritesAboutToBeReset);
    connect(myPlayListModel, &QAbstractItemModel::modelAboutToBeReset, this, &FavoriteResultPage::playListsAboutToBeReset);
    connect(&myRepository, &Repository::backgroundDownloadStatusChanged, this,
            &FavoriteResultPage::backgroundDownloadStatusChanged);
}

FavoriteResultPage::~FavoriteResultPage() = default;

void FavoriteResultPage::buildPage()
{
    // The two lists with their painters and models.
    myFavoriteView = new FavoriteSweepList(this, this);
    myPlayListView = new PlayListSweepList(this, this);
    myFavoriteDelegate = new FavoriteItemDelegate(myFavoriteView);
    myFavoriteView->setItemDelegate(myFavoriteDelegate);
    myFavoriteDelegate->setDelegateMode(FavoriteItemDelegate::eFavoriteMode);
    myFavoriteDelegate->setDownloadProgress(myDownloadPercent, myDownloadVideoId);
    myPlayListDelegate = new PlayListDelegate(myPlayListView);
    myPlayListView->setItemDelegate(myPlayListDelegate);
    myPlayListDelegate->setPlayListType(ePlayListAllFavorites);
    myFavoriteView->setModel(myFavoriteModel);
    myPlayListView->setModel(myPlayListModel);

    connect(myFavoriteView, qOverload<const QModelIndex&>(&QAbstractItemView::doubleClicked), this,
            &FavoriteResultPage::videoDoubleClicked);
    connect(myFavoriteView, &FavoriteSweepList::authorLinkClicked, this, &FavoriteResultPage::authorLinkClicked);
    connect(myFavoriteView, &UniformSweepList::selectionMade, this, &FavoriteResultPage::favoriteItemSelected);
    connect(myFavoriteView, &SweepListBase::selectionCleared, this, &FavoriteResultPage::favoriteItemSelectionCleared);
    connect(myFavoriteView, &FavoriteSweepList::leftKeyPressed, this, &FavoriteResultPage::leftKeyPressed);
    connect(myFavoriteView, &FavoriteSweepList::rightKeyPressed, this, &FavoriteResultPage::rightKeyPressed);
    connect(myPlayListView, &PlayListSweepList::folderOpenToggle, this, &FavoriteResultPage::slotPlayListFolderOpenToggle);
    connect(myPlayListView, &QAbstractItemView::clicked, this, &FavoriteResultPage::playListClicked);
    connect(myPlayListView, &PlayListSweepList::updateSelection, this, &FavoriteResultPage::playlistSelectionCleared);
    connect(myPlayListView, &PlayListSweepList::leftKeyPressed, this, &FavoriteResultPage::leftKeyPressed);
    connect(myPlayListView, &PlayListSweepList::rightKeyPressed, this, &FavoriteResultPage::rightKeyPressed);
    myFavoriteView->setStyleSheet(STYLE_SWEEP_LIST_FOCUSABLE);
    myPlayListView->setStyleSheet(STYLE_SWEEP_LIST_FOCUSABLE);

    buildLayout();
    setAcceptDrops(true);
    myFavoriteView->setAcceptDrops(false);
    myPlayListView->setAcceptDrops(false);
    initFocusManager();
    updateButtons();
}

void FavoriteResultPage::buildLayout()
{
    // Header band: the shared one, with the logo, the title and the back button.
    PageHeader* header = new PageHeader(TEXT_FAVORITES_TITLE(), this);
    myBackButton = header->getBackButton();
    setBackButton(myBackButton, myHistory);

    // The two lists side by side.
    QHBoxLayout* lists = new QHBoxLayout;
    lists->setContentsMargins(0, 0, 0, 0);
    lists->setSpacing(PAGE_SPACING);
    myPlayListView->setFixedWidth(PLAYLIST_LIST_WIDTH);
    lists->addWidget(myPlayListView);
    lists->addWidget(myFavoriteView, 1);

    // Buttons: playlist actions, entry actions, the name field, trash and search.
    myPlayListButtons = new QStackedWidget(this);
    QPushButton* newButton = makeButton(TEXT_NEW_PLAYLIST_BUTTON(), myPlayListButtons);
    QPushButton* renameButton = makeButton(TEXT_RENAME_BUTTON(), myPlayListButtons);
    QPushButton* saveButton = makeButton(TEXT_SAVE_BUTTON(), myPlayListButtons);
    myPlayListButtons->insertWidget(eNewPlayListButton, newButton);
    myPlayListButtons->insertWidget(eRenameButton, renameButton);
    myPlayListButtons->insertWidget(eSaveNameButton, saveButton);
    myPlayListButtons->setFixedSize(BUTTON_WIDTH, BUTTON_HEIGHT);
    connect(newButton, &QPushButton::clicked, this, &FavoriteResultPage::newPlayListClicked);
    connect(renameButton, &QPushButton::clicked, this, &FavoriteResultPage::renameClicked);
    connect(saveButton, &QPushButton::clicked, this, &FavoriteResultPage::saveName);

    myActionButtons = new QStackedWidget(this);
    QPushButton* playButton = makeButton(TEXT_PLAY_BUTTON(), myActionButtons);
    QPushButton* downloadButton = makeButton(TEXT_STOP_DOWNLOADING_BUTTON(), myActionButtons);
    myActionButtons->insertWidget(ePlayButton, playButton);
    myActionButtons->insertWidget(eDownloadSwitchButton, downloadButton);
    myActionButtons->setFixedSize(ACTION_BUTTON_WIDTH, BUTTON_HEIGHT);
    connect(playButton, &QPushButton::clicked, this, &FavoriteResultPage::playClicked);
    connect(downloadButton, &QPushButton::clicked, this, &FavoriteResultPage::downloadSwitchClicked);

    myNameField = new QLineEdit(this);
    myNameField->setStyleSheet(STYLE_LINE_EDIT);
    myNameField->setFixedHeight(BUTTON_HEIGHT);
    myNameField->hide();

    myTrashButton = makeIconButton(ICON_TRASH, this);
    mySearchButton = makeIconButton(ICON_SEARCH, this);
    connect(myTrashButton, &QPushButton::clicked, this, &FavoriteResultPage::trashClicked);
    connect(mySearchButton, &QPushButton::clicked, this, &FavoriteResultPage::searchClicked);

    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->setContentsMargins(PAGE_SPACING, 0, PAGE_SPACING, PAGE_SPACING);
    buttons->setSpacing(PAGE_SPACING);
    buttons->addWidget(myPlayListButtons);
    buttons->addWidget(myActionButtons);
    buttons->addWidget(myNameField, 1);
    buttons->addStretch(0);
    buttons->addWidget(myTrashButton);
    buttons->addWidget(mySearchButton);

    QVBoxLayout* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(PAGE_SPACING);
    page->addWidget(header);
    page->addLayout(lists, 1);
    page->addLayout(buttons);
}

QPushButton* FavoriteResultPage::getPlayListButton(ePlayListButton which) const
{
    ensureBuilt();
    return qobject_cast<QPushButton*>(myPlayListButtons->widget(which));
}

QPushButton* FavoriteResultPage::getActionButton(eActionButton which) const
{
    ensureBuilt();
    return qobject_cast<QPushButton*>(myActionButtons->widget(which));
}

// ---- Selection and modes

void FavoriteResultPage::setListModes(int favouriteMode, int playListType)
{
    ensureBuilt();
    myFavoriteDelegate->setDelegateMode(favouriteMode);
    myPlayListDelegate->setPlayListType(playListType);
    updateButtons();
    myFavoriteView->viewport()->update();
    myPlayListView->viewport()->update();
}

void FavoriteResultPage::selectPlayListById(int playListId)
{
    ensureBuilt();
    QModelIndex index = myPlayListModel->getPlayListIndex(playListId);
    if (!index.isValid())
        index = myPlayListModel->index(0, 0);
    myPlayListView->setCurrentIndex(index);
    keepCurrentPlayListInView();
}

void FavoriteResultPage::keepCurrentPlayListInView()
{
    ensureBuilt();
    const QModelIndex current = myPlayListView->currentIndex();
    if (current.isValid())
        myPlayListView->scrollTo(current, QAbstractItemView::EnsureVisible);
}

PlayList* FavoriteResultPage::shownSelectedPlayList()
{
    keepCurrentPlayListInView();
    return getSelectedPlayList();
}

void FavoriteResultPage::revealFolder(int serviceId)
{
    ensureBuilt();
    // The folder's rows follow it in the tree, up to the next service's rows.
    const QList<PlayList*>& rows = myPlayListModel->entries();
    int folder = 0;
    while (folder < rows.size()
           && !(rows.at(folder)->getServiceId() == serviceId && isFolderType(rows.at(folder)->getType())))
        ++folder;
    if (folder == rows.size())
        return;
    int last = folder;
    while (last + 1 < rows.size() && rows.at(last + 1)->getServiceId() == serviceId)
        ++last;
    // As many of them as fit, the folder's row at the top when they do not all fit.
    myPlayListView->scrollTo(myPlayListModel->index(last, 0), QAbstractItemView::EnsureVisible);
    myPlayListView->scrollTo(myPlayListModel->index(folder, 0), QAbstractItemView::EnsureVisible);
}

PlayList* FavoriteResultPage::getSelectedPlayList() const
{
    ensureBuilt();
    const QModelIndex index = myPlayListView->currentIndex();
    if (!index.isValid())
        return nullptr;
    return myPlayListModel->data(index, Qt::DisplayRole).value<PlayList*>();
}

VideoEntry* FavoriteResultPage::getSelectedFavorite() const
{
    ensureBuilt();
    if (myFavoriteDelegate->getDelegateMode() == FavoriteItemDelegate::eEmptyListMode)
        return nullptr;
    const QModelIndex index = myFavoriteView->currentIndex();
    if (!index.isValid())
        return nullptr;
    VideoEntry* entry = myFavoriteModel->data(index, Qt::DisplayRole).value<VideoEntry*>();
    return (entry && !entry->getVideoId().isEmpty()) ? entry : nullptr;
}

void FavoriteResultPage::playListClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    PlayList* playList = myPlayListModel->data(index, Qt::DisplayRole).value<PlayList*>();
    if (!playList)
        return;
    closeNameField();
    myShownPlayListId = playList->getId();
    Q_EMIT playListSelected(playList);
}

void FavoriteResultPage::playlistSelectionCleared()
{
    updateButtons();
}

void FavoriteResultPage::slotPlayListFolderOpenToggle(PlayList* playList)
{
    if (!playList || !isFolderType(playList->getType()))
        return;
    const int serviceId = playList->getServiceId();
    myPlayListModel->toggleVsFolderCollapsed(serviceId);
    const bool collapsed = myPlayListModel->isVsFolderCollapsed(serviceId);
    playList->setFolderOpen(collapsed);
    Q_EMIT playListsChanged();
    if (!collapsed)
        revealFolder(serviceId);
}

void FavoriteResultPage::favoriteItemSelected()
{
    updateButtons();
}

void FavoriteResultPage::favoriteItemSelectionCleared()
{
    updateButtons();
}

void FavoriteResultPage::favoritesAboutToBeReset()
{
    myDragDropFavorite = nullptr;
    if (myFavoriteDelegate)
        myFavoriteDelegate->setDropIndicator(nullptr, 0);
}

void FavoriteResultPage::playListsAboutToBeReset()
{
    myDragDropPlaylist = nullptr;
}

// ---- Buttons

void FavoriteResultPage::updateButtons()
{
    PlayList* selected = getSelectedPlayList();
    const int type = selected ? selected->getType() : ePlayListAllFavorites;

    if (myEditingName)
        myPlayListButtons->setCurrentIndex(eSaveNameButton);
    else if (selected && !selected->isFixed() && (type == ePlayListLocal || type == ePlayListAccount))
        myPlayListButtons->setCurrentIndex(eRenameButton);
    else
        myPlayListButtons->setCurrentIndex(eNewPlayListButton);

    QPushButton* downloadButton = getActionButton(eDownloadSwitchButton);
    downloadButton->setText(backgroundDownloadRunning() ? TEXT_STOP_DOWNLOADING_BUTTON() : TEXT_START_DOWNLOADING_BUTTON());
    myActionButtons->setCurrentIndex(myPlayListDelegate->getPlayListType() == ePlayListDownloadQueue ? eDownloadSwitchButton
                                                                                                     : ePlayButton);
    // Something to play: a list with entries of a playlist that is not a folder.
    getActionButton(ePlayButton)
        ->setEnabled(myFavoriteDelegate->getDelegateMode() != FavoriteItemDelegate::eEmptyListMode && !isFolderType(type));
}

void FavoriteResultPage::newPlayListClicked()
{
    closeNameField();
    Q_EMIT createPlayList();
}

void FavoriteResultPage::renameClicked()
{
    PlayList* selected = shownSelectedPlayList();
    if (!selected || selected->isFixed())
        return;
    myEditingName = true;
    myRenamedPlayListId = selected->getId();
    myNameField->setText(selected->getName());
    myNameField->show();
    myNameField->selectAll();
    myNameField->setFocus();
    updateButtons();
}

void FavoriteResultPage::closeNameField()
{
    if (!myEditingName)
        return;
    myEditingName = false;
    myNameField->hide();
    updateButtons();
}

void FavoriteResultPage::saveName()
{
    // The playlist whose name the field was opened with, and only while it is the
    // selected row.
    PlayList* selected = shownSelectedPlayList();
    if (!myEditingName || !selected || selected->getId() != myRenamedPlayListId) {
        closeNameField();
        return;
    }
    const QString name = myNameField->text().trimmed();
    if (name.isEmpty())
        return;
    if (name == selected->getName()) {
        closeNameField();
        return;
    }
    if (!myRepository.isPlayListNameFree(name, selected->getServiceId())) {
        showNotice(TEXT_PLAYLIST_NAME_IN_USE());
        myNameField->setFocus();
        return;
    }
    if (!checkPlayListEditingOk(selected->getServiceId()))
        return;
    closeNameField();
    Q_EMIT vsRenamePlayList(selected, name);
}

void FavoriteResultPage::playClicked()
{
    PlayList* selected = getSelectedPlayList();
    if (!selected || isFolderType(selected->getType()))
        return;
    VideoEntry* entry = getSelectedFavorite();
    // The page stays: it is recorded in the history by whoever shows the video.
    Q_EMIT playVideo(selected->getId(), entry ? entry->getFavoriteId() : -1);
}

void FavoriteResultPage::videoDoubleClicked(const QModelIndex& index)
{
    if (!index.isValid() || myFavoriteDelegate->getDelegateMode() == FavoriteItemDelegate::eEmptyListMode)
        return;
    VideoEntry* entry = myFavoriteModel->data(index, Qt::DisplayRole).value<VideoEntry*>();
    if (!entry || entry->getVideoId().isEmpty())
        return;
    Q_EMIT playVideo(myShownPlayListId, entry->getFavoriteId());
}

void FavoriteResultPage::authorLinkClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    VideoEntry* entry = myFavoriteModel->data(index, Qt::DisplayRole).value<VideoEntry*>();
    if (!entry || entry->getAuthorLinkName().isEmpty())
        return;
    addToPageHistory();
    Q_EMIT authorVideosRequested(entry->getAuthorLinkName());
}

void FavoriteResultPage::trashClicked()
{
    if (VideoEntry* entry = getSelectedFavorite()) {
        if (!isDownloading(entry))
            askRemoveFavorite(entry);
        return;
    }
    askRemovePlayList(shownSelectedPlayList());
}

void FavoriteResultPage::searchClicked()
{
    addToPageHistory();
    Q_EMIT searchRequested();
}

// ---- Dialogs

void FavoriteResultPage::setPrompt(UserPrompt* prompt)
{
    myPrompt = prompt;
}

UserPrompt& FavoriteResultPage::prompt()
{
    static UserPrompt dialogs;
    return myPrompt ? *myPrompt : dialogs;
}

void FavoriteResultPage::showNotice(const QString& text)
{
    prompt().inform(this, TEXT_FAVORITES_TITLE(), text);
}

bool FavoriteResultPage::ask(const QString& title, const QString& text)
{
    return prompt().ask(this, title, text);
}

bool FavoriteResultPage::checkPlayListEditingOk(int serviceId)
{
    if (serviceId != eAccountService)
        return true;
    int signedIn = 0;
    myRepository.getSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn);
    if (signedIn != 0)
        return true;
    Q_EMIT accountNeeded();
    return false;
}

void FavoriteResultPage::askRemovePlayList(PlayList* playList)
{
    if (!playList || playList->isFixed() || !checkPlayListEditingOk(playList->getServiceId()))
        return;
    // The question runs an event loop: the lists may be refilled meanwhile, so the
    // playlist is looked up again by its id afterwards.
    const int id = playList->getId();
    if (!ask(TEXT_REMOVE_PLAYLIST_TITLE(), TEXT_REMOVE_PLAYLIST_QUESTION().arg(playList->getName())))
        return;
    if (PlayList* current = myPlayListModel->getPlayListById(id))
        Q_EMIT vsRemovePlayList(current);
}

void FavoriteResultPage::askRemoveFavorite(VideoEntry* entry)
{
    PlayList* shown = myPlayListModel->getPlayListById(myShownPlayListId);
    if (!entry || entry->getVideoId().isEmpty() || !shown || isFolderType(shown->getType())
        || !checkPlayListEditingOk(shown->getServiceId()))
        return;
    const int favoriteId = entry->getFavoriteId();
    const QString videoId = entry->getVideoId();
    const QString question = shown->getId() == ePlayListIdAllFavorites
        ? TEXT_REMOVE_LOCAL_FAVORITE_QUESTION().arg(entry->getName())
        : TEXT_REMOVE_FAVORITE_QUESTION().arg(entry->getName(), shown->getName());
    const int shownId = shown->getId();
    if (!ask(TEXT_REMOVE_FAVORITE_TITLE(), question))
        return;

    // Look both up again: the question ran an event loop.
    shown = myPlayListModel->getPlayListById(shownId);
    if (!shown || myShownPlayListId != shownId)
        return;
    VideoEntry* current = findFavorite(favoriteId, videoId);
    if (!current)
        return;
    if (shown->getType() == ePlayListAccountFavorites)
        Q_EMIT vsRemoveVideoFromYouTubeFavorites(shown, current);
    else
        Q_EMIT vsRemoveVideoFromPlayList(shown, current);
}

VideoEntry* FavoriteResultPage::findFavorite(int favoriteId, const QString& videoId)
{
    // A refill reads the list from its first page: the entry may be further down.
    int row = 0;
    do {
        for (; row < myFavoriteModel->rowCount(); ++row) {
            VideoEntry* candidate = myFavoriteModel->entryAt(row);
            if (candidate && candidate->getFavoriteId() == favoriteId && candidate->getVideoId() == videoId)
                return candidate;
        }
    } while (myFavoriteModel->fetchUntil(row));
    return nullptr;
}

int FavoriteResultPage::shownRowCount(const PlayList* shown) const
{
    // Until the last page is read, the tree's count of the playlist tells its length.
    return myFavoriteModel->canFetchMore() ? shown->getCount() : myFavoriteModel->rowCount();
}

// ---- Page

void FavoriteResultPage::setPageFocus()
{
    ensureBuilt();
    myPlayListView->setFocus(Qt::OtherFocusReason);
    if (myFocusManager)
        myFocusManager->useList(0, myPlayListView);
}

void FavoriteResultPage::addToPageHistory()
{
    ensureBuilt();
    const QModelIndex favorite = myFavoriteView->currentIndex();
    myHistory.add(new HistoryItemFavorites(myShownPlayListId, favorite.isValid() ? favorite.row() : -1,
                                           myFavoriteView->verticalScrollBar()->value(),
                                           myPlayListView->verticalScrollBar()->value()));
}
