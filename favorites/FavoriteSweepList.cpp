#include "favorites/FavoriteSweepList.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoritesDrag.h"

#include "core/Types.h"
#include "core/VideoEntry.h"
#include "favorites/FavoritesLogging.h"
#include "favorites/FavoritesTexts.h"

#include <QDebug>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>

FavoriteSweepList::FavoriteSweepList(QWidget* parent, FavoriteResultPage* page)
    : FavoritesListBase(parent, page)
{
}

FavoriteSweepList::~FavoriteSweepList() = default;

int FavoriteSweepList::getPlayListType() const
{
    return myPage ? myPage->getPlayListType() : ePlayListAllFavorites;
}

VideoEntry* FavoriteSweepList::currentEntry() const
{
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !model())
        return nullptr;
    const QVariant data = model()->data(index, Qt::DisplayRole);
    if (!data.isValid() || data.isNull())
        return nullptr;
    return data.value<VideoEntry*>();
}

void FavoriteSweepList::mousePressEvent(QMouseEvent* event)
{
    // Selects the row under the finger and records the press for the kinetic scroll.
    SweepListBase::mousePressEvent(event);

    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !model())
        return;
    const QVariant data = model()->data(index, Qt::DisplayRole);
    if (!data.isValid() || data.isNull())
        return;

    VideoEntry* entry = data.value<VideoEntry*>();
    const bool onThumbnail = entry && !entry->getVideoId().isEmpty()
        && entry->getThumbnailRect().contains(event->position());
    if (!onThumbnail) {
        Q_EMIT clicked(index);
        return;
    }
    // The video being fetched in the background stays where it is.
    if (myPage && myPage->isDownloading(entry))
        return;
    startDrag(entry);
}

void FavoriteSweepList::startDrag(VideoEntry* entry)
{
    if (!myPage)
        return;
    QDrag* drag = new QDrag(this);
    QMimeData* data = new QMimeData;
    myPage->setDragDropFavorite(entry);
    data->setData(MIME_TYPE_FAVORITE, QByteArray());
    drag->setMimeData(data);
    const QPixmap pixmap = QPixmap::fromImage(entry->getThumbnail());
    drag->setPixmap(pixmap);
    drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
    myPage->setDragMode(true, MIME_TYPE_FAVORITE);
    qCDebug(lcFavorites) << "drag alkaa";
    qCDebug(lcFavorites) << "favorite.id in sourceList" << entry->getVideoId();
    // Runs until the drop or the cancel; the entry may be gone afterwards.
    const Qt::DropAction action = FavoritesDrag::exec(drag, Qt::LinkAction);
    qCDebug(lcFavorites) << "drag loppui, action: " << int(action);
    myPage->setDragMode(false, MIME_TYPE_FAVORITE);
    if (action == Qt::IgnoreAction)
        myPage->clearDropIndicator();
}

void FavoriteSweepList::mouseDoubleClickEvent(QMouseEvent* event)
{
    VideoEntry* entry = currentEntry();
    if (entry && entry->getAuthorRect().contains(event->position())) {
        Q_EMIT authorLinkClicked(currentIndex());
        clearSelection();
    }
}

void FavoriteSweepList::returnPressed()
{
    Q_EMIT doubleClicked(currentIndex());
}

void FavoriteSweepList::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    Q_UNUSED(selected);
    Q_UNUSED(deselected);
    Q_EMIT selectionMade();
}

void FavoriteSweepList::activateCurrentItem(const QModelIndex& index)
{
    Q_UNUSED(index);
}

void FavoriteSweepList::verticalScrollbarValueChanged(int value)
{
    // The item view reads on only at the very end of the scroll range, which a flick
    // (it comes to rest on a row boundary) may stop short of. The rows read are
    // counted rather than laid out: a second change before the new rows are laid out
    // reads no second page. After a read the item view's own check is left out, as it
    // would still see the old end and read again.
    QAbstractItemModel* list = model();
    const int rowsRead = list ? list->rowCount(rootIndex()) : 0;
    const int rowHeight = rowsRead > 0 ? sizeHintForRow(0) : 0;
    if (rowHeight > 0 && value + 2 * viewport()->height() >= rowsRead * rowHeight && list->canFetchMore(rootIndex())) {
        list->fetchMore(rootIndex());
        return;
    }
    UniformSweepList::verticalScrollbarValueChanged(value);
}
