#include "favorites/PlayListSweepList.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoritesConstants.h"
#include "favorites/FavoritesDrag.h"

#include "core/PlayList.h"
#include "core/Types.h"
#include "favorites/FavoritesLogging.h"
#include "favorites/FavoritesTexts.h"

#include <QDebug>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QtMath>

PlayListSweepList::PlayListSweepList(QWidget* parent, FavoriteResultPage* page)
    : FavoritesListBase(parent, page), myPressPoint(0, 0)
{
}

PlayListSweepList::~PlayListSweepList() = default;

void PlayListSweepList::mousePressEvent(QMouseEvent* event)
{
    myMovedFromPress = false;
    myPressPoint = event->position().toPoint();

    // The press state of the kinetic base; the item view's own press handling is not
    // run, so a press never changes the current row.
    myPressY = myPressPoint.y();
    myPressX = myPressPoint.x();
    myPressIndex = currentIndex();
    myStartValue = verticalScrollBar()->value();
    myMoved = false;
    stopKineticScroll();
    myPressTime.restart();

    if (event->button() != Qt::LeftButton || !myPage)
        return;
    PlayList* playList = myPage->mousePointerPlayList(myPressPoint, true);
    if (!playList) {
        Q_EMIT clicked(currentIndex());
        return;
    }
    if (playList->getRect().contains(QPointF(myPressPoint)) && !playList->isFixed())
        startDrag(playList);
}

void PlayListSweepList::startDrag(PlayList* playList)
{
    QDrag* drag = new QDrag(this);
    QMimeData* data = new QMimeData;
    myPage->setDragDropPlaylist(playList);
    data->setData(MIME_TYPE_PLAYLIST, QByteArray());
    drag->setMimeData(data);
    myPage->setDragMode(true, MIME_TYPE_PLAYLIST);
    const QPixmap pixmap = QPixmap::fromImage(playList->getIcon());
    drag->setPixmap(pixmap);
    drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
    qCDebug(lcFavorites) << "drag alkaa";
    // Runs until the drop or the cancel; the playlist may be gone afterwards.
    const Qt::DropAction action = FavoritesDrag::exec(drag, Qt::LinkAction);
    qCDebug(lcFavorites) << "drag loppui, action: " << int(action);
    myPage->setDragMode(false, MIME_TYPE_FAVORITE);
}

void PlayListSweepList::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (position != myPressPoint && !myMovedFromPress) {
        const double dx = position.x() - myPressPoint.x();
        const double dy = position.y() - myPressPoint.y();
        if (qSqrt(dx * dx + dy * dy) > FavoritesGeometry::TAP_DISTANCE)
            myMovedFromPress = true;
    }
    SweepListBase::mouseMoveEvent(event);
}

void PlayListSweepList::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || myMovedFromPress) {
        UniformSweepList::mouseReleaseEvent(event);
        return;
    }
    // A tap.
    const QPoint position = event->position().toPoint();
    PlayList* playList = myPage ? myPage->mousePointerPlayList(position, true) : nullptr;
    setCurrentIndex(indexAt(position));
    if (currentIndex().isValid()) {
        if (playList && (playList->getType() == ePlayListLocalFolder || playList->getType() == ePlayListAccountFolder))
            toggleCurrentFolder();
        else
            myPressIndex = currentIndex();
    } else {
        Q_EMIT clicked(currentIndex());
    }
}

void PlayListSweepList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double tap does nothing; its release is a tap again.
    Q_UNUSED(event);
}

void PlayListSweepList::returnPressed()
{
    toggleCurrentFolder();
}

void PlayListSweepList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    UniformSweepList::currentChanged(current, previous);
    Q_EMIT clicked(current);
}

void PlayListSweepList::toggleCurrentFolder()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid() || !model())
        return;
    PlayList* playList = model()->data(index, Qt::DisplayRole).value<PlayList*>();
    if (!playList)
        return;
    Q_EMIT folderOpenToggle(playList);
    clearSelection();
}

void PlayListSweepList::activateCurrentItem(const QModelIndex& index)
{
    Q_UNUSED(index);
}
