#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/FavoritesConstants.h"
#include "favorites/PlayListDelegate.h"
#include "favorites/PlayListSweepList.h"

#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "favorites/FavoritesLogging.h"
#include "favorites/FavoritesTexts.h"
#include "shell/OneButtonDialog.h"
#include "shell/UserPrompt.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

// Drag and drop on the favourites page: playlists and favourites dragged between the
// two lists and onto the trash. The page accepts every drop itself and finds the
// target under the pointer, since the lists do not accept drops of their own.

using namespace FavoritesGeometry;

PlayList* FavoriteResultPage::mousePointerPlayList(QPoint point, bool inViewport)
{
    ensureBuilt();
    if (!inViewport)
        point = myPlayListView->viewport()->mapFrom(this, point);
    const int rows = myPlayListModel->rowCount();
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = myPlayListModel->index(row, 0);
        if (myPlayListView->visualRect(index).contains(point))
            return myPlayListModel->data(index, Qt::DisplayRole).value<PlayList*>();
    }
    return nullptr;
}

void FavoriteResultPage::setDragMode(bool dragging, const QString& mimeType)
{
    ensureBuilt();
    Q_UNUSED(mimeType);
    myTrashButton->setEnabled(true);
    myPlayListButtons->setEnabled(!dragging);
    myActionButtons->setEnabled(!dragging);
    mySearchButton->setEnabled(!dragging);
}

void FavoriteResultPage::clearDropIndicator()
{
    ensureBuilt();
    myFavoriteDelegate->setDropIndicator(nullptr, 0);
    myFavoriteView->viewport()->update();
}

int FavoriteResultPage::getPlayListType() const
{
    ensureBuilt();
    return myPlayListDelegate->getPlayListType();
}

QWidget* FavoriteResultPage::dropWidgetAt(QPoint point) const
{
    ensureBuilt();
    const auto contains = [this, point](QWidget* widget) {
        return widget->isVisible() && QRect(widget->mapTo(this, QPoint(0, 0)), widget->size()).contains(point);
    };
    if (contains(myTrashButton))
        return myTrashButton;
    if (contains(myFavoriteView))
        return myFavoriteView;
    if (contains(myPlayListView))
        return myPlayListView;
    return nullptr;
}

void FavoriteResultPage::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data && (data->hasFormat(MIME_TYPE_PLAYLIST) || data->hasFormat(MIME_TYPE_FAVORITE)))
        event->acceptProposedAction();
}

void FavoriteResultPage::dragMoveEvent(QDragMoveEvent* event)
{
    const QMimeData* data = event->mimeData();
    const QPoint position = event->position().toPoint();
    QWidget* target = dropWidgetAt(position);

    if (data && data->hasFormat(MIME_TYPE_PLAYLIST)) {
        if (target == myPlayListView) {
            myPlayListView->checkDragScroll(myPlayListView->mapFrom(this, position).y());
        } else {
            qCDebug(lcFavorites) << "other drop widget";
            myPlayListView->stopDragScroll();
            myFavoriteView->stopDragScroll();
        }
    } else if (target == myFavoriteView) {
        myFavoriteView->checkDragScroll(myFavoriteView->mapFrom(this, position).y());
        const QPoint inViewport = myFavoriteView->viewport()->mapFrom(this, position);
        const QModelIndex index = myFavoriteView->indexAt(inViewport);
        VideoEntry* entry = index.isValid() ? myFavoriteModel->data(index, Qt::DisplayRole).value<VideoEntry*>() : nullptr;
        if (entry && !isDownloading(entry) && entry->getDownloadState() != eDownloadInvalid) {
            // In the lower half of the last row, or of a row followed by an invalid
            // entry, the line goes below the row.
            int flag = 0;
            const QRect rect = myFavoriteView->visualRect(index);
            if (inViewport.y() > rect.center().y()) {
                // The list is read a page at a time: the next row may still be unread.
                myFavoriteModel->fetchUntil(index.row() + 1);
                VideoEntry* next = myFavoriteModel->entryAt(index.row() + 1);
                if (!next)
                    flag = 1;
                else if (next->getDownloadState() == eDownloadInvalid)
                    flag = 2;
            }
            myFavoriteDelegate->setDropIndicator(entry, flag);
            myFavoriteView->viewport()->update();
        }
    } else if (target == myPlayListView) {
        myPlayListView->checkDragScroll(myPlayListView->mapFrom(this, position).y());
    } else {
        myPlayListView->stopDragScroll();
        myFavoriteView->stopDragScroll();
    }
    event->acceptProposedAction();
}

void FavoriteResultPage::dropEvent(QDropEvent* event)
{
    const QPoint position = event->position().toPoint();
    QWidget* target = dropWidgetAt(position);
    if (!target) {
        qCDebug(lcFavorites) << "dropWidget is 0";
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return;
    }
    myPlayListView->stopDragScroll();
    myFavoriteView->stopDragScroll();
    event->acceptProposedAction();

    const QMimeData* data = event->mimeData();
    if (data && data->hasFormat(MIME_TYPE_PLAYLIST))
        dropPlayList(target, position);
    else if (data && data->hasFormat(MIME_TYPE_FAVORITE))
        dropFavorite(target, position);
}

void FavoriteResultPage::dropPlayList(QWidget* target, QPoint position)
{
    PlayList* dragged = getDragDropPlaylist();
    setDragDropPlaylist(nullptr);
    if (target == myTrashButton) {
        askRemovePlayList(dragged);
        return;
    }
    if (target != myPlayListView)
        return;
    PlayList* onto = mousePointerPlayList(position, false);
    if (!dragged || !onto) {
        qCDebug(lcFavorites) << "pl2 or p1 is 0";
        return;
    }
    if (dragged->getServiceId() == eAccountService && onto->getServiceId() == eLocalService) {
        OneButtonDialog* notice = new OneButtonDialog(this);
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->setTitle(TEXT_SENDING_PLAYLIST_TO_DEVICE());
        prompt().showDialog(notice);
        QTimer::singleShot(NOTICE_TIMEOUT_MS, notice, &QDialog::accept);
        myPlayListModel->setVsFolderCollapsed(eLocalService, false);
        Q_EMIT vsLocalizePlayList(dragged);
    } else if (dragged->getServiceId() == eLocalService && onto->getServiceId() == eAccountService) {
        if (!checkPlayListEditingOk(eAccountService))
            return;
        myPlayListModel->setVsFolderCollapsed(eAccountService, false);
        Q_EMIT vsExternalizePlayList(dragged, eAccountService);
    }
}

void FavoriteResultPage::dropFavorite(QWidget* target, QPoint position)
{
    VideoEntry* entry = getDragDropFavorite();
    setDragDropFavorite(nullptr);
    if (!entry) {
        qCDebug(lcFavorites) << "dragDropFavorite is 0";
        return;
    }

    if (target == myPlayListView) {
        PlayList* onto = mousePointerPlayList(position, false);
        if (!onto)
            return;
        if ((entry->getDownloadState() == eDownloadQueued || entry->getDownloadState() == eDownloadInvalid)
            && entry->getVideoLink() != 1) {
            showNotice(TEXT_CANT_COPY_BEFORE_DOWNLOADED());
            return;
        }
        setDragDropPlaylist(nullptr);
        if (!onto->isFixed() || onto->getType() == ePlayListAccountFavorites) {
            if (!checkPlayListEditingOk(onto->getServiceId()))
                return;
            if (onto->getType() == ePlayListAccountFavorites)
                Q_EMIT vsAddVideoToYouTubeFavorites(entry->getVideoId(), entry, onto);
            else
                Q_EMIT vsAddVideoToPlayList(entry->getVideoId(), entry, onto);
        }
        clearDropIndicator();
    } else if (target == myFavoriteView) {
        PlayList* shown = myPlayListModel->getPlayListById(myShownPlayListId);
        if (!shown || !checkPlayListEditingOk(shown->getServiceId()))
            return;
        if (shown->getType() == ePlayListAccountFavorites) {
            showNotice(TEXT_CANNOT_CHANGE_FAVORITES_ORDER());
            return;
        }
        VideoEntry* indicator = nullptr;
        int flag = 0;
        myFavoriteDelegate->getDropIndicator(indicator, flag);
        clearDropIndicator();
        if (indicator && indicator != entry && entry->getDownloadState() != eDownloadInvalid)
            Q_EMIT vsUpdatePlayListOrder(shown, entry, indicator->getSortId(), flag == 1 || flag == 2,
                                         shownRowCount(shown) - indicator->getSortId(), getPlayListType());
    } else if (target == myTrashButton) {
        askRemoveFavorite(entry);
        clearDropIndicator();
    }
}
